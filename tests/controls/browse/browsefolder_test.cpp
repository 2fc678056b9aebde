#include "browse/browsefolder.h"

#include "testdoubles.h"
#include "testsupport.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

TEST(ShortenPath, KeepsTheFirstPartAndAsManyTrailingFoldersAsFit)
{
    const struct {
        const char *path;
        const char *expected;
    } cases[] = {
        // 35 characters or fewer: unchanged.
        {"C:\\Program Files\\Kalvora\\MENU.EXE", "C:\\Program Files\\Kalvora\\MENU.EXE"},
        {"C:\\12345678901234567890123456789012", "C:\\12345678901234567890123456789012"},
        // Longer: the second part becomes "...", then parts after it go.
        {"C:\\Program Files\\Zeltrin Software\\Kalvora\\MENU", "C:\\...\\Kalvora\\MENU"},
        {"C:\\Program Files\\Zeltrin\\Kalvora\\MENU", "C:\\...\\Zeltrin\\Kalvora\\MENU"},
        // Three parts left stay, even when still too long.
        {"C:\\Program Files\\A very long folder name of forty chars", "C:\\...\\A very long folder name of forty chars"},
        {"C:\\a\\b\\c\\d\\e\\f\\g\\h\\i\\j\\k\\l\\m\\n\\o\\p\\q\\r\\s", "C:\\...\\f\\g\\h\\i\\j\\k\\l\\m\\n\\o\\p\\q\\r\\s"},
        // Two parts only: nothing to replace.
        {"C:\\A very long folder name of forty characters", "C:\\A very long folder name of forty characters"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShortenPath(QString::fromUtf8(c.path), u'\\'), QString::fromUtf8(c.expected)) << c.path;

    // Linux paths start with an empty first part.
    EXPECT_EQ(ShortenPath(QStringLiteral("/home/autor/Projekty/Kalvora/MENU/DANE")),
              QStringLiteral("/.../Projekty/Kalvora/MENU/DANE"));
}

// Remembers where each folder dialog would start.
class FolderDialogs : public TestSupport::RecordingDialogs
{
public:
    QString chooseFolder(QWidget *parent, const QString &caption, const QString &start) override
    {
        starts << start;
        return RecordingDialogs::chooseFolder(parent, caption, start);
    }
    QStringList starts;
};

TEST(BrowseFolder, ExecuteAsksTheDialogInterface)
{
    QTemporaryDir dir;
    FolderDialogs dialogs;
    TBrowseFolder browser;
    browser.Title = QStringLiteral("Domyślny katalog dla menu:");
    browser.Directory = dir.path();

    dialogs.pathAnswers << dir.path() + QStringLiteral("/MENU");
    EXPECT_TRUE(browser.Execute());
    EXPECT_EQ(browser.Directory, dir.path() + QStringLiteral("/MENU"));
    EXPECT_EQ(browser.selection(), browser.Directory);

    // Cancelled: Directory stays. A folder that no longer exists is no start.
    EXPECT_FALSE(browser.Execute());
    EXPECT_EQ(browser.Directory, dir.path() + QStringLiteral("/MENU"));
    EXPECT_EQ(dialogs.dialogs, QStringList({QStringLiteral("folder: Domyślny katalog dla menu:"),
                                            QStringLiteral("folder: Domyślny katalog dla menu:")}));
    EXPECT_EQ(dialogs.starts, QStringList({dir.path(), QString()}));
}

struct DialogFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        deep = dir.path() + QStringLiteral("/Zeltrin Software/Kalvora/Projekty/MENU");
        ASSERT_TRUE(QDir().mkpath(deep));
    }
    QTemporaryDir dir;
    QString deep;
    TBrowseFolder browser;
};

TEST_F(DialogFixture, OpensOnTheInitialFolderAndShowsTheShortenedPath)
{
    browser.Title = QStringLiteral("Wybierz ścieżkę na jaką zmienić zapisaną w pliku:");
    browser.Flags = bfStatusText;
    browser.ShowPathInStatusArea = true;
    browser.Directory = deep;
    int initialized = 0;
    QStringList changes;
    browser.OnInitialized = [&](TBrowseFolder *sender, QDialog *) {
        EXPECT_EQ(sender, &browser);
        ++initialized;
    };
    browser.OnSelectionChanged = [&](TBrowseFolder *, QDialog *, const QString &path) { changes << path; };

    TBrowseFolderDialog dialog(browser, nullptr);
    dialog.show();
    EXPECT_EQ(initialized, 1);
    EXPECT_EQ(dialog.titleLabel()->text(), browser.Title);
    EXPECT_EQ(dialog.selectedPath(), deep);
    EXPECT_EQ(browser.selection(), deep);
    EXPECT_EQ(changes.value(0), deep);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.statusLabel()->isHidden());
    EXPECT_EQ(dialog.statusLabel()->text(), ShortenPath(deep));
    EXPECT_LE(dialog.statusLabel()->text().size(), std::max<qsizetype>(35, 3 + 4 + 4));
    EXPECT_TRUE(dialog.statusLabel()->text().endsWith(QStringLiteral("/MENU")));
}

TEST_F(DialogFixture, AMissingInitialFolderSelectsNothing)
{
    browser.Directory = dir.path() + QStringLiteral("/gone");
    TBrowseFolderDialog dialog(browser, nullptr);
    dialog.show();
    EXPECT_TRUE(dialog.selectedPath().isEmpty());
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_TRUE(dialog.statusLabel()->isHidden()); // no bfStatusText
}

TEST_F(DialogFixture, ExtraButtonFollowsItsPropertiesAndReportsClicks)
{
    browser.setCustomButtonVisible(true);
    browser.setCustomButtonCaption(QStringLiteral("Nowy"));
    browser.setCustomButtonWidth(0);
    EXPECT_EQ(browser.customButtonWidth(), 75);
    browser.SyncCustomButton = true;
    int clicks = 0;
    browser.OnCustomButtonClick = [&](TBrowseFolder *, QDialog *) { ++clicks; };

    TBrowseFolderDialog dialog(browser, nullptr);
    dialog.show();
    QPushButton *button = dialog.customButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Nowy"));
    EXPECT_EQ(button->size(), QSize(75, 23));
    EXPECT_EQ(button->property("controlId").toInt(), TBrowseFolderDialog::CustomButtonId);
    EXPECT_TRUE(button->isEnabled());
    browser.setCustomButtonEnabled(false);
    browser.setCustomButtonCaption(QStringLiteral("Inny"));
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->text(), QStringLiteral("Inny"));
    // Synchronised: a folder with a path enables it again.
    ASSERT_TRUE(dialog.selectFolder(deep));
    EXPECT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(DialogFixture, ConfirmingReturnsTheSelectedFolder)
{
    browser.Directory = deep;
    TBrowseFolderDialog dialog(browser, nullptr);
    dialog.show();
    ASSERT_TRUE(dialog.selectFolder(dir.path()));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), dir.path());
    EXPECT_FALSE(dialog.selectFolder(dir.path() + QStringLiteral("/gone")));
}

TEST_F(DialogFixture, WithoutATestInstanceExecuteRunsTheTreeDialog)
{
    browser.Directory = deep;
    QString shownOn;
    QTimer::singleShot(0, [&] {
        TBrowseFolderDialog *dialog = browser.dialog();
        ASSERT_NE(dialog, nullptr);
        shownOn = dialog->selectedPath();
        dialog->selectFolder(dir.path());
        dialog->okButton()->click();
    });
    EXPECT_TRUE(browser.Execute());
    EXPECT_EQ(shownOn, deep);
    EXPECT_EQ(browser.Directory, dir.path());
    EXPECT_EQ(browser.dialog(), nullptr);
}

TEST_F(DialogFixture, Picture)
{
    browser.Title = QStringLiteral("Domyślny katalog dla menu:");
    browser.Flags = bfStatusText;
    browser.ShowPathInStatusArea = true;
    browser.Directory = deep;
    browser.setCustomButtonVisible(true);
    browser.setCustomButtonCaption(QStringLiteral("Nowy"));
    TBrowseFolderDialog dialog(browser, nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::qWait(200); // the tree reads its folders in the background
    EXPECT_TRUE(dialog.grab().save(TestSupport::outputDir() + QStringLiteral("/browsefolder.png")));
}

} // namespace
