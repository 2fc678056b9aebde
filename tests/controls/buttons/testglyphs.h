#pragma once

#include "colors.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainter>

// Glyph strips drawn the way glyph bitmaps are: 16x16 cells on an olive
// background (the bottom-left pixel), each with a black frame from (3,3) to
// (12,12) around a filled square (4,4)-(11,11) and a white dot at (13,13).
namespace TestGlyphs {

inline QColor olive() { return Platform::toQColor(Platform::clOlive); }

inline QImage strip(const QList<QColor> &fills)
{
    QImage image(16 * int(fills.size()), 16, QImage::Format_RGB32);
    image.fill(olive());
    QPainter painter(&image);
    for (int cell = 0; cell < fills.size(); ++cell) {
        const int x = cell * 16;
        painter.fillRect(x + 3, 3, 10, 10, Qt::black);
        painter.fillRect(x + 4, 4, 8, 8, fills[cell]);
        painter.fillRect(x + 13, 13, 1, 1, Qt::white);
    }
    return image;
}

inline QImage single(const QColor &fill) { return strip({fill}); }

} // namespace TestGlyphs
