#include "soundfixtures.h"

#include <audio/midi.h>

#include <gtest/gtest.h>

using namespace Platform::Audio;
using namespace SoundFixtures;

TEST(Midi, FindsTheStandardFileInMidAndRmiImages)
{
    const QByteArray midi = threeNoteMidi();
    EXPECT_EQ(standardMidiFile(midi), midi);
    EXPECT_EQ(standardMidiFile(asRmi(midi)), midi);
    EXPECT_FALSE(standardMidiFile(QByteArray("RIFF\4\0\0\0RMID")));
    EXPECT_FALSE(standardMidiFile(asRmi("not a midi file")));
    EXPECT_FALSE(standardMidiFile(QByteArray()));
}

TEST(Midi, MidAndRmiOfOneTuneRenderTheSameAudibleSamples)
{
    if (generalMidiSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    const auto mid = renderMidi(threeNoteMidi());
    const auto rmi = renderMidi(asRmi(threeNoteMidi()));
    ASSERT_TRUE(mid);
    ASSERT_TRUE(rmi);
    EXPECT_EQ(mid->format, (PcmFormat{44100, 2, 16}));
    // Three half-second notes and the fading tail.
    EXPECT_GE(mid->data.size(), 3 * mid->format.bytesPerSecond() / 2);
    EXPECT_LE(mid->data.size(), 3 * mid->format.bytesPerSecond());
    EXPECT_FALSE(isSilent(mid->data));
    EXPECT_TRUE(mid->data == rmi->data);
}

TEST(Midi, RefusesImagesThatAreNoMidi)
{
    EXPECT_FALSE(renderMidi(QByteArray("MP3 data")));
    EXPECT_FALSE(renderMidi(QByteArray()));
}
