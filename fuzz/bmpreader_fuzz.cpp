// Arbitrary bytes as a bitmap: the quick reader of common bitmaps must not
// end the process, must keep to the size asked for, and whatever it reads
// must be the picture Qt's own reader gives for the same bytes.
#include <bmpreader.h>

#include <QBuffer>
#include <QImageReader>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // Keep each input cheap: larger pictures are the tests' job.
    const std::optional<QImage> ours = Platform::readCommonBmp(buffer, 512);
    if (!ours)
        return 0;
    if (ours->isNull() || ours->width() > 512 || ours->height() > 512)
        std::abort();
    buffer.seek(0);
    QImageReader reader(&buffer, "bmp");
    const QImage qts = reader.read();
    if (qts.format() != ours->format() || qts.colorTable() != ours->colorTable()
        || qts.convertToFormat(QImage::Format_ARGB32) != ours->convertToFormat(QImage::Format_ARGB32))
        std::abort();
    return 0;
}
