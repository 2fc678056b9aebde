#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Platform {

// Which folder a handle or path is on the machine: the same pair for two
// names of one folder (a bind mount of a folder above it, say).
struct FolderId
{
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FolderId &, const FolderId &) = default;
};

// The id of the folder at path, following links; none when there is none.
std::optional<FolderId> folderIdOf(const QString &path);

// An open folder that hands out its entries one by one and opens its
// subfolders by name, so a walk needs no full path: a tree may go deeper
// than the system lets a path be long. A handle never follows a link and
// never opens anything but a folder (a pipe or a device is never opened).
class FolderHandle
{
public:
    enum class Kind { File, Folder, Other }; // Other: links, pipes, devices, sockets

    struct Entry
    {
        QByteArray name; // as the file system has it
        Kind kind = Kind::Other;
    };

    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(FolderHandle &&other) noexcept;
    FolderHandle &operator=(FolderHandle &&other) noexcept;
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    // The folder at an absolute path (links on the way are followed, as a
    // user typing the path means them; the folder itself must be one),
    // also where the path is longer than the system lets a path be.
    static FolderHandle open(const QString &path);
    // The subfolder name of this folder; closed when it is no folder or a
    // link.
    FolderHandle openChild(const QByteArray &name) const;
    // The folder above this one; closed when there is none.
    FolderHandle openParent() const;

    bool isOpen() const { return m_fd >= 0; }
    FolderId id() const { return m_id; }
    void close();

    // The next entry but "." and ".."; false at the end (or when the folder
    // cannot be read further).
    bool next(Entry &entry);
    // The byte size of the regular file name of this folder; -1 for
    // anything else.
    qint64 fileSize(const QByteArray &name) const;

private:
    explicit FolderHandle(int fd);

    int m_fd = -1;
    void *m_stream = nullptr; // DIR *, opened on the first next()
    FolderId m_id;
};

} // namespace Platform
