#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Program links are freedesktop desktop entries ("*.desktop"): a
// [Desktop Entry] group with Name, Comment, Exec and Path.
struct DesktopEntry {
    QString name;
    QString comment;
    QStringList exec; // the program and its arguments, as started
    QString workingDir;
};

// The Exec value that starts exactly these arguments: each one quoted, with
// '"', '`', '$' and '\' escaped inside the quotes and '%' doubled, so no
// blank, quote or field code in a path can split it or run anything else.
QString desktopExecValue(const QStringList &arguments);
// The arguments of an Exec value; nothing when its quotes do not close.
std::optional<QStringList> parseDesktopExec(const QString &value);

// The file's text: UTF-8, one key a line.
QByteArray writeDesktopEntry(const DesktopEntry &entry);
// The entry of a desktop file's text; nothing when it has no
// [Desktop Entry] group or its Exec cannot be read.
std::optional<DesktopEntry> readDesktopEntry(const QByteArray &text);
