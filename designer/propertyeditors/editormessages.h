#pragma once

#include <QString>

// What the property editors say, word for word. Line breaks are "\n", which
// the message boxes break at.
namespace EditorMessages {

inline QString convertMaskQuestion()
{
    return QStringLiteral("Wybrana bitmapa nie jest w odpowiednim formacie - 1BIT!\n\nCzy chcesz przekonwertować ją "
                          "do 1BIT?\n(wyjściowa bitmapa zostanie zachowana z rozszerzeniem .OLD)");
}

// The conversion keeps the original under a backup name; a file of that
// name would be overwritten, so nothing is done.
inline QString maskBackupExists(const QString &backup)
{
    return QStringLiteral("Nie można przekonwertować bitmapy do 1BIT, bo plik kopii już istnieje:\n") + backup
           + QStringLiteral("\n\nZmień nazwę tego pliku lub usuń go i spróbuj ponownie.");
}

inline QString maskConversionFailed(const QString &file, const QString &reason)
{
    return QStringLiteral("Nie można przekonwertować bitmapy do 1BIT:\n") + file + u'\n' + reason
           + QStringLiteral("\n\nPlik pozostał bez zmian.");
}

// Neither the mask nor the original could take the name back: the
// original is kept, under its backup name.
inline QString originalKeptAs(const QString &file, const QString &backup)
{
    return QStringLiteral("Nie można przekonwertować bitmapy do 1BIT:\n") + file
           + QStringLiteral("\n\nPlik wyjściowy zachowano pod nazwą:\n") + backup;
}

inline QString cannotWriteBeside(const QString &file)
{
    return QStringLiteral("nie można zapisać nowego pliku obok pliku ") + file;
}

inline QString cannotRename(const QString &from, const QString &to)
{
    return QStringLiteral("nie można zmienić nazwy ") + from + QStringLiteral(" na ") + to;
}

inline QString pictureNotLoaded(const QString &file)
{
    return QStringLiteral("Nie można wczytać bitmapy:\n") + file + QStringLiteral("\n\nNic nie zostało zmienione.");
}

// Stored paths are relative to the project's drive; a file elsewhere could
// not be named in the project.
inline QString outsideDrive(const QString &file, const QString &root)
{
    return QStringLiteral("Plik leży poza dyskiem projektu:\n") + file
           + QStringLiteral("\n\nWybierz plik leżący w katalogu:\n") + root;
}

inline QString createDataFile(const QString &file)
{
    return QStringLiteral("Plik danych nie istnieje:\n") + file
           + QStringLiteral("\n\nCzy utworzyć go teraz (pusty, z tytułem klawisza) i otworzyć w edytorze danych?");
}

} // namespace EditorMessages
