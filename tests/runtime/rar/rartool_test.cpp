// The RAR component over the real plug-in: what is listed, what lands in
// the target folder, and what is refused without writing anything.

#include "rarbuilder.h"
#include "testdoubles.h"
#include "testsupport.h"
#include "archive/rartool.h"
#include "archive/unrarloader.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using RarBuilder::Item;
using RarBuilder::NameForm;

namespace {

using Builder = QByteArray (*)(const QList<Item> &, const RarBuilder::Options &);

struct Listed
{
    QString name;
    unsigned flags;
    unsigned size;
    unsigned time;
};

class RarToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkpath("out/target");
        rar.LibraryDirectory = REAL_PLUGIN_DIR;
        rar.OnError = [this](QObject *, int code) { errors.push_back(code); };
        rar.OnListFile = [this](QObject *, const UnRar::HeaderData &h) {
            listed.append({TRAR::EntryName(h), h.Flags, h.UnpSize, h.FileTime});
        };
        rar.OnExtract = [this](QObject *, const UnRar::HeaderData &h, bool ok) {
            (ok ? extracted : failed).append(TRAR::EntryName(h));
        };
    }

    QString archive(const QByteArray &bytes, const QString &name = "a.rar")
    {
        rar.ArchiveName = TestSupport::writeFile(dir.filePath(name), bytes);
        return rar.ArchiveName;
    }
    QString target() const { return dir.filePath("out/target"); }

    // Every path below the output folder (the target's parent), relative to it.
    QStringList outTree() const
    {
        const QString root = dir.filePath("out");
        QStringList paths;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            paths.append(QDir(root).relativeFilePath(it.next()));
        paths.sort();
        return paths;
    }

    TestSupport::RecordingDialogs dialogs;
    QTemporaryDir dir;
    TRAR rar;
    std::vector<int> errors;
    QList<Listed> listed;
    QStringList extracted, failed;
};

const QByteArray Cp852Name = "\xBE\x61\xAB\xA2\x88\x86.txt"; // "żaźółć.txt" in CP852
const QString PolishName = QString::fromUtf8("\xC5\xBC" "a\xC5\xBA\xC3\xB3\xC5\x82\xC4\x87.txt");

} // namespace

// Both layouts, every name form, a folder and times: listed as stored and
// extracted byte for byte.
TEST_F(RarToolTest, ListsAndExtractsStoredArchives)
{
    struct Case
    {
        const char *label;
        Builder build;
        QList<Item> items;
        QStringList names;
    };
    const QByteArray big(200000, 'x');
    const QList<Case> cases = {
        {"rar4", &RarBuilder::rar4,
         {{.name = Cp852Name, .data = "oem", .form = NameForm::Oem},
          {.name = "folder", .folder = true, .attributes = 0x10},
          {.name = "folder\\" + PolishName.toUtf8(), .data = "utf8"},
          {.name = "folder\\c" + PolishName.toUtf8(), .data = big, .form = NameForm::CompactUnicode}},
         {PolishName, "folder", "folder\\" + PolishName, "folder\\c" + PolishName}},
        {"rar5", &RarBuilder::rar5,
         {{.name = PolishName.toUtf8(), .data = "oem"},
          {.name = "folder", .folder = true, .host = 3},
          {.name = "folder/" + PolishName.toUtf8(), .data = "utf8", .host = 3},
          {.name = "folder/c" + PolishName.toUtf8(), .data = big}},
         {PolishName, "folder", "folder\\" + PolishName, "folder\\c" + PolishName}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        listed.clear();
        archive(c.build(c.items, {}));
        EXPECT_EQ(rar.CountFiles(), 4);
        rar.ListFiles();
        ASSERT_EQ(listed.size(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(listed[i].name, c.names[i]);
            EXPECT_EQ(listed[i].time, 0x50216000u);
            EXPECT_EQ(listed[i].flags & UnRar::Folder, c.items[i].folder ? unsigned(UnRar::Folder) : 0u);
        }
        EXPECT_EQ(listed[3].size, unsigned(big.size()));

        rar.TargetDir = target();
        EXPECT_TRUE(rar.ExtractFiles());
        EXPECT_EQ(TestSupport::readFile(target() + "/" + PolishName), "oem");
        EXPECT_EQ(TestSupport::readFile(target() + "/folder/" + PolishName), "utf8");
        EXPECT_EQ(TestSupport::readFile(target() + "/folder/c" + PolishName), big);
        const QDateTime when = QFileInfo(target() + "/folder/" + PolishName).lastModified();
        EXPECT_EQ(when, QDateTime(QDate(2020, 1, 1), QTime(12, 0)));
        EXPECT_EQ(errors, std::vector<int>{});
    }
}

// Names leading outside, absolute names and links write nothing outside the
// target; the entries around them are still extracted.
TEST_F(RarToolTest, HostileNamesAndLinksWriteNothingOutside)
{
    const QList<Item> rar4Items = {
        {.name = "..\\escape.txt", .data = "bad"},
        {.name = "/abs.txt", .data = "bad"},
        {.name = "C:\\drive.txt", .data = "bad"},
        {.name = "link", .linkTarget = "../../escape"},
        {.name = "good.txt", .data = "good"},
    };
    QList<Item> rar5Items = rar4Items;
    rar5Items[0].name = "../escape.txt";
    for (Builder build : {&RarBuilder::rar4, &RarBuilder::rar5}) {
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        errors.clear();
        extracted.clear();
        failed.clear();
        archive(build(build == &RarBuilder::rar4 ? rar4Items : rar5Items, {}));
        rar.TargetDir = target();
        EXPECT_FALSE(rar.ExtractFiles());
        EXPECT_EQ(extracted, QStringList{"good.txt"});
        EXPECT_EQ(failed.size(), 4);
        EXPECT_EQ(errors, (std::vector<int>{16, 16, 16, 16}));
        EXPECT_EQ(outTree(), (QStringList{"target", "target/good.txt"}));
    }
}

// An encrypted entry is listed with its flag, its password asked for, and
// never written; solid 2.9 archives stop after their first entry; data that
// does not match its CRC is not kept.
TEST_F(RarToolTest, RefusesWhatCannotBeDecodedAndGoesOn)
{
    struct Case
    {
        const char *label;
        QByteArray bytes;
        QStringList extracted;
        std::vector<int> errors;
    };
    const QList<Case> cases = {
        {"encrypted rar4",
         RarBuilder::rar4({{.name = "secret.txt", .data = "ciphertext", .encrypted = true}, {.name = "plain.txt", .data = "p"}}),
         {"plain.txt"}, {16}},
        {"encrypted rar5",
         RarBuilder::rar5({{.name = "secret.txt", .data = "ciphertext", .encrypted = true}, {.name = "plain.txt", .data = "p"}}),
         {"plain.txt"}, {16}},
        {"solid rar4",
         RarBuilder::rar4({{.name = "first.txt", .data = "1"}, {.name = "second.txt", .data = "2", .solid = true},
                           {.name = "third.txt", .data = "3", .solid = true}},
                          {.solid = true}),
         {"first.txt"}, {12, 12}},
        {"old algorithm",
         RarBuilder::rar4({{.name = "old.txt", .data = "compressed", .unpackVersion = 20, .method = 0x33},
                           {.name = "plain.txt", .data = "p"}}),
         {"plain.txt"}, {12}},
        {"bad crc", RarBuilder::rar5({{.name = "bad.txt", .data = "data", .badCrc = true}, {.name = "plain.txt", .data = "p"}}),
         {"plain.txt"}, {12}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        errors.clear();
        extracted.clear();
        listed.clear();
        QStringList asked;
        rar.OnReqPassword = [&](QObject *, const UnRar::HeaderData &h, QString &password) {
            asked.append(TRAR::EntryName(h));
            password = "guess";
        };
        archive(c.bytes);
        rar.ListFiles();
        EXPECT_EQ(listed.size(), c.bytes.contains("third") ? 3 : 2);
        if (QByteArray(c.label).startsWith("encrypted")) {
            EXPECT_TRUE(listed[0].flags & UnRar::Encrypted);
            EXPECT_FALSE(listed[1].flags & UnRar::Encrypted);
        }
        rar.TargetDir = target();
        EXPECT_FALSE(rar.ExtractFiles());
        EXPECT_EQ(extracted, c.extracted);
        EXPECT_EQ(errors, c.errors);
        QStringList expected = {"target"};
        for (const QString &name : c.extracted)
            expected.append("target/" + name);
        EXPECT_EQ(outTree(), expected);
        EXPECT_EQ(asked, QByteArray(c.label).startsWith("encrypted") ? QStringList{"secret.txt"} : QStringList{});
    }
}

// Names are chosen exactly; "*.*" or an empty list means all; Stop ends an
// extraction as a failure and is cleared.
TEST_F(RarToolTest, SelectionAndStop)
{
    archive(RarBuilder::rar4({{.name = "a.txt", .data = "lower"}, {.name = "A.TXT", .data = "upper"},
                              {.name = "b.txt", .data = "b"}}));
    rar.TargetDir = target();
    rar.FilesToExtract = {"A.TXT"};
    EXPECT_TRUE(rar.ExtractFiles());
    EXPECT_EQ(extracted, QStringList{"A.TXT"});

    extracted.clear();
    rar.FilesToExtract = {"b.txt", "*.*"};
    EXPECT_TRUE(rar.ExtractFiles());
    EXPECT_EQ(extracted, (QStringList{"a.txt", "A.TXT", "b.txt"}));

    extracted.clear();
    rar.FilesToExtract.clear();
    rar.OnExtracting = [this](QObject *, const UnRar::HeaderData &h) {
        if (TRAR::EntryName(h) == "A.TXT")
            rar.Stop = true;
    };
    EXPECT_FALSE(rar.ExtractFiles());
    EXPECT_EQ(extracted, (QStringList{"a.txt", "A.TXT"}));
    EXPECT_FALSE(rar.Stop);
}

// Archives that cannot be opened count -1; a broken header ends the list
// with the bad-data code; data reported through the data callback adds up.
TEST_F(RarToolTest, UnreadableArchivesAndProgress)
{
    const QByteArray good = RarBuilder::rar5({{.name = "one.txt", .data = "1111"}, {.name = "two.txt", .data = "22"}});
    struct Case
    {
        const char *label;
        QByteArray bytes;
        int count;
        std::vector<int> errors;
    };
    const QList<Case> cases = {
        {"not a rar", "PK\x03\x04 not a rar at all", -1, {13}},
        {"encrypted headers", RarBuilder::rar4({}, {.encryptedHeaders = true}), -1, {22}},
        {"encrypted rar5 headers", RarBuilder::rar5({}, {.encryptedHeaders = true}), -1, {22}},
        {"truncated", good.left(good.size() - 12), 1, {12}},
        {"no end block", RarBuilder::rar4({{.name = "x", .data = "x"}}, {.endBlock = false}), 1, {}},
        {"empty", RarBuilder::rar5({}), 0, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        errors.clear();
        archive(c.bytes);
        EXPECT_EQ(rar.CountFiles(), c.count);
        EXPECT_EQ(errors, c.errors);
    }
    rar.ArchiveName = dir.filePath("missing.rar");
    EXPECT_EQ(rar.CountFiles(), -1);

    archive(good);
    rar.TargetDir = target();
    QList<qint64> positions;
    rar.OnProcessData = [&](QObject *, const unsigned char *, int, qint64 position) {
        positions.append(position);
        return 0;
    };
    EXPECT_TRUE(rar.ExtractFiles());
    EXPECT_EQ(positions, (QList<qint64>{4, 2}));

    // A data callback answering -1 stops the whole extraction.
    QDir(target()).removeRecursively();
    QDir().mkpath(target());
    errors.clear();
    extracted.clear();
    failed.clear();
    rar.OnProcessData = [](QObject *, const unsigned char *, int, qint64) { return -1; };
    EXPECT_FALSE(rar.ExtractFiles());
    EXPECT_EQ(failed, QStringList{"one.txt"});
    EXPECT_EQ(errors, std::vector<int>{21});
    EXPECT_EQ(outTree(), QStringList{"target"});
}

// Without the plug-in every operation tries again and shows the box; a
// listing and an extraction count first, so theirs comes twice.
TEST_F(RarToolTest, MissingLibrary)
{
    UnRarLoader::unload();
    archive(RarBuilder::rar4({{.name = "x", .data = "x"}}));
    rar.LibraryDirectory = dir.filePath("out");
    rar.TargetDir = target();
    EXPECT_EQ(rar.CountFiles(), -1);
    rar.ListFiles();
    EXPECT_FALSE(rar.ExtractFiles());
    ASSERT_EQ(dialogs.messages.size(), 5);
    for (const auto &message : dialogs.messages) {
        EXPECT_EQ(message.text, "Brakuje biblioteki -> unrar.dll");
        EXPECT_EQ(message.icon, Platform::MessageIcon::Error);
    }
    EXPECT_TRUE(listed.isEmpty());
    EXPECT_EQ(outTree(), QStringList{"target"});
}

// A self-extracting archive (the archive behind a program stub) lists and
// extracts as the archive it holds, in both layouts.
TEST_F(RarToolTest, SelfExtractingArchivesOpenAsTheArchiveTheyHold)
{
    const QByteArray stub = "MZ" + QByteArray(70000, '\x90') + "Rar!" + QByteArray(30000, '\x90');
    const QList<Item> items = {{.name = "one.txt", .data = "1111"}, {.name = "two.txt", .data = QByteArray(90000, '2')}};
    for (Builder build : {&RarBuilder::rar4, &RarBuilder::rar5}) {
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        listed.clear();
        archive(stub + build(items, {}), "sfx.rar");
        EXPECT_EQ(rar.CountFiles(), 2);
        rar.ListFiles();
        ASSERT_EQ(listed.size(), 2);
        EXPECT_EQ(listed[1].name, "two.txt");
        rar.TargetDir = target();
        EXPECT_TRUE(rar.ExtractFiles());
        EXPECT_EQ(TestSupport::readFile(target() + "/one.txt"), "1111");
        EXPECT_EQ(TestSupport::readFile(target() + "/two.txt"), QByteArray(90000, '2'));
    }
    // Data that is no program is not searched.
    archive("JUNK" + RarBuilder::rar5(items, {}), "junk.rar");
    EXPECT_LT(rar.CountFiles(), 1);
}

// Two entries of one name (versions of a file) are both written, the later
// one beside the first under a numbered name.
TEST_F(RarToolTest, EntriesOfOneNameAreWrittenUnderDistinctNames)
{
    for (Builder build : {&RarBuilder::rar4, &RarBuilder::rar5}) {
        QDir(target()).removeRecursively();
        QDir().mkpath(target());
        archive(build({{.name = "dir\\plik.txt", .data = "first"},
                       {.name = "dir\\plik.txt", .data = "second"},
                       {.name = "dir\\plik.txt", .data = "third"},
                       {.name = "README", .data = "r1"},
                       {.name = "README", .data = "r2"}},
                      {}));
        rar.TargetDir = target();
        EXPECT_TRUE(rar.ExtractFiles()) << failed.join(' ').toStdString() << " " << ::testing::PrintToString(errors);
        EXPECT_EQ(TestSupport::readFile(target() + "/dir/plik.txt"), "first");
        EXPECT_EQ(TestSupport::readFile(target() + "/dir/plik (2).txt"), "second");
        EXPECT_EQ(TestSupport::readFile(target() + "/dir/plik (3).txt"), "third");
        EXPECT_EQ(TestSupport::readFile(target() + "/README"), "r1");
        EXPECT_EQ(TestSupport::readFile(target() + "/README (2)"), "r2");
    }
}
