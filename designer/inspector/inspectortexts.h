#pragma once

#include <QString>
#include <QStringList>

// The texts of the window "Obiekty menu": captions, choices, hint keys and
// dialog filters, word for word.
namespace InspectorTexts {

inline QString caption() { return QStringLiteral("Obiekty menu"); }
inline QString currentLabel() { return QStringLiteral("Aktualnie wybrany:"); }
inline QString keysPage() { return QStringLiteral("Klawisze menu"); }
inline QString otherObjectsPage() { return QStringLiteral("Inne obiekty"); }
inline QString propertiesPage() { return QStringLiteral("Właściwości"); }
inline QString availableKeys() { return QStringLiteral("Dostępne klawisze"); }
inline QString basic() { return QStringLiteral("Podstawowe"); }
inline QString optional() { return QStringLiteral("Opcjonalne"); }

// A font the font list does not know is shown after this text.
inline QString missingFontPrefix() { return QStringLiteral("Brak czcionki -> "); }
inline QString noCaption() { return QStringLiteral("(Brak tekstu)"); }
inline QString categoryPrefix() { return QStringLiteral("Kategoria - "); }

inline QStringList yesNo() { return {QStringLiteral("TAK"), QStringLiteral("NIE")}; }
inline QStringList glyphPositions()
{
    return {QStringLiteral("Po lewej"), QStringLiteral("Po prawej"), QStringLiteral("Na górze"),
            QStringLiteral("Na dole")};
}
inline QStringList tilings() { return {QStringLiteral("Rozciągnięta"), QStringLiteral("Sąsiadująco")}; }
inline QStringList borders()
{
    return {QStringLiteral("Widoczne"), QStringLiteral("Stale widoczne"), QStringLiteral("Brak")};
}
inline QString wholeWindow() { return QStringLiteral("Całe okno"); }
inline QString none() { return QStringLiteral("Brak"); }
// Every alignment in the order of their names; the strip and the
// background each offer a part of it.
inline QStringList alignments()
{
    return {QStringLiteral("Do lewej"), QStringLiteral("Do prawej"), QStringLiteral("Na górze"),
            QStringLiteral("Na dole"),  wholeWindow(),                none()};
}
inline QStringList toolsAlignments()
{
    return {QStringLiteral("Do lewej"), QStringLiteral("Do prawej"), QStringLiteral("Na górze"),
            QStringLiteral("Na dole"), none()};
}
inline QStringList backAlignments() { return {wholeWindow(), none()}; }

inline QString editBmpHint() { return QStringLiteral("Edytuj plik BMP"); }
inline QString editDataHint() { return QStringLiteral("Edytuj plik danych"); }
inline QString glyphCountHint() { return QStringLiteral("Dziel BMP klawisza na tyle części"); }
inline QString maskHint()
{
    return QStringLiteral("Maska okna: bitmapa dwukolorowa (1 bit) wielkości okna.\n"
                          "Czarne piksele to okno, białe zostają wycięte.");
}
inline QString nextWindowHint() { return QStringLiteral("Potwierdź, wykorzystanie otwierania w nowym oknie"); }
inline QString fontColorHint() { return QStringLiteral("Kolor czcionki"); }
inline QString selectedColorHint()
{
    return QStringLiteral("Kolor czcionki wybranej pozycji\nw obiekcie: Lista programów");
}

// Dialog filters: each pattern in both letter cases, and every file offered
// as well, since names on a Linux drive keep their case.
inline QString bitmapFilter() { return QStringLiteral("Bitmapy (*.bmp *.BMP);;Wszystkie pliki (*)"); }
inline QString dataFilter() { return QStringLiteral("Pliki danych (*.RV3 *.rv3);;Wszystkie pliki (*)"); }
inline QString nextWindowFilter()
{
    return QStringLiteral("Pliki konfiguracji (*.KLV *.klv);;Wszystkie pliki (*)");
}
inline QString bitmapDialogCaption() { return QStringLiteral("Bitmapa"); }
inline QString dataDialogCaption() { return QStringLiteral("Dane"); }
inline QString nextWindowDialogCaption() { return QStringLiteral("Drugie okno"); }

// Undo steps of the commits made here.
inline QString stepCaption() { return QStringLiteral("Edycja tekstu klawisza"); }
inline QString stepHint() { return QStringLiteral("Edycja podpowiedzi"); }
inline QString stepBorder() { return QStringLiteral("Zmiana obramowania klawisza"); }
inline QString stepSize() { return QStringLiteral("Zmiana rozmiarów"); }
inline QString stepPosition() { return QStringLiteral("Zmiana położenia"); }
inline QString stepFont() { return QStringLiteral("Zmiana właściwości czcionki"); }
inline QString stepColor() { return QStringLiteral("Zmiana koloru obiektu"); }

} // namespace InspectorTexts
