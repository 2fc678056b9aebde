#include "output.h"

#include "devicesink.h"

#include "safefile.h"

#include <QDir>
#include <QFile>

namespace Platform::Audio {

Output Output::fromEnvironment()
{
    const QString folder = qEnvironmentVariable("KALVORA_AUDIO_OUT");
    if (!folder.isEmpty())
        return files(folder);
    return {Kind::Device, {}};
}

QString nextOutputFile(const QString &folder, const QString &prefix)
{
    QDir().mkpath(folder);
    for (int number = 1;; ++number) {
        const QString path = QDir(folder).filePath(QStringLiteral("%1-%2.wav").arg(prefix).arg(number, 4, 10, QLatin1Char('0')));
        if (!QFile::exists(path))
            return path;
    }
}

PcmChannel::PcmChannel(QString name, Output output, bool keepOnlyHeard)
    : m_name(std::move(name))
    , m_output(std::move(output))
    , m_keepOnlyHeard(keepOnlyHeard)
{
}

PcmChannel::~PcmChannel()
{
    release();
}

void PcmChannel::play(const PcmSound &sound, qint64 fromByte)
{
    stop();
    release();
    m_sound = sound;
    const int frame = qMax(1, sound.format.bytesPerFrame());
    m_startByte = qBound<qint64>(0, fromByte - fromByte % frame, sound.data.size());
    m_stoppedAt = m_startByte;
    m_playing = true;
    m_clock.start();
    switch (m_output.kind) {
    case Output::Kind::Device: startDevice(sound, m_startByte); break;
    case Output::Kind::Files: writeFile(sound, m_startByte); break;
    case Output::Kind::None: break;
    }
}

void PcmChannel::startDevice(const PcmSound &sound, qint64 fromByte)
{
    m_sink = startDeviceSink(sound.format, sound.data.sliced(fromByte));
}

void PcmChannel::writeFile(const PcmSound &sound, qint64 fromByte)
{
    m_file = nextOutputFile(m_output.folder, m_name);
    Platform::writeWholeFile(m_file, makeWave({sound.format, sound.data.sliced(fromByte)}));
}

void PcmChannel::stop()
{
    if (!m_playing)
        return;
    m_stoppedAt = positionBytes();
    m_playing = false;
    if (m_sink)
        m_sink->stop();
    if (m_keepOnlyHeard && !m_file.isEmpty())
        cutFileToHeard();
}

void PcmChannel::cutFileToHeard()
{
    Platform::writeWholeFile(m_file, makeWave({m_sound.format, m_sound.data.sliced(m_startByte, m_stoppedAt - m_startByte)}));
}

void PcmChannel::release()
{
    m_sink.reset();
    m_file.clear();
}

bool PcmChannel::isPlaying() const
{
    return m_playing && positionBytes() < m_sound.data.size();
}

qint64 PcmChannel::positionBytes() const
{
    if (!m_playing)
        return m_stoppedAt;
    const qint64 heard = m_clock.elapsed() * m_sound.format.bytesPerSecond() / 1000;
    const int frame = qMax(1, m_sound.format.bytesPerFrame());
    return qMin<qint64>(m_sound.data.size(), m_startByte + heard - heard % frame);
}

} // namespace Platform::Audio
