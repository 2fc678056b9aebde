#include "rarheaders.h"

#include "entrynames.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>
#include <optional>
#include <string_view>
#include <vector>

namespace RarFormat {

namespace {

constexpr unsigned char Rar4Signature[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr unsigned char Rar5Signature[] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};

// The 5.0 layout allows no header above 2 MiB; the 2.9 one has 16-bit sizes.
constexpr std::uint64_t MaxRar5Header = 2 * 1024 * 1024;

enum Rar4Type : unsigned char { MainHead = 0x73, FileHead = 0x74, EndHead = 0x7B };
enum Rar4MainFlag : unsigned { VolumeArchive = 0x0001, SolidArchive = 0x0008, PasswordHeaders = 0x0080 };
enum Rar4FileFlag : unsigned {
    FileSplitBefore = 0x0001,
    FileSplitAfter = 0x0002,
    FileEncrypted = 0x0004,
    FileComment = 0x0008,
    FileSolid = 0x0010,
    FileFolderMask = 0x00E0,
    FileLarge = 0x0100,
    FileUnicode = 0x0200,
    LongBlock = 0x8000,
};

enum Rar5Type : std::uint64_t { Main5 = 1, File5 = 2, Service5 = 3, Encryption5 = 4, End5 = 5 };
enum Rar5HeaderFlag : std::uint64_t { HasExtra = 0x01, HasData = 0x02, DataBefore = 0x08, DataAfter = 0x10 };
enum Rar5Extra : std::uint64_t { ExtraCrypt = 1, ExtraTime = 3, ExtraRedirection = 5 };

std::uint16_t le16(const unsigned char *at)
{
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t le32(const unsigned char *at)
{
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8)
           | (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::uint64_t le64(const unsigned char *at)
{
    return le32(at) | (static_cast<std::uint64_t>(le32(at + 4)) << 32);
}

const std::array<std::uint32_t, 256> &crcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

// Bytes of a header read whole, consumed front to back; any read past the
// end marks the cursor failed instead of reading outside.
class Cursor
{
public:
    Cursor(const unsigned char *data, std::size_t size) : m_data(data), m_size(size) {}
    bool failed() const { return m_failed; }
    std::size_t position() const { return m_pos; }
    std::size_t left() const { return m_failed ? 0 : m_size - m_pos; }

    const unsigned char *take(std::size_t count)
    {
        if (m_failed || count > m_size - m_pos) {
            m_failed = true;
            return nullptr;
        }
        const unsigned char *at = m_data + m_pos;
        m_pos += count;
        return at;
    }
    std::uint32_t u32()
    {
        const unsigned char *at = take(4);
        return at ? le32(at) : 0;
    }
    std::uint64_t u64()
    {
        const unsigned char *at = take(8);
        return at ? le64(at) : 0;
    }
    // A variable-length number: 7 bits a byte, at most 10 bytes.
    std::uint64_t vint()
    {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 70; shift += 7) {
            const unsigned char *at = take(1);
            if (!at)
                return 0;
            if (shift < 64)
                value |= static_cast<std::uint64_t>(*at & 0x7F) << shift;
            if ((*at & 0x80) == 0)
                return value;
        }
        m_failed = true;
        return 0;
    }

private:
    const unsigned char *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

bool readBytes(const ZipFormat::Source &source, std::int64_t offset, std::vector<unsigned char> &bytes, std::size_t count)
{
    bytes.resize(count);
    return count == 0 || source.readAt(offset, bytes.data(), count);
}

std::uint32_t dosTimeOf(std::time_t when)
{
    std::tm parts{};
    if (!::localtime_r(&when, &parts) || parts.tm_year < 80 || parts.tm_year > 207)
        return 0;
    return static_cast<std::uint32_t>(((parts.tm_year - 80) << 25) | ((parts.tm_mon + 1) << 21) | (parts.tm_mday << 16)
                                      | (parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
}

void appendUtf8(std::string &out, std::uint32_t c)
{
    if (c >= 0xD800 && c <= 0xDFFF)
        c = 0xFFFD;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The compact Unicode form behind a 2.9 name: a high byte, then groups of
// four two-bit commands saying how each character is made.
std::string decodeCompactUnicode(const std::string &oem, const unsigned char *enc, std::size_t encSize)
{
    std::vector<std::uint16_t> chars;
    const std::size_t maxChars = oem.size() + 256;
    std::size_t pos = 0;
    if (encSize == 0)
        return {};
    const unsigned highByte = enc[pos++];
    unsigned flags = 0;
    int flagBits = 0;
    while (pos < encSize && chars.size() < maxChars) {
        if (flagBits == 0) {
            flags = enc[pos++];
            flagBits = 8;
        }
        switch (flags >> 6) {
        case 0:
            if (pos >= encSize)
                return {};
            chars.push_back(enc[pos++]);
            break;
        case 1:
            if (pos >= encSize)
                return {};
            chars.push_back(static_cast<std::uint16_t>(enc[pos++] + (highByte << 8)));
            break;
        case 2:
            if (pos + 1 >= encSize)
                return {};
            chars.push_back(static_cast<std::uint16_t>(enc[pos] | (enc[pos + 1] << 8)));
            pos += 2;
            break;
        default: {
            if (pos >= encSize)
                return {};
            unsigned length = enc[pos++];
            unsigned correction = 0;
            const bool corrected = (length & 0x80) != 0;
            if (corrected) {
                if (pos >= encSize)
                    return {};
                correction = enc[pos++];
            }
            for (length = (length & 0x7F) + 2; length > 0 && chars.size() < maxChars; --length) {
                const std::size_t at = chars.size();
                const unsigned base = at < oem.size() ? static_cast<unsigned char>(oem[at]) : 0;
                chars.push_back(corrected ? static_cast<std::uint16_t>(((base + correction) & 0xFF) + (highByte << 8))
                                          : static_cast<std::uint16_t>(base));
            }
            break;
        }
        }
        flags = (flags << 2) & 0xFF;
        flagBits -= 2;
    }
    std::string out;
    for (const std::uint16_t c : chars) {
        if (c == 0)
            break;
        appendUtf8(out, c);
    }
    return out;
}

void useBackslashes(std::string &name)
{
    for (char &c : name) {
        if (c == '/')
            c = '\\';
    }
}


// The fields of a 2.9 file header behind its 7 common bytes.
bool readRar4File(const std::vector<unsigned char> &header, unsigned flags, Entry &entry)
{
    Cursor cursor(header.data() + 7, header.size() - 7);
    std::uint64_t packed = cursor.u32();
    std::uint64_t unpacked = cursor.u32();
    const unsigned char *host = cursor.take(1);
    entry.crc = cursor.u32();
    entry.hasCrc = true;
    entry.dosTime = cursor.u32();
    const unsigned char *versionAndMethod = cursor.take(2);
    const unsigned char *nameSize = cursor.take(2);
    entry.attributes = cursor.u32();
    if (flags & FileLarge) {
        packed |= static_cast<std::uint64_t>(cursor.u32()) << 32;
        unpacked |= static_cast<std::uint64_t>(cursor.u32()) << 32;
    }
    const unsigned char *name = nameSize ? cursor.take(le16(nameSize)) : nullptr;
    if (cursor.failed() || !name)
        return false;
    entry.packedSize = packed;
    entry.unpackedSize = unpacked;
    entry.host = *host;
    entry.unpackVersion = versionAndMethod[0];
    entry.method = versionAndMethod[1];
    entry.name = decodeRar4Name(std::string(reinterpret_cast<const char *>(name), le16(nameSize)),
                                (flags & FileUnicode) != 0, entry.host);
    entry.splitBefore = (flags & FileSplitBefore) != 0;
    entry.splitAfter = (flags & FileSplitAfter) != 0;
    entry.encrypted = (flags & FileEncrypted) != 0;
    entry.hasComment = (flags & FileComment) != 0;
    entry.solid = (flags & FileSolid) != 0;
    entry.folder = (flags & FileFolderMask) == FileFolderMask;
    constexpr std::uint32_t TypeMask = 0170000, LinkType = 0120000;
    entry.link = entry.host == Unix && (entry.attributes & TypeMask) == LinkType;
    return true;
}

// A Windows FILETIME (100 ns steps since 1601) as Unix time.
std::time_t unixTimeOfFileTime(std::uint64_t value)
{
    constexpr std::uint64_t EpochDifference = 11644473600ull;
    const std::uint64_t seconds = value / 10000000ull;
    return seconds < EpochDifference ? 0 : static_cast<std::time_t>(seconds - EpochDifference);
}

// The extra records of a 5.0 file header: encryption, times, links.
bool readRar5Extras(Cursor extras, Entry &entry)
{
    while (extras.left() > 0) {
        const std::uint64_t size = extras.vint();
        if (extras.failed() || size == 0 || size > extras.left())
            return false;
        const unsigned char *record = extras.take(static_cast<std::size_t>(size));
        Cursor fields(record, static_cast<std::size_t>(size));
        const std::uint64_t type = fields.vint();
        if (type == ExtraCrypt) {
            entry.encrypted = true;
        } else if (type == ExtraRedirection) {
            entry.link = true;
        } else if (type == ExtraTime) {
            constexpr std::uint64_t UnixFormat = 0x01, ModifiedPresent = 0x02;
            const std::uint64_t flags = fields.vint();
            if (flags & ModifiedPresent) {
                const std::time_t when = (flags & UnixFormat) ? static_cast<std::time_t>(fields.u32())
                                                              : unixTimeOfFileTime(fields.u64());
                if (!fields.failed())
                    entry.dosTime = dosTimeOf(when);
            }
        }
    }
    return !extras.failed();
}

// The fields of a 5.0 file header behind its common fields.
bool readRar5File(Cursor &cursor, std::size_t extraSize, std::uint64_t headerFlags, Entry &entry)
{
    constexpr std::uint64_t FolderFlag = 0x01, TimeFlag = 0x02, CrcFlag = 0x04, UnknownSizeFlag = 0x08;
    const std::uint64_t fileFlags = cursor.vint();
    entry.unpackedSize = cursor.vint();
    entry.attributes = static_cast<std::uint32_t>(cursor.vint());
    if (fileFlags & TimeFlag)
        entry.dosTime = dosTimeOf(static_cast<std::time_t>(cursor.u32()));
    if (fileFlags & CrcFlag) {
        entry.crc = cursor.u32();
        entry.hasCrc = true;
    }
    const std::uint64_t compression = cursor.vint();
    const std::uint64_t host = cursor.vint();
    const std::uint64_t nameLength = cursor.vint();
    if (cursor.failed() || nameLength > cursor.left())
        return false;
    const unsigned char *name = cursor.take(static_cast<std::size_t>(nameLength));
    if (cursor.left() != extraSize)
        return false;
    entry.name.assign(reinterpret_cast<const char *>(name), static_cast<std::size_t>(nameLength));
    entry.name = entry.name.substr(0, entry.name.find('\0'));
    if (!ZipFormat::isValidUtf8(entry.name))
        entry.name = ZipFormat::cp852ToUtf8(entry.name);
    useBackslashes(entry.name);
    entry.folder = (fileFlags & FolderFlag) != 0;
    entry.unpackedSizeKnown = (fileFlags & UnknownSizeFlag) == 0;
    entry.unpackVersion = 50 + static_cast<unsigned>(compression & 0x3F);
    entry.solid = (compression & 0x40) != 0;
    entry.method = 0x30 + static_cast<unsigned>((compression >> 7) & 0x07);
    entry.host = host == 0 ? Win32 : host == 1 ? Unix : static_cast<unsigned>(std::min<std::uint64_t>(host, 255));
    entry.splitBefore = (headerFlags & DataBefore) != 0;
    entry.splitAfter = (headerFlags & DataAfter) != 0;
    return readRar5Extras(Cursor(cursor.take(extraSize), extraSize), entry);
}

} // namespace

std::uint32_t crc32(const void *data, std::size_t size, std::uint32_t crc)
{
    const auto &table = crcTable();
    const auto *bytes = static_cast<const unsigned char *>(data);
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::string decodeRar4Name(const std::string &raw, bool unicodeFlag, unsigned host)
{
    std::string name;
    if (unicodeFlag) {
        const std::size_t zero = raw.find('\0');
        if (zero == std::string::npos) {
            name = raw;
        } else {
            const std::string oem = raw.substr(0, zero);
            name = decodeCompactUnicode(oem, reinterpret_cast<const unsigned char *>(raw.data()) + zero + 1,
                                        raw.size() - zero - 1);
            if (name.empty())
                name = ZipFormat::cp852ToUtf8(oem);
        }
        if (!ZipFormat::isValidUtf8(name))
            name = ZipFormat::cp852ToUtf8(name);
    } else {
        const std::string plain = raw.substr(0, raw.find('\0'));
        // Unix tools store the locale's bytes, which today are UTF-8.
        name = host == Unix && ZipFormat::isValidUtf8(plain) ? plain : ZipFormat::cp852ToUtf8(plain);
    }
    useBackslashes(name);
    return name;
}

namespace {

// The first signature within the first MaxStubSize bytes of a program.
std::optional<std::int64_t> archiveBehindStub(const ZipFormat::Source &source)
{
    unsigned char start[4];
    if (!source.readAt(0, start, sizeof start))
        return std::nullopt;
    const bool program = (start[0] == 'M' && start[1] == 'Z') || std::memcmp(start, "\x7F" "ELF", 4) == 0;
    if (!program)
        return std::nullopt;
    const std::int64_t length = std::min(source.size(), MaxStubSize + static_cast<std::int64_t>(sizeof Rar5Signature));
    std::string bytes(static_cast<std::size_t>(length), '\0');
    if (!source.readAt(0, bytes.data(), bytes.size()))
        return std::nullopt;
    const std::string_view marker(reinterpret_cast<const char *>(Rar4Signature), 6); // "Rar!" 1A 07
    for (std::size_t at = bytes.find(marker, 1); at != std::string::npos; at = bytes.find(marker, at + 1)) {
        if (at + 7 <= bytes.size() && (bytes[at + 6] == 0 || (bytes[at + 6] == 1 && at + 8 <= bytes.size() && bytes[at + 7] == 0)))
            return static_cast<std::int64_t>(at);
    }
    return std::nullopt;
}

bool signatureAt(const ZipFormat::Source &source, std::int64_t offset, const unsigned char *signature, std::size_t size)
{
    unsigned char bytes[sizeof Rar5Signature];
    return source.size() >= offset + static_cast<std::int64_t>(size) && source.readAt(offset, bytes, size)
           && std::memcmp(bytes, signature, size) == 0;
}

} // namespace

HeaderWalker::Status HeaderWalker::open()
{
    std::int64_t start = 0;
    if (!signatureAt(m_source, 0, Rar5Signature, sizeof Rar5Signature)
        && !signatureAt(m_source, 0, Rar4Signature, sizeof Rar4Signature)) {
        const std::optional<std::int64_t> behind = archiveBehindStub(m_source);
        if (!behind)
            return Status::NotRar;
        start = *behind;
    }
    m_archive.start = start;
    if (signatureAt(m_source, start, Rar5Signature, sizeof Rar5Signature)) {
        m_archive.layout = Layout::Rar5;
        m_position = start + static_cast<std::int64_t>(sizeof Rar5Signature);
    } else if (signatureAt(m_source, start, Rar4Signature, sizeof Rar4Signature)) {
        m_archive.layout = Layout::Rar4;
        m_position = start + static_cast<std::int64_t>(sizeof Rar4Signature);
    } else {
        return Status::NotRar;
    }
    // The main header comes first; reading it sets the archive's flags.
    bool isFile = false, isEnd = false;
    const Status status = m_archive.layout == Layout::Rar5 ? readRar5Block(nullptr, isFile, isEnd)
                                                          : readRar4Block(nullptr, isFile, isEnd);
    if (status != Status::Ok)
        return status == Status::End ? Status::Broken : status;
    if (isFile || isEnd)
        return Status::Broken;
    m_archive.blocksStart = m_position;
    return Status::Ok;
}

HeaderWalker::Status HeaderWalker::next(Entry &entry)
{
    if (m_finished)
        return Status::End;
    for (;;) {
        entry = {};
        bool isFile = false, isEnd = false;
        const Status status = m_archive.layout == Layout::Rar5 ? readRar5Block(&entry, isFile, isEnd)
                                                              : readRar4Block(&entry, isFile, isEnd);
        if (status != Status::Ok || isEnd) {
            m_finished = true;
            return status == Status::Ok ? Status::End : status;
        }
        if (isFile)
            return Status::Ok;
    }
}

// One block of the 2.9 layout at the current position; the position moves
// past its header and data. Without an entry to fill, only a main header
// is accepted (opening).
HeaderWalker::Status HeaderWalker::readRar4Block(Entry *entry, bool &isFile, bool &isEnd)
{
    const std::int64_t size = m_source.size();
    // An archive may end without an end block.
    if (entry && m_position == size)
        return Status::End;
    constexpr std::size_t Base = 7;
    std::vector<unsigned char> header;
    if (size - m_position < static_cast<std::int64_t>(Base) || !readBytes(m_source, m_position, header, Base))
        return Status::Broken;
    const unsigned type = header[2];
    const unsigned flags = le16(&header[3]);
    const std::size_t headSize = le16(&header[5]);
    if (headSize < Base || size - m_position < static_cast<std::int64_t>(headSize)
        || !readBytes(m_source, m_position, header, headSize))
        return Status::Broken;
    if ((crc32(header.data() + 2, headSize - 2) & 0xFFFF) != le16(header.data()))
        return Status::Broken;
    Cursor cursor(header.data() + Base, headSize - Base);
    std::uint64_t dataSize = 0;
    if (flags & LongBlock)
        dataSize = cursor.u32();
    if (cursor.failed())
        return Status::Broken;

    if (!entry && type != MainHead)
        return Status::Broken;
    if (type == MainHead) {
        m_archive.solid = (flags & SolidArchive) != 0;
        m_archive.volume = (flags & VolumeArchive) != 0;
        if (flags & PasswordHeaders)
            return Status::EncryptedHeaders;
    } else if (type == EndHead) {
        isEnd = true;
        return Status::Ok;
    } else if (type == FileHead) {
        isFile = true;
        if (!readRar4File(header, flags, *entry))
            return Status::Broken;
        dataSize = entry->packedSize;
        entry->dataOffset = m_position + static_cast<std::int64_t>(headSize);
        entry->headerOffset = m_position;
    }
    const std::int64_t end = m_position + static_cast<std::int64_t>(headSize);
    if (dataSize > static_cast<std::uint64_t>(size - end))
        return Status::Broken;
    m_position = end + static_cast<std::int64_t>(dataSize);
    return Status::Ok;
}

// One block of the 5.0 layout at the current position, as for the 2.9 one.
HeaderWalker::Status HeaderWalker::readRar5Block(Entry *entry, bool &isFile, bool &isEnd)
{
    const std::int64_t size = m_source.size();
    if (entry && m_position == size)
        return Status::End;
    // The CRC and a header size of at most three bytes (2 MiB).
    std::vector<unsigned char> front;
    const std::size_t frontSize = static_cast<std::size_t>(std::min<std::int64_t>(size - m_position, 7));
    if (frontSize < 5 || !readBytes(m_source, m_position, front, frontSize))
        return Status::Broken;
    Cursor sizeCursor(front.data() + 4, frontSize - 4);
    const std::uint64_t headerSize = sizeCursor.vint();
    if (sizeCursor.failed() || headerSize == 0 || headerSize > MaxRar5Header)
        return Status::Broken;
    const std::size_t sizeBytes = sizeCursor.position();
    const std::uint64_t total = 4 + sizeBytes + headerSize;
    std::vector<unsigned char> block;
    if (total > static_cast<std::uint64_t>(size - m_position)
        || !readBytes(m_source, m_position, block, static_cast<std::size_t>(total)))
        return Status::Broken;
    if (crc32(block.data() + 4, block.size() - 4) != le32(block.data()))
        return Status::Broken;
    Cursor cursor(block.data() + 4 + sizeBytes, static_cast<std::size_t>(headerSize));
    const std::uint64_t type = cursor.vint();
    const std::uint64_t flags = cursor.vint();
    const std::uint64_t extraSize = (flags & HasExtra) ? cursor.vint() : 0;
    const std::uint64_t dataSize = (flags & HasData) ? cursor.vint() : 0;
    if (cursor.failed() || extraSize > cursor.left())
        return Status::Broken;
    const std::int64_t end = m_position + static_cast<std::int64_t>(total);
    if (dataSize > static_cast<std::uint64_t>(size - end))
        return Status::Broken;

    if (!entry && type != Main5 && type != Encryption5)
        return Status::Broken;
    if (type == Encryption5)
        return Status::EncryptedHeaders;
    if (type == Main5) {
        constexpr std::uint64_t VolumeFlag = 0x01, SolidFlag = 0x04;
        const std::uint64_t archiveFlags = cursor.vint();
        if (cursor.failed())
            return Status::Broken;
        m_archive.volume = (archiveFlags & VolumeFlag) != 0;
        m_archive.solid = (archiveFlags & SolidFlag) != 0;
    } else if (type == End5) {
        isEnd = true;
        return Status::Ok;
    } else if (type == File5) {
        isFile = true;
        if (!readRar5File(cursor, static_cast<std::size_t>(extraSize), flags, *entry))
            return Status::Broken;
        entry->packedSize = dataSize;
        entry->dataOffset = end;
    }
    m_position = end + static_cast<std::int64_t>(dataSize);
    return Status::Ok;
}

} // namespace RarFormat
