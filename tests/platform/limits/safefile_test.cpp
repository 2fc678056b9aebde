#include <profilefile.h>
#include <safefile.h>
#include <textfile.h>

#include <testsupport.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Platform;
using TestSupport::readFile;
using TestSupport::writeFile;

namespace {

// Ends the test program when a read hangs instead of letting it wait forever.
class HangGuard
{
public:
    HangGuard() { alarm(20); }
    ~HangGuard() { alarm(0); }
};

QByteArray iniBytes(int keys, const char *value)
{
    QByteArray bytes = "[WINDOW]\r\n";
    for (int i = 0; i < keys; ++i)
        bytes += "KEY" + QByteArray::number(i) + '=' + value + "\r\n";
    return bytes;
}

unsigned modeOf(const QString &path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? unsigned(status.st_mode & 07777) : ~0u;
}

QStringList entriesOf(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

// A full disk shows as a short write: the old file must keep every byte, the
// half-written new one must go, and the caller must hear of it.
TEST(SafeFileTest, WritersKeepTheOldFileOnAFullDisk)
{
    struct Writer {
        const char *name;
        std::function<QString(const QString &path, const QByteArray &bytes)> write; // the error
    };
    const Writer writers[] = {
        {"writeWholeFile", [](const QString &path, const QByteArray &bytes) {
             return writeWholeFile(path, bytes).error;
         }},
        {"WholeFileWriter, in pieces", [](const QString &path, const QByteArray &bytes) {
             WholeFileWriter file(path);
             if (!file.open())
                 return file.error();
             for (qsizetype at = 0; at < bytes.size(); at += 1000) {
                 if (!file.write(QByteArrayView(bytes).sliced(at, qMin<qsizetype>(1000, bytes.size() - at))))
                     return file.error();
             }
             return file.commit().error;
         }},
        {"ProfileFile::flush", [](const QString &path, const QByteArray &bytes) {
             ProfileFile ini(path);
             ini.writeString(QStringLiteral("WINDOW"), QStringLiteral("NEW"), QString::fromLatin1(bytes));
             const bool flushed = ini.flush();
             return flushed ? QString() : ini.errorString();
         }},
    };
    struct Size {
        const char *name;
        int oldKeys;
        int newBytes;
        qint64 limit;
    };
    // The large write goes to the disk at once; the small one stays in a
    // buffer until the commit.
    const Size sizes[] = {{"82 KB file, 45 KB free", 4000, 90'000, 45'000}, {"small file", 10, 3000, 1500}};
    for (const Writer &writer : writers) {
        for (const Size &size : sizes) {
            SCOPED_TRACE(std::string(writer.name) + ", " + size.name);
            QTemporaryDir dir;
            const QString path = writeFile(dir.filePath(QStringLiteral("MENU.INI")), iniBytes(size.oldKeys, "value"));
            const QByteArray before = readFile(path);
            QString error;
            {
                TestSupport::FileSizeLimit fullDisk(size.limit);
                error = writer.write(path, QByteArray(size.newBytes, 'x'));
            }
            EXPECT_FALSE(error.isEmpty());
            EXPECT_EQ(readFile(path), before);
            EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("MENU.INI")});
        }
    }
}

TEST(SafeFileTest, AWholeWriteReplacesTheFileAndAFailedOneSaysWhy)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("a.txt")), "old");
    EXPECT_TRUE(writeWholeFile(path, "new content").ok());
    EXPECT_EQ(readFile(path), "new content");
    EXPECT_TRUE(writeWholeFile(path, {}).ok());
    EXPECT_EQ(readFile(path), QByteArray());

    QDir().mkpath(dir.filePath(QStringLiteral("folder")));
    const WriteResult onFolder = writeWholeFile(dir.filePath(QStringLiteral("folder")), "x");
    EXPECT_FALSE(onFolder.ok());
    EXPECT_TRUE(onFolder.error.contains(QStringLiteral("folder")));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("folder"))).isDir());
}

// The new content lands where the old one was: a link stays a link and its
// file gets the bytes (a dangling link makes the file it names), the file
// keeps its permission bits, a new file gets those of any new file; a
// folder that is not there is reported, and no temporary file is left.
TEST(SafeFileTest, AWholeWriteKeepsLinksAndPermissions)
{
    QTemporaryDir dir;
    const QString real = writeFile(dir.filePath(QStringLiteral("real.ini")), "old");
    QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString link = dir.filePath(QStringLiteral("link.ini"));
    ASSERT_TRUE(QFile::link(real, link));
    ASSERT_TRUE(writeWholeFile(link, "through the link").ok());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(real), "through the link");
    EXPECT_EQ(modeOf(real), 0700u);

    const QString dangling = dir.filePath(QStringLiteral("dangling.ini"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("made.ini")), dangling));
    ASSERT_TRUE(writeWholeFile(dangling, "made").ok());
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("made.ini"))), "made");

    const QString fresh = dir.filePath(QStringLiteral("fresh.ini"));
    ASSERT_TRUE(writeWholeFile(fresh, "new").ok());
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(fresh), 0666u & ~unsigned(mask));

    const WriteResult missing = writeWholeFile(dir.filePath(QStringLiteral("none/a.ini")), "x");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.reason, QStringLiteral("Nie ma takiego pliku ani katalogu"));

    EXPECT_EQ(entriesOf(dir.path()), (QStringList{QStringLiteral("dangling.ini"), QStringLiteral("fresh.ini"),
                                                  QStringLiteral("link.ini"), QStringLiteral("made.ini"),
                                                  QStringLiteral("real.ini")}));
}

// Whatever the length of a name the system takes, a write and a copy reach
// it: their temporary name beside it must fit the system's limit as well.
TEST(SafeFileTest, NamesUpToTheSystemsLimitAreWrittenAndCopied)
{
    QTemporaryDir dir;
    const QString source = writeFile(dir.filePath(QStringLiteral("s")), "copied");
    const struct {
        const char *name;
        QString fileName;
        qsizetype bytes;
    } cases[] = {
        {"short", QStringLiteral("GRY.RV3"), 7},
        {"one byte too long for the old temporary names", QString(247, u'a'), 247},
        {"as long as the system allows", QString(255, u'b'), 255},
        {"two-byte letters up to the limit", QString(127, u'\u017C') + u'c', 255},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(QFile::encodeName(c.fileName).size(), c.bytes);
        const QString target = dir.filePath(c.fileName);
        ASSERT_TRUE(writeWholeFile(target, "first").ok());
        const WriteResult again = writeWholeFile(target, "second");
        ASSERT_TRUE(again.ok()) << again.error.toStdString();
        EXPECT_EQ(readFile(target), "second");
        ASSERT_TRUE(copyWholeFile(source, target).ok());
        EXPECT_EQ(readFile(target), "copied");
        QStringList left = entriesOf(dir.path());
        left.removeOne(QStringLiteral("s"));
        EXPECT_EQ(left, QStringList{c.fileName});
        QFile::remove(target);
    }
}

// A program killed after its write got the temporary name, before the
// rename, leaves that hidden file beside the old one; the next write of the
// file takes it over, so nothing of it stays.
TEST(SafeFileTest, TheNextWriteTakesOverWhatAKilledWriteLeft)
{
    QTemporaryDir dir;
    const QString target = writeFile(dir.filePath(QStringLiteral("GRY.RV3")), "old");
    writeFile(dir.filePath(QStringLiteral(".GRY.RV3.~new")), "left by a killed write");
    ASSERT_TRUE(writeWholeFile(target, "new").ok());
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("GRY.RV3")});

    writeFile(dir.filePath(QStringLiteral(".GRY.RV3.~new")), "left by a killed copy");
    const QString source = writeFile(dir.filePath(QStringLiteral("zrodlo")), "copied");
    ASSERT_TRUE(copyWholeFile(source, target).ok());
    EXPECT_EQ(readFile(target), "copied");
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{QStringLiteral("GRY.RV3"), QStringLiteral("zrodlo")}));
}

// A copy over an existing name replaces it whole with the source's bytes and
// permission bits; a copy that cannot be made leaves the old file, and
// neither leaves a temporary file behind.
TEST(SafeFileTest, ACopyOverANameReplacesItWhole)
{
    QTemporaryDir dir;
    const QString source = writeFile(dir.filePath(QStringLiteral("source.exe")), "program");
    QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QString target = writeFile(dir.filePath(QStringLiteral("target.exe")), "old");
    ASSERT_TRUE(copyWholeFile(source, target).ok());
    EXPECT_EQ(readFile(target), "program");
    EXPECT_EQ(modeOf(target), 0700u);

    const WriteResult missing = copyWholeFile(dir.filePath(QStringLiteral("none.exe")), target);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(readFile(target), "program");
    EXPECT_EQ(entriesOf(dir.path()), (QStringList{QStringLiteral("source.exe"), QStringLiteral("target.exe")}));
}

// A copy to a new name is the whole file with its execute bits, or nothing:
// a taken name (a file, a link) stays as it was, and a copy cut short by a
// full disk is removed.
TEST(SafeFileTest, ACopyToANewNameIsWholeOrNothing)
{
    QTemporaryDir dir;
    QByteArray content(300'000, Qt::Uninitialized);
    for (qsizetype i = 0; i < content.size(); ++i)
        content[i] = char(i % 253);
    const QString source = writeFile(dir.filePath(QStringLiteral("setup.exe")), content);
    QFile::setPermissions(source, QFile::permissions(source) | QFileDevice::ExeOwner);
    const QString taken = writeFile(dir.filePath(QStringLiteral("taken.exe")), "old");
    const QString link = dir.filePath(QStringLiteral("link.exe"));
    const QString linkDestination = dir.filePath(QStringLiteral("elsewhere.exe"));
    ASSERT_TRUE(QFile::link(linkDestination, link));
    QDir().mkpath(dir.filePath(QStringLiteral("folder")));

    const QString copy = dir.filePath(QStringLiteral("copy.exe"));
    ASSERT_TRUE(copyToNewFile(source, copy).ok());
    EXPECT_EQ(readFile(copy), content);
    EXPECT_TRUE(QFile::permissions(copy).testFlag(QFileDevice::ExeOwner));

    struct Refused {
        const char *name;
        QString source;
        QString target;
    };
    const Refused refused[] = {
        {"taken name", source, taken},
        {"link at the name", source, link},
        {"folder as source", dir.filePath(QStringLiteral("folder")), dir.filePath(QStringLiteral("a.exe"))},
        {"missing source", dir.filePath(QStringLiteral("none.exe")), dir.filePath(QStringLiteral("b.exe"))},
    };
    const QStringList entries = entriesOf(dir.path());
    for (const Refused &refusal : refused) {
        SCOPED_TRACE(refusal.name);
        const WriteResult result = copyToNewFile(refusal.source, refusal.target);
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.error.contains(QFileInfo(refusal.target).fileName()));
        EXPECT_EQ(entriesOf(dir.path()), entries);
    }
    EXPECT_EQ(readFile(taken), "old");
    EXPECT_FALSE(QFileInfo::exists(linkDestination));

    {
        TestSupport::FileSizeLimit fullDisk(100'000);
        EXPECT_FALSE(copyToNewFile(source, dir.filePath(QStringLiteral("cut.exe"))).ok());
    }
    EXPECT_EQ(entriesOf(dir.path()), entries);
}

// Every kind of file a CD names is read only when it is a regular file; a
// FIFO is never opened (opening it would wait for a writer) and a device is
// never read (it would never end).
TEST(SafeFileTest, SpecialFilesAreNeverRead)
{
    QTemporaryDir dir;
    struct Reader {
        const char *kind;
        std::function<bool(const QString &)> reads; // true: something was read
    };
    const Reader readers[] = {
        {"bounded read", [](const QString &path) {
             const ReadResult result = readRegularFile(path, SizeLimits::Profile);
             EXPECT_EQ(result.status, ReadResult::Status::NotRegular);
             return result.ok();
         }},
        {"block read", [](const QString &path) {
             bool consumed = false;
             const auto consume = [&consumed](QByteArrayView) { return consumed = true; };
             const ReadResult result = readRegularFileInBlocks(path, SizeLimits::Profile, consume);
             EXPECT_EQ(result.status, ReadResult::Status::NotRegular);
             return result.ok() || consumed;
         }},
        {"text", [](const QString &path) { return readTextFile(path).has_value(); }},
        {"picture", [](const QString &path) { return !readPicture(path).isNull(); }},
        {"profile", [](const QString &path) {
             ProfileFile ini(path);
             const bool read = ini.errorString().isEmpty() || !ini.sectionNames().isEmpty();
             ini.writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
             EXPECT_FALSE(ini.flush()); // never written over
             return read;
         }},
    };
    for (const auto &[special, path] : TestSupport::makeSpecialFiles(dir.filePath(QStringLiteral("cd")))) {
        for (const Reader &reader : readers) {
            SCOPED_TRACE(special.toStdString() + " as " + reader.kind);
            HangGuard guard;
            EXPECT_FALSE(reader.reads(path));
            EXPECT_FALSE(isRegularFile(path));
        }
    }
}

TEST(SafeFileTest, ReadsStopAtTheLimitOfTheirKind)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir.filePath(QStringLiteral("a.txt")), QByteArray(1000, 'a'));
    EXPECT_TRUE(readRegularFile(path, 1000).ok());
    EXPECT_EQ(readRegularFile(path, 1000).bytes.size(), 1000);
    EXPECT_EQ(readRegularFile(path, 999).status, ReadResult::Status::TooLarge);
    EXPECT_FALSE(readTextFile(path, 999).has_value());
    EXPECT_EQ(readRegularFile(dir.filePath(QStringLiteral("none")), 1000).status, ReadResult::Status::Missing);
    EXPECT_EQ(readRegularFile({}, 1000).status, ReadResult::Status::Missing);
    const auto ignore = [](QByteArrayView) { return true; };
    EXPECT_TRUE(readRegularFileInBlocks(path, 1000, ignore).ok());
    EXPECT_EQ(readRegularFileInBlocks(path, 999, ignore).status, ReadResult::Status::TooLarge);
    EXPECT_EQ(readRegularFileInBlocks(dir.filePath(QStringLiteral("none")), 1000, ignore).status,
              ReadResult::Status::Missing);

    // A profile file beyond its limit reads as empty and is never replaced.
    const QString ini = dir.filePath(QStringLiteral("big.ini"));
    const QByteArray huge = "[A]\r\nB=1\r\n" + QByteArray(int(ProfileFile::maxFileSize), ';');
    writeFile(ini, huge);
    {
        ProfileFile file(ini);
        EXPECT_FALSE(file.sectionExists(QStringLiteral("A")));
        file.writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2"));
        EXPECT_FALSE(file.flush());
    }
    EXPECT_EQ(QFileInfo(ini).size(), huge.size());
}

// A file read in blocks arrives whole and in order, in blocks no larger
// than promised, and stops when the reader has what it wants.
TEST(SafeFileTest, BlockReadsHandOverTheWholeFileInOrder)
{
    QTemporaryDir dir;
    for (const qsizetype size : {qsizetype(0), qsizetype(1), FileBlockSize - 1, FileBlockSize,
                                 FileBlockSize + 1, 3 * FileBlockSize + 17}) {
        SCOPED_TRACE(size);
        QByteArray bytes(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            bytes[i] = char(i * 7 % 251);
        const QString path = writeFile(dir.filePath(QStringLiteral("blocks.bin")), bytes);
        QByteArray joined;
        int blocks = 0;
        const ReadResult result = readRegularFileInBlocks(path, size, [&](QByteArrayView block) {
            EXPECT_LE(block.size(), FileBlockSize);
            EXPECT_FALSE(block.isEmpty());
            joined += block;
            ++blocks;
            return true;
        });
        EXPECT_TRUE(result.ok());
        EXPECT_TRUE(result.bytes.isEmpty());
        EXPECT_EQ(joined, bytes);
        int stoppedAfter = 0;
        readRegularFileInBlocks(path, size, [&](QByteArrayView) { return ++stoppedAfter < 2; });
        EXPECT_EQ(stoppedAfter, std::min(blocks, 2));
    }
}

TEST(SafeFileTest, PicturesLargerThanAScreenAreNotLoaded)
{
    QTemporaryDir dir;
    struct Case {
        QSize size;
        bool loads;
    };
    const Case cases[] = {
        {{ScreenLimits::MaxExtent, 1}, true},
        {{ScreenLimits::MaxExtent + 1, 1}, false},
        {{1, ScreenLimits::MaxExtent + 1}, false},
        {{20, 10}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 x %2").arg(c.size.width()).arg(c.size.height()).toStdString());
        QImage picture(c.size, QImage::Format_Mono);
        picture.fill(0);
        const QString path = dir.filePath(QStringLiteral("p.bmp"));
        ASSERT_TRUE(picture.save(path, "BMP"));
        const QImage loaded = readPicture(path);
        EXPECT_EQ(!loaded.isNull(), c.loads);
        if (c.loads) {
            EXPECT_EQ(loaded.size(), c.size);
        }
    }
}
