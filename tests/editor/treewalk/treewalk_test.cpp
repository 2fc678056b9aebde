#include "treewalk/treewalk.h"

#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// start/a.txt (10 bytes), start/Sub/b.dat (20), start/Sub/Deeper/c.TXT (30),
// plus a link back up (a loop), a link to a file and a pipe, none of which
// may be walked into or counted.
class TreeWalkTest : public testing::Test
{
protected:
    void SetUp() override
    {
        start = dir.filePath(QStringLiteral("start"));
        TestSupport::writeFile(start + QStringLiteral("/a.txt"), QByteArray(10, 'a'));
        TestSupport::writeFile(start + QStringLiteral("/Sub/b.dat"), QByteArray(20, 'b'));
        TestSupport::writeFile(start + QStringLiteral("/Sub/Deeper/c.TXT"), QByteArray(30, 'c'));
        QFile::link(start, start + QStringLiteral("/Sub/loop"));
        QFile::link(start + QStringLiteral("/a.txt"), start + QStringLiteral("/Sub/alias.txt"));
        ASSERT_EQ(mkfifo(QFile::encodeName(start + QStringLiteral("/pipe")).constData(), 0600), 0);
        walk.StartPath = start;
        walk.OnProcessFile = [this](QObject *sender, const QString &folder, const QFileInfo &entry) {
            EXPECT_EQ(sender, &walk);
            visited << folder.mid(start.size()) + u'|' + entry.fileName();
            return entry.fileName() != stopAt;
        };
    }

    QTemporaryDir dir;
    QString start;
    TFtw walk;
    QStringList visited;
    QString stopAt;
};

TEST_F(TreeWalkTest, WalksDepthFirstWithoutFollowingLinks)
{
    ASSERT_TRUE(walk.Execute());
    EXPECT_EQ(visited, (QStringList{"|a.txt", "|Sub", "/Sub|b.dat", "/Sub|Deeper", "/Sub/Deeper|c.TXT"}));
    EXPECT_EQ(walk.Size, 60);
    EXPECT_EQ(walk.List.size(), 5);
    EXPECT_TRUE(walk.List.contains(start + QStringLiteral("/Sub/Deeper/c.TXT")));
    EXPECT_TRUE(walk.List.contains(start + QStringLiteral("/Sub/Deeper/")));
}

TEST_F(TreeWalkTest, TotalsAreSixtyFourBit)
{
    // A sparse file takes no room but has its full size.
    QFile big(start + QStringLiteral("/Sub/big.iso"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    const qint64 fiveGiB = 5LL << 30;
    if (!big.resize(fiveGiB))
        GTEST_SKIP() << "no sparse files here";
    big.close();
    ASSERT_TRUE(walk.Execute());
    EXPECT_EQ(walk.Size, fiveGiB + 60);
}

TEST_F(TreeWalkTest, AStopFromTheHandlerEndsTheWholeWalk)
{
    stopAt = QStringLiteral("b.dat");
    ASSERT_TRUE(walk.Execute());
    EXPECT_EQ(visited, (QStringList{"|a.txt", "|Sub", "/Sub|b.dat"}));
    EXPECT_EQ(walk.Size, 10); // the refused entry is not listed
}

TEST_F(TreeWalkTest, OptionsShapeTheListAndItsSize)
{
    const struct {
        const char *what;
        bool recursive;
        const char *extendedFilter;
        TFileType type;
        TFileNameCase nameCase;
        QStringList expected;
        qint64 size;
    } cases[] = {
        {"start folder only", false, "", TFileType::ftFile, TFileNameCase::fcOriginal, {"a.txt", "Sub"}, 10},
        {"names lower-cased", true, "", TFileType::ftFile, TFileNameCase::fcLowerCase,
         {"a.txt", "sub", "b.dat", "deeper", "c.txt"}, 60},
        {"names upper-cased", false, "", TFileType::ftFile, TFileNameCase::fcUpperCase, {"A.TXT", "SUB"}, 10},
        {"extension filter", true, ";.txt", TFileType::ftFile, TFileNameCase::fcOriginal, {"a.txt", "c.TXT"}, 40},
        {"name filter", true, "b.dat;deeper", TFileType::ftFile, TFileNameCase::fcOriginal, {"b.dat", "Deeper"}, 20},
    };
    for (const auto &c : cases) {
        walk.Recursive = c.recursive;
        walk.ExtendedFilter = QString::fromUtf8(c.extendedFilter);
        walk.ListFileType = c.type;
        walk.ListFileNameCase = c.nameCase;
        ASSERT_TRUE(walk.Execute());
        EXPECT_EQ(walk.List, c.expected) << c.what;
        EXPECT_EQ(walk.Size, c.size) << c.what;
    }
}

TEST_F(TreeWalkTest, FolderPathsTakeTheirCase)
{
    walk.ListFileType = TFileType::ftDir;
    walk.ListDirCase = TDirCase::dcUpperCase;
    walk.Recursive = false;
    ASSERT_TRUE(walk.Execute());
    EXPECT_EQ(walk.List, (QStringList{start.toUpper() + u'/', start.toUpper() + QStringLiteral("/SUB/")}));
}

TEST_F(TreeWalkTest, PatternAndMissingStartAndMissingHandler)
{
    walk.Filter = QStringLiteral("*.TXT");
    walk.Recursive = true;
    ASSERT_TRUE(walk.Execute());
    EXPECT_EQ(visited, QStringList{"|a.txt"}); // folders must match the pattern to be walked

    visited.clear();
    walk.Filter = QStringLiteral("*.*");
    walk.StartPath = start + QStringLiteral("/missing");
    ASSERT_TRUE(walk.Execute());
    EXPECT_TRUE(visited.isEmpty());
    EXPECT_TRUE(walk.List.isEmpty());

    walk.OnProcessFile = nullptr;
    EXPECT_FALSE(walk.Execute());
}

TEST(LastPos, PositionOfTheLastOccurrence)
{
    const struct {
        const char *sub;
        const char *s;
        int expected;
    } cases[] = {
        {"\\", "A\\B\\C", 4}, {"a", "abc", 1}, {"x", "abc", 0}, {"", "abc", 0},
        {"a", "", 0}, {"abcd", "abc", 0}, {"aa", "aaa", 2}, {".", ".profile", 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(LastPos(QString::fromUtf8(c.sub), QString::fromUtf8(c.s)), c.expected) << c.sub << " in " << c.s;
}

} // namespace
