#include "safefile.h"

#include "bmpreader.h"
#include "fileidentity.h"
#include "systemerror.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
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
    // Removed while still locked, so no other write takes it for a left-over.
    if (!m_temporary.isEmpty())
        ::unlink(std::exchange(m_temporary, {}).constData());
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
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

// name itself when it takes at most room bytes; else its first bytes and a
// hash of the whole name, in exactly room bytes.
QByteArray fittedName(const QByteArray &name, qsizetype room)
{
    if (name.size() <= room)
        return name;
    const QByteArray hash = QByteArray::number(nameHash(name), 16).rightJustified(16, '0');
    return cutName(name, room - 1 - hash.size()) + '.' + hash;
}

QByteArray folderOf(const QByteArray &target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : target.left(qMax<qsizetype>(slash, 1));
}

QByteArray fileNameOf(const QByteArray &target)
{
    return target.mid(target.lastIndexOf('/') + 1);
}

// The letters that tell one write's temporary name from another's.
constexpr qsizetype TokenSize = 12;

bool isBase36Digit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

bool isToken(QByteArrayView text)
{
    return text.size() == TokenSize && std::all_of(text.begin(), text.end(), isBase36Digit);
}

// What a temporary name beside a file of this name starts with:
// ".NAME.~", the name shortened as fittedName() does so that the whole
// temporary name stays within the system's limit.
QByteArray temporaryPrefix(const QByteArray &fileName)
{
    return '.' + fittedName(fileName, NAME_MAX - 1 - 2 - TokenSize) + ".~";
}

// A name beside target that no other write picks: the prefix and twelve
// random letters and digits.
QByteArray temporaryName(const QByteArray &target)
{
    static constexpr quint64 TokenValues = 4738381338321616896ull; // 36^12
    const QByteArray token = QByteArray::number(QRandomGenerator::global()->generate64() % TokenValues, 36);
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + temporaryPrefix(fileNameOf(target)) + token.rightJustified(TokenSize, '0');
}

// The names that writes of a file of this name gave their new content:
// today's ".NAME.~" and twelve letters and digits, the earlier ".NAME.~new"
// shared by every write, and the earliest ".NAME." with a random 32-bit
// number in base 36. Of the last only numbers of at least five characters
// holding a digit are taken, as nearly all of them are, so that somebody's
// ".NAME.backup" or ".NAME.old" is never taken for one.
class TemporaryNames
{
public:
    explicit TemporaryNames(const QByteArray &fileName)
        : m_prefix(temporaryPrefix(fileName))
        , m_shared('.' + fittedName(fileName, NAME_MAX - 1 - 5) + ".~new")
        , m_randomPrefix('.' + fileName + '.')
    {
    }

    bool contains(QByteArrayView entry) const
    {
        return (entry.startsWith(m_prefix) && isToken(entry.sliced(m_prefix.size()))) || entry == m_shared
               || (entry.startsWith(m_randomPrefix) && isRandomNumber(entry.sliced(m_randomPrefix.size())));
    }

private:
    static bool isRandomNumber(QByteArrayView text)
    {
        bool ok = false;
        const qulonglong value = text.toULongLong(&ok, 36);
        return ok && value <= 0xFFFFFFFFu && text.size() >= 5 && QByteArray::number(value, 36) == text
               && std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    }

    QByteArray m_prefix;
    QByteArray m_shared;
    QByteArray m_randomPrefix;
};

// Removes entry of folder when it is a regular file whose lock nobody
// holds: a write still running holds the lock of its file until the
// rename, so only what a killed write left goes. Links, folders and other
// kinds stay, and are never opened.
void removeIfLeftOver(int folder, const char *entry)
{
    struct stat named {};
    if (::fstatat(folder, entry, &named, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(named.st_mode))
        return;
    // Writable where the system allows, as a network share grants an
    // exclusive lock only then.
    int opened = ::openat(folder, entry, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0 && errno == EACCES)
        opened = ::openat(folder, entry, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const FileDescriptor fd(opened);
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)
        || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return;
    // The name may have gone meanwhile (renamed over its target by its
    // writer, or removed by another write cleaning up).
    if (::fstatat(folder, entry, &named, AT_SYMLINK_NOFOLLOW) == 0 && identityOf(named) == identityOf(status))
        ::unlinkat(folder, entry, 0);
}

// Removes what killed writes of target left beside it.
void removeLeftOvers(const QByteArray &target)
{
    DIR *folder = ::opendir(folderOf(target).constData());
    if (!folder)
        return;
    const TemporaryNames temporaryNames(fileNameOf(target));
    while (const struct dirent *entry = ::readdir(folder)) {
        if (entry->d_type != DT_DIR && entry->d_type != DT_LNK && temporaryNames.contains(entry->d_name))
            removeIfLeftOver(::dirfd(folder), entry->d_name);
    }
    ::closedir(folder);
}

std::atomic<bool> namelessWritesAllowed{true};

// Locks the file just made under name for the write, unless a write cleaning
// up got to it first, which may have removed it: false then. Where the file
// system knows no locks, nobody can take it for a left-over either.
bool lockAsOwn(int fd, const QByteArray &name)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        return false;
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(name.constData(), &named) == 0
           && identityOf(opened) == identityOf(named);
}

// A new file beside target, readable as a new file at target would be (0666
// less the umask) until the caller says otherwise, and locked. Where the
// system can, it has no name until it is complete, so a program killed
// while writing leaves nothing behind; name stays empty then. Otherwise it
// is made under a temporary name of its own.
int createTemporaryBeside(const QByteArray &target, QByteArray &name)
{
    name.clear();
    removeLeftOvers(target);
#ifdef O_TMPFILE
    // Named later through its descriptor's entry, where there is one.
    static const bool canBeNamed = ::access("/proc/self/fd", X_OK) == 0;
    if (canBeNamed && namelessWritesAllowed) {
        if (const int fd = ::open(folderOf(target).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666); fd >= 0) {
            // Locked before the commit gives it a name others can see.
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
    }
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 && lockAsOwn(fd, name))
            return fd;
        if (fd >= 0)
            ::close(fd);
        else if (errno != EEXIST)
            break;
    }
    name.clear();
    return -1;
}

// Gives the unnamed file fd a temporary name beside target; false with
// errno set when it cannot.
bool nameTemporary(int fd, const QByteArray &target, QByteArray &name)
{
    const QByteArray descriptor = "/proc/self/fd/" + QByteArray::number(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target);
        if (::linkat(AT_FDCWD, descriptor.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    name.clear();
    return false;
}

// Renames the complete new file fd over target, naming it first if it has
// no name yet, and closes fd; false with errno set when it cannot. name is
// cleared once it is target's. The lock is kept until the rename is done,
// by a second descriptor past the close, which is where a network share
// reports a write it could not make.
bool replaceTarget(int &fd, const QByteArray &target, QByteArray &name)
{
    if (name.isEmpty() && !nameTemporary(fd, target, name))
        return false;
    const int lock = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (lock < 0)
        return false;
    const bool replaced = ::close(std::exchange(fd, -1)) == 0 && ::rename(name.constData(), target.constData()) == 0;
    const int error = errno;
    ::close(lock);
    errno = error;
    if (replaced)
        name.clear();
    return replaced;
}

} // namespace

void allowNamelessWrites(bool allowed)
{
    namelessWritesAllowed = allowed;
}

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
    // Synced to the disk, and only then put in the old file's place.
    if (::fdatasync(m_fd) != 0 || !replaceTarget(m_fd, m_target, m_temporary)) {
        fail(errno);
        return {error(), reason()};
    }
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
    int out = createTemporaryBeside(targetName, temporary);
    if (out < 0) {
        const WriteResult result = failure(target);
        ::close(in);
        return result;
    }
    const bool ok = copyDescriptor(in, out) && ::fchmod(out, status.st_mode & 07777) == 0
                    && replaceTarget(out, targetName, temporary);
    const WriteResult result = ok ? WriteResult{} : failure(target);
    if (!temporary.isEmpty())
        ::unlink(temporary.constData());
    if (out >= 0)
        ::close(out);
    ::close(in);
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
