// Extraction through the unzip plug-in: what lands in the target folder,
// what never lands outside it, and what happens when the plug-in is
// missing or incomplete.

#include "testdoubles.h"
#include "testsupport.h"
#include "zipbuilder.h"
#include "archive/unzdllloader.h"
#include "archive/ziptool.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

class ZipToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("target");
        tool.Unattended = true;
        tool.setDLLDirectory(REAL_PLUGIN_DIR);
        tool.OnMessage = [this](QObject *, int, const QString &text) { messages.append(text); };
    }
    void TearDown() override { TZipTool::UnloadUnzipLibrary(); }

    QString writeZip(const QString &name, const QByteArray &bytes) { return TestSupport::writeFile(dir.filePath(name), bytes); }
    QString target() const { return dir.filePath("target"); }

    // Every path below root, relative to it.
    static QStringList tree(const QString &root)
    {
        QStringList paths;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(QDir(root).relativeFilePath(it.next()));
        paths.sort();
        return paths;
    }

    QTemporaryDir dir;
    TZipTool tool;
    QStringList messages;
};

} // namespace

TEST_F(ZipToolTest, ExtractsWithFolderNamesAndReportsProgress)
{
    const QString zip = writeZip("a.zip", ZipBuilder::build({{"top.txt", "top"}, {"sub/inner.txt", "inner text"}}));
    tool.setZipFilename(zip);
    ASSERT_EQ(tool.Count(), 2);
    QList<int> kinds;
    QStringList newFiles;
    tool.OnProgress = [&](QObject *, TZipTool::ProgressType type, const QString &name, qint64) {
        kinds.append(type);
        if (type == TZipTool::NewFile)
            newFiles.append(name);
    };
    tool.ExtrBaseDir = target();
    tool.ExtrOptions = TZipTool::ExtrDirNames;
    tool.ExtractZip();
    EXPECT_EQ(tool.SuccessCnt(), 2);
    EXPECT_EQ(TestSupport::readFile(dir.filePath("target/sub/inner.txt")), "inner text");
    EXPECT_EQ(newFiles, (QStringList{"top.txt", "sub\\inner.txt"}));
    EXPECT_EQ(kinds.first(), TZipTool::TotalFiles);
    EXPECT_EQ(kinds.last(), TZipTool::EndOfBatch);
    EXPECT_EQ(tool.TotalSizeToProcess(), 13);
    EXPECT_FALSE(UnzDllLoader::isLoaded());
}

TEST_F(ZipToolTest, OptionsAndSelection)
{
    const QString zip = writeZip("a.zip", ZipBuilder::build({{"one.txt", "new one"}, {"sub/two.txt", "new two"}}));
    struct Case {
        const char *what;
        int options;
        QStringList specs;
        bool oneExists;
        int expectedCount;
        QStringList expectedTree;
        QByteArray oneContent;
    };
    const Case cases[] = {
        {"all, flat", 0, {}, false, 2, {"one.txt", "two.txt"}, "new one"},
        {"one spec with a wildcard", TZipTool::ExtrDirNames, {"SUB\\*.TXT"}, false, 1, {"sub", "sub/two.txt"}, ""},
        {"existing kept without overwrite", 0, {"one.txt"}, true, 0, {"one.txt"}, "old"},
        {"existing replaced with overwrite", TZipTool::ExtrOverWrite, {"one.txt"}, true, 1, {"one.txt"}, "new one"},
        {"freshen skips new files", TZipTool::ExtrFreshen, {}, true, 1, {"one.txt"}, "new one"},
        {"test writes nothing", TZipTool::ExtrTest, {}, false, 2, {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        if (c.oneExists) {
            TestSupport::writeFile(dir.filePath("target/one.txt"), "old");
            // Older than the entry, so freshening replaces it.
            QFile file(dir.filePath("target/one.txt"));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime);
        }
        tool.setZipFilename(zip);
        tool.ExtrBaseDir = target();
        tool.ExtrOptions = c.options;
        tool.FSpecArgs = c.specs;
        tool.ExtractZip();
        EXPECT_EQ(tool.SuccessCnt(), c.expectedCount);
        EXPECT_EQ(tree(target()), c.expectedTree);
        if (!c.oneContent.isEmpty()) {
            EXPECT_EQ(TestSupport::readFile(dir.filePath("target/one.txt")), c.oneContent);
        }
        EXPECT_TRUE(tool.FSpecArgs.isEmpty());
    }
}

TEST_F(ZipToolTest, ArchivesBehindDataInFrontAreExtracted)
{
    const QList<ZipBuilder::Item> items{{"a.txt", "alpha"}, {"b.txt", "bravo"}};
    struct Case {
        const char *what;
        ZipBuilder::Layout layout;
    };
    const Case cases[] = {
        {"offsets not moved", {.prefix = QByteArray(4096, 'P')}},
        {"offsets moved", {.prefix = QByteArray(4096, 'P'), .offsetsCountPrefix = true}},
        {"trailing junk", {.trailing = "junk"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        tool.setZipFilename(writeZip("front.zip", ZipBuilder::build(items, c.layout)));
        tool.ExtrBaseDir = target();
        tool.ExtractZip();
        EXPECT_EQ(tool.SuccessCnt(), 2);
        EXPECT_EQ(TestSupport::readFile(dir.filePath("target/b.txt")), "bravo");
    }
}

TEST_F(ZipToolTest, HostileArchiveLeavesNothingOutsideTheTarget)
{
    QDir(dir.path()).mkpath("outside");
    ASSERT_TRUE(QFile::link(dir.filePath("outside"), dir.filePath("target/linked")));
    const QByteArray bytes = ZipBuilder::build({
        {"../../x", "up"},
        {"/abs", "absolute"},
        {"C:\\x", "drive"},
        {"\\\\server\\share\\x", "unc"},
        {QByteArray("nul\0name", 8), "nul"},
        ZipBuilder::linkItem("lnk", QFile::encodeName(dir.filePath("outside"))),
        {"lnk/passwd", "through the link entry"},
        {"linked/evil", "through a link on disk"},
        {"ok/fine.txt", "fine"},
    });
    tool.setZipFilename(writeZip("hostile.zip", bytes));
    ASSERT_EQ(tool.Count(), 9);
    tool.ExtrBaseDir = target();
    tool.ExtrOptions = TZipTool::ExtrDirNames | TZipTool::ExtrOverWrite;
    tool.ExtractZip();
    EXPECT_EQ(tool.SuccessCnt(), 2); // "lnk/passwd" as a plain folder and file, and "ok/fine.txt"
    EXPECT_TRUE(tree(dir.filePath("outside")).isEmpty());
    EXPECT_EQ(tree(dir.path()), (QStringList{"hostile.zip", "outside", "target", "target/linked", "target/lnk",
                                             "target/lnk/passwd", "target/ok", "target/ok/fine.txt"}));
    EXPECT_TRUE(QFileInfo(dir.filePath("target/lnk")).isDir());
    EXPECT_FALSE(QFileInfo(dir.filePath("target/lnk")).isSymLink());
    EXPECT_GE(messages.size(), 6);
}

TEST_F(ZipToolTest, FullDiskLeavesNoPartialFile)
{
    const QByteArray big(300 * 1024, 'b');
    tool.setZipFilename(writeZip("big.zip", ZipBuilder::build({{"small.txt", "small"}, {"big.bin", big}})));
    tool.ExtrBaseDir = target();
    {
        TestSupport::FileSizeLimit limit(100 * 1024);
        tool.ExtractZip();
    }
    EXPECT_EQ(tool.SuccessCnt(), 1);
    EXPECT_EQ(tree(target()), QStringList{"small.txt"});
}

TEST_F(ZipToolTest, CancelStopsAndRemovesTheFileInWork)
{
    const QByteArray big(2 * 1024 * 1024, 'c');
    tool.setZipFilename(writeZip("big.zip", ZipBuilder::build({{"big.bin", big}, {"after.txt", "after"}})));
    tool.ExtrBaseDir = target();
    tool.OnProgress = [&](QObject *, TZipTool::ProgressType type, const QString &, qint64) {
        if (type == TZipTool::ProgressUpdate)
            tool.Cancel();
    };
    tool.ExtractZip();
    EXPECT_EQ(tool.SuccessCnt(), 0);
    EXPECT_TRUE(tree(target()).isEmpty());
    EXPECT_FALSE(tool.Busy());
}

TEST_F(ZipToolTest, MissingOrRelativeTargetIsRefused)
{
    tool.setZipFilename(writeZip("a.zip", ZipBuilder::build({{"a.txt", "a"}})));
    for (const QString &folder : {QString(), QStringLiteral("relative/folder"), dir.filePath("missing")}) {
        SCOPED_TRACE(folder.toStdString());
        messages.clear();
        tool.ExtrBaseDir = folder;
        tool.ExtractZip();
        EXPECT_EQ(tool.SuccessCnt(), 0);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Folder docelowy nie istnieje")));
    }
    EXPECT_TRUE(tree(target()).isEmpty());
}

TEST_F(ZipToolTest, LibraryThatDoesNotLoadCountsAsMissing)
{
    QDir(dir.path()).mkpath("plugins");
    TestSupport::writeFile(dir.filePath("plugins/UNZDLL.DLL"), "not a library");
    tool.setDLLDirectory(dir.filePath("plugins") + "/");
    EXPECT_EQ(tool.DLLDirectory(), dir.filePath("plugins"));
    tool.setZipFilename(writeZip("a.zip", ZipBuilder::build({{"a.txt", "a"}})));
    tool.ExtrBaseDir = target();
    tool.ExtractZip();
    EXPECT_EQ(tool.SuccessCnt(), 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Nie odnaleziono pliku UNZDLL.DLL!")});
}

TEST_F(ZipToolTest, IncompleteLibraryIsNeverCalled)
{
    const QString mark = dir.filePath("called");
    qputenv("FAKE_UNZDLL_MARK", QFile::encodeName(mark));
    tool.setDLLDirectory(INCOMPLETE_PLUGIN_DIR);
    tool.setZipFilename(writeZip("a.zip", ZipBuilder::build({{"a.txt", "a"}})));
    tool.ExtrBaseDir = target();
    tool.ExtractZip();
    qunsetenv("FAKE_UNZDLL_MARK");
    EXPECT_EQ(tool.SuccessCnt(), 0);
    EXPECT_EQ(messages, QStringList{QStringLiteral("GetUnzDllVersion brak funkcji w bibliotece UNZDLL.DLL!")});
    EXPECT_FALSE(QFileInfo::exists(mark));
}

TEST_F(ZipToolTest, ListFailuresAndWarningsAreReported)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        QStringList expected;
        int count;
    };
    const Case cases[] = {
        {"not a zip", QByteArray(30, 'x'), {"Ten plik nie jest właściwym archiwum Zip"}, 0},
        {"trailing junk", ZipBuilder::build({{"a", "a"}}, {.trailing = "junk"}), {"Ostrzeżenie - Błędy na końcu archiwum Zip!"}, 1},
        {"unmoved prefix", ZipBuilder::build({{"a", "a"}}, {.prefix = "MZ stub"}), {"Ostrzeżenie - Błąd w strukturze zip!"}, 1},
        {"first file of a set", QByteArray("PK\x07\x08PK\x03\x04", 8) + QByteArray(40, 'x'),
         {"To jest pierwszy plik z zestawu kopii zapasowej,\nproszę wybrać ostatni plik z tego zestawu"}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        int updates = 0;
        tool.OnDirUpdate = [&](QObject *) { ++updates; };
        const QString path = writeZip("case.zip", c.bytes);
        tool.setZipFilename(path);
        EXPECT_EQ(messages, c.expected);
        EXPECT_EQ(tool.Count(), c.count);
        EXPECT_EQ(tool.ZipFilename(), c.count ? path : QString());
        EXPECT_EQ(updates, 1);
    }
}

TEST_F(ZipToolTest, ArchiveCommentInUtf8OrWindows1250)
{
    tool.setZipFilename(writeZip("u.zip", ZipBuilder::build({{"a", "a"}}, {.comment = QString::fromUtf8("Zażółć").toUtf8()})));
    EXPECT_EQ(tool.ZipComment(), QString::fromUtf8("Zażółć"));
    tool.setZipFilename(writeZip("w.zip", ZipBuilder::build({{"a", "a"}}, {.comment = QByteArray("Za\xBF\xF3\xB3\xE6", 6)})));
    EXPECT_EQ(tool.ZipComment(), QString::fromUtf8("Zażółć"));
}

TEST_F(ZipToolTest, MessageBoxesGoThroughTheDialogs)
{
    TestSupport::RecordingDialogs dialogs;
    tool.Unattended = false;
    tool.setZipFilename(writeZip("bad.zip", QByteArray(30, 'x')));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Ten plik nie jest właściwym archiwum Zip"));
}

namespace {

// Archives made by make-zip-fixtures.py: entries the system's libzip cannot
// decode, WinZip AES, and entries that lie about their size.
class ZipMethodsTest : public ZipToolTest
{
protected:
    void SetUp() override
    {
        ZipToolTest::SetUp();
        ASSERT_EQ(QProcess::execute(QStringLiteral("python3"), {QStringLiteral(ZIP_FIXTURE_SCRIPT), fixtures()}), 0);
        for (int i = 0; i < 200; ++i)
            expected += "Kalvora ";
        expected += "koniec\n";
    }
    QString fixtures() const { return dir.filePath("fixtures"); }

    // Extracts the one entry of a fixture into a fresh folder: the bytes
    // written, or nothing when no file was left.
    std::optional<QByteArray> extract(const QString &fixture, const QString &password = {})
    {
        const QString folder = dir.filePath(QStringLiteral("out-%1-%2").arg(++extractions).arg(fixture));
        QDir().mkpath(folder);
        messages.clear();
        tool.Password = password;
        tool.setZipFilename(fixtures() + u'/' + fixture);
        tool.ExtrBaseDir = folder;
        tool.ExtrOptions = TZipTool::ExtrOverWrite;
        tool.ExtractZip();
        if (tree(folder) != QStringList{"data.txt"}) {
            EXPECT_TRUE(tree(folder).isEmpty()) << fixture.toStdString() << ": " << tree(folder).join(' ').toStdString();
            EXPECT_EQ(tool.SuccessCnt(), 0) << fixture.toStdString();
            return std::nullopt;
        }
        EXPECT_EQ(tool.SuccessCnt(), 1) << fixture.toStdString();
        return TestSupport::readFile(folder + "/data.txt");
    }

    QByteArray expected;
    int extractions = 0;
};

} // namespace

TEST_F(ZipMethodsTest, EntriesLibzipCannotDecodeAreExtractedByteExact)
{
    for (const char *fixture : {"lzma.zip", "xz.zip", "zstd.zip", "ppmd.zip"}) {
        const std::optional<QByteArray> bytes = extract(QLatin1String(fixture));
        ASSERT_TRUE(bytes.has_value()) << fixture << ": " << messages.join(u'|').toStdString();
        EXPECT_EQ(*bytes, expected) << fixture;
    }
}

TEST_F(ZipMethodsTest, WinZipAesEntriesNeedTheRightPasswordAndAnIntactCode)
{
    const std::optional<QByteArray> bytes = extract(QStringLiteral("aes2.zip"), QStringLiteral("tajne"));
    ASSERT_TRUE(bytes.has_value()) << messages.join(u'|').toStdString();
    EXPECT_EQ(*bytes, expected);
    EXPECT_FALSE(messages.join(u'|').contains(QStringLiteral("CRC")));

    EXPECT_FALSE(extract(QStringLiteral("aes2.zip"), QStringLiteral("złe")).has_value());
    EXPECT_FALSE(extract(QStringLiteral("aes2-tampered.zip"), QStringLiteral("tajne")).has_value());
}

TEST_F(ZipMethodsTest, RefusedEntriesLeaveNoFileAndSayWhy)
{
    const struct {
        const char *fixture;
        const char *said;
    } cases[] = {
        {"wavpack.zip", "WavPack"},
        {"lzma-badcrc.zip", "CRC"},
        {"declares-less.zip", "różni się od zapisanego"},
        {"declares-less-stored.zip", "różni się od zapisanego"},
        {"declares-more.zip", "różni się od zapisanego"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(extract(QLatin1String(c.fixture)).has_value()) << c.fixture;
        EXPECT_TRUE(messages.join(u'|').contains(QString::fromUtf8(c.said)))
            << c.fixture << ": " << messages.join(u'|').toStdString();
    }
}

// Names deeper than the system's path limit are refused before one folder
// of them is made: alone longer than the limit, or with the target folder.
TEST_F(ZipToolTest, NamesBeyondThePathLimitMakeNoFolders)
{
    const QByteArray deep = QByteArray("b/").repeated(20000) + "x";
    const QByteArray withTarget = QByteArray("c/").repeated(2040) + "x";
    ASSERT_LT(withTarget.size(), 4096);
    tool.setZipFilename(writeZip("deep.zip", ZipBuilder::build({{deep, "deep"}, {withTarget, "deep"}, {"ok.txt", "ok"}})));
    tool.ExtrBaseDir = target();
    tool.ExtrOptions = TZipTool::ExtrDirNames;
    tool.ExtractZip();
    EXPECT_EQ(tool.SuccessCnt(), 1);
    EXPECT_EQ(tree(target()), QStringList{"ok.txt"});
}
