#pragma once

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

enum TFileOp { foCopy, foDelete, foMove, foRename };

enum TFileOpFlag {
    fofAllowUndo = 0x001,         // delete moves to the desktop's trash
    fofConfirmMouse = 0x002,      // no meaning here; kept for forms that set it
    fofFilesOnly = 0x004,         // masks match files, not folders
    fofMultiDestFiles = 0x008,    // FilesTo names one target per source
    fofNoConfirmation = 0x010,    // overwrite and delete without asking
    fofNoConfirmMkDir = 0x020,    // create missing target folders without asking
    fofRenameOnCollision = 0x040, // a taken target name gets a free one
    fofSilent = 0x080,            // no progress window
    fofSimpleProgress = 0x100,    // progress without file names
};
Q_DECLARE_FLAGS(TFileOpFlags, TFileOpFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFileOpFlags)

// One file or folder handled: where it went and, on failure, why.
struct FileOpItem {
    QString source;
    QString target; // empty for a delete
    QString error;  // empty when done
    bool skipped = false; // the user chose not to overwrite
};

struct FileOpRequest {
    TFileOp operation = foCopy;
    QStringList from;
    QStringList to;
    TFileOpFlags flags;
};

// The questions the engine may ask, and its progress.
struct FileOpCallbacks {
    enum class Answer { Yes, No, Cancel };
    // A yes/no/cancel question: replace a file, create a folder, delete.
    std::function<Answer(const QString &question)> confirm;
    // Before each item; false cancels the rest.
    std::function<bool(int done, int total, const QString &name)> progress;
};

struct FileOpOutcome {
    QList<FileOpItem> items;
    bool aborted = false; // cancelled by the user
    bool ok() const;      // every item done and nothing cancelled
};

// Copies, moves, renames or deletes files and folders. A source name that
// exists is taken literally; otherwise a name with "*" or "?" in its last
// part is a mask over its folder (without regard to case). A file is never
// copied onto itself, and a copy replaces its target only once complete.
FileOpOutcome runFileOperation(const FileOpRequest &request, const FileOpCallbacks &callbacks);
