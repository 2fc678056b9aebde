#pragma once

// Entries that the system's libzip cannot decode (LZMA, XZ, Zstandard,
// PPMd, WinZip AES) are decoded by libarchive, one entry at a time: it is
// handed that entry alone, as a small archive of its local header, its data
// and a directory of one, read from the archive file where the entry lies.

#include "zipdirectory.h"
#include "zipsource.h"

#include <cstdint>
#include <functional>
#include <string>

namespace UnzipDecoder {

// The method's name as zip tools call it, "metoda 97" for one without a name.
std::string methodName(std::uint16_t method);

// Whether libarchive, not libzip, decodes the entry.
bool needsArchiveDecoder(const ZipFormat::Entry &entry);

struct Outcome {
    bool ok = false;
    std::string error; // why not, for the message; empty when write stopped it
};

using Writer = std::function<bool(const char *data, std::size_t size)>;

// Decodes the entry whose local header lies shift bytes behind the offset
// the directory records, handing its bytes to write. Checks what libarchive
// checks (the WinZip authentication code among it) and the entry's CRC,
// except for AE-2 entries, whose CRC is 0 by design.
Outcome decode(const ZipFormat::Source &source, std::int64_t shift, const ZipFormat::Entry &entry,
               const char *password, const Writer &write);

} // namespace UnzipDecoder
