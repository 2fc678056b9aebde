#include <disksearch/disksearch.h>

#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace {

// Records what a walk reports: "folder|" for each folder read (relative to
// the start), "folder|name" for each hit (a folder hit ends in "/").
class RecordingSink : public DiskSearch::Sink
{
public:
    explicit RecordingSink(QString start) : m_start(std::move(start)) {}

    void enterFolder(const QString &folder) override { events << folder.mid(m_start.size()) + u'|'; }
    void matched() override
    {
        ++matches;
        if (onMatched)
            onMatched(matches);
    }
    void found(DiskSearch::Hit hit) override
    {
        events << hit.folder.mid(m_start.size()) + u'|' + hit.name + (hit.isFolder ? QStringLiteral("/") : QString());
        hits << hit;
        if (onFound)
            onFound(hit);
    }

    QStringList hitNames() const
    {
        QStringList names;
        for (const DiskSearch::Hit &hit : hits)
            names << hit.folder.mid(m_start.size()) + hit.name;
        return names;
    }

    QStringList events;
    QList<DiskSearch::Hit> hits;
    std::function<void(const DiskSearch::Hit &)> onFound;
    std::function<void(int)> onMatched;
    int matches = 0;

private:
    QString m_start;
};

class DiskSearchTest : public testing::Test
{
protected:
    void SetUp() override { start = dir.path() + QStringLiteral("/start/"); }

    void file(const QString &relative, qint64 size = 1)
    {
        TestSupport::writeFile(start + relative, QByteArray(size, 'x'));
    }
    void folder(const QString &relative) { ASSERT_TRUE(QDir().mkpath(start + relative)); }

    RecordingSink run(const QString &masks, const QList<Platform::FolderId> &skipped = {})
    {
        DiskSearch::Request request{start, masks, skipped};
        RecordingSink sink(start);
        DiskSearch::search(request, sink, stop);
        return sink;
    }

    QTemporaryDir dir;
    QString start;
    std::atomic<bool> stop{false};
};

TEST_F(DiskSearchTest, FolderEntriesComeBeforeItsSubfoldersWhichGoInNameOrder)
{
    file(QStringLiteral("b.txt"), 20);
    file(QStringLiteral("A.txt"), 10);
    file(QStringLiteral("beta/y.txt"));
    file(QStringLiteral("Alpha/x.txt"));
    file(QStringLiteral("Alpha/Deep/z.txt"));
    folder(QStringLiteral("zeta"));
    const RecordingSink sink = run(QString());
    EXPECT_EQ(sink.events, (QStringList{"|", "|A.txt", "|Alpha/", "|b.txt", "|beta/", "|zeta/",
                                        "Alpha/|", "Alpha/|Deep/", "Alpha/|x.txt",
                                        "Alpha/Deep/|", "Alpha/Deep/|z.txt",
                                        "beta/|", "beta/|y.txt",
                                        "zeta/|"}));
    ASSERT_GE(sink.hits.size(), 4);
    EXPECT_EQ(sink.hits[0].size, 10);
    EXPECT_EQ(sink.hits[2].size, 20);
    EXPECT_EQ(sink.hits[0].folder, start);
    EXPECT_TRUE(sink.hits[1].isFolder);
}

TEST_F(DiskSearchTest, NamesMatchTheMasksInAnyLetterCase)
{
    file(QStringLiteral("SETUP.EXE"));
    file(QStringLiteral("sub/Setup.exe"));
    file(QStringLiteral("setup.exe.bak"));
    file(QStringLiteral("mysetup.exe"));
    file(QStringLiteral("pack.ZIP"));
    folder(QStringLiteral("setup.exe"));
    const struct {
        const char *masks;
        QStringList expected;
    } cases[] = {
        {"setup.exe", {"SETUP.EXE", "setup.exe", "sub/Setup.exe"}},
        {"install.exe;setup.exe;setup32.exe;instaluj.exe", {"SETUP.EXE", "setup.exe", "sub/Setup.exe"}},
        {"*.zip;*.arj", {"pack.ZIP"}},
        {"setup", {"mysetup.exe", "SETUP.EXE", "setup.exe", "setup.exe.bak", "sub/Setup.exe"}},
        {"", {"mysetup.exe", "pack.ZIP", "SETUP.EXE", "setup.exe", "setup.exe.bak", "sub", "sub/Setup.exe"}},
    };
    for (const auto &test : cases)
        EXPECT_EQ(run(QString::fromUtf8(test.masks)).hitNames(), test.expected) << test.masks;
}

TEST_F(DiskSearchTest, LinksPipesAndPseudoFileSystemsAreNeverEntered)
{
    file(QStringLiteral("Sub/setup.exe"), 5);
    file(QStringLiteral("proc/setup.exe"));
    ASSERT_TRUE(QFile::link(start, start + QStringLiteral("Sub/loop")));
    ASSERT_TRUE(QFile::link(start + QStringLiteral("Sub/setup.exe"), start + QStringLiteral("link-setup.exe")));
    ASSERT_EQ(mkfifo(QFile::encodeName(start + QStringLiteral("setup.exe")).constData(), 0600), 0);
    // The mount table names start/proc as the kernel's process file system.
    const QByteArray table = "22 1 0:5 / " + QFile::encodeName(start + QStringLiteral("proc"))
                             + " rw,nosuid shared:12 - proc proc rw\n"
                               "23 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                               "24 1 0:6 / /nowhere rw - sysfs sysfs rw\n";
    const auto skipped = DiskSearch::pseudoFileSystemFolders(Platform::parseMountInfo(table));
    ASSERT_EQ(skipped.size(), 1);
    const RecordingSink sink = run(QStringLiteral("setup.exe"), skipped);
    EXPECT_EQ(sink.hitNames(), QStringList{"Sub/setup.exe"});
    EXPECT_EQ(sink.events, (QStringList{"|", "Sub/|", "Sub/|setup.exe"}));
}

TEST_F(DiskSearchTest, StopsWithinOneEntryOfTheRequest)
{
    for (int i = 0; i < 5; ++i) {
        file(QStringLiteral("setup%1.exe").arg(i));
        file(QStringLiteral("f%1/setup.exe").arg(i));
    }
    DiskSearch::Request request{start, QStringLiteral("setup*"), {}};
    RecordingSink sink(start);
    sink.onFound = [this](const DiskSearch::Hit &) { stop = true; };
    DiskSearch::search(request, sink, stop);
    // The folder was read when the stop came: its hits are kept, nothing
    // below it is entered.
    EXPECT_EQ(sink.events,
              (QStringList{"|", "|setup0.exe", "|setup1.exe", "|setup2.exe", "|setup3.exe", "|setup4.exe"}));
}

// A stop while a folder is being read keeps the hits read so far, in name
// order, and counted as they were matched.
TEST_F(DiskSearchTest, AStopInsideAFolderKeepsTheHitsReadSoFar)
{
    for (int i = 0; i < 8; ++i)
        file(QStringLiteral("setup%1.exe").arg(i), i + 1);
    file(QStringLiteral("sub/setup.exe"));
    DiskSearch::Request request{start, QStringLiteral("setup*"), {}};
    RecordingSink sink(start);
    sink.onMatched = [this](int matches) {
        if (matches == 3)
            stop = true;
    };
    DiskSearch::search(request, sink, stop);
    ASSERT_EQ(sink.hits.size(), 3);
    EXPECT_EQ(sink.matches, 3);
    const QStringList names = sink.hitNames();
    for (const DiskSearch::Hit &hit : sink.hits) {
        EXPECT_EQ(hit.folder, start);
        EXPECT_EQ(hit.size, hit.name.mid(5, 1).toInt() + 1) << hit.name.toStdString();
    }
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(names, sorted);
    EXPECT_FALSE(sink.events.contains(QStringLiteral("sub/|")));
}

TEST_F(DiskSearchTest, EmptyRelativeOrMissingStartFindsNothing)
{
    file(QStringLiteral("setup.exe"));
    const QString here = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(start));
    for (const QString &folder : {QString(), QStringLiteral("."), QStringLiteral("start"), start + "missing/"}) {
        DiskSearch::Request request{folder, QString(), {}};
        RecordingSink sink(start);
        DiskSearch::search(request, sink, stop);
        EXPECT_TRUE(sink.events.isEmpty()) << folder.toStdString();
    }
    QDir::setCurrent(here);
}

// A folder mounted below itself (a bind mount, made in a mount namespace of
// a child process, where the system lets it) is walked once, not forever.
TEST_F(DiskSearchTest, AFolderMountedBelowItselfIsWalkedOnce)
{
    file(QStringLiteral("setup.exe"));
    folder(QStringLiteral("loop"));
    const QByteArray where = QFile::encodeName(start);
    const QByteArray loop = QFile::encodeName(start + QStringLiteral("loop"));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(20); // an endless walk ends the child, not the suite
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || mount(where.constData(), loop.constData(), nullptr, MS_BIND, nullptr) != 0)
            _exit(77);
        DiskSearch::Request request{start, QStringLiteral("setup.exe"), {}};
        RecordingSink sink(start);
        std::atomic<bool> never{false};
        DiskSearch::search(request, sink, never);
        _exit(sink.hitNames() == QStringList{"setup.exe"} ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no bind mounts here";
    EXPECT_TRUE(WIFEXITED(status)) << "the walk did not end";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// Makes count nested folders of the name below fd, each one holding a
// "setup.exe" at depth marks; returns nothing, works with handles only, as
// the path grows beyond what the system can open in one piece.
void makeDeepTree(int fd, const QByteArray &name, int count, const QList<int> &marks)
{
    int current = dup(fd);
    for (int level = 1; level <= count; ++level) {
        ASSERT_EQ(mkdirat(current, name.constData(), 0700), 0);
        const int next = openat(current, name.constData(), O_RDONLY | O_DIRECTORY);
        ASSERT_GE(next, 0);
        if (marks.contains(level)) {
            const int file = openat(next, "setup.exe", O_WRONLY | O_CREAT, 0600);
            ASSERT_GE(file, 0);
            close(file);
        }
        close(current);
        current = next;
    }
    close(current);
}

// Removes what makeDeepTree made, from the bottom up.
void removeDeepTree(int fd, const QByteArray &name)
{
    const int inner = openat(fd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (inner < 0)
        return;
    removeDeepTree(inner, name);
    unlinkat(inner, "setup.exe", 0);
    close(inner);
    unlinkat(fd, name.constData(), AT_REMOVEDIR);
}

TEST_F(DiskSearchTest, TreesDeeperThanAPathMayBeLongAreWalkedThroughAndBack)
{
    folder(QStringLiteral("deep"));
    file(QStringLiteral("zz/setup.exe"));
    const QByteArray name(60, 'd');
    const int levels = 100; // 6,100 characters, more than a path may hold
    const int fd = open(QFile::encodeName(start + QStringLiteral("deep")).constData(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(fd, 0);
    makeDeepTree(fd, name, levels, {3, levels});
    DiskSearch::Request request{start, QStringLiteral("setup.exe"), {}};
    request.openFolders = 4; // the folders above are opened again on the way back
    RecordingSink sink(start);
    DiskSearch::search(request, sink, stop);
    removeDeepTree(fd, name);
    close(fd);

    ASSERT_EQ(sink.hits.size(), 3);
    EXPECT_EQ(sink.hits[0].folder.size(), start.size() + 5 + 3 * 61);
    EXPECT_EQ(sink.hits[1].folder.size(), start.size() + 5 + levels * 61);
    EXPECT_GT(sink.hits[1].folder.size(), 4096);
    EXPECT_EQ(sink.hits[2].folder, start + QStringLiteral("zz/"));
}

} // namespace
