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

// resolveStoredPath for many stored paths while the folders do not change
// (a CD folder being planned): the folders on the way are looked up once,
// not once for every file in them. Keep one only as long as nothing is
// written.
class StoredPathResolver
{
public:
    explicit StoredPathResolver(QString root);
    QString resolve(const QString &stored);

private:
    struct Folder
    {
        QString path;       // with a final "/"
        bool onDisk = true; // false below a name that was not found
        bool throughLink = false;
    };
    Folder folderOf(const QStringList &parts, qsizetype count);

    QString m_root;
    QHash<QString, Folder> m_folders; // the first names of a stored path, joined by "/"
};

// The stored (drive-relative, "\"-separated) form of an absolute path below
// root; a path outside root keeps its own form less any drive prefix.
QString toStoredPath(const QString &root, const QString &absolutePath);

// The entry of folder dir whose name equals name without regard to case;
// the exact name is preferred. Empty when there is none.
QString findEntryCaseInsensitive(const QString &dir, const QString &name);

// findEntryCaseInsensitive for many names while the folders do not change
// (a plan checking its targets): each folder is listed once, not once for
// every name missing from it. Keep one only as long as nothing is written.
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
    QHash<QString, Listing> m_listings;
};

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
