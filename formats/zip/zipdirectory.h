#pragma once

// The directory of a zip archive, read from its central directory: where
// the end record lies, what the archive holds and where its data starts.

#include "entrynames.h"
#include "zipsource.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ZipFormat {

inline constexpr std::uint32_t LocalSignature = 0x04034B50;
inline constexpr std::uint32_t CentralSignature = 0x02014B50;
inline constexpr std::uint32_t EndSignature = 0x06054B50;
inline constexpr std::uint32_t SpanSignature = 0x08074B50;
inline constexpr std::uint32_t Zip64LocatorSignature = 0x07064B50;

inline constexpr int LocalHeaderSize = 30;
inline constexpr int CentralHeaderSize = 46;
inline constexpr int EndRecordSize = 22;
inline constexpr int Zip64LocatorSize = 20;
// The end record plus the longest comment it can announce.
inline constexpr int MaxTailScan = EndRecordSize + 65535;

// Ids of the runtime's message table that reading reports.
namespace Message {
inline constexpr int SeekFailed = 10201;
inline constexpr int StructureWarning = 10203;
inline constexpr int TrailingDataWarning = 10204;
inline constexpr int OpenFailed = 11002;
inline constexpr int EndReadFailed = 11011;
inline constexpr int CentralReadFailed = 11013;
inline constexpr int CentralSignatureWrong = 11015;
inline constexpr int NameReadFailed = 11017;
inline constexpr int CommentReadFailed = 11022;
inline constexpr int NotZip = 11036;
inline constexpr int FirstFileOfSet = 11045;
// Beyond the table: archives this reader refuses with a reason.
inline constexpr int Zip64Refused = 11101;
inline constexpr int SpannedRefused = 11102;
} // namespace Message

struct EndRecord
{
    std::uint16_t thisDisk = 0;
    std::uint16_t directoryDisk = 0;
    std::uint16_t entriesOnDisk = 0;
    std::uint16_t totalEntries = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryOffset = 0;
    std::uint16_t commentLength = 0;
};

struct EndLocation
{
    EndRecord record;
    std::int64_t recordOffset = 0;
    // Where the record and its comment end; bytes after it are not the archive's.
    std::int64_t usableEnd = 0;
    std::int64_t fileSize = 0;
    bool trailingData = false;
    bool firstPartOfSet = false;
    bool zip64 = false; // a Zip64 locator stands in front of the record
    std::string comment; // up to its first zero byte
    std::array<unsigned char, EndRecordSize> bytes{};

    // Where the directory really starts: just before the end record.
    std::int64_t directoryStart() const { return recordOffset - record.directorySize; }
};

struct EndSearch
{
    std::optional<EndLocation> found;
    int error = 0; // message id when nothing was found
};

// Looks for the end record backwards from the end of the file. A record is
// accepted only when its comment stays inside the file and the directory
// it announces starts with a central header, so the end record of a zip
// stored as the last entry of another is never taken for the outer one.
EndSearch findEndOfCentralDir(const Source &source);

struct DosDateTime
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The date and time of a DOS date-time, or nothing when it names no real
// day or time.
std::optional<DosDateTime> decodeDosDateTime(std::uint32_t value);

// One central-directory entry: the 42 header bytes after the signature as
// stored, and the name and comment decoded.
struct Entry
{
    std::array<unsigned char, CentralHeaderSize - 4> header{};
    std::string rawName;
    std::string fileName;    // UTF-8, every "/" turned to "\"
    std::string fileComment; // UTF-8

    std::uint8_t versionMadeBy() const { return header[0]; }
    std::uint8_t hostSystem() const { return header[1]; }
    std::uint16_t versionNeeded() const;
    std::uint16_t flags() const;
    std::uint16_t method() const;
    std::uint32_t dosDateTime() const;
    std::uint32_t crc32() const;
    std::uint32_t compressedSize() const;
    std::uint32_t uncompressedSize() const;
    std::uint16_t diskNumberStart() const;
    std::uint16_t internalAttributes() const;
    std::uint32_t externalAttributes() const;
    std::uint32_t localHeaderOffset() const;

    bool isFolder() const;
    // A symbolic link stored by a Unix zip tool.
    bool isLink() const;
};

struct Directory
{
    int error = 0; // message id; the entries are empty then
    std::vector<int> warnings;
    EndLocation end;
    std::vector<Entry> entries;
    // The directory's real start and how far the archive lies behind the
    // offsets it records (data in front of an unshifted archive).
    std::int64_t directoryStart = 0;
    std::int64_t shift = 0;
    // Offset of the first local header in the file.
    std::int64_t frontOffset = 0;
    bool spanned = false;
};

Directory readDirectory(const Source &source, CodePage codePage = CodePage::Auto);

// Parses count central headers held in bytes; 0 or the failing message id.
int parseCentralDirectory(const std::string &bytes, int count, CodePage codePage, std::vector<Entry> &entries);

} // namespace ZipFormat
