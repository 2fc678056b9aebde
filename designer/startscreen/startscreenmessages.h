#pragma once

#include <QString>

// What the start screen dialog shows, word for word.
namespace StartScreenMessages {

inline QString caption() { return QStringLiteral("Ustawienia ekranu startowego"); }
inline QString cannotOpen(const QString &file) { return QStringLiteral("Nie można otworzyć pliku: ") + file; }

inline QString animationFilter() { return QStringLiteral("Pliki animacji (*.AVI *.avi);;Wszystkie pliki (*)"); }
inline QString bitmapFilter() { return QStringLiteral("Pliki bitmap (*.BMP *.bmp);;Wszystkie pliki (*)"); }

inline QString undoStep() { return QStringLiteral("Ustawienia ekranu startowego"); }

} // namespace StartScreenMessages
