#pragma once

#include <audio/wave.h>

#include <QByteArray>
#include <QString>

namespace SoundFixtures {

// A little-endian RIFF chunk: id, size, body and the pad byte of an odd body.
QByteArray chunk(const char id[4], const QByteArray &body);
// A "fmt " chunk body of linear PCM.
QByteArray pcmFormatBody(int channels, int sampleRate, int bits);
// Rising bytes, so that any cut or shift of the data shows.
QByteArray rampBytes(int size);
// A short tune of three notes as a standard MIDI file, and wrapped as RMI.
QByteArray threeNoteMidi();
QByteArray asRmi(const QByteArray &midi);
// Every wave file of a folder, in name order.
QStringList waveFiles(const QString &folder);
// The PCM data of a wave file.
Platform::Audio::PcmSound readWave(const QString &path);
bool isSilent(const QByteArray &pcm16);

} // namespace SoundFixtures
