#include "cdfolder.h"

#include "project/designercontext.h"
#include "project/designermessages.h"

#include <dialogs.h>
#include <paths.h>
#include <profilefile.h>
#include <projectfile/projectformat.h>

#include <QDir>
#include <QFileInfo>

namespace CdFolder {
namespace {

QString folderWithSlash(QString folder)
{
    folder = QDir::cleanPath(folder);
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool holds(const QString &folder, const QString &path)
{
    return path.startsWith(folderWithSlash(folder)) || folderWithSlash(path) == folderWithSlash(folder);
}

} // namespace

bool isCdFolder(const QString &driveRoot)
{
    return !driveRoot.isEmpty() && QDir::cleanPath(driveRoot) != QLatin1String("/");
}

QString describe(const QString &driveRoot)
{
    return isCdFolder(driveRoot) ? DesignerMessages::cdFolderShown(QDir::toNativeSeparators(driveRoot))
                                 : DesignerMessages::noCdFolderShown();
}

QString proposal(const QString &projectFile, const QStringList &namedFiles, const QString &home)
{
    const QString projectDir = QFileInfo(projectFile).absolutePath();
    QString folder = projectDir;
    for (const QString &file : namedFiles) {
        while (!holds(folder, file) && QFileInfo(folder).path() != folder)
            folder = QFileInfo(folder).path();
    }
    const QString homeDir = QDir::cleanPath(home);
    const bool tooHigh = folder == QLatin1String("/") || holds(folder, homeDir);
    if (!tooHigh)
        return folderWithSlash(folder);
    // Below home: the first folder under it on the way to the project.
    if (holds(homeDir, projectDir) && projectDir != homeDir) {
        const QString below = projectDir.mid(homeDir.size() + 1).section(u'/', 0, 0);
        return folderWithSlash(homeDir + u'/' + below);
    }
    return folderWithSlash(projectDir);
}

QStringList filesNamedFromTop(const QString &projectFile)
{
    const Platform::ProfileFile project(projectFile);
    Platform::StoredPathResolver resolver(QStringLiteral("/"));
    QStringList files;
    const auto add = [&](const QString &section, const QString &key) {
        const QString value = project.readString(section, key, {});
        if (value.trimmed().isEmpty())
            return;
        const QString path = resolver.resolve(value);
        if (!path.isEmpty() && QFileInfo::exists(path))
            files << path;
    };
    for (const ProjectFormat::PathValuedKey &entry : ProjectFormat::pathValuedKeys()) {
        if (!entry.key.isEmpty()) {
            add(entry.section, entry.key);
            continue;
        }
        for (const QString &key : project.keyNames(entry.section))
            add(entry.section, key);
    }
    return files;
}

} // namespace CdFolder

bool offerCdFolder(QWidget *parent, DesignerContext &context, const QString &projectFile)
{
    const QString absolute = QFileInfo(projectFile).absoluteFilePath();
    if (CdFolder::isCdFolder(Platform::documentDriveRoot(absolute)))
        return true;
    if (context.CdFolderOffered.contains(absolute))
        return false;
    context.CdFolderOffered.insert(absolute);

    QString folder = CdFolder::proposal(absolute, CdFolder::filesNamedFromTop(absolute), QDir::homePath());
    const Platform::MessageAnswer answer =
        Platform::showMessage(parent, DesignerMessages::noCdFolder(absolute, QDir::toNativeSeparators(folder)),
                              DesignerCaption, Platform::MessageButtons::YesNoCancel, Platform::MessageIcon::Question);
    if (answer == Platform::MessageAnswer::No) {
        folder = Platform::Dialogs::instance().chooseFolder(parent, DesignerMessages::chooseCdFolderCaption(), folder);
        if (folder.isEmpty())
            return false;
        folder = QFileInfo(folder).absoluteFilePath();
        if (!Platform::liesInside(folder, absolute)) {
            Platform::showMessage(parent, DesignerMessages::cdFolderMustHoldProject(folder, absolute), DesignerCaption,
                                  Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
            return false;
        }
    } else if (answer != Platform::MessageAnswer::Yes) {
        return false;
    }
    if (const QString error = Platform::writeMinimalAutorun(folder); !error.isEmpty()) {
        Platform::showMessage(parent, DesignerMessages::cannotMakeCdFolder(folder, error), DesignerCaption,
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
        return false;
    }
    context.DriveRoot = Platform::documentDriveRoot(absolute);
    return true;
}
