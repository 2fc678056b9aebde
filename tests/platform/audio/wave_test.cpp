#include "soundfixtures.h"

#include <audio/wave.h>

#include <QtEndian>

#include <gtest/gtest.h>

using namespace Platform::Audio;
using namespace SoundFixtures;

namespace {

QByteArray riffWave(const QByteArray &chunks)
{
    const QByteArray body = QByteArray("WAVE") + chunks;
    QByteArray size(4, '\0');
    qToLittleEndian(quint32(body.size()), size.data());
    return QByteArray("RIFF") + size + body;
}

QByteArray monoWave(const QByteArray &data)
{
    return riffWave(chunk("fmt ", pcmFormatBody(1, 11025, 8)) + chunk("data", data));
}

} // namespace

TEST(WaveReader, ReadsThePcmDataOfWellFormedFiles)
{
    const QByteArray data = rampBytes(100);
    struct Case {
        const char *name;
        QByteArray image;
        PcmFormat format;
        QByteArray data;
    } cases[] = {
        {"8-bit mono", monoWave(data), {11025, 1, 8}, data},
        {"16-bit stereo", riffWave(chunk("fmt ", pcmFormatBody(2, 44100, 16)) + chunk("data", data)), {44100, 2, 16}, data},
        // An odd chunk before the data is padded; the reader skips the pad.
        {"odd chunk before data",
         riffWave(chunk("fmt ", pcmFormatBody(1, 8000, 8)) + chunk("LIST", "abc") + chunk("data", data)),
         {8000, 1, 8}, data},
        // A longer format chunk (with its extra size field) is fine.
        {"extended format chunk",
         riffWave(chunk("fmt ", pcmFormatBody(1, 22050, 16) + QByteArray(2, '\0')) + chunk("data", data)),
         {22050, 1, 16}, data},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto sound = parseWave(c.image);
        ASSERT_TRUE(sound);
        EXPECT_EQ(sound->format, c.format);
        EXPECT_EQ(sound->data, c.data);
    }
}

TEST(WaveReader, CutsDataToWhatTheImageHoldsInWholeFrames)
{
    const QByteArray full = riffWave(chunk("fmt ", pcmFormatBody(2, 44100, 16)) + chunk("data", rampBytes(1000)));
    // Cut inside the data: 44 header bytes, then 57 data bytes, of which
    // 56 are whole 4-byte frames.
    const auto sound = parseWave(full.first(44 + 57));
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->data, rampBytes(56));
}

TEST(WaveReader, RefusesWhatIsNoPcmWave)
{
    QByteArray compressed = pcmFormatBody(1, 8000, 8);
    compressed[0] = 2; // ADPCM
    const QByteArray data = rampBytes(10);
    struct Case {
        const char *name;
        QByteArray image;
    } cases[] = {
        {"empty", {}},
        {"no RIFF", QByteArray("RIFX") + monoWave(data).mid(4)},
        {"RIFF of another form", QByteArray("RIFF\4\0\0\0AVI ")},
        {"no format chunk", riffWave(chunk("data", data))},
        {"no data chunk", riffWave(chunk("fmt ", pcmFormatBody(1, 8000, 8)))},
        {"compressed", riffWave(chunk("fmt ", compressed) + chunk("data", data))},
        {"format chunk too short", riffWave(chunk("fmt ", pcmFormatBody(1, 8000, 8).first(12)) + chunk("data", data))},
        {"24-bit", riffWave(chunk("fmt ", pcmFormatBody(1, 8000, 24)) + chunk("data", data))},
        {"no channels", riffWave(chunk("fmt ", pcmFormatBody(0, 8000, 8)) + chunk("data", data))},
        {"header cut", monoWave(data).first(30)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(parseWave(c.image));
    }
}

TEST(WaveReader, ChunkSizesBeyondTheImageAreCut)
{
    // A chunk before the data claims 4 GB: the walk ends without reading past
    // the image.
    QByteArray image = riffWave(chunk("fmt ", pcmFormatBody(1, 8000, 8)) + QByteArray("JUNK\xff\xff\xff\xff", 8) + "xyz");
    EXPECT_FALSE(parseWave(image));
    EXPECT_EQ(riffChunk(image, "WAVE", "JUNK")->size(), 3);
}

TEST(WaveWriter, WritesWhatTheReaderReadsBack)
{
    const PcmSound sound{{22050, 2, 16}, rampBytes(400)};
    const QByteArray image = makeWave(sound);
    EXPECT_EQ(image.size(), 44 + 400);
    const auto back = parseWave(image);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->format, sound.format);
    EXPECT_EQ(back->data, sound.data);
}
