// The search dialog's worker against the window's thread: hiding and
// destroying the dialog while its walk goes on. Built also under
// ThreadSanitizer.
#include "searchfixture.h"

#include <disksearch/znajdz.h>
#include <filelist/filelistview.h>

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DialogThreadsTest : public testing::Test
{
protected:
    // In memory where the machine has it: many folders, made quickly.
    static void SetUpTestSuite()
    {
        const QString shared = QStringLiteral("/dev/shm");
        tree = QFileInfo(shared).isWritable() ? std::make_unique<QTemporaryDir>(shared + "/kalvora-XXXXXX")
                                              : std::make_unique<QTemporaryDir>();
        SearchFixture::makeWideTree(tree->path(), kFolders);
    }
    static void TearDownTestSuite() { tree.reset(); }

    std::unique_ptr<T_frmZnajdz> startedDialog()
    {
        auto dialog = std::make_unique<T_frmZnajdz>(host, settings.filePath(QStringLiteral("Zazava.cfg")));
        dialog->edtRozpocznij->setText(tree->path());
        dialog->Combo->setEditText(QStringLiteral("*"));
        // Not shown: painting runs helper threads of Qt's own, which its
        // uninstrumented code keeps in step where the thread sanitizer cannot
        // see it. Closing and destroying take the same way without them.
        dialog->klwZnajdz->click();
        return dialog;
    }

    static constexpr int kFolders = 20000;
    static inline std::unique_ptr<QTemporaryDir> tree;
    QTemporaryDir settings;
    SearchFixture::StubHost host;
};

TEST_F(DialogThreadsTest, DestroyedDuringAWalk)
{
    for (int round = 0; round < 5; ++round) {
        auto dialog = startedDialog();
        ASSERT_TRUE(dialog->isSearching());
        QTest::qWait(round); // from at once to a few batches in
        dialog.reset();
    }
}

TEST_F(DialogThreadsTest, ClosedDuringAWalkStopsItAndComesBackIdle)
{
    auto dialog = startedDialog();
    ASSERT_TRUE(dialog->isSearching());
    dialog->close();
    ASSERT_TRUE(SearchFixture::waitForIdle(*dialog));
    EXPECT_TRUE(dialog->klwZnajdz->isEnabled());
    EXPECT_LT(dialog->hitList()->count(), kFolders * 2);
    dialog->klwZnajdz->click();
    QTest::qWait(2);
    dialog->close();
    dialog.reset();
}

// Batches reach the window while the walk still adds to them (under the
// thread sanitizer the walk is slow enough for several), and the dialog goes
// while it may still run.
TEST_F(DialogThreadsTest, BatchesArriveWhileTheWalkGoesOn)
{
    auto dialog = startedDialog();
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->hitList()->count() > 1000; }, 20000));
    dialog.reset();
}

} // namespace
