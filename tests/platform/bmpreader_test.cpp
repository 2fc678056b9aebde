#include <bmpreader.h>

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

using Platform::readCommonBmp;

namespace {

struct Bmp
{
    int bits = 24;
    int width = 7;
    int height = 5; // negative: rows stored top down
    quint32 headerSize = 40;
    quint32 usedColours = 0;
    quint32 compression = 0;
    int gap = 0; // bytes between the colour table and the pixels
};

void put16(QByteArray &bytes, int at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void put32(QByteArray &bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// A bitmap file whose pixels and colours all differ, so that a row or a
// colour in the wrong place shows.
QByteArray bmpFile(const Bmp &b)
{
    const int colours = b.bits <= 8 ? (b.usedColours ? int(b.usedColours) : 1 << b.bits) : 0;
    const int rows = std::abs(b.height);
    const int stride = (b.width * b.bits + 31) / 32 * 4;
    const int pixelStart = 14 + int(b.headerSize) + 4 * colours + b.gap;
    QByteArray bytes(pixelStart + stride * rows, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, quint32(bytes.size()));
    put32(bytes, 10, quint32(pixelStart));
    put32(bytes, 14, b.headerSize);
    put32(bytes, 18, quint32(b.width));
    put32(bytes, 22, quint32(b.height));
    put16(bytes, 26, 1);
    put16(bytes, 28, quint16(b.bits));
    put32(bytes, 30, b.compression);
    put32(bytes, 38, 3780);
    put32(bytes, 42, 2835);
    put32(bytes, 46, b.usedColours);
    for (int i = 0; i < colours; ++i) {
        const int at = 14 + int(b.headerSize) + 4 * i;
        bytes[at] = char(i * 7);
        bytes[at + 1] = char(255 - i);
        bytes[at + 2] = char(i * 13 + 5);
    }
    for (int i = pixelStart; i < bytes.size(); ++i)
        bytes[i] = char(i * 37 + i / stride * 11);
    return bytes;
}

std::optional<QImage> ours(const QByteArray &file)
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readCommonBmp(buffer, 8192);
}

QImage qts(const QByteArray &file)
{
    QByteArray bytes = file;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    return reader.read();
}

// Pixels compared as colours, so that padding after the last pixel of a
// 1-bit row does not count.
void expectSamePicture(const QImage &a, const QImage &b)
{
    ASSERT_EQ(a.size(), b.size());
    EXPECT_EQ(a.format(), b.format());
    EXPECT_EQ(a.colorTable(), b.colorTable());
    EXPECT_EQ(a.dotsPerMeterX(), b.dotsPerMeterX());
    EXPECT_EQ(a.dotsPerMeterY(), b.dotsPerMeterY());
    EXPECT_EQ(a.convertToFormat(QImage::Format_ARGB32), b.convertToFormat(QImage::Format_ARGB32));
}

} // namespace

TEST(BmpReader, CommonBitmapsReadAsQtReadsThem)
{
    for (const int bits : {1, 4, 8, 24}) {
        for (const int width : {1, 3, 7, 33}) {
            for (const int height : {5, -5, 1}) {
                for (const quint32 headerSize : {40u, 108u, 124u}) {
                    const Bmp b{bits, width, height, headerSize};
                    SCOPED_TRACE(testing::Message() << bits << " bits, " << width << " x " << height << ", header "
                                                    << headerSize);
                    const QByteArray file = bmpFile(b);
                    const std::optional<QImage> read = ours(file);
                    ASSERT_TRUE(read);
                    expectSamePicture(*read, qts(file));
                }
            }
        }
    }
    // The pixels may start after a gap, a full table may be counted, and a
    // two-colour table may hold the lighter colour first or second.
    QByteArray lightFirst = bmpFile({1, 9, 3});
    std::swap_ranges(lightFirst.begin() + 54, lightFirst.begin() + 58, lightFirst.begin() + 58);
    for (const QByteArray &file : {bmpFile({8, 5, 4, 40, 0, 0, 6}), bmpFile({4, 5, 4, 40, 16}), lightFirst}) {
        ASSERT_TRUE(ours(file));
        expectSamePicture(*ours(file), qts(file));
    }
}

// Everything else is left to the general reader: other depths, compression,
// short colour tables, the old OS/2 header, files cut short, pictures
// larger than asked for, and whatever is no bitmap at all.
TEST(BmpReader, OtherFilesAreLeftToTheGeneralReader)
{
    const QByteArray cut = bmpFile({}).chopped(1);
    QByteArray wrongPlanes = bmpFile({});
    put16(wrongPlanes, 26, 2);
    QByteArray pixelsInTheTable = bmpFile({8, 4, 4});
    put32(pixelsInTheTable, 10, 14 + 40 + 100);
    const QByteArray cases[] = {
        bmpFile({32}), bmpFile({16}), bmpFile({8, 4, 4, 40, 0, 1}), bmpFile({8, 4, 4, 40, 16}),
        bmpFile({24, 4, 4, 12}), cut, wrongPlanes, pixelsInTheTable, bmpFile({24, 0, 4}),
        QByteArray("BM"), QByteArray("GIF89a") + QByteArray(100, '\0'), QByteArray(),
    };
    for (const QByteArray &file : cases) {
        SCOPED_TRACE(file.left(32).toHex().toStdString());
        EXPECT_FALSE(ours(file));
    }
    QByteArray bytes = bmpFile({24, 20, 10});
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(readCommonBmp(buffer, 19));
}
