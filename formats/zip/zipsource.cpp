#include "zipsource.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZipFormat {

bool MemorySource::readAt(std::int64_t offset, void *buffer, std::size_t count) const
{
    if (offset < 0 || static_cast<std::uint64_t>(offset) > m_bytes.size()
        || count > m_bytes.size() - static_cast<std::size_t>(offset))
        return false;
    if (count > 0)
        std::memcpy(buffer, m_bytes.data() + offset, count);
    return true;
}

FileSource::FileSource(const std::string &path)
{
    // O_NONBLOCK keeps a FIFO from blocking the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_size = info.st_size;
}

FileSource::~FileSource()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FileSource::readAt(std::int64_t offset, void *buffer, std::size_t count) const
{
    if (m_fd < 0 || offset < 0)
        return false;
    auto *out = static_cast<char *>(buffer);
    while (count > 0) {
        const ssize_t got = ::pread(m_fd, out, count, offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        offset += got;
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace ZipFormat
