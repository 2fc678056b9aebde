#pragma once

// Every text the runtime shows to the user, in one place.

#include <QString>
#include <QStringList>

namespace RuntimeTexts {

inline const QString FileMissing = QStringLiteral("Plik nie istnieje!");
inline const QString CannotOpenFile = QStringLiteral("Nie udało się otworzyć pliku: ");
inline const QString ZipShellFailed = QStringLiteral("Nie udało się otworzyć archiwum ZIP w programie skojarzonym!");
inline const QString RarShellFailed = QStringLiteral("Nie udało się otworzyć archiwum RAR w programie skojarzonym!");
inline const QString UseBuiltInArchiver = QStringLiteral("Czy chcesz użyć modułu wewnętrznego menu ?");
inline const QString ConfirmQuit = QStringLiteral("Czy chcesz zakończyć program?");

inline const QString AboutName = QStringLiteral("KALVORA 4.0 S");
inline const QString AboutLine = QStringLiteral("Menu płyty CD – Zeltrin Software");

inline const QString ProductCaption = QStringLiteral("KALVORA 4.0");
inline const QString HelpCaptionPrefix = QStringLiteral("KALVORA 4.0 - ");
inline const QString FontForKeys = QStringLiteral(
    "Ustaw czcionkę dla klawiszy i tytulu, F11+Shift pozwala ustawić czcionkę dla listy i opisu programów");
inline const QString FontForLists = QStringLiteral(
    "Ustaw czcionkę dla listy i opisu programów, F11 pozwala ustawić czcionkę dla klawiszy i tytulu.");

// The keyboard help of Shift+F1.
inline QString keyboardHelp()
{
    return QStringList{
        QStringLiteral("Obsługa menu za pomocą klawiszy:"),
        QString(),
        QStringLiteral("F1 - okienko informacyjne od autora menu (właściciela płyty)"),
        QStringLiteral("jeśli nie umieścił takiego, to pojawia się ta informacja,"),
        QStringLiteral("F1+Shift - ta informacja - tylko w oknie głównym,"),
        QStringLiteral("F2 - zwiększenie czcionki listy programów,"),
        QStringLiteral("F3 - zmniejszenie czcionki listy programów,"),
        QStringLiteral("F4 - zwiększenie czcionki opisu programów,"),
        QStringLiteral("F5 - zmniejszenie czcionki opisu programów,"),
        QStringLiteral("F6 - kopiowanie,"),
        QStringLiteral("F7 - uruchamianie programów - najczęściej instalowanie,"),
        QStringLiteral("F8 - muzyka w tle ON/OFF czyli gra/nie gra,"),
        QStringLiteral("F9 - wyszukiwanie programów,"),
        QStringLiteral("F10- dodatkowe informacje z pliku,"),
        QStringLiteral("F11- awaryjne przypisanie czcionek dla klawiszy i tytulu,"),
        QStringLiteral("F11+Shift -awaryjne przypisanie czcionek dla listy i opisu programów,"),
        QStringLiteral("F12- opcje menu - zawsze dostępne!,"),
        QStringLiteral("Backspace -powrót do okna głównego menu,"),
        QStringLiteral("Escape - zamknięcie programu."),
        QStringLiteral("Escape+Shift - minimalizacja programu."),
        QString(),
        QStringLiteral("Wszystkie klawisze działają jeśli wykorzystano"),
        QStringLiteral("odpowiednie opcje w menu."),
    }.join(u'\n');
}

} // namespace RuntimeTexts
