#include "menufixture.h"
#include "soundfixtures.h"

#include <audio/midi.h>
#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <transplist/transplist.h>

#include <testsupport.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QLabel>
#include <QFile>
#include <QMouseEvent>
#include <QRegularExpression>

#include <dlfcn.h>

using namespace ProjectFormat;
using namespace SoundFixtures;
using Platform::Audio::makeWave;

namespace {

const QString kKeys = QStringLiteral("[NAMES]\n1001=Gry\n1002=Muzyka\n[FUNCTIONS]\n10010=1\n");

QByteArray clickWave(int dataBytes)
{
    return makeWave({{8000, 1, 8}, rampBytes(dataBytes)});
}

// The logging stand-in for the MP3 plug-in, copied onto the CD; opened here
// too, so the test reads the log of the very copy the menu loaded.
class CdPlugin
{
public:
    explicit CdPlugin(const QString &path)
    {
        QFile::remove(path);
        TestSupport::writeFile(path, TestSupport::readFile(QStringLiteral(FAKE_PLUGIN)));
        m_library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW);
    }
    ~CdPlugin() { dlclose(m_library); }
    CdPlugin(const CdPlugin &) = delete;
    CdPlugin &operator=(const CdPlugin &) = delete;

    // The calls since the last look.
    QString takeLog()
    {
        const QString log = QString::fromUtf8(reinterpret_cast<const char *(*)()>(dlsym(m_library, "fakeLog"))());
        reinterpret_cast<void (*)()>(dlsym(m_library, "fakeClearLog"))();
        return log;
    }
    void endPiece() { reinterpret_cast<void (*)()>(dlsym(m_library, "fakeEndPiece"))(); }

private:
    void *m_library = nullptr;
};

class SoundTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        qputenv("KALVORA_AUDIO_OUT", QFile::encodeName(outFolder()));
    }
    void TearDown() override
    {
        MenuFixture::TearDown();
        qunsetenv("KALVORA_AUDIO_OUT");
    }
    QString outFolder() const { return dir.filePath(QStringLiteral("out")); }
    QStringList outputs(const QString &prefix) const
    {
        return waveFiles(outFolder()).filter(QRegularExpression(QStringLiteral("/%1-\\d+\\.wav$").arg(prefix)));
    }
    void writeOptions(const QByteArray &options)
    {
        writeCdBytes(QStringLiteral("../settings/KALVOR.RUN"), "[ZELTRIN CDROM]\r\n" + options);
    }
    TForm1 &buildWithSound(const QString &sound, const QString &keys = kKeys)
    {
        writeProject(keys + QStringLiteral("[SOUND]\n") + sound);
        return build();
    }
    TMenuButton *key(int id) const { return window->findChild<TMenuButton *>(QStringLiteral("klw%1").arg(id)); }
    void hover(int id) { key(id)->OnMouseMove(key(id), Qt::NoModifier, 1, 1); }
    void hoverBackground() { hoverOver(window->background()); }
    // A move without a button held, as the window system delivers it: only
    // to a widget that tracks the mouse.
    static void hoverOver(QWidget *widget)
    {
        if (!widget->hasMouseTracking())
            return;
        QMouseEvent move(QEvent::MouseMove, QPointF(1, 1), QPointF(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    void press(int id)
    {
        key(id)->OnMouseDown(key(id), Qt::LeftButton, Qt::NoModifier, 1, 1);
        key(id)->OnMouseUp(key(id), Qt::LeftButton, Qt::NoModifier, 1, 1);
    }
    QString musicHint() const { return window->controls().functionButton(MusicId)->hint(); }
    void minimise() { window->setWindowState(Qt::WindowMinimized); }
    void restore() { window->setWindowState(Qt::WindowNoState); }
};

} // namespace

TEST_F(SoundTest, ClicksPlayTheKeptPartOfTheirFilesAndSkipOthers)
{
    // 44 header bytes and 39956 bytes of data, of which the first 30000
    // bytes of the file are kept.
    const QByteArray big = clickWave(40000 - 44);
    ASSERT_EQ(big.size(), 40000);
    writeCdBytes(QStringLiteral("DZWIEKI/UP.WAV"), big);
    writeCdBytes(QStringLiteral("DZWIEKI/down.wav"), clickWave(500));
    writeCdBytes(QStringLiteral("DZWIEKI/MOVE.WAV"), "RIFF\x10\0\0\0WAVEjunk");
    buildWithSound(QStringLiteral("ON_UP=DZWIEKI\\UP.WAV\nON_DOWN=DZWIEKI\\DOWN.WAV\nON_MOVE=DZWIEKI\\MOVE.WAV\n"));

    press(1001);
    hover(1001); // no PCM wave: silent
    const QStringList clicks = outputs(QStringLiteral("click"));
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(readWave(clicks[0]).data, rampBytes(500));
    EXPECT_TRUE(readWave(clicks[1]).data == big.mid(44, 30000 - 44));
}

TEST_F(SoundTest, HoverSoundsOncePerKeyUntilTheBackgroundIsTouched)
{
    writeCdBytes(QStringLiteral("MOVE.WAV"), clickWave(100));
    const struct {
        QByteArray options;
        int clicks;
    } cases[] = {{"", 3}, {"NoClicks=1\r\n", 0}, {"NOSOUND=1\r\n", 0}, {"NoMusic=1\r\n", 3}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.options.constData());
        QDir(outFolder()).removeRecursively();
        writeOptions(row.options);
        buildWithSound(QStringLiteral("ON_MOVE=MOVE.WAV\nON_DOWN=MOVE.WAV\n"));
        hover(1001);
        hover(1001);
        hoverBackground();
        hover(1001);
        hover(1002);
        EXPECT_EQ(outputs(QStringLiteral("click")).size(), row.clicks);
        press(10010);
        EXPECT_EQ(outputs(QStringLiteral("click")).size(), row.clicks ? row.clicks + 1 : 0);
        window.reset();
    }
}

TEST_F(SoundTest, BackgroundStripDescriptionAndTitleResetTheHoveredKey)
{
    writeCdBytes(QStringLiteral("MOVE.WAV"), clickWave(100));
    buildWithSound(QStringLiteral("ON_MOVE=MOVE.WAV\n"),
                   kKeys + QStringLiteral("[OBJECTS]\nTOOLS=1\nDESCRIPTION=1\nTITLE=1\n"));
    QWidget *const surfaces[] = {window->background(), window->controls().toolsStrip, window->controls().descriptionList,
                                 window->controls().titleLabel};
    hover(1001);
    int expected = 1;
    for (QWidget *surface : surfaces) {
        SCOPED_TRACE(surface->objectName().toStdString());
        hoverOver(surface);
        EXPECT_EQ(window->clickSounds().lastHoveredTag(), 0);
        hover(1001);
        EXPECT_EQ(outputs(QStringLiteral("click")).size(), ++expected);
    }
}

TEST_F(SoundTest, TheKindOfMusicDecidesWhichKeysClick)
{
    writeCdBytes(QStringLiteral("MOVE.WAV"), clickWave(100));
    const struct {
        const char *background;
        bool keysClick;
        bool musicKeyClicks;
    } cases[] = {
        {"MUZYKA\\TLO.MP3", false, false},
        {"muzyka\\tlo.Mp3", false, false},
        {"MUZYKA\\TLO.WAV", true, false},
        {"MUZYKA\\TLO.MID", true, true},
        {"", true, true},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.background);
        QDir(outFolder()).removeRecursively();
        buildWithSound(QStringLiteral("ON_MOVE=MOVE.WAV\nBACKGROUND=%1\n").arg(QLatin1String(row.background)));
        EXPECT_EQ(bool(key(1001)->OnMouseDown), row.keysClick);
        EXPECT_EQ(bool(key(10010)->OnMouseDown), row.musicKeyClicks);
        // The category hover stays where the clicks are not attached.
        EXPECT_TRUE(bool(key(1001)->OnMouseMove));
        hover(1001);
        EXPECT_EQ(outputs(QStringLiteral("click")).size(), row.keysClick ? 1 : 0);
        window.reset();
    }
}

TEST_F(SoundTest, SecondWindowKeysClickByTheMenusMusicAndSounds)
{
    writeCdBytes(QStringLiteral("MOVE.WAV"), clickWave(100));
    // The second window's own [SOUND] is never read.
    writeCdText(QStringLiteral("DRUGIE.INI"), QStringLiteral("[NAMES]\n1001=A\n[FUNCTIONS]\n10010=1\n"
                                                             "[SOUND]\nBACKGROUND=X.MP3\nON_MOVE=BRAK.WAV\n"));
    const QString secondWindow = QStringLiteral("[NEXT_WINDOW]\n1002=1\n[NEXT_WINDOW_INI]\n1002=DRUGIE.INI\n");
    const struct {
        const char *background;
        bool keysClick;
        bool musicKeyClicks;
    } cases[] = {
        {"MUZYKA\\TLO.MP3", false, false},
        {"MUZYKA\\TLO.WAV", true, false},
        {"", true, true},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.background);
        QDir(outFolder()).removeRecursively();
        buildWithSound(QStringLiteral("ON_MOVE=MOVE.WAV\nBACKGROUND=%1\n").arg(QLatin1String(row.background)),
                       kKeys + secondWindow);
        window->ODCZYTKATEGORI(key(1002));
        ASSERT_NE(window->subWindow(), nullptr);
        TMenuButton *secondKey = window->subWindow()->findChild<TMenuButton *>(QStringLiteral("klw1001"));
        TMenuButton *secondMusic = window->subWindow()->controls().functionButton(MusicId);
        EXPECT_EQ(bool(secondKey->OnMouseDown), row.keysClick);
        EXPECT_EQ(bool(secondMusic->OnMouseDown), row.musicKeyClicks);
        secondKey->OnMouseMove(secondKey, Qt::NoModifier, 1, 1);
        EXPECT_EQ(outputs(QStringLiteral("click")).size(), row.keysClick ? 1 : 0);
        window.reset();
    }
}

TEST_F(SoundTest, MidiMusicPlaysStopsAndPausesWithItsState)
{
    if (Platform::Audio::generalMidiSoundFont().isEmpty())
        GTEST_SKIP() << "no General MIDI sound font installed";
    // Stored in capitals, on the CD in small letters.
    writeCdBytes(QStringLiteral("muzyka/tlo.mid"), threeNoteMidi());
    buildWithSound(QStringLiteral("BACKGROUND=MUZYKA\\TLO.MID\n"));
    EXPECT_EQ(window->music().carrier(), BackgroundMusic::Carrier::Media);
    EXPECT_EQ(musicHint(), QStringLiteral("OFF"));
    // The tune is rendered beside the window being built and plays once it
    // is there.
    QElapsedTimer rendering;
    rendering.start();
    while (outputs(QStringLiteral("music")).isEmpty() && rendering.elapsed() < 10000)
        QTest::qWait(10);
    QStringList music = outputs(QStringLiteral("music"));
    ASSERT_EQ(music.size(), 1);
    const QByteArray whole = readWave(music[0]).data;
    EXPECT_FALSE(isSilent(whole));

    window->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
    EXPECT_EQ(musicHint(), QStringLiteral("ON"));
    // Stopped before its end: the file holds only what was heard.
    EXPECT_LT(readWave(music[0]).data.size(), whole.size());
    window->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
    EXPECT_EQ(musicHint(), QStringLiteral("OFF"));
    EXPECT_EQ(outputs(QStringLiteral("music")).size(), 2);

    minimise();
    EXPECT_EQ(musicHint(), QStringLiteral("OFF_1"));
    restore();
    EXPECT_EQ(musicHint(), QStringLiteral("OFF"));
    EXPECT_EQ(outputs(QStringLiteral("music")).size(), 3);
    // No music needs no decoder.
    EXPECT_FALSE(window->music().mpeg().isLoaded());
}

TEST_F(SoundTest, OptionsF8AndMinimiseAgainstTheHintAndThePlayer)
{
    const QString open = QStringLiteral("Open(%1,0) GetLength").arg(cdPath(QStringLiteral("MUZYKA/TLO.MP3")));
    const QString firstPlay = QStringLiteral(" SetPriority(0) SetOutputDevice(0,) Play(0,0)");
    enum Action { Start, F8, Minimise, Restore };
    struct Step {
        Action action;
        const char *hint;
        QString calls;
    };
    const struct {
        QByteArray options;
        QList<Step> steps;
    } cases[] = {
        {"",
         {{Start, "OFF", QStringLiteral("init ") + open + firstPlay},
          {Minimise, "OFF_1", QStringLiteral("Stop")},
          {Restore, "OFF", QStringLiteral("Restart")},
          {F8, "ON", QStringLiteral("Close")},
          {Minimise, "ON", QString()},
          {Restore, "ON", QString()},
          {F8, "OFF", open + firstPlay}}},
        // Music the user starts pauses and comes back like any other.
        {"NoMusic=1\r\n",
         {{Start, "ON", QStringLiteral("init ") + open},
          {Minimise, "ON", QString()},
          {Restore, "ON", QString()},
          {F8, "OFF", QStringLiteral("Close ") + open + firstPlay},
          {Minimise, "OFF_1", QStringLiteral("Stop")},
          {Restore, "OFF", QStringLiteral("Restart")}}},
        {"NOSOUND=1\r\n",
         {{Start, "ON", QStringLiteral("init ") + open},
          {F8, "OFF", QStringLiteral("Close ") + open + firstPlay},
          {F8, "ON", QStringLiteral("Close")}}},
    };
    writeCdBytes(QStringLiteral("MUZYKA/TLO.MP3"), "mp3");
    for (const auto &row : cases) {
        SCOPED_TRACE(row.options.constData());
        writeOptions(row.options);
        CdPlugin plugin(cdPath(QStringLiteral("MENU/MPEGDLL.DLL")));
        for (const Step &step : row.steps) {
            switch (step.action) {
            case Start: buildWithSound(QStringLiteral("BACKGROUND=MUZYKA\\TLO.MP3\nMPEG_DLL=MENU\\\n")); break;
            case F8: window->FormKeyDown(Qt::Key_F8, Qt::NoModifier); break;
            case Minimise: minimise(); break;
            case Restore: restore(); break;
            }
            SCOPED_TRACE(int(step.action));
            EXPECT_EQ(musicHint(), QLatin1String(step.hint));
            EXPECT_EQ(plugin.takeLog(), step.calls);
        }
        window.reset();
        EXPECT_EQ(plugin.takeLog(), QStringLiteral("Close deinit"));
    }
}

TEST_F(SoundTest, Mp3LoopsAtItsEndOnlyWithAMusicKey)
{
    writeCdBytes(QStringLiteral("MUZYKA/TLO.MP3"), "mp3");
    const QString sound = QStringLiteral("BACKGROUND=MUZYKA\\TLO.MP3\nMPEG_DLL=MENU\\\n");
    for (bool withKey : {true, false}) {
        SCOPED_TRACE(withKey);
        CdPlugin plugin(cdPath(QStringLiteral("MENU/MPEGDLL.DLL")));
        buildWithSound(sound, withKey ? kKeys : QStringLiteral("[NAMES]\n1001=Gry\n"));
        plugin.takeLog();
        window->Timer1Timer();
        EXPECT_EQ(plugin.takeLog(), QString()); // not at its end yet
        plugin.endPiece();
        window->Timer1Timer();
        minimise();
        EXPECT_EQ(plugin.takeLog(), withKey ? QStringLiteral("ResetPlayerMode Restart Stop") : QString());
        window.reset();
    }
}

TEST_F(SoundTest, DecoderIsLookedForOnlyWhenThereIsMusic)
{
    // Beside the runtime, where the project's folder has none.
    CdPlugin besideRuntime(cdPath(QStringLiteral("mpegdll.dll")));
    buildWithSound(QStringLiteral("BACKGROUND=\nMPEG_DLL=MENU\\\n"));
    EXPECT_FALSE(window->music().mpeg().isLoaded());
    EXPECT_EQ(besideRuntime.takeLog(), QString());

    writeCdBytes(QStringLiteral("TLO.MP3"), "mp3");
    buildWithSound(QStringLiteral("BACKGROUND=TLO.MP3\nMPEG_DLL=MENU\\\n"));
    EXPECT_EQ(window->music().carrier(), BackgroundMusic::Carrier::Mpeg);
    EXPECT_TRUE(besideRuntime.takeLog().startsWith(QStringLiteral("init Open(")));
    window->close();
    EXPECT_EQ(besideRuntime.takeLog(), QStringLiteral("Close deinit"));
}

TEST_F(SoundTest, WithoutAUsableDecoderTheMenuGoesOnQuietly)
{
    // A Windows library of an old CD, and a music file that is missing.
    writeCdBytes(QStringLiteral("MENU/MPEGDLL.DLL"), QByteArray("MZ\x90\0", 4) + QByteArray(100, '\0'));
    writeCdBytes(QStringLiteral("TLO.MP3"), "mp3");
    for (const char *background : {"TLO.MP3", "BRAK.MID"}) {
        SCOPED_TRACE(background);
        buildWithSound(QStringLiteral("BACKGROUND=%1\nMPEG_DLL=MENU\\\n").arg(QLatin1String(background)));
        EXPECT_EQ(window->music().carrier(), BackgroundMusic::Carrier::None);
        EXPECT_EQ(musicHint(), QStringLiteral("OFF"));
        window->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
        EXPECT_EQ(musicHint(), QStringLiteral("ON"));
        window->Timer1Timer();
        window.reset();
    }
}
