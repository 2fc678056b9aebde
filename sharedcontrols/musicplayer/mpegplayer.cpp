#include "mpegplayer.h"

#include <paths.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

#include <array>

using namespace MpegDll;

namespace {

const std::array<QString, 6> ErrorMessages = {
    QStringLiteral("MPEG library not loaded"), QStringLiteral("Internal decoder error"),
    QStringLiteral("Incorrect mode"),          QStringLiteral("Input stream error"),
    QStringLiteral("Input stream is non-seekable"), QStringLiteral("Output device failure"),
};
const QString CannotLoad = QStringLiteral("Can't load MPEG library");
const QString NoStream = QStringLiteral("Can't play non-specified stream");
const QString UnknownError = QStringLiteral("MPEG library error");

constexpr quint8 NotLoadedCode = 0;
constexpr quint8 NoStreamCode = 254;

// The thread priority levels the plug-in is given, in TPlayPriority order.
constexpr std::array<int, 7> PriorityValues = {-15, -2, -1, 0, 1, 2, 15};

[[noreturn]] void raise(int errorNumber)
{
    throw TMPEGError(TMPEGPlayer::errorMessage(errorNumber), quint8(errorNumber));
}

// The folder a library path names, on this system; the running program's
// folder for a bare name or a bare drive.
QString folderOf(const QString &pathToDLL)
{
    QString folder = pathToDLL;
    folder.replace(u'\\', u'/');
    folder.remove(QRegularExpression(QStringLiteral("^[A-Za-z]:")));
    return folder.isEmpty() ? Platform::programDir() : folder;
}

} // namespace

TMPEGError::TMPEGError(QString message, quint8 errorCode)
    : ErrorCode(errorCode)
    , m_message(std::move(message))
    , m_what(m_message.toUtf8())
{
}

struct TMPEGPlayer::Entries {
    InitEntry init = nullptr;
    DeinitEntry deinit = nullptr;
    OpenEntry open = nullptr;
    PauseEntry pause = nullptr;
    StopEntry stop = nullptr;
    PlayEntry play = nullptr;
    RestartEntry restart = nullptr;
    SetPriorityEntry setPriority = nullptr;
    SetOutputDeviceEntry setOutputDevice = nullptr;
    CloseEntry close = nullptr;
    IntEntry getCurrentPos = nullptr;
    IntEntry getLength = nullptr;
    IntEntry resetPlayerMode = nullptr;
    IntEntry lastError = nullptr;
    IntEntry getFrequency = nullptr;
    IntEntry getBitrate = nullptr;
    IntEntry getLayer = nullptr;
    IntEntry getPlayerMode = nullptr;
    SeekEntry seek = nullptr;
};

TMPEGPlayer::TMPEGPlayer(QObject *owner)
    : QObject(owner)
{
}

TMPEGPlayer::~TMPEGPlayer()
{
    try {
        UnloadDecoder();
    } catch (const TMPEGError &) {
        // Nothing is left to report to.
    }
}

QString TMPEGPlayer::libraryPath(const QString &pathToDLL)
{
    QString path = pathToDLL;
    if (!path.isEmpty() && !path.endsWith(u'\\') && !path.endsWith(u'/') && !path.endsWith(u':'))
        path += u'\\';
    return path + LibraryName;
}

QString TMPEGPlayer::errorMessage(int errorNumber)
{
    if (errorNumber >= 0 && errorNumber < int(ErrorMessages.size()))
        return ErrorMessages[size_t(errorNumber)];
    return UnknownError + QStringLiteral(" %1").arg(errorNumber);
}

void TMPEGPlayer::LoadDecoder()
{
    // A name found without regard to case; a file that is no library of
    // this system (a Windows DLL) fails to load like a missing one.
    const QString folder = folderOf(PathToDLL);
    const QString name = Platform::findEntryCaseInsensitive(folder, LibraryName);
    UnloadDecoder();
    m_library.setFileName(QDir(folder).filePath(name));
    if (name.isEmpty() || !m_library.load())
        throw TMPEGError(CannotLoad, NotLoadedCode);
    bindEntries();
    if (!m_entries) {
        forgetLibrary();
        raise(NotLoadedCode);
    }
    m_lastError = 0;
    if (!m_entries->init()) {
        const int error = LastError();
        forgetLibrary();
        raise(error);
    }
    delete m_timer;
    m_timer = new QTimer(this);
    m_timer->setInterval(UseTimer ? m_timerFreq : 0);
    connect(m_timer, &QTimer::timeout, this, [this] { TimerTick(); });
    m_length = 0;
}

void TMPEGPlayer::bindEntries()
{
    auto entries = std::make_unique<Entries>();
    bool complete = true;
    const auto bind = [&](auto &entry, const char *name) {
        entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(m_library.resolve(name));
        complete = complete && entry;
    };
    bind(entries->init, "init");
    bind(entries->deinit, "deinit");
    bind(entries->open, "Open");
    bind(entries->pause, "Pause");
    bind(entries->stop, "Stop");
    bind(entries->play, "Play");
    bind(entries->restart, "Restart");
    bind(entries->setPriority, "SetPriority");
    bind(entries->setOutputDevice, "SetOutputDevice");
    bind(entries->close, "Close");
    bind(entries->getCurrentPos, "GetCurrentPos");
    bind(entries->getLength, "GetLength");
    bind(entries->resetPlayerMode, "ResetPlayerMode");
    bind(entries->lastError, "LastError");
    bind(entries->getFrequency, "GetFrequency");
    bind(entries->getBitrate, "GetBitrate");
    bind(entries->getLayer, "GetLayer");
    bind(entries->getPlayerMode, "GetPlayerMode");
    bind(entries->seek, "Seek");
    m_entries = complete ? std::move(entries) : nullptr;
}

void TMPEGPlayer::forgetLibrary()
{
    m_entries.reset();
    m_library.unload();
}

void TMPEGPlayer::UnloadDecoder()
{
    if (!isLoaded() || !m_entries)
        return;
    if (m_opened)
        CloseStream();
    m_entries->deinit();
    forgetLibrary();
    delete m_timer;
    m_timer = nullptr;
}

void TMPEGPlayer::requireLoaded() const
{
    if (!m_entries)
        raise(NotLoadedCode);
}

int TMPEGPlayer::LastError() const
{
    return m_entries ? m_entries->lastError() : 0;
}

void TMPEGPlayer::check()
{
    m_lastError = LastError();
    if (m_lastError > 0)
        raise(m_lastError);
}

void TMPEGPlayer::OpenStream()
{
    requireLoaded();
    if (m_opened)
        CloseStream();
    m_opened = false;
    if (FromStream) {
        m_entries->open(nullptr, 1, streamOpen, streamClose, streamRestart, streamRead, streamSeek, streamSize, this);
    } else {
        if (m_streamName.isEmpty())
            throw TMPEGError(NoStream, NoStreamCode);
        // The whole path: no buffer of fixed size cuts it.
        const QByteArray path = QFile::encodeName(m_streamName);
        m_entries->open(path.constData(), 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    check();
    m_opened = true;
    m_playedXTimes = 1;
    m_length = m_entries->getLength();
    check();
    if (AutoPlay)
        Play();
}

void TMPEGPlayer::Play()
{
    requireLoaded();
    if (m_paused) {
        Pause(false);
        return;
    }
    if (m_playing)
        return;
    if (!m_opened)
        OpenStream();
    if (m_playedXTimes >= 2) {
        Restart();
        return;
    }
    m_entries->setPriority(m_priority);
    check();
    const QByteArray outFile = QFile::encodeName(OutFilename);
    m_entries->setOutputDevice(m_device, outFile.constData());
    check();
    const int result = m_entries->play(StartPos, EndPos, &m_endReached);
    m_lastError = LastError();
    if (result != 0 || m_lastError > 0)
        raise(m_lastError);
    m_playing = true;
    ++m_playedXTimes;
    startTimer();
}

void TMPEGPlayer::startTimer()
{
    if (!UseTimer || !m_timer || m_timer->interval() == 0)
        return;
    m_timer->start();
    TimerTick();
}

void TMPEGPlayer::Pause(bool doPause)
{
    requireLoaded();
    if (!m_playing || endReached()) {
        m_paused = false;
        if (doPause)
            raise(IncorrectMode);
        return;
    }
    m_entries->pause(doPause ? 0 : 1);
    check();
    m_paused = doPause;
}

void TMPEGPlayer::Stop()
{
    if (!m_playing || endReached())
        raise(IncorrectMode);
    requireLoaded();
    m_entries->stop();
    check();
    m_playing = false;
    m_paused = false;
}

void TMPEGPlayer::Restart()
{
    requireLoaded();
    if (!m_opened)
        raise(IncorrectMode);
    m_endReached = 0;
    m_entries->restart();
    check();
    m_playing = true;
    ++m_playedXTimes;
    startTimer();
}

void TMPEGPlayer::CloseStream()
{
    if (!m_entries)
        return;
    m_opened = false;
    m_paused = false;
    m_playing = false;
    m_playedXTimes = 0;
    m_entries->close();
    check();
}

int TMPEGPlayer::GetCurrentPos()
{
    requireLoaded();
    const int position = m_entries->getCurrentPos();
    check();
    return position;
}

int TMPEGPlayer::GetLength()
{
    requireLoaded();
    const int length = m_entries->getLength();
    check();
    return length;
}

int TMPEGPlayer::ResetPlayerMode()
{
    requireLoaded();
    if (!endReached())
        return 0;
    const int result = m_entries->resetPlayerMode();
    check();
    m_playing = false;
    return result;
}

void TMPEGPlayer::setStreamName(const QString &name)
{
    m_streamName = name;
    if (m_opened)
        CloseStream();
}

TOutputDevice TMPEGPlayer::OutputDevice() const
{
    return m_device != WaveMapper ? TOutputDevice::pcmfile : TOutputDevice::wavemapper;
}

void TMPEGPlayer::setOutputDevice(TOutputDevice device)
{
    m_device = device == TOutputDevice::pcmfile && !OutFilename.isEmpty() ? PcmFile : WaveMapper;
}

TPlayPriority TMPEGPlayer::PlayerPriority() const
{
    for (size_t i = 0; i < PriorityValues.size(); ++i) {
        if (PriorityValues[i] == m_priority)
            return TPlayPriority(i);
    }
    return TPlayPriority::Normal;
}

void TMPEGPlayer::setPlayerPriority(TPlayPriority priority)
{
    m_priority = PriorityValues[size_t(priority)];
    if (!m_entries)
        return;
    m_entries->setPriority(m_priority);
    check();
}

void TMPEGPlayer::setTimerFreq(int milliseconds)
{
    m_timerFreq = milliseconds;
    if (milliseconds == 0)
        UseTimer = false;
}

void TMPEGPlayer::TimerTick()
{
    if (!m_opened || !m_playing) {
        m_timer->stop();
        return;
    }
    int position = GetCurrentPos();
    if (position > m_length)
        position = 0;
    if (OnPosUpdate)
        OnPosUpdate(this, position, m_length);
    if (!endReached())
        return;
    m_timer->stop();
    m_playing = false;
    if (OnPlayEnd) {
        m_endReached = 0;
        OnPlayEnd(this);
    }
}

void TMPEGPlayer::streamOpen(void *user, int *nonseekable, void **context)
{
    auto *self = static_cast<TMPEGPlayer *>(user);
    *context = nullptr;
    bool cannotSeek = false;
    if (self->OnOpenStream)
        self->OnOpenStream(self, cannotSeek, *context);
    *nonseekable = cannotSeek ? 1 : 0;
}

void TMPEGPlayer::streamClose(void *user, void *context)
{
    auto *self = static_cast<TMPEGPlayer *>(user);
    if (self->OnCloseStream)
        self->OnCloseStream(self, context);
}

int TMPEGPlayer::streamRestart(void *user, void *context)
{
    auto *self = static_cast<TMPEGPlayer *>(user);
    bool res = false;
    if (self->OnRestartStream)
        self->OnRestartStream(self, context, res);
    return res ? 1 : 0;
}

int TMPEGPlayer::streamRead(void *user, void *context, void *buffer, int toRead, int *read)
{
    auto *self = static_cast<TMPEGPlayer *>(user);
    bool res = false;
    *read = 0;
    if (self->OnReadStream)
        self->OnReadStream(self, context, buffer, toRead, *read, res);
    return res ? 1 : 0;
}

int TMPEGPlayer::streamSeek(void *user, void *context, int offset, int moveMethod)
{
    auto *self = static_cast<TMPEGPlayer *>(user);
    int res = -1;
    if (self->OnSeekStream)
        self->OnSeekStream(self, context, offset, moveMethod, res);
    return res;
}

int TMPEGPlayer::streamSize(void *user, void *context)
{
    auto *self = static_cast<TMPEGPlayer *>(user);
    int res = -1;
    if (self->OnGetStreamSize)
        self->OnGetStreamSize(self, context, res);
    return res;
}
