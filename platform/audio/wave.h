#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace Platform::Audio {

// Layout of linear PCM samples: 8-bit unsigned or 16-bit signed.
struct PcmFormat {
    int sampleRate = 0;
    int channels = 0;
    int bitsPerSample = 0;

    int bytesPerFrame() const { return channels * bitsPerSample / 8; }
    qint64 bytesPerSecond() const { return qint64(sampleRate) * bytesPerFrame(); }
    bool operator==(const PcmFormat &) const = default;
};

struct PcmSound {
    PcmFormat format;
    QByteArray data;
};

// The body of the first chunk named id inside a RIFF image of the given
// form ("WAVE", "RMID"); nothing when the image is not such a form or has
// no such chunk. A chunk that claims more bytes than the image holds is cut
// to what is there.
std::optional<QByteArrayView> riffChunk(QByteArrayView image, const char form[4], const char id[4]);

// The PCM sound of a wave file image; nothing when it is not uncompressed
// 8- or 16-bit PCM. The data is cut to whole frames of what the image holds,
// so a file cut short plays exactly what is left of it.
std::optional<PcmSound> parseWave(QByteArrayView image);

// A complete wave file holding sound.
QByteArray makeWave(const PcmSound &sound);

} // namespace Platform::Audio
