#pragma once

#include <audio/output.h>

#include <QString>

#include <array>
#include <optional>

// The three short sounds of the keys: release, press and hover. They are
// read into memory once, so playing them never touches the CD.
class ClickSounds
{
public:
    enum Kind { Up, Down, Move };
    // Each sound keeps at most this much of its file, header included.
    static constexpr qint64 MaxFileBytes = 30000;

    explicit ClickSounds(Platform::Audio::Output output);

    // A missing file, or one that is no PCM wave, leaves the sound silent.
    void load(Kind kind, const QString &path);
    // Plays without waiting; a new sound cuts the one still playing.
    void play(Kind kind);
    bool isSilent(Kind kind) const { return !m_sounds[kind]; }

    // The key whose hover sound played last, 0 for none: hovering it again
    // stays silent until the mouse has been over something else. Both menu
    // windows share the sounds, and so this.
    int lastHoveredTag() const { return m_lastHoveredTag; }
    void setLastHoveredTag(int tag) { m_lastHoveredTag = tag; }

private:
    std::array<std::optional<Platform::Audio::PcmSound>, 3> m_sounds;
    Platform::Audio::PcmChannel m_channel;
    int m_lastHoveredTag = 0;
};
