#include "folderhandle.h"

#include <QFile>

#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace Platform {
namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

FolderId idOf(const struct stat &info)
{
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

FolderHandle::Kind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FolderHandle::Kind::File;
    if (S_ISDIR(mode))
        return FolderHandle::Kind::Folder;
    return FolderHandle::Kind::Other;
}

} // namespace

std::optional<FolderId> folderIdOf(const QString &path)
{
    struct stat info{};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return std::nullopt;
    return idOf(info);
}

FolderHandle::FolderHandle(int fd)
    : m_fd(fd)
{
    struct stat info{};
    if (m_fd >= 0 && ::fstat(m_fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        m_id = idOf(info);
    } else {
        close();
    }
}

FolderHandle::~FolderHandle()
{
    close();
}

FolderHandle::FolderHandle(FolderHandle &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_stream(std::exchange(other.m_stream, nullptr))
    , m_id(other.m_id)
{
}

FolderHandle &FolderHandle::operator=(FolderHandle &&other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_stream = std::exchange(other.m_stream, nullptr);
        m_id = other.m_id;
    }
    return *this;
}

FolderHandle FolderHandle::open(const QString &path)
{
    if (!path.startsWith(u'/'))
        return {};
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.size() < PATH_MAX)
        return FolderHandle(::open(encoded.constData(), kFolderFlags));
    // Longer than the system takes in one piece (a folder a walk found deep
    // down): name by name from the top, links followed as in one piece.
    FolderHandle folder(::open("/", kFolderFlags));
    for (const QByteArray &name : encoded.split('/')) {
        if (name.isEmpty() || name == ".")
            continue;
        folder = FolderHandle(::openat(folder.m_fd, name.constData(), kFolderFlags));
        if (!folder.isOpen())
            return {};
    }
    return folder;
}

FolderHandle FolderHandle::openChild(const QByteArray &name) const
{
    if (m_fd < 0 || name.isEmpty() || name.contains('/') || name == "." || name == "..")
        return {};
    return FolderHandle(::openat(m_fd, name.constData(), kFolderFlags | O_NOFOLLOW));
}

FolderHandle FolderHandle::openParent() const
{
    if (m_fd < 0)
        return {};
    return FolderHandle(::openat(m_fd, "..", kFolderFlags));
}

void FolderHandle::close()
{
    if (m_stream)
        ::closedir(static_cast<DIR *>(m_stream)); // closes m_fd too
    else if (m_fd >= 0)
        ::close(m_fd);
    m_stream = nullptr;
    m_fd = -1;
}

bool FolderHandle::next(Entry &entry)
{
    if (m_fd < 0)
        return false;
    if (!m_stream) {
        DIR *stream = ::fdopendir(m_fd); // takes the descriptor over
        if (!stream)
            return false;
        m_stream = stream;
    }
    while (const dirent *item = ::readdir(static_cast<DIR *>(m_stream))) {
        const char *name = item->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        entry.name = QByteArray(name);
        switch (item->d_type) {
        case DT_REG:
            entry.kind = Kind::File;
            break;
        case DT_DIR:
            entry.kind = Kind::Folder;
            break;
        case DT_UNKNOWN: {
            struct stat info{};
            entry.kind = ::fstatat(m_fd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 ? kindOf(info.st_mode) : Kind::Other;
            break;
        }
        default:
            entry.kind = Kind::Other;
            break;
        }
        return true;
    }
    return false;
}

qint64 FolderHandle::fileSize(const QByteArray &name) const
{
    struct stat info{};
    if (m_fd < 0 || ::fstatat(m_fd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return qint64(info.st_size);
}

} // namespace Platform
