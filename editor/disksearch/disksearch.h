#pragma once

#include <folderhandle.h>
#include <volumes.h>

#include <QList>
#include <QString>

#include <atomic>

// The disk search without windows: walks a folder tree and reports every
// file and folder whose name matches a mask list (Masks::SplitMasks with
// stars added, exact matching).
//
// Order: the entries of a folder first (their hits sorted by name), then
// its subfolders one by one in name order, each with all that lies below
// it, so the hits of one folder stay together.
//
// The walk keeps its own stack and opens each folder from the one above it,
// so neither a deep tree nor a path longer than the system allows stops it;
// it never follows a link, never opens a pipe or a device, skips a folder
// already on its own path (a folder mounted below itself) and the folders
// the request names (the kernel's pseudo file systems).
namespace DiskSearch {

struct Hit
{
    QString name;
    qint64 size = 0; // 0 for a folder
    bool isFolder = false;
    QString folder; // absolute, with a trailing "/"
};

struct Request
{
    // An absolute folder; an empty, relative or missing one finds nothing.
    QString startFolder;
    // The text the user typed, "install.exe;setup.exe" say; empty: "*".
    QString maskText;
    // Folders not entered, with all below them.
    QList<Platform::FolderId> skippedFolders;
    // How many folders of the path are kept open at most; the ones above
    // are opened again on the way back.
    int openFolders = 48;
};

// Where a walk reports, in the walking thread.
class Sink
{
public:
    virtual ~Sink() = default;
    // A folder is about to be read (absolute, with a trailing "/").
    virtual void enterFolder(const QString &folder) = 0;
    // A name of the folder being read matched. Its hit comes with found()
    // once the folder is read (or the walk stopped in it), in name order;
    // this lets a count grow while a large folder is still being read.
    virtual void matched() {}
    virtual void found(Hit hit) = 0;
};

// The mount points of the pseudo file systems in a mount table (but "/").
QList<Platform::FolderId> pseudoFileSystemFolders(const QList<Platform::MountInfoLine> &mountTable);
// The same for this machine.
QList<Platform::FolderId> pseudoFileSystemFolders();

// Walks until done or until stop is seen set; stop is tested before every
// entry. The hits of the folder being read when the walk stops are still
// reported.
void search(const Request &request, Sink &sink, const std::atomic<bool> &stop);

} // namespace DiskSearch
