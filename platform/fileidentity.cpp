#include "fileidentity.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace Platform {

namespace {

void describe(const struct stat &status, PathLook &look)
{
    look.directory = S_ISDIR(status.st_mode);
    look.regular = S_ISREG(status.st_mode);
    look.id = identityOf(status);
}

} // namespace

FileIdentity identityOf(const struct stat &status)
{
    return {quint64(status.st_dev), quint64(status.st_ino)};
}

PathLook lookAt(const QString &path)
{
    PathLook look;
    if (path.isEmpty())
        return look;
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0)
        return look;
    look.taken = true;
    look.link = S_ISLNK(status.st_mode);
    look.resolved = !look.link || ::stat(name.constData(), &status) == 0;
    if (look.resolved)
        describe(status, look);
    return look;
}

std::optional<FileIdentity> fileIdentity(const QString &path)
{
    struct stat status {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return identityOf(status);
}

bool existsOrLink(const QString &path)
{
    struct stat status {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

bool isReadable(const QString &path)
{
    return !path.isEmpty() && ::access(QFile::encodeName(path).constData(), R_OK) == 0;
}

bool sameFile(const QString &a, const QString &b)
{
    const std::optional<FileIdentity> first = fileIdentity(a);
    const std::optional<FileIdentity> second = fileIdentity(b);
    if (first && second)
        return *first == *second;
    if (first || second)
        return false;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

bool isSameFile(const QString &a, const QString &b)
{
    const std::optional<FileIdentity> first = fileIdentity(a);
    return first && first == fileIdentity(b);
}

} // namespace Platform
