#pragma once

#include <QImage>

#include <optional>

class QIODevice;

namespace Platform {

// The bitmaps that Windows programs write most: an uncompressed BMP of 1, 4,
// 8 or 24 bits per pixel, with a full colour table where it has one. They
// are read here row by row, without the image reader's search for format
// plug-ins; the picture is the one Qt's reader gives (same format, colours
// and resolution). Nothing when the device holds anything else, or holds
// such a file cut short, or one wider or taller than maxSide: the caller
// then reads it the general way, from the start of the device.
std::optional<QImage> readCommonBmp(QIODevice &device, int maxSide);

} // namespace Platform
