#include <musicplayer/mpegplayer.h>

#include <testsupport.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <dlfcn.h>

#include <gtest/gtest.h>

namespace {

// The logging stand-in for the plug-in, reached through its own entries.
// It is opened apart from the player, so it stays loaded (and its log
// readable) after the player has unloaded it.
class FakePlugin
{
    template<typename F, typename... Args> auto call(const char *name, Args... args) -> std::invoke_result_t<F, Args...>
    {
        auto entry = reinterpret_cast<F>(m_library ? dlsym(m_library, name) : nullptr);
        if (!entry)
            throw std::runtime_error(name);
        return entry(args...);
    }

public:
    explicit FakePlugin(const QString &folder = QStringLiteral(FAKE_PLUGIN_DIR))
        : m_library(dlopen(QFile::encodeName(folder + QStringLiteral("/mpegdll.dll")).constData(), RTLD_NOW))
    {
        call<void (*)()>("fakeClearLog");
        call<void (*)(int)>("fakeSetInitResult", 1);
    }
    ~FakePlugin()
    {
        if (m_library)
            dlclose(m_library);
    }
    FakePlugin(const FakePlugin &) = delete;
    FakePlugin &operator=(const FakePlugin &) = delete;

    QString log() { return QString::fromUtf8(call<const char *(*)()>("fakeLog")); }
    void clearLog() { call<void (*)()>("fakeClearLog"); }
    void failNext(const char *entry, int error) { call<void (*)(const char *, int)>("fakeFailNext", entry, error); }
    void setInitResult(int result) { call<void (*)(int)>("fakeSetInitResult", result); }
    void endPiece() { call<void (*)()>("fakeEndPiece"); }

private:
    void *m_library;
};

class MpegPlayerTest : public ::testing::Test
{
protected:
    void loadOpened(const QString &stream = QStringLiteral("/cd/MUZYKA/tune.mp3"))
    {
        player.PathToDLL = QStringLiteral(FAKE_PLUGIN_DIR);
        player.LoadDecoder();
        player.setStreamName(stream);
        player.OpenStream();
        fake.clearLog();
    }
    template<typename Step> TMPEGError failureOf(Step step)
    {
        try {
            step();
        } catch (const TMPEGError &error) {
            return error;
        }
        ADD_FAILURE() << "no TMPEGError";
        return TMPEGError({}, 255);
    }

    FakePlugin fake;
    TMPEGPlayer player;
};

} // namespace

TEST(MpegPlayerNames, LibraryPathAndMessages)
{
    const struct {
        QString folder;
        QString path;
    } paths[] = {
        {QString(), QStringLiteral("mpegdll.dll")},
        {QStringLiteral("D:"), QStringLiteral("D:mpegdll.dll")},
        {QStringLiteral("D:\\MUZYKA"), QStringLiteral("D:\\MUZYKA\\mpegdll.dll")},
        {QStringLiteral("D:\\MUZYKA\\"), QStringLiteral("D:\\MUZYKA\\mpegdll.dll")},
        {QStringLiteral("/cd/menu/"), QStringLiteral("/cd/menu/mpegdll.dll")},
    };
    for (const auto &row : paths)
        EXPECT_EQ(TMPEGPlayer::libraryPath(row.folder), row.path) << row.folder.toStdString();

    const struct {
        int number;
        const char *message;
    } messages[] = {
        {0, "MPEG library not loaded"}, {1, "Internal decoder error"}, {2, "Incorrect mode"},
        {3, "Input stream error"}, {4, "Input stream is non-seekable"}, {5, "Output device failure"},
        {6, "MPEG library error 6"}, {255, "MPEG library error 255"},
    };
    for (const auto &row : messages)
        EXPECT_EQ(TMPEGPlayer::errorMessage(row.number), QString::fromLatin1(row.message));
}

TEST_F(MpegPlayerTest, LibrariesThatCannotServeCountAsMissing)
{
    QTemporaryDir dir;
    // A Windows library of an old CD does not load here.
    TestSupport::writeFile(dir.filePath(QStringLiteral("MPEGDLL.DLL")), QByteArray("MZ\x90\0", 4) + QByteArray(200, '\0'));
    const struct {
        QString folder;
        const char *message;
    } cases[] = {
        {dir.filePath(QStringLiteral("nothing here")), "Can't load MPEG library"},
        {dir.path(), "Can't load MPEG library"},
        {QStringLiteral(INCOMPLETE_PLUGIN_DIR), "MPEG library not loaded"},
    };
    for (const auto &row : cases) {
        player.PathToDLL = row.folder;
        const TMPEGError error = failureOf([&] { player.LoadDecoder(); });
        EXPECT_EQ(error.message(), QString::fromLatin1(row.message));
        EXPECT_EQ(error.ErrorCode, 0);
        EXPECT_FALSE(player.isLoaded());
    }
    // Nothing of the incomplete one was called.
    EXPECT_EQ(FakePlugin(QStringLiteral(INCOMPLETE_PLUGIN_DIR)).log(), QString());
}

TEST_F(MpegPlayerTest, FoundWithoutRegardToCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::copy(QStringLiteral(FAKE_PLUGIN_DIR "/mpegdll.dll"), dir.filePath(QStringLiteral("MpegDll.DLL"))));
    player.PathToDLL = dir.path();
    player.LoadDecoder();
    EXPECT_TRUE(player.isLoaded());
}

TEST_F(MpegPlayerTest, FailedInitFreesTheLibraryAndReportsItsError)
{
    fake.setInitResult(0);
    fake.failNext("init", 5);
    player.PathToDLL = QStringLiteral(FAKE_PLUGIN_DIR);
    const TMPEGError error = failureOf([&] { player.LoadDecoder(); });
    EXPECT_EQ(error.message(), QStringLiteral("Output device failure"));
    EXPECT_EQ(error.ErrorCode, 5);
    EXPECT_FALSE(player.isLoaded());
    EXPECT_THROW(player.OpenStream(), TMPEGError);
    EXPECT_EQ(fake.log(), QStringLiteral("init"));
}

TEST_F(MpegPlayerTest, FirstPlaySetsUpThenStopAndPlayRestarts)
{
    // A path longer than any fixed buffer reaches the plug-in whole.
    const QString longPath = QStringLiteral("/cd/") + QString(600, u'x') + QStringLiteral("/tune.mp3");
    player.PathToDLL = QStringLiteral(FAKE_PLUGIN_DIR);
    player.LoadDecoder();
    player.setStreamName(longPath);
    player.OpenStream();
    EXPECT_EQ(fake.log(), QStringLiteral("init Open(%1,0) GetLength").arg(longPath));
    EXPECT_EQ(player.PlayedXTimes(), 1);
    EXPECT_EQ(player.length(), 1000);

    fake.clearLog();
    player.Play();
    EXPECT_EQ(fake.log(), QStringLiteral("SetPriority(0) SetOutputDevice(0,) Play(0,0)"));
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(player.PlayedXTimes(), 2);

    player.Play(); // already playing
    player.Stop();
    player.Play();
    player.Stop();
    player.Play();
    EXPECT_EQ(fake.log(), QStringLiteral("SetPriority(0) SetOutputDevice(0,) Play(0,0) Stop Restart Stop Restart"));
    EXPECT_EQ(player.PlayedXTimes(), 4);
}

TEST_F(MpegPlayerTest, ModeErrorsOfStopAndPause)
{
    // Stop tests the mode before the library.
    EXPECT_EQ(failureOf([&] { player.Stop(); }).message(), QStringLiteral("Incorrect mode"));
    EXPECT_EQ(failureOf([&] { player.Play(); }).message(), QStringLiteral("MPEG library not loaded"));

    loadOpened();
    player.Pause(false);
    EXPECT_EQ(failureOf([&] { player.Pause(true); }).ErrorCode, 2);
    player.Play();
    player.Pause(true);
    EXPECT_TRUE(player.isPaused());
    player.Play(); // resumes
    EXPECT_FALSE(player.isPaused());
    EXPECT_EQ(fake.log(), QStringLiteral("SetPriority(0) SetOutputDevice(0,) Play(0,0) Pause(0) Pause(1)"));
}

TEST_F(MpegPlayerTest, EndOfPieceAndReset)
{
    loadOpened();
    player.Play();
    fake.clearLog();
    EXPECT_EQ(player.ResetPlayerMode(), 0);
    EXPECT_EQ(fake.log(), QString()); // not asked before the end

    fake.endPiece();
    EXPECT_TRUE(player.endReached());
    EXPECT_EQ(failureOf([&] { player.Stop(); }).ErrorCode, 2);
    EXPECT_NE(player.ResetPlayerMode() & 0xff, 0);
    EXPECT_FALSE(player.isPlaying());
    EXPECT_TRUE(player.endReached());
    player.Restart();
    EXPECT_FALSE(player.endReached());
    EXPECT_TRUE(player.isPlaying());
    EXPECT_EQ(fake.log(), QStringLiteral("ResetPlayerMode Restart"));
}

TEST_F(MpegPlayerTest, CheckedCallsRaiseAndKeepTheFlags)
{
    loadOpened();
    fake.failNext("Play", 5);
    const TMPEGError error = failureOf([&] { player.Play(); });
    EXPECT_EQ(error.message(), QStringLiteral("Output device failure"));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_EQ(player.PlayedXTimes(), 1);

    // The next call starts with a clean error; an unknown number still
    // gets a message.
    player.Play();
    EXPECT_TRUE(player.isPlaying());
    fake.failNext("Open", 9);
    const TMPEGError unknown = failureOf([&] { player.OpenStream(); });
    EXPECT_EQ(unknown.message(), QStringLiteral("MPEG library error 9"));
    EXPECT_EQ(unknown.ErrorCode, 9);
    EXPECT_FALSE(player.isOpened());
}

TEST_F(MpegPlayerTest, SettingsReachThePlugin)
{
    loadOpened();
    player.setPlayerPriority(TPlayPriority::Idle);
    EXPECT_EQ(player.PlayerPriority(), TPlayPriority::Idle);
    player.setOutputDevice(TOutputDevice::pcmfile); // no file name yet
    EXPECT_EQ(player.OutputDevice(), TOutputDevice::wavemapper);
    player.OutFilename = QStringLiteral("/tmp/out.wav");
    player.setOutputDevice(TOutputDevice::pcmfile);
    player.StartPos = 100;
    player.EndPos = 900;
    player.Play();
    EXPECT_EQ(fake.log(), QStringLiteral("SetPriority(-15) SetPriority(-15) SetOutputDevice(2,/tmp/out.wav) Play(100,900)"));

    // A new stream name closes the open stream.
    fake.clearLog();
    player.setStreamName(QStringLiteral("/cd/other.mp3"));
    EXPECT_FALSE(player.isOpened());
    EXPECT_EQ(player.PlayedXTimes(), 0);
    EXPECT_EQ(fake.log(), QStringLiteral("Close"));
}

TEST_F(MpegPlayerTest, TimerReportsPositionsWithinTheLengthAndTheEnd)
{
    // The timer takes its interval when the plug-in is loaded.
    player.setTimerFreq(10);
    player.UseTimer = true;
    loadOpened();
    QList<QPair<int, int>> positions;
    int ends = 0;
    player.OnPosUpdate = [&](QObject *, int pos, int len) { positions.append({pos, len}); };
    player.OnPlayEnd = [&](QObject *) { ++ends; };
    player.Play();
    ASSERT_FALSE(positions.isEmpty());
    // The stand-in answers 1500 for a piece of 1000.
    EXPECT_EQ(positions.first(), qMakePair(0, 1000));
    fake.endPiece();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ends == 1; }, 2000));
    EXPECT_FALSE(player.isPlaying());
    EXPECT_FALSE(player.endReached());
}

TEST_F(MpegPlayerTest, DestructorClosesAndUnloads)
{
    {
        TMPEGPlayer owned;
        owned.PathToDLL = QStringLiteral(FAKE_PLUGIN_DIR);
        owned.LoadDecoder();
        owned.setStreamName(QStringLiteral("/cd/tune.mp3"));
        owned.OpenStream();
        fake.clearLog();
    }
    EXPECT_EQ(fake.log(), QStringLiteral("Close deinit"));
}
