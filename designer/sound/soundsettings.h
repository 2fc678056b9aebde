#pragma once

#include <QString>

#include <optional>

namespace ProjectFormat {
class MenuDesign;
}

// The menu's background music and its three click sounds as the project's
// settings hold them: drive-relative paths, each empty when there is none.
struct SoundSettings {
    QString music; // StreamName
    QString move;  // ON_MOVE: the pointer enters a key
    QString down;  // ON_DOWN: a key is pressed
    QString up;    // ON_UP: a key is released

    // Click sounds are played from memory by the runtime: at most this many
    // bytes.
    static constexpr qint64 MaxClickBytes = 30000;

    static SoundSettings read(const ProjectFormat::MenuDesign &design);
    void write(ProjectFormat::MenuDesign &design) const;

    // Why the file at path cannot be a click sound (too large, or no
    // regular file such as a FIFO or a folder); nothing when it can.
    static std::optional<QString> clickSoundRefusal(const QString &path);
};
