#include "disksearch.h"

#include <masks/masks.h>

#include <collation.h>
#include <volumes.h>

#include <QFile>

#include <algorithm>
#include <vector>

namespace DiskSearch {
namespace {

using Platform::FolderHandle;
using Platform::FolderId;

struct Subfolder
{
    QByteArray bytes;
    QString name;
};

bool nameLess(const QString &a, const QString &b)
{
    const int order = Platform::compareText(a, b);
    return order != 0 ? order < 0 : a < b;
}

// One folder of the path being walked: its subfolders, in name order, and
// the next one to walk into.
struct Frame
{
    FolderHandle handle; // closed while too many are open; opened again on the way back
    FolderId id;
    QString path;
    std::vector<Subfolder> subfolders;
    size_t next = 0;
};

class Walk
{
public:
    Walk(const Request &request, Sink &sink, const std::atomic<bool> &stop)
        : m_request(request)
        , m_sink(sink)
        , m_stop(stop)
        , m_masks(Masks::SplitMasks(request.maskText, true))
    {
    }

    void run()
    {
        QString start = m_request.startFolder;
        if (start.isEmpty() || !start.startsWith(u'/'))
            return;
        if (!start.endsWith(u'/'))
            start += u'/';
        FolderHandle root = FolderHandle::open(start);
        if (!root.isOpen() || skipped(root.id()))
            return;
        if (!read(std::move(root), start))
            return;
        while (!m_frames.empty() && !stopped()) {
            Frame &top = m_frames.back();
            if (top.next >= top.subfolders.size()) {
                if (!leave())
                    return;
                continue;
            }
            const Subfolder &sub = top.subfolders[top.next++];
            FolderHandle child = top.handle.openChild(sub.bytes);
            if (!child.isOpen() || skipped(child.id()) || onPath(child.id()))
                continue;
            if (!read(std::move(child), top.path + sub.name + u'/'))
                return;
        }
    }

private:
    bool stopped() const { return m_stop.load(std::memory_order_relaxed); }

    bool skipped(const FolderId &id) const
    {
        return std::find(m_request.skippedFolders.begin(), m_request.skippedFolders.end(), id)
               != m_request.skippedFolders.end();
    }

    bool onPath(const FolderId &id) const
    {
        return std::any_of(m_frames.begin(), m_frames.end(), [&id](const Frame &frame) { return frame.id == id; });
    }

    bool matches(const QString &name) const { return m_masks.matchesLowerCase(name.toLower(), true); }

    // Reads the folder's entries and reports its hits (those read so far
    // when stopped meanwhile), then makes it the top of the path. False
    // when stopped.
    bool read(FolderHandle handle, const QString &path)
    {
        m_sink.enterFolder(path);
        Frame frame;
        frame.id = handle.id();
        frame.path = path;
        std::vector<Hit> hits;
        FolderHandle::Entry entry;
        while (!stopped() && handle.next(entry)) {
            if (entry.kind == FolderHandle::Kind::Other)
                continue;
            const bool isFolder = entry.kind == FolderHandle::Kind::Folder;
            QString name = QFile::decodeName(entry.name);
            if (matches(name)) {
                const qint64 size = isFolder ? 0 : handle.fileSize(entry.name);
                if (isFolder || size >= 0) {
                    hits.push_back({name, std::max<qint64>(size, 0), isFolder, path});
                    m_sink.matched();
                }
            }
            if (isFolder)
                frame.subfolders.push_back({entry.name, std::move(name)});
        }
        std::sort(hits.begin(), hits.end(), [](const Hit &a, const Hit &b) { return nameLess(a.name, b.name); });
        for (Hit &hit : hits)
            m_sink.found(std::move(hit));
        if (stopped())
            return false;
        std::sort(frame.subfolders.begin(), frame.subfolders.end(),
                  [](const Subfolder &a, const Subfolder &b) { return nameLess(a.name, b.name); });
        frame.handle = std::move(handle);
        m_frames.push_back(std::move(frame));
        keepOpenFoldersWithinLimit();
        return true;
    }

    // Closes the handle of the outermost open folder but the top one when
    // more are open than the request allows.
    void keepOpenFoldersWithinLimit()
    {
        const size_t limit = size_t(std::max(1, m_request.openFolders));
        if (m_frames.size() <= limit)
            return;
        m_frames[m_frames.size() - 1 - limit].handle.close();
    }

    // Goes back to the folder above the top one, opening it again from the
    // top when it was closed. False when the way back is gone (the tree
    // changed under the walk).
    bool leave()
    {
        FolderHandle top = std::move(m_frames.back().handle);
        m_frames.pop_back();
        if (m_frames.empty() || m_frames.back().handle.isOpen())
            return true;
        FolderHandle parent = top.openParent();
        if (!parent.isOpen() || !(parent.id() == m_frames.back().id))
            return false;
        m_frames.back().handle = std::move(parent);
        return true;
    }

    const Request &m_request;
    Sink &m_sink;
    const std::atomic<bool> &m_stop;
    Masks::MaskMatcher m_masks;
    std::vector<Frame> m_frames;
};

} // namespace

QList<Platform::FolderId> pseudoFileSystemFolders(const QList<Platform::MountInfoLine> &mountTable)
{
    QList<Platform::FolderId> folders;
    for (const Platform::MountInfoLine &line : mountTable) {
        if (!Platform::isPseudoFileSystem(line.fileSystem) || line.mountPoint == u"/")
            continue;
        if (const auto id = Platform::folderIdOf(line.mountPoint))
            folders << *id;
    }
    return folders;
}

QList<Platform::FolderId> pseudoFileSystemFolders()
{
    return pseudoFileSystemFolders(Platform::readMountTable());
}

void search(const Request &request, Sink &sink, const std::atomic<bool> &stop)
{
    Walk(request, sink, stop).run();
}

} // namespace DiskSearch
