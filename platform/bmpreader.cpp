#include "bmpreader.h"

#include <QIODevice>
#include <QtEndian>

#include <cstdlib>
#include <limits>

#include <sys/mman.h>
#include <unistd.h>

namespace Platform {
namespace {

// The file header and the BITMAPINFOHEADER part every later header shares.
constexpr qint64 HeadSize = 14 + 40;

quint16 le16(const uchar *p)
{
    return quint16(p[0] | p[1] << 8);
}

quint32 le32(const uchar *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

struct Layout
{
    int width = 0;
    int height = 0; // rows, whichever way they run
    bool topDown = false;
    int bits = 0;
    int colours = 0; // entries of the colour table
    qint64 tableStart = 0;
    qint64 pixelStart = 0;
    qint64 stride = 0; // bytes of a stored row
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
};

std::optional<Layout> commonLayout(const uchar *head, qint64 fileSize, int maxSide)
{
    const quint32 headerSize = le32(head + 14);
    const qint32 width = qint32(le32(head + 18));
    const qint32 height = qint32(le32(head + 22));
    const int bits = le16(head + 28);
    const quint32 usedColours = le32(head + 46);
    // BITMAPINFOHEADER and its V4 and V5 successors, one plane, no compression.
    if (head[0] != 'B' || head[1] != 'M' || (headerSize != 40 && headerSize != 108 && headerSize != 124)
        || le16(head + 26) != 1 || le32(head + 30) != 0)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
        return std::nullopt;
    if (width <= 0 || width > maxSide || height == 0 || height == std::numeric_limits<qint32>::min()
        || std::abs(height) > maxSide)
        return std::nullopt;
    Layout layout;
    layout.width = width;
    layout.height = std::abs(height);
    layout.topDown = height < 0;
    layout.bits = bits;
    layout.colours = bits <= 8 ? 1 << bits : 0;
    // A shorter colour table would leave pixels without a colour.
    if (usedColours != 0 && usedColours != quint32(layout.colours))
        return std::nullopt;
    layout.tableStart = 14 + qint64(headerSize);
    layout.pixelStart = le32(head + 10);
    layout.stride = (qint64(width) * bits + 31) / 32 * 4;
    layout.dotsPerMeterX = qint32(le32(head + 38));
    layout.dotsPerMeterY = qint32(le32(head + 42));
    if (layout.pixelStart < layout.tableStart + 4 * layout.colours
        || layout.pixelStart + layout.stride * layout.height > fileSize)
        return std::nullopt;
    return layout;
}

bool readExactly(QIODevice &device, char *data, qint64 size)
{
    return device.read(data, size) == size;
}

std::optional<QList<QRgb>> readColourTable(QIODevice &device, const Layout &layout)
{
    QByteArray table(4 * layout.colours, Qt::Uninitialized);
    if (!device.seek(layout.tableStart) || !readExactly(device, table.data(), table.size()))
        return std::nullopt;
    QList<QRgb> colours;
    colours.reserve(layout.colours);
    for (int i = 0; i < layout.colours; ++i) {
        const auto *entry = reinterpret_cast<const uchar *>(table.constData()) + 4 * i;
        colours.append(qRgb(entry[2], entry[1], entry[0]));
    }
    return colours;
}

QImage::Format imageFormat(int bits)
{
    switch (bits) {
    case 1: return QImage::Format_Mono;
    case 24: return QImage::Format_RGB32;
    default: return QImage::Format_Indexed8;
    }
}

void convertRow(const uchar *row, uchar *line, const Layout &layout)
{
    switch (layout.bits) {
    case 1:
        memcpy(line, row, size_t(layout.width + 7) / 8);
        break;
    case 4:
        for (int x = 0; x < layout.width; ++x)
            line[x] = x % 2 ? row[x / 2] & 0x0f : row[x / 2] >> 4;
        break;
    case 8:
        memcpy(line, row, size_t(layout.width));
        break;
    case 24: {
        // Blue, green and red are stored in the byte order of a little-endian
        // QRgb: four bytes loaded at once and the alpha set make a pixel. The
        // last pixel of a row is read byte by byte, as its fourth byte may
        // lie past the row.
        auto *pixels = reinterpret_cast<QRgb *>(line);
        const int last = layout.width - 1;
        for (int x = 0; x < last; ++x, row += 3)
            pixels[x] = qFromLittleEndian<quint32>(row) | 0xff000000u;
        pixels[last] = qRgb(row[2], row[1], row[0]);
        break;
    }
    }
}

// A new picture whose memory the system provides in one step: touched page
// by page, a background of a few megabytes costs a fault for every page.
QImage prefaultedImage(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    const auto start = reinterpret_cast<quintptr>(image.constBits());
    const quintptr page = quintptr(::sysconf(_SC_PAGESIZE));
    const quintptr first = (start + page - 1) / page * page;
    const quintptr end = (start + quintptr(image.sizeInBytes())) / page * page;
#ifdef MADV_POPULATE_WRITE
    if (!image.isNull() && end > first)
        ::madvise(reinterpret_cast<void *>(first), end - first, MADV_POPULATE_WRITE); // a mere hint
#endif
    return image;
}

} // namespace

std::optional<QImage> readCommonBmp(QIODevice &device, int maxSide)
{
    uchar head[HeadSize];
    if (!readExactly(device, reinterpret_cast<char *>(head), HeadSize))
        return std::nullopt;
    const std::optional<Layout> layout = commonLayout(head, device.size(), maxSide);
    if (!layout)
        return std::nullopt;
    QImage image = prefaultedImage(layout->width, layout->height, imageFormat(layout->bits));
    if (image.isNull())
        return std::nullopt;
    if (layout->colours > 0) {
        const std::optional<QList<QRgb>> colours = readColourTable(device, *layout);
        if (!colours)
            return std::nullopt;
        image.setColorTable(*colours);
    }
    if (!device.seek(layout->pixelStart))
        return std::nullopt;
    QByteArray row(layout->stride, Qt::Uninitialized);
    for (int stored = 0; stored < layout->height; ++stored) {
        if (!readExactly(device, row.data(), row.size()))
            return std::nullopt;
        const int y = layout->topDown ? stored : layout->height - 1 - stored;
        convertRow(reinterpret_cast<const uchar *>(row.constData()), image.scanLine(y), *layout);
    }
    // Qt's reader keeps the lighter colour of a two-colour bitmap first,
    // and so must this one: masks are told by their colour indexes.
    if (layout->bits == 1 && qGray(image.color(0)) < qGray(image.color(1))) {
        image.invertPixels();
        image.setColorTable({image.color(1), image.color(0)});
    }
    image.setDotsPerMeterX(layout->dotsPerMeterX);
    image.setDotsPerMeterY(layout->dotsPerMeterY);
    return image;
}

} // namespace Platform
