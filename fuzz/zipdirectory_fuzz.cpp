// Feeds arbitrary bytes to the zip directory reader: it must never read out
// of bounds, every name it returns must be valid UTF-8, and what it reports
// about the archive must lie inside the file.
#include "zipdirectory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ZipFormat::MemorySource source(std::string_view(reinterpret_cast<const char *>(data), size));
    for (const auto codePage : {ZipFormat::CodePage::Auto, ZipFormat::CodePage::Oem}) {
        const ZipFormat::Directory directory = ZipFormat::readDirectory(source, codePage);
        if (directory.error != 0 && !directory.entries.empty())
            std::abort();
        if (directory.error == 0
            && (directory.end.usableEnd > static_cast<std::int64_t>(size) || directory.directoryStart < 0))
            std::abort();
        for (const ZipFormat::Entry &entry : directory.entries) {
            if (!ZipFormat::isValidUtf8(entry.fileName) || !ZipFormat::isValidUtf8(entry.fileComment))
                std::abort();
            (void)ZipFormat::decodeDosDateTime(entry.dosDateTime());
        }
    }
    return 0;
}
