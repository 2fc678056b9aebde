#pragma once

#include <QByteArrayView>
#include <QRegion>

#include <optional>

// A window mask is a 1-bit Windows bitmap ("BM" file): every 0 bit is inside
// the window, every 1 bit is cut away. This is the format alone; the shaper
// decides where the bytes come from and which window they shape.

struct MaskHeader
{
    quint32 offBits = 0;   // bfOffBits: start of the pixel rows in the data
    quint32 sizeImage = 0; // biSizeImage as stored (0 is allowed)
    int width = 0;         // biWidth
    int height = 0;        // number of rows, |biHeight|
    bool topDown = false;  // biHeight < 0: the first stored row is the top one
    qsizetype rowBytes = 0; // bytes from one stored row to the next
};

// The header of a mask the region can be built from, or nothing when the
// data is no such mask. Accepted: "BM", the 40 bytes of an information
// header after the 14 of the file header, 1 bit per pixel, no compression,
// width > 0, height != 0 (negative = top-down), neither side larger than a
// window can be (Platform::ScreenLimits::MaxExtent),
// and every row's pixel bytes inside the data. The row stride is
// biSizeImage / rows when that is set, else the standard 4-byte aligned
// stride; a stride too small for the width is refused.
std::optional<MaskHeader> readMaskHeader(QByteArrayView data);

// The region of all 0 bits, one rectangle per run, rows that repeat merged
// into bands. Padding bits beyond the width are never looked at. The header
// must come from readMaskHeader on the same data.
QRegion maskRegion(QByteArrayView data, const MaskHeader &header);
// The same, or nothing as soon as the region needs more than maxRects
// rectangles (-1: no limit), so a mask too complex for the display costs
// no more than the display could take.
std::optional<QRegion> maskRegion(QByteArrayView data, const MaskHeader &header, qsizetype maxRects);
