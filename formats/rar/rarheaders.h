#pragma once

// A walker over the block headers of a RAR archive (the 2.9 layout and the
// 5.0 layout): it lists the file entries with their names, sizes, times
// and flags, and finds where each entry's data lies. It decodes no data.

#include "zipsource.h"

#include <cstdint>
#include <string>

namespace RarFormat {

enum class Layout { Rar4, Rar5 };

struct ArchiveInfo
{
    Layout layout = Layout::Rar4;
    bool solid = false;
    bool volume = false;
    // Where the archive starts: 0, or behind the program of a
    // self-extracting archive.
    std::int64_t start = 0;
    // Where the blocks behind the main header start.
    std::int64_t blocksStart = 0;
};

// How far behind a program stub the archive of a self-extracting file is
// looked for (the stubs of RAR's own self-extractors are smaller).
inline constexpr std::int64_t MaxStubSize = 2 * 1024 * 1024;

// Host systems in the 2.9 numbering, which both layouts are reported in.
enum Host : unsigned { MsDos = 0, Os2 = 1, Win32 = 2, Unix = 3, MacOs = 4, BeOs = 5 };

struct Entry
{
    std::string name;    // UTF-8, "\" between folders
    std::uint64_t packedSize = 0;
    std::uint64_t unpackedSize = 0;
    bool unpackedSizeKnown = true;
    std::uint32_t crc = 0;
    bool hasCrc = false;
    std::uint32_t dosTime = 0; // local DOS date and time; 0 when none
    std::uint32_t attributes = 0;
    unsigned host = MsDos;
    unsigned unpackVersion = 0; // 29 for the 2.9 layout's algorithm, 50 for 5.0
    unsigned method = 0x30;     // 0x30 stored ... 0x35 best
    std::int64_t dataOffset = 0;
    std::int64_t headerOffset = 0; // where the entry's block starts (2.9 layout)
    bool folder = false;
    bool encrypted = false;
    bool solid = false;       // continues the previous entry's dictionary
    bool link = false;        // symbolic or hard link, junction, file copy
    bool splitBefore = false; // data continues from the previous volume
    bool splitAfter = false;  // data continues in the next volume
    bool hasComment = false;

    bool stored() const { return method == 0x30; }
};

class HeaderWalker
{
public:
    enum class Status { Ok, End, Broken, NotRar, EncryptedHeaders };

    explicit HeaderWalker(const ZipFormat::Source &source) : m_source(source) {}

    // Reads the signature and the main header. A file that starts as a
    // program (a Windows or a Linux one) is searched for the signature
    // within its first MaxStubSize bytes.
    Status open();
    const ArchiveInfo &archive() const { return m_archive; }

    // The next file entry; service blocks are passed over.
    Status next(Entry &entry);

private:
    Status nextRar4(Entry &entry);
    Status nextRar5(Entry &entry);
    Status readRar4Block(Entry *entry, bool &isFile, bool &isEnd);
    Status readRar5Block(Entry *entry, bool &isFile, bool &isEnd);

    const ZipFormat::Source &m_source;
    ArchiveInfo m_archive;
    std::int64_t m_position = 0;
    bool m_finished = false;
};

std::uint32_t crc32(const void *data, std::size_t size, std::uint32_t crc = 0);

// The name of a 2.9 file header: OEM text (CP852), UTF-8, or the OEM name
// followed by a zero and the compact Unicode form.
std::string decodeRar4Name(const std::string &raw, bool unicodeFlag, unsigned host);

} // namespace RarFormat
