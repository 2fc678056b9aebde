// The unzip plug-in over libzip. The directory, the entry names and every
// write go through the shared zip code, so names are decoded and files are
// placed exactly as the runtime lists them.

#include "unzdll.h"

#include "archivedecoder.h"
#include "safeextract.h"
#include "zipdirectory.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fnmatch.h>
#include <string>
#include <vector>

#define UNZDLL_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr std::int32_t PluginVersion = 160;
constexpr std::size_t ChunkSize = 256 * 1024;

// Message codes the plug-in reports besides the archive reader's ids.
enum Code : std::int32_t {
    BadRecord = 1,
    OpenFailed = 2,
    EntryRefused = 3,
    EntryFailed = 4,
    Cancelled = 5,
};

class Session
{
public:
    explicit Session(const UnzDll::ExecRecord &record) : m_record(record) {}

    std::int32_t run();

private:
    bool report(std::int32_t action, std::int32_t code, std::int64_t size, const std::string &text = {});
    bool message(std::int32_t code, const std::string &text) { return report(UnzDll::MessageText, code, 0, text); }
    bool selected(const ZipFormat::Entry &entry) const;
    std::string targetName(const ZipFormat::Entry &entry) const;
    bool extractEntry(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry);
    bool testEntry(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry);
    bool copyEntry(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry,
                   const ZipFormat::SafeExtractor::Writer &write);
    bool readWithLibzip(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry,
                        const ZipFormat::SafeExtractor::Writer &write);
    bool readWithLibarchive(const ZipFormat::Entry &entry, const ZipFormat::SafeExtractor::Writer &write);

    const UnzDll::ExecRecord &m_record;
    ZipFormat::SafeExtractor *m_target = nullptr;
    const ZipFormat::Source *m_source = nullptr; // the archive file, for entries libarchive decodes
    std::int64_t m_shift = 0;
    bool m_cancelled = false;
    std::vector<char> m_buffer; // one for all entries
};

bool Session::report(std::int32_t action, std::int32_t code, std::int64_t size, const std::string &text)
{
    if (!m_record.callback)
        return !m_cancelled;
    UnzDll::CallbackRecord callback;
    callback.caller = m_record.caller;
    callback.action = action;
    callback.errorCode = code;
    callback.sizeOrCount = size;
    std::strncpy(callback.text, text.c_str(), UnzDll::TextSize - 1);
    if (m_record.callback(&callback) == -1)
        m_cancelled = true;
    return !m_cancelled;
}

bool Session::selected(const ZipFormat::Entry &entry) const
{
    if (m_record.specCount <= 0 || !m_record.specs)
        return true;
    for (int i = 0; i < m_record.specCount; ++i) {
        const char *spec = m_record.specs[i].spec;
        if (!spec)
            continue;
        std::string pattern(spec);
        std::replace(pattern.begin(), pattern.end(), '/', '\\');
        if (::fnmatch(pattern.c_str(), entry.fileName.c_str(), FNM_CASEFOLD | FNM_NOESCAPE) == 0)
            return true;
    }
    return false;
}

std::string Session::targetName(const ZipFormat::Entry &entry) const
{
    if (m_record.directoryNames)
        return entry.fileName;
    const std::size_t slash = entry.fileName.find_last_of('\\');
    return slash == std::string::npos ? entry.fileName : entry.fileName.substr(slash + 1);
}

std::time_t entryTime(const ZipFormat::Entry &entry)
{
    const auto when = ZipFormat::decodeDosDateTime(entry.dosDateTime());
    if (!when)
        return 0;
    std::tm parts{};
    parts.tm_year = when->year - 1900;
    parts.tm_mon = when->month - 1;
    parts.tm_mday = when->day;
    parts.tm_hour = when->hour;
    parts.tm_min = when->minute;
    parts.tm_sec = when->second;
    parts.tm_isdst = -1;
    return std::mktime(&parts);
}

bool Session::readWithLibzip(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry,
                            const ZipFormat::SafeExtractor::Writer &write)
{
    zip_file_t *file = zip_fopen_index(archive, index, 0);
    if (!file) {
        message(EntryFailed, entry.fileName + ": " + zip_strerror(archive));
        return false;
    }
    m_buffer.resize(ChunkSize);
    bool ok = true;
    for (;;) {
        const zip_int64_t got = zip_fread(file, m_buffer.data(), m_buffer.size());
        if (got < 0) {
            message(EntryFailed, entry.fileName + ": " + zip_file_strerror(file));
            ok = false;
            break;
        }
        if (got == 0)
            break;
        if (!write(m_buffer.data(), static_cast<std::size_t>(got))) {
            ok = false;
            break;
        }
    }
    zip_fclose(file);
    return ok;
}

bool Session::readWithLibarchive(const ZipFormat::Entry &entry, const ZipFormat::SafeExtractor::Writer &write)
{
    const UnzipDecoder::Outcome outcome = UnzipDecoder::decode(*m_source, m_shift, entry, m_record.password, write);
    if (!outcome.ok && !outcome.error.empty())
        message(EntryFailed, entry.fileName + ": " + outcome.error);
    return outcome.ok;
}

bool Session::copyEntry(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry,
                        const ZipFormat::SafeExtractor::Writer &write)
{
    // The data must be what the directory declares: an entry that writes
    // more is stopped before its surplus reaches the disk, one that writes
    // less fails; either way its file is removed.
    const std::uint64_t declared = entry.uncompressedSize();
    std::uint64_t written = 0;
    const auto checkedWrite = [&](const char *data, std::size_t size) {
        written += size;
        if (written > declared)
            return false;
        return write(data, size) && report(UnzDll::Progress, 0, static_cast<std::int64_t>(size));
    };
    // What this libzip cannot decode goes to libarchive, which decodes it
    // or names the method it refuses.
    const bool viaLibarchive = UnzipDecoder::needsArchiveDecoder(entry)
                               || !zip_compression_method_supported(static_cast<zip_int32_t>(entry.method()), 0);
    bool ok = viaLibarchive ? readWithLibarchive(entry, checkedWrite) : readWithLibzip(archive, index, entry, checkedWrite);
    if ((ok || written > declared) && written != declared) {
        message(EntryFailed, entry.fileName + ": rozmiar danych (" + (written > declared ? "ponad " : "")
                                 + std::to_string(written) + " B) różni się od zapisanego w archiwum ("
                                 + std::to_string(declared) + " B)");
        ok = false;
    }
    return ok;
}

bool Session::testEntry(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry)
{
    return copyEntry(archive, index, entry, [](const char *, std::size_t) { return true; });
}

bool Session::extractEntry(zip_t *archive, zip_uint64_t index, const ZipFormat::Entry &entry)
{
    const std::string name = targetName(entry);
    std::time_t existingTime = 0;
    const bool exists = m_target->fileExists(name, &existingTime);
    const std::time_t time = entryTime(entry);
    const bool newer = exists && time > existingTime;
    if (m_record.freshen && !exists)
        return false;
    if ((m_record.update || m_record.freshen) && exists && !newer)
        return false;
    const bool overwrite = m_record.overwrite || ((m_record.update || m_record.freshen) && newer);

    using Status = ZipFormat::SafeExtractor::Status;
    const Status status = m_target->writeFile(
        name, [&](const ZipFormat::SafeExtractor::Writer &write) { return copyEntry(archive, index, entry, write); },
        overwrite, time);
    if (status == Status::Refused)
        message(EntryRefused, entry.fileName + ": " + m_target->error());
    else if (status == Status::Failed)
        message(EntryFailed, m_target->error());
    return status == Status::Written;
}

zip_t *openArchive(const std::string &path, const ZipFormat::Directory &directory, std::string &error)
{
    // Data in front of an archive whose offsets were not moved: libzip
    // reads the archive from where it really starts.
    const std::int64_t start = std::max<std::int64_t>(directory.shift, 0);
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t *source = zip_source_file_create(path.c_str(), static_cast<zip_uint64_t>(start),
                                                  directory.end.usableEnd - start, &zipError);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY, &zipError) : nullptr;
    if (!archive) {
        error = zip_error_strerror(&zipError);
        if (source)
            zip_source_free(source);
    }
    zip_error_fini(&zipError);
    return archive;
}

std::int32_t Session::run()
{
    if (m_record.version != UnzDll::RecordVersion || m_record.check != UnzDll::CheckValue || !m_record.zipName) {
        message(BadRecord, "Niewłaściwy rekord wywołania");
        return 0;
    }
    const std::string path = m_record.zipName;
    ZipFormat::SafeExtractor target(m_record.targetFolder ? m_record.targetFolder : "");
    if (!m_record.test && !target.isOpen()) {
        message(BadRecord, "Folder docelowy nie istnieje lub nie jest ścieżką bezwzględną");
        return 0;
    }
    m_target = &target;

    const ZipFormat::FileSource source(path);
    if (!source.isOpen()) {
        message(OpenFailed, path + ": nie udało się otworzyć archiwum");
        return 0;
    }
    const ZipFormat::Directory directory = ZipFormat::readDirectory(source);
    if (directory.error != 0) {
        message(directory.error, path + ": niewłaściwe archiwum Zip");
        return 0;
    }
    m_source = &source;
    m_shift = directory.shift;
    std::string error;
    zip_t *archive = openArchive(path, directory, error);
    if (!archive) {
        message(OpenFailed, path + ": " + error);
        return 0;
    }
    if (zip_get_num_entries(archive, 0) != static_cast<zip_int64_t>(directory.entries.size())) {
        message(OpenFailed, path + ": niespójny katalog archiwum");
        zip_discard(archive);
        return 0;
    }
    if (m_record.password && *m_record.password)
        zip_set_default_password(archive, m_record.password);

    std::vector<std::size_t> chosen;
    std::int64_t totalSize = 0;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        if (selected(directory.entries[i])) {
            chosen.push_back(i);
            totalSize += directory.entries[i].uncompressedSize();
        }
    }
    report(UnzDll::TotalFiles, 0, static_cast<std::int64_t>(chosen.size()));
    report(UnzDll::TotalSize, 0, totalSize);

    std::int32_t done = 0;
    for (const std::size_t i : chosen) {
        if (m_cancelled)
            break;
        const ZipFormat::Entry &entry = directory.entries[i];
        if (entry.isLink()) {
            message(EntryRefused, entry.fileName + ": dowiązania nie są rozpakowywane");
            continue;
        }
        if (entry.isFolder()) {
            if (m_record.directoryNames && !m_record.test
                && target.makeFolder(entry.fileName) != ZipFormat::SafeExtractor::Status::Written)
                message(EntryRefused, entry.fileName + ": " + target.error());
            continue;
        }
        if (!report(UnzDll::NewFile, 0, entry.uncompressedSize(), entry.fileName))
            break;
        const bool ok = m_record.test ? testEntry(archive, i, entry) : extractEntry(archive, i, entry);
        done += ok ? 1 : 0;
    }
    zip_discard(archive);
    if (m_cancelled)
        message(Cancelled, "Operacja anulowana przez użytkownika");
    report(UnzDll::EndOfBatch, 0, 0);
    return done;
}

} // namespace

UNZDLL_EXPORT std::int32_t GetUnzDllVersion()
{
    return PluginVersion;
}

UNZDLL_EXPORT std::int32_t UnzDllExec(const UnzDll::ExecRecord *record)
{
    if (!record)
        return 0;
    Session session(*record);
    return session.run();
}
