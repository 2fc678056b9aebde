#include "zipdirectory.h"

#include "zipbytes.h"

#include <algorithm>
#include <limits>

namespace ZipFormat {

namespace {

EndRecord endRecordFrom(const unsigned char *at)
{
    EndRecord record;
    record.thisDisk = read16(at + 4);
    record.directoryDisk = read16(at + 6);
    record.entriesOnDisk = read16(at + 8);
    record.totalEntries = read16(at + 10);
    record.directorySize = read32(at + 12);
    record.directoryOffset = read32(at + 16);
    record.commentLength = read16(at + 20);
    return record;
}

bool startsWithSignature(const Source &source, std::int64_t offset, std::uint32_t signature)
{
    unsigned char word[4];
    return source.readAt(offset, word, sizeof word) && read32(word) == signature;
}

// A candidate record at offset is the archive's end when its comment stays
// inside the file and its directory starts with a central header (or the
// archive is empty).
bool isArchiveEnd(const Source &source, std::int64_t offset, const EndRecord &record)
{
    if (offset + EndRecordSize + record.commentLength > source.size())
        return false;
    // The last volume of a set: its directory may lie on an earlier one.
    if (record.thisDisk != 0 || record.directoryDisk != 0)
        return record.directoryDisk <= record.thisDisk;
    if (record.directorySize > offset)
        return false;
    if (record.totalEntries == 0 && record.directorySize == 0)
        return true;
    return startsWithSignature(source, offset - record.directorySize, CentralSignature);
}

// A last sector padded with zeros (less than one sector in a file whose
// length is a whole number of sectors) is not trailing junk.
bool isSectorPadding(const Source &source, std::int64_t end)
{
    const std::int64_t surplus = source.size() - end;
    if (source.size() % 512 != 0 || surplus >= 512)
        return false;
    std::string bytes(static_cast<std::size_t>(surplus), '\0');
    if (!source.readAt(end, bytes.data(), bytes.size()))
        return false;
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

EndLocation locationAt(const Source &source, std::int64_t offset, const unsigned char *bytes)
{
    EndLocation location;
    location.record = endRecordFrom(bytes);
    std::copy(bytes, bytes + EndRecordSize, location.bytes.begin());
    location.recordOffset = offset;
    location.fileSize = source.size();
    location.usableEnd = offset + EndRecordSize + location.record.commentLength;
    location.trailingData = location.usableEnd < source.size() && !isSectorPadding(source, location.usableEnd);
    std::string comment(location.record.commentLength, '\0');
    if (source.readAt(offset + EndRecordSize, comment.data(), comment.size()))
        location.comment = comment.substr(0, comment.find('\0'));
    return location;
}

bool isFirstPartOfSet(const Source &source)
{
    unsigned char words[8];
    return source.readAt(0, words, sizeof words) && read32(words) == SpanSignature
           && read32(words + 4) == LocalSignature;
}

} // namespace

EndSearch findEndOfCentralDir(const Source &source)
{
    EndSearch search;
    const std::int64_t size = source.size();
    const bool firstPart = isFirstPartOfSet(source);
    search.error = firstPart ? Message::FirstFileOfSet : Message::NotZip;
    if (size < EndRecordSize)
        return search;

    const std::int64_t tailStart = size - std::min<std::int64_t>(size, MaxTailScan);
    std::string tail(static_cast<std::size_t>(size - tailStart), '\0');
    if (!source.readAt(tailStart, tail.data(), tail.size())) {
        search.error = Message::EndReadFailed;
        return search;
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(tail.data());
    for (std::int64_t i = static_cast<std::int64_t>(tail.size()) - EndRecordSize; i >= 0; --i) {
        if (read32(bytes + i) != EndSignature)
            continue;
        const std::int64_t offset = tailStart + i;
        const EndRecord record = endRecordFrom(bytes + i);
        const bool zip64 = offset >= Zip64LocatorSize && offset + EndRecordSize + record.commentLength <= size
                           && startsWithSignature(source, offset - Zip64LocatorSize, Zip64LocatorSignature);
        if (!zip64 && !isArchiveEnd(source, offset, record))
            continue;
        search.found = locationAt(source, offset, bytes + i);
        search.found->zip64 = zip64;
        search.found->firstPartOfSet = firstPart;
        search.error = 0;
        return search;
    }
    return search;
}

std::optional<DosDateTime> decodeDosDateTime(std::uint32_t value)
{
    DosDateTime when;
    when.second = static_cast<int>(value & 0x1F) * 2;
    when.minute = static_cast<int>((value >> 5) & 0x3F);
    when.hour = static_cast<int>((value >> 11) & 0x1F);
    when.day = static_cast<int>((value >> 16) & 0x1F);
    when.month = static_cast<int>((value >> 21) & 0x0F);
    when.year = 1980 + static_cast<int>(value >> 25);
    static constexpr int daysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (when.month < 1 || when.month > 12 || when.day < 1 || when.day > daysIn[when.month - 1])
        return std::nullopt;
    const bool leap = (when.year % 4 == 0 && when.year % 100 != 0) || when.year % 400 == 0;
    if (when.month == 2 && when.day == 29 && !leap)
        return std::nullopt;
    if (when.hour > 23 || when.minute > 59 || when.second > 59)
        return std::nullopt;
    return when;
}

std::uint16_t Entry::versionNeeded() const { return read16(&header[2]); }
std::uint16_t Entry::flags() const { return read16(&header[4]); }
std::uint16_t Entry::method() const { return read16(&header[6]); }
std::uint32_t Entry::dosDateTime() const { return read32(&header[8]); }
std::uint32_t Entry::crc32() const { return read32(&header[12]); }
std::uint32_t Entry::compressedSize() const { return read32(&header[16]); }
std::uint32_t Entry::uncompressedSize() const { return read32(&header[20]); }
std::uint16_t Entry::diskNumberStart() const { return read16(&header[30]); }
std::uint16_t Entry::internalAttributes() const { return read16(&header[32]); }
std::uint32_t Entry::externalAttributes() const { return read32(&header[34]); }
std::uint32_t Entry::localHeaderOffset() const { return read32(&header[38]); }

bool Entry::isFolder() const
{
    return (!fileName.empty() && fileName.back() == '\\') || (externalAttributes() & 0x10) != 0;
}

bool Entry::isLink() const
{
    constexpr std::uint32_t UnixHost = 3, TypeMask = 0170000, LinkType = 0120000;
    return hostSystem() == UnixHost && ((externalAttributes() >> 16) & TypeMask) == LinkType;
}

namespace {

bool isZip64(const EndLocation &end)
{
    const EndRecord &r = end.record;
    return end.zip64 || r.totalEntries == 0xFFFF || r.directorySize == 0xFFFFFFFF || r.directoryOffset == 0xFFFFFFFF;
}

bool entryNeedsZip64(const Entry &entry)
{
    return entry.compressedSize() == 0xFFFFFFFF || entry.uncompressedSize() == 0xFFFFFFFF
           || entry.localHeaderOffset() == 0xFFFFFFFF;
}

} // namespace

int parseCentralDirectory(const std::string &bytes, int count, CodePage codePage, std::vector<Entry> &entries)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    for (int n = 0; n < count; ++n) {
        if (size - pos < static_cast<std::size_t>(CentralHeaderSize))
            return Message::CentralReadFailed;
        if (read32(data + pos) != CentralSignature)
            return Message::CentralSignatureWrong;
        Entry entry;
        std::copy(data + pos + 4, data + pos + CentralHeaderSize, entry.header.begin());
        pos += CentralHeaderSize;
        const std::size_t nameLength = read16(&entry.header[24]);
        const std::size_t extraLength = read16(&entry.header[26]);
        const std::size_t commentLength = read16(&entry.header[28]);
        if (size - pos < nameLength)
            return Message::NameReadFailed;
        entry.rawName.assign(bytes, pos, nameLength);
        pos += nameLength;
        if (size - pos < extraLength)
            return Message::SeekFailed;
        pos += extraLength;
        if (size - pos < commentLength)
            return Message::CommentReadFailed;
        const std::string rawComment(bytes, pos, commentLength);
        pos += commentLength;
        if (entryNeedsZip64(entry))
            return Message::Zip64Refused;
        const NameOrigin origin{entry.flags(), entry.versionMadeBy(), entry.hostSystem()};
        entry.fileName = decodeEntryName(entry.rawName, origin, codePage);
        std::replace(entry.fileName.begin(), entry.fileName.end(), '/', '\\');
        entry.fileComment = decodeEntryName(rawComment, origin, codePage);
        entries.push_back(std::move(entry));
    }
    return 0;
}

Directory readDirectory(const Source &source, CodePage codePage)
{
    Directory directory;
    const EndSearch search = findEndOfCentralDir(source);
    if (!search.found) {
        directory.error = search.error;
        return directory;
    }
    directory.end = *search.found;
    const EndRecord &record = directory.end.record;
    if (directory.end.trailingData)
        directory.warnings.push_back(Message::TrailingDataWarning);
    if (isZip64(directory.end)) {
        directory.error = Message::Zip64Refused;
        return directory;
    }
    if (record.thisDisk != 0 || record.directoryDisk != 0) {
        directory.spanned = true;
        directory.error = Message::SpannedRefused;
        return directory;
    }
    directory.directoryStart = directory.end.directoryStart();
    directory.shift = directory.directoryStart - static_cast<std::int64_t>(record.directoryOffset);
    if (directory.shift != 0)
        directory.warnings.push_back(Message::StructureWarning);

    std::string bytes(record.directorySize, '\0');
    if (!source.readAt(directory.directoryStart, bytes.data(), bytes.size())) {
        directory.error = Message::SeekFailed;
        return directory;
    }
    directory.error = parseCentralDirectory(bytes, record.totalEntries, codePage, directory.entries);
    if (directory.error != 0) {
        directory.entries.clear();
        return directory;
    }
    std::int64_t lowest = std::numeric_limits<std::int64_t>::max();
    for (const Entry &entry : directory.entries)
        lowest = std::min<std::int64_t>(lowest, entry.localHeaderOffset());
    directory.frontOffset = directory.entries.empty() ? 0 : lowest + directory.shift;
    return directory;
}

} // namespace ZipFormat
