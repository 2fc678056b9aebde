#pragma once

#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

enum class TDirCase { dcLowerCase, dcUpperCase, dcOriginal };
enum class TFileNameCase { fcLowerCase, fcUpperCase, fcOriginal };
enum class TFileType { ftDir, ftFile, ftBoth };

// A walk of a folder tree that calls a handler for each folder and regular
// file and can collect the entries and their total size.
//
// The walk keeps its own stack of folders (a deep tree cannot exhaust the
// call stack), never follows symbolic links (a link loop cannot make it
// endless; links are not reported), skips pipes, sockets and devices, and
// totals sizes in 64 bits. A handler that answers false ends the whole walk.
class TFtw : public QObject
{
    Q_OBJECT
public:
    // Folder is the entry's folder without a trailing separator; true goes on.
    using ProcessFileEvent = std::function<bool(QObject *sender, const QString &folder, const QFileInfo &entry)>;

    explicit TFtw(QObject *owner = nullptr);

    QString StartPath;
    bool Recursive = true;
    // Entries whose names match this pattern (case-insensitive; "*.*" is
    // every entry, as on Windows) are reported; folders must match to be
    // walked into.
    QString Filter = QStringLiteral("*.*");
    // Names and ";.ext" extensions to keep in the list, empty for all.
    QString ExtendedFilter;
    bool UseList = true;
    TDirCase ListDirCase = TDirCase::dcOriginal;
    TFileNameCase ListFileNameCase = TFileNameCase::fcOriginal;
    TFileType ListFileType = TFileType::ftBoth;
    ProcessFileEvent OnProcessFile;

    // Total bytes of the listed files.
    qint64 Size = 0;
    QStringList List;

    // False (and nothing done) without a handler. A start folder that does
    // not exist gives no call and an empty list.
    bool Execute();

private:
    bool matchesPattern(const QString &name) const;
    void collect(const QString &folder, const QFileInfo &entry);
    bool keptByExtendedFilter(const QFileInfo &entry) const;
};

// The 1-based position of the last occurrence of sub in s; 0 when there is
// none or either is empty.
int LastPos(const QString &sub, const QString &s);
