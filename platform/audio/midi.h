#pragma once

#include "wave.h"

#include <QString>

#include <optional>

namespace Platform::Audio {

// The standard MIDI file of a ".MID" image, or the one wrapped in a RIFF
// ".RMI" image; nothing when it is neither.
std::optional<QByteArray> standardMidiFile(QByteArrayView image);

// The General MIDI sound font of the system; empty when none is installed.
QString generalMidiSoundFont();

// The tune of a MIDI or RMI image rendered to 16-bit stereo PCM; nothing
// when it is no MIDI file or no sound font is installed. Rendering runs on
// the sample clock, so the same tune always gives the same samples.
std::optional<PcmSound> renderMidi(QByteArrayView image);

} // namespace Platform::Audio
