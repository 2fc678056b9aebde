#include <shell/fileoperation.h>
#include <testdoubles.h>
#include <testsupport.h>

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>

#include <algorithm>

#include <gtest/gtest.h>

using Files = QMap<QString, QByteArray>;
using Platform::MessageAnswer;

namespace {

// Every file under root, by its path relative to root, with its bytes.
Files tree(const QString &root)
{
    Files files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(root).relativeFilePath(path), TestSupport::readFile(path));
    }
    return files;
}

struct Case {
    const char *name;
    Files before;
    TFileOp operation;
    QStringList from; // relative to the root
    QStringList to;
    TFileOpFlags flags;
    QList<MessageAnswer> answers;
    bool result;
    bool aborted;
    Files after;
    int warnings; // failure messages shown
};

QStringList under(const QTemporaryDir &dir, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths.append(dir.filePath(name));
    return paths;
}

} // namespace

TEST(FileOperation, OperationsTable)
{
    const TFileOpFlags quiet = fofNoConfirmation | fofSilent;
    const Case cases[] = {
        {"copy of two files renames the colliding copy",
         {{"src/a.txt", "A"}, {"src/b.txt", "B"}, {"dst/b.txt", "old"}},
         foCopy, {"src/a.txt", "src/b.txt"}, {"dst"}, fofRenameOnCollision | fofSimpleProgress, {}, true, false,
         {{"src/a.txt", "A"}, {"src/b.txt", "B"}, {"dst/a.txt", "A"}, {"dst/b.txt", "old"}, {"dst/b (2).txt", "B"}}, 0},
        {"delete of a name holding a semicolon deletes that file alone",
         {{"x;y.txt", "1"}, {"x", "2"}, {"y.txt", "3"}},
         foDelete, {"x;y.txt"}, {}, quiet, {}, true, false, {{"x", "2"}, {"y.txt", "3"}}, 0},
        {"a file is not copied onto itself",
         {{"a.txt", "A"}}, foCopy, {"a.txt"}, {"."}, quiet, {}, false, false, {{"a.txt", "A"}}, 1},
        {"onto itself with rename on collision gives a second copy",
         {{"a.txt", "A"}}, foCopy, {"a.txt"}, {"."}, quiet | fofRenameOnCollision, {}, true, false,
         {{"a.txt", "A"}, {"a (2).txt", "A"}}, 0},
        {"cancel at the replace question is reported",
         {{"a.txt", "new"}, {"dst/a.txt", "old"}}, foCopy, {"a.txt"}, {"dst"}, {}, {MessageAnswer::Cancel}, false, true,
         {{"a.txt", "new"}, {"dst/a.txt", "old"}}, 0},
        {"no at the replace question skips the file",
         {{"a.txt", "new"}, {"dst/a.txt", "old"}}, foCopy, {"a.txt"}, {"dst"}, {}, {MessageAnswer::No}, true, false,
         {{"a.txt", "new"}, {"dst/a.txt", "old"}}, 0},
        {"yes at the replace question replaces",
         {{"a.txt", "new"}, {"dst/a.txt", "old"}}, foCopy, {"a.txt"}, {"dst"}, {}, {MessageAnswer::Yes}, true, false,
         {{"a.txt", "new"}, {"dst/a.txt", "new"}}, 0},
        {"no at the delete question deletes nothing",
         {{"a.txt", "A"}}, foDelete, {"a.txt"}, {}, {}, {MessageAnswer::No}, false, true, {{"a.txt", "A"}}, 0},
        {"a name that exists is no mask",
         {{"a*.txt", "1"}, {"ab.txt", "2"}}, foDelete, {"a*.txt"}, {}, quiet, {}, true, false, {{"ab.txt", "2"}}, 0},
        {"a mask matches without regard to case",
         {{"a.txt", "1"}, {"B.TXT", "2"}, {"c.dat", "3"}}, foDelete, {"*.txt"}, {}, quiet, {}, true, false,
         {{"c.dat", "3"}}, 0},
        {"*.* matches names without a dot too",
         {{"d/a.txt", "1"}, {"d/README", "2"}, {"keep", "3"}}, foDelete, {"d/*.*"}, {}, quiet, {}, true, false,
         {{"keep", "3"}}, 0},
        {"move into a missing folder creates it",
         {{"a.txt", "A"}, {"b.txt", "B"}}, foMove, {"a.txt", "b.txt"}, {"new/dst"}, fofNoConfirmMkDir | fofSilent, {},
         true, false, {{"new/dst/a.txt", "A"}, {"new/dst/b.txt", "B"}}, 0},
        {"no to a missing folder copies nothing",
         {{"a.txt", "A"}, {"b.txt", "B"}}, foCopy, {"a.txt", "b.txt"}, {"dst"}, fofSilent,
         {MessageAnswer::No, MessageAnswer::No}, true, false, {{"a.txt", "A"}, {"b.txt", "B"}}, 0},
        {"rename to a name in the same folder",
         {{"a.txt", "A"}}, foRename, {"a.txt"}, {"b.txt"}, quiet, {}, true, false, {{"b.txt", "A"}}, 0},
        {"a folder is copied with everything in it",
         {{"src/d/x.txt", "X"}, {"src/d/e/y.txt", "Y"}}, foCopy, {"src/d"}, {"dst"}, quiet, {}, true, false,
         {{"src/d/x.txt", "X"}, {"src/d/e/y.txt", "Y"}, {"dst/x.txt", "X"}, {"dst/e/y.txt", "Y"}}, 0},
        {"a folder is not copied into itself",
         {{"d/x.txt", "X"}}, foCopy, {"d"}, {"d/sub"}, quiet, {}, false, false, {{"d/x.txt", "X"}}, 1},
        {"a missing source fails and the rest is done",
         {{"a.txt", "A"}}, foCopy, {"none.txt", "a.txt"}, {"dst"}, quiet | fofNoConfirmMkDir, {}, false, false,
         {{"a.txt", "A"}, {"dst/a.txt", "A"}}, 1},
        {"an empty list fails at once", {{"a.txt", "A"}}, foDelete, {}, {}, quiet, {}, false, false, {{"a.txt", "A"}}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        for (auto it = c.before.cbegin(); it != c.before.cend(); ++it)
            TestSupport::writeFile(dir.filePath(it.key()), it.value());
        TestSupport::RecordingDialogs dialogs;
        dialogs.answers = c.answers;

        TFileOperation operation;
        operation.setOperation(c.operation);
        operation.setFilesFrom(under(dir, c.from));
        operation.setFilesTo(under(dir, c.to));
        operation.setFlags(c.flags);
        EXPECT_EQ(operation.execute(), c.result);
        EXPECT_EQ(operation.operationAborted(), c.aborted);
        EXPECT_EQ(tree(dir.path()), c.after);
        const auto warnings = std::count_if(dialogs.messages.cbegin(), dialogs.messages.cend(), [](const auto &m) {
            return m.icon == Platform::MessageIcon::Warning;
        });
        EXPECT_EQ(warnings, c.warnings);
        EXPECT_TRUE(dialogs.answers.isEmpty()) << "questions not asked";
    }
}

TEST(FileOperation, ResultsNameEachFileAndItsTarget)
{
    QTemporaryDir dir;
    TestSupport::writeFile(dir.filePath("a.txt"), "A");
    TestSupport::writeFile(dir.filePath("dst/a.txt"), "old");
    TestSupport::RecordingDialogs dialogs;
    TFileOperation operation;
    operation.setFilesFrom({dir.filePath("a.txt"), dir.filePath("none.txt")});
    operation.setFilesTo({dir.filePath("dst")});
    operation.setFlags(fofRenameOnCollision | fofSilent);
    EXPECT_FALSE(operation.execute());
    ASSERT_EQ(operation.results().size(), 2);
    EXPECT_EQ(operation.results()[0].target, dir.filePath("dst/a (2).txt"));
    EXPECT_TRUE(operation.results()[0].error.isEmpty());
    EXPECT_FALSE(operation.results()[1].error.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(dir.filePath("none.txt")));
}

TEST(FileOperation, AllowUndoMovesToTheTrash)
{
    QTemporaryDir dir;
    const QByteArray oldDataHome = qgetenv("XDG_DATA_HOME");
    QDir().mkpath(dir.filePath("data"));
    qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    TestSupport::writeFile(dir.filePath("work/old.txt"), "keep me");
    TFileOperation operation;
    operation.setOperation(foDelete);
    operation.setFilesFrom({dir.filePath("work/old.txt")});
    operation.setFlags(fofAllowUndo | fofNoConfirmation | fofSilent);
    const bool done = operation.execute();
    qputenv("XDG_DATA_HOME", oldDataHome);
    EXPECT_TRUE(done);
    EXPECT_FALSE(QFile::exists(dir.filePath("work/old.txt")));
    EXPECT_EQ(TestSupport::readFile(dir.filePath("data/Trash/files/old.txt")), "keep me");
}

TEST(FileOperation, ProgressCancelStopsTheRest)
{
    QTemporaryDir dir;
    TestSupport::writeFile(dir.filePath("a.txt"), "A");
    TestSupport::writeFile(dir.filePath("b.txt"), "B");
    FileOpCallbacks callbacks;
    callbacks.progress = [](int done, int, const QString &) { return done < 1; };
    const FileOpOutcome outcome =
        runFileOperation({foDelete, {dir.filePath("a.txt"), dir.filePath("b.txt")}, {}, fofNoConfirmation}, callbacks);
    EXPECT_TRUE(outcome.aborted);
    EXPECT_FALSE(outcome.ok());
    EXPECT_FALSE(QFile::exists(dir.filePath("a.txt")));
    EXPECT_TRUE(QFile::exists(dir.filePath("b.txt")));
}

TEST(FileOperation, ALinkBackUpTheTreeIsCopiedAsALink)
{
    QTemporaryDir dir;
    TestSupport::writeFile(dir.filePath("src/d/x.txt"), "X");
    ASSERT_TRUE(QFile::link(dir.filePath("src"), dir.filePath("src/d/up")));
    TFileOperation operation;
    operation.setFilesFrom({dir.filePath("src/d")});
    operation.setFilesTo({dir.filePath("dst")});
    operation.setFlags(fofNoConfirmation | fofSilent);
    EXPECT_TRUE(operation.execute());
    EXPECT_EQ(TestSupport::readFile(dir.filePath("dst/x.txt")), "X");
    EXPECT_EQ(QFileInfo(dir.filePath("dst/up")).symLinkTarget(), dir.filePath("src"));
}

// A full disk must not leave a cut copy that counts as done, nor touch the
// file the copy would have replaced.
TEST(FileOperation, ACopyOntoAFullDiskFailsAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    TestSupport::writeFile(dir.filePath("a.txt"), QByteArray(3000, 'a'));
    TestSupport::writeFile(dir.filePath("dst/a.txt"), "old");
    TestSupport::RecordingDialogs dialogs;
    TFileOperation operation;
    operation.setFilesFrom({dir.filePath("a.txt")});
    operation.setFilesTo({dir.filePath("dst")});
    operation.setFlags(fofNoConfirmation | fofSilent);
    bool done = true;
    {
        TestSupport::FileSizeLimit fullDisk(1500);
        done = operation.execute();
    }
    EXPECT_FALSE(done);
    ASSERT_EQ(operation.results().size(), 1);
    EXPECT_FALSE(operation.results()[0].error.isEmpty());
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(tree(dir.filePath("dst")), Files({{"a.txt", "old"}}));
}
