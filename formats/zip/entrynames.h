#pragma once

// Entry names and comments of a zip archive, decoded to UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace ZipFormat {

// Which names are taken as OEM (DOS) text: by the host system that stored
// them (cpAuto), never (cpNone) or always (cpOEM).
enum class CodePage { Auto, None, Oem };

struct NameOrigin
{
    std::uint16_t flags = 0;
    std::uint8_t versionMadeBy = 0;
    std::uint8_t hostSystem = 0;
};

// The general-purpose flag that marks UTF-8 names.
inline constexpr std::uint16_t Utf8NameFlag = 0x0800;

bool isValidUtf8(std::string_view bytes);

// The text of a stored name:
//  - flagged UTF-8 names, and unflagged names that are valid UTF-8 (as
//    Linux zip tools write them), are UTF-8;
//  - names from FAT or HPFS hosts, from NTFS with version 5.0, or any name
//    under cpOEM, are CP852, the Polish DOS code page;
//  - others are Windows-1250.
// Bytes that are no valid text become U+FFFD, so the result is valid UTF-8.
std::string decodeEntryName(std::string_view raw, NameOrigin origin, CodePage codePage);

std::string cp852ToUtf8(std::string_view bytes);
std::string cp1250ToUtf8(std::string_view bytes);

} // namespace ZipFormat
