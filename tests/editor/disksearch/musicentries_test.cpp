#include <musicscan/musicentries.h>

#include <cp1250.h>
#include <testsupport.h>

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using MusicEntries::Row;

class MusicEntriesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        root = dir.path() + QStringLiteral("/cd/");
        album = root + QStringLiteral("MUZYKA/ALBUM/");
        TestSupport::writeFile(root + "AUTORUN.INF", "[autorun]\r\n");
        QFile song(TestSupport::writeFile(album + "Song.mp3", ""));
        ASSERT_TRUE(song.resize(1048576));
        TestSupport::writeFile(album + "Song.TXT", "o piosence");
        TestSupport::writeFile(album + "ALBUM.bmp", "BM");
        TestSupport::writeFile(album + "album.JPG", "jpg");
        TestSupport::writeFile(album + "Żółw.mp3", QByteArray(2000, 'x'));
    }

    QByteArray written(const QList<Row> &rows, const QByteArray &before = {})
    {
        const QString file = root + QStringLiteral("DANE/MUZYKA.RV3");
        if (!before.isEmpty())
            TestSupport::writeFile(file, before);
        else
            QDir().mkpath(root + QStringLiteral("DANE"));
        const MusicEntries::Plan plan = MusicEntries::entriesOf(rows, root, QStringLiteral(","));
        EXPECT_TRUE(plan.ok()) << plan.refusal.toStdString();
        skipped = plan.skipped;
        const Platform::WriteResult result = MusicEntries::write(file, plan.entries);
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        return TestSupport::readFile(file);
    }

    QTemporaryDir dir;
    QString root;
    QString album;
    int skipped = 0;
};

TEST_F(MusicEntriesTest, SongsAndTheirFolderAsTheMenuReadsThem)
{
    const QByteArray bytes = written({{"Song.mp3", 1048576, false, album},
                                      {"Bonus.mp3", 0, true, album}, // a folder that matched the masks
                                      {"Żółw.mp3", 2000, false, album}});
    EXPECT_EQ(bytes, Platform::toCp1250(QStringLiteral(
                         "[Song]\r\n"
                         "SETUP=MUZYKA\\ALBUM\\Song.mp3\r\n"
                         "KATALOG=MUZYKA\\ALBUM\\Song#3\r\n"
                         "OPIS=MUZYKA\\ALBUM\\Song.TXT\r\n"
                         "ZRZUT=MUZYKA\\ALBUM\\album.JPG\r\n"
                         "KOPIA=ALBUM\r\n"
                         "ROZMIAR=1,024 KB\r\n"
                         "[ALBUM]\r\n"
                         "ZRZUT=MUZYKA\\ALBUM\\album.JPG\r\n"
                         "KOPIA=ALBUM\r\n"
                         "SETUP=MUZYKA\\ALBUM\\\r\n"
                         "KATALOG=MUZYKA\\ALBUM\\\r\n"
                         "[Żółw]\r\n"
                         "SETUP=MUZYKA\\ALBUM\\Żółw.mp3\r\n"
                         "KATALOG=MUZYKA\\ALBUM\\Żółw#3\r\n"
                         "ZRZUT=MUZYKA\\ALBUM\\album.JPG\r\n"
                         "KOPIA=ALBUM\r\n"
                         "ROZMIAR=2 KB\r\n")));
    EXPECT_EQ(skipped, 0);
}

TEST_F(MusicEntriesTest, ATitleNamedLikeItsFolderKeepsItsOwnSetupAndFolder)
{
    const QString folder = root + QStringLiteral("Album/");
    TestSupport::writeFile(folder + "Intro.mp3", "x");
    TestSupport::writeFile(folder + "Album.mp3", "x");
    TestSupport::writeFile(folder + "Album.bmp", "BM");
    const QByteArray bytes = written({{"Intro.mp3", 3000, false, folder}, {"Album.mp3", 4000, false, folder}});
    EXPECT_EQ(bytes, QByteArray("[Intro]\r\n"
                                "SETUP=Album\\Intro.mp3\r\n"
                                "KATALOG=Album\\Intro#3\r\n"
                                "ZRZUT=Album\\Album.bmp\r\n"
                                "KOPIA=Album\r\n"
                                "ROZMIAR=3 KB\r\n"
                                "[Album]\r\n"
                                "ZRZUT=Album\\Album.bmp\r\n"
                                "KOPIA=Album\r\n"
                                "SETUP=Album\\Album.mp3\r\n"
                                "KATALOG=Album\\Album#3\r\n"
                                "ROZMIAR=4 KB\r\n"));
}

TEST_F(MusicEntriesTest, AnExistingDataFileKeepsItsHeaderAndOtherPrograms)
{
    const QByteArray before = "TITLE=Muzyka\r\nDESC=Opisy\\muzyka.txt\r\n\r\n"
                              "[Inny]\r\nSETUP=PROGS\\x.exe\r\nNUMER=1\r\n"
                              "[Song]\r\nSETUP=stare\r\nNUMER=12\r\n";
    const QByteArray bytes = written({{"Song.mp3", 1048576, false, album}}, before);
    EXPECT_EQ(bytes, QByteArray("TITLE=Muzyka\r\nDESC=Opisy\\muzyka.txt\r\n\r\n"
                                "[Inny]\r\nSETUP=PROGS\\x.exe\r\nNUMER=1\r\n"
                                "[Song]\r\n"
                                "SETUP=MUZYKA\\ALBUM\\Song.mp3\r\n"
                                "NUMER=12\r\n"
                                "KATALOG=MUZYKA\\ALBUM\\Song#3\r\n"
                                "OPIS=MUZYKA\\ALBUM\\Song.TXT\r\n"
                                "ZRZUT=MUZYKA\\ALBUM\\album.JPG\r\n"
                                "KOPIA=ALBUM\r\n"
                                "ROZMIAR=1,024 KB\r\n"
                                "[ALBUM]\r\n"
                                "ZRZUT=MUZYKA\\ALBUM\\album.JPG\r\n"
                                "KOPIA=ALBUM\r\n"
                                "SETUP=MUZYKA\\ALBUM\\\r\n"
                                "KATALOG=MUZYKA\\ALBUM\\\r\n"));
}

TEST_F(MusicEntriesTest, NamesThatCannotBeSectionsAreSkippedAndCounted)
{
    const QString odd = root + QStringLiteral("Zbiór]/");
    TestSupport::writeFile(odd + "a.mp3", "x");
    const MusicEntries::Plan plan = MusicEntries::entriesOf(
        {{"Zły]tytuł.mp3", 10, false, album}, {" spacja.mp3", 10, false, album}, {"a.mp3", 10, false, odd}}, root,
        QStringLiteral(","));
    ASSERT_TRUE(plan.ok());
    EXPECT_EQ(plan.skipped, 3); // two titles and one folder
    QStringList sections;
    for (const MusicEntries::Entry &entry : plan.entries)
        sections << entry.section;
    sections.removeDuplicates();
    EXPECT_EQ(sections, (QStringList{"ALBUM", "a"}));
}

// Rows whose section another row of the batch already has, in any letter
// case, would merge into its program: the first keeps the section, the
// others are left out and counted.
TEST_F(MusicEntriesTest, RowsThatWouldMergeIntoOneProgramAreSkippedAndCounted)
{
    const QString rock = root + QStringLiteral("MUZYKA/Rock/");
    const QString otherRock = root + QStringLiteral("INNE/ROCK/");
    const QString jazz = root + QStringLiteral("MUZYKA/Jazz/");
    const struct {
        const char *what;
        QList<Row> rows;
        QStringList sections;
        int skipped;
        QString firstSetup;
    } cases[] = {
        {"one name in two letter cases",
         {{"dup.mp3", 10, false, rock}, {"DUP.MP3", 20, false, rock}},
         {"dup", "Rock"}, 1, "MUZYKA\\Rock\\dup.mp3"},
        {"one title in two kinds of music",
         {{"song.mp3", 10, false, rock}, {"song.vqf", 20, false, rock}},
         {"song", "Rock"}, 1, "MUZYKA\\Rock\\song.mp3"},
        {"two folders of one name",
         {{"a.mp3", 10, false, rock}, {"b.mp3", 10, false, otherRock}},
         {"a", "Rock", "b"}, 1, "MUZYKA\\Rock\\a.mp3"},
        {"a title named like another folder",
         {{"Jazz.mp3", 10, false, rock}, {"c.mp3", 10, false, jazz}},
         {"Jazz", "Rock", "c"}, 1, "MUZYKA\\Rock\\Jazz.mp3"},
        {"a title named like its own folder",
         {{"Rock.mp3", 10, false, rock}, {"x.mp3", 10, false, rock}},
         {"Rock", "x"}, 0, "MUZYKA\\Rock\\Rock.mp3"},
    };
    for (const auto &c : cases) {
        const MusicEntries::Plan plan = MusicEntries::entriesOf(c.rows, root, QStringLiteral(","));
        ASSERT_TRUE(plan.ok()) << c.what;
        QStringList sections;
        QString firstSetup;
        for (const MusicEntries::Entry &entry : plan.entries) {
            sections << entry.section;
            if (entry.key == QStringLiteral("SETUP") && firstSetup.isEmpty())
                firstSetup = entry.value;
        }
        sections.removeDuplicates();
        EXPECT_EQ(sections, c.sections) << c.what;
        EXPECT_EQ(plan.skipped, c.skipped) << c.what;
        EXPECT_EQ(firstSetup, c.firstSetup) << c.what;
        // No key of a section is written twice with two values.
        QHash<QString, QString> values;
        for (const MusicEntries::Entry &entry : plan.entries) {
            const QString key = entry.section.toCaseFolded() + u'|' + entry.key;
            EXPECT_EQ(values.value(key, entry.value), entry.value) << c.what << " " << key.toStdString();
            values.insert(key, entry.value);
        }
    }
}

// The size comes from the file as found, beyond what 32 bits hold.
TEST_F(MusicEntriesTest, SizesBeyondFourGigabytesKeepTheirValue)
{
    const MusicEntries::Plan plan =
        MusicEntries::entriesOf({{"Koncert.wav", 5LL << 30, false, album}}, root, QStringLiteral(","));
    ASSERT_TRUE(plan.ok());
    EXPECT_TRUE(plan.entries.contains(MusicEntries::Entry{"Koncert", "ROZMIAR", "5,242,880 KB"}));
}

TEST_F(MusicEntriesTest, MusicOutsideTheDriveRootIsRefused)
{
    const QString outside = dir.path() + QStringLiteral("/inne/");
    const MusicEntries::Plan plan =
        MusicEntries::entriesOf({{"Song.mp3", 1, false, album}, {"x.mp3", 1, false, outside}}, root);
    EXPECT_FALSE(plan.ok());
    EXPECT_TRUE(plan.refusal.contains(QStringLiteral("poza katalogiem"))) << plan.refusal.toStdString();
}

TEST(MusicNames, TitlesAndFolderNames)
{
    const struct {
        const char *in;
        const char *title;
    } titles[] = {{"Song.mp3", "Song"}, {"a.b.mp3", "a.b"}, {"bez", "bez"}, {".mp3", ""}, {"Album.MP3", "Album"}};
    for (const auto &test : titles)
        EXPECT_EQ(MusicEntries::titleOf(QString::fromUtf8(test.in)), QString::fromUtf8(test.title)) << test.in;
    EXPECT_EQ(MusicEntries::folderNameOf(QStringLiteral("/cd/MUZYKA/ALBUM/")), QStringLiteral("ALBUM"));
    EXPECT_EQ(MusicEntries::folderNameOf(QStringLiteral("/cd/")), QStringLiteral("cd"));
    EXPECT_EQ(MusicEntries::folderNameOf(QStringLiteral("/")), QString());
}

} // namespace
