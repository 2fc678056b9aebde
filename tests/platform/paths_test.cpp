#include <fileidentity.h>
#include <paths.h>
#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace Platform;

class PathsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root = dir.path() + QStringLiteral("/cd/");
        TestSupport::writeFile(root + QStringLiteral("autorun.inf"), "[AUTORUN]\r\n");
        TestSupport::writeFile(root + QStringLiteral("Menu/Back.bmp"), "BM");
        TestSupport::writeFile(root + QStringLiteral("Dane/Gry.RV3"), "TITLE=x");
        QDir().mkpath(root + QStringLiteral("Menu/Sub/Deep"));
    }
    QTemporaryDir dir;
    QString root;
};

TEST_F(PathsTest, DriveRootIsTheFolderWithAutorunInf)
{
    EXPECT_EQ(driveRootOf(root + QStringLiteral("Menu/Sub/Deep/orvanta")), root);
    EXPECT_EQ(driveRootOf(root + QStringLiteral("orvanta")), root);
    EXPECT_EQ(driveRootOf(root + QStringLiteral("Menu")), root);
}

TEST_F(PathsTest, DriveRootWithoutAutorunIsTheMountPoint)
{
    QTemporaryDir plain;
    const QString found = driveRootOf(plain.filePath(QStringLiteral("program")));
    EXPECT_TRUE(found.endsWith(u'/'));
    EXPECT_TRUE(plain.path().startsWith(found.chopped(1))) << found.toStdString();
}

TEST_F(PathsTest, StoredPathsResolveCaseInsensitivelyAndStayBelowTheRoot)
{
    const struct {
        const char *stored;
        const char *expected; // below root
    } cases[] = {
        {"MENU\\BACK.BMP", "Menu/Back.bmp"},
        {"menu/back.bmp", "Menu/Back.bmp"},
        {"\\Menu\\Back.bmp", "Menu/Back.bmp"},
        {"D:\\MENU\\BACK.BMP", "Menu/Back.bmp"},
        {"c:MENU\\BACK.BMP", "Menu/Back.bmp"},
        {"..\\..\\..\\etc\\passwd", "etc/passwd"},
        {"Menu\\..\\..\\DANE\\gry.rv3", "Dane/Gry.RV3"},
        {".\\Menu\\.\\SUB\\deep", "Menu/Sub/Deep"},
        {"MENU\\missing\\File.TXT", "Menu/missing/File.TXT"},
        {"/etc/passwd", "etc/passwd"},
        {"", ""},
    };
    // One resolver for all, as a plan uses it, answers each as a single call.
    StoredPathResolver shared(root);
    for (const auto &c : cases) {
        EXPECT_EQ(resolveStoredPath(root, QLatin1String(c.stored)), root + QLatin1String(c.expected))
            << c.stored;
        EXPECT_EQ(shared.resolve(QLatin1String(c.stored)), root + QLatin1String(c.expected)) << c.stored;
    }
}

// The real path counts: a link on the CD that leads off it names nothing,
// a link that stays on it works as its target does.
TEST_F(PathsTest, LinksLeadingOffTheRootNameNothing)
{
    const QString outside = dir.path() + QStringLiteral("/outside/");
    TestSupport::writeFile(outside + QStringLiteral("secret.txt"), "secret");
    QFile::link(outside, root + QStringLiteral("Out"));
    QFile::link(outside + QStringLiteral("secret.txt"), root + QStringLiteral("Secret.txt"));
    QFile::link(QStringLiteral("../outside/nothing"), root + QStringLiteral("Dangling"));
    QFile::link(root + QStringLiteral("Menu"), root + QStringLiteral("Inside"));
    QFile::link(QStringLiteral("Menu/Back.bmp"), root + QStringLiteral("Picture.bmp"));
    QFile::link(root, outside + QStringLiteral("cd")); // the root reached through a link
    QFile::link(outside, root + QStringLiteral("Menu/Sub/Away")); // a link deeper down

    const struct {
        const char *stored;
        const char *expected; // below root; empty: nothing
    } cases[] = {
        {"OUT\\secret.txt", nullptr},
        {"out", nullptr},
        {"Out\\missing\\x.txt", nullptr},
        {"secret.txt", nullptr},
        {"Inside\\BACK.BMP", "Inside/Back.bmp"},
        {"Inside\\..\\Dane\\gry.rv3", "Dane/Gry.RV3"},
        {"picture.bmp", "Picture.bmp"},
        {"Dangling", "Dangling"}, // names nothing that exists, off the CD or on it
        {"menu\\sub\\away\\SECRET.TXT", nullptr},
        {"Menu\\Sub\\Away\\missing.txt", nullptr},
        {"Menu\\Sub\\Away\\..\\Deep", "Menu/Sub/Deep"},
    };
    StoredPathResolver shared(root);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        const QString expected = c.expected ? root + QLatin1String(c.expected) : QString();
        EXPECT_EQ(resolveStoredPath(root, QLatin1String(c.stored)), expected);
        EXPECT_EQ(shared.resolve(QLatin1String(c.stored)), expected);
    }
    const QString linkedRoot = outside + QStringLiteral("cd/");
    EXPECT_EQ(resolveStoredPath(linkedRoot, QStringLiteral("MENU\\BACK.BMP")), linkedRoot + QStringLiteral("Menu/Back.bmp"));
    EXPECT_TRUE(resolveStoredPath(linkedRoot, QStringLiteral("OUT\\secret.txt")).isEmpty());
}

TEST_F(PathsTest, StoredFormIsDriveRelativeWithBackslashes)
{
    EXPECT_EQ(toStoredPath(root, root + QStringLiteral("Menu/Back.bmp")), QStringLiteral("Menu\\Back.bmp"));
    EXPECT_EQ(toStoredPath(QStringLiteral("D:\\"), QStringLiteral("D:\\MENU\\BACK.BMP")),
              QStringLiteral("MENU\\BACK.BMP"));
    EXPECT_EQ(toStoredPath(root, QStringLiteral("/elsewhere/x.txt")), QStringLiteral("elsewhere\\x.txt"));
}

TEST_F(PathsTest, EntriesAreFoundWithoutRegardToCase)
{
    EXPECT_EQ(findEntryCaseInsensitive(root, QStringLiteral("AUTORUN.INF")), QStringLiteral("autorun.inf"));
    EXPECT_EQ(findEntryCaseInsensitive(root, QStringLiteral("menu")), QStringLiteral("Menu"));
    EXPECT_TRUE(findEntryCaseInsensitive(root, QStringLiteral("nothing")).isEmpty());
    EXPECT_TRUE(findEntryCaseInsensitive(root + QStringLiteral("no-folder"), QStringLiteral("x")).isEmpty());
}

// The finder that lists each folder once answers exactly as the single look-up
// does, also after names were looked up in the same folder before.
TEST_F(PathsTest, FolderEntryFinderAnswersAsTheSingleLookUp)
{
    TestSupport::writeFile(root + QStringLiteral("Dane/Żółw.RV3"), "x");
    TestSupport::writeFile(root + QStringLiteral("Dane/gry.rv3"), "x"); // beside "Gry.RV3"
    const char *const lookups[][2] = {
        {"cd/Dane", "GRY.RV3"},     {"cd/Dane", "Gry.RV3"},   {"cd/Dane", "gry.rv3"},
        {"cd/Dane", "żółw.rv3"},    {"cd/Dane", "ŻÓŁW.RV3"},  {"cd/Dane", "zolw.rv3"},
        {"cd/Dane", "nothing.rv3"}, {"cd", "MENU"},           {"cd", "Autorun.Inf"},
        {"cd/no-folder", "x"},      {"cd/Menu", "back.BMP"},  {"cd/Menu", "Back.bmp"},
    };
    FolderEntryFinder finder;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto &lookup : lookups) {
            const QString folder = dir.path() + u'/' + QString::fromUtf8(lookup[0]);
            const QString name = QString::fromUtf8(lookup[1]);
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(finder.find(folder, name), findEntryCaseInsensitive(folder, name));
        }
    }
    EXPECT_EQ(finder.find(root + QStringLiteral("Dane"), QStringLiteral("ŻÓŁW.rv3")), QStringLiteral("Żółw.RV3"));
    EXPECT_TRUE(finder.find(root + QStringLiteral("Dane"), QStringLiteral("zolw.rv3")).isEmpty());
}

// A folder that has not changed for a while is listed once for all finders;
// a name added, renamed or removed there is seen by the next finder at once.
TEST_F(PathsTest, SettledFoldersAreListedAgainOnceTheyChange)
{
    const QString folder = root + QStringLiteral("Stare");
    TestSupport::writeFile(folder + QStringLiteral("/Alfa.txt"), "x");
    TestSupport::writeFile(folder + QStringLiteral("/Gamma.txt"), "x");
    QThread::msleep(2100); // settled: unchanged for more than a second
    EXPECT_EQ(FolderEntryFinder().find(folder, QStringLiteral("ALFA.TXT")), QStringLiteral("Alfa.txt"));
    EXPECT_EQ(FolderEntryFinder().find(folder, QStringLiteral("alfa.txt")), QStringLiteral("Alfa.txt"));

    TestSupport::writeFile(folder + QStringLiteral("/Beta.txt"), "x");
    ASSERT_TRUE(QFile::rename(folder + QStringLiteral("/Alfa.txt"), folder + QStringLiteral("/Delta.txt")));
    ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/Gamma.txt")));
    FolderEntryFinder finder;
    EXPECT_EQ(finder.find(folder, QStringLiteral("BETA.TXT")), QStringLiteral("Beta.txt"));
    EXPECT_EQ(finder.find(folder, QStringLiteral("DELTA.TXT")), QStringLiteral("Delta.txt"));
    EXPECT_TRUE(finder.find(folder, QStringLiteral("ALFA.TXT")).isEmpty());
    EXPECT_TRUE(finder.find(folder, QStringLiteral("GAMMA.TXT")).isEmpty());
}

// A document stored from "/" before its CD folder had "AUTORUN.INF" still
// finds its files inside the CD folder, and learns their stored form there.
TEST_F(PathsTest, PathsStoredFromTheSystemRootResolveInsideTheCdFolder)
{
    TestSupport::writeFile(dir.path() + QStringLiteral("/outside/Obraz.bmp"), "BM");
    TestSupport::writeFile(root + QStringLiteral("Menu/Back Ółko.bmp"), "BM");
    const QString top = toStoredPath(QStringLiteral("/"), root) + u'\\'; // "tmp\...\cd\"
    const QString outside = toStoredPath(QStringLiteral("/"), dir.path() + QStringLiteral("/outside/Obraz.bmp"));
    const auto asWritten = [](QString stored) { return stored.replace(u'\\', u'/'); };
    const struct {
        QString stored;
        QString resolved; // below root unless absolute
        QString rebased;
    } cases[] = {
        {top + QStringLiteral("Menu\\Back.bmp"), QStringLiteral("Menu/Back.bmp"), QStringLiteral("Menu\\Back.bmp")},
        {top.toUpper() + QStringLiteral("MENU\\BACK.BMP"), QStringLiteral("Menu/Back.bmp"),
         QStringLiteral("Menu\\Back.bmp")},
        {top + QStringLiteral("Menu\\Back Ółko.bmp"), QStringLiteral("Menu/Back Ółko.bmp"),
         QStringLiteral("Menu\\Back Ółko.bmp")},
        {top + QStringLiteral("Menu\\Sub\\"), QStringLiteral("Menu/Sub"), QStringLiteral("Menu\\Sub\\")},
        // Stored relative to the CD folder: as always, nothing to rebase.
        {QStringLiteral("MENU\\back.bmp"), QStringLiteral("Menu/Back.bmp"), {}},
        // From "/" but outside the CD folder: not on the CD, read as stored.
        {outside, root + asWritten(outside), {}},
        // A mask names no file: kept as written below root.
        {top + QStringLiteral("Menu\\*.bmp"), root + asWritten(top + QStringLiteral("Menu/*.bmp")), {}},
        // Missing everywhere, and climbing: resolved below root as stored.
        {top + QStringLiteral("Menu\\Brak.bmp"), root + asWritten(top + QStringLiteral("Menu/Brak.bmp")), {}},
        {QStringLiteral("..\\..\\Menu\\Back.bmp"), QStringLiteral("Menu/Back.bmp"), {}},
        {{}, {}, {}},
    };
    // One resolver for all the values, as a save uses, answers each as the
    // single look-ups do, whatever it learnt from the values before.
    DocumentPathResolver shared(root);
    for (const auto &c : cases) {
        const QString expected =
            c.resolved.startsWith(u'/') ? c.resolved : (c.resolved.isEmpty() && c.stored.isEmpty() ? root : root + c.resolved);
        EXPECT_EQ(resolveDocumentPath(root, c.stored), expected) << c.stored.toStdString();
        EXPECT_EQ(rebasedStoredPath(root, c.stored), c.rebased) << c.stored.toStdString();
        EXPECT_EQ(shared.resolve(c.stored), expected) << c.stored.toStdString();
        EXPECT_EQ(shared.rebased(c.stored), c.rebased) << c.stored.toStdString();
    }
    // The runtime's own rule and a document on no CD folder are unchanged.
    EXPECT_EQ(resolveStoredPath(root, top + QStringLiteral("Menu\\Back.bmp")),
              root + asWritten(top + QStringLiteral("Menu/Back.bmp")));
    EXPECT_EQ(rebasedStoredPath(QStringLiteral("/"), top + QStringLiteral("Menu\\Back.bmp")), QString());
}

TEST_F(PathsTest, LiesInsideComparesWholeFolderNames)
{
    QDir().mkpath(dir.path() + QStringLiteral("/cdx"));
    EXPECT_TRUE(liesInside(root, root + QStringLiteral("Menu/Back.bmp")));
    EXPECT_TRUE(liesInside(root, root));
    EXPECT_FALSE(liesInside(root, dir.path() + QStringLiteral("/cdx")));
    EXPECT_FALSE(liesInside(root + QStringLiteral("Menu"), root));
}

TEST_F(PathsTest, AMinimalAutorunMakesAFolderACdFolderAndNeverReplacesOne)
{
    const QString folder = dir.path() + QStringLiteral("/nowa/");
    QDir().mkpath(folder);
    EXPECT_EQ(writeMinimalAutorun(folder), QString());
    EXPECT_EQ(TestSupport::readFile(folder + QStringLiteral("AUTORUN.INF")),
              QByteArray("[AUTORUN]\r\nOPEN=MENU\\ORVANTA.EXE /OPCJE\r\n"));
    EXPECT_EQ(documentDriveRoot(folder + QStringLiteral("projekt/x.KLV")), folder);
    // The CD folder's own file (any letter case) stays as it was.
    EXPECT_EQ(writeMinimalAutorun(root), QString());
    EXPECT_EQ(TestSupport::readFile(root + QStringLiteral("autorun.inf")), QByteArray("[AUTORUN]\r\n"));
    EXPECT_FALSE(QFile::exists(root + QStringLiteral("AUTORUN.INF")));
    EXPECT_NE(writeMinimalAutorun(dir.path() + QStringLiteral("/brak/")), QString());
}

TEST_F(PathsTest, SameFileIsOneDeviceAndInode)
{
    const QString back = root + QStringLiteral("Menu/Back.bmp");
    const QString copy = root + QStringLiteral("Menu/Copy.bmp");
    const QString hardLink = root + QStringLiteral("Menu/Hard.bmp");
    const QString symLink = root + QStringLiteral("Menu/Sym.bmp");
    QFile::copy(back, copy);
    ASSERT_EQ(::link(QFile::encodeName(back).constData(), QFile::encodeName(hardLink).constData()), 0);
    QFile::link(back, symLink);
    const struct {
        QString a, b;
        bool same;
    } cases[] = {
        {back, back, true},
        {back, root + QStringLiteral("Menu/../Menu/Back.bmp"), true},
        {back, hardLink, true},
        {symLink, back, true},
        {back, copy, false}, // equal bytes, another file
        {back, root + QStringLiteral("Menu/back.bmp"), false}, // no such name
        {root + QStringLiteral("none"), root + QStringLiteral("none"), false},
        {QString(), QString(), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.a + QStringLiteral(" | ") + c.b).toStdString());
        EXPECT_EQ(isSameFile(c.a, c.b), c.same);
    }
}

// What a stored path names comes with its resolution: a file only when it
// is a regular one, links followed while they stay on the drive.
TEST_F(PathsTest, ResolvedEntriesTellWhatTheyName)
{
    const QString outside = dir.path() + QStringLiteral("/outside/");
    TestSupport::writeFile(outside + QStringLiteral("secret.txt"), "secret");
    QFile::link(outside, root + QStringLiteral("Out"));
    QFile::link(QStringLiteral("Menu/Back.bmp"), root + QStringLiteral("Picture.bmp"));
    QFile::link(root + QStringLiteral("Menu"), root + QStringLiteral("Inside"));
    TestSupport::makeSpecialFiles(root + QStringLiteral("Special"));

    const struct {
        const char *stored;
        EntryType type;
    } cases[] = {
        {"Menu\\Back.bmp", EntryType::File},
        {"MENU\\BACK.BMP", EntryType::File},
        {"menu", EntryType::Folder},
        {"Menu\\Sub\\", EntryType::Folder},
        {"", EntryType::Folder},
        {"Menu\\missing.bmp", EntryType::Missing},
        {"Menu\\MISSING\\Back.bmp", EntryType::Missing},
        {"picture.BMP", EntryType::File},
        {"Inside\\back.bmp", EntryType::File},
        {"Inside", EntryType::Folder},
        {"Out", EntryType::Missing},
        {"out\\SECRET.TXT", EntryType::Missing},
        {"Special\\FIFO", EntryType::Other},
        {"Special\\fifolink", EntryType::Other},
        {"Special\\Folder", EntryType::Folder},
    };
    StoredPathResolver shared(root);
    for (int pass = 0; pass < 2; ++pass) { // the second from what the first looked up
        for (const auto &c : cases) {
            SCOPED_TRACE(c.stored);
            const ResolvedEntry entry = shared.resolveEntry(QLatin1String(c.stored));
            EXPECT_EQ(entry.type, c.type);
            EXPECT_EQ(entry.path, resolveStoredPath(root, QLatin1String(c.stored)));
        }
    }
}
