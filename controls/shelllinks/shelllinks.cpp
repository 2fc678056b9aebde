#include "shelllinks.h"

#include "desktopentry.h"
#include "filenames/filenames.h"

#include <paths.h>
#include <safefile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

ShellLinkResult failure(const QString &error)
{
    return {QString(), error};
}

ShellLinkResult writeLink(const QString &target, const QString &description, const QString &linkName,
                          const QString &folder)
{
    const QString linkFile = folder + u'/' + shortcutFileName(linkName, target);
    if (!Platform::pathFitsFileSystem(target))
        return failure(QStringLiteral("Ścieżka programu jest za długa: %1").arg(target));
    if (!Platform::pathFitsFileSystem(linkFile))
        return failure(QStringLiteral("Ścieżka skrótu jest za długa: %1").arg(linkFile));
    DesktopEntry entry;
    entry.name = QFileInfo(linkFile).completeBaseName();
    entry.comment = description;
    entry.exec = {target};
    entry.workingDir = QFileInfo(target).absolutePath();
    const Platform::WriteResult written = Platform::writeWholeFile(linkFile, writeDesktopEntry(entry));
    if (!written.ok())
        return failure(written.error);
    // Desktops start only links their owner may execute.
    QFile::setPermissions(linkFile, QFile::permissions(linkFile) | QFile::ExeOwner);
    return {linkFile, QString()};
}

} // namespace

ShellLinkResult GetShellFolderPath(const QString &name)
{
    QString path;
    if (name.compare(QStringLiteral("Desktop"), Qt::CaseInsensitive) == 0)
        path = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    else if (name.compare(QStringLiteral("Programs"), Qt::CaseInsensitive) == 0)
        path = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    if (path.isEmpty())
        return failure(QStringLiteral("\"%1\" item not found in registry").arg(name));
    return {path, QString()};
}

QString shortcutFileName(const QString &linkName, const QString &target)
{
    if (linkName.isEmpty())
        return ChangeExtension(target, ShellLinkExtension, false);
    return linkName + u'.' + ShellLinkExtension;
}

ShellLinkResult CreateShortcut(const QString &target, const QString &description, const QString &linkName,
                               const QString &folderName)
{
    const ShellLinkResult folder = GetShellFolderPath(folderName);
    if (!folder.ok())
        return folder;
    if (!QDir().mkpath(folder.path))
        return failure(QStringLiteral("Nie można utworzyć katalogu %1").arg(folder.path));
    return writeLink(target, description, linkName, folder.path);
}

ShellLinkResult CreateShortcutInFolder(const QString &target, const QString &description,
                                       const QString &linkName, const QString &subFolder,
                                       const QString &folderName)
{
    const ShellLinkResult folder = GetShellFolderPath(folderName);
    if (!folder.ok())
        return folder;
    QString inFolder = folder.path + u'/' + subFolder;
    while (inFolder.endsWith(u'/') || inFolder.endsWith(u'\\'))
        inFolder.chop(1);
    if (!QDir().mkpath(inFolder))
        return failure(QStringLiteral("Nie można utworzyć katalogu %1").arg(inFolder));
    return writeLink(target, description, linkName, inFolder);
}
