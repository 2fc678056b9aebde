#include "spanjoin.h"

#include "zipbytes.h"

#include <algorithm>
#include <numeric>

namespace ZipFormat {

namespace {

constexpr std::size_t ChunkSize = 8192;
constexpr std::int64_t MaxOffset = 0xFFFFFFFE;

struct Position
{
    int volume = 0;
    std::int64_t offset = 0;
    friend auto operator<=>(const Position &, const Position &) = default;
};

// Reads the set as one stream: what does not fit in a volume continues at
// the start of the next one.
class VolumeStream
{
public:
    VolumeStream(VolumeProvider &volumes, int lastVolume) : m_volumes(volumes), m_last(lastVolume) {}

    void seek(Position at) { m_at = at; }
    Position position() const { return m_at; }

    bool read(void *buffer, std::size_t count)
    {
        auto *out = static_cast<char *>(buffer);
        while (count > 0) {
            if (m_at.volume > m_last)
                return false;
            const Source *source = m_volumes.volume(m_at.volume);
            if (!source)
                return false;
            const std::int64_t left = source->size() - m_at.offset;
            if (left <= 0) {
                ++m_at.volume;
                m_at.offset = 0;
                continue;
            }
            const std::size_t piece = static_cast<std::size_t>(std::min<std::int64_t>(left, std::int64_t(count)));
            if (!source->readAt(m_at.offset, out, piece))
                return false;
            m_at.offset += static_cast<std::int64_t>(piece);
            out += piece;
            count -= piece;
        }
        return true;
    }

private:
    VolumeProvider &m_volumes;
    int m_last;
    Position m_at;
};

// The offsets of each entry's record within the stored directory.
std::vector<std::size_t> recordOffsets(const std::string &bytes, std::size_t count)
{
    std::vector<std::size_t> offsets;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count; ++i) {
        offsets.push_back(pos);
        pos += CentralHeaderSize + read16(data + pos + 28) + read16(data + pos + 30) + read16(data + pos + 32);
    }
    return offsets;
}

class Joiner
{
public:
    Joiner(VolumeProvider &volumes, const SpanDirectory &directory,
           const std::function<bool(const char *, std::size_t)> &write, const JoinProgress &progress)
        : m_stream(volumes, directory.end.record.thisDisk), m_directory(directory), m_write(write),
          m_progress(progress)
    {
    }

    int run();

private:
    int copyEntry(const Entry &entry);
    bool emit(const char *data, std::size_t size);
    int copy(std::int64_t count, int readError);

    VolumeStream m_stream;
    const SpanDirectory &m_directory;
    const std::function<bool(const char *, std::size_t)> &m_write;
    const JoinProgress &m_progress;
    std::int64_t m_written = 0;
    bool m_writeFailed = false;
    bool m_stopped = false;
};

bool Joiner::emit(const char *data, std::size_t size)
{
    if (m_written + std::int64_t(size) > MaxOffset + 1 || !m_write(data, size)) {
        m_writeFailed = true;
        return false;
    }
    m_written += std::int64_t(size);
    if (m_progress.update && !m_progress.update(std::int64_t(size))) {
        m_stopped = true;
        return false;
    }
    return true;
}

int Joiner::copy(std::int64_t count, int readError)
{
    char chunk[ChunkSize];
    while (count > 0) {
        const std::size_t piece = static_cast<std::size_t>(std::min<std::int64_t>(count, std::int64_t(ChunkSize)));
        if (!m_stream.read(chunk, piece))
            return readError;
        if (!emit(chunk, piece))
            return Message::LocalWriteFailed;
        count -= std::int64_t(piece);
    }
    return 0;
}

int Joiner::copyEntry(const Entry &entry)
{
    unsigned char header[LocalHeaderSize];
    if (!m_stream.read(header, sizeof header))
        return Message::LocalReadFailed;
    if (read32(header) != LocalSignature)
        return Message::LocalSignatureWrong;
    std::string name(read16(header + 26), '\0');
    if (!m_stream.read(name.data(), name.size()))
        return Message::LocalNameReadFailed;
    if (m_progress.newFile)
        m_progress.newFile(entry, LocalHeaderSize + std::int64_t(name.size()) + read16(header + 28) + entry.compressedSize());
    if (!emit(reinterpret_cast<const char *>(header), sizeof header) || !emit(name.data(), name.size()))
        return Message::LocalWriteFailed;
    if (const int error = copy(read16(header + 28), Message::LocalExtraReadFailed))
        return error;
    // The directory's size holds also when the local header left it to a
    // descriptor behind the data.
    if (const int error = copy(entry.compressedSize(), Message::DataReadFailed))
        return error;
    if (entry.flags() & 0x0008) {
        const Position descriptor = m_stream.position();
        unsigned char word[4];
        if (!m_stream.read(word, sizeof word))
            return Message::DataReadFailed;
        m_stream.seek(descriptor);
        return copy(read32(word) == SpanSignature ? 16 : 12, Message::DataReadFailed);
    }
    return 0;
}

int Joiner::run()
{
    const std::vector<Entry> &entries = m_directory.entries;
    unsigned char marker[4];
    if (!m_stream.read(marker, sizeof marker) || read32(marker) != SpanSignature)
        return Message::SpanSignatureWrong;

    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    auto positionOf = [&](std::size_t i) { return Position{entries[i].diskNumberStart(), entries[i].localHeaderOffset()}; };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return positionOf(a) < positionOf(b); });
    if (m_progress.totals) {
        std::int64_t total = 0;
        for (const Entry &entry : entries)
            total += read16(&entry.header[24]) + std::int64_t(entry.compressedSize()) + read16(&entry.header[26])
                     + read16(&entry.header[28]);
        m_progress.totals(int(entries.size()), total);
    }

    // Entries in the order their data lies; two directory entries naming
    // one local header share its copy, overlapping ones are refused.
    std::vector<std::int64_t> newOffsets(entries.size(), 0);
    Position copiedTo{0, 4};
    bool first = true;
    Position previous;
    std::int64_t previousOffset = 0;
    for (const std::size_t i : order) {
        const Position at = positionOf(i);
        if (!first && at == previous) {
            newOffsets[i] = previousOffset;
            continue;
        }
        if (at < copiedTo)
            return Message::OverlappingEntries;
        m_stream.seek(at);
        newOffsets[i] = m_written;
        if (const int error = copyEntry(entries[i]))
            return m_stopped ? Message::Cancelled : error;
        copiedTo = m_stream.position();
        previous = at;
        previousOffset = newOffsets[i];
        first = false;
    }

    const std::int64_t directoryOffset = m_written;
    std::string directory = m_directory.bytes;
    auto *data = reinterpret_cast<unsigned char *>(directory.data());
    const std::vector<std::size_t> offsets = recordOffsets(directory, entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        write16(data + offsets[i] + 34, 0);
        write32(data + offsets[i] + 42, static_cast<std::uint32_t>(newOffsets[i]));
    }
    const std::size_t directoryLength = entries.empty() ? 0 : offsets.back() + CentralHeaderSize
                                                                  + read16(data + offsets.back() + 28)
                                                                  + read16(data + offsets.back() + 30)
                                                                  + read16(data + offsets.back() + 32);
    if (!emit(directory.data(), directoryLength))
        return m_stopped ? Message::Cancelled : Message::CentralWriteFailed;

    // One disk now, holding every entry.
    const EndRecord &record = m_directory.end.record;
    unsigned char end[EndRecordSize] = {};
    write32(end, EndSignature);
    write16(end + 8, record.totalEntries);
    write16(end + 10, record.totalEntries);
    write32(end + 12, static_cast<std::uint32_t>(directoryLength));
    write32(end + 16, static_cast<std::uint32_t>(directoryOffset));
    const std::string &comment = m_directory.end.comment;
    write16(end + 20, static_cast<std::uint16_t>(comment.size()));
    if (!emit(reinterpret_cast<const char *>(end), sizeof end) || !emit(comment.data(), comment.size()))
        return m_stopped ? Message::Cancelled : Message::EndWriteFailed;
    return 0;
}

} // namespace

SpanDirectory readSpanDirectory(VolumeProvider &volumes, const Source &last, CodePage codePage)
{
    SpanDirectory span;
    const EndSearch search = findEndOfCentralDir(last);
    if (!search.found) {
        span.error = search.error;
        return span;
    }
    span.end = *search.found;
    const EndRecord &record = span.end.record;
    if (span.end.zip64 || record.totalEntries == 0xFFFF || record.directorySize == 0xFFFFFFFF
        || record.directoryOffset == 0xFFFFFFFF) {
        span.error = Message::Zip64Refused;
        return span;
    }
    if (record.directoryDisk > record.thisDisk) {
        span.error = Message::CentralReadFailed;
        return span;
    }
    // Read in pieces, so a lying size costs no more memory than the set has.
    VolumeStream stream(volumes, record.thisDisk);
    stream.seek({record.directoryDisk, record.directoryOffset});
    std::uint32_t left = record.directorySize;
    char chunk[ChunkSize];
    while (left > 0) {
        const std::size_t piece = std::min<std::size_t>(left, ChunkSize);
        if (!stream.read(chunk, piece)) {
            span.error = Message::CentralReadFailed;
            return span;
        }
        span.bytes.append(chunk, piece);
        left -= static_cast<std::uint32_t>(piece);
    }
    span.error = parseCentralDirectory(span.bytes, record.totalEntries, codePage, span.entries);
    if (span.error != 0) {
        span.entries.clear();
        span.bytes.clear();
    }
    return span;
}

int joinSpannedSet(VolumeProvider &volumes, const SpanDirectory &directory,
                   const std::function<bool(const char *data, std::size_t size)> &write, const JoinProgress &progress)
{
    if (directory.error != 0)
        return directory.error;
    Joiner joiner(volumes, directory, write, progress);
    return joiner.run();
}

} // namespace ZipFormat
