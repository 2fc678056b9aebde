#pragma once

#include "wave.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

namespace Platform::Audio {

class DeviceSink;

// Where sounds go: the sound card, wave files in a folder (the environment
// variable KALVORA_AUDIO_OUT names it, so tests and scripts can check what
// would be heard), or nowhere.
struct Output {
    enum class Kind { Device, Files, None };
    Kind kind = Kind::None;
    QString folder;

    static Output fromEnvironment();
    static Output none() { return {}; }
    static Output files(const QString &folder) { return {Kind::Files, folder}; }
};

// The first free "<prefix>-NNNN.wav" of folder, numbered from 0001.
QString nextOutputFile(const QString &folder, const QString &prefix);

// One voice that plays a sound from memory without waiting: a new sound
// cuts the one still playing. The position runs on a clock, so it is the
// same whether the sound card, a file or nothing takes the samples. A
// machine without a sound card plays nothing and says nothing.
class PcmChannel
{
public:
    // name: the file prefix in the file output. keepOnlyHeard: a stop cuts
    // the written file to what was heard until then.
    PcmChannel(QString name, Output output, bool keepOnlyHeard = false);
    ~PcmChannel();
    PcmChannel(const PcmChannel &) = delete;
    PcmChannel &operator=(const PcmChannel &) = delete;

    void play(const PcmSound &sound, qint64 fromByte = 0);
    // Stops; the position stays where it was.
    void stop();
    bool isPlaying() const;
    // Bytes of the last sound played until now.
    qint64 positionBytes() const;
    const Output &output() const { return m_output; }

private:
    void startDevice(const PcmSound &sound, qint64 fromByte);
    void writeFile(const PcmSound &sound, qint64 fromByte);
    void cutFileToHeard();
    void release();

    QString m_name;
    Output m_output;
    bool m_keepOnlyHeard;

    PcmSound m_sound;
    qint64 m_startByte = 0;
    qint64 m_stoppedAt = 0;
    bool m_playing = false;
    QElapsedTimer m_clock;

    QString m_file;
    std::unique_ptr<DeviceSink> m_sink;
};

} // namespace Platform::Audio
