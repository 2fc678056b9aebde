#include "safeextract.h"

#include <cerrno>
#include <cstring>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace ZipFormat {

namespace {

class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

bool isDriveLetter(std::string_view part)
{
    return part.size() >= 2 && part[1] == ':'
           && ((part[0] >= 'A' && part[0] <= 'Z') || (part[0] >= 'a' && part[0] <= 'z'));
}

bool writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string temporaryName(const std::string &name)
{
    static std::mt19937 random{std::random_device{}()};
    std::string temporary(1, '.');
    temporary.append(name, 0, 200);
    temporary.append(".").append(std::to_string(random() % 1000000)).append(".part");
    return temporary;
}

} // namespace

std::vector<std::string> safeNameParts(std::string_view storedName)
{
    if (storedName.empty() || storedName.find('\0') != std::string_view::npos)
        return {};
    // A name the system could not reach by path is refused before one
    // folder of it is made (40,000 bytes of "b/" would be 20,000 folders).
    if (storedName.size() >= PATH_MAX)
        return {};
    if (storedName.front() == '/' || storedName.front() == '\\')
        return {}; // absolute and UNC names
    std::vector<std::string> parts;
    std::string part;
    auto finish = [&]() {
        if (!part.empty() && part != ".")
            parts.push_back(part);
        part.clear();
    };
    for (const char c : storedName) {
        if (c == '/' || c == '\\')
            finish();
        else
            part += c;
    }
    finish();
    if (parts.empty() || isDriveLetter(parts.front()))
        return {};
    for (const std::string &p : parts) {
        if (p == "..")
            return {};
    }
    return parts;
}

SafeExtractor::SafeExtractor(const std::string &targetFolder)
{
    if (targetFolder.empty() || targetFolder.front() != '/') {
        m_error = "target folder is not an absolute path";
        return;
    }
    m_rootLength = targetFolder.size();
    m_rootFd = ::open(targetFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_rootFd < 0)
        m_error = std::strerror(errno);
}

SafeExtractor::~SafeExtractor()
{
    if (m_cachedFd >= 0)
        ::close(m_cachedFd);
    if (m_rootFd >= 0)
        ::close(m_rootFd);
}

bool SafeExtractor::withinPathLimit(const std::vector<std::string> &parts) const
{
    std::size_t length = m_rootLength;
    for (const std::string &part : parts)
        length += 1 + part.size();
    if (length < PATH_MAX)
        return true;
    m_error = "nazwa dłuższa, niż pozwala system";
    return false;
}

int SafeExtractor::openParentFolder(const std::vector<std::string> &parts, bool create) const
{
    if (!withinPathLimit(parts))
        return -1;
    const std::vector<std::string> folderParts(parts.begin(), parts.end() - 1);
    if (m_cachedFd >= 0 && folderParts == m_cachedFolder)
        return ::dup(m_cachedFd);
    int folder = ::dup(m_rootFd);
    for (std::size_t i = 0; folder >= 0 && i + 1 < parts.size(); ++i) {
        if (create && ::mkdirat(folder, parts[i].c_str(), 0777) != 0 && errno != EEXIST) {
            m_error = parts[i] + ": " + std::strerror(errno);
            ::close(folder);
            return -1;
        }
        const int next = ::openat(folder, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0)
            m_error = parts[i] + ": " + std::strerror(errno);
        ::close(folder);
        folder = next;
    }
    if (folder >= 0) {
        if (m_cachedFd >= 0)
            ::close(m_cachedFd);
        m_cachedFd = ::dup(folder);
        m_cachedFolder = folderParts;
    }
    return folder;
}

SafeExtractor::Status SafeExtractor::makeFolder(std::string_view storedName)
{
    std::vector<std::string> parts = safeNameParts(storedName);
    if (parts.empty() || !isOpen()) {
        m_error = "refused name";
        return Status::Refused;
    }
    parts.push_back("."); // open every part as a folder
    Descriptor folder(openParentFolder(parts, true));
    return folder.get() >= 0 ? Status::Written : Status::Refused;
}

bool SafeExtractor::fileExists(std::string_view storedName, std::time_t *modified) const
{
    const std::vector<std::string> parts = safeNameParts(storedName);
    if (parts.empty() || !isOpen())
        return false;
    Descriptor folder(openParentFolder(parts, false));
    struct stat info {};
    if (folder.get() < 0 || ::fstatat(folder.get(), parts.back().c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (modified)
        *modified = info.st_mtime;
    return S_ISREG(info.st_mode);
}

SafeExtractor::Status SafeExtractor::writeFile(std::string_view storedName, const Producer &produce, bool overwrite,
                                               std::time_t mtime)
{
    const std::vector<std::string> parts = safeNameParts(storedName);
    if (parts.empty() || !isOpen()) {
        m_error = "refused name";
        return Status::Refused;
    }
    Descriptor folder(openParentFolder(parts, true));
    if (folder.get() < 0)
        return Status::Refused;
    const std::string &name = parts.back();
    struct stat existing {};
    const bool exists = ::fstatat(folder.get(), name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        m_error = name + ": a folder of that name exists";
        return Status::Refused;
    }
    if (exists && !overwrite)
        return Status::Skipped;

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = temporaryName(name);
        fd = ::openat(folder.get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        m_error = name + ": " + std::strerror(errno);
        return Status::Failed;
    }
    Descriptor file(fd);
    bool writeFailed = false;
    const bool complete = produce([&](const char *data, std::size_t size) {
        if (!writeAll(file.get(), data, size)) {
            m_error = name + ": " + std::strerror(errno);
            writeFailed = true;
            return false;
        }
        return true;
    });
    bool ok = complete && !writeFailed;
    if (ok && mtime != 0) {
        const struct timespec times[2] = {{mtime, 0}, {mtime, 0}};
        ::futimens(file.get(), times);
    }
    if (::close(file.release()) != 0 && ok) {
        m_error = name + ": " + std::strerror(errno);
        ok = false;
    }
    // The rename replaces a link of that name itself, never what it points to.
    if (ok && ::renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0) {
        m_error = name + ": " + std::strerror(errno);
        ok = false;
    }
    if (ok)
        return Status::Written;
    ::unlinkat(folder.get(), temporary.c_str(), 0);
    return complete || writeFailed ? Status::Failed : Status::Cancelled;
}

} // namespace ZipFormat
