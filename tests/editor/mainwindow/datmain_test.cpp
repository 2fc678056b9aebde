#include <mainwindow/datmain.h>
#include <mainwindow/editormessages.h>
#include <buttons/toolbarbutton.h>
#include <cp1250.h>
#include <dock/floatplan.h>
#include <dock/toolbar.h>
#include <mru/mrufilelist.h>
#include <dirtree/dirtree.h>
#include <filelist/filelistview.h>
#include <inlineedit/inedit.h>
#include <lists/horlistbox.h>
#include <registry.h>
#include <testdoubles.h>
#include <testsupport.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using Platform::MessageAnswer;

namespace {

// The category as it came from the old editor: Windows-1250, CRLF, Polish
// names.
const char *const kFixture =
    "TITLE=Gry logiczne\r\n"
    "DESC=Opisy\\gry.txt\r\n"
    "\r\n"
    "[Szachy Żółwia]\r\n"
    "SETUP=PROGS\\SZACHY\\setup.exe\r\n"
    "OPIS=Gra w szachy\r\n"
    "KATALOG=PROGS\\SZACHY\\\r\n"
    "KOPIA=SZACHY\r\n"
    "NUMER=\r\n"
    "SYSTEM=Windows 95\r\n"
    "ROZMIAR=12 KB\r\n"
    "INFO=Zeltrin\r\n"
    "AMBITNY=\r\n"
    "ZRZUT=\r\n"
    "[Łamigłówki]\r\n"
    "SETUP=OLD\\setup.exe\r\n"
    "OPIS=Stary opis\r\n"
    "KATALOG=OLD\\\r\n"
    "KOPIA=Łamigłówki\r\n"
    "NUMER=123-456\r\n"
    "SYSTEM=DOS\r\n"
    "ROZMIAR=1 KB\r\n"
    "INFO=Autor Ćma\r\n"
    "AMBITNY=Opisy\\lam.rtf\r\n"
    "ZRZUT=Zrzuty\\lam.jpg\r\n"
    "[Usuwany]\r\n"
    "SETUP=X\\x.exe\r\n"
    "OPIS=\r\n"
    "KATALOG=X\\\r\n"
    "KOPIA=X\r\n"
    "NUMER=\r\n"
    "SYSTEM=\r\n"
    "ROZMIAR=\r\n"
    "INFO=\r\n"
    "AMBITNY=\r\n"
    "ZRZUT=\r\n";

// After: a program added from the file list and renamed in place, one
// deleted, one refreshed in corrections mode and freed of its DISK1 level.
const char *const kGolden =
    "TITLE=Gry logiczne\r\n"
    "DESC=Opisy\\gry.txt\r\n"
    "\r\n"
    "[Szachy Żółwia]\r\n"
    "SETUP=PROGS\\SZACHY\\setup.exe\r\n"
    "OPIS=Gra w szachy\r\n"
    "KATALOG=PROGS\\SZACHY\\\r\n"
    "KOPIA=SZACHY\r\n"
    "NUMER=\r\n"
    "SYSTEM=Windows 95\r\n"
    "ROZMIAR=12 KB\r\n"
    "INFO=Zeltrin\r\n"
    "AMBITNY=\r\n"
    "ZRZUT=\r\n"
    "[Łamigłówki]\r\n"
    "SETUP=PROGS\\Łamigłówka\\DISK1\\instaluj.exe\r\n"
    "OPIS=Informacje z pliku File_ID.DIZ nie są dostępne\r\n"
    "KATALOG=PROGS\\Łamigłówka\\\r\n"
    "KOPIA=Łamigłówka\r\n"
    "NUMER=123-456\r\n"
    "SYSTEM=DOS\r\n"
    "ROZMIAR=1 KB\r\n"
    "INFO=Autor Ćma\r\n"
    "AMBITNY=Opisy\\lam.rtf\r\n"
    "ZRZUT=Zrzuty\\lam.jpg\r\n"
    "[Warcaby Mistrzów]\r\n"
    "SETUP=PROGS\\Warcaby\\SETUP.EXE\r\n"
    "OPIS=PROGS\\Warcaby\\file_id.diz\r\n"
    "KATALOG=PROGS\\Warcaby\\\r\n"
    "KOPIA=Warcaby\r\n"
    "NUMER=\r\n"
    "SYSTEM=\r\n"
    "ROZMIAR=2 KB\r\n"
    "INFO=\r\n"
    "AMBITNY=\r\n"
    "ZRZUT=\r\n";

class ZazavaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::Registry::setStorageFile(settings.filePath("registry.ini"));
        volumes.list = {Platform::Volume{QStringLiteral("/"), {}, QStringLiteral("root"), Platform::VolumeKind::Fixed}};
        root = dir.path() + u'/';
        TestSupport::writeFile(root + "AUTORUN.INF", "[autorun]\r\nopen=orvanta\r\n");
        dataFile = TestSupport::writeFile(root + "DANE/GRY.RV3", Platform::toCp1250(QString::fromUtf8(kFixture)));
        TestSupport::writeFile(root + "PROGS/Warcaby/SETUP.EXE", QByteArray(2048, 'x'));
        TestSupport::writeFile(root + "PROGS/Warcaby/file_id.diz", "Warcaby 1.0\r\n");
        TestSupport::writeFile(root + "PROGS/Łamigłówka/DISK1/instaluj.exe", QByteArray(1000, 'y'));
        form = std::make_unique<T_Form1>(settings.filePath("Zazava.cfg"));
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        // Nothing asks at the end of a test.
        form->document().setModified(false);
        form.reset();
    }

    // Shows folder in the file list and selects the entry of that name.
    void selectInFiles(const QString &folder, const QString &name)
    {
        form->Files->setDirectory(folder);
        for (int row = 0; row < form->Files->count(); ++row) {
            if (form->Files->model()->entry(row).caption == name)
                form->Files->selectRow(row);
        }
        ASSERT_EQ(QFileInfo(form->selectedFile()).fileName(), name);
    }

    void enterInBox(QComboBox *box, const QString &text = {})
    {
        if (!text.isNull())
            box->setEditText(text);
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &message : dialogs.messages)
            texts << message.text;
        return texts;
    }

    QTemporaryDir dir;
    QTemporaryDir settings;
    QString root;
    QString dataFile;
    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    TestSupport::FakeVolumeSource volumes;
    std::unique_ptr<T_Form1> form;
};

} // namespace

TEST_F(ZazavaTest, EditingSessionWritesTheExpectedBytes)
{
    form->LoadINI(dataFile);
    ASSERT_EQ(form->lstNazwy->count(), 3);
    // The path as it is on disk: in capitals it would name another file.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Zazava RV3 1.1 - ") + dataFile);
    EXPECT_EQ(form->edtNazwaKat->text(), QStringLiteral("Gry logiczne"));

    // Added from the file list; its File_ID.DIZ found in lower case.
    selectInFiles(root + "PROGS/Warcaby", "SETUP.EXE");
    form->DodajNowyClick();
    ASSERT_EQ(form->lstNazwy->count(), 4);
    EXPECT_EQ(form->lstNazwy->currentRow(), 3);
    EXPECT_EQ(form->edtKat_PRG->currentText(), QStringLiteral("PROGS\\Warcaby\\"));

    // Renamed in place.
    form->editNameInPlace(3);
    ASSERT_TRUE(form->InEdit2->isVisible());
    form->InEdit2->setText(QStringLiteral("Warcaby Mistrzów"));
    QTest::keyClick(form->InEdit2, Qt::Key_Return);
    EXPECT_FALSE(form->InEdit2->isVisible());
    EXPECT_EQ(form->lstNazwy->item(3)->text(), QStringLiteral("Warcaby Mistrzów"));

    // Deleted: the row before it is selected.
    form->selectProgram(2);
    form->UsunClick();
    EXPECT_EQ(form->lstNazwy->count(), 3);
    EXPECT_EQ(form->lstNazwy->currentRow(), 1);

    // Corrections mode refreshes the folder facts of the current program
    // and keeps the rest; then the DISK1 level goes.
    form->btnPopraw->setDown(true);
    selectInFiles(root + "PROGS/Łamigłówka/DISK1", "instaluj.exe");
    form->DodajNowyClick();
    EXPECT_EQ(form->lstNazwy->count(), 3);
    EXPECT_EQ(form->lstNazwy->item(1)->text(), QStringLiteral("Łamigłówki"));
    form->UsunDisk1Click();
    EXPECT_EQ(form->edtKat_PRG->currentText(), QStringLiteral("PROGS\\Łamigłówka\\"));
    enterInBox(form->edtKat_PRG);
    enterInBox(form->edtKat_KOPI);

    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(form->document().isModified());
    EXPECT_EQ(TestSupport::readFile(dataFile), Platform::toCp1250(QString::fromUtf8(kGolden)));
    EXPECT_TRUE(dialogs.messages.isEmpty()) << messageTexts().join("\n").toStdString();
}

// A file that fails to read leaves the previous one current, so a save
// cannot overwrite the file that failed.
TEST_F(ZazavaTest, SaveAfterAFailedOpenLeavesThatFileUnchanged)
{
    form->LoadINI(dataFile);
    const QString bad = root + "DANE/ZLY.RV3";
    {
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("TITLE=Zły\r\n");
        ASSERT_TRUE(file.resize(65 * 1024 * 1024)); // beyond what a data file may be
    }
    form->LoadINI(bad);
    ASSERT_EQ(messageTexts(), QStringList{DataFile::Messages::readError()});
    EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Error);
    EXPECT_EQ(form->document().fileName(), dataFile);
    EXPECT_EQ(form->lstNazwy->count(), 3);

    form->selectProgram(0);
    enterInBox(form->edtNumer, QStringLiteral("777"));
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(QFileInfo(bad).size(), 65 * 1024 * 1024);
    QFile check(bad);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.read(11), QByteArray("TITLE=Zły\r\n").left(11));
    EXPECT_TRUE(TestSupport::readFile(dataFile).contains("NUMER=777\r\n"));
}

TEST_F(ZazavaTest, CancelOnCloseKeepsTheWindowAndTheChanges)
{
    form->LoadINI(dataFile);
    form->selectProgram(1);
    enterInBox(form->edtInfo, QStringLiteral("Nowy autor"));
    ASSERT_TRUE(form->document().isModified());
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(form->close());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, EditorMessages::saveChangesInFile(dataFile));
    EXPECT_EQ(dialogs.messages.first().buttons, Platform::MessageButtons::YesNoCancel);
    EXPECT_TRUE(form->document().isModified());
    EXPECT_EQ(form->edtInfo->currentText(), QStringLiteral("Nowy autor"));
    EXPECT_EQ(TestSupport::readFile(dataFile), Platform::toCp1250(QString::fromUtf8(kFixture)));
}

// "Yes, save" that cannot write stops the open or the close that asked.
TEST_F(ZazavaTest, FailedSaveStopsTheOpenAndTheCloseThatAsked)
{
    const QString other = TestSupport::writeFile(root + "INNY/INNY.RV3", "TITLE=Inny\r\n");
    form->LoadINI(dataFile);
    form->selectProgram(0);
    enterInBox(form->edtInfo, QStringLiteral("zmiana"));
    QDir(root + "DANE").removeRecursively();

    dialogs.answers = {MessageAnswer::Yes};
    form->LoadINI(other);
    EXPECT_EQ(form->document().fileName(), dataFile);
    EXPECT_TRUE(form->document().isModified());
    ASSERT_EQ(dialogs.messages.size(), 2);
    // The system's reason in Polish follows the message.
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(DataFile::Messages::writeError(dataFile) + u'\n'));
    EXPECT_TRUE(dialogs.messages[1].text.contains(QStringLiteral("Nie ma takiego pliku ani katalogu")))
        << dialogs.messages[1].text.toStdString();

    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->document().isModified());
}

// Category texts set before any file is open are saved under a name the
// user gives, not written to an empty name.
TEST_F(ZazavaTest, CategoryNameWithoutAFileAsksForAName)
{
    dialogs.textAnswers = {QStringLiteral("Edukacja")};
    QTest::keyClick(form.get(), Qt::Key_F2);
    EXPECT_EQ(form->edtNazwaKat->text(), QStringLiteral("Edukacja"));
    ASSERT_TRUE(form->document().isModified());

    dialogs.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(form->close()); // the name dialog was cancelled
    EXPECT_EQ(dialogs.dialogs.last(), QStringLiteral("save: Zapisz jako"));

    const QString named = root + "DANE/EDU";
    dialogs.pathAnswers = {named};
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(TestSupport::readFile(named + ".RV3"), QByteArray("TITLE=Edukacja\r\nDESC=\r\n\r\n"));
    EXPECT_EQ(form->document().fileName(), named + ".RV3");
}

TEST_F(ZazavaTest, DuplicateNameOpensTheRenameEditorOnTheProgramThatHasIt)
{
    TestSupport::writeFile(root + "PROGS/SZACHY ŻÓŁWIA/setup.exe", "s");
    form->LoadINI(dataFile);
    selectInFiles(root + "PROGS/SZACHY ŻÓŁWIA", "setup.exe");
    form->DodajNowyClick();
    EXPECT_EQ(messageTexts(), QStringList{EditorMessages::duplicateName()});
    EXPECT_EQ(form->lstNazwy->count(), 3);
    EXPECT_TRUE(form->InEdit2->isVisible());
    EXPECT_EQ(form->InEdit2->text(), QStringLiteral("Szachy Żółwia"));
    EXPECT_FALSE(form->mnuUsun->isEnabled());
    QTest::keyClick(form->InEdit2, Qt::Key_Escape);
    EXPECT_FALSE(form->document().isModified());
}

// The in-place editor writes to the row it was opened on, even when
// another row was selected meanwhile; a refused name keeps it open.
TEST_F(ZazavaTest, InPlaceEditorCommitsToItsOwnRow)
{
    form->LoadINI(dataFile);
    form->editNameInPlace(2);
    form->InEdit2->setText(QStringLiteral("ŁAMIGŁÓWKI"));
    QTest::keyClick(form->InEdit2, Qt::Key_Return);
    EXPECT_TRUE(form->InEdit2->isVisible());
    EXPECT_EQ(messageTexts(), QStringList{EditorMessages::duplicateName()});

    form->InEdit2->setText(QStringLiteral("Nowa nazwa"));
    form->document().setCurrent(0);
    QTest::keyClick(form->InEdit2, Qt::Key_Return);
    EXPECT_EQ(form->document().programs()[2].name, QStringLiteral("Nowa nazwa"));
    EXPECT_EQ(form->document().programs()[0].name, QStringLiteral("Szachy Żółwia"));

    form->editDescriptionInPlace(1);
    form->InEdit1->setText(QStringLiteral("Nowy opis"));
    QTest::keyClick(form->InEdit1, Qt::Key_Return);
    EXPECT_EQ(form->document().programs()[1].opis, QStringLiteral("Nowy opis"));
    EXPECT_EQ(form->lstOpis->item(1)->text(), QStringLiteral("Nowy opis"));
}

// Enter stores the box's text in the current program, even when another
// program has the same text; choosing from the drop-down list selects.
TEST_F(ZazavaTest, FieldBoxesStoreOnEnterAndSelectFromTheirLists)
{
    form->LoadINI(dataFile);
    form->selectProgram(2);
    enterInBox(form->edtSystem, QStringLiteral("Windows 95"));
    EXPECT_EQ(form->document().current(), 2);
    EXPECT_EQ(form->document().programs()[2].system, QStringLiteral("Windows 95"));
    EXPECT_EQ(form->edtSystem->itemText(2), QStringLiteral("Windows 95"));
    EXPECT_TRUE(form->document().isModified());

    form->edtNumer->activated(1);
    EXPECT_EQ(form->document().current(), 1);
    EXPECT_EQ(form->lstNazwy->currentRow(), 1);
    EXPECT_EQ(form->lstOpis->currentRow(), 1);
    EXPECT_EQ(form->edtKat_KOPI->currentText(), QStringLiteral("Łamigłówki"));
}

// The tree and the file list show the data file's drive: its root, the
// folders on the way to it and those below it; the tree stands at the data
// file's own folder.
TEST_F(ZazavaTest, TreeAndFileListShowTheDataFilesDrive)
{
    form->LoadINI(dataFile);
    const QString folder = QFileInfo(dataFile).absolutePath() + u'/';
    EXPECT_EQ(form->Dirs->GetSelectedDir(), folder);
    EXPECT_EQ(form->Files->directories(), QStringList{folder});
    const struct {
        QString path;
        bool shown;
    } cases[] = {
        {root + "PROGS/", true},
        {root, true},
        {QFileInfo(dir.path()).absolutePath() + u'/', true},
        {dir.path() + "x/", false},
        {QStringLiteral("/usr/"), false},
    };
    for (const auto &c : cases) {
        bool doAdd = true;
        form->Dirs->OnAddDir(form->Dirs, c.path, doAdd);
        EXPECT_EQ(doAdd, c.shown) << c.path.toStdString();
    }
}

// At the default window size the tree shows the whole names of a CD's
// program folders as deep as they lie in a CD folder in a user's home
// (/home/ania/Płyta CD/PROGRAMY/Gry logiczne/Warcaby).
TEST_F(ZazavaTest, TreeShowsWholeFolderNamesAtTheDefaultSize)
{
    const QString cd = root + "Płyta CD/";
    TestSupport::writeFile(cd + "AUTORUN.INF", "[autorun]\r\n");
    const QString data = TestSupport::writeFile(cd + "DANE/GRY.RV3", "TITLE=Gry\r\n");
    TestSupport::writeFile(cd + "PROGRAMY/Gry logiczne/Warcaby/setup.exe", "x");
    form->LoadINI(data);
    ASSERT_TRUE(form->Dirs->OpenPath(cd + "PROGRAMY/Gry logiczne/Warcaby/"));
    ASSERT_EQ(form->Dirs->GetSelectedDir(), cd + "PROGRAMY/Gry logiczne/Warcaby/");
    ASSERT_EQ(form->size(), QSize(640, 480));
    // What the visible nodes need: indentation, icon and name.
    const QAbstractItemView *tree = form->Dirs;
    EXPECT_LE(tree->sizeHintForColumn(0), tree->viewport()->width());
}

// The file list's commands put stored paths into the current program and
// the category; a file outside the drive root is refused with a message.
TEST_F(ZazavaTest, FileListCommandsStorePathsBelowTheDriveRootOnly)
{
    form->LoadINI(dataFile);
    form->selectProgram(2);
    selectInFiles(root + "PROGS/Warcaby", "file_id.diz");
    form->DodajJakoPole(&DataFile::Program::ambitny);
    form->DodajJakoPole(&DataFile::Program::opis);
    form->OpisKategoriClick();
    const DataFile::Program &program = form->document().programs()[2];
    EXPECT_EQ(program.ambitny, QStringLiteral("PROGS\\Warcaby\\file_id.diz"));
    EXPECT_EQ(program.opis, QStringLiteral("PROGS\\Warcaby\\file_id.diz"));
    EXPECT_EQ(form->lstOpis->item(2)->text(), program.opis);
    EXPECT_EQ(form->edtOpisKategorii->text(), QStringLiteral("PROGS\\Warcaby\\file_id.diz"));

    std::unique_ptr<QMenu> menu(form->buildFilesMenu());
    QStringList enabledSetups;
    for (QAction *action : menu->actions()) {
        if (action->menu() && action->text() == QStringLiteral("SETUP")) {
            for (QAction *setup : action->menu()->actions()) {
                if (setup->isEnabled())
                    enabledSetups << setup->text();
            }
        }
    }
    EXPECT_EQ(enabledSetups, QStringList{"setup.exe"}); // SETUP.EXE in any letter case

    QTemporaryDir outside;
    TestSupport::writeFile(outside.path() + "/Obcy/setup.exe", "o");
    selectInFiles(outside.path() + "/Obcy", "setup.exe");
    form->DodajNowyClick();
    form->DodajJakoPole(&DataFile::Program::zrzut);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("poza katalogiem głównym")));
    EXPECT_EQ(form->document().count(), 3);
    EXPECT_TRUE(form->document().programs()[2].zrzut.isEmpty());
}

// "Nowy" creates the chosen file empty, replacing what was there, and a
// close writes the window's settings.
TEST_F(ZazavaTest, NewFileAndSettingsAtClose)
{
    const QString fresh = TestSupport::writeFile(root + "DANE/NOWY.RV3", "TITLE=Stary\r\n");
    dialogs.pathAnswers = {fresh};
    form->NowyClick();
    EXPECT_EQ(form->document().fileName(), fresh);
    EXPECT_EQ(QFileInfo(fresh).size(), 0);
    EXPECT_EQ(form->lstNazwy->count(), 0);
    EXPECT_EQ(form->Dirs->GetSelectedDir(), root + "DANE/");

    form->mnuPasek->trigger();
    form->mnuOpcjonalne->trigger();
    EXPECT_TRUE(form->close());
    const ZazavaConfig saved = ZazavaConfig::read(settings.filePath("Zazava.cfg"));
    EXPECT_TRUE(saved.toolbar);
    EXPECT_TRUE(saved.optional);
    EXPECT_EQ(saved.width, form->width());
}

// Started, shown and closed with the splitters untouched, again and again,
// the window stores the pane widths it was given: the defaults (no file) and
// odd ones, in windows of several sizes.
TEST_F(ZazavaTest, PaneWidthsSurviveStartsAndClosesUntouched)
{
    struct Case {
        const char *cfg; // [Split] and [WINDOW] as stored, nothing for none
        int pion;
        int pion1;
    };
    const Case cases[] = {
        {"", 250, 199},
        {"[Split]\r\nPion=169\r\nPion_1=199\r\n", 169, 199},
        {"[Split]\r\nPion=210\r\nPion_1=246\r\n", 210, 246},
        {"[Split]\r\nPion=233\r\nPion_1=151\r\n[WINDOW]\r\nW=701\r\nH=433\r\n", 233, 151},
        {"[Split]\r\nPion=301\r\nPion_1=97\r\n[WINDOW]\r\nW=1003\r\nH=611\r\nOPCJONALNE=1\r\n", 301, 97},
    };
    const QString cfg = settings.filePath("Zazava.cfg");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cfg);
        QFile::remove(cfg);
        if (*c.cfg)
            TestSupport::writeFile(cfg, c.cfg);
        for (int start = 1; start <= 3; ++start) {
            SCOPED_TRACE(start);
            T_Form1 window(cfg);
            window.show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
            EXPECT_EQ(window.splitPion->sizes().first(), c.pion);
            EXPECT_EQ(window.splitNazwy->sizes().first(), c.pion1);
            ASSERT_TRUE(window.close());
            const ZazavaConfig saved = ZazavaConfig::read(cfg);
            EXPECT_EQ(saved.pion, c.pion);
            EXPECT_EQ(saved.pion1, c.pion1);
        }
    }
}

// The optional fields need more room than a 640 pixels wide window leaves
// beside the left panel's 250: the panel gives way while the window is that
// narrow, but its width is what a dragged splitter made it.
TEST_F(ZazavaTest, PaneWidthsAreKeptThroughANarrowWindowAndStoredAsDragged)
{
    const QString cfg = settings.filePath("Zazava.cfg");
    TestSupport::writeFile(cfg, "[WINDOW]\r\nW=640\r\nH=480\r\nOPCJONALNE=1\r\n");
    {
        T_Form1 window(cfg);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_LT(window.splitPion->sizes().first(), 250);
        ASSERT_TRUE(window.close());
        EXPECT_EQ(ZazavaConfig::read(cfg).pion, 250);
    }
    T_Form1 window(cfg);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.resize(1000, 600);
    ASSERT_TRUE(QTest::qWaitFor([&window] { return window.splitPion->sizes().first() == 250; }));

    // Dragged 40 pixels to the left, then the name list 30 to the right.
    const auto drag = [](QSplitter *splitter, int by) {
        QSplitterHandle *handle = splitter->handle(1);
        const QPoint from = handle->rect().center();
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(handle, from + QPoint(by, 0));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, from + QPoint(by, 0));
    };
    drag(window.splitPion, -40);
    drag(window.splitNazwy, 30);
    ASSERT_EQ(window.splitPion->sizes().first(), 210);
    ASSERT_EQ(window.splitNazwy->sizes().first(), 229);
    ASSERT_TRUE(window.close());
    const ZazavaConfig saved = ZazavaConfig::read(cfg);
    EXPECT_EQ(saved.pion, 210);
    EXPECT_EQ(saved.pion1, 229);
}

// Closed by its square while floating, the toolbar unticks its menu item,
// and a restart keeps it hidden.
TEST_F(ZazavaTest, ToolbarClosedByItsSquareUnticksItsItem)
{
    form->mnuPasek->trigger();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->Pasek->setDockedTo(nullptr);
    ASSERT_TRUE(form->Pasek->isVisible());
    const QPoint square = FloatPlan::closeSquare(form->Pasek->size()).center();
    QTest::mousePress(form->Pasek, Qt::LeftButton, {}, square);
    QTest::mouseRelease(form->Pasek, Qt::LeftButton, {}, square);
    EXPECT_FALSE(form->Pasek->isVisible());
    EXPECT_FALSE(form->mnuPasek->isChecked());
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(ZazavaConfig::read(settings.filePath("Zazava.cfg")).toolbar);
    form = std::make_unique<T_Form1>(settings.filePath("Zazava.cfg"));
    EXPECT_FALSE(form->mnuPasek->isChecked());
    EXPECT_FALSE(form->Pasek->isVisibleSet());
}

TEST_F(ZazavaTest, ToolbarStandsInTheDockWithTheCategoryFields)
{
    // Hidden by default (Zazava.cfg PASEK 0): the dock takes no room.
    EXPECT_FALSE(form->Pasek->isVisibleSet());
    EXPECT_EQ(form->Doki->height(), 0);
    form->mnuPasek->trigger();
    EXPECT_EQ(form->Pasek->dockedTo(), form->Doki);
    EXPECT_EQ(form->Doki->height(), form->Pasek->height());
    EXPECT_EQ(form->btnNew->pos(), QPoint(11, 2 + (form->Pasek->height() - 4 - form->btnNew->height()) / 2));
    // The fields follow the buttons on the same row.
    EXPECT_GT(form->edtNazwaKat->x(), form->btnSkanuj->geometry().right());
    EXPECT_GT(form->edtOpisKategorii->x(), form->edtNazwaKat->geometry().right());
    EXPECT_EQ(form->edtNazwaKat->y() + form->edtNazwaKat->height() / 2, form->Pasek->height() / 2);

    form->LoadINI(dataFile);
    EXPECT_EQ(form->edtNazwaKat->text(), QStringLiteral("Gry logiczne"));
    // The switch stays down until pressed again; the scan opens its window.
    QTest::mouseClick(form->btnPopraw, Qt::LeftButton);
    EXPECT_TRUE(form->btnPopraw->down());
    QTest::mouseClick(form->btnPopraw, Qt::LeftButton);
    EXPECT_FALSE(form->btnPopraw->down());
    EXPECT_TRUE(form->btnSkanuj->isEnabled());
    // A button runs its command: "Zapisz" writes the file.
    QFile::remove(dataFile);
    QTest::mouseClick(form->btnSave, Qt::LeftButton);
    EXPECT_TRUE(QFileInfo::exists(dataFile));
}

TEST_F(ZazavaTest, RecentDataFilesComeBackNewestFirstAfterARestart)
{
    QStringList files;
    for (const char *name : {"A.RV3", "B.RV3", "C.RV3"})
        files.append(TestSupport::writeFile(root + "DANE/" + name, kFixture));
    for (const QString &file : files)
        form->LoadINI(file);
    EXPECT_TRUE(form->close());
    form.reset();

    form = std::make_unique<T_Form1>(settings.filePath("Zazava.cfg"));
    EXPECT_EQ(form->MRU->files(), (QStringList{files.at(2), files.at(1), files.at(0)}));
    Platform::Registry registry;
    ASSERT_TRUE(registry.openKey(QStringLiteral("\\Software\\ZELTRIN Software\\Dodorurav\\2.0\\Dane\\Historia"), false));
    QStringList names = registry.valueNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("F0"), QStringLiteral("F1"), QStringLiteral("F2")}));

    // The submenu stands in front of "Zapisz"; its entries open their files.
    QMenu *plik = form->menuBar()->actions().first()->menu();
    const QList<QAction *> items = plik->actions();
    const qsizetype save = items.indexOf(form->mnuZapisz);
    ASSERT_GE(save, 1);
    auto *submenu = qobject_cast<TMRUMenuItem *>(items.at(save - 1));
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(submenu->text(), QStringLiteral("Otwórz ponownie"));
    ASSERT_EQ(submenu->menu()->actions().size(), 3);
    submenu->menu()->actions().at(2)->trigger();
    EXPECT_EQ(form->document().fileName(), files.at(0));
    EXPECT_EQ(form->MRU->files().first(), files.at(0));
}

TEST_F(ZazavaTest, CommandsNeedingAFileWarnWithoutOne)
{
    selectInFiles(root + "PROGS/Warcaby", "SETUP.EXE");
    form->DodajNowyClick();
    form->NotatnikClick();
    EXPECT_EQ(messageTexts(), (QStringList{EditorMessages::noDataFile(), EditorMessages::noDataFile()}));
    EXPECT_TRUE(launcher.openedAsText.isEmpty());
    EXPECT_EQ(form->document().count(), 0);

    // Enter in a box with no program chosen stores nothing.
    enterInBox(form->edtInfo, QStringLiteral("nikt"));
    EXPECT_FALSE(form->document().isModified());
}

TEST_F(ZazavaTest, NotepadProgramIndexAndFileIdDiz)
{
    form->LoadINI(dataFile);
    QTest::keyClick(form.get(), Qt::Key_F4);
    EXPECT_EQ(launcher.openedAsText, QStringList{dataFile});

    const QString index = root + "spis.txt";
    dialogs.pathAnswers = {index};
    form->SpisClick(&DataFile::Program::numer, QStringLiteral(" - Spis numerów"));
    EXPECT_EQ(TestSupport::readFile(index),
              Platform::toCp1250(QStringLiteral("Szachy Żółwia - \r\nŁamigłówki - 123-456\r\nUsuwany - \r\n")));

    form->Files->setDirectory(root + "PROGS/Łamigłówka");
    form->UtworzDizClick();
    EXPECT_TRUE(QFileInfo::exists(root + "PROGS/Łamigłówka/File_ID.DIZ"));
    form->UtworzDizClick();
    EXPECT_EQ(messageTexts(), QStringList{EditorMessages::dizExists()});
    EXPECT_EQ(launcher.openedAsText.size(), 3);
}
