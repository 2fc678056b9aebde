#pragma once

// The texts of the runtime's dialogs, in one place.

#include <QString>

namespace DialogTexts {

// Search.
inline const QString SearchCaption = QStringLiteral("Znajdź program");
inline const QString SearchPrompt = QStringLiteral("Wpisz nazwę szukanego programu:");
inline const QString Find = QStringLiteral("&Znajdź");
inline const QString GoTo = QStringLiteral("&Idź do");
inline const QString Cancel = QStringLiteral("&Anuluj");
inline const QString Ok = QStringLiteral("&OK");

// Copy.
inline const QString CopyCaption = QStringLiteral("Kopiowanie");
inline const QString TargetFolder = QStringLiteral("Katalog docelowy:");
inline const QString MakeSubfolder = QStringLiteral("Utwórz podkatalog");
inline const QString CannotCreateFolder = QStringLiteral("Nie można utworzyć wskazanego katalogu:\n");
inline const QString CannotStartCopier = QStringLiteral("Nie udało się otworzyć pliku: ");

// Options.
inline const QString OptionsCaptionPrefix = QStringLiteral("Opcje ");
inline const QString SoundGroup = QStringLiteral("Opcje dźwięku");
inline const QString NoSound = QStringLiteral("bez jakichkolwiek dźwięków");
inline const QString NoMusic = QStringLiteral("bez muzyki w tle");
inline const QString NoClicks = QStringLiteral("bez dźwięków kliknięć klawiszy");
inline const QString AutostartGroup = QStringLiteral("Opcje automatycznego startu ");
inline const QString Anim = QStringLiteral("animacja startowa");
inline const QString RunMenu = QStringLiteral("uruchom menu");
inline const QString Explorer = QStringLiteral("eksploruj dysk");
inline const QString ArchiveGroup = QStringLiteral("Wewnętrzna obsługa archiwów");
inline const QString Zip = QStringLiteral("ZIP");
inline const QString Rar = QStringLiteral("RAR");
inline const QString OtherGroup = QStringLiteral("Inne ustawienia");
inline const QString Save = QStringLiteral("zapisz opcje na dysk twardy");
inline const QString SaveHint = QStringLiteral("opcje zostaną zapisane w pliku: KALVOR.RUN\nw katalogu WINDOWS 95/98/NT");
inline const QString MinOnRun = QStringLiteral("instalacja minimalizuje menu");
inline const QString MinOnRunHint =
    QStringLiteral("Uruchomienie aplikacji np. instalacji programu\nspowoduje minimalizację menu");

// Screenshot viewer: the failure, with its reason when one is known.
inline QString cannotShowPicture(const QString &path, const QString &reason)
{
    const QString failure = QStringLiteral("Nie udało się otworzyć pliku: \"%1\"").arg(path);
    return reason.isEmpty() ? failure : failure + QStringLiteral(" - ") + reason;
}

// Why the JPEG reader refuses a file. scans is 0 when the file's count is
// not known.
inline QString tooManyScans(int scans, quint32 width, quint32 height, int allowed)
{
    const QString counted = scans > 0 ? QStringLiteral(" (%1)").arg(scans) : QString();
    return QStringLiteral("plik JPEG ma za dużo skanów%1 jak na obraz %2 x %3 pikseli, dozwolone najwyżej %4")
        .arg(counted)
        .arg(width)
        .arg(height)
        .arg(allowed);
}
inline QString pictureTooLarge(quint32 width, quint32 height, int maxSide)
{
    return QStringLiteral("obraz %1 x %2 pikseli jest za duży, by go pokazać (najwyżej %3 x %3)")
        .arg(width)
        .arg(height)
        .arg(maxSide);
}
inline QString noMemoryForPicture(quint32 width, quint32 height)
{
    return QStringLiteral("brak pamięci na obraz %1 x %2 pikseli").arg(width).arg(height);
}
inline const QString EmptyFile = QStringLiteral("pusty plik");
inline const QString NotJpeg = QStringLiteral("to nie jest plik JPEG");

} // namespace DialogTexts
