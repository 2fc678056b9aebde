#pragma once

#include <QString>

// What the start screen dialog shows, word for word.
namespace StartScreenMessages {

inline QString caption() { return QStringLiteral("Ustawienia ekranu startowego"); }
inline QString cannotOpen(const QString &file) { return QStringLiteral("Nie można otworzyć pliku: ") + file; }

inline QString animationFilter() { return QStringLiteral("Pliki animacji (*.AVI *.avi);;Wszystkie pliki (*)"); }
inline QString bitmapFilter() { return QStringLiteral("Pliki bitmap (*.BMP *.bmp);;Wszystkie pliki (*)"); }

// Sizes are stored only with a file; the defaults hold a wildcard.
inline QString animationSizesNotStored()
{
    return QStringLiteral("Wysokość i szerokość animacji nie zostały zapisane: pole \"Plik AVI:\" nie wskazuje "
                          "pliku.");
}
inline QString pictureSizesNotStored()
{
    return QStringLiteral("Wysokość i szerokość obrazu po animacji nie zostały zapisane: pole \"Plik BMP:\" nie "
                          "wskazuje pliku.");
}

inline QString undoStep() { return QStringLiteral("Ustawienia ekranu startowego"); }

} // namespace StartScreenMessages
