// Arbitrary bytes as the kernel's mount table: reading must never fail
// hard, and every line read names an absolute place.
#include <volumes.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const Platform::MountInfoLine &line : Platform::parseMountInfo(text)) {
        if (!line.mountPoint.startsWith(u'/'))
            std::abort();
        const Platform::MountEntry entry{line.mountPoint, line.device, line.fileSystem};
        (void)Platform::isPseudoMount(entry);
        (void)Platform::volumeKindOf(entry);
    }
    return 0;
}
