// The real plug-in on a short tone: it plays what libmpg123 decodes.
#include <musicplayer/mpegplayer.h>

#include <testsupport.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <mpg123.h>

#include <gtest/gtest.h>

namespace {

// The tone decoded directly, in the 16-bit samples the plug-in puts out.
QByteArray decodeDirectly(const char *path)
{
    int error = 0;
    mpg123_handle *decoder = mpg123_new(nullptr, &error);
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(decoder);
    const long *rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    QByteArray pcm;
    if (mpg123_open(decoder, path) == MPG123_OK) {
        unsigned char block[8192];
        size_t done = 0;
        int result = MPG123_OK;
        while (result == MPG123_OK || result == MPG123_NEW_FORMAT) {
            result = mpg123_read(decoder, block, sizeof block, &done);
            pcm.append(reinterpret_cast<const char *>(block), qsizetype(done));
        }
    }
    mpg123_delete(decoder);
    return pcm;
}

// The body of the "data" chunk of a wave file.
QByteArray waveData(const QByteArray &wave)
{
    qsizetype at = 12;
    while (at + 8 <= wave.size()) {
        const quint32 size = qFromLittleEndian<quint32>(wave.constData() + at + 4);
        if (wave.mid(at, 4) == "data")
            return wave.mid(at + 8, qsizetype(qMin<quint64>(size, quint64(wave.size() - at - 8))));
        at += 8 + qsizetype(size) + (size & 1);
    }
    return {};
}

class RealPluginTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        player.PathToDLL = QStringLiteral(REAL_PLUGIN_DIR);
        player.LoadDecoder();
        player.setStreamName(QStringLiteral(TONE_MP3));
    }
    bool waitForEnd() { return QTest::qWaitFor([&] { return player.endReached(); }, 5000); }

    QTemporaryDir dir;
    TMPEGPlayer player;
};

} // namespace

TEST_F(RealPluginTest, PlaysTheDecodedSamplesAndSetsTheEndFlag)
{
    const QByteArray expected = decodeDirectly(TONE_MP3);
    ASSERT_GT(expected.size(), 10000);

    player.OutFilename = dir.filePath(QStringLiteral("out.wav"));
    player.setOutputDevice(TOutputDevice::pcmfile);
    player.OpenStream();
    // 16-bit mono at 22050 Hz; the encoder's padding makes it longer than
    // the tone.
    EXPECT_NEAR(player.length(), expected.size() / 2 * 1000 / 22050, 2);
    player.Play();
    ASSERT_TRUE(waitForEnd());
    EXPECT_NE(player.ResetPlayerMode() & 0xff, 0);
    const QByteArray played = waveData(TestSupport::readFile(player.OutFilename));
    EXPECT_EQ(played.size(), expected.size());
    EXPECT_TRUE(played == expected);

    // Looping: a restart after the end plays the piece again from its start.
    QFile::remove(player.OutFilename);
    player.Restart();
    ASSERT_TRUE(waitForEnd());
    EXPECT_TRUE(waveData(TestSupport::readFile(player.OutFilename)) == expected);
    player.CloseStream();
    player.UnloadDecoder();
    EXPECT_FALSE(player.isLoaded());
}

TEST_F(RealPluginTest, FileOutputForTestsFillsAtThePaceOfListening)
{
    qputenv("KALVORA_AUDIO_OUT", dir.path().toLocal8Bit());
    player.OpenStream();
    QElapsedTimer clock;
    clock.start();
    player.Play();
    QTest::qWait(100);
    // Never ahead of the wall clock by more than the block in flight.
    EXPECT_LE(player.GetCurrentPos(), clock.elapsed() + 100);
    player.Pause(true);
    const int pausedAt = player.GetCurrentPos();
    QTest::qWait(150);
    EXPECT_LE(player.GetCurrentPos(), pausedAt + 100); // a block in flight at most
    player.Pause(false);
    player.Stop();
    player.Play(); // after a stop: from the start again
    ASSERT_TRUE(waitForEnd());
    qunsetenv("KALVORA_AUDIO_OUT");
    player.CloseStream();

    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("mpeg-0001.wav"))));
    EXPECT_TRUE(waveData(TestSupport::readFile(dir.filePath(QStringLiteral("mpeg-0002.wav")))) == decodeDirectly(TONE_MP3));
}

TEST_F(RealPluginTest, MissingFileIsAnInputStreamError)
{
    player.setStreamName(dir.filePath(QStringLiteral("missing.mp3")));
    try {
        player.OpenStream();
        FAIL() << "opened a missing file";
    } catch (const TMPEGError &error) {
        EXPECT_EQ(error.ErrorCode, 3);
    }
    EXPECT_FALSE(player.isOpened());
    // The next call starts clean.
    EXPECT_NO_THROW(player.GetLength());
    EXPECT_EQ(player.lastErrorNumber(), 0);
}

TEST_F(RealPluginTest, PlaysAStreamServedByItsEvents)
{
    QFile source(QStringLiteral(TONE_MP3));
    QStringList calls;
    player.FromStream = true;
    player.OnOpenStream = [&](QObject *, bool &nonseekable, void *&context) {
        calls.append(QStringLiteral("open"));
        nonseekable = false;
        context = source.open(QIODevice::ReadOnly) ? &source : nullptr;
    };
    player.OnCloseStream = [&](QObject *, void *context) {
        calls.append(QStringLiteral("close"));
        static_cast<QFile *>(context)->close();
    };
    // Reads come from the decoder thread; they touch only the file.
    player.OnReadStream = [](QObject *, void *context, void *buffer, int toRead, int &read, bool &res) {
        read = int(static_cast<QFile *>(context)->read(static_cast<char *>(buffer), toRead));
        res = read >= 0;
    };
    player.OnSeekStream = [](QObject *, void *context, int offset, int moveMethod, int &res) {
        auto *file = static_cast<QFile *>(context);
        const qint64 base = moveMethod == 1 ? file->pos() : moveMethod == 2 ? file->size() : 0;
        res = file->seek(base + offset) ? int(file->pos()) : -1;
    };
    player.OnGetStreamSize = [](QObject *, void *context, int &res) { res = int(static_cast<QFile *>(context)->size()); };
    player.OutFilename = dir.filePath(QStringLiteral("stream.wav"));
    player.setOutputDevice(TOutputDevice::pcmfile);
    player.OpenStream();
    player.Play();
    ASSERT_TRUE(waitForEnd());
    player.CloseStream();
    EXPECT_TRUE(waveData(TestSupport::readFile(player.OutFilename)) == decodeDirectly(TONE_MP3));
    EXPECT_EQ(calls, QStringList({QStringLiteral("open"), QStringLiteral("close")}));
}
