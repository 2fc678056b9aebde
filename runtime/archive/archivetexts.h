#pragma once

// The archive window's own texts.

#include <QString>

namespace ArchiveTexts {

inline const QString WindowCaption = QStringLiteral("Obsługa archiwów");
inline const QString ExtractCaption = QStringLiteral("Katalog dla rozpakowania archiwum");
inline const QString ConvertCaption = QStringLiteral("Konwertuj archiwum ZIP do EXE");

inline const QString NameHeader = QStringLiteral("Nazwa pliku");
inline const QString PackedHeader = QStringLiteral("Spakowany");
inline const QString SizeHeader = QStringLiteral("Oryginalny");
inline const QString DateHeader = QStringLiteral("Data Czas");

inline const QString CannotLaunch = QStringLiteral("Nie udało się uruchomić: ");
inline const QString ArchiveMissing = QStringLiteral("Brak pliku: ");
inline const QString NothingToExtract = QStringLiteral("Brak plików do rozpakowania!");
inline const QString NothingSelected = QStringLiteral("Brak zaznaczonych plików!");
inline const QString LibraryError = QStringLiteral("Błąd biblioteki UNZDLL.DLL!!!");
inline const QString ExtractedCount = QStringLiteral("Liczba plików rozpakowanych: ");
// The RAR count ends in "plik.", "pliki." or "plików." as the number asks.
QString filesCount(qint64 count);
inline const QString EmptyArchive = QStringLiteral("Brak plików w archiwum!");
inline const QString ConvertFailed = QStringLiteral("Błąd w czasie konwersji ZIP do EXE !!!");
inline const QString ConvertDone = QStringLiteral("Pomyślnie utworzono plik archiwum samorozpakowującego: \r");
inline const QString CopyFailed =
    QStringLiteral("Nie udało się skopiować pliku ZIP do wskazanego katalogu!!!\nOperacja konwersji zostanie przerwana!!!");
// A target folder that cannot be made: the dialog says so and stays.
inline const QString FolderNotCreated = QStringLiteral("Nie udało się utworzyć katalogu: ");

inline const QString ConvertButton = QStringLiteral("&Konwertuj do EXE");
inline const QString ConvertButtonListed = QStringLiteral("Konwertuj do exe");
inline const QString DefaultSfxCaption = QStringLiteral("Archiwum samorozpakowujące");

} // namespace ArchiveTexts
