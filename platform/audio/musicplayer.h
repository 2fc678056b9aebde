#pragma once

#include "output.h"

#include <QString>
#include <QTimer>

#include <future>
#include <optional>

namespace Platform::Audio {

// The platform's player of background music: MIDI (".MID", ".RMI") and
// wave (".WAV") files. It cannot open MP3, which goes to the MP3 decoder
// plug-in instead. Positions and lengths are milliseconds.
class MusicPlayer
{
public:
    explicit MusicPlayer(Output output = Output::fromEnvironment());
    ~MusicPlayer();
    MusicPlayer(const MusicPlayer &) = delete;
    MusicPlayer &operator=(const MusicPlayer &) = delete;

    // False when the file is missing or is no music this player knows.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_open; }

    // Plays from the kept position; from the start when it is at the end.
    // A MIDI tune still being rendered starts playing once it is there.
    // False when no file is open.
    bool play();
    // Stops and keeps the position; false when no file is open.
    bool stop();
    qint64 position() const;
    qint64 length() const;

private:
    qint64 toMilliseconds(qint64 bytes) const;
    // Starts rendering the MIDI tune opened, unless that has begun.
    void startRendering() const;
    // Takes a rendered MIDI tune into m_music, waiting for it when asked to;
    // false while it is still being rendered.
    bool takeRenderedTune(bool wait) const;

    mutable PcmSound m_music;
    mutable QByteArray m_tuneToRender; // a MIDI file not yet handed to rendering
    mutable std::future<std::optional<PcmSound>> m_rendering;
    QTimer m_renderLater;
    PcmChannel m_channel;
    QTimer m_waitForTune;
    bool m_playWhenRendered = false;
    bool m_open = false;
};

} // namespace Platform::Audio
