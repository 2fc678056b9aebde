#include "safefile.h"

#include "bmpreader.h"
#include "systemerror.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace Platform {
namespace {

QString systemError(int error)
{
    return systemErrorText(error);
}

QString notRegularReason()
{
    return QStringLiteral("to nie jest zwykły plik");
}

ReadResult readFailure(ReadResult::Status status, const QString &path, const QString &reason)
{
    ReadResult result;
    result.status = status;
    result.error = QStringLiteral("Nie można odczytać \"%1\": %2").arg(path, reason);
    result.reason = reason;
    return result;
}

// Closes the descriptor however the read ends.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Checks a file's status as stat() or fstat() gave it.
ReadResult checkStatus(const struct stat &status, const QString &path, qint64 maxBytes)
{
    if (!S_ISREG(status.st_mode))
        return readFailure(ReadResult::Status::NotRegular, path, notRegularReason());
    if (status.st_size > maxBytes)
        return readFailure(ReadResult::Status::TooLarge, path, QStringLiteral("plik większy niż %1 bajtów").arg(maxBytes));
    ReadResult result;
    result.status = ReadResult::Status::Ok;
    return result;
}

// Reads up to size bytes; fewer when the file shrank meanwhile.
bool readAtMost(int fd, QByteArray &bytes, qint64 size)
{
    bytes.resize(qsizetype(size));
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += n;
    }
    bytes.truncate(qsizetype(done));
    return true;
}

} // namespace

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("Nie można zapisać \"%1\": %2").arg(path, reason);
}

WholeFileWriter::WholeFileWriter(const QString &path)
    : m_path(path)
{
}

WholeFileWriter::~WholeFileWriter()
{
    discard();
}

QString WholeFileWriter::error() const
{
    return writeFailure(m_path, reason());
}

QString WholeFileWriter::reason() const
{
    return m_reason;
}

bool WholeFileWriter::fail(int error)
{
    m_reason = systemErrorText(error);
    m_failed = true;
    discard();
    return false;
}

void WholeFileWriter::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_temporary.isEmpty())
        ::unlink(std::exchange(m_temporary, {}).constData());
}

namespace {

// Where a write to path lands: the file its links lead to, followed as far
// as they go (a link to a file yet to be made names the file to make).
QByteArray writeTarget(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISLNK(status.st_mode))
        return QFile::encodeName(path);
    QFileInfo target(path);
    for (int depth = 0; depth < 128 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    return QFile::encodeName(target.filePath());
}

// A file name cut to at most size bytes, never inside a UTF-8 character.
QByteArray cutName(const QByteArray &name, qsizetype size)
{
    while (size > 0 && (uchar(name.at(size)) & 0xC0) == 0x80)
        --size;
    return name.left(size);
}

// FNV-1a: the same for a name on every machine and in every build, as the
// name made from it must be for the next write to find it.
quint64 nameHash(QByteArrayView name)
{
    quint64 hash = 14695981039346656037ull;
    for (const char byte : name)
        hash = (hash ^ uchar(byte)) * 1099511628211ull;
    return hash;
}

// The name beside target that its next content is written under before it
// takes target's place: ".NAME.~new", the same for every write of target,
// so what a killed program left there is taken over by the next write of
// that file. A name too long to carry the additions keeps its first bytes
// and a hash of the whole name, so the name always fits.
QByteArray temporaryName(const QByteArray &target)
{
    static constexpr char Suffix[] = ".~new";
    static constexpr qsizetype SuffixSize = sizeof(Suffix) - 1;
    const qsizetype slash = target.lastIndexOf('/');
    QByteArray name = target.mid(slash + 1);
    if (1 + name.size() + SuffixSize > NAME_MAX) {
        const QByteArray hash = QByteArray::number(nameHash(name), 16).rightJustified(16, '0');
        name = cutName(name, NAME_MAX - 1 - 1 - hash.size() - SuffixSize) + '.' + hash;
    }
    return target.left(slash + 1) + '.' + name + Suffix;
}

// A new file beside target, readable as a new file at target would be (0666
// less the umask) until the caller says otherwise. Where the system can, it
// has no name until it is complete, so a program killed while writing
// leaves nothing behind; name stays empty then. Otherwise it is made under
// the temporary name, replacing what a killed write left there.
int createTemporaryBeside(const QByteArray &target, QByteArray &name)
{
    name.clear();
#ifdef O_TMPFILE
    // Named later through its descriptor's entry, where there is one.
    static const bool canBeNamed = ::access("/proc/self/fd", X_OK) == 0;
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : target.left(qMax<qsizetype>(slash, 1));
    if (const int fd = canBeNamed ? ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1; fd >= 0)
        return fd;
#endif
    name = temporaryName(target);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || ::unlink(name.constData()) != 0)
            return fd;
    }
    return -1;
}

// Gives the unnamed file fd the temporary name beside target, replacing
// what a killed write left there; false with errno set when it cannot.
bool nameTemporary(int fd, const QByteArray &target, QByteArray &name)
{
    const QByteArray descriptor = "/proc/self/fd/" + QByteArray::number(fd);
    name = temporaryName(target);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (::linkat(AT_FDCWD, descriptor.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST || ::unlink(name.constData()) != 0)
            break;
    }
    name.clear();
    return false;
}

} // namespace

bool WholeFileWriter::open()
{
    m_target = writeTarget(m_path);
    struct stat existing {};
    const bool exists = ::stat(m_target.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return fail(EISDIR);
    // A file its owner made read-only stays as it is.
    if (exists && ::access(m_target.constData(), W_OK) != 0)
        return fail(errno);
    m_fd = createTemporaryBeside(m_target, m_temporary);
    if (m_fd < 0)
        return fail(errno);
    if (exists && ::fchmod(m_fd, existing.st_mode & 07777) != 0)
        return fail(errno);
    m_failed = false;
    return true;
}

bool WholeFileWriter::write(QByteArrayView bytes)
{
    if (m_failed || m_fd < 0)
        return false;
    // A full disk shows as a short write first; the next one says why.
    if (!writeAll(m_fd, bytes.data(), bytes.size()))
        return fail(errno != 0 ? errno : ENOSPC);
    return true;
}

WriteResult WholeFileWriter::commit()
{
    if (m_failed || m_fd < 0)
        return {error(), reason()};
    // Synced to the disk, named and renamed over the old file only now.
    const bool replaced = ::fdatasync(m_fd) == 0
                          && (!m_temporary.isEmpty() || nameTemporary(m_fd, m_target, m_temporary))
                          && ::close(std::exchange(m_fd, -1)) == 0
                          && ::rename(m_temporary.constData(), m_target.constData()) == 0;
    if (!replaced) {
        fail(errno);
        return {error(), reason()};
    }
    m_temporary.clear();
    return {};
}

namespace {

// Copies the rest of in to out: by the kernel, else through a buffer.
bool copyDescriptor(int in, int out)
{
    bool copied = false;
    for (;;) {
        const ssize_t done = ::copy_file_range(in, nullptr, out, nullptr, size_t(1) << 30, 0);
        if (done == 0)
            return true;
        if (done > 0) {
            copied = true;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (copied || (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP))
            return false;
        break;
    }
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!writeAll(out, buffer.data(), got))
            return false;
    }
}

} // namespace

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

WriteResult copyWholeFile(const QString &source, const QString &target)
{
    const auto failure = [&](const QString &path) {
        const QString reason = systemError(errno);
        return WriteResult{QStringLiteral("Nie można skopiować do \"%1\": %2").arg(path, reason), reason};
    };
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
    struct stat status {};
    if (in < 0 || ::fstat(in, &status) != 0 || !S_ISREG(status.st_mode)) {
        const WriteResult result = failure(target);
        if (in >= 0)
            ::close(in);
        return result;
    }
    const QByteArray targetName = QFile::encodeName(QFileInfo(target).absoluteFilePath());
    QByteArray temporary;
    const int out = createTemporaryBeside(targetName, temporary);
    if (out < 0) {
        const WriteResult result = failure(target);
        ::close(in);
        return result;
    }
    bool ok = copyDescriptor(in, out) && ::fchmod(out, status.st_mode & 07777) == 0
              && (!temporary.isEmpty() || nameTemporary(out, targetName, temporary));
    ok = (::close(out) == 0) && ok;
    ::close(in);
    if (ok && ::rename(temporary.constData(), targetName.constData()) == 0)
        return {};
    const WriteResult result = failure(target);
    if (!temporary.isEmpty())
        ::unlink(temporary.constData());
    return result;
}

WriteResult copyToNewFile(const QString &source, const QString &target)
{
    const auto failedBecause = [&](const QString &reason) {
        return WriteResult{QStringLiteral("Nie można skopiować do \"%1\": %2").arg(target, reason), reason};
    };
    const auto failure = [&](int error) { return failedBecause(systemError(error)); };
    const FileDescriptor in(::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (in.get() < 0 || ::fstat(in.get(), &status) != 0)
        return failure(errno);
    if (!S_ISREG(status.st_mode))
        return failedBecause(notRegularReason());
    const QByteArray name = QFile::encodeName(target);
    // Created here or not at all: never written through a link or over a
    // file that appeared since the caller looked.
    const int out = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (out < 0)
        return failure(errno);
    bool ok = copyDescriptor(in.get(), out) && ::fchmod(out, status.st_mode & 07777) == 0;
    int error = ok ? 0 : errno;
    if (::close(out) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok)
        return {};
    ::unlink(name.constData());
    return failure(error);
}

WriteResult writeWholeFile(const QString &path, QByteArrayView bytes)
{
    WholeFileWriter file(path);
    if (!file.open() || !file.write(bytes))
        return {file.error(), file.reason()};
    return file.commit();
}

bool isRegularFile(const QString &path)
{
    struct stat status {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

namespace {

// Opens path for reading once it has passed the checks of a regular file
// within maxBytes; result says why not otherwise, and holds the file's size
// in status when it did.
ReadResult openRegularFile(const QString &path, qint64 maxBytes, int &fd, struct stat &status)
{
    fd = -1;
    if (path.isEmpty())
        return readFailure(ReadResult::Status::Missing, path, QStringLiteral("no file named"));
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &status) != 0) {
        const int error = errno;
        return readFailure(error == ENOENT || error == ENOTDIR ? ReadResult::Status::Missing
                                                               : ReadResult::Status::Failed,
                           path, systemError(error));
    }
    if (ReadResult checked = checkStatus(status, path, maxBytes); !checked.ok())
        return checked;

    // Non-blocking, and checked again once open: the file may have been
    // swapped for a FIFO or a device since.
    fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return readFailure(ReadResult::Status::Failed, path, systemError(errno));
    if (::fstat(fd, &status) != 0)
        return readFailure(ReadResult::Status::Failed, path, systemError(errno));
    return checkStatus(status, path, maxBytes);
}

} // namespace

ReadResult readRegularFile(const QString &path, qint64 maxBytes)
{
    int opened = -1;
    struct stat status {};
    ReadResult result = openRegularFile(path, maxBytes, opened, status);
    const FileDescriptor fd(opened);
    if (!result.ok())
        return result;
    if (!readAtMost(fd.get(), result.bytes, status.st_size))
        return readFailure(ReadResult::Status::Failed, path, systemError(errno));
    return result;
}

ReadResult readRegularFileInBlocks(const QString &path, qint64 maxBytes,
                                   const std::function<bool(QByteArrayView block)> &consume,
                                   const std::function<void(qint64 size)> &sized)
{
    int opened = -1;
    struct stat status {};
    ReadResult result = openRegularFile(path, maxBytes, opened, status);
    const FileDescriptor fd(opened);
    if (!result.ok())
        return result;
    if (sized)
        sized(status.st_size);
    // No more than the size checked, should the file grow meanwhile.
    QByteArray block;
    for (qint64 left = status.st_size; left > 0;) {
        if (!readAtMost(fd.get(), block, std::min<qint64>(left, FileBlockSize)))
            return readFailure(ReadResult::Status::Failed, path, systemError(errno));
        if (block.isEmpty() || !consume(block))
            break;
        left -= block.size();
    }
    return result;
}

QImage readPicture(const QString &path, int maxSide)
{
    int opened = -1;
    struct stat status {};
    const bool checked = openRegularFile(path, SizeLimits::Picture, opened, status).ok();
    const FileDescriptor fd(opened);
    // Decoded straight from the file: a copy of a large background in memory
    // would cost as much again as the picture.
    QFile file;
    if (!checked || !file.open(fd.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return {};
    if (std::optional<QImage> bitmap = readCommonBmp(file, maxSide))
        return *bitmap;
    if (!file.seek(0))
        return {};
    QImageReader reader(&file);
    const auto tooLarge = [maxSide](QSize size) { return size.width() > maxSide || size.height() > maxSide; };
    // The header tells the size before any pixel memory is taken.
    if (tooLarge(reader.size()))
        return {};
    QImage picture = reader.read();
    return tooLarge(picture.size()) ? QImage() : picture;
}

} // namespace Platform
