// Feeds arbitrary bytes, cut into volumes, to the spanned-set directory
// reader and the join: neither may read out of bounds or loop, and a join
// that succeeds must give an archive whose directory reads back whole.
#include "spanjoin.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Volumes : public ZipFormat::VolumeProvider
{
public:
    explicit Volumes(const std::vector<std::string_view> &parts)
    {
        for (const std::string_view part : parts)
            m_sources.emplace_back(part);
    }
    const ZipFormat::Source *volume(int number) override
    {
        return number >= 0 && number < static_cast<int>(m_sources.size()) ? &m_sources[std::size_t(number)] : nullptr;
    }
    const ZipFormat::Source &last() const { return m_sources.back(); }

private:
    std::vector<ZipFormat::MemorySource> m_sources;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    // The first byte says how many volumes, the second how long each is but
    // the last, which takes the rest.
    const std::size_t count = 1 + data[0] % 6;
    const std::size_t partSize = 16 + data[1];
    std::string_view rest(reinterpret_cast<const char *>(data + 2), size - 2);
    std::vector<std::string_view> parts;
    for (std::size_t i = 0; i + 1 < count && rest.size() > partSize; ++i) {
        parts.push_back(rest.substr(0, partSize));
        rest.remove_prefix(partSize);
    }
    parts.push_back(rest);
    Volumes volumes(parts);
    const ZipFormat::SpanDirectory directory = ZipFormat::readSpanDirectory(volumes, volumes.last());
    if (directory.error != 0)
        return 0;
    std::string joined;
    const int error = ZipFormat::joinSpannedSet(volumes, directory, [&](const char *bytes, std::size_t length) {
        joined.append(bytes, length);
        return true;
    });
    if (error != 0)
        return 0;
    if (joined.size() > size * 2 + 64)
        std::abort(); // the join copies every byte at most once
    const ZipFormat::MemorySource source(joined);
    const ZipFormat::Directory reread = ZipFormat::readDirectory(source);
    if (reread.error != 0 || reread.entries.size() != directory.entries.size())
        std::abort();
    return 0;
}
