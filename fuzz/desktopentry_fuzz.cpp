// Arbitrary bytes as a desktop entry must read without fault; and any text
// used as a link's target must read back as that one argument.
#include <shelllinks/desktopentry.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    readDesktopEntry(bytes);

    DesktopEntry entry;
    entry.name = QStringLiteral("Program");
    entry.exec = {QString::fromUtf8(bytes)};
    const std::optional<DesktopEntry> back = readDesktopEntry(writeDesktopEntry(entry));
    if (!back || back->exec != entry.exec)
        std::abort();
    return 0;
}
