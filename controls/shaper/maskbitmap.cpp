#include "shaper/maskbitmap.h"

#include <screenlimits.h>

#include <QtEndian>

#include <bit>
#include <cstring>
#include <vector>

namespace {

constexpr qsizetype fileHeaderSize = 14;
constexpr qsizetype infoHeaderSize = 40;
constexpr quint16 bitmapSignature = 0x4D42; // "BM"

// Little-endian fields at an offset the caller has checked to be inside.
quint16 readU16(QByteArrayView data, qsizetype offset)
{
    return qFromLittleEndian<quint16>(data.data() + offset);
}

quint32 readU32(QByteArrayView data, qsizetype offset)
{
    return qFromLittleEndian<quint32>(data.data() + offset);
}

qint32 readI32(QByteArrayView data, qsizetype offset)
{
    return qFromLittleEndian<qint32>(data.data() + offset);
}

qsizetype usedRowBytes(qint64 width)
{
    return qsizetype((width + 7) / 8);
}

// True when the last row (at the largest offset) still holds the bytes the
// width needs; only its padding may be missing.
bool rowsInsideData(QByteArrayView data, quint32 offBits, qint64 rows, qint64 rowBytes, qint64 needed)
{
    if (offBits > quint64(data.size()))
        return false;
    const qint64 available = data.size() - qint64(offBits);
    if (needed > available)
        return false;
    return rows - 1 <= (available - needed) / rowBytes;
}

// A run of 0 bits: pixels begin .. end - 1.
struct Run
{
    int begin;
    int end;
};

// Pixels base .. base + 63 of a row, the leftmost in the top bit. Pixels past
// the width read as 1 (outside), so padding never makes a run.
quint64 loadBits(const uchar *row, qsizetype usedBytes, int width, int base)
{
    const qsizetype firstByte = base / 8;
    quint64 bits;
    if (firstByte + 8 <= usedBytes) {
        bits = qFromBigEndian<quint64>(row + firstByte);
    } else {
        bits = ~quint64(0);
        for (qsizetype i = 0; firstByte + i < usedBytes; ++i) {
            const int shift = 56 - 8 * int(i);
            bits &= ~(quint64(0xFF) << shift);
            bits |= quint64(row[firstByte + i]) << shift;
        }
    }
    const int valid = width - base;
    if (valid < 64)
        bits |= ~quint64(0) >> valid;
    return bits;
}

void appendRuns(const uchar *row, int width, std::vector<Run> &runs)
{
    const qsizetype usedBytes = usedRowBytes(width);
    int runStart = -1;
    for (int base = 0; base < width; base += 64) {
        const quint64 inside = ~loadBits(row, usedBytes, width, base);
        int pos = 0;
        while (pos < 64) {
            const quint64 rest = inside << pos;
            if (runStart < 0) {
                if (rest == 0)
                    break;
                pos += std::countl_zero(rest);
                runStart = base + pos;
            } else {
                pos += std::countl_one(rest);
                if (pos == 64)
                    break; // the run goes on in the next word
                runs.push_back({runStart, base + pos});
                runStart = -1;
            }
        }
    }
    if (runStart >= 0)
        runs.push_back({runStart, width});
}

// Same pixels in both rows; padding bits of the last byte do not count.
bool samePixels(const uchar *a, const uchar *b, int width)
{
    const qsizetype fullBytes = width / 8;
    if (std::memcmp(a, b, size_t(fullBytes)) != 0)
        return false;
    const int rest = width % 8;
    if (rest == 0)
        return true;
    const uchar used = uchar(0xFF << (8 - rest));
    return ((a[fullBytes] ^ b[fullBytes]) & used) == 0;
}

} // namespace

std::optional<MaskHeader> readMaskHeader(QByteArrayView data)
{
    if (data.size() < fileHeaderSize + infoHeaderSize || readU16(data, 0) != bitmapSignature)
        return std::nullopt;

    const quint32 offBits = readU32(data, 10);
    const qint32 width = readI32(data, 18);
    const qint32 height = readI32(data, 22);
    const quint16 bitCount = readU16(data, 28);
    const quint32 compression = readU32(data, 30);
    const quint32 sizeImage = readU32(data, 34);
    if (bitCount != 1 || compression != 0 || width <= 0 || height == 0)
        return std::nullopt;

    const qint64 rows = height < 0 ? -qint64(height) : qint64(height);
    // No window is larger; a larger mask would only cost memory.
    if (width > Platform::ScreenLimits::MaxExtent || rows > Platform::ScreenLimits::MaxExtent)
        return std::nullopt;
    const qint64 needed = usedRowBytes(width);
    const qint64 rowBytes = sizeImage != 0 ? sizeImage / rows : (qint64(width) + 31) / 32 * 4;
    if (rowBytes < needed || !rowsInsideData(data, offBits, rows, rowBytes, needed))
        return std::nullopt;

    MaskHeader header;
    header.offBits = offBits;
    header.sizeImage = sizeImage;
    header.width = width;
    header.height = int(rows);
    header.topDown = height < 0;
    header.rowBytes = qsizetype(qMin<qint64>(rowBytes, data.size())); // a single row may claim more
    return header;
}

std::optional<QRegion> maskRegion(QByteArrayView data, const MaskHeader &header, qsizetype maxRects)
{
    const auto *pixels = reinterpret_cast<const uchar *>(data.data()) + header.offBits;
    auto rowAt = [&](int y) {
        const int stored = header.topDown ? y : header.height - 1 - y;
        return pixels + header.rowBytes * stored;
    };

    std::vector<QRect> rects;
    std::vector<Run> band;
    int bandTop = 0;
    auto closeBand = [&](int bottom) {
        for (const Run &run : band)
            rects.emplace_back(run.begin, bandTop, run.end - run.begin, bottom - bandTop);
    };
    const auto tooMany = [&] { return maxRects >= 0 && qsizetype(rects.size() + band.size()) > maxRects; };

    const uchar *bandRow = nullptr;
    for (int y = 0; y < header.height; ++y) {
        const uchar *row = rowAt(y);
        if (bandRow && samePixels(bandRow, row, header.width))
            continue;
        closeBand(y);
        band.clear();
        appendRuns(row, header.width, band);
        if (tooMany())
            return std::nullopt;
        bandTop = y;
        bandRow = row;
    }
    closeBand(header.height);

    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

QRegion maskRegion(QByteArrayView data, const MaskHeader &header)
{
    return *maskRegion(data, header, -1);
}
