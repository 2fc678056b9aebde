#pragma once

// The runtime's zip component: reads an archive's directory itself, has the
// unzip plug-in extract it, and turns it into a self-extracting program. It
// has no window; the archive window holds one and shows what it reports.

#include "unzdll.h"
#include "spanjoin.h"
#include "zipdirectory.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <exception>
#include <functional>
#include <vector>

class QWidget;
class SpanVolumes;

// A failure with a message id of the component's table.
class EZipTool : public std::exception
{
public:
    explicit EZipTool(int id, bool display = true);
    EZipTool(int id, int value);
    const char *what() const noexcept override { return m_utf8.constData(); }

    int ResIdent = 0;
    bool DisplayMsg = true;
    QString Message;

private:
    QByteArray m_utf8;
};

class TZipTool : public QObject
{
    Q_OBJECT
public:
    enum ExtrOption { ExtrDirNames = 0x01, ExtrOverWrite = 0x02, ExtrFreshen = 0x04, ExtrUpdate = 0x08, ExtrTest = 0x10 };
    enum SfxOption { SFXAskCmdLine = 0x01, SFXAskFiles = 0x02, SFXHideOverWriteBox = 0x04, SFXCheckSize = 0x08, SFXAutoRun = 0x10 };
    enum OverWriteMode { OvrConfirm, OvrAlways, OvrNever };
    enum DeleteMode { htdFinal, htdAllowUndo };
    enum ProgressType { NewFile = 0, ProgressUpdate = 1, EndOfBatch = 2, TotalFiles = 3, TotalSize = 4 };

    using NotifyEvent = std::function<void(QObject *sender)>;
    using ProgressEvent = std::function<void(QObject *sender, ProgressType type, const QString &fileName, qint64 size)>;
    using MessageEvent = std::function<void(QObject *sender, int errorCode, const QString &message)>;

    explicit TZipTool(QObject *owner = nullptr);
    ~TZipTool() override;

    // The archive (an absolute path); setting it reads the directory.
    QString ZipFilename() const { return m_zipFilename; }
    void setZipFilename(const QString &path);
    QString DLLDirectory() const { return m_dllDirectory; }
    void setDLLDirectory(const QString &folder);

    QStringList FSpecArgs;
    // The absolute folder to extract into; it must exist.
    QString ExtrBaseDir;
    int ExtrOptions = 0;
    QString Password;
    QString TempDir;
    QString SFXPath;
    QString SFXCaption = QStringLiteral("Self-extracting Archive");
    QString SFXDefaultDir;
    QString SFXCommandLine;
    int SFXOptions = SFXCheckSize;
    OverWriteMode SFXOverWriteMode = OvrConfirm;
    ZipFormat::CodePage CodePage = ZipFormat::CodePage::Auto;
    DeleteMode HowToDelete = htdAllowUndo;
    bool Unattended = false;
    bool Verbose = false;
    bool Trace = false;
    // Parent of the message boxes.
    QWidget *MessageParent = nullptr;

    NotifyEvent OnDirUpdate;
    ProgressEvent OnProgress;
    MessageEvent OnMessage;

    void List();
    int Count() const { return static_cast<int>(m_directory.entries.size()); }
    const ZipFormat::Entry &Entry(int index) const { return m_directory.entries.at(static_cast<std::size_t>(index)); }
    const ZipFormat::Directory &Directory() const { return m_directory; }
    QString ZipComment() const;

    void ExtractZip();
    int SuccessCnt() const { return m_successCount; }
    qint64 TotalSizeToProcess() const { return m_totalSize; }

    int ConvertZipToSfx();

    bool LoadUnzipLibrary();
    static void UnloadUnzipLibrary();

    // While an extraction runs: the window asks to stop it (closing and Esc
    // do only this while busy).
    bool Busy() const { return m_busy; }
    void Cancel() { m_cancel = true; }

    int ErrCode() const { return m_errorCode; }
    QString Message() const { return m_errorText; }

private:
    // The function handed to the plug-in; caller is the component.
    static std::int32_t ZipDllCallback(UnzDll::CallbackRecord *record);
    std::int32_t handleCallback(int action, int errorCode, qint64 size, const QString &text);
    bool pumpEvents();

    void showZipMessage(int id, const QString &extra = {});
    void showExceptionError(const EZipTool &error);
    void record(int id, const QString &text);
    int extractSet();
    int extractWithLibrary(const QString &zipPath);
    ZipFormat::Directory readSpannedDirectory(const ZipFormat::Source &last, int lastVolume);
    // The set's directory read across its volumes; a failure throws.
    ZipFormat::SpanDirectory readSpanDirectory(SpanVolumes &volumes, const ZipFormat::Source &last);
    // Joins the spanned set into output: 0, or -7 (zip error), -8 (out of
    // memory), -9 (anything else), the failure shown and output removed.
    int joinSpannedSet(const QString &output);
    QString findStub() const;
    int writeSfx(const QString &stub, const QString &output, const QByteArray &header);
    bool eraseFileUndoable(const QString &path);

    QString m_zipFilename;
    QString m_dllDirectory;
    ZipFormat::Directory m_directory;
    bool m_busy = false;
    bool m_cancel = false;
    int m_successCount = 0;
    qint64 m_totalSize = 0;
    int m_errorCode = 0;
    int m_fullErrorCode = 0;
    QString m_errorText;
    QElapsedTimer m_lastPump;
};
