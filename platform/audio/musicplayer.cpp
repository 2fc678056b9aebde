#include "musicplayer.h"

#include "midi.h"

#include <QFile>
#include <QFileInfo>

namespace Platform::Audio {

namespace {

constexpr qint64 MaxMusicFileBytes = 64 * 1024 * 1024;

std::optional<PcmSound> decodeMusic(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > MaxMusicFileBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray image = file.read(MaxMusicFileBytes);
    const QString extension = info.suffix().toLower();
    if (extension == u"mid" || extension == u"rmi")
        return renderMidi(image);
    if (extension == u"wav")
        return parseWave(image);
    return std::nullopt;
}

} // namespace

MusicPlayer::MusicPlayer(Output output)
    : m_channel(QStringLiteral("music"), std::move(output), true)
{
}

bool MusicPlayer::open(const QString &path)
{
    close();
    auto music = decodeMusic(path);
    if (!music)
        return false;
    m_music = std::move(*music);
    m_open = true;
    return true;
}

void MusicPlayer::close()
{
    m_channel.stop();
    m_music = {};
    m_open = false;
}

bool MusicPlayer::play()
{
    if (!m_open)
        return false;
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
    return m_open ? toMilliseconds(m_channel.positionBytes()) : 0;
}

qint64 MusicPlayer::length() const
{
    return m_open ? toMilliseconds(m_music.data.size()) : 0;
}

} // namespace Platform::Audio
