#include "paths.h"

#include "safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <optional>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace Platform {
namespace {

const QString kAutorunName = QStringLiteral("AUTORUN.INF");

QString withTrailingSlash(QString dir)
{
    if (!dir.endsWith(u'/') && !dir.endsWith(u'\\'))
        dir += u'/';
    return dir;
}

bool isDriveLetterPrefix(QStringView path)
{
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter();
}

// The names of a stored path, with the drive and empty and "." parts dropped
// and ".." applied without climbing above the start.
QStringList storedComponents(QStringView stored)
{
    if (isDriveLetterPrefix(stored))
        stored = stored.mid(2);
    QStringList parts;
    for (QStringView part : stored.split(u'\\')) {
        for (QStringView name : part.split(u'/')) {
            if (name.isEmpty() || name == u".")
                continue;
            if (name == u"..") {
                if (!parts.isEmpty())
                    parts.removeLast();
                continue;
            }
            parts.append(name.toString());
        }
    }
    return parts;
}

// Whether path, with every link followed, lies in root or below it. A path
// whose end does not exist is judged by the deepest part of it that does.
bool staysBelowRoot(const QString &root, const QString &path)
{
    const QString realRoot = QFileInfo(root).canonicalFilePath();
    if (realRoot.isEmpty())
        return true; // nothing exists below a missing root, so nothing leaves it
    QFileInfo existing(path);
    while (!existing.exists()) { // a dangling link does not exist either
        const QString parent = existing.path();
        if (parent == existing.filePath())
            break;
        existing.setFile(parent);
    }
    const QString real = existing.canonicalFilePath();
    return real == realRoot || real.startsWith(withTrailingSlash(realRoot));
}

} // namespace

QString findEntryCaseInsensitive(const QString &dir, const QString &name)
{
    // The name as given, asked of the system at once: nearly always there.
    const QString given = (dir.isEmpty() ? dir : withTrailingSlash(dir)) + name;
    if (!name.isEmpty() && ::access(QFile::encodeName(given).constData(), F_OK) == 0)
        return name;
    const QDir folder(dir);
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                 | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return {};
}

namespace {

// The name with each character folded as QString::compare folds it without
// regard to case, so equal keys mean names equal without regard to case.
QString foldedKey(const QString &name)
{
    QString key;
    key.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        char32_t code = name[i].unicode();
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(name[i], name[i + 1]);
            ++i;
        }
        key += QStringView(QChar::fromUcs4(QChar::toCaseFolded(code)));
    }
    return key;
}

} // namespace

namespace {

// The names in folder dir, straight from the directory: no entry is looked
// at on its own.
QStringList folderNames(const QString &dir)
{
    QStringList names;
    DIR *folder = ::opendir(QFile::encodeName(dir).constData());
    if (!folder)
        return names;
    while (const dirent *entry = ::readdir(folder)) {
        const char *name = entry->d_name;
        if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
            names.append(QFile::decodeName(name));
    }
    ::closedir(folder);
    return names;
}

} // namespace

FolderEntryFinder::Listing FolderEntryFinder::listingOf(const QString &dir)
{
    Listing entries;
    const QStringList names = folderNames(dir);
    entries.names.reserve(names.size());
    entries.byFoldedName.reserve(names.size());
    for (const QString &entry : names) {
        entries.names.insert(entry);
        // Of names equal without regard to case, the one that compares
        // smallest, whatever order the system lists them in.
        QString &first = entries.byFoldedName[foldedKey(entry)];
        if (first.isEmpty() || entry < first)
            first = entry;
    }
    return entries;
}

namespace {

// A folder's status time changes whenever a name in it is added, removed or
// renamed, and when its permissions change.
struct FolderStamp
{
    dev_t device = 0;
    ino_t inode = 0;
    timespec changed{};
    bool operator==(const FolderStamp &other) const
    {
        return device == other.device && inode == other.inode && changed.tv_sec == other.changed.tv_sec
            && changed.tv_nsec == other.changed.tv_nsec;
    }
};

// The stamp of a folder that has not changed for a while; none for one that
// changed lately, whose time the system may keep too coarsely to tell this
// change from the next.
std::optional<FolderStamp> settledStamp(const QString &dir)
{
    struct stat status {};
    if (::stat(QFile::encodeName(dir).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return std::nullopt;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (status.st_ctim.tv_sec >= now.tv_sec - 1)
        return std::nullopt;
    return FolderStamp{status.st_dev, status.st_ino, status.st_ctim};
}

} // namespace

// Listings of settled folders ("/", a CD's folders), kept for the whole
// process and checked with one look at the folder's stamp, so that every
// save and every look-up does not list them again.
FolderEntryFinder::Listing FolderEntryFinder::settledListingOf(const QString &dir)
{
    struct Kept
    {
        FolderStamp stamp;
        Listing listing;
    };
    constexpr qsizetype maxKept = 256;
    static QMutex mutex;
    static QHash<QString, Kept> kept;

    const std::optional<FolderStamp> stamp = settledStamp(dir);
    if (!stamp)
        return listingOf(dir);
    {
        const QMutexLocker lock(&mutex);
        if (const auto known = kept.constFind(dir); known != kept.cend() && known->stamp == *stamp)
            return known->listing;
    }
    Listing listing = listingOf(dir);
    // Listed after the stamp was taken: a change in between gives a newer
    // stamp, which the next look-up finds different from the kept one.
    const QMutexLocker lock(&mutex);
    if (kept.size() >= maxKept)
        kept.clear();
    kept.insert(dir, {*stamp, listing});
    return listing;
}

QString FolderEntryFinder::find(const QString &dir, const QString &name)
{
    auto listing = m_listings.find(dir);
    if (listing == m_listings.end())
        listing = m_listings.insert(dir, settledListingOf(dir));
    if (listing->names.contains(name))
        return name;
    return listing->byFoldedName.value(foldedKey(name));
}

namespace {

EntryType entryTypeOf(mode_t mode)
{
    if (S_ISREG(mode))
        return EntryType::File;
    if (S_ISDIR(mode))
        return EntryType::Folder;
    return EntryType::Other;
}

// What path is, links followed.
EntryType entryTypeAt(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return EntryType::Missing;
    return entryTypeOf(status.st_mode);
}

// The folder holding a clean absolute path; "/" holds itself.
QString folderOf(const QString &path)
{
    return path.left(qMax<qsizetype>(path.lastIndexOf(u'/'), 1));
}

// The nearest folder at or above path holding an "AUTORUN.INF"; empty when
// there is none.
QString folderWithAutorun(const QString &path)
{
    QString dir = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path);
    if (entryTypeAt(dir) != EntryType::Folder)
        dir = folderOf(dir);
    for (;;) {
        if (!findEntryCaseInsensitive(dir, kAutorunName).isEmpty())
            return withTrailingSlash(dir);
        if (dir == u"/")
            return {};
        dir = folderOf(dir);
    }
}

} // namespace

QString documentDriveRoot(const QString &documentPath)
{
#ifdef Q_OS_WIN
    return driveRootOf(documentPath);
#else
    const QString root = folderWithAutorun(documentPath);
    return root.isEmpty() ? QStringLiteral("/") : root;
#endif
}

QString driveRootOf(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).left(3);
#else
    const QFileInfo info(path);
    if (const QString root = folderWithAutorun(path); !root.isEmpty())
        return root;
    const QString mountPoint = QStorageInfo(info.absolutePath()).rootPath();
    return withTrailingSlash(mountPoint.isEmpty() ? QStringLiteral("/") : mountPoint);
#endif
}

QString programDir()
{
    return withTrailingSlash(QCoreApplication::applicationDirPath());
}

QString driveRootFromEnvironment()
{
    const QString root = qEnvironmentVariable(DriveRootVariable);
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return {};
    return withTrailingSlash(QFileInfo(root).absoluteFilePath());
}

QString resolveStoredPath(const QString &root, const QString &stored)
{
    return StoredPathResolver(root).resolve(stored);
}

StoredPathResolver::StoredPathResolver(QString root)
    : m_root(withTrailingSlash(root))
{
}

// The entry of folder for name. One look at the file system answers the
// common case, the exact name present and no link; anything else gets the
// folder's listing, made once for all names missing from it.
StoredPathResolver::Entry StoredPathResolver::findEntry(const QString &folder, const QString &name)
{
    const auto look = [&folder](const QString &entryName) {
        Entry entry{entryName};
        struct stat status {};
        if (::lstat(QFile::encodeName(folder + entryName).constData(), &status) == 0) {
            entry.link = S_ISLNK(status.st_mode);
            entry.type = entryTypeOf(status.st_mode);
        }
        return entry;
    };
    const Entry exact = look(name);
    if (exact.type != EntryType::Missing && !exact.link)
        return exact;
    const QString found = m_listings.find(folder, name);
    if (found.isEmpty())
        return {};
    return found == name ? exact : look(found);
}

// The folder that the first count names of a stored path lead to.
StoredPathResolver::Folder StoredPathResolver::folderOf(const QStringList &parts, qsizetype count)
{
    if (count == 0)
        return {m_root};
    const QString key = parts.first(count).join(u'/');
    if (const auto known = m_folders.constFind(key); known != m_folders.cend())
        return *known;
    Folder folder = folderOf(parts, count - 1);
    QString name = parts[count - 1];
    if (folder.onDisk) {
        const Entry found = findEntry(folder.path, name);
        if (found.name.isEmpty()) {
            folder.onDisk = false;
        } else {
            name = found.name;
            folder.throughLink = folder.throughLink || found.link;
        }
    }
    folder.path += name + u'/';
    m_folders.insert(key, folder);
    return folder;
}

QString StoredPathResolver::resolve(const QString &stored)
{
    return resolveEntry(stored).path;
}

// The folder that the names before the last of a stored path lead to, and
// that last name; false for a stored path that names the root itself.
bool StoredPathResolver::splitLastName(const QString &stored, Folder &folder, QString &name)
{
    QStringView path(stored);
    while (path.endsWith(u'\\') || path.endsWith(u'/'))
        path.chop(1);
    const qsizetype separator = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    const QStringView last = path.sliced(separator + 1);
    // Most stored paths are plain names below plain folders: their folder is
    // found by the text before the last name, as it is written.
    if (!last.isEmpty() && last != u"." && last != u".." && !isDriveLetterPrefix(path)) {
        const QString prefix = path.first(std::max<qsizetype>(separator, 0)).toString();
        auto known = m_prefixFolders.find(prefix);
        if (known == m_prefixFolders.end()) {
            const QStringList parts = storedComponents(prefix);
            known = m_prefixFolders.insert(prefix, folderOf(parts, parts.size()));
        }
        folder = *known;
        name = last.toString();
        return true;
    }
    const QStringList parts = storedComponents(stored);
    if (parts.isEmpty())
        return false;
    folder = folderOf(parts, parts.size() - 1);
    name = parts.last();
    return true;
}

ResolvedEntry StoredPathResolver::resolveEntry(const QString &stored)
{
    Folder folder;
    QString name;
    if (!splitLastName(stored, folder, name))
        return {m_root, entryTypeAt(m_root)};
    QString path = folder.path;
    bool throughLink = folder.throughLink; // false once a name was not found: the rest is kept as written
    Entry found;
    if (folder.onDisk) {
        found = findEntry(path, name);
        if (!found.name.isEmpty()) {
            name = found.name;
            throughLink = throughLink || found.link;
        }
    }
    path += name;
    // Names below root without a link among them cannot lead off it (".." is
    // already applied), so only a path through a link needs its real form;
    // this spares following every link of the root for every stored path.
    // A link on the CD that leads off it names nothing.
    if (!throughLink)
        return {path, found.type};
    if (!staysBelowRoot(m_root, path))
        return {};
    return {path, found.name.isEmpty() ? EntryType::Missing : entryTypeAt(path)};
}

namespace {

QString realPath(const QString &path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(QDir::fromNativeSeparators(path)) : real;
}

bool isSystemRoot(const QString &root)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(root)) == QLatin1String("/");
}

// Whether path lies in the folder whose real path (with a final "/") is
// realFolder.
bool liesInReal(const QString &realFolder, const QString &path)
{
    const QString real = realPath(path);
    return withTrailingSlash(real) == realFolder || real.startsWith(realFolder);
}

} // namespace

bool liesInside(const QString &folder, const QString &path)
{
    return liesInReal(withTrailingSlash(realPath(folder)), path);
}

DocumentPathResolver::DocumentPathResolver(const QString &root)
    : m_inRoot(root)
    , m_fromTop(QStringLiteral("/"))
    , m_rootIsTop(isSystemRoot(root))
{
}

// The file a path stored from "/" names inside root; empty when there is none.
QString DocumentPathResolver::fromSystemRoot(const QString &stored)
{
    // A mask ("*.AVI", what the start screen holds until a file is chosen)
    // names no one file, and no file on a CD has "*" or "?" in its name.
    if (m_rootIsTop || stored.trimmed().isEmpty() || stored.contains(u'*') || stored.contains(u'?'))
        return {};
    if (m_inRoot.resolveEntry(stored).type != EntryType::Missing)
        return {};
    const ResolvedEntry fromTop = m_fromTop.resolveEntry(stored);
    if (fromTop.path.isEmpty() || fromTop.type == EntryType::Missing)
        return {};
    return liesInReal(realRoot(), fromTop.path) ? fromTop.path : QString();
}

const QString &DocumentPathResolver::realRoot()
{
    if (m_realRoot.isEmpty())
        m_realRoot = withTrailingSlash(realPath(root()));
    return m_realRoot;
}

QString DocumentPathResolver::resolve(const QString &stored)
{
    const QString found = fromSystemRoot(stored);
    return found.isEmpty() ? m_inRoot.resolve(stored) : found;
}

QString DocumentPathResolver::rebased(const QString &stored)
{
    const QString found = fromSystemRoot(stored);
    if (found.isEmpty())
        return {};
    QString rebased = toStoredPath(realRoot(), realPath(found));
    // A folder keeps the final "\" it was stored with.
    if ((stored.endsWith(u'\\') || stored.endsWith(u'/')) && !rebased.isEmpty() && !rebased.endsWith(u'\\'))
        rebased += u'\\';
    return rebased;
}

QString resolveDocumentPath(const QString &root, const QString &stored)
{
    return DocumentPathResolver(root).resolve(stored);
}

QString rebasedStoredPath(const QString &root, const QString &stored)
{
    return DocumentPathResolver(root).rebased(stored);
}

QString writeMinimalAutorun(const QString &folder)
{
    if (!findEntryCaseInsensitive(folder, kAutorunName).isEmpty())
        return {}; // already a CD folder: its own file stays as it is
    return writeWholeFile(withTrailingSlash(folder) + kAutorunName, "[AUTORUN]\r\nOPEN=MENU\\ORVANTA.EXE /OPCJE\r\n")
        .error;
}

QString toStoredPath(const QString &root, const QString &absolutePath)
{
    const QString cleanRoot = withTrailingSlash(QDir::cleanPath(QDir::fromNativeSeparators(root)));
    QString path = QDir::cleanPath(QDir::fromNativeSeparators(absolutePath));
    if (path.startsWith(cleanRoot, Qt::CaseInsensitive))
        path = path.mid(cleanRoot.size());
    else if (isDriveLetterPrefix(path))
        path = path.mid(2);
    while (path.startsWith(u'/'))
        path.remove(0, 1);
    return path.replace(u'/', u'\\');
}


bool pathFitsFileSystem(const QString &path)
{
    // The limits count bytes of the encoded name, not characters.
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.isEmpty() || encoded.size() >= PATH_MAX)
        return false;
    for (const QByteArray &name : encoded.split('/')) {
        if (name.size() > NAME_MAX)
            return false;
    }
    return true;
}

QString userSettingsDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                        + QStringLiteral("/ZeltrinSoftware/");
    QDir().mkpath(dir);
    return dir;
}

QString userDataDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ZeltrinSoftware/");
}

} // namespace Platform
