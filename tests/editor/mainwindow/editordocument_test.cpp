#include <mainwindow/editordocument.h>
#include <mainwindow/editormessages.h>
#include <mainwindow/zazavaconfig.h>
#include <cp1250.h>
#include <paths.h>
#include <profilefile.h>
#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class EditorDocumentTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + u'/';
        TestSupport::writeFile(root + "autorun.inf", "[autorun]\r\n");
        dataFile = TestSupport::writeFile(root + "DANE/GRY.RV3",
                                          Platform::toCp1250("TITLE=Gry\r\nDESC=\r\n\r\n[Gry]\r\nKATALOG=PROGS\\Gry\\\r\n"));
        ASSERT_TRUE(document.open(dataFile).ok());
    }

    QTemporaryDir dir;
    QString root;
    QString dataFile;
    EditorDocument document;
};

} // namespace

TEST_F(EditorDocumentTest, DriveRootIsTheFolderWithAutorunElseTheSystemRoot)
{
    EXPECT_EQ(document.driveRoot(), root);
    EXPECT_EQ(EditorDocument::driveRootOf(root + "DANE/sub/X.RV3"), root);
    QTemporaryDir bare;
    EXPECT_EQ(EditorDocument::driveRootOf(bare.path() + "/X.RV3"), QStringLiteral("/"));
}

// "GRY" beside "Gry" is the same section for every reader: adding it or
// renaming another program to it is refused, and so are names the data
// file cannot hold, among them the nameless root folder.
TEST_F(EditorDocumentTest, NamesAreCheckedWithoutRegardToCase)
{
    QDir(root).mkpath("PROGS/GRY");
    QDir(root).mkpath("PROGS/Inne");
    const auto duplicate = document.addProgram(root + "PROGS/GRY", "setup.exe", false);
    EXPECT_EQ(duplicate.outcome, EditorDocument::AddOutcome::Duplicate);
    EXPECT_EQ(duplicate.index, 0);
    EXPECT_EQ(document.count(), 1);

    const auto fromRoot = document.addProgram(root, "setup.exe", false);
    EXPECT_EQ(fromRoot.outcome, EditorDocument::AddOutcome::Refused);
    EXPECT_EQ(fromRoot.message, DataFile::Messages::emptyProgramName());
    EXPECT_EQ(document.count(), 1);

    ASSERT_EQ(document.addProgram(root + "PROGS/Inne", "a.exe", false).outcome, EditorDocument::AddOutcome::Added);
    document.setModified(false);
    for (const char *name : {"gry", "GRY", "Zły]", " Inne", ""}) {
        EXPECT_FALSE(document.renameProgram(1, QString::fromUtf8(name)).ok()) << name;
        EXPECT_EQ(document.programs()[1].name, QStringLiteral("Inne"));
    }
    EXPECT_FALSE(document.isModified());
    EXPECT_TRUE(document.renameProgram(1, QStringLiteral("INNE")).ok()); // its own name in another case
    EXPECT_TRUE(document.isModified());
}

TEST_F(EditorDocumentTest, FileOutsideTheDriveRootIsNotStored)
{
    QTemporaryDir elsewhere;
    QDir(elsewhere.path()).mkpath("Obcy");
    const auto added = document.addProgram(elsewhere.path() + "/Obcy", "setup.exe", false);
    EXPECT_EQ(added.outcome, EditorDocument::AddOutcome::Refused);
    EXPECT_TRUE(added.message.startsWith(QStringLiteral("Plik \""))) << added.message.toStdString();
    EXPECT_EQ(document.count(), 1);
    QString message;
    EXPECT_TRUE(document.storedPath(elsewhere.path() + "/Obcy/a.txt", &message).isEmpty());
    EXPECT_FALSE(message.isEmpty());
    // A sibling whose name starts like the root is outside too.
    QDir(dir.path() + "x").mkpath(".");
    EXPECT_TRUE(document.storedPath(dir.path() + "x/a.txt", &message).isEmpty());
    QDir(dir.path() + "x").removeRecursively();
}

// The total of a program folder is 64-bit: a 5 GiB file is counted whole.
TEST_F(EditorDocumentTest, SizeOfAProgramFolderIsCountedIn64Bits)
{
    QDir(root).mkpath("PROGS/Duzy");
    QFile big(root + "PROGS/Duzy/data.bin");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(qint64(5) << 30));
    big.close();
    const auto added = document.addProgram(root + "PROGS/Duzy", "data.bin", false);
    ASSERT_EQ(added.outcome, EditorDocument::AddOutcome::Added);
    EXPECT_EQ(document.programs()[added.index].rozmiar, DataFile::formatSize(qint64(5) << 30));
    EXPECT_TRUE(document.programs()[added.index].rozmiar.startsWith(QStringLiteral("5")));
    EXPECT_EQ(document.programs()[added.index].rozmiar.size(), QStringLiteral("5 242 880 KB").size());
}

TEST_F(EditorDocumentTest, CorrectionsWithoutAProgramAndDeletingTheLastOne)
{
    QDir(root).mkpath("PROGS/Inne");
    document.setCurrent(-1);
    const auto nothing = document.addProgram(root + "PROGS/Inne", "a.exe", true);
    EXPECT_EQ(nothing.outcome, EditorDocument::AddOutcome::Nothing);
    EXPECT_EQ(document.count(), 1);
    EXPECT_FALSE(document.isModified());

    document.setCurrent(0);
    document.deleteCurrent();
    EXPECT_EQ(document.count(), 0);
    EXPECT_EQ(document.current(), -1);
    EXPECT_EQ(document.currentProgram(), nullptr);
    document.deleteCurrent(); // nothing left: nothing happens
    EXPECT_EQ(document.count(), 0);
}

// A data file written before its CD folder had "AUTORUN.INF" stored its
// paths from "/": they are read as the files inside the CD folder and saved
// relative to it; a value outside the CD folder and a text stay as they are.
TEST_F(EditorDocumentTest, PathsStoredBeforeTheCdFolderExistedAreTakenFromIt)
{
    TestSupport::writeFile(root + "PROGS/Gra/start.sh", "gra");
    TestSupport::writeFile(root + "OPISY/gry.txt", "opis");
    const QString top = Platform::toStoredPath(QStringLiteral("/"), root) + u'\\';
    const QString outside = QStringLiteral("etc\\hostname");
    const QString text = QStringLiteral("TITLE=Gry\r\nDESC=%1OPISY\\gry.txt\r\n\r\n[Gra]\r\nSETUP=%1PROGS\\Gra\\start.sh\r\n"
                                        "OPIS=Gra logiczna\r\nKATALOG=%1PROGS\\Gra\\\r\nZRZUT=%2\r\n")
                             .arg(top, outside);
    TestSupport::writeFile(dataFile, Platform::toCp1250(text));
    ASSERT_TRUE(document.open(dataFile).ok());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.category().description, u"OPISY\\gry.txt");
    const DataFile::Program &program = document.programs().at(0);
    EXPECT_EQ(program.setup, u"PROGS\\Gra\\start.sh");
    EXPECT_EQ(program.katalog, u"PROGS\\Gra\\");
    EXPECT_EQ(program.opis, u"Gra logiczna");
    EXPECT_EQ(program.zrzut, outside);
    ASSERT_TRUE(document.save().ok());
    const DataFile::ReadResult saved = DataFile::read(dataFile);
    ASSERT_TRUE(saved.ok());
    EXPECT_EQ(saved.category.programs.at(0).setup, u"PROGS\\Gra\\start.sh");
}

TEST(EditorDocumentDisk1Test, TheFolderAboveDisk1KeepsItsCase)
{
    const struct {
        const char *katalog;
        bool applies;
        const char *fixed;
        const char *kopia;
    } cases[] = {
        {"PROGS\\Łamigłówka\\DISK1\\", true, "PROGS\\Łamigłówka\\", "Łamigłówka"},
        {"progs\\Gra\\disk1\\sub\\", true, "progs\\Gra\\", "Gra"},
        {"PROGS\\DISK10\\", false, "", ""},
        {"DISK1\\", false, "", ""},
        {"\\DISK1\\", true, "\\", ""},
    };
    for (const auto &c : cases) {
        const auto fix = EditorDocument::disk1Fix(QString::fromUtf8(c.katalog));
        EXPECT_EQ(fix.applies, c.applies) << c.katalog;
        if (!c.applies)
            continue;
        EXPECT_EQ(fix.katalog, QString::fromUtf8(c.fixed)) << c.katalog;
        EXPECT_EQ(fix.kopia, QString::fromUtf8(c.kopia)) << c.katalog;
    }
}

// A maximised window leaves the size and place as they were.
TEST(ZazavaConfigTest, DefaultsAndAMaximisedWindow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Zazava.cfg");
    const ZazavaConfig defaults = ZazavaConfig::read(path);
    EXPECT_EQ(defaults.pion, 250);
    EXPECT_EQ(defaults.pion1, 199);
    EXPECT_EQ(defaults.width, 640);
    EXPECT_EQ(defaults.height, 480);
    EXPECT_FALSE(defaults.toolbar);

    ZazavaConfig config = defaults;
    config.width = 800;
    config.toolbar = true;
    ASSERT_TRUE(config.write(path, false));
    config.width = 1280;
    config.pion = 300;
    ASSERT_TRUE(config.write(path, true));
    const ZazavaConfig back = ZazavaConfig::read(path);
    EXPECT_EQ(back.width, 800);
    EXPECT_EQ(back.pion, 300);
    EXPECT_TRUE(back.toolbar);
}
