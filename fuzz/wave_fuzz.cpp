// Feeds arbitrary bytes to the wave and RIFF readers, whole and cut to the
// part a click sound keeps: they must never read out of bounds, and what
// they return must lie inside the image.
#include <audio/midi.h>
#include <audio/wave.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView image(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArrayView part : {image, image.first(qMin<qsizetype>(image.size(), 30000))}) {
        if (const auto sound = Platform::Audio::parseWave(part)) {
            if (sound->data.size() > part.size() || sound->data.size() % sound->format.bytesPerFrame() != 0)
                std::abort();
        }
        if (const auto midi = Platform::Audio::standardMidiFile(part)) {
            if (midi->size() > part.size())
                std::abort();
        }
    }
    return 0;
}
