#pragma once

#include "output.h"

#include <QString>

namespace Platform::Audio {

// The platform's player of background music: MIDI (".MID", ".RMI") and
// wave (".WAV") files. It cannot open MP3, which goes to the MP3 decoder
// plug-in instead. Positions and lengths are milliseconds.
class MusicPlayer
{
public:
    explicit MusicPlayer(Output output = Output::fromEnvironment());

    // False when the file is missing or is no music this player knows.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_open; }

    // Plays from the kept position; from the start when it is at the end.
    // False when no file is open.
    bool play();
    // Stops and keeps the position; false when no file is open.
    bool stop();
    qint64 position() const;
    qint64 length() const;

private:
    qint64 toMilliseconds(qint64 bytes) const;

    PcmSound m_music;
    PcmChannel m_channel;
    bool m_open = false;
};

} // namespace Platform::Audio
