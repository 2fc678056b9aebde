#include "searchfixture.h"

#include <disksearch/searchmessages.h>
#include <disksearch/znajdz.h>
#include <dirtree/dirtree.h>
#include <filelist/filelistview.h>
#include <inlineedit/inedit.h>
#include <lists/horlistbox.h>
#include <mainwindow/datmain.h>
#include <mainwindow/editormessages.h>
#include <mainwindow/zazavaconfig.h>
#include <registry.h>
#include <testdoubles.h>
#include <testsupport.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Folders of the wide tree: a walk of it is still on right after it starts.
constexpr int kWide = 600;

QStringList rowsOf(const TFileList &list)
{
    QStringList rows;
    for (int row = 0; row < list.count(); ++row) {
        const FileEntry &entry = list.model()->entry(row);
        rows << entry.location + entry.caption + u'|' + entry.text(TFileInfo::fiSize);
    }
    return rows;
}

int rowNamed(const TFileList &list, const QString &path)
{
    for (int row = 0; row < list.count(); ++row) {
        if (list.model()->entry(row).fullPath == path)
            return row;
    }
    return -1;
}

// A CD folder below the temporary folder, its data file open in the
// editor; beside the CD a folder outside its drive root.
class DiskSearchDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Platform::Registry::setStorageFile(settings.filePath("registry.ini"));
        volumes.list = {Platform::Volume{QStringLiteral("/"), {}, QStringLiteral("root"), Platform::VolumeKind::Fixed}};
        root = dir.path() + QStringLiteral("/cd/");
        TestSupport::writeFile(root + "AUTORUN.INF", "[autorun]\r\nopen=orvanta\r\n");
        dataFile = TestSupport::writeFile(root + "DANE/GRY.RV3", "TITLE=Gry\r\nDESC=\r\n\r\n");
        TestSupport::writeFile(root + "PROGS/Gra/setup.exe", QByteArray(3000, 'x'));
        TestSupport::writeFile(root + "PROGS/Gra/INSTALL.EXE", QByteArray(10, 'x'));
        TestSupport::writeFile(root + "PROGS/Biuro/Setup32.exe", QByteArray(2048, 'x'));
        TestSupport::writeFile(root + "PROGS/Biuro/readme.txt", "x");
        TestSupport::writeFile(dir.path() + "/outside/setup.exe", "x");
        config = settings.filePath("Zazava.cfg");
        form = std::make_unique<T_Form1>(config);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->LoadINI(dataFile);
        search = form->frmZnajdz;
    }

    void TearDown() override
    {
        if (form)
            form->document().setModified(false);
        form.reset();
    }

    bool select(const QString &path)
    {
        const int row = rowNamed(*search->listaZnalezione, path);
        search->listaZnalezione->selectRow(row);
        return row >= 0;
    }

    QTemporaryDir dir;
    QTemporaryDir settings;
    QString root;
    QString dataFile;
    QString config;
    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    TestSupport::FakeVolumeSource volumes;
    std::unique_ptr<T_Form1> form;
    T_frmZnajdz *search = nullptr;
};

TEST_F(DiskSearchDialogTest, F5SearchesTheTreeFolderAndHitsBecomePrograms)
{
    form->Dirs->OpenPath(root + "PROGS/");
    search->Combo->setCurrentIndex(2);
    form->mnuSkanuj->trigger();
    ASSERT_TRUE(search->isVisible());
    EXPECT_TRUE(search->windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(search->parentWidget(), form.get());
    EXPECT_EQ(QDir::fromNativeSeparators(search->edtRozpocznij->text()), root + "PROGS/");
    EXPECT_EQ(search->Combo->currentIndex(), 0);

    search->klwZnajdz->click();
    EXPECT_FALSE(search->klwZnajdz->isEnabled());
    EXPECT_FALSE(search->panelEdycji->isEnabled());
    ASSERT_TRUE(SearchFixture::waitForIdle(*search));
    EXPECT_EQ(rowsOf(*search->listaZnalezione),
              (QStringList{root + "PROGS/Biuro/Setup32.exe|2048", root + "PROGS/Gra/INSTALL.EXE|10",
                           root + "PROGS/Gra/setup.exe|3000"}));
    EXPECT_EQ(search->PasekStanu->currentMessage(), SearchMessages::foundCount(3));
    EXPECT_TRUE(search->lblAktualnykatalog->text().isEmpty());
    EXPECT_TRUE(search->listaZnalezione->DoSorting);

    // Added: the program and its folder, and the hit leaves the list.
    ASSERT_TRUE(select(root + "PROGS/Gra/setup.exe"));
    search->DodajDoDanychClick();
    ASSERT_EQ(form->document().count(), 1);
    EXPECT_EQ(form->document().programs().first().setup, QStringLiteral("PROGS\\Gra\\setup.exe"));
    EXPECT_EQ(form->document().programs().first().rozmiar, QStringLiteral("3 KB"));
    EXPECT_EQ(search->listaZnalezione->count(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A second program of that folder is refused and stays.
    ASSERT_TRUE(select(root + "PROGS/Gra/INSTALL.EXE"));
    search->DodajDoDanychClick();
    EXPECT_EQ(form->document().count(), 1);
    EXPECT_EQ(search->listaZnalezione->count(), 2);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, EditorMessages::duplicateName());
    form->InEdit2->hide();

    // A hit outside the data file's drive has no stored path: it stays.
    search->edtRozpocznij->setText(dir.path() + "/outside");
    search->klwZnajdz->click();
    ASSERT_TRUE(SearchFixture::waitForIdle(*search));
    ASSERT_TRUE(select(dir.path() + "/outside/setup.exe"));
    search->DodajDoDanychClick();
    EXPECT_EQ(search->listaZnalezione->count(), 1);
    EXPECT_EQ(form->document().count(), 1);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages.last().text.contains(QStringLiteral("poza katalogiem")));

    // "Otwórz" hands the hit to the desktop, in its own folder.
    search->openHit();
    ASSERT_EQ(launcher.opened.size(), 1);
    EXPECT_EQ(launcher.opened.first(), dir.path() + "/outside/setup.exe");
}

// The walk finds programs deeper than a path may be long; added, such a
// program gets its size as any other.
TEST_F(DiskSearchDialogTest, AHitDeeperThanAPathMayBeLongIsAddedWithItsSize)
{
    const TestSupport::DeepTree tree(root + "GLEBOKO", QByteArray(60, 'd'), 75, {{75, 3000}});
    ASSERT_TRUE(tree.ok());
    search->edtRozpocznij->setText(root + "GLEBOKO");
    search->Combo->setEditText(QStringLiteral("setup.exe"));
    search->klwZnajdz->click();
    ASSERT_TRUE(SearchFixture::waitForIdle(*search));
    ASSERT_TRUE(select(tree.folder(75) + "setup.exe"));
    search->DodajDoDanychClick();
    ASSERT_EQ(form->document().count(), 1);
    const DataFile::Program &program = form->document().programs().first();
    EXPECT_EQ(program.rozmiar, QStringLiteral("3 KB"));
    EXPECT_GT(program.katalog.size(), 4096);
    EXPECT_TRUE(program.setup.endsWith(QStringLiteral("\\setup.exe")));
}

TEST_F(DiskSearchDialogTest, F5WithoutATreeFolderOnlyWarns)
{
    form->Dirs->clearSelection();
    form->Dirs->setCurrentItem(nullptr);
    form->SkanujClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, EditorMessages::selectFolderFirst());
    EXPECT_FALSE(search->isVisible());
}

TEST_F(DiskSearchDialogTest, FindCancelFindAtOnceRunsOneWalk)
{
    SearchFixture::makeWideTree(dir.path() + "/wide", kWide);
    search->edtRozpocznij->setText(dir.path() + "/wide");
    search->Combo->setEditText(QStringLiteral("setup.exe"));
    search->show();
    search->klwZnajdz->click();
    search->klwAnuluj->click();
    search->klwZnajdz->click(); // disabled until the walk has ended
    search->klwZnajdzClick();   // refused while it runs
    EXPECT_FALSE(search->klwZnajdz->isEnabled());
    ASSERT_TRUE(SearchFixture::waitForIdle(*search));
    QStringList rows = rowsOf(*search->listaZnalezione);
    EXPECT_LT(rows.size(), kWide);
    EXPECT_EQ(search->PasekStanu->currentMessage(), SearchMessages::foundCount(rows.size()));
    rows.removeDuplicates();
    EXPECT_EQ(rows.size(), search->listaZnalezione->count());

    // The next walk starts afresh: every hit once, the count exact.
    search->klwZnajdz->click();
    ASSERT_TRUE(SearchFixture::waitForIdle(*search));
    rows = rowsOf(*search->listaZnalezione);
    rows.removeDuplicates();
    EXPECT_EQ(rows.size(), kWide);
    EXPECT_EQ(search->listaZnalezione->count(), kWide);
    EXPECT_EQ(search->PasekStanu->currentMessage(), SearchMessages::foundCount(kWide));
}

TEST_F(DiskSearchDialogTest, EscInTheDialogOrTheMainWindowStopsTheWalk)
{
    SearchFixture::makeWideTree(dir.path() + "/wide", kWide);
    search->edtRozpocznij->setText(dir.path() + "/wide");
    search->Combo->setEditText(QStringLiteral("*"));
    search->show();
    for (QWidget *target : {static_cast<QWidget *>(search), static_cast<QWidget *>(form.get())}) {
        target->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(target));
        search->klwZnajdz->click();
        ASSERT_TRUE(search->isSearching());
        QTest::keyClick(target, Qt::Key_Escape);
        ASSERT_TRUE(SearchFixture::waitForIdle(*search));
        EXPECT_LT(search->listaZnalezione->count(), 2 * kWide) << target->objectName().toStdString();
        EXPECT_TRUE(search->isVisible());
    }
    // Idle, Esc in the main window is left to its own widgets.
    QTest::keyClick(form.get(), Qt::Key_Escape);
    EXPECT_TRUE(search->isVisible());
}

TEST_F(DiskSearchDialogTest, ClosingTheEditorDuringAWalkEndsAtOnce)
{
    SearchFixture::makeWideTree(dir.path() + "/wide", kWide);
    search->edtRozpocznij->setText(dir.path() + "/wide");
    search->Combo->setEditText(QStringLiteral("*"));
    search->show();
    search->klwZnajdz->click();
    ASSERT_TRUE(search->isSearching());
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(search->isVisible());
    form.reset(); // waits for the walk, which stops at its next entry
}

// The user's mask lists come after the four built-in ones and go back to
// [Filtry] in the box's order, the section written anew.
TEST(DiskSearchMasks, UserMasksRoundTripThroughZazavaCfg)
{
    QTemporaryDir settings;
    const QString cfg = TestSupport::writeFile(settings.filePath("Zazava.cfg"),
                                               "[Split]\r\nPion=200\r\n[Filtry]\r\n0=*.exe\r\n1=readme*\r\n"
                                               "2=*.doc\r\n[WINDOW]\r\nW=700\r\n");
    SearchFixture::StubHost host;
    {
        T_frmZnajdz dialog(host, cfg);
        ASSERT_EQ(dialog.Combo->count(), 7);
        EXPECT_EQ(dialog.Combo->itemText(0), SearchMessages::builtInMasks().first());
        EXPECT_EQ(dialog.Combo->currentIndex(), 0);
        EXPECT_EQ(dialog.userMasks(), (QStringList{"*.exe", "readme*", "*.doc"}));
        dialog.Combo->removeItem(4);
        dialog.Combo->removeItem(4);
        // A text searched for that is not yet an entry becomes one.
        dialog.edtRozpocznij->setText(settings.path());
        dialog.Combo->setEditText(QStringLiteral("*.cfg"));
        dialog.klwZnajdz->click();
        ASSERT_TRUE(SearchFixture::waitForIdle(dialog));
        dialog.Combo->setEditText(QStringLiteral("*.cfg"));
        dialog.klwZnajdz->click();
        ASSERT_TRUE(SearchFixture::waitForIdle(dialog));
        EXPECT_EQ(dialog.userMasks(), (QStringList{"*.doc", "*.cfg"}));
        EXPECT_EQ(dialog.listaZnalezione->count(), 1);
        dialog.show();
        dialog.close();
    }
    EXPECT_EQ(ZazavaConfig::readFilters(cfg), (QStringList{"*.doc", "*.cfg"}));
    EXPECT_EQ(TestSupport::readFile(cfg),
              "[Split]\r\nPion=200\r\n[WINDOW]\r\nW=700\r\n[Filtry]\r\n0=*.doc\r\n1=*.cfg\r\n");

    // The fifth entry searches with its own masks.
    T_frmZnajdz again(host, cfg);
    again.Combo->setCurrentIndex(4);
    again.edtRozpocznij->setText(settings.path());
    again.klwZnajdz->click();
    ASSERT_TRUE(SearchFixture::waitForIdle(again));
    EXPECT_EQ(again.listaZnalezione->count(), 0);
    again.Combo->setCurrentIndex(5);
    again.klwZnajdz->click();
    ASSERT_TRUE(SearchFixture::waitForIdle(again));
    EXPECT_EQ(again.listaZnalezione->count(), 1);
}

} // namespace
