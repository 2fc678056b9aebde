#include <cp1250.h>
#include <profilefile.h>
#include <testsupport.h>

#include <QFile>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Platform;
using TestSupport::readFile;
using TestSupport::writeFile;

class ProfileFileTest : public ::testing::Test
{
protected:
    QString fixture(const QByteArray &bytes)
    {
        return writeFile(dir.filePath(QStringLiteral("test.ini")), bytes);
    }
    QTemporaryDir dir;
};

TEST_F(ProfileFileTest, ReadsLikeTheWindowsProfileFunctions)
{
    const QString path = fixture("; comment\r\n"
                                 "[Window]\r\n"
                                 "Width=640\r\n"
                                 "  height  =  480  \r\n"
                                 "Quoted=\"  spaced  \"\r\n"
                                 "Single='x'\r\n"
                                 "Half=\"open\r\n"
                                 "Width=999\r\n"
                                 "no equals sign here\r\n"
                                 ";Commented=1\r\n"
                                 "[ NAMES ]\r\n"
                                 "1002=Second\r\n"
                                 "1001=First\r\n"
                                 "[window]\r\n"
                                 "Color=clRed\r\n");
    const ProfileFile ini(path);
    const struct {
        const char *section;
        const char *key;
        const char *expected;
    } cases[] = {
        {"WINDOW", "WIDTH", "640"},          // case-insensitive, first duplicate wins
        {"window", "Height", "480"},         // blanks around key and value dropped
        {"WINDOW", "Quoted", "  spaced  "},  // one pair of enclosing quotes stripped
        {"WINDOW", "Single", "x"},
        {"WINDOW", "Half", "\"open"},        // unmatched quote stays
        {"WINDOW", "Color", "default"},      // second [window] section is hidden
        {"WINDOW", "Commented", "default"},
        {"names", "1001", "First"},          // blanks inside the brackets ignored
        {"Nowhere", "x", "default"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ini.readString(QLatin1String(c.section), QLatin1String(c.key), QStringLiteral("default")),
                  QLatin1String(c.expected))
            << c.section << "/" << c.key;
    }
    EXPECT_EQ(ini.keyNames(QStringLiteral("names")), QStringList({"1002", "1001"}));
    EXPECT_EQ(ini.keyNames(QStringLiteral("Window")),
              QStringList({"Width", "height", "Quoted", "Single", "Half"}));
    EXPECT_EQ(ini.sectionNames(), QStringList({"Window", "NAMES"}));
    EXPECT_EQ(ini.sectionValues(QStringLiteral("NAMES")), QStringList({"1002=Second", "1001=First"}));
}

TEST_F(ProfileFileTest, SectionNameRunsToTheLastBracket)
{
    const ProfileFile ini(fixture("[Gry [nowe]] ; uwaga]\r\nx=1\r\n[A]B]\r\ny=2\r\n[ ]\r\nz=3\r\n"));
    EXPECT_EQ(ini.sectionNames(), QStringList({"Gry [nowe]] ; uwaga", "A]B", ""}));
    EXPECT_EQ(ini.readString(QStringLiteral("a]b"), QStringLiteral("y"), {}), QStringLiteral("2"));
    // An empty name is a name: its keys are no keys of the section before.
    EXPECT_EQ(ini.readString(QString(), QStringLiteral("z"), {}), QStringLiteral("3"));
    EXPECT_FALSE(ini.valueExists(QStringLiteral("A]B"), QStringLiteral("z")));
}

TEST_F(ProfileFileTest, IntegersAndBooleans)
{
    const QString path = fixture("[S]\r\na=12\r\nb=-3\r\nc=$1F\r\nd=0x10\r\ne=12abc\r\nf=\r\ng=0\r\nh=2\r\n"
                                 "i=99999999999\r\n");
    const ProfileFile ini(path);
    const struct {
        const char *key;
        int expected;
    } cases[] = {{"a", 12}, {"b", -3}, {"c", 31}, {"d", 16}, {"e", 7}, {"f", 7}, {"i", 7}, {"missing", 7}};
    for (const auto &c : cases)
        EXPECT_EQ(ini.readInteger(QStringLiteral("S"), QLatin1String(c.key), 7), c.expected) << c.key;
    EXPECT_FALSE(ini.readBool(QStringLiteral("S"), QStringLiteral("g"), true));
    EXPECT_TRUE(ini.readBool(QStringLiteral("S"), QStringLiteral("h"), false));
    EXPECT_TRUE(ini.readBool(QStringLiteral("S"), QStringLiteral("e"), true)); // no number: default
}

TEST_F(ProfileFileTest, PolishProjectRoundTripsByteForByte)
{
    const QByteArray original = toCp1250(QStringLiteral(
        "[NAMES]\r\n1001=Gry ąćęłńóśźż\r\n1002=PROGRAMY ĄĆĘŁŃÓŚŹŻ\r\n\r\n"
        "; uwaga: komentarz zostaje\r\n[CDROM]\r\nCD_TITLE=Płyta \"źdźbło\"\r\n"));
    const QString path = fixture(original);
    {
        ProfileFile ini(path);
        EXPECT_EQ(ini.readString(QStringLiteral("NAMES"), QStringLiteral("1001"), {}),
                  QStringLiteral("Gry ąćęłńóśźż"));
        // Writing the same value back changes nothing.
        ini.writeString(QStringLiteral("names"), QStringLiteral("1001"), QStringLiteral("Gry ąćęłńóśźż"));
        EXPECT_FALSE(ini.isModified());
        ini.writeString(QStringLiteral("CDROM"), QStringLiteral("CD_TITLE"), QStringLiteral("x"));
        ini.writeString(QStringLiteral("CDROM"), QStringLiteral("CD_TITLE"), QStringLiteral("Płyta \"źdźbło\""));
        ASSERT_TRUE(ini.flush());
    }
    EXPECT_EQ(readFile(path), original);
}

TEST_F(ProfileFileTest, WritesChangeOneLineAndAppendInPlace)
{
    const QString path = fixture("top comment\r\n[A]\r\nx=1\r\n; keep me\r\ny=2\r\n\r\n; before B\r\n[B]\r\nz=3\r\n");
    ProfileFile ini(path);
    ini.writeString(QStringLiteral("a"), QStringLiteral("X"), QStringLiteral("10"));
    ini.writeString(QStringLiteral("A"), QStringLiteral("new"), QStringLiteral("n"));
    ini.writeString(QStringLiteral("C"), QStringLiteral("k"), QStringLiteral("line\r\nbreak"));
    ini.writeInteger(QStringLiteral("B"), QStringLiteral("w"), -5);
    ini.writeBool(QStringLiteral("B"), QStringLiteral("flag"), true);
    ASSERT_TRUE(ini.flush());
    EXPECT_EQ(readFile(path), QByteArray("top comment\r\n[A]\r\nx=10\r\n; keep me\r\ny=2\r\nnew=n\r\n\r\n"
                                         "; before B\r\n[B]\r\nz=3\r\nw=-5\r\nflag=1\r\n[C]\r\nk=line  break\r\n"));
}

TEST_F(ProfileFileTest, EraseAndDelete)
{
    const QString path = fixture("[Names]\r\n1=a\r\n[DATA]\r\n1=d\r\n2=e\r\n1=dup\r\n[names]\r\n9=z\r\n");
    ProfileFile ini(path);
    ini.eraseSection(QStringLiteral("NAMES")); // every section of the name goes
    ini.deleteKey(QStringLiteral("data"), QStringLiteral("1"));
    EXPECT_FALSE(ini.sectionExists(QStringLiteral("Names")));
    EXPECT_EQ(ini.keyNames(QStringLiteral("DATA")), QStringList({"2"}));
    ini.writeString(QStringLiteral("Names"), QStringLiteral("5"), QStringLiteral("new"));
    ASSERT_TRUE(ini.flush());
    EXPECT_EQ(readFile(path), QByteArray("[DATA]\r\n2=e\r\n[Names]\r\n5=new\r\n"));
}

// All keys of a section at once: duplicates too, while its comments and the
// second section of the same name stay; a section without keys is no change.
TEST_F(ProfileFileTest, DeleteKeysEmptiesTheFirstSectionOfTheName)
{
    const QString path = fixture("[DATA]\r\n1=d\r\n; note\r\n2=e\r\n1=dup\r\n\r\n[Other]\r\n1=x\r\n[data]\r\n9=z\r\n[Empty]\r\n; only\r\n");
    ProfileFile ini(path);
    ini.deleteKeys(QStringLiteral("Empty"));
    ini.deleteKeys(QStringLiteral("Missing"));
    EXPECT_FALSE(ini.isModified());
    ini.deleteKeys(QStringLiteral("data"));
    EXPECT_TRUE(ini.keyNames(QStringLiteral("DATA")).isEmpty());
    ini.writeString(QStringLiteral("DATA"), QStringLiteral("3"), QStringLiteral("f"));
    ASSERT_TRUE(ini.flush());
    EXPECT_EQ(readFile(path), QByteArray("[DATA]\r\n3=f\r\n; note\r\n\r\n[Other]\r\n1=x\r\n[data]\r\n9=z\r\n[Empty]\r\n; only\r\n"));
}

TEST_F(ProfileFileTest, ReadingNeverWritesAndBadFilesReadAsEmpty)
{
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", ""},
        {"binary", QByteArray("\x00\xFF\x10[\x00]=\xFE\r\r\n", 10)},
        {"truncated", "[WINDOW]\r\nWIDTH=6"},
        {"unterminated header", "[WINDOW\r\nWIDTH=1\r\n"},
        {"only a header", "[WINDOW]"},
    };
    for (const auto &c : cases) {
        const QString path = fixture(c.bytes);
        {
            ProfileFile ini(path);
            (void)ini.readString(QStringLiteral("WINDOW"), QStringLiteral("WIDTH"), {});
            (void)ini.readInteger(QStringLiteral("WINDOW"), QStringLiteral("X"), 0);
            (void)ini.sectionNames();
            EXPECT_FALSE(ini.isModified()) << c.name;
        }
        EXPECT_EQ(readFile(path), c.bytes) << c.name;
    }
    const ProfileFile truncated(fixture("[WINDOW]\r\nWIDTH=6"));
    EXPECT_EQ(truncated.readInteger(QStringLiteral("WINDOW"), QStringLiteral("WIDTH"), 0), 6);
}

TEST_F(ProfileFileTest, MissingFileIsCreatedOnlyByAWrite)
{
    const QString path = dir.filePath(QStringLiteral("new.ini"));
    {
        ProfileFile ini(path);
        EXPECT_EQ(ini.readString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("d")), QStringLiteral("d"));
    }
    EXPECT_FALSE(QFile::exists(path));
    {
        ProfileFile ini(path);
        ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c"));
        ASSERT_TRUE(ini.flush());
    }
    EXPECT_EQ(readFile(path), QByteArray("[A]\r\nb=c\r\n"));
}

// Only flush() writes: changes pending when the object is dropped or
// reloaded are let go, also after a flush that failed.
TEST_F(ProfileFileTest, PendingChangesAreLetGoUnlessFlushed)
{
    const QByteArray old("[A]\r\nb=old\r\n");
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("a.ini")), old);
    {
        ProfileFile ini(path);
        ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("dropped"));
    }
    EXPECT_EQ(readFile(path), old);
    {
        ProfileFile ini(path);
        ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("reloaded"));
        ini.reload();
        EXPECT_EQ(ini.readString(QStringLiteral("A"), QStringLiteral("b"), {}), u"old");
        EXPECT_FALSE(ini.isModified());
    }
    EXPECT_EQ(readFile(path), old);
    {
        ProfileFile ini(path);
        ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("failed"));
        {
            TestSupport::FileSizeLimit fullDisk(4);
            ASSERT_FALSE(ini.flush());
        }
        EXPECT_TRUE(ini.isModified());
    }
    EXPECT_EQ(readFile(path), old);
}

TEST_F(ProfileFileTest, FailedWriteIsReportedAndKeepsTheChanges)
{
    QTemporaryDir gone;
    const QString path = TestSupport::writeFile(gone.filePath(QStringLiteral("a.ini")), "[A]\r\nb=old\r\n");
    ProfileFile ini(path);
    ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("new"));
    ASSERT_TRUE(gone.remove());
    EXPECT_FALSE(ini.flush());
    EXPECT_FALSE(ini.errorString().isEmpty());
    EXPECT_TRUE(ini.isModified());
    EXPECT_EQ(ini.readString(QStringLiteral("A"), QStringLiteral("b"), {}), QStringLiteral("new"));
}

TEST_F(ProfileFileTest, UnreadableFileIsNeverOverwritten)
{
    const QString path = dir.filePath(QStringLiteral("folder.ini"));
    QDir().mkpath(path); // a folder where the file should be: it cannot be read
    ProfileFile ini(path);
    ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("c"));
    EXPECT_FALSE(ini.flush());
    EXPECT_TRUE(QFileInfo(path).isDir());
    // The refusal is a failed write, for the reason the read gave.
    EXPECT_EQ(ini.errorString(), QStringLiteral("Nie można zapisać \"%1\": to nie jest zwykły plik").arg(path));
}

TEST_F(ProfileFileTest, KeepsAMissingFinalLineEnd)
{
    const QString path = fixture("[A]\r\nb=1");
    ProfileFile ini(path);
    ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("2"));
    ASSERT_TRUE(ini.flush());
    EXPECT_EQ(readFile(path), QByteArray("[A]\r\nb=2"));
}

TEST_F(ProfileFileTest, LfOnlyFilesAreReadAndWrittenWithCrLf)
{
    const QString path = fixture("[A]\nb=1\nc=2\n");
    ProfileFile ini(path);
    EXPECT_EQ(ini.readString(QStringLiteral("A"), QStringLiteral("c"), {}), QStringLiteral("2"));
    ini.writeString(QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("3"));
    ASSERT_TRUE(ini.flush());
    EXPECT_EQ(readFile(path), QByteArray("[A]\r\nb=3\r\nc=2\r\n"));
}

// A reload shows what is on disk now, whatever the memory held: changes not
// written are dropped, another program's edit of the same length is read,
// and after a write the file is read as it was written (a character
// Windows-1250 has not reads back as "?").
TEST_F(ProfileFileTest, ReloadReadsWhatIsOnDiskNow)
{
    const QString path = fixture("[A]\r\nkey=one\r\n");
    ProfileFile file(path);

    file.writeString(QStringLiteral("A"), QStringLiteral("key"), QStringLiteral("two"));
    file.reload();
    EXPECT_EQ(file.readString(QStringLiteral("A"), QStringLiteral("key"), {}), QStringLiteral("one"));
    EXPECT_FALSE(file.isModified());

    writeFile(path, "[A]\r\nkey=six\r\n");
    file.reload();
    EXPECT_EQ(file.readString(QStringLiteral("A"), QStringLiteral("key"), {}), QStringLiteral("six"));

    file.writeString(QStringLiteral("A"), QStringLiteral("key"), QStringLiteral("€→"));
    ASSERT_TRUE(file.flush());
    file.reload();
    EXPECT_EQ(file.readString(QStringLiteral("A"), QStringLiteral("key"), {}), QStringLiteral("€?"));

    // Written, and then put back by another program as it was last read.
    file.writeString(QStringLiteral("A"), QStringLiteral("key"), QStringLiteral("ten"));
    ASSERT_TRUE(file.flush());
    writeFile(path, "[A]\r\nkey=\x80?\r\n");
    file.reload();
    EXPECT_EQ(file.readString(QStringLiteral("A"), QStringLiteral("key"), {}), QStringLiteral("€?"));

    // A file that could not be read and then can is read, and may be written.
    QFile::remove(path);
    QDir().mkpath(path);
    file.reload();
    EXPECT_FALSE(file.sectionExists(QStringLiteral("A")));
    QDir().rmdir(path);
    writeFile(path, "");
    file.reload();
    file.writeString(QStringLiteral("A"), QStringLiteral("key"), QStringLiteral("new"));
    EXPECT_TRUE(file.flush());
    EXPECT_EQ(readFile(path), QByteArray("[A]\r\nkey=new\r\n"));
}
