#pragma once

#include <QString>

#include <optional>

struct stat;

namespace Platform {

// A file's identity: letter case and links give one file several names.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    auto operator<=>(const FileIdentity &) const = default;
};

// One look at a path: whether its name is taken, and what it leads to. A
// bulk copy (a CD folder) would otherwise ask each question per file.
struct PathLook {
    bool taken = false;    // anything by that name, a broken link too
    bool link = false;
    bool resolved = false; // what the name leads to exists; the rest tells of it
    bool directory = false;
    bool regular = false;
    FileIdentity id;

    bool isDir() const { return resolved && directory; }
    bool isRegular() const { return resolved && regular; }
    bool sameFileAs(const PathLook &other) const { return resolved && other.resolved && id == other.id; }
};

PathLook lookAt(const QString &path);
// The identity of the file a status (stat(), fstat(), lstat()) was read of.
FileIdentity identityOf(const struct stat &status);
// What path leads to after links; nothing when it leads nowhere.
std::optional<FileIdentity> fileIdentity(const QString &path);
// Anything by that name, a broken link too.
bool existsOrLink(const QString &path);
// The process may read the file.
bool isReadable(const QString &path);

// Both names lead to one file (the same device and inode). Names of which
// one leads nowhere are one file only when they are the same full path.
bool sameFile(const QString &a, const QString &b);
// Both names lead to one existing file: two names of one file, a hard
// link, a link to it. False when either leads nowhere.
bool isSameFile(const QString &a, const QString &b);

} // namespace Platform
