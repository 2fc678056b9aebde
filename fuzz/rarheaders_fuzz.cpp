// Feeds arbitrary bytes to the RAR header walker: it must never read out of
// bounds, every name must be valid UTF-8, every entry's data must lie
// inside the file, and the walk must end.
#include "entrynames.h"
#include "rarheaders.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const ZipFormat::MemorySource source(bytes);
    RarFormat::HeaderWalker walker(source);
    if (walker.open() == RarFormat::HeaderWalker::Status::Ok) {
        RarFormat::Entry entry;
        std::int64_t lastOffset = 0;
        while (walker.next(entry) == RarFormat::HeaderWalker::Status::Ok) {
            if (!ZipFormat::isValidUtf8(entry.name) || entry.dataOffset <= lastOffset
                || entry.dataOffset + static_cast<std::int64_t>(entry.packedSize) > static_cast<std::int64_t>(size))
                std::abort();
            lastOffset = entry.dataOffset;
        }
    }
    // The name decoder on its own, with and without the Unicode flag.
    const std::string raw(bytes.substr(0, 512));
    for (const bool unicode : {false, true}) {
        if (!ZipFormat::isValidUtf8(RarFormat::decodeRar4Name(raw, unicode, RarFormat::Win32)))
            std::abort();
    }
    return 0;
}
