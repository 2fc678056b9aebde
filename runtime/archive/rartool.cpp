#include "rartool.h"

#include "dialogs.h"
#include "texts/runtimetexts.h"
#include "unrarloader.h"

#include <QCoreApplication>
#include <QFile>

namespace {

constexpr unsigned CommentBufferSize = 65536;
constexpr int PumpIntervalMs = 50;

// The plug-in's callbacks carry no value of ours; they find the component
// running the current operation here.
TRAR *g_current = nullptr;

class CurrentOperation
{
public:
    explicit CurrentOperation(TRAR *rar) : m_previous(g_current) { g_current = rar; }
    ~CurrentOperation() { g_current = m_previous; }
    CurrentOperation(const CurrentOperation &) = delete;
    CurrentOperation &operator=(const CurrentOperation &) = delete;

private:
    TRAR *m_previous;
};

} // namespace

TRAR::TRAR(QObject *owner) : QObject(owner), m_comment(CommentBufferSize, '\0') {}

TRAR::~TRAR()
{
    if (g_current == this)
        g_current = nullptr;
}

QString TRAR::EntryName(const UnRar::HeaderData &header)
{
    return QString::fromUtf8(header.FileName, static_cast<qsizetype>(qstrnlen(header.FileName, sizeof header.FileName)));
}

bool TRAR::loadLibrary()
{
    m_loaded = UnRarLoader::load(LibraryDirectory);
    if (!m_loaded)
        Platform::showMessage(MessageParent, QStringLiteral("Brakuje biblioteki -> unrar.dll"),
                              RuntimeTexts::ProductCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
    return m_loaded;
}

void TRAR::error(int code)
{
    if (OnError)
        OnError(this, code);
}

void TRAR::pumpEvents()
{
    if (m_lastPump.isValid() && m_lastPump.elapsed() < PumpIntervalMs)
        return;
    QCoreApplication::processEvents();
    m_lastPump.start();
}

UnRar::Handle TRAR::open(int mode, UnRar::OpenArchiveData &data)
{
    m_archivePath = QFile::encodeName(ArchiveName);
    data.ArcName = m_archivePath.constData();
    data.OpenMode = mode;
    data.CmtBuf = m_comment.data();
    data.CmtBufSize = CommentBufferSize - 1;
    return UnRarLoader::entries().openArchive(&data);
}

UnRar::Handle TRAR::openWalk(int mode, bool reportArchiveComment)
{
    const UnRarLoader::Entries &rar = UnRarLoader::entries();
    UnRar::OpenArchiveData data;
    const UnRar::Handle handle = open(mode, data);
    if (data.OpenResult != UnRar::Success || !handle) {
        if (handle)
            rar.closeArchive(handle);
        error(data.OpenResult);
        return nullptr;
    }
    if (reportArchiveComment)
        reportComment(data.CmtState, data.CmtBuf, data.CmtSize);
    if (OnVolumeChange)
        rar.setChangeVolProc(handle, &TRAR::volumeCallback);
    m_lastPump.invalidate();
    return handle;
}

UnRar::HeaderData TRAR::headerBuffer()
{
    UnRar::HeaderData header;
    header.CmtBuf = m_comment.data();
    header.CmtBufSize = CommentBufferSize - 1;
    return header;
}

bool TRAR::skipEntry(UnRar::Handle handle)
{
    const int skipped = UnRarLoader::entries().processFile(handle, UnRar::Skip, nullptr, nullptr);
    if (skipped != UnRar::Success)
        error(skipped);
    return skipped == UnRar::Success;
}

void TRAR::closeWalk(UnRar::Handle handle, int lastResult)
{
    if (lastResult == UnRar::BadData)
        error(lastResult);
    UnRarLoader::entries().closeArchive(handle);
}

void TRAR::reportComment(unsigned state, const char *buffer, unsigned size)
{
    if (state == 1 && OnComment)
        OnComment(this, QString::fromUtf8(buffer, static_cast<qsizetype>(qMin(size, CommentBufferSize - 1))));
}

bool TRAR::wanted(const QString &name) const
{
    return FilesToExtract.isEmpty() || FilesToExtract.contains(QStringLiteral("*.*"))
           || FilesToExtract.contains(name, Qt::CaseSensitive);
}

int TRAR::volumeCallback(char *arcName, int mode)
{
    TRAR *rar = g_current;
    if (!rar || !rar->OnVolumeChange)
        return -1;
    return rar->OnVolumeChange(rar, QFile::decodeName(arcName), mode);
}

int TRAR::dataCallback(unsigned char *address, int size)
{
    TRAR *rar = g_current;
    if (!rar)
        return -1;
    rar->m_position += size;
    rar->pumpEvents();
    return rar->OnProcessData ? rar->OnProcessData(rar, address, size, rar->m_position) : 0;
}

int TRAR::CountFiles()
{
    m_count = 0;
    if (!loadLibrary() || ArchiveName.isEmpty()) {
        m_count = -1;
        return m_count;
    }
    const UnRarLoader::Entries &rar = UnRarLoader::entries();
    CurrentOperation current(this);
    const UnRar::Handle handle = openWalk(UnRar::List, false);
    if (!handle) {
        m_count = -1;
        return m_count;
    }
    UnRar::HeaderData header = headerBuffer();
    int result = UnRar::Success;
    while ((result = rar.readHeader(handle, &header)) == UnRar::Success) {
        if (Stop || !skipEntry(handle))
            break;
        ++m_count;
        pumpEvents();
    }
    closeWalk(handle, result);
    return m_count;
}

void TRAR::ListFiles()
{
    CountFiles();
    if (!loadLibrary())
        return;
    const UnRarLoader::Entries &rar = UnRarLoader::entries();
    CurrentOperation current(this);
    const UnRar::Handle handle = openWalk(UnRar::List, true);
    if (!handle)
        return;
    UnRar::HeaderData header = headerBuffer();
    int result = UnRar::Success;
    while ((result = rar.readHeader(handle, &header)) == UnRar::Success) {
        if (OnListFile)
            OnListFile(this, header);
        if (Stop)
            break;
        reportComment(header.CmtState, header.CmtBuf, header.CmtSize);
        if (!skipEntry(handle))
            break;
        pumpEvents();
    }
    closeWalk(handle, result);
}

bool TRAR::ExtractFiles()
{
    const bool loaded = loadLibrary();
    CountFiles();
    if (!loaded || !UnRarLoader::isLoaded())
        return false;
    if (ArchiveName.isEmpty()) {
        error(UnRar::BadArchive);
        return false;
    }
    const UnRarLoader::Entries &rar = UnRarLoader::entries();
    CurrentOperation current(this);
    const UnRar::Handle handle = openWalk(UnRar::Extract, true);
    if (!handle)
        return false;
    if (OnProcessData)
        rar.setProcessDataProc(handle, &TRAR::dataCallback);
    const QByteArray target = QFile::encodeName(TargetDir);
    bool ok = true;
    UnRar::HeaderData header = headerBuffer();
    int result = UnRar::Success;
    while ((result = rar.readHeader(handle, &header)) == UnRar::Success) {
        const QString name = EntryName(header);
        if (Stop) {
            // A stopped extraction has not extracted every entry.
            Stop = false;
            ok = false;
            break;
        }
        if (!wanted(name)) {
            if (!skipEntry(handle)) {
                ok = false;
                break;
            }
            continue;
        }
        if (OnExtracting)
            OnExtracting(this, header);
        m_position = 0;
        if ((header.Flags & UnRar::Encrypted) && OnReqPassword) {
            QString password;
            OnReqPassword(this, header, password);
            if (!password.isEmpty())
                rar.setPassword(handle, password.toUtf8().constData());
        }
        const int extracted =
            rar.processFile(handle, UnRar::ExtractFile, TargetDir.isEmpty() ? nullptr : target.constData(), nullptr);
        if (OnExtract)
            OnExtract(this, header, extracted == UnRar::Success);
        pumpEvents();
        if (extracted != UnRar::Success) {
            ok = false;
            error(extracted);
            if (extracted != UnRar::CreateFailed && extracted != UnRar::BadData)
                break;
        }
    }
    closeWalk(handle, result);
    return ok;
}
