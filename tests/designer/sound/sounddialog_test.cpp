// "Dźwięk": the click sound limit, which player plays what, what OK and
// Anuluj store, and a load letting the MP3 plug-in go.
#include "designerfixture.h"

#include <objects/designedits.h>
#include <designreading.h>
#include <propertyeditors/editormessages.h>
#include <sound/sounddialog.h>
#include <sound/soundmessages.h>
#include <sound/soundplayers.h>

#include <audio/midi.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <soundfixtures.h>
#include <testsupport.h>

#include <sys/stat.h>

namespace {

QByteArray bytesOfSize(qint64 size)
{
    return QByteArray(size, 'R');
}

} // namespace

class SoundDialog : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        ASSERT_TRUE(audio.isValid());
        loadEmpty();
        DesignEdits::setSetting(context, QStringLiteral("StreamName"), QStringLiteral("dzwieki\\stara.mid"));
        DesignEdits::setSetting(context, QStringLiteral("ON_UP"), QStringLiteral("dzwieki\\puszczenie.wav"));
        undo.steps.clear();
    }

    std::unique_ptr<TfrmDzwiek> open()
    {
        return std::make_unique<TfrmDzwiek>(context, players);
    }

    QStringList played() const { return SoundFixtures::waveFiles(audio.path()); }

    QTemporaryDir audio;
    DesignerPlayers players{Platform::Audio::Output::files(audio.path())};
};

TEST_F(SoundDialog, ClickSoundsOfAtMost30000BytesThatAreFilesAreTaken)
{
    TestSupport::writeFile(drivePath(QStringLiteral("dzwieki/rowno.wav")), bytesOfSize(30000));
    TestSupport::writeFile(drivePath(QStringLiteral("dzwieki/za_duzy.wav")), bytesOfSize(30001));
    ASSERT_EQ(::mkfifo(QFile::encodeName(drivePath(QStringLiteral("dzwieki/potok.wav"))).constData(), 0600), 0);
    QTemporaryDir elsewhere;
    const QString outside = TestSupport::writeFile(elsewhere.filePath(QStringLiteral("obcy.wav")), bytesOfSize(10));
    const struct {
        const char *file;     // below the drive unless absolute
        const char *stored;   // what the field shows after; null: unchanged
        bool tooLarge;        // the size message; else the drive message when refused
    } cases[] = {
        {"dzwieki/rowno.wav", "dzwieki\\rowno.wav", false},
        {"dzwieki/za_duzy.wav", nullptr, true},
        {"dzwieki/potok.wav", nullptr, true},
        {"dzwieki", nullptr, true},
        {"", nullptr, false}, // outside the drive
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.file);
        const auto form = open();
        for (QLineEdit *field : {form->edtMove, form->edtNacisniecie, form->edtZwolnienie})
            field->setText(QStringLiteral("przed.wav"));
        dialogs.messages.clear();
        const QString chosen = *row.file ? drivePath(QString::fromUtf8(row.file)) : outside;
        for (QPushButton *browse : {form->klwBrowseMove, form->klwBrowseDown, form->klwBrowseUp}) {
            dialogs.pathAnswers = {chosen};
            browse->click();
        }
        for (QLineEdit *field : {form->edtMove, form->edtNacisniecie, form->edtZwolnienie})
            EXPECT_EQ(field->text(), row.stored ? QString::fromUtf8(row.stored) : QStringLiteral("przed.wav"));
        if (row.stored) {
            EXPECT_TRUE(dialogs.messages.isEmpty());
            continue;
        }
        ASSERT_EQ(dialogs.messages.size(), 3);
        const QString expected = row.tooLarge ? SoundMessages::tooLarge()
                                              : EditorMessages::outsideDrive(outside, QDir::toNativeSeparators(drivePath()));
        EXPECT_EQ(dialogs.messages[0].text, expected);
        EXPECT_EQ(dialogs.messages[0].caption, u"Dodorurav 2.1");
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
    }
}

TEST_F(SoundDialog, MusicGoesToTheMediaPlayerOrTheMp3PlugInByItsExtension)
{
    context.MpegDllPath = QStringLiteral(REAL_PLUGIN_DIR "/mpegdll.dll");
    const QByteArray tone = TestSupport::readFile(QStringLiteral(TONE_MP3));
    const QByteArray wave = Platform::Audio::makeWave({{8000, 1, 16}, QByteArray(1600, '\1')});
    const bool midi = !Platform::Audio::generalMidiSoundFont().isEmpty();
    const struct {
        const char *file;
        QByteArray content;
        const char *writes; // the prefix of the wave file that is heard
    } cases[] = {
        {"dzwieki/TLO.RMI", SoundFixtures::asRmi(SoundFixtures::threeNoteMidi()), midi ? "music-" : nullptr},
        {"dzwieki/tlo.wav", wave, "music-"},
        {"dzwieki/tlo.MID", SoundFixtures::threeNoteMidi(), midi ? "music-" : nullptr},
        {"dzwieki/tlo.mp3", tone, "mpeg-"},
        {"dzwieki/tlo.xyz", tone, "mpeg-"},
    };
    qputenv("KALVORA_AUDIO_OUT", QFile::encodeName(audio.path()));
    for (const auto &row : cases) {
        SCOPED_TRACE(row.file);
        if (!row.writes)
            continue; // MIDI needs a sound font to be heard
        const QString stored = QString::fromUtf8(row.file).replace(u'/', u'\\');
        TestSupport::writeFile(drivePath(QString::fromUtf8(row.file)), row.content);
        const auto form = open();
        form->edtMuzyka->setText(stored);
        form->klwPlayMusic->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !played().isEmpty(); }, 10000));
        form->klwStopPlaying->click();
        ASSERT_EQ(played().size(), 1);
        EXPECT_TRUE(QFileInfo(played().first()).fileName().startsWith(QLatin1String(row.writes)));
        EXPECT_FALSE(players.MPEG.isLoaded());
        QFile::remove(played().first());
    }
    qunsetenv("KALVORA_AUDIO_OUT");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SoundDialog, ClickSoundsPlayThroughTheMediaPlayer)
{
    const QByteArray wave = Platform::Audio::makeWave({{8000, 1, 16}, QByteArray(1600, '\1')});
    TestSupport::writeFile(drivePath(QStringLiteral("DZWIEKI/KLIK.WAV")), wave);
    const auto form = open();
    form->edtNacisniecie->setText(QStringLiteral("dzwieki\\klik.wav"));
    form->klwPlayDown->click();
    ASSERT_EQ(played().size(), 1);
    EXPECT_TRUE(SoundFixtures::readWave(played().first()).data == wave.mid(44));
    // A field naming nothing plays nothing.
    form->edtMove->setText(QStringLiteral("dzwieki\\brak.wav"));
    form->klwPlayMove->click();
    EXPECT_EQ(played().size(), 1);
}

TEST_F(SoundDialog, AMissingPlugInPlaysNothingAndSaysNothing)
{
    TestSupport::writeFile(drivePath(QStringLiteral("dzwieki/tlo.mp3")), TestSupport::readFile(QStringLiteral(TONE_MP3)));
    qputenv("KALVORA_AUDIO_OUT", QFile::encodeName(audio.path()));
    context.MpegDllPath = drivePath(QStringLiteral("nigdzie/mpegdll.dll"));
    const auto form = open();
    form->edtMuzyka->setText(QStringLiteral("dzwieki\\tlo.mp3"));
    form->klwPlayMusic->click();
    EXPECT_FALSE(players.MPEG.isLoaded());
    form->klwStopPlaying->click();
    form->reject();
    qunsetenv("KALVORA_AUDIO_OUT");
    EXPECT_TRUE(played().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(SoundDialog, OkWritesTheFourNamesInOneStepAndAnulujWritesNothing)
{
    const QStringList before = DesignReading::settingLines(context.Design);
    {
        const auto form = open();
        EXPECT_EQ(form->edtMuzyka->text(), u"dzwieki\\stara.mid");
        EXPECT_EQ(form->edtZwolnienie->text(), u"dzwieki\\puszczenie.wav");
        form->edtMuzyka->setText(QStringLiteral("dzwieki\\nowa.mp3"));
        form->klwAnuluj->click();
        EXPECT_EQ(form->result(), QDialog::Rejected);
    }
    EXPECT_EQ(DesignReading::settingLines(context.Design), before);
    EXPECT_TRUE(undo.steps.isEmpty());

    const auto form = open();
    form->edtMuzyka->setText(QStringLiteral("dzwieki\\nowa.mp3"));
    form->edtMove->setText(QStringLiteral("dzwieki\\najazd.wav"));
    form->edtNacisniecie->setText(drivePath(QStringLiteral("dzwieki/wcisniecie.wav")));
    form->edtZwolnienie->clear();
    context.ProjectModified = false;
    form->klwOk->click();
    EXPECT_EQ(form->result(), QDialog::Accepted);
    const ProjectFormat::MenuDesign &settings = context.Design;
    EXPECT_EQ(settings.setting(QStringLiteral("StreamName")), u"dzwieki\\nowa.mp3");
    EXPECT_EQ(settings.setting(QStringLiteral("ON_MOVE")), u"dzwieki\\najazd.wav");
    // Typed as a whole path on the drive: stored from its root.
    EXPECT_EQ(settings.setting(QStringLiteral("ON_DOWN")), u"dzwieki\\wcisniecie.wav");
    EXPECT_TRUE(settings.setting(QStringLiteral("ON_UP")).isEmpty());
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Ustawienia dźwięku")});
    EXPECT_TRUE(context.ProjectModified);
}

TEST_F(SoundDialog, ATypedPathAboveTheDriveKeepsTheDialogOpen)
{
    const QStringList before = DesignReading::settingLines(context.Design);
    const auto form = open();
    form->edtMuzyka->setText(QStringLiteral("dzwieki\\nowa.mp3"));
    form->edtMove->setText(QStringLiteral("..\\..\\etc\\passwd"));
    form->klwOk->click();
    EXPECT_NE(form->result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Plik leży poza dyskiem projektu")));
    EXPECT_EQ(DesignReading::settingLines(context.Design), before);
    EXPECT_TRUE(undo.steps.isEmpty());
}

TEST_F(SoundDialog, ClosingAndOpeningAnotherProjectLetThePlugInGo)
{
    const QString music = TestSupport::writeFile(drivePath(QStringLiteral("tlo.mp3")), "ID3");
    const auto form = open();
    players.playMpeg(music, QStringLiteral(FAKE_PLUGIN_DIR));
    ASSERT_TRUE(players.MPEG.isPlaying());
    form->reject();
    EXPECT_FALSE(players.MPEG.isLoaded());

    // The stop button lets it go even when it did not play.
    players.MPEG.PathToDLL = QStringLiteral(FAKE_PLUGIN_DIR);
    players.MPEG.LoadDecoder();
    form->klwStopPlaying->click();
    EXPECT_FALSE(players.MPEG.isLoaded());

    players.MPEG.LoadDecoder();
    load(QStringLiteral("NOWY.KLV")); // without the players: they play on
    EXPECT_TRUE(players.MPEG.isLoaded());
    context.Players = &players;
    load(QStringLiteral("NOWY.KLV"));
    EXPECT_FALSE(players.MPEG.isLoaded());
    context.Players = nullptr;
}
