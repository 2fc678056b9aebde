// Spanned zip sets: listed from their last part, joined into a private
// temporary archive for the unzip plug-in, parts found by their numbered
// names, and disks asked for on removable drives only.

#include "spanbuilder.h"
#include "testdoubles.h"
#include "testsupport.h"
#include "archive/spanvolumes.h"
#include "archive/unzdllloader.h"
#include "archive/ziptool.h"
#include "volumes.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using SpanBuilder::Item;

namespace {

class FakeVolumes : public Platform::VolumeSource
{
public:
    QList<Platform::Volume> volumes() override { return answer(); }
    std::function<QList<Platform::Volume>()> answer;
};

class SpannedZipTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        for (const char *folder : {"media1", "media2", "target", "temp"})
            QDir(dir.path()).mkpath(folder);
        volumes.answer = [this] {
            return QList<Platform::Volume>{{dir.filePath("media1") + "/", "", "1", Platform::VolumeKind::Fixed}};
        };
        Platform::VolumeSource::setInstance(&volumes);
        tool.Unattended = false;
        tool.setDLLDirectory(REAL_PLUGIN_DIR);
        tool.TempDir = dir.filePath("temp");
        tool.ExtrBaseDir = target();
        tool.ExtrOptions = TZipTool::ExtrDirNames | TZipTool::ExtrOverWrite;
        tool.OnMessage = [this](QObject *, int, const QString &text) { messages.append(text); };
    }
    void TearDown() override
    {
        Platform::VolumeSource::setInstance(nullptr);
        TZipTool::UnloadUnzipLibrary();
    }

    // Writes the parts as NAME001.ZIP ... into folder; returns the last.
    QString writeParts(const QList<QByteArray> &parts, const QString &folder = "media1", const QString &base = "SET")
    {
        QString last;
        for (qsizetype i = 0; i < parts.size(); ++i)
            last = TestSupport::writeFile(
                dir.filePath(folder + "/" + base + QStringLiteral("%1.ZIP").arg(i + 1, 3, 10, QLatin1Char('0'))),
                parts[i]);
        return last;
    }
    QString target() const { return dir.filePath("target"); }

    static QStringList tree(const QString &root)
    {
        QStringList paths;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(QDir(root).relativeFilePath(it.next()));
        paths.sort();
        return paths;
    }
    int prompts() const
    {
        int count = 0;
        for (const auto &message : dialogs.messages)
            count += message.buttons == Platform::MessageButtons::OkCancel ? 1 : 0;
        return count;
    }

    TestSupport::RecordingDialogs dialogs;
    FakeVolumes volumes;
    QTemporaryDir dir;
    TZipTool tool;
    QStringList messages;
};

bool run(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

} // namespace

// A set written by a spanning zip tool and renamed to numbered parts lists
// every entry from its last part and extracts exactly what unzip extracts
// from the same archive made whole; the joined copy does not stay behind.
TEST_F(SpannedZipTest, ThreeThousandEntriesFromZipTool)
{
    const QString source = dir.filePath("source");
    for (int i = 0; i < 3000; ++i)
        TestSupport::writeFile(source + QStringLiteral("/d%1/f%2.txt").arg(i / 100).arg(i),
                               QByteArray::number(i).repeated(1 + i % 37));
    ASSERT_TRUE(run("zip", {"-q", "-r", "-s", "64k", "../set.zip", "."}, source));
    ASSERT_TRUE(run("zip", {"-q", "-s", "0", "set.zip", "--out", "whole.zip"}, dir.path()));
    ASSERT_TRUE(run("unzip", {"-q", "whole.zip", "-d", "reference"}, dir.path()));

    QStringList splitParts = QDir(dir.path()).entryList({"set.z[0-9]*"}, QDir::Files, QDir::Name);
    splitParts.append("set.zip");
    ASSERT_GT(splitParts.size(), 2);
    QString last;
    for (qsizetype i = 0; i < splitParts.size(); ++i) {
        last = dir.filePath(QStringLiteral("media1/BIG%1.ZIP").arg(i + 1, 3, 10, QLatin1Char('0')));
        ASSERT_TRUE(QFile::rename(dir.filePath(splitParts[i]), last));
    }
    tool.setZipFilename(last);
    ASSERT_EQ(tool.Count(), 3000 + 30) << messages.join("\n").toStdString();
    tool.ExtractZip();
    EXPECT_EQ(tool.SuccessCnt(), 3000) << messages.join("\n").toStdString();
    const QStringList files = tree(dir.filePath("reference"));
    ASSERT_EQ(tree(target()), files);
    for (const QString &file : files) {
        if (QFileInfo(dir.filePath("reference/" + file)).isFile()) {
            ASSERT_EQ(TestSupport::readFile(target() + "/" + file), TestSupport::readFile(dir.filePath("reference/" + file)))
                << file.toStdString();
        }
    }
    EXPECT_EQ(tree(dir.filePath("temp")), QStringList{});
    EXPECT_EQ(prompts(), 0);
}

// Sets no spanning tool writes this small: descriptors, a name pair that
// differs in case, a name twice, junk between entries, a comment.
TEST_F(SpannedZipTest, JoinsEveryLayout)
{
    struct Case
    {
        const char *label;
        QList<Item> items;
        QStringList expected; // file: content
    };
    const QByteArray long1(150, 'a'), long2(230, 'b');
    const QList<Case> cases = {
        {"descriptors",
         {{.name = "one.txt", .data = long1, .descriptor = true},
          {.name = "two.txt", .data = long2, .descriptor = true, .descriptorSignature = false},
          {.name = "three.txt", .data = "3"}},
         {"one.txt:" + long1, "three.txt:3", "two.txt:" + long2}},
        {"case pair", {{.name = "A.TXT", .data = "upper"}, {.name = "a.txt", .data = long1}}, {"A.TXT:upper", "a.txt:" + long1}},
        {"same name twice", {{.name = "dup.txt", .data = "first"}, {.name = "dup.txt", .data = "second"}}, {"dup.txt:second"}},
        {"gap", {{.name = "x.txt", .data = long1}, {.name = "y.txt", .data = "y", .gapBefore = QByteArray(70, 'J')}},
         {"x.txt:" + long1, "y.txt:y"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QDir(dir.filePath("media1")).removeRecursively();
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        messages.clear();
        const QList<QByteArray> parts = SpanBuilder::build(c.items, {.partSize = 64, .comment = "set comment"});
        ASSERT_GT(parts.size(), 2);
        tool.setZipFilename(writeParts(parts));
        ASSERT_EQ(tool.Count(), c.items.size()) << messages.join("\n").toStdString();
        EXPECT_EQ(tool.ZipComment(), "set comment");
        tool.ExtractZip();
        EXPECT_EQ(tool.SuccessCnt(), c.items.size()) << messages.join("\n").toStdString();
        QStringList found;
        for (const QString &file : tree(target()))
            found.append(file + ":" + TestSupport::readFile(target() + "/" + file));
        EXPECT_EQ(found, c.expected);
        EXPECT_EQ(tree(dir.filePath("temp")), QStringList{});
    }
}

// Sets that numbered names cannot describe, or whose parts are not all
// there, are refused with a message and leave nothing behind.
TEST_F(SpannedZipTest, RefusesSetsItCannotRead)
{
    const QList<Item> items = {{.name = "one.txt", .data = QByteArray(150, 'a')}, {.name = "two.txt", .data = "2"}};
    struct Case
    {
        const char *label;
        QList<QByteArray> parts;
        QString base;
        int dropPart; // a part removed before extraction, or -1
        int openPart; // the part opened, when not the last
        QString listMessage, extractMessage;
    };
    const QList<Case> cases = {
        {"a thousand parts", SpanBuilder::build(items, {.partSize = 64, .lastDiskOverride = 999}), "SET", -1, -1,
         "Archiwum wieloczęściowe ma więcej niż 999 części", ""},
        {"short base name", SpanBuilder::build(items, {.partSize = 64}), "AB", -1, -1,
         "Nazwa części archiwum wieloczęściowego ma mniej niż trzy znaki", ""},
        {"first part missing", SpanBuilder::build(items, {.partSize = 64}), "SET", 0, -1, "", "Plik wyjściowy nie istnieje"},
        {"no span signature", SpanBuilder::build(items, {.partSize = 64, .spanSignature = false}), "SET", -1, -1, "",
         "Błąd odczytu rozszerzonej sygnatury lokalnej"},
        {"middle part opened", SpanBuilder::build(items, {.partSize = 64}), "SET", -1, 1,
         "To jest 2 dysk w zestawie kopii zapasowej,\nproszę włożyć ostatni dysk z tego zestawu", ""},
        {"first part opened", SpanBuilder::build(items, {.partSize = 64}), "SET", -1, 0,
         "To jest pierwszy plik z zestawu kopii zapasowej,\nproszę wybrać ostatni plik z tego zestawu", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QDir(dir.filePath("media1")).removeRecursively();
        QDir().mkpath(dir.filePath("media1"));
        messages.clear();
        QString last = writeParts(c.parts, "media1", c.base);
        if (c.base.size() < 3) {
            QFile::rename(last, dir.filePath("media1/" + c.base + ".ZIP"));
            last = dir.filePath("media1/" + c.base + ".ZIP");
        }
        if (c.openPart >= 0)
            last = dir.filePath(QStringLiteral("media1/SET%1.ZIP").arg(c.openPart + 1, 3, 10, QLatin1Char('0')));
        tool.setZipFilename(last);
        if (!c.listMessage.isEmpty()) {
            EXPECT_EQ(tool.Count(), 0);
            EXPECT_EQ(messages, QStringList{c.listMessage});
            continue;
        }
        ASSERT_EQ(tool.Count(), 2);
        if (c.dropPart >= 0)
            QFile::remove(dir.filePath(QStringLiteral("media1/SET%1.ZIP").arg(c.dropPart + 1, 3, 10, QLatin1Char('0'))));
        tool.ExtractZip();
        EXPECT_EQ(tool.SuccessCnt(), 0);
        EXPECT_TRUE(messages.contains(c.extractMessage)) << messages.join("\n").toStdString();
        EXPECT_EQ(tree(target()), QStringList{});
        EXPECT_EQ(tree(dir.filePath("temp")), QStringList{});
        EXPECT_EQ(prompts(), 0);
    }
}

// On a removable drive the first disk is asked for and found by its label
// wherever it is mounted; a wrong label asks again, Cancel writes nothing,
// and a CD never asks.
TEST_F(SpannedZipTest, AsksForDisksOnRemovableDrivesOnly)
{
    const QList<QByteArray> parts = SpanBuilder::build({{.name = "one.txt", .data = QByteArray(170, 'a')}}, {.partSize = 200});
    ASSERT_EQ(parts.size(), 2);
    const QString last = TestSupport::writeFile(dir.filePath("media1/sub/BACKUP.ZIP"), parts[1]);
    TestSupport::writeFile(dir.filePath("media2/sub/BACKUP.ZIP"), parts[0]);
    const Platform::Volume lastDisk{dir.filePath("media1") + "/", "PKBACK# 002", "2", Platform::VolumeKind::Removable};
    const Platform::Volume firstDisk{dir.filePath("media2") + "/", "PKBACK# 001", "1", Platform::VolumeKind::Removable};

    struct Case
    {
        const char *label;
        Platform::VolumeKind kind;
        QList<Platform::MessageAnswer> answers;
        int firstDiskAfterPrompts; // the first disk is mounted once this many prompts were shown
        int prompts;
        int extracted;
    };
    using Answer = Platform::MessageAnswer;
    const QList<Case> cases = {
        {"right disk", Platform::VolumeKind::Removable, {Answer::Ok}, 1, 1, 1},
        {"wrong label first", Platform::VolumeKind::Removable, {Answer::Ok, Answer::Ok}, 2, 2, 1},
        {"cancel", Platform::VolumeKind::Removable, {Answer::Cancel}, 1, 1, 0},
        {"cd", Platform::VolumeKind::CdRom, {}, 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        dialogs.messages.clear();
        dialogs.answers = c.answers;
        volumes.answer = [&] {
            Platform::Volume drive = lastDisk;
            drive.kind = c.kind;
            QList<Platform::Volume> mounted{drive};
            if (prompts() >= c.firstDiskAfterPrompts && c.kind == Platform::VolumeKind::Removable)
                mounted.append(firstDisk);
            return mounted;
        };
        tool.setZipFilename(last);
        ASSERT_EQ(tool.Count(), 1);
        tool.ExtractZip();
        EXPECT_EQ(prompts(), c.prompts);
        EXPECT_EQ(tool.SuccessCnt(), c.extracted);
        if (c.prompts > 0) {
            EXPECT_EQ(dialogs.messages.first().text, "Proszę włożyć dysk 1 z 2\ndo napędu: " + lastDisk.rootPath);
        }
        EXPECT_EQ(tree(target()), c.extracted ? QStringList{"one.txt"} : QStringList{});
        EXPECT_EQ(tree(dir.filePath("temp")), QStringList{});
    }
}
