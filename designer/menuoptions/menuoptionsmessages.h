#pragma once

#include <QString>

// What the menu options dialog shows, word for word.
namespace MenuOptionsMessages {

inline QString caption() { return QStringLiteral("Opcje menu"); }
inline QString textFilter()
{
    return QStringLiteral("Pliki tekstowe (*.TXT *.txt);;Pliki zawierające tekst (*.txt *.ini *.diz *.nfo *.TXT *.INI "
                          "*.DIZ *.NFO)");
}
// Hints of two lines; a tool tip breaks at "\n".
inline QString idHint() { return QStringLiteral("Identyfikator niezbędny jest dla\npoprawnego działania opcji menu!"); }
inline QString descriptionButtonHint()
{
    return QStringLiteral("Kliknij, aby zlokalizować plik opisu CDROM'u\nlub wpisz krótki opis");
}
inline QString undoStep() { return QStringLiteral("Zmiany w opcjach menu"); }
inline QString applicationTitle(const QString &title) { return QStringLiteral("Dodorurav 2.0 -> ") + title; }

} // namespace MenuOptionsMessages
