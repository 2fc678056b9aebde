// Arbitrary bytes as a window mask: the header check must refuse what it
// cannot read, and the region of an accepted mask must stay inside it.
#include <shaper/maskbitmap.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<MaskHeader> header = readMaskHeader(bytes);
    if (!header)
        return 0;
    // Keep each input cheap: huge but valid masks are the benchmark's job.
    if (qint64(header->width) * header->height > 4'000'000)
        return 0;
    const QRegion region = maskRegion(bytes, *header);
    if (!QRect(0, 0, header->width, header->height).contains(region.boundingRect()) && !region.isEmpty())
        std::abort();
    return 0;
}
