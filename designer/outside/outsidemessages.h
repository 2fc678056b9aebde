#pragma once

#include <QString>

// What the designer says when the programs it starts are missing or cannot
// be started. Line breaks are "\n", which the message boxes break at.
namespace OutsideMessages {

inline QString saveBeforeTest()
{
    return QStringLiteral("Plik konfiguracji nie istnieje!\nCzy chcesz go zapisać ?");
}

inline QString missingTestProgram()
{
    return QStringLiteral("Brakuje pliku ORVANTA.EXE lub PELDIX.EXE musisz wpisać ścieżkę dostępu do niego w "
                          "zakładce: Konfiguracja generatora.");
}

// The runtime reads its project beside itself; a folder the user may not
// write (a program installed system-wide) cannot take it.
inline QString runtimeFolderNotWritable(const QString &folder)
{
    return QStringLiteral("Nie można zapisać pliku ORVANTA.INI w katalogu programu menu:\n") + folder
           + QStringLiteral("\n\nSkopiuj program menu do katalogu, w którym możesz zapisywać, i wpisz ścieżkę "
                            "dostępu do niego w zakładce: Konfiguracja generatora.");
}

inline QString missingDataEditor()
{
    return QStringLiteral("Brak pliku wykonywalnego zazavaa danych!\n\nSprawdź czy wpisy w konfiguracji generatora "
                          "są poprawne!");
}

inline QString missingBitmapEditor()
{
    return QStringLiteral("Brak pliku wykonywalnego zazavaa bitmap!\n\nSprawdź czy wpisy w konfiguracji generatora "
                          "są poprawne!");
}

inline QString bitmapEditorFailed()
{
    return QStringLiteral("Nie można uruchomić zazavaa bitmap!\n\nSprawdź czy wpisy w konfiguracji generatora są "
                          "poprawne!");
}

inline QString dataEditorFailed()
{
    return QStringLiteral("Nie można uruchomić zazavaa danych!\n\nSprawdź czy wpisy w konfiguracji generatora są "
                          "poprawne!");
}

} // namespace OutsideMessages
