// The directory reader over archives made by Debian's zip and by the
// builder: where the end record is found, what is listed, and the names.

#include "zipbuilder.h"
#include "zipdirectory.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ZipFormat;

namespace {

Directory readBytes(const QByteArray &bytes, CodePage codePage = CodePage::Auto)
{
    const MemorySource source(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return readDirectory(source, codePage);
}

QList<ZipBuilder::Item> twoItems()
{
    return {{"a.txt", "alpha"}, {"dir/b.txt", "bravo bravo"}};
}

std::vector<std::string> names(const Directory &directory)
{
    std::vector<std::string> out;
    for (const Entry &entry : directory.entries)
        out.push_back(entry.fileName);
    return out;
}

} // namespace

TEST(ZipDirectory, LayoutsFromTheBuilder)
{
    const QByteArray inner = ZipBuilder::build({{"inner.txt", "inside"}});
    QByteArray sectorPadded = ZipBuilder::build(twoItems());
    sectorPadded.append(QByteArray(512 - sectorPadded.size() % 512, '\0'));

    struct Case {
        const char *what;
        QByteArray bytes;
        int error;
        std::vector<int> warnings;
        std::vector<std::string> names;
        std::string comment;
    };
    const std::vector<std::string> both{"a.txt", "dir\\b.txt"};
    const Case cases[] = {
        {"plain", ZipBuilder::build(twoItems()), 0, {}, both, ""},
        {"comment", ZipBuilder::build(twoItems(), {.comment = "hello"}), 0, {}, both, "hello"},
        {"comment with a zero", ZipBuilder::build(twoItems(), {.comment = QByteArray("hi\0there", 8)}), 0, {}, both, "hi"},
        {"comment holding an end signature",
         ZipBuilder::build(twoItems(), {.comment = QByteArray("x PK\x05\x06 y", 8)}), 0, {}, both, std::string("x PK\x05\x06 y", 8)},
        {"zero padded sector", sectorPadded, 0, {}, both, ""},
        {"trailing junk", ZipBuilder::build(twoItems(), {.trailing = "junk"}), 0, {Message::TrailingDataWarning}, both, ""},
        {"zero padding not up to a sector", ZipBuilder::build(twoItems(), {.trailing = QByteArray(7, '\0')}), 0,
         {Message::TrailingDataWarning}, both, ""},
        {"prefix, offsets moved", ZipBuilder::build(twoItems(), {.prefix = QByteArray(300, 'S'), .offsetsCountPrefix = true}),
         0, {}, both, ""},
        {"prefix, offsets not moved", ZipBuilder::build(twoItems(), {.prefix = QByteArray(300, 'S')}), 0,
         {Message::StructureWarning}, both, ""},
        {"nested stored zip last", ZipBuilder::build({{"a.txt", "alpha"}, {"inner.zip", inner}}), 0, {},
         {"a.txt", "inner.zip"}, ""},
        {"empty archive", ZipBuilder::build({}), 0, {}, {}, ""},
        {"21 bytes", QByteArray("PK\x05\x06", 4) + QByteArray(17, '\0'), Message::NotZip, {}, {}, ""},
        {"comment past the end", ZipBuilder::build(twoItems(), {.comment = "abc", .extraCommentLength = 5}), Message::NotZip,
         {}, {}, ""},
        {"lying total", ZipBuilder::build(twoItems(), {.extraTotal = 3}), Message::CentralReadFailed, {}, {}, ""},
        {"zip64", ZipBuilder::build(twoItems(), {.zip64Locator = true}), Message::Zip64Refused, {}, {}, ""},
        {"first part of a set", QByteArray("PK\x07\x08PK\x03\x04", 8) + QByteArray(40, 'x'), Message::FirstFileOfSet, {}, {}, ""},
        {"not a zip", QByteArray(100, 'x'), Message::NotZip, {}, {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Directory directory = readBytes(c.bytes);
        EXPECT_EQ(directory.error, c.error);
        EXPECT_EQ(directory.warnings, c.warnings);
        EXPECT_EQ(names(directory), c.names);
        EXPECT_EQ(directory.end.comment, c.comment);
    }
}

TEST(ZipDirectory, PrefixShiftAndFrontOffset)
{
    const QByteArray bytes = ZipBuilder::build(twoItems(), {.prefix = QByteArray(300, 'S')});
    const Directory directory = readBytes(bytes);
    EXPECT_EQ(directory.shift, 300);
    EXPECT_EQ(directory.frontOffset, 300);
    EXPECT_EQ(directory.entries.at(1).localHeaderOffset(), 30u + 5 + 5);
}

TEST(ZipDirectory, ArchivesOfDebianZip)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("tree/sub");
    for (const auto &[name, text] : {std::pair{"tree/one.txt", "one"}, {"tree/sub/two.txt", "two two"}}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const QString zipPath = dir.filePath("made.zip");
    QProcess zip;
    zip.setWorkingDirectory(dir.path());
    zip.start("zip", {"-q", "-r", "-z", zipPath, "tree"});
    zip.write("archive comment\n.\n");
    zip.closeWriteChannel();
    ASSERT_TRUE(zip.waitForFinished());
    ASSERT_EQ(zip.exitCode(), 0);

    const FileSource source(QFile::encodeName(zipPath).toStdString());
    const Directory directory = readDirectory(source);
    EXPECT_EQ(directory.error, 0);
    EXPECT_TRUE(directory.warnings.empty());
    EXPECT_EQ(names(directory), (std::vector<std::string>{"tree\\", "tree\\one.txt", "tree\\sub\\", "tree\\sub\\two.txt"}));
    EXPECT_EQ(directory.end.comment, "archive comment");
    EXPECT_TRUE(directory.entries[0].isFolder());
    EXPECT_EQ(directory.entries[1].uncompressedSize(), 3u);
}

TEST(ZipDirectory, FifoIsNotRead)
{
    QTemporaryDir dir;
    const QByteArray fifo = QFile::encodeName(dir.filePath("pipe.zip"));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    EXPECT_FALSE(FileSource(fifo.toStdString()).isOpen());
}

TEST(ZipEntryNames, DecodedByFlagHostAndContent)
{
    // "Zażółć" in each encoding.
    const QByteArray utf8 = QString::fromUtf8("Zażółć").toUtf8();
    const QByteArray cp852("Za\xBE\xA2\x88\x86", 6);
    const QByteArray cp1250("Za\xBF\xF3\xB3\xE6", 6);
    struct Case {
        const char *what;
        QByteArray raw;
        quint16 flags;
        quint8 version;
        quint8 host;
        CodePage codePage;
        QString expected;
    };
    const QString polish = QString::fromUtf8("Zażółć");
    const Case cases[] = {
        {"UTF-8 flagged", utf8, Utf8NameFlag, 20, 0, CodePage::Auto, polish},
        {"UTF-8 from a Linux tool, unflagged", utf8, 0, 30, 3, CodePage::Auto, polish},
        {"CP852 from FAT", cp852, 0, 20, 0, CodePage::Auto, polish},
        {"CP852 from HPFS", cp852, 0, 20, 6, CodePage::None, polish},
        {"CP852 from NTFS 5.0", cp852, 0, 50, 11, CodePage::Auto, polish},
        {"CP852 forced", cp852, 0, 30, 3, CodePage::Oem, polish},
        {"Windows-1250 from Unix", cp1250, 0, 30, 3, CodePage::Auto, polish},
        {"Windows-1250 from NTFS 2.0", cp1250, 0, 20, 11, CodePage::Auto, polish},
        {"FAT name under cpNone", cp1250, 0, 20, 0, CodePage::None, polish},
        {"invalid UTF-8 flagged", QByteArray("a\xFF", 2), Utf8NameFlag, 20, 0, CodePage::Auto, QString::fromUtf8("a\xEF\xBF\xBD")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string decoded = decodeEntryName(std::string_view(c.raw.constData(), c.raw.size()),
                                                    {c.flags, c.version, c.host}, c.codePage);
        EXPECT_EQ(QString::fromStdString(decoded), c.expected);
        EXPECT_TRUE(isValidUtf8(decoded));
    }
}

TEST(ZipEntryNames, ListedNamesUseBackslashes)
{
    const Directory directory = readBytes(ZipBuilder::build({{"A/B/c.txt", "x"}}));
    ASSERT_EQ(directory.entries.size(), 1u);
    EXPECT_EQ(directory.entries[0].fileName, "A\\B\\c.txt");
    EXPECT_EQ(directory.entries[0].rawName, "A/B/c.txt");
}

TEST(ZipDosDates, InvalidDatesHaveNoValue)
{
    const auto valid = decodeDosDateTime(0x50216000);
    ASSERT_TRUE(valid.has_value());
    EXPECT_EQ(valid->year, 2020);
    EXPECT_EQ(valid->hour, 12);
    EXPECT_FALSE(decodeDosDateTime(0).has_value());                            // month 0
    EXPECT_FALSE(decodeDosDateTime((40u << 25) | (2u << 21) | (30u << 16)).has_value()); // 30 February
    EXPECT_FALSE(decodeDosDateTime((41u << 25) | (2u << 21) | (29u << 16)).has_value()); // 29 February 2021
    EXPECT_FALSE(decodeDosDateTime(0x50210000 | (24u << 11)).has_value());     // hour 24
}
