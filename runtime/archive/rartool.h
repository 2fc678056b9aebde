#pragma once

// The runtime's RAR component: counts, lists and extracts the entries of a
// RAR archive through the plug-in "unrar.dll". It has no window; the
// archive window holds one and shows what its events report.

#include "unrar.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <functional>

class QWidget;

class TRAR : public QObject
{
    Q_OBJECT
public:
    using ListFileProc = std::function<void(QObject *sender, const UnRar::HeaderData &listedFile)>;
    using FileBeingExtracted = std::function<void(QObject *sender, const UnRar::HeaderData &eFile)>;
    using FileExtracted = std::function<void(QObject *sender, const UnRar::HeaderData &eFile, bool result)>;
    using FileBeingTested = std::function<void(QObject *sender, const UnRar::HeaderData &eFile)>;
    using FileTested = std::function<void(QObject *sender, const UnRar::HeaderData &eFile, bool result)>;
    using ReqPassword = std::function<void(QObject *sender, const UnRar::HeaderData &eFile, QString &password)>;
    using ErrorProc = std::function<void(QObject *sender, int error)>;
    using CommentProc = std::function<void(QObject *sender, const QString &comment)>;
    // Returns what the plug-in's volume callback returns (-1 stops).
    using VolumeChangeProc = std::function<int(QObject *sender, const QString &arcName, int mode)>;
    // Returns what the plug-in's data callback returns (-1 stops).
    using ProcessDataProc =
        std::function<int(QObject *sender, const unsigned char *addr, int blockSize, qint64 position)>;

    explicit TRAR(QObject *owner = nullptr);
    ~TRAR() override;

    QString ArchiveName;
    // Names to extract, matched exactly; empty, or holding "*.*", means all.
    QStringList FilesToExtract;
    QStringList FilesToTest;
    // Empty passes no folder to the plug-in (its current folder).
    QString TargetDir;
    bool Stop = false;

    // Where "unrar.dll" is looked for; empty: beside the program.
    QString LibraryDirectory;
    // Parent of the missing-library box.
    QWidget *MessageParent = nullptr;

    ListFileProc OnListFile;
    FileBeingExtracted OnExtracting;
    FileExtracted OnExtract;
    ReqPassword OnReqPassword;
    ErrorProc OnError;
    CommentProc OnComment;
    VolumeChangeProc OnVolumeChange;
    ProcessDataProc OnProcessData;
    FileBeingTested OnTesting;
    FileTested OnTested;

    // The number of entries, or -1 when the archive could not be opened.
    int CountFiles();
    int FileCount() const { return m_count; }
    void ListFiles();
    // True when every entry it processed was extracted (and it was not
    // stopped).
    bool ExtractFiles();

    // The entry's name as the plug-in reports it: up to its first zero.
    static QString EntryName(const UnRar::HeaderData &header);

private:
    bool loadLibrary();
    UnRar::Handle open(int mode, UnRar::OpenArchiveData &data);
    // Opens the archive for a walk over its entries; a failure is reported
    // and gives nullptr.
    UnRar::Handle openWalk(int mode, bool reportArchiveComment);
    UnRar::HeaderData headerBuffer();
    bool skipEntry(UnRar::Handle handle);
    void closeWalk(UnRar::Handle handle, int lastResult);
    void reportComment(unsigned state, const char *buffer, unsigned size);
    bool wanted(const QString &name) const;
    void pumpEvents();
    void error(int code);

    static int volumeCallback(char *arcName, int mode);
    static int dataCallback(unsigned char *address, int size);

    int m_count = 0;
    qint64 m_position = 0;
    bool m_loaded = false;
    QByteArray m_archivePath;
    QByteArray m_comment;
    QElapsedTimer m_lastPump;
};
