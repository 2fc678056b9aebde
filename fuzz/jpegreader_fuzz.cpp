// Arbitrary bytes as a screenshot: the JPEG reader must refuse what it
// cannot decode without ending the process, and what it accepts must lie
// within the size limit. Its count of scans, which walks the bytes before
// the library does, stops one over its limit.
#include <dialogs/jpegreader.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const int scans = JpegReader::countScans(bytes, 4);
    if (scans < 0 || scans > 5)
        std::abort();
    // Keep each input cheap: the size limit itself is the tests' job.
    const JpegReader::Result result = JpegReader::decode(bytes, 1024);
    if (result.ok() != result.error.isEmpty())
        std::abort();
    if (result.ok() && (result.picture.width() > 1024 || result.picture.height() > 1024))
        std::abort();
    return 0;
}
