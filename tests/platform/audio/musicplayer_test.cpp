#include "soundfixtures.h"

#include <audio/midi.h>
#include <audio/devicesink.h>
#include <audio/musicplayer.h>

#include <testsupport.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace Platform::Audio;
using namespace SoundFixtures;

namespace {

class MusicPlayerTest : public ::testing::Test
{
protected:
    QString file(const QString &name, const QByteArray &bytes)
    {
        return TestSupport::writeFile(dir.filePath(name), bytes);
    }
    QString outFolder() const { return dir.filePath(QStringLiteral("out")); }

    QTemporaryDir dir;
};

// A wave of 16-bit mono at 8000 Hz lasting the given milliseconds.
QByteArray waveOf(int milliseconds)
{
    return makeWave({{8000, 1, 16}, rampBytes(milliseconds * 16)});
}

} // namespace

TEST_F(MusicPlayerTest, OpensWaveAndMidiButNotMp3OrMissingFiles)
{
    MusicPlayer player(Output::none());
    EXPECT_TRUE(player.open(file(QStringLiteral("TUNE.WAV"), waveOf(250))));
    EXPECT_EQ(player.length(), 250);
    if (!generalMidiSoundFont().isEmpty()) {
        EXPECT_TRUE(player.open(file(QStringLiteral("tune.mid"), threeNoteMidi())));
        EXPECT_TRUE(player.open(file(QStringLiteral("tune.rmi"), asRmi(threeNoteMidi()))));
    }
    // The MP3 decoder plug-in takes MP3 over; this player refuses it.
    EXPECT_FALSE(player.open(file(QStringLiteral("tune.mp3"), QByteArray::fromHex("FFFB9064") + rampBytes(400))));
    EXPECT_FALSE(player.isOpen());
    EXPECT_FALSE(player.open(dir.filePath(QStringLiteral("missing.wav"))));
    EXPECT_FALSE(player.open(file(QStringLiteral("bad.wav"), "RIFF junk")));
    EXPECT_FALSE(player.play());
    EXPECT_FALSE(player.stop());
}

TEST_F(MusicPlayerTest, FileOutputHoldsWhatWasHeardUntilTheStop)
{
    MusicPlayer player(Output::files(outFolder()));
    ASSERT_TRUE(player.open(file(QStringLiteral("TUNE.WAV"), waveOf(5000))));
    ASSERT_TRUE(player.play());
    QThread::msleep(300);
    ASSERT_TRUE(player.stop());
    const qint64 kept = player.position();
    EXPECT_GE(kept, 250);
    EXPECT_LT(kept, 5000);

    // Playing on starts at the kept position, in a second file.
    ASSERT_TRUE(player.play());
    const QStringList files = waveFiles(outFolder());
    ASSERT_EQ(files.size(), 2);
    const PcmSound first = readWave(files[0]);
    const PcmSound second = readWave(files[1]);
    EXPECT_EQ(first.data.size(), kept * 16);
    EXPECT_EQ(first.data + second.data, rampBytes(5000 * 16));
}

TEST_F(MusicPlayerTest, PlayAtTheEndStartsOver)
{
    MusicPlayer player(Output::files(outFolder()));
    ASSERT_TRUE(player.open(file(QStringLiteral("short.wav"), waveOf(50))));
    ASSERT_TRUE(player.play());
    QThread::msleep(120);
    EXPECT_EQ(player.position(), player.length());
    ASSERT_TRUE(player.play());
    const QStringList files = waveFiles(outFolder());
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(readWave(files[1]).data, rampBytes(50 * 16));
}

// A tune is rendered once the event loop runs, so the window being built is
// not held up; a play waits for it, and asking its length waits at once.
TEST_F(MusicPlayerTest, MidiTunesRenderOnceTheEventLoopRunsOrTheLengthIsAsked)
{
    if (generalMidiSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    MusicPlayer player(Output::files(outFolder()));
    ASSERT_TRUE(player.open(file(QStringLiteral("tune.mid"), threeNoteMidi())));
    ASSERT_TRUE(player.play());
    EXPECT_EQ(player.position(), 0);
    QElapsedTimer rendering;
    rendering.start();
    while (waveFiles(outFolder()).isEmpty() && rendering.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(waveFiles(outFolder()).size(), 1);
    EXPECT_FALSE(readWave(waveFiles(outFolder())[0]).data.isEmpty());

    MusicPlayer asked(Output::none());
    ASSERT_TRUE(asked.open(file(QStringLiteral("tune.mid"), threeNoteMidi())));
    EXPECT_GT(asked.length(), 0);
}

// The sound card side is a plug-in carried inside the library: it loads, and
// a sound on the card starts and stops, or quietly does not start on a
// machine without a sound card.
TEST(DeviceSink, ThePluginInsideTheLibraryLoadsAndPlays)
{
    ASSERT_TRUE(deviceSinkPluginLoads());
    PcmChannel channel(QStringLiteral("card"), Output{Output::Kind::Device, {}});
    channel.play({{8000, 1, 16}, rampBytes(1600)});
    EXPECT_TRUE(channel.isPlaying());
    channel.stop();
    EXPECT_FALSE(channel.isPlaying());
}
