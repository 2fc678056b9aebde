#include <profilefile.h>
#include <safefile.h>
#include <textfile.h>

#include <testsupport.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <atomic>
#include <cstdio>
#include <functional>
#include <new>
#include <optional>
#include <ostream>

#include <csignal>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

// Names in a failure read as names.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

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

// Files, folders, links (dangling ones too) and FIFOs.
QStringList everythingIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The two ways a write goes: nameless until complete, where the file system
// allows, or under a temporary name of its own (FAT sticks, network shares).
struct WriteWay {
    const char *name;
    bool nameless;
};
constexpr WriteWay writeWays[] = {{"nameless until complete", true}, {"under a temporary name", false}};

class WriteWayScope
{
public:
    explicit WriteWayScope(const WriteWay &way) { allowNamelessWrites(way.nameless); }
    ~WriteWayScope() { allowNamelessWrites(true); }
};

// Runs work in a child process and returns its id; the child ends with
// work's exit code, or by the alarm if it hangs.
pid_t spawn(const std::function<int()> &work)
{
    const pid_t child = fork();
    if (child == 0) {
        alarm(30);
        _exit(work());
    }
    return child;
}

bool endedWell(pid_t child)
{
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
            for (const WriteWay &way : writeWays) {
                SCOPED_TRACE(std::string(writer.name) + ", " + size.name + ", " + way.name);
                const WriteWayScope scope(way);
                QTemporaryDir dir;
                const QString path =
                    writeFile(dir.filePath(QStringLiteral("MENU.INI")), iniBytes(size.oldKeys, "value"));
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
    for (const WriteWay &way : writeWays) {
        const WriteWayScope scope(way);
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", " + way.name);
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
}

// A program killed while writing leaves nothing where the new file is
// nameless until complete, and elsewhere a hidden file beside the old one;
// the next write or copy to that file removes it, as it does the one an
// earlier version of the programs left under its shared name.
TEST(SafeFileTest, TheNextWriteTakesOverWhatAKilledWriteLeft)
{
    struct FollowUp {
        const char *name;
        std::function<WriteResult(const QString &target, const QString &source)> write;
        QByteArray content;
    };
    const FollowUp followUps[] = {
        {"write", [](const QString &target, const QString &) { return writeWholeFile(target, "new"); }, "new"},
        {"copy", [](const QString &target, const QString &source) { return copyWholeFile(source, target); }, "copied"},
    };
    for (const WriteWay &way : writeWays) {
        const WriteWayScope scope(way);
        for (const FollowUp &followUp : followUps) {
            SCOPED_TRACE(std::string(followUp.name) + ", " + way.name);
            QTemporaryDir dir;
            const QString target = writeFile(dir.filePath(QStringLiteral("GRY.RV3")), "old");
            const QString source = writeFile(dir.filePath(QStringLiteral("zrodlo")), "copied");
            const QStringList clean = entriesOf(dir.path());
            const pid_t killed = spawn([&target] {
                WholeFileWriter file(target);
                if (file.open() && file.write("half of the new content"))
                    ::raise(SIGKILL);
                return 1;
            });
            int status = 0;
            ASSERT_EQ(waitpid(killed, &status, 0), killed);
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(entriesOf(dir.path()).size(), clean.size() + (way.nameless ? 0 : 1));
            writeFile(dir.filePath(QStringLiteral(".GRY.RV3.~new")), "left by an earlier version");

            const WriteResult written = followUp.write(target, source);
            ASSERT_TRUE(written.ok()) << written.error.toStdString();
            EXPECT_EQ(readFile(target), followUp.content);
            EXPECT_EQ(entriesOf(dir.path()), clean);
        }
    }
}

// A write in progress keeps its new file while another write or copy of the
// same file comes and goes: the later commit lands, and nothing is left.
TEST(SafeFileTest, AWriteInProgressKeepsItsFileWhileAnotherWritesTheSameFile)
{
    for (const WriteWay &way : writeWays) {
        SCOPED_TRACE(way.name);
        const WriteWayScope scope(way);
        QTemporaryDir dir;
        const QString target = writeFile(dir.filePath(QStringLiteral("GRY.RV3")), "old");
        const QString source = writeFile(dir.filePath(QStringLiteral("zrodlo")), "copied");
        WholeFileWriter first(target);
        ASSERT_TRUE(first.open());
        ASSERT_TRUE(first.write("first"));
        ASSERT_TRUE(writeWholeFile(target, "second").ok());
        EXPECT_EQ(readFile(target), "second");
        ASSERT_TRUE(copyWholeFile(source, target).ok());
        EXPECT_EQ(readFile(target), "copied");
        const WriteResult committed = first.commit();
        EXPECT_TRUE(committed.ok()) << committed.error.toStdString();
        EXPECT_EQ(readFile(target), "first");
        EXPECT_EQ(entriesOf(dir.path()), (QStringList{QStringLiteral("GRY.RV3"), QStringLiteral("zrodlo")}));
    }
}

// Beside the file, only a regular file under a name that a write of it
// gives its new content is taken for a left-over and removed. Anything else
// (a folder, a link, a FIFO under such a name, a file under a name that only
// looks alike) stays untouched, and none of it stops the write.
TEST(SafeFileTest, OnlyLeftOversOfKilledWritesAreRemovedBesideTheFile)
{
    const QStringList leftOverNames = {
        QStringLiteral(".GRY.RV3.~new"),          // shared by every write of an earlier version
        QStringLiteral(".GRY.RV3.1a2b3c"),        // a random number of the earliest one
        QStringLiteral(".GRY.RV3.~0123456789ab"), // one write's own
    };
    const QStringList foreignNames = {
        QStringLiteral(".GRY.RV3.backup"),         QStringLiteral(".GRY.RV3.old"),
        QStringLiteral(".GRY.RV3.~new.bak"),       QStringLiteral(".GRY.RV3.~0123456789AB"),
        QStringLiteral(".GRY.RV3.~0123456789a"),   QStringLiteral(".GRY.RV3.~0123456789abc"),
        QStringLiteral(".GRY.RV3.99999999999"),    QStringLiteral("GRY.RV3.~new"),
        QStringLiteral(".INNY.RV3.~0123456789ab"), QStringLiteral(".INNY.RV3.~new"),
    };
    struct Kind {
        const char *name;
        bool (*plant)(const QString &path, const QString &linked);
        bool removedAsLeftOver;
    };
    const Kind kinds[] = {
        {"file", [](const QString &path, const QString &) { return !writeFile(path, "someone's").isEmpty(); }, true},
        {"folder", [](const QString &path, const QString &) { return QDir().mkdir(path); }, false},
        {"link to a file", [](const QString &path, const QString &linked) { return QFile::link(linked, path); }, false},
        {"FIFO", [](const QString &path, const QString &) {
             return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         }, false},
    };
    for (const WriteWay &way : writeWays) {
        const WriteWayScope scope(way);
        for (const Kind &kind : kinds) {
            SCOPED_TRACE(std::string(kind.name) + ", " + way.name);
            HangGuard guard;
            QTemporaryDir dir;
            const QString target = writeFile(dir.filePath(QStringLiteral("GRY.RV3")), "old");
            const QString linked = writeFile(dir.filePath(QStringLiteral("cel")), "untouched");
            for (const QString &name : leftOverNames + foreignNames)
                ASSERT_TRUE(kind.plant(dir.filePath(name), linked)) << name.toStdString();
            QStringList expected = everythingIn(dir.path());
            if (kind.removedAsLeftOver) {
                for (const QString &name : leftOverNames)
                    expected.removeOne(name);
            }

            const WriteResult written = writeWholeFile(target, "new");
            ASSERT_TRUE(written.ok()) << written.error.toStdString();
            EXPECT_EQ(readFile(target), "new");
            EXPECT_EQ(readFile(linked), "untouched");
            EXPECT_EQ(everythingIn(dir.path()), expected);
        }
    }
}

namespace {

// Two processes write one file in turns of their own, each write a complete
// content that names its writer and its number; a third reads the file
// meanwhile. What they saw goes into memory all three share.
struct WriteRace {
    static constexpr int Writes = 150;
    std::atomic<int> lastSaved[2] = {-1, -1}; // the number of each writer's last write told saved
    std::atomic<int> writersDone{0};
    std::atomic<int> failedWrites{0};
    std::atomic<int> lostWrites{0};
    std::atomic<int> reads{0};
    std::atomic<int> badReads{0};
    std::atomic_flag noted = ATOMIC_FLAG_INIT;
    char firstProblem[400] = {};

    void note(const QByteArray &problem)
    {
        if (!noted.test_and_set())
            qstrncpy(firstProblem, problem.constData(), sizeof firstProblem);
    }
};

QByteArray contentOf(int writer, int write)
{
    const QByteArray line = "writer " + QByteArray::number(writer) + " write " + QByteArray::number(write) + '\n';
    QByteArray bytes;
    while (bytes.size() < 32 * 1024)
        bytes += line;
    return bytes;
}

struct Content {
    int writer = -1;
    int write = -1;
};

// Which write bytes are the complete content of; none when they are cut,
// empty or mixed.
std::optional<Content> contentIn(const QByteArray &bytes)
{
    Content content;
    if (std::sscanf(bytes.constData(), "writer %d write %d\n", &content.writer, &content.write) != 2
        || bytes != contentOf(content.writer, content.write))
        return std::nullopt;
    return content;
}

int writeInTurns(WriteRace &race, const QString &target, int writer)
{
    const int other = 1 - writer;
    for (int write = 0; write < WriteRace::Writes; ++write) {
        const int otherSavedBefore = race.lastSaved[other];
        const WriteResult result = writeWholeFile(target, contentOf(writer, write));
        if (!result.ok()) {
            ++race.failedWrites;
            race.note(result.error.toUtf8());
            continue;
        }
        race.lastSaved[writer] = write;
        // Saved means these bytes are the file now, unless the other writer
        // has replaced them since with a write it was not yet told of.
        const std::optional<Content> now = contentIn(readFile(target));
        const bool mine = now && now->writer == writer && now->write == write;
        const bool replaced = now && now->writer == other && now->write > otherSavedBefore;
        if (!mine && !replaced) {
            ++race.lostWrites;
            race.note("write " + QByteArray::number(write) + " of writer " + QByteArray::number(writer)
                      + " saved but not in the file");
        }
    }
    ++race.writersDone;
    return 0;
}

int readWhileWritten(WriteRace &race, const QString &target)
{
    while (race.writersDone < 2) {
        ++race.reads;
        if (const QByteArray bytes = readFile(target); !contentIn(bytes)) {
            ++race.badReads;
            race.note("read " + QByteArray::number(bytes.size()) + " bytes that are no complete content");
        }
    }
    return 0;
}

} // namespace

// Two programs saving one file at once: every read finds one complete
// content, every write told saved landed, and no write fails.
TEST(SafeFileTest, TwoProcessesWritingOneFileNeverMixOrLoseTheirWrites)
{
    for (const WriteWay &way : writeWays) {
        SCOPED_TRACE(way.name);
        const WriteWayScope scope(way);
        QTemporaryDir dir;
        const QString target = writeFile(dir.filePath(QStringLiteral("GRY.RV3")), contentOf(9, 0));
        void *shared = ::mmap(nullptr, sizeof(WriteRace), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(shared, MAP_FAILED);
        WriteRace &race = *new (shared) WriteRace;

        const pid_t reader = spawn([&] { return readWhileWritten(race, target); });
        const pid_t first = spawn([&] { return writeInTurns(race, target, 0); });
        const pid_t second = spawn([&] { return writeInTurns(race, target, 1); });
        EXPECT_TRUE(endedWell(first));
        EXPECT_TRUE(endedWell(second));
        EXPECT_TRUE(endedWell(reader));

        EXPECT_EQ(race.failedWrites, 0) << race.firstProblem;
        EXPECT_EQ(race.lostWrites, 0) << race.firstProblem;
        EXPECT_EQ(race.badReads, 0) << race.firstProblem << " (of " << race.reads << " reads)";
        const std::optional<Content> last = contentIn(readFile(target));
        ASSERT_TRUE(last.has_value());
        EXPECT_EQ(last->write, WriteRace::Writes - 1);
        EXPECT_EQ(entriesOf(dir.path()), QStringList{QStringLiteral("GRY.RV3")});
        race.~WriteRace();
        ::munmap(shared, sizeof(WriteRace));
    }
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
