#pragma once

#include "screenlimits.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <functional>

// The two rules every file access of the programs goes through:
//  - a file is written whole or not at all: every byte reaches a temporary
//    file, which replaces the old one only then, so a full disk or a failed
//    rename leaves the old file as it was and is reported;
//  - only regular files are read, each read bounded by a limit suited to its
//    kind, so a FIFO, a device or a link to one named on a CD can neither
//    hang a program nor make it read without end.
namespace Platform {

// Largest files read, by kind.
namespace SizeLimits {
inline constexpr qint64 Profile = 64 * 1024 * 1024; // projects, data files, options
inline constexpr qint64 Text = 16 * 1024 * 1024;    // descriptions
inline constexpr qint64 Picture = 64 * 1024 * 1024; // backgrounds, glyphs, icons, screenshots
inline constexpr qint64 Mask = 16 * 1024 * 1024;    // 1-bit window masks
inline constexpr qint64 Sound = 256 * 1024 * 1024;  // click sounds and music
} // namespace SizeLimits

// Outcome of a write: the message on failure, and the system's own words
// for why (a full disk, a missing folder) where it gave any.
struct WriteResult
{
    QString error;
    QString reason;
    bool ok() const { return error.isEmpty(); }
};

// The message of a write of path that failed for reason.
QString writeFailure(const QString &path, const QString &reason);

// Writes bytes as the whole new content of path. The old file is replaced
// only when every byte was written and committed to disk.
//
// Each write has a file of its own beside the target, so two programs
// writing one file never meet: the target is always one complete content,
// the last one renamed over it. Where the file system allows, that file has
// no name until it is complete. Elsewhere (FAT sticks, network shares) it
// is made under a hidden name of its own, ".NAME.~" and twelve letters or
// digits, locked until its rename. A write killed before the rename leaves
// it behind; a later write of the same file removes such a left-over (and
// those of earlier versions, ".NAME.~new" and ".NAME.<random number>") once
// nobody holds its lock. Nothing else beside the target is touched.
WriteResult writeWholeFile(const QString &path, QByteArrayView bytes);

// For tests: false makes every write take the way of file systems where a
// new file cannot stay nameless, even where it could; true (the default)
// lets the system decide again.
void allowNamelessWrites(bool allowed);

// The same for content that comes in pieces (a copy of a large file): the
// old file is replaced by commit() only when every piece was written.
// Dropped without a commit, nothing changes.
class WholeFileWriter
{
public:
    explicit WholeFileWriter(const QString &path);
    ~WholeFileWriter();
    WholeFileWriter(const WholeFileWriter &) = delete;
    WholeFileWriter &operator=(const WholeFileWriter &) = delete;

    bool open();
    // Every byte, or false (and nothing is committed later).
    bool write(QByteArrayView bytes);
    WriteResult commit();
    // Why the last call failed.
    QString error() const;
    QString reason() const;

private:
    bool fail(int error);
    void discard();

    QString m_path;
    QByteArray m_target;    // the file replaced: path, or where its links lead
    QByteArray m_temporary; // beside the target, renamed over it by commit(); empty while nameless
    int m_fd = -1;          // holds the lock on the new file until it is renamed
    bool m_failed = false;
    QString m_reason; // the system's, when a call failed
};

// A copy of the regular file source as the whole new content of target,
// with source's permission bits. The kernel copies where the file systems
// allow it (copy_file_range); the copy is renamed over target only when
// complete. Not synced to the disk: a bulk copy (a CD folder) would wait on
// every file, and a crash leaves the old target or none, never a cut one
// under its name.
WriteResult copyWholeFile(const QString &source, const QString &target);

// A copy of the regular file source, with its permission bits, as the new
// file target, which must not exist yet (an existing one is an error and
// stays as it was). Written straight under its name, without a temporary
// file and a rename: meant for bulk copies into folders whose old files
// were deleted first. A copy that fails is removed again.
WriteResult copyToNewFile(const QString &source, const QString &target);

// Writes all of data to the open file descriptor fd, through short writes
// and interrupted calls; false on the first failure.
bool writeAll(int fd, const char *data, qsizetype size);

struct ReadResult
{
    enum class Status { Ok, Missing, NotRegular, TooLarge, Failed };
    Status status = Status::Failed;
    QByteArray bytes;
    QString error;  // empty when ok
    QString reason; // the system's own words for why, without the path
    bool ok() const { return status == Status::Ok; }
};

// Whether path (after links) is a regular file. Asked before opening, so a
// FIFO is never opened.
bool isRegularFile(const QString &path);

// The whole content of the regular file at path, when it holds at most
// maxBytes. Allocates what the file holds, never the limit.
ReadResult readRegularFile(const QString &path, qint64 maxBytes);

// How much readRegularFileInBlocks() hands over at a time.
inline constexpr qsizetype FileBlockSize = 64 * 1024;

// The content of the regular file at path, under the same checks and limit
// as readRegularFile(), handed to consume block by block (at most
// FileBlockSize bytes each, in file order) rather than held whole, so a
// large file costs one block of memory. consume returns false to stop
// reading. The result's bytes stay empty. sized, when given, learns the
// file's size before the first block, so a reader can plan its memory.
ReadResult readRegularFileInBlocks(const QString &path, qint64 maxBytes,
                                   const std::function<bool(QByteArrayView block)> &consume,
                                   const std::function<void(qint64 size)> &sized = {});

// A picture file (any format Qt reads) of at most SizeLimits::Picture bytes
// and maxSide pixels on each side; a null image otherwise.
QImage readPicture(const QString &path, int maxSide = ScreenLimits::MaxExtent);

} // namespace Platform
