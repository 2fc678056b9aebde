#include "programlinks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utility>
#include <vector>

namespace {

using namespace ProgramLinkNames;

const QString Desktop = QStringLiteral("Desktop");
const QString Programs = QStringLiteral("Programs");

QString linkPath(const QString &specialFolder, const QString &subFolder, const QString &name)
{
    const ShellLinkResult folder = GetShellFolderPath(specialFolder);
    if (!folder.ok())
        return {};
    const QString dir = subFolder.isEmpty() ? folder.path : folder.path + u'/' + subFolder;
    return dir + u'/' + shortcutFileName(name, QString());
}

QString menuFolderPath()
{
    const ShellLinkResult folder = GetShellFolderPath(Programs);
    return folder.ok() ? folder.path + u'/' + Folder : QString();
}

const QString menuLinkNames[] = {Designer, Runtime, DataEditor, BitmapEditor, Autostart};

std::vector<std::pair<QString, QString>> menuLinks(const QString &designerProgram, const GeneratorConfig &config)
{
    return {{Designer, designerProgram},
            {Runtime, config.file(GeneratorFile::Menu)},
            {DataEditor, config.file(GeneratorFile::ZazavaRv3)},
            {BitmapEditor, config.file(GeneratorFile::BitmapEditor)},
            {Autostart, config.file(GeneratorFile::Autostart)}};
}

bool linkExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

} // namespace

ProgramLinkChoice existingProgramLinks()
{
    ProgramLinkChoice choice;
    choice.onDesktop = linkExists(linkPath(Desktop, {}, Designer));
    choice.inStartMenu = linkExists(linkPath(Programs, Folder, Designer));
    choice.allInStartMenu = true;
    for (const QString &name : menuLinkNames)
        choice.allInStartMenu = choice.allInStartMenu && linkExists(linkPath(Programs, Folder, name));
    return choice;
}

ShellLinkResult applyProgramLinks(const ProgramLinkChoice &choice, const QString &designerProgram,
                                  const GeneratorConfig &config)
{
    if (choice.allInStartMenu) {
        for (const auto &[name, target] : menuLinks(designerProgram, config)) {
            const ShellLinkResult made = CreateShortcutInFolder(target, name, name, Folder, Programs);
            if (!made.ok())
                return made;
        }
    } else {
        for (const QString &name : menuLinkNames)
            QFile::remove(linkPath(Programs, Folder, name));
        // Succeeds only when nothing else is left in it.
        if (const QString folder = menuFolderPath(); !folder.isEmpty())
            QDir().rmdir(folder);
    }
    if (choice.onDesktop) {
        const ShellLinkResult made = CreateShortcut(designerProgram, Designer, Designer, Desktop);
        if (!made.ok())
            return made;
    } else {
        QFile::remove(linkPath(Desktop, {}, Designer));
    }
    if (choice.inStartMenu)
        return CreateShortcutInFolder(designerProgram, Designer, Designer, Folder, Programs);
    return {};
}
