#pragma once

// Moving a project's files to another folder of its drive: every stored
// path of the project that lies in one folder is made to name the same file
// in another. Works on the project file; no windows.

#include <QString>
#include <QStringList>

namespace Platform {
class ProfileFile;
}

namespace PathRewrite {

// The folders the project's paths lie in (each value up to and including
// its last "\"), each once without regard to case, in the order the path
// change offers them. Values in the root of the drive give none.
QStringList foldersIn(const Platform::ProfileFile &project);

// A folder as the author typed it, in stored form: blanks around it
// dropped, "/" read as "\", a final "\" added. Empty stays empty (the root
// of the drive).
QString storedFolder(const QString &typed);

// Why the change of oldFolder to newFolder (stored forms) cannot be made:
// no old folder, or a new one that leaves the drive root (".." above it, or
// a link out of it). Empty when it can.
QString refusal(const QString &root, const QString &oldFolder, const QString &newFolder);

// Each path-valued value of project that begins with oldFolder (whole
// folder names, any letter case, "/" taken as "\") gets newFolder in its
// place; the rest of the value keeps its letters and nothing is cut. Other
// values stay as they are. The number of values changed.
int rewrite(Platform::ProfileFile &project, const QString &oldFolder, const QString &newFolder);

struct Outcome
{
    int changed = 0;
    QString error; // the message for the author; empty on success
    bool ok() const { return error.isEmpty(); }
};

// The whole change on the project file on disk: refused as refusal() says
// (the file untouched), else rewritten and written back complete; a write
// that fails leaves the old file and gives its reason.
Outcome changeFolder(const QString &projectFile, const QString &root, const QString &oldFolder,
                     const QString &newFolder);

} // namespace PathRewrite
