#include "archivedecoder.h"

#include <archive.h>
#include <archive_entry.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace UnzipDecoder {
namespace {

constexpr std::uint16_t Stored = 0, Deflated = 8, Bzip2 = 12, Lzma = 14, Zstandard = 93, Xz = 95, Ppmd = 98,
                        WinZipAes = 99;
constexpr std::size_t LocalHeaderSize = 30;
constexpr std::size_t BlockSize = 64 * 1024;

std::uint16_t get16(const unsigned char *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t get32(const unsigned char *p)
{
    return static_cast<std::uint32_t>(get16(p)) | (static_cast<std::uint32_t>(get16(p + 2)) << 16);
}

void put16(std::string &out, std::uint32_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string &out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

bool decodedByLibarchive(std::uint16_t method)
{
    switch (method) {
    case Stored: case Deflated: case Bzip2: case Lzma: case Zstandard: case Xz: case Ppmd:
        return true;
    default:
        return false;
    }
}

// The WinZip AES field of an extra block: its vendor version (1 or 2) and
// the method of the data under the encryption; nothing when there is none.
struct AesField {
    std::uint16_t vendorVersion = 0;
    std::uint16_t method = 0;
};

AesField aesFieldOf(const std::string &extra)
{
    AesField field;
    std::size_t at = 0;
    while (at + 4 <= extra.size()) {
        const auto *p = reinterpret_cast<const unsigned char *>(extra.data() + at);
        const std::uint16_t id = get16(p);
        const std::uint16_t size = get16(p + 2);
        if (at + 4 + size > extra.size())
            break;
        if (id == 0x9901 && size >= 7) {
            field.vendorVersion = get16(p + 4);
            field.method = get16(p + 9);
        }
        at += 4 + size;
    }
    return field;
}

// The bytes libarchive reads: the entry's local part from the archive file,
// then a directory of one entry and its end record from memory.
class OneEntryStream
{
public:
    OneEntryStream(const ZipFormat::Source &source, std::int64_t start, std::int64_t localLength, std::string trailer)
        : m_source(source), m_start(start), m_localLength(localLength), m_trailer(std::move(trailer)),
          m_buffer(BlockSize)
    {
    }

    std::int64_t size() const { return m_localLength + static_cast<std::int64_t>(m_trailer.size()); }

    la_ssize_t read(const void **block)
    {
        if (m_position >= size())
            return 0;
        std::size_t count = 0;
        if (m_position < m_localLength) {
            count = static_cast<std::size_t>(std::min<std::int64_t>(BlockSize, m_localLength - m_position));
            if (!m_source.readAt(m_start + m_position, m_buffer.data(), count))
                return -1;
            *block = m_buffer.data();
        } else {
            const std::size_t at = static_cast<std::size_t>(m_position - m_localLength);
            count = std::min(BlockSize, m_trailer.size() - at);
            *block = m_trailer.data() + at;
        }
        m_position += static_cast<std::int64_t>(count);
        return static_cast<la_ssize_t>(count);
    }

    la_int64_t seek(la_int64_t offset, int whence)
    {
        const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m_position : size();
        const std::int64_t target = base + offset;
        if (target < 0 || target > size())
            return ARCHIVE_FATAL;
        m_position = target;
        return m_position;
    }

    la_int64_t skip(la_int64_t request)
    {
        const std::int64_t step = std::clamp<std::int64_t>(request, 0, size() - m_position);
        m_position += step;
        return step;
    }

private:
    const ZipFormat::Source &m_source;
    std::int64_t m_start;
    std::int64_t m_localLength;
    std::string m_trailer;
    std::vector<char> m_buffer;
    std::int64_t m_position = 0;
};

la_ssize_t readCallback(archive *, void *data, const void **block)
{
    return static_cast<OneEntryStream *>(data)->read(block);
}

la_int64_t seekCallback(archive *, void *data, la_int64_t offset, int whence)
{
    return static_cast<OneEntryStream *>(data)->seek(offset, whence);
}

la_int64_t skipCallback(archive *, void *data, la_int64_t request)
{
    return static_cast<OneEntryStream *>(data)->skip(request);
}

Outcome failure(const std::string &why)
{
    return {false, why};
}

// The directory of one entry (the entry's own header, its offset 0, the
// local extra field, no comment) and the end record behind it.
std::string oneEntryDirectory(const ZipFormat::Entry &entry, const std::string &extra, std::int64_t localLength)
{
    std::string directory;
    put32(directory, 0x02014B50);
    std::string header(reinterpret_cast<const char *>(entry.header.data()), entry.header.size());
    const auto patch16 = [&](std::size_t at, std::uint32_t value) {
        header[at] = static_cast<char>(value & 0xFF);
        header[at + 1] = static_cast<char>((value >> 8) & 0xFF);
    };
    patch16(24, static_cast<std::uint32_t>(entry.rawName.size()));
    patch16(26, static_cast<std::uint32_t>(extra.size()));
    patch16(28, 0); // no comment
    patch16(30, 0); // disk 0
    patch16(38, 0); // local header at offset 0
    patch16(40, 0);
    directory += header + entry.rawName + extra;
    const std::uint32_t directorySize = static_cast<std::uint32_t>(directory.size());
    put32(directory, 0x06054B50);
    put16(directory, 0);
    put16(directory, 0);
    put16(directory, 1);
    put16(directory, 1);
    put32(directory, directorySize);
    put32(directory, static_cast<std::uint32_t>(localLength));
    put16(directory, 0);
    return directory;
}

} // namespace

std::string methodName(std::uint16_t method)
{
    switch (method) {
    case Stored: return "bez kompresji";
    case Deflated: return "Deflate";
    case 9: return "Deflate64";
    case Bzip2: return "BZIP2";
    case Lzma: return "LZMA";
    case Zstandard: return "Zstandard";
    case 96: return "JPEG";
    case 97: return "WavPack";
    case Xz: return "XZ";
    case Ppmd: return "PPMd";
    case WinZipAes: return "WinZip AES";
    default: return "metoda " + std::to_string(method);
    }
}

bool needsArchiveDecoder(const ZipFormat::Entry &entry)
{
    switch (entry.method()) {
    case Lzma: case Zstandard: case Xz: case Ppmd: case WinZipAes:
        return true;
    default:
        return false;
    }
}

Outcome decode(const ZipFormat::Source &source, std::int64_t shift, const ZipFormat::Entry &entry,
               const char *password, const Writer &write)
{
    const std::int64_t start = static_cast<std::int64_t>(entry.localHeaderOffset()) + shift;
    unsigned char local[LocalHeaderSize];
    if (start < 0 || !source.readAt(start, local, sizeof local) || get32(local) != 0x04034B50)
        return failure("brak nagłówka lokalnego");
    const std::size_t nameLength = get16(local + 26);
    const std::size_t extraLength = get16(local + 28);
    std::string extra(extraLength, '\0');
    if (extraLength > 0 && !source.readAt(start + LocalHeaderSize + nameLength, extra.data(), extraLength))
        return failure("uszkodzony nagłówek lokalny");

    const AesField aes = aesFieldOf(extra);
    const std::uint16_t method = entry.method() == WinZipAes ? aes.method : entry.method();
    if (entry.method() == WinZipAes && aes.vendorVersion == 0)
        return failure("brak opisu szyfrowania WinZip AES");
    if (!decodedByLibarchive(method))
        return failure("metoda kompresji " + methodName(method) + " nie jest obsługiwana");

    std::int64_t localLength = static_cast<std::int64_t>(LocalHeaderSize + nameLength + extraLength)
                               + entry.compressedSize();
    if (entry.flags() & 0x0008) {
        // The data descriptor follows the data, with or without its signature.
        unsigned char signature[4];
        const bool marked = source.readAt(start + localLength, signature, 4) && get32(signature) == 0x08074B50;
        localLength += marked ? 16 : 12;
    }
    if (start + localLength > source.size())
        return failure("dane wpisu wykraczają poza archiwum");

    OneEntryStream stream(source, start, localLength, oneEntryDirectory(entry, extra, localLength));
    archive *reader = archive_read_new();
    archive_read_support_format_zip_seekable(reader);
    if (password && *password)
        archive_read_add_passphrase(reader, password);
    archive_read_set_callback_data(reader, &stream);
    archive_read_set_read_callback(reader, readCallback);
    archive_read_set_seek_callback(reader, seekCallback);
    archive_read_set_skip_callback(reader, skipCallback);

    Outcome outcome;
    archive_entry *header = nullptr;
    if (archive_read_open1(reader) != ARCHIVE_OK || archive_read_next_header(reader, &header) != ARCHIVE_OK) {
        outcome = failure(archive_error_string(reader) ? archive_error_string(reader) : "nieczytelny wpis");
        archive_read_free(reader);
        return outcome;
    }
    std::vector<char> buffer(BlockSize);
    uLong crc = crc32(0L, Z_NULL, 0);
    outcome.ok = true;
    for (;;) {
        const la_ssize_t got = archive_read_data(reader, buffer.data(), buffer.size());
        if (got < 0) {
            outcome = failure(archive_error_string(reader) ? archive_error_string(reader) : "błąd dekompresji");
            break;
        }
        if (got == 0)
            break;
        crc = crc32(crc, reinterpret_cast<const Bytef *>(buffer.data()), static_cast<uInt>(got));
        if (!write(buffer.data(), static_cast<std::size_t>(got))) {
            outcome = failure({}); // the writer said why
            break;
        }
    }
    archive_read_free(reader);
    // AE-2 leaves the CRC 0: the authentication code, checked by libarchive,
    // stands for it.
    const bool checksCrc = !(entry.method() == WinZipAes && aes.vendorVersion == 2);
    if (outcome.ok && checksCrc && crc != entry.crc32())
        outcome = failure("błąd CRC");
    return outcome;
}

} // namespace UnzipDecoder
