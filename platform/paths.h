#pragma once

#include <QHash>
#include <QSet>
#include <QString>

namespace Platform {

// Files name other files by drive-relative paths with "\" separators
// ("MENU\BACK.BMP"). A program rebuilds them from its drive root:
//  - on Windows, the first three characters of its own path ("D:\");
//  - elsewhere, the nearest folder above the program that holds an
//    "AUTORUN.INF" (any letter case), else the mount point it lives on.
// Roots are absolute folder paths ending in "/" (or "\" on Windows).

// Drive root of the program (or any file) at path.
QString driveRootOf(const QString &path);

// Drive root of a document the designer or the data editor opens: the
// nearest folder at or above it that holds an "AUTORUN.INF" (any letter
// case), else "/". Stored paths of the document are relative to it.
QString documentDriveRoot(const QString &documentPath);

// A program started by the designer gets the designer's drive root in this
// variable, so a test run finds the project's pictures wherever the program
// itself lies.
inline constexpr char DriveRootVariable[] = "KALVORA_DRIVE_ROOT";

// The root given in DriveRootVariable when it names an existing folder (as
// an absolute path with a trailing separator); empty otherwise.
QString driveRootFromEnvironment();

// Folder of the running program, with a trailing separator.
QString programDir();

// The absolute path that a stored path names below root. A drive letter and
// leading separators are dropped, "." is skipped, ".." never climbs above
// root, and each name is matched case-insensitively against what is on disk
// (names not found are kept as written). The rule that nothing leaves root
// holds for the real path, after links are followed: a path that a link
// leads out of root gives an empty string, as if nothing were named.
QString resolveStoredPath(const QString &root, const QString &stored);

// The entry of folder dir whose name equals name without regard to case;
// the exact name is preferred. Empty when there is none.
QString findEntryCaseInsensitive(const QString &dir, const QString &name);

// findEntryCaseInsensitive for many names while the folders do not change
// (a plan checking its targets): each folder is listed once, not once for
// every name missing from it. Keep one only as long as nothing is written.
// Folders that have not changed for a while are listed once for the whole
// process, as long as they stay so.
class FolderEntryFinder
{
public:
    QString find(const QString &dir, const QString &name);

private:
    struct Listing
    {
        QHash<QString, QString> byFoldedName; // -> the first entry of the listing with it
        QSet<QString> names;
    };
    static Listing listingOf(const QString &dir);
    static Listing settledListingOf(const QString &dir);
    QHash<QString, Listing> m_listings;
};

// What a resolved path names on disk, links followed.
enum class EntryType {
    Missing, // nothing, or a link that leads off the root
    File,    // a regular file
    Folder,
    Other, // a FIFO, a device, a socket
};

struct ResolvedEntry
{
    QString path; // as resolve() gives it
    EntryType type = EntryType::Missing;
};

// resolveStoredPath for many stored paths while the folders do not change
// (a CD folder being planned, data files being checked): the folders on the
// way are looked up once, not once for every file in them, and a folder is
// listed at most once however many names are missing from it. Keep one only
// as long as nothing is written.
class StoredPathResolver
{
public:
    explicit StoredPathResolver(QString root);
    QString resolve(const QString &stored);
    // resolve() and what the path names, from the same look at the disk.
    ResolvedEntry resolveEntry(const QString &stored);
    const QString &root() const { return m_root; }

private:
    struct Folder
    {
        QString path;       // with a final "/"
        bool onDisk = true; // false below a name that was not found
        bool throughLink = false;
    };
    struct Entry
    {
        QString name; // empty when there is none
        bool link = false;
        EntryType type = EntryType::Missing; // of a name that is no link
    };
    Folder folderOf(const QStringList &parts, qsizetype count);
    bool splitLastName(const QString &stored, Folder &folder, QString &name);
    Entry findEntry(const QString &folder, const QString &name);

    QString m_root;
    QHash<QString, Folder> m_folders; // the first names of a stored path, joined by "/"
    QHash<QString, Folder> m_prefixFolders; // the text before a stored path's last name
    FolderEntryFinder m_listings;
};

// A stored path of a document the designer or the data editor reads. A
// document made before its CD folder got its "AUTORUN.INF" stored its paths
// from "/" ("home\ala\plyta\grafika\tlo.bmp"). Such a path, when it names
// nothing below root but names something from "/" that lies inside root,
// means that file; everything else resolves as resolveStoredPath does.
QString resolveDocumentPath(const QString &root, const QString &stored);

// The stored form relative to root of a path that resolveDocumentPath finds
// only through "/"; empty when the value needs no rebasing.
QString rebasedStoredPath(const QString &root, const QString &stored);

// resolveDocumentPath and rebasedStoredPath for many stored paths while the
// folders do not change (a save rebasing its values): root and "/" are each
// looked at once, not once for every value. Keep one only as long as
// nothing is written.
class DocumentPathResolver
{
public:
    explicit DocumentPathResolver(const QString &root);
    QString resolve(const QString &stored);
    QString rebased(const QString &stored);
    const QString &root() const { return m_inRoot.root(); }

private:
    QString fromSystemRoot(const QString &stored);
    const QString &realRoot();

    StoredPathResolver m_inRoot;
    StoredPathResolver m_fromTop;
    bool m_rootIsTop;
    QString m_realRoot; // root as the system names it after links, with a final "/"; see realRoot()
};

// Whether an absolute path lies in folder or below it, compared as the
// system names them after links ("/a/b" is in "/a/", "/ab" is not).
bool liesInside(const QString &folder, const QString &path);

// The file that makes a folder a CD folder, written when the author makes
// one: a minimal "AUTORUN.INF" (Windows-1250, CRLF) that starts the runtime.
// Empty on success, else the system's reason.
QString writeMinimalAutorun(const QString &folder);

// The stored (drive-relative, "\"-separated) form of an absolute path below
// root; a path outside root keeps its own form less any drive prefix.
QString toStoredPath(const QString &root, const QString &absolutePath);

// Whether the file system can name path as it stands: the whole path and
// each of its names within the system's limits (longer paths are refused,
// never cut).
bool pathFitsFileSystem(const QString &path);

// The user's own folder for the settings that programs keep outside the CD
// (the place of the Windows folder for bare profile file names). Created on
// demand.
QString userSettingsDir();

// The user's folder for what a program would write into its own folder
// ($XDG_DATA_HOME/ZeltrinSoftware/), with a trailing separator. Not created
// here.
QString userDataDir();

} // namespace Platform
