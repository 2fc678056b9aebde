#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <climits>
#include <filesystem>

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
    const QDir folder(dir);
    if (folder.exists(name))
        return name;
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

QString FolderEntryFinder::find(const QString &dir, const QString &name)
{
    auto listing = m_listings.find(dir);
    if (listing == m_listings.end()) {
        Listing entries;
        const QStringList names = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                      | QDir::NoDotAndDotDot);
        for (const QString &entry : names) {
            entries.names.insert(entry);
            const QString key = foldedKey(entry);
            if (!entries.byFoldedName.contains(key)) // the first of the listing, as the single look-up takes
                entries.byFoldedName.insert(key, entry);
        }
        listing = m_listings.insert(dir, entries);
    }
    if (listing->names.contains(name))
        return name;
    return listing->byFoldedName.value(foldedKey(name));
}

namespace {

// The nearest folder at or above path holding an "AUTORUN.INF"; empty when
// there is none.
QString folderWithAutorun(const QFileInfo &info)
{
    QDir dir(info.isDir() ? info.absoluteFilePath() : info.absolutePath());
    do {
        if (!findEntryCaseInsensitive(dir.path(), kAutorunName).isEmpty())
            return withTrailingSlash(dir.path());
    } while (dir.cdUp());
    return {};
}

} // namespace

QString documentDriveRoot(const QString &documentPath)
{
#ifdef Q_OS_WIN
    return driveRootOf(documentPath);
#else
    const QString root = folderWithAutorun(QFileInfo(documentPath));
    return root.isEmpty() ? QStringLiteral("/") : root;
#endif
}

QString driveRootOf(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()).left(3);
#else
    const QFileInfo info(path);
    if (const QString root = folderWithAutorun(info); !root.isEmpty())
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

namespace {

struct FoundEntry {
    QString name; // empty when there is none
    bool link = false;
};

// The entry of folder for name. One look at the file system answers the
// common case, the exact name present and no link; anything else gets the
// full search.
FoundEntry findStoredEntry(const QString &folder, const QString &name)
{
    std::error_code error;
    const auto status = std::filesystem::symlink_status(QFile::encodeName(folder + name).toStdString(), error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_symlink(status))
        return {name, false};
    FoundEntry entry{findEntryCaseInsensitive(folder, name)};
    entry.link = !entry.name.isEmpty() && QFileInfo(folder + entry.name).isSymLink();
    return entry;
}

} // namespace

QString resolveStoredPath(const QString &root, const QString &stored)
{
    return StoredPathResolver(root).resolve(stored);
}

StoredPathResolver::StoredPathResolver(QString root)
    : m_root(withTrailingSlash(root))
{
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
        const FoundEntry found = findStoredEntry(folder.path, name);
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
    const QStringList parts = storedComponents(stored);
    if (parts.isEmpty())
        return m_root;
    const Folder folder = folderOf(parts, parts.size() - 1);
    QString path = folder.path;
    bool throughLink = folder.throughLink; // false once a name was not found: the rest is kept as written
    QString name = parts.last();
    if (folder.onDisk) {
        const FoundEntry found = findStoredEntry(path, name);
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
        return path;
    return staysBelowRoot(m_root, path) ? path : QString();
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
