// The RAR plug-in. Our header walker lists the entries and decides what may
// be extracted; libarchive decodes the data, which is checked against the
// entry's CRC before the file is put in place through the shared safe
// writer. What libarchive cannot decode is refused, never written wrongly.

#include "unrar.h"

#include "rarheaders.h"
#include "safeextract.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <locale.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <set>
#include <utility>
#include <vector>

#define UNRAR_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;
constexpr unsigned OldestDecodedVersion = 29;

// libarchive turns names into the character locale's text; names in the
// old OEM form need a UTF-8 one. The calling thread gets it for the time
// of a call, so the process's own locale stays as it is.
class Utf8Locale
{
public:
    Utf8Locale()
    {
        static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (utf8)
            m_previous = ::uselocale(utf8);
    }
    ~Utf8Locale()
    {
        if (m_previous)
            ::uselocale(m_previous);
    }
    Utf8Locale(const Utf8Locale &) = delete;
    Utf8Locale &operator=(const Utf8Locale &) = delete;

private:
    locale_t m_previous = static_cast<locale_t>(nullptr);
};

struct Archive
{
    std::string path;
    int mode = UnRar::List;
    std::unique_ptr<ZipFormat::FileSource> source;
    std::unique_ptr<RarFormat::HeaderWalker> walker;
    RarFormat::Entry current;
    bool haveCurrent = false;
    int entryIndex = -1; // of the current entry

    // libarchive follows the walker from entry to entry, opened on the
    // first entry that is extracted.
    struct archive *decoder = nullptr;
    int decoderIndex = -1; // entry whose header libarchive read last
    bool decoderDataRead = false;
    bool decoderBroken = false;
    bool stopped = false; // the data callback asked to stop
    std::int64_t readPosition = 0; // of libarchive's next read, in the stream it is given
    std::int64_t spliceAt = -1;    // the entry block the stream goes on with, -1: the whole archive
    std::vector<char> readBuffer;

    // The names written by this handle: a second entry of one name
    // (a file version) is written beside the first, never over it.
    std::set<std::string> writtenNames;

    std::string password;
    UnRar::ChangeVolProc changeVolume = nullptr;
    UnRar::ProcessDataProc processData = nullptr;

    ~Archive()
    {
        if (decoder)
            archive_read_free(decoder);
    }
};

void copyText(char *target, std::size_t size, const std::string &text)
{
    std::strncpy(target, text.c_str(), size - 1);
    target[size - 1] = '\0';
    // A name cut inside a character would not be valid UTF-8.
    std::size_t length = std::strlen(target);
    if (length == size - 1) {
        while (length > 0 && (static_cast<unsigned char>(target[length - 1]) & 0xC0) == 0x80)
            --length;
        if (length > 0 && static_cast<unsigned char>(target[length - 1]) >= 0xC0)
            --length;
        target[length] = '\0';
    }
}

void fillHeader(const Archive &archive, const RarFormat::Entry &entry, UnRar::HeaderData &header)
{
    copyText(header.ArcName, sizeof header.ArcName, archive.path);
    copyText(header.FileName, sizeof header.FileName, entry.name);
    unsigned flags = 0;
    flags |= entry.splitBefore ? unsigned(UnRar::SplitBefore) : 0u;
    flags |= entry.splitAfter ? unsigned(UnRar::SplitAfter) : 0u;
    flags |= entry.encrypted ? unsigned(UnRar::Encrypted) : 0u;
    flags |= entry.hasComment ? unsigned(UnRar::HasComment) : 0u;
    flags |= entry.solid ? unsigned(UnRar::Solid) : 0u;
    flags |= entry.folder ? unsigned(UnRar::Folder) : 0u;
    header.Flags = flags;
    header.PackSize = static_cast<unsigned>(entry.packedSize);
    header.UnpSize = static_cast<unsigned>(entry.unpackedSize);
    header.HostOS = entry.host;
    header.FileCRC = entry.crc;
    header.FileTime = entry.dosTime;
    header.UnpVer = entry.unpackVersion;
    header.Method = entry.method;
    header.FileAttr = entry.attributes;
    header.CmtSize = 0;
    header.CmtState = 0;
}

std::time_t unixTime(std::uint32_t dos)
{
    if (dos == 0)
        return 0;
    std::tm parts{};
    parts.tm_year = static_cast<int>(dos >> 25) + 80;
    parts.tm_mon = static_cast<int>((dos >> 21) & 0x0F) - 1;
    parts.tm_mday = static_cast<int>((dos >> 16) & 0x1F);
    parts.tm_hour = static_cast<int>((dos >> 11) & 0x1F);
    parts.tm_min = static_cast<int>((dos >> 5) & 0x3F);
    parts.tm_sec = static_cast<int>(dos & 0x1F) * 2;
    parts.tm_isdst = -1;
    const std::time_t when = std::mktime(&parts);
    return when == static_cast<std::time_t>(-1) ? 0 : when;
}

// Why an entry's data is not decoded: 0 when it may be, else the result
// that passes it over and lets the operation go on.
int refusal(const Archive &archive, const RarFormat::Entry &entry)
{
    if (entry.encrypted || entry.link)
        return UnRar::CreateFailed;
    if (entry.splitBefore || entry.splitAfter)
        return UnRar::BadData;
    if (archive.walker->archive().layout == RarFormat::Layout::Rar4) {
        // libarchive cannot go on past the first entry of a solid 2.9
        // archive, nor decode the algorithms older than 2.9.
        if ((archive.walker->archive().solid && archive.entryIndex > 0) || entry.solid)
            return UnRar::BadData;
        if (!entry.stored() && entry.unpackVersion < OldestDecodedVersion)
            return UnRar::BadData;
    }
    return 0;
}

// libarchive reads the archive from where the walker found it, so the
// program in front of a self-extracting archive is never its business.
// For one entry of the 2.9 layout it reads the main header and then the
// blocks from that entry on, so the entry is the first it sees.
std::int64_t streamSize(const Archive &archive)
{
    const RarFormat::ArchiveInfo &info = archive.walker->archive();
    if (archive.spliceAt < 0)
        return archive.source->size() - info.start;
    return (info.blocksStart - info.start) + (archive.source->size() - archive.spliceAt);
}

// The file offset of a position of the stream and how many bytes lie there
// in one piece.
std::pair<std::int64_t, std::int64_t> fileRange(const Archive &archive, std::int64_t position)
{
    const RarFormat::ArchiveInfo &info = archive.walker->archive();
    const std::int64_t front = info.blocksStart - info.start;
    if (archive.spliceAt < 0 || position >= front) {
        const std::int64_t offset = archive.spliceAt < 0 ? info.start + position : archive.spliceAt + position - front;
        return {offset, archive.source->size() - offset};
    }
    return {info.start + position, front - position};
}

la_ssize_t readArchive(struct archive *, void *data, const void **block)
{
    auto &archive = *static_cast<Archive *>(data);
    if (archive.readPosition >= streamSize(archive))
        return 0;
    const auto [offset, available] = fileRange(archive, archive.readPosition);
    const std::size_t count = static_cast<std::size_t>(std::min<std::int64_t>(available, archive.readBuffer.size()));
    if (count == 0 || !archive.source->readAt(offset, archive.readBuffer.data(), count))
        return -1;
    archive.readPosition += static_cast<std::int64_t>(count);
    *block = archive.readBuffer.data();
    return static_cast<la_ssize_t>(count);
}

la_int64_t seekArchive(struct archive *, void *data, la_int64_t offset, int whence)
{
    auto &archive = *static_cast<Archive *>(data);
    const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? archive.readPosition : streamSize(archive);
    const std::int64_t target = base + offset;
    if (target < 0 || target > streamSize(archive))
        return ARCHIVE_FATAL;
    archive.readPosition = target;
    return target;
}

la_int64_t skipArchive(struct archive *, void *data, la_int64_t request)
{
    auto &archive = *static_cast<Archive *>(data);
    const std::int64_t step = std::clamp<std::int64_t>(request, 0, streamSize(archive) - archive.readPosition);
    archive.readPosition += step;
    return step;
}

bool openDecoder(Archive &archive)
{
    archive.decoder = archive_read_new();
    if (!archive.decoder)
        return false;
    archive_read_support_format_rar(archive.decoder);
    archive_read_support_format_rar5(archive.decoder);
    archive.readPosition = 0;
    archive.readBuffer.resize(ChunkSize);
    archive_read_set_callback_data(archive.decoder, &archive);
    archive_read_set_read_callback(archive.decoder, readArchive);
    archive_read_set_seek_callback(archive.decoder, seekArchive);
    archive_read_set_skip_callback(archive.decoder, skipArchive);
    if (archive_read_open1(archive.decoder) != ARCHIVE_OK) {
        archive.decoderBroken = true;
        return false;
    }
    return true;
}

// A decoder of its own for the current entry of the 2.9 layout:
// libarchive takes entries of one name there for parts of one file and
// would join them, so each entry is shown to it as the first.
bool openDecoderOnEntry(Archive &archive)
{
    if (archive.decoder)
        archive_read_free(archive.decoder);
    archive.decoder = nullptr;
    archive.decoderBroken = false;
    archive.spliceAt = archive.current.headerOffset;
    struct archive_entry *header = nullptr;
    if (!openDecoder(archive) || archive_read_next_header(archive.decoder, &header) != ARCHIVE_OK) {
        archive.decoderBroken = true;
        return false;
    }
    archive.decoderIndex = archive.entryIndex;
    archive.decoderDataRead = false;
    const RarFormat::Entry &entry = archive.current;
    return !(entry.unpackedSizeKnown && archive_entry_size_is_set(header)
             && static_cast<std::uint64_t>(archive_entry_size(header)) != entry.unpackedSize);
}

// Moves libarchive to the current entry; false when it cannot follow.
bool seekDecoder(Archive &archive)
{
    if (archive.walker->archive().layout == RarFormat::Layout::Rar4 && !archive.walker->archive().solid)
        return openDecoderOnEntry(archive);
    if (archive.decoderBroken || (!archive.decoder && !openDecoder(archive)))
        return false;
    if (archive.decoderIndex > archive.entryIndex)
        return false;
    while (archive.decoderIndex < archive.entryIndex) {
        struct archive_entry *header = nullptr;
        const int result = archive_read_next_header(archive.decoder, &header);
        if (result != ARCHIVE_OK && result != ARCHIVE_WARN) {
            archive.decoderBroken = true;
            return false;
        }
        ++archive.decoderIndex;
        archive.decoderDataRead = false;
        // libarchive sees the same entries; a different size means it
        // does not, and nothing it decodes is trusted.
        if (archive.decoderIndex == archive.entryIndex) {
            const RarFormat::Entry &entry = archive.current;
            if (entry.unpackedSizeKnown && archive_entry_size_is_set(header)
                && static_cast<std::uint64_t>(archive_entry_size(header)) != entry.unpackedSize) {
                archive.decoderBroken = true;
                return false;
            }
        }
    }
    return !archive.decoderDataRead;
}

// Hands the current entry's data to write, checking its length and CRC.
bool decode(Archive &archive, const ZipFormat::SafeExtractor::Writer &write)
{
    if (!seekDecoder(archive))
        return false;
    archive.decoderDataRead = true;
    const RarFormat::Entry &entry = archive.current;
    std::vector<char> buffer(ChunkSize);
    std::uint32_t crc = 0;
    std::uint64_t length = 0;
    for (;;) {
        const la_ssize_t got = archive_read_data(archive.decoder, buffer.data(), buffer.size());
        if (got < 0) {
            archive.decoderBroken = true;
            return false;
        }
        if (got == 0)
            break;
        crc = RarFormat::crc32(buffer.data(), static_cast<std::size_t>(got), crc);
        length += static_cast<std::uint64_t>(got);
        if (archive.processData
            && archive.processData(reinterpret_cast<unsigned char *>(buffer.data()), static_cast<int>(got)) == -1) {
            archive.stopped = true;
            return false;
        }
        if (!write(buffer.data(), static_cast<std::size_t>(got)))
            return false;
    }
    if (entry.unpackedSizeKnown && length != entry.unpackedSize)
        return false;
    return !entry.hasCrc || crc == entry.crc;
}

std::string currentFolder()
{
    std::vector<char> path(4096);
    return ::getcwd(path.data(), path.size()) ? std::string(path.data()) : std::string();
}

// A name as a key: one separator kind. Letter case stays: names that
// differ in it are two files here.
std::string nameKey(const std::string &name)
{
    std::string key = name;
    std::replace(key.begin(), key.end(), '/', '\\');
    return key;
}

// The entry's name, or, when this handle wrote an entry of that name
// already, the name with " (2)", " (3)", ... before its extension.
std::string distinctName(const Archive &archive, const std::string &name)
{
    if (!archive.writtenNames.count(nameKey(name)))
        return name;
    const std::size_t folder = name.find_last_of("\\/");
    const std::size_t dot = name.find_last_of('.');
    const std::size_t cut = dot != std::string::npos && (folder == std::string::npos || dot > folder + 1) ? dot
                                                                                                          : name.size();
    for (int version = 2;; ++version) {
        const std::string candidate = name.substr(0, cut) + " (" + std::to_string(version) + ")" + name.substr(cut);
        if (!archive.writtenNames.count(nameKey(candidate)))
            return candidate;
    }
}

int extractEntry(Archive &archive, int operation, const char *destPath)
{
    const RarFormat::Entry &entry = archive.current;
    if (const int refused = refusal(archive, entry))
        return refused;
    using Status = ZipFormat::SafeExtractor::Status;
    if (operation == UnRar::Test) {
        if (entry.folder)
            return UnRar::Success;
        const bool ok = decode(archive, [](const char *, std::size_t) { return true; });
        return ok ? UnRar::Success : archive.stopped ? UnRar::Unknown : UnRar::BadData;
    }
    ZipFormat::SafeExtractor target(destPath && *destPath ? std::string(destPath) : currentFolder());
    if (!target.isOpen())
        return UnRar::CreateFailed;
    if (entry.folder)
        return target.makeFolder(entry.name) == Status::Written ? UnRar::Success : UnRar::CreateFailed;
    const std::string name = distinctName(archive, entry.name);
    const Status status = target.writeFile(
        name, [&](const ZipFormat::SafeExtractor::Writer &write) { return decode(archive, write); }, true,
        unixTime(entry.dosTime));
    if (status == Status::Written)
        archive.writtenNames.insert(nameKey(name));
    switch (status) {
    case Status::Written:
    case Status::Skipped:
        return UnRar::Success;
    case Status::Refused:
        return UnRar::CreateFailed;
    case Status::Cancelled: // stopped, or data that did not decode to what the header says
        return archive.stopped ? UnRar::Unknown : UnRar::BadData;
    case Status::Failed:
        break;
    }
    // No file could be made, or writing it failed.
    return archive.decoderDataRead ? UnRar::WriteFailed : UnRar::CreateFailed;
}

} // namespace

UNRAR_EXPORT UnRar::Handle RAROpenArchive(UnRar::OpenArchiveData *data)
{
    if (!data)
        return nullptr;
    data->CmtSize = 0;
    data->CmtState = 0;
    if (!data->ArcName) {
        data->OpenResult = UnRar::OpenFailed;
        return nullptr;
    }
    auto archive = std::make_unique<Archive>();
    archive->path = data->ArcName;
    archive->mode = data->OpenMode;
    archive->source = std::make_unique<ZipFormat::FileSource>(archive->path);
    if (!archive->source->isOpen()) {
        data->OpenResult = UnRar::OpenFailed;
        return nullptr;
    }
    archive->walker = std::make_unique<RarFormat::HeaderWalker>(*archive->source);
    switch (archive->walker->open()) {
    case RarFormat::HeaderWalker::Status::Ok:
        break;
    case RarFormat::HeaderWalker::Status::EncryptedHeaders:
        data->OpenResult = UnRar::MissingPassword;
        return nullptr;
    case RarFormat::HeaderWalker::Status::NotRar:
        data->OpenResult = UnRar::BadArchive;
        return nullptr;
    default:
        data->OpenResult = UnRar::BadData;
        return nullptr;
    }
    data->OpenResult = UnRar::Success;
    return archive.release();
}

UNRAR_EXPORT int RARCloseArchive(UnRar::Handle handle)
{
    delete static_cast<Archive *>(handle);
    return UnRar::Success;
}

UNRAR_EXPORT int RARReadHeader(UnRar::Handle handle, UnRar::HeaderData *header)
{
    auto *archive = static_cast<Archive *>(handle);
    if (!archive || !header)
        return UnRar::BadArchive;
    archive->haveCurrent = false;
    switch (archive->walker->next(archive->current)) {
    case RarFormat::HeaderWalker::Status::Ok:
        break;
    case RarFormat::HeaderWalker::Status::End:
        return UnRar::EndArchive;
    default:
        return UnRar::BadData;
    }
    archive->haveCurrent = true;
    ++archive->entryIndex;
    fillHeader(*archive, archive->current, *header);
    return UnRar::Success;
}

UNRAR_EXPORT int RARProcessFile(UnRar::Handle handle, int operation, const char *destPath, const char *destName)
{
    (void)destName; // names come from the archive, placed below destPath
    auto *archive = static_cast<Archive *>(handle);
    if (!archive || !archive->haveCurrent)
        return UnRar::BadArchive;
    archive->haveCurrent = false;
    if (operation == UnRar::Skip)
        return UnRar::Success;
    if (archive->mode != UnRar::Extract)
        return UnRar::BadArchive;
    Utf8Locale locale;
    return extractEntry(*archive, operation, destPath);
}

UNRAR_EXPORT void RARSetPassword(UnRar::Handle handle, const char *password)
{
    // Kept for the record; encrypted entries are refused.
    if (auto *archive = static_cast<Archive *>(handle))
        archive->password = password ? password : "";
}

UNRAR_EXPORT void RARSetChangeVolProc(UnRar::Handle handle, UnRar::ChangeVolProc proc)
{
    if (auto *archive = static_cast<Archive *>(handle))
        archive->changeVolume = proc;
}

UNRAR_EXPORT void RARSetProcessDataProc(UnRar::Handle handle, UnRar::ProcessDataProc proc)
{
    if (auto *archive = static_cast<Archive *>(handle))
        archive->processData = proc;
}
