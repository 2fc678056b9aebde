#pragma once

#include <QString>

// What the path change and the required-files list say, word for word.
namespace PathMessages {

inline QString pathCaption() { return QStringLiteral("Zmienianie ścieżek dostępu w pliku"); }
inline QString browseTitle() { return QStringLiteral("Wybierz ścieżkę na jaką zmienić zapisaną w pliku:"); }
inline QString noNewFolderCaption() { return QStringLiteral("Brak nowej ścieżki dostępu!"); }

inline QString noNewFolder()
{
    return QStringLiteral("Nie wprowadzono nowej ścieżki dostępu !!!\nJeżeli będziesz kontynuować to pliki będą "
                          "musiały być w katalogu głównym dysku tzn. X:\\NazwaPliku\nCzy chcesz kontynuować ?");
}

// Every value would otherwise begin with the new folder.
inline QString noOldFolder()
{
    return QStringLiteral("Nie wybrano ścieżki w pliku do zamiany!");
}

inline QString requiredCaption() { return QStringLiteral("Wymagane pliki konfiguracji"); }

} // namespace PathMessages
