#pragma once

// Every text of the disk search and the music scan that the user may see,
// in one place.

#include <QString>
#include <QStringList>

namespace SearchMessages {

inline QString caption() { return QStringLiteral("Przeszukiwanie dysku"); }
inline QString foundCount(qint64 count) { return QStringLiteral("Znaleziono: %1").arg(count); }
inline QString searchHint() { return QStringLiteral("Rozpocznij przeszukiwanie"); }

// The disk search's own mask lists, always the first four of its box.
inline QStringList builtInMasks()
{
    return {QStringLiteral("install.exe;setup.exe;setup32.exe;instaluj.exe"),
            QStringLiteral("start.exe;start32.exe"),
            QStringLiteral("install.exe;setup.exe;setup32.exe; instaluj.exe;*.zip;*.arj;*.rar;*.bat"),
            QStringLiteral("*.zip;*.arj;*.rar;*.tar;*.lzh")};
}

// The music scan's.
inline QStringList builtInMusicMasks()
{
    return {QStringLiteral("*.mp3;*.vqf;"), QStringLiteral("*.mp3;"), QStringLiteral("*.vqf;"),
            QStringLiteral("*.wav;*.mp3;*vqf;")};
}

// The hints of the music scan's buttons, two lines each.
inline QString autoHint()
{
    return QStringLiteral("Automatyczne ustalanie nazwy dla pliku\n- nazwa katalogu z plikami mp3");
}
inline QString saveHint()
{
    return QStringLiteral("Zaznaczone pliki zostaną wpisane do pliku danych\no nazwie widocznej obok");
}
inline QString fullAutoHint()
{
    return QStringLiteral("Cały proces generowania plików danych\nzostanie wykonany automatycznie");
}

inline QString noDataFileName() { return QStringLiteral("Musisz wpisać nazwę pliku danych (RV3)!"); }

inline QString allDataFilesWritten(const QString &folder)
{
    return QStringLiteral("Zapisano wszystkie pliki danych!\r\n\r\nZnajdują się w katalogu:\r\n") + folder;
}

// "&Pełny Automat" when some folders' data files could not be written:
// each such folder with the reason, then where the others are (when any
// were written, folder is not empty).
inline QString folderFailed(const QString &musicFolder, const QString &reason)
{
    return musicFolder + QStringLiteral("\r\n") + reason;
}
inline QString dataFilesNotWritten(const QStringList &failures, const QString &folder)
{
    QString text = QStringLiteral("Nie zapisano plików danych dla katalogów:\r\n\r\n")
                   + failures.join(QStringLiteral("\r\n\r\n"));
    if (!folder.isEmpty())
        text += QStringLiteral("\r\n\r\nPozostałe pliki danych znajdują się w katalogu:\r\n") + folder;
    return text;
}

// The folder for the data files must be a whole path: a relative one would
// land wherever the program happens to run.
inline QString dataFolderNotAbsolute(const QString &folder)
{
    return QStringLiteral("Katalog dla plików RV3 musi być pełną ścieżką dostępu (\"%1\")!").arg(folder);
}

inline QString folderNotCreated(const QString &folder)
{
    return QStringLiteral("Nie można utworzyć katalogu:\n\"%1\"").arg(folder);
}

// Music files and folders whose names cannot be names of programs in a
// data file (a "]" in them, say), or are taken already by another of the
// same rows in some letter case, are left out; the user learns how many.
inline QString namesSkipped(int count)
{
    return QStringLiteral("Pominięto nazw, których nie można zapisać w pliku danych jako osobnych programów: %1")
        .arg(count);
}

} // namespace SearchMessages
