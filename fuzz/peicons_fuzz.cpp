// Arbitrary bytes as a Windows program: the icon reader must find only
// icons whose bytes lie inside the input, and the icon files built from
// them must hold exactly the images they list.
#include <fileicons/peicons.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const PeIconGroup &group : readPeIconGroups(bytes)) {
        qsizetype total = 6;
        for (const PeIconImage &image : group.images) {
            if (image.dataOffset < 0 || image.dataSize < 0 || image.dataOffset + image.dataSize > bytes.size())
                std::abort();
            total += 16 + image.dataSize;
        }
        const QByteArray iconFile = iconFileFromGroup(bytes, group);
        if (!iconFile.isEmpty() && iconFile.size() != total)
            std::abort();
    }
    return 0;
}
