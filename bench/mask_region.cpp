// Building a window region from a 1920 x 1080 mask bitmap, beside Qt's own
// QRegion(QBitmap) of the same mask, and the ratio of the two.

#include "shaper/maskbitmap.h"
#include "support/benchsupport.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int maskWidth = 1920;
constexpr int maskHeight = 1080;

// 2 x 2 pixel squares, alternately inside and outside.
QImage checkerboard()
{
    QImage image(maskWidth, maskHeight, QImage::Format_RGB32);
    for (int y = 0; y < maskHeight; ++y)
        for (int x = 0; x < maskWidth; ++x)
            image.setPixel(x, y, ((x / 2 + y / 2) % 2) ? 0xFFFFFFFFu : 0xFF000000u);
    return image;
}

// A menu window: rounded corners, round holes for buttons, a slanted edge.
QImage roundedOutline()
{
    QImage image(maskWidth, maskHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRect(0, 0, maskWidth, maskHeight), 160, 160);
    painter.setBrush(Qt::white);
    for (int i = 0; i < 8; ++i)
        painter.drawEllipse(QPoint(200 + i * 200, 900), 60, 60);
    painter.drawPolygon(QPolygon({QPoint(1400, 0), QPoint(1920, 0), QPoint(1920, 500)}));
    return image;
}

// The image as a mask file: black pixels are inside (bit 0).
QByteArray maskFile(const QImage &image)
{
    const int stride = (image.width() + 31) / 32 * 4;
    const int pixelStart = 14 + 40 + 8;
    QByteArray bytes(pixelStart + stride * image.height(), '\0');
    char *data = bytes.data();
    data[0] = 'B';
    data[1] = 'M';
    qToLittleEndian<quint32>(quint32(bytes.size()), data + 2);
    qToLittleEndian<quint32>(pixelStart, data + 10);
    qToLittleEndian<quint32>(40, data + 14);
    qToLittleEndian<qint32>(image.width(), data + 18);
    qToLittleEndian<qint32>(image.height(), data + 22);
    qToLittleEndian<quint16>(1, data + 26);
    qToLittleEndian<quint16>(1, data + 28);
    qToLittleEndian<quint32>(quint32(stride * image.height()), data + 34);
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = reinterpret_cast<uchar *>(data) + pixelStart + (image.height() - 1 - y) * stride;
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) >= 128)
                row[x / 8] |= uchar(0x80 >> (x % 8));
    }
    return bytes;
}

struct Mask
{
    QByteArray file;
    QBitmap bitmap;
};

const Mask &mask(const std::string &name)
{
    static std::map<std::string, Mask> masks;
    auto found = masks.find(name);
    if (found == masks.end()) {
        const QImage image = name == "checkerboard" ? checkerboard() : roundedOutline();
        Mask made{maskFile(image), QBitmap::fromImage(image.convertToFormat(QImage::Format_Mono))};
        const QRegion ours = maskRegion(made.file, *readMaskHeader(made.file));
        if (!ours.xored(QRegion(made.bitmap)).isEmpty())
            std::fprintf(stderr, "%s: the two regions differ!\n", name.c_str());
        found = masks.emplace(name, std::move(made)).first;
    }
    return found->second;
}

void ours(benchmark::State &state, const std::string &name)
{
    const Mask &m = mask(name);
    for (auto _ : state) {
        const std::optional<MaskHeader> header = readMaskHeader(m.file);
        QRegion region = maskRegion(m.file, *header);
        benchmark::DoNotOptimize(region);
    }
}

void qt(benchmark::State &state, const std::string &name)
{
    const Mask &m = mask(name);
    for (auto _ : state) {
        QRegion region(m.bitmap);
        benchmark::DoNotOptimize(region);
    }
}

BENCHMARK_CAPTURE(ours, checkerboard, std::string("checkerboard"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(qt, checkerboard, std::string("checkerboard"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ours, rounded, std::string("rounded"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(qt, rounded, std::string("rounded"))->Unit(benchmark::kMillisecond);

// Console output, plus the time per build of each run kept for the ratios.

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::RatioReporter reporter({{"ours/checkerboard", "qt/checkerboard"}, {"ours/rounded", "qt/rounded"}});
    return BenchSupport::runWithApplication(argc, argv, &reporter);
}
