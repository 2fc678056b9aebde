#include "ziptool.h"

#include "safefile.h"
#include "dialogs.h"
#include "fileidentity.h"
#include "paths.h"
#include "sfxheader.h"
#include "spanvolumes.h"
#include "texts/runtimetexts.h"
#include "unzdllloader.h"
#include "zipbytes.h"
#include "ziptexts.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <new>

namespace {

constexpr qint64 ChunkSize = 8192;
constexpr int PumpIntervalMs = 50;
constexpr std::int64_t SfxFront = SfxHeader::Size;

class WaitCursor
{
public:
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    }
};

std::string localPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

EZipTool::EZipTool(int id, bool display) : ResIdent(id), DisplayMsg(display), Message(ZipTexts::text(id))
{
    m_utf8 = Message.toUtf8();
}

EZipTool::EZipTool(int id, int value) : ResIdent(id), DisplayMsg(true)
{
    Message = ZipTexts::text(id);
    Message.replace(QStringLiteral("%d"), QString::number(value));
    m_utf8 = Message.toUtf8();
}

TZipTool::TZipTool(QObject *owner) : QObject(owner) {}

TZipTool::~TZipTool() = default;

void TZipTool::setZipFilename(const QString &path)
{
    m_zipFilename = path;
    List();
}

void TZipTool::setDLLDirectory(const QString &folder)
{
    m_dllDirectory = folder;
    if (m_dllDirectory.endsWith(u'\\') || (m_dllDirectory.size() > 1 && m_dllDirectory.endsWith(u'/')))
        m_dllDirectory.chop(1);
}

QString TZipTool::ZipComment() const
{
    // Unflagged like a name stored by a Windows tool: UTF-8 when it is valid
    // UTF-8, else Windows-1250.
    const ZipFormat::NameOrigin windows{0, 20, 11};
    return QString::fromStdString(ZipFormat::decodeEntryName(m_directory.end.comment, windows, ZipFormat::CodePage::None));
}

// ---- directory ----

void TZipTool::List()
{
    m_directory = {};
    if (m_zipFilename.isEmpty() || !QFileInfo(m_zipFilename).isFile()) {
        if (OnDirUpdate)
            OnDirUpdate(this);
        return;
    }
    {
        WaitCursor wait;
        try {
            const ZipFormat::FileSource source(localPath(m_zipFilename));
            if (!source.isOpen())
                throw EZipTool(ZipFormat::Message::OpenFailed);
            ZipFormat::Directory directory = ZipFormat::readDirectory(source, CodePage);
            for (const int warning : directory.warnings)
                showZipMessage(warning);
            if (directory.spanned)
                directory = readSpannedDirectory(source, directory.end.record.thisDisk);
            // A part before the last of a numbered set has no directory.
            if (directory.error == ZipFormat::Message::NotZip) {
                const int part = SpanVolumes::partNumber(m_zipFilename);
                if (part > 1)
                    throw EZipTool(11038, part);
            }
            if (directory.error != 0)
                throw EZipTool(directory.error);
            m_directory = std::move(directory);
        } catch (const EZipTool &error) {
            showExceptionError(error);
            m_zipFilename.clear();
            m_directory = {};
        } catch (const std::bad_alloc &) {
            showZipMessage(10103);
            m_zipFilename.clear();
            m_directory = {};
        } catch (...) {
            showZipMessage(10202);
            m_zipFilename.clear();
            m_directory = {};
        }
    }
    if (OnDirUpdate)
        OnDirUpdate(this);
}

ZipFormat::Directory TZipTool::readSpannedDirectory(const ZipFormat::Source &last, int lastVolume)
{
    if (const int refusal = SpanVolumes::checkSet(m_zipFilename, lastVolume))
        throw EZipTool(refusal);
    SpanVolumes volumes(m_zipFilename, lastVolume);
    const ZipFormat::SpanDirectory span = readSpanDirectory(volumes, last);
    ZipFormat::Directory directory;
    directory.end = span.end;
    directory.entries = span.entries;
    directory.spanned = true;
    return directory;
}

ZipFormat::SpanDirectory TZipTool::readSpanDirectory(SpanVolumes &volumes, const ZipFormat::Source &last)
{
    volumes.Unattended = Unattended;
    volumes.MessageParent = MessageParent;
    volumes.PumpEvents = [] { QCoreApplication::processEvents(); };
    ZipFormat::SpanDirectory span = ZipFormat::readSpanDirectory(volumes, last, CodePage);
    if (span.error != 0)
        throw EZipTool(span.error);
    return span;
}

int TZipTool::joinSpannedSet(const QString &output)
{
    WaitCursor wait;
    int result = 0;
    m_lastPump.invalidate();
    try {
        const ZipFormat::FileSource last(localPath(m_zipFilename));
        if (!last.isOpen())
            throw EZipTool(ZipFormat::Message::OpenFailed);
        const ZipFormat::EndSearch search = ZipFormat::findEndOfCentralDir(last);
        if (!search.found)
            throw EZipTool(search.error);
        const int lastVolume = search.found->record.thisDisk;
        if (const int refusal = SpanVolumes::checkSet(m_zipFilename, lastVolume))
            throw EZipTool(refusal);
        SpanVolumes volumes(m_zipFilename, lastVolume);
        const ZipFormat::SpanDirectory span = readSpanDirectory(volumes, last);
        QFile out(output);
        if (!out.open(QIODevice::WriteOnly))
            throw EZipTool(11009);
        ZipFormat::JoinProgress progress;
        progress.totals = [this](int files, std::int64_t bytes) {
            if (OnProgress) {
                OnProgress(this, TotalFiles, QString(), files);
                OnProgress(this, TotalSize, QString(), bytes);
            }
        };
        progress.newFile = [this](const ZipFormat::Entry &entry, std::int64_t size) {
            const QString text = QString::fromStdString(entry.fileName);
            if (OnMessage)
                OnMessage(this, 0, ZipTexts::text(ZipTexts::CopyingPrefix) + text);
            if (OnProgress)
                OnProgress(this, NewFile, text, size);
        };
        progress.update = [this](std::int64_t written) {
            if (OnProgress)
                OnProgress(this, ProgressUpdate, QString(), written);
            pumpEvents();
            return !m_cancel;
        };
        const int error = ZipFormat::joinSpannedSet(
            volumes, span, [&out](const char *data, std::size_t size) { return out.write(data, qint64(size)) == qint64(size); },
            progress);
        if (error != 0)
            throw EZipTool(error);
        if (!out.flush())
            throw EZipTool(11030);
        out.setFileTime(QFileInfo(m_zipFilename).lastModified(), QFileDevice::FileModificationTime);
    } catch (const EZipTool &error) {
        showExceptionError(error);
        result = -7;
    } catch (const std::bad_alloc &) {
        showZipMessage(10103);
        result = -8;
    } catch (...) {
        showZipMessage(11024);
        result = -9;
    }
    if (OnProgress)
        OnProgress(this, EndOfBatch, QString(), 0);
    if (result != 0)
        QFile::remove(output);
    return result;
}

// ---- messages ----

void TZipTool::record(int id, const QString &text)
{
    m_errorText = text;
    m_errorCode = id;
    if (OnMessage)
        OnMessage(this, 0, text);
}

void TZipTool::showZipMessage(int id, const QString &extra)
{
    const QString text = ZipTexts::text(id) + extra;
    if (!Unattended)
        Platform::showMessage(MessageParent, text, RuntimeTexts::ProductCaption);
    record(id, text);
}

void TZipTool::showExceptionError(const EZipTool &error)
{
    if (error.DisplayMsg && !Unattended)
        Platform::showMessage(MessageParent, error.Message, RuntimeTexts::ProductCaption);
    record(error.ResIdent, error.Message);
}

// ---- library ----

bool TZipTool::LoadUnzipLibrary()
{
    const UnzDllLoader::LoadResult result = UnzDllLoader::load(m_dllDirectory);
    if (!result.found) {
        showZipMessage(10704);
        return false;
    }
    if (result.execMissing)
        showZipMessage(10702);
    if (result.versionMissing)
        showZipMessage(10703);
    if (result.ok() && Trace)
        showZipMessage(10701);
    return result.ok();
}

void TZipTool::UnloadUnzipLibrary()
{
    UnzDllLoader::unload();
}

// ---- extraction ----

void TZipTool::ExtractZip()
{
    m_successCount = 0;
    if (m_zipFilename.isEmpty() || !QFileInfo(m_zipFilename).isFile()) {
        showZipMessage(10102);
        return;
    }
    if (m_busy)
        return;
    const bool test = (ExtrOptions & ExtrTest) != 0;
    if (!test && (!QDir::isAbsolutePath(ExtrBaseDir) || !QFileInfo(ExtrBaseDir).isDir())) {
        showZipMessage(ZipTexts::TargetFolderMissing, ExtrBaseDir);
        FSpecArgs.clear();
        return;
    }
    m_busy = true;
    m_cancel = false;
    const bool loadedHere = !UnzDllLoader::isLoaded();
    if (LoadUnzipLibrary()) {
        try {
            m_successCount = extractSet();
        } catch (...) {
            showZipMessage(10501);
        }
    }
    FSpecArgs.clear();
    if (loadedHere)
        UnloadUnzipLibrary();
    m_cancel = false;
    m_busy = false;
}

int TZipTool::extractSet()
{
    if (!m_directory.spanned)
        return extractWithLibrary(m_zipFilename);
    // The joined copy lives in a private folder of its own, removed with
    // everything in it when the extraction ends.
    QTemporaryDir folder(TempDir.isEmpty() ? QDir::tempPath() + QStringLiteral("/zipXXXXXX")
                                           : QDir(TempDir).filePath(QStringLiteral("zipXXXXXX")));
    if (!folder.isValid()) {
        showZipMessage(11027);
        return 0;
    }
    const QString joined = folder.filePath(QStringLiteral("joined.zip"));
    if (joinSpannedSet(joined) != 0)
        return 0;
    return extractWithLibrary(joined);
}

int TZipTool::extractWithLibrary(const QString &zipPath)
{
    if (UnzDllLoader::versionEntry()() < UnzDll::RecordVersion) {
        showZipMessage(ZipTexts::LibraryTooOld);
        return 0;
    }
    const QByteArray zipName = QFile::encodeName(zipPath);
    const QByteArray target = QFile::encodeName(ExtrBaseDir);
    QByteArray password = Password.left(80).toUtf8();
    password.resize(UnzDll::PasswordSize - 1, '\0');

    std::vector<QByteArray> specTexts;
    for (const QString &spec : std::as_const(FSpecArgs))
        specTexts.push_back(spec.toUtf8());
    std::vector<UnzDll::SpecRecord> specs(specTexts.size());
    for (std::size_t i = 0; i < specs.size(); ++i)
        specs[i].spec = specTexts[i].constData();

    UnzDll::ExecRecord record;
    record.window = Unattended ? nullptr : static_cast<void *>(MessageParent);
    record.caller = this;
    record.callback = &TZipTool::ZipDllCallback;
    record.trace = Trace ? -1 : 0;
    record.password = password.constData();
    record.test = (ExtrOptions & ExtrTest) ? -1 : 0;
    record.verbose = (Verbose || Trace) ? -1 : 0;
    record.update = (ExtrOptions & ExtrUpdate) ? -1 : 0;
    record.freshen = ((ExtrOptions & ExtrFreshen) && !(ExtrOptions & ExtrUpdate)) ? -1 : 0;
    record.directoryNames = (ExtrOptions & ExtrDirNames) ? -1 : 0;
    record.overwrite = (ExtrOptions & ExtrOverWrite) ? -1 : 0;
    record.specCount = static_cast<std::int32_t>(specs.size());
    record.zipName = zipName.constData();
    record.specs = specs.empty() ? nullptr : specs.data();
    record.targetFolder = target.constData();
    m_lastPump.invalidate();
    return UnzDllLoader::execEntry()(&record);
}

std::int32_t TZipTool::ZipDllCallback(UnzDll::CallbackRecord *record)
{
    auto *tool = static_cast<TZipTool *>(record->caller);
    const QString text = QString::fromUtf8(record->text, static_cast<qsizetype>(qstrnlen(record->text, UnzDll::TextSize)));
    return tool->handleCallback(record->action, record->errorCode, record->sizeOrCount, text);
}

std::int32_t TZipTool::handleCallback(int action, int errorCode, qint64 size, const QString &text)
{
    QString name = text;
    name.replace(u'/', u'\\');
    switch (action) {
    case UnzDll::NewFile:
        if (OnProgress)
            OnProgress(this, NewFile, name, size);
        break;
    case UnzDll::Progress:
        if (OnProgress)
            OnProgress(this, ProgressUpdate, QString(), size);
        break;
    case UnzDll::EndOfBatch:
        if (OnProgress)
            OnProgress(this, EndOfBatch, QString(), 0);
        break;
    case UnzDll::MessageText: {
        while (name.endsWith(u' '))
            name.chop(1);
        m_errorText = name;
        if (errorCode != 0) {
            m_errorCode = errorCode & 0xFF;
            m_fullErrorCode = errorCode;
        }
        if (OnMessage)
            OnMessage(this, errorCode, name);
        break;
    }
    case UnzDll::TotalFiles:
        if (OnProgress)
            OnProgress(this, TotalFiles, QString(), size);
        break;
    case UnzDll::TotalSize:
        m_totalSize = size;
        if (OnProgress)
            OnProgress(this, TotalSize, QString(), size);
        break;
    default:
        break;
    }
    const bool cancelled = m_cancel;
    pumpEvents();
    return cancelled ? -1 : 0;
}

bool TZipTool::pumpEvents()
{
    if (m_lastPump.isValid() && m_lastPump.elapsed() < PumpIntervalMs)
        return false;
    QCoreApplication::processEvents();
    m_lastPump.start();
    return true;
}

// ---- self-extractor ----

QString TZipTool::findStub() const
{
    if (!SFXPath.isEmpty() && QFileInfo(SFXPath).isFile())
        return SFXPath;
    const QString name = QStringLiteral("ZIPSFX.BIN");
    for (const QString &dir : {Platform::programDir(), Platform::userSettingsDir(), m_dllDirectory}) {
        if (dir.isEmpty())
            continue;
        const QString found = Platform::findEntryCaseInsensitive(dir, name);
        if (!found.isEmpty() && QFileInfo(QDir(dir).filePath(found)).isFile())
            return QDir(dir).filePath(found);
    }
    return {};
}

bool TZipTool::eraseFileUndoable(const QString &path)
{
    if (!QFileInfo::exists(path))
        return false;
    if (HowToDelete == htdAllowUndo)
        return QFile::moveToTrash(path);
    return QFile::remove(path);
}

int TZipTool::ConvertZipToSfx()
{
    if (m_zipFilename.isEmpty() || !QFileInfo(m_zipFilename).isFile()) {
        showZipMessage(10102);
        return -9;
    }
    SfxHeader::Settings settings{0, SFXCaption, SFXDefaultDir, SFXCommandLine};
    settings.flags = static_cast<unsigned char>(
        ((SFXOptions & SFXAskCmdLine) ? SfxHeader::AskCmdLine : 0) | ((SFXOptions & SFXAskFiles) ? SfxHeader::AskFiles : 0)
        | ((SFXOptions & SFXHideOverWriteBox) ? SfxHeader::HideOverWriteBox : 0)
        | (SFXOverWriteMode == OvrAlways ? SfxHeader::OverWriteAlways : 0)
        | (SFXOverWriteMode == OvrNever ? SfxHeader::OverWriteNever : 0)
        | ((SFXOptions & SFXCheckSize) ? 0 : SfxHeader::NoCheckSize) | ((SFXOptions & SFXAutoRun) ? SfxHeader::AutoRun : 0));
    const std::optional<QByteArray> header = SfxHeader::build(settings);
    if (!header) {
        showZipMessage(10801, ZipTexts::SumPrefix + QString::number(SfxHeader::textBytes(settings)));
        return -9;
    }
    const QString stub = findStub();
    if (stub.isEmpty()) {
        showZipMessage(10802);
        return -9;
    }
    const QFileInfo source(m_zipFilename);
    if (source.suffix().toUpper() != u"ZIP") {
        showZipMessage(10803);
        return -9;
    }
    const QString output = source.dir().filePath(source.completeBaseName() + QStringLiteral(".exe"));
    WaitCursor wait;
    const int result = writeSfx(stub, output, *header);
    if (result != 0)
        return result;
    // The program runs as the stub does.
    QFile::setPermissions(output, QFile::permissions(output)
                                      | (QFile::permissions(stub) & (QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther
                                                                     | QFile::ExeUser)));
    if (!Platform::sameFile(m_zipFilename, output))
        eraseFileUndoable(m_zipFilename);
    setZipFilename(output);
    return 0;
}

namespace {

// Copies count bytes of source from offset into out, 8 KiB at a time;
// 0, -3 (read) or -2 (write).
template<typename Pump>
int copyRange(const ZipFormat::Source &source, std::int64_t offset, std::int64_t count, Platform::WholeFileWriter &out,
              Pump pump)
{
    QByteArray chunk;
    while (count > 0) {
        const qint64 piece = std::min<std::int64_t>(count, ChunkSize);
        chunk.resize(piece);
        if (!source.readAt(offset, chunk.data(), static_cast<std::size_t>(piece)))
            return -3;
        if (!out.write(chunk))
            return -2;
        offset += piece;
        count -= piece;
        pump();
    }
    return 0;
}

// The central directory and end record with every offset moved by delta;
// empty when an offset would not fit.
QByteArray movedDirectory(const ZipFormat::Source &source, const ZipFormat::Directory &directory, std::int64_t delta,
                          int &error)
{
    const ZipFormat::EndLocation &end = directory.end;
    QByteArray bytes(static_cast<qsizetype>(end.usableEnd - directory.directoryStart), '\0');
    if (!source.readAt(directory.directoryStart, bytes.data(), static_cast<std::size_t>(bytes.size()))) {
        error = 11013;
        return {};
    }
    auto *data = reinterpret_cast<unsigned char *>(bytes.data());
    std::size_t pos = 0;
    for (const ZipFormat::Entry &entry : directory.entries) {
        const std::int64_t moved = std::int64_t(entry.localHeaderOffset()) + delta;
        if (moved < 0 || moved > 0xFFFFFFFE) {
            error = ZipTexts::OffsetsTooLarge;
            return {};
        }
        ZipFormat::write32(data + pos + 42, static_cast<std::uint32_t>(moved));
        pos += ZipFormat::CentralHeaderSize + ZipFormat::read16(data + pos + 28) + ZipFormat::read16(data + pos + 30)
               + ZipFormat::read16(data + pos + 32);
    }
    const std::int64_t movedStart = directory.directoryStart + (delta - directory.shift);
    if (movedStart > 0xFFFFFFFE) {
        error = ZipTexts::OffsetsTooLarge;
        return {};
    }
    ZipFormat::write32(data + (end.recordOffset - directory.directoryStart) + 16, static_cast<std::uint32_t>(movedStart));
    return bytes;
}

} // namespace

int TZipTool::writeSfx(const QString &stub, const QString &output, const QByteArray &header)
{
    const ZipFormat::FileSource archive(localPath(m_zipFilename));
    const ZipFormat::FileSource stubFile(localPath(stub));
    if (!archive.isOpen() || !stubFile.isOpen())
        return -3;
    const ZipFormat::Directory directory = ZipFormat::readDirectory(archive, CodePage);
    if (directory.error != 0) {
        showZipMessage(directory.error);
        return -3;
    }
    Platform::WholeFileWriter out(output);
    if (!out.open()) {
        showZipMessage(11009);
        return -1;
    }
    m_lastPump.invalidate();
    auto pump = [this]() { pumpEvents(); };
    const std::int64_t stubLength = stubFile.size();
    int result = copyRange(stubFile, 0, stubLength, out, pump);
    if (result == 0 && !out.write(header))
        result = -2;
    if (result == 0)
        result = copyRange(archive, 0, directory.directoryStart, out, pump);
    if (result != 0)
        return result;
    // Local headers really lie shift bytes behind what the directory
    // records; they now lie a further stub and header behind.
    int error = 0;
    const QByteArray moved = movedDirectory(archive, directory, directory.shift + stubLength + SfxFront, error);
    if (moved.isEmpty()) {
        showZipMessage(error);
        return error == ZipTexts::OffsetsTooLarge ? -9 : -3;
    }
    if (!out.write(moved))
        return -2;
    if (!out.commit().ok())
        return -2;
    const std::int64_t archiveLength = directory.end.usableEnd;
    if (QFileInfo(output).size() != stubLength + SfxFront + archiveLength) {
        QFile::remove(output);
        return -9;
    }
    return 0;
}
