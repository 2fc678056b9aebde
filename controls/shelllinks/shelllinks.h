#pragma once

#include <QString>

// Program links in the user's special folders, written as freedesktop
// desktop entries: "Desktop" is the user's desktop folder, "Programs" the
// folder of the desktop's application menu ($XDG_DATA_HOME/applications).
// A link named "X" is the file "X.desktop"; it starts its target with the
// target's folder as working folder.

// Outcome of a shell-link routine: the path it made, or the reason it failed.
struct ShellLinkResult {
    QString path;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

inline const QString ShellLinkExtension = QStringLiteral("desktop");

// The folder of a special folder by its name ("Desktop", "Programs"); an
// unknown name is an error.
ShellLinkResult GetShellFolderPath(const QString &name);

// The link file's name for a link name; with an empty name, the target's
// name with the link extension in place of its own.
QString shortcutFileName(const QString &linkName, const QString &target);

// Writes the link folder/LinkName.desktop to target, with description as
// its comment when not empty. The result's path is the link file. A target
// or link path too long for the file system is refused, never cut.
ShellLinkResult CreateShortcut(const QString &target, const QString &description, const QString &linkName,
                               const QString &folderName);
// The same in the sub-folder subFolder of the special folder, created with
// its missing parents.
ShellLinkResult CreateShortcutInFolder(const QString &target, const QString &description,
                                       const QString &linkName, const QString &subFolder,
                                       const QString &folderName);
