#pragma once

#include <QString>

// What the sound settings dialog shows, word for word.
namespace SoundMessages {

inline QString caption() { return QStringLiteral("Dźwięk"); }
inline QString browseHint() { return QStringLiteral("Kliknij, aby zlokalizować plik"); }
inline QString playHint() { return QStringLiteral("Odtwarzaj"); }
inline QString stopHint() { return QStringLiteral("Zatrzymaj odtwarzanie"); }

inline QString musicFilter()
{
    return QStringLiteral("Pliki dźwiękowe (*.MID *.WAV *.MP3 *.mid *.wav *.mp3);;Wszystkie pliki (*)");
}

inline QString waveFilter()
{
    return QStringLiteral("Pliki dźwiękowe (*.WAV *.wav);;Wszystkie pliki (*)");
}

inline QString tooLarge()
{
    return QStringLiteral("Wybrany plik jest zbyt duży!\nMożna wykorzystać tylko pliki do 30 000 bajtów(!), czyli ok. "
                          "29.2 KB!\nZalecane jest stosowanie jak najmniejszych plików!");
}

inline QString undoStep() { return QStringLiteral("Ustawienia dźwięku"); }

} // namespace SoundMessages
