#include "musicplayer.h"

#include "midi.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <utility>

namespace Platform::Audio {

namespace {

constexpr qint64 MaxMusicFileBytes = 64 * 1024 * 1024;

// How often a play that waits for its tune looks whether it is rendered.
constexpr int RenderPollMs = 10;

std::optional<QByteArray> readMusicFile(const QFileInfo &info)
{
    if (!info.isFile() || info.size() > MaxMusicFileBytes)
        return std::nullopt;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(MaxMusicFileBytes);
}

bool isMidiExtension(const QString &extension)
{
    return extension == u"mid" || extension == u"rmi";
}

} // namespace

MusicPlayer::MusicPlayer(Output output)
    : m_channel(QStringLiteral("music"), std::move(output), true)
{
    m_renderLater.setSingleShot(true);
    QObject::connect(&m_renderLater, &QTimer::timeout, [this] { startRendering(); });
    m_waitForTune.setInterval(RenderPollMs);
    QObject::connect(&m_waitForTune, &QTimer::timeout, [this] {
        if (!takeRenderedTune(false))
            return;
        m_waitForTune.stop();
        if (std::exchange(m_playWhenRendered, false))
            play();
    });
}

MusicPlayer::~MusicPlayer()
{
    close();
}

bool MusicPlayer::open(const QString &path)
{
    close();
    const QFileInfo info(path);
    const std::optional<QByteArray> image = readMusicFile(info);
    if (!image)
        return false;
    const QString extension = info.suffix().toLower();
    if (isMidiExtension(extension)) {
        if (!standardMidiFile(*image) || generalMidiSoundFont().isEmpty())
            return false;
        // Rendering a tune takes a while and much memory: it starts on its
        // own thread once the event loop runs, so the window being built is
        // not held up, and a play waits for it without holding the window.
        m_tuneToRender = *image;
        m_renderLater.start(0);
    } else if (extension == u"wav") {
        std::optional<PcmSound> music = parseWave(*image);
        if (!music)
            return false;
        m_music = std::move(*music);
    } else {
        return false;
    }
    m_open = true;
    return true;
}

void MusicPlayer::startRendering() const
{
    if (m_tuneToRender.isEmpty())
        return;
    m_rendering = std::async(std::launch::async, [tune = std::exchange(m_tuneToRender, {})] { return renderMidi(tune); });
}

bool MusicPlayer::takeRenderedTune(bool wait) const
{
    if (wait)
        startRendering();
    else if (!m_tuneToRender.isEmpty())
        return false;
    if (!m_rendering.valid())
        return true;
    if (!wait && m_rendering.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return false;
    m_music = m_rendering.get().value_or(PcmSound{});
    return true;
}

void MusicPlayer::close()
{
    m_renderLater.stop();
    m_tuneToRender.clear();
    m_waitForTune.stop();
    m_playWhenRendered = false;
    takeRenderedTune(true);
    m_channel.stop();
    m_music = {};
    m_open = false;
}

bool MusicPlayer::play()
{
    if (!m_open)
        return false;
    if (!takeRenderedTune(false)) {
        m_playWhenRendered = true;
        m_waitForTune.start();
        return true;
    }
    if (m_channel.isPlaying())
        return true;
    qint64 from = m_channel.positionBytes();
    if (from >= m_music.data.size())
        from = 0;
    m_channel.play(m_music, from);
    return true;
}

bool MusicPlayer::stop()
{
    if (!m_open)
        return false;
    m_playWhenRendered = false;
    m_waitForTune.stop();
    m_channel.stop();
    return true;
}

qint64 MusicPlayer::toMilliseconds(qint64 bytes) const
{
    const qint64 rate = m_music.format.bytesPerSecond();
    return rate > 0 ? bytes * 1000 / rate : 0;
}

qint64 MusicPlayer::position() const
{
    return m_open && takeRenderedTune(false) ? toMilliseconds(m_channel.positionBytes()) : 0;
}

qint64 MusicPlayer::length() const
{
    return m_open && takeRenderedTune(true) ? toMilliseconds(m_music.data.size()) : 0;
}

} // namespace Platform::Audio
