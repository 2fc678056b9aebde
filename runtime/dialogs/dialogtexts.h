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

// Screenshot viewer.
inline const QString CannotShowPicture = QStringLiteral("Nie udało się otworzyć pliku: ");

} // namespace DialogTexts
