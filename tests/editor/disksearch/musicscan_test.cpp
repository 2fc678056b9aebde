#include "searchfixture.h"

#include <disksearch/searchmessages.h>
#include <disksearch/znajdz.h>
#include <filelist/filelistview.h>
#include <mainwindow/datmain.h>
#include <mainwindow/editormessages.h>
#include <mainwindow/zazavaconfig.h>
#include <musicscan/musicscan.h>
#include <datafile/datafile.h>
#include <paths.h>
#include <registry.h>
#include <systemerror.h>
#include <testdoubles.h>
#include <testsupport.h>

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Platform::MessageAnswer;

QStringList sectionsOf(const QString &file)
{
    const DataFile::ReadResult read = DataFile::read(file);
    QStringList names;
    for (const DataFile::Program &program : read.category.programs)
        names << program.name;
    return names;
}

// A CD with three music folders (two of them named alike) and the data
// file the editor has open.
class MusicScanTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Platform::Registry::setStorageFile(settings.filePath("registry.ini"));
        volumes.list = {Platform::Volume{QStringLiteral("/"), {}, QStringLiteral("root"), Platform::VolumeKind::Fixed}};
        root = dir.path() + QStringLiteral("/cd/");
        TestSupport::writeFile(root + "AUTORUN.INF", "[autorun]\r\n");
        dataFile = TestSupport::writeFile(root + "DANE/GRY.RV3",
                                          "TITLE=Gry\r\nDESC=\r\n\r\n[Szachy]\r\nSETUP=PROGS\\setup.exe\r\n");
        TestSupport::writeFile(root + "MUZYKA/Rock/a.mp3", QByteArray(1024, 'x'));
        TestSupport::writeFile(root + "MUZYKA/Rock/b.mp3", QByteArray(2048, 'x'));
        TestSupport::writeFile(root + "MUZYKA/Jazz/c.mp3", QByteArray(10, 'x'));
        TestSupport::writeFile(root + "INNE/Rock/d.mp3", QByteArray(10, 'x'));
        form = std::make_unique<T_Form1>(settings.filePath("Zazava.cfg"));
        form->show();
        form->LoadINI(dataFile);
        scan = form->frmMP3;
        out = root + QStringLiteral("DANE/");
    }

    void TearDown() override
    {
        form->document().setModified(false);
        form.reset();
    }

    // A data file that could not be written is told as one, even when the
    // write failed because the file could not be read first.
    static void expectNotWritten(const QString &message, const QString &file)
    {
        EXPECT_TRUE(message.contains(QStringLiteral("Nie można zapisać \"%1\"").arg(QDir::toNativeSeparators(file))))
            << message.toStdString();
        EXPECT_FALSE(message.contains(QStringLiteral("odczyt"))) << message.toStdString();
    }

    void searchAll(int rows = 4)
    {
        scan->edtRozpocznij->setText(root);
        scan->edtKatRV3->setText(out);
        scan->klwZnajdz->click();
        ASSERT_TRUE(SearchFixture::waitForIdle(*scan));
        ASSERT_EQ(scan->listaMP3->count(), rows);
    }

    void selectRows(const QList<int> &rows)
    {
        QItemSelectionModel *selection = scan->listaMP3->listView()->selectionModel();
        selection->clear();
        for (const int row : rows)
            selection->select(scan->listaMP3->model()->index(row, 0), QItemSelectionModel::Select);
    }

    QTemporaryDir dir;
    QTemporaryDir settings;
    QString root;
    QString dataFile;
    QString out;
    TestSupport::RecordingDialogs dialogs;
    TestSupport::RecordingLauncher launcher;
    TestSupport::FakeVolumeSource volumes;
    std::unique_ptr<T_Form1> form;
    T_frmMP3 *scan = nullptr;
};

TEST_F(MusicScanTest, StartsInTheProgramFolderAndWritesToTheUsersDataFolder)
{
    EXPECT_EQ(QDir::fromNativeSeparators(scan->edtRozpocznij->text()), Platform::programDir());
    EXPECT_EQ(QDir::fromNativeSeparators(scan->edtKatRV3->text()), Platform::userDataDir());
    EXPECT_EQ(scan->edtRV3->text(), QStringLiteral(" "));
    EXPECT_EQ(scan->Combo->currentText(), QStringLiteral("*.mp3;*.vqf;"));
    EXPECT_FALSE(scan->klwFullAuto->isEnabled());
    form->mnuSkanujMP3->trigger();
    EXPECT_TRUE(scan->isVisible());
    searchAll();
    EXPECT_TRUE(scan->klwFullAuto->isEnabled());

    // Its own mask lists stay its own: the disk search's in Zazava.cfg are
    // left as they are.
    form->frmZnajdz->Combo->addItem(QStringLiteral("*.exe"));
    form->frmZnajdz->close();
    scan->Combo->addItem(QStringLiteral("*.ogg"));
    scan->close();
    EXPECT_FALSE(scan->isVisible());
    EXPECT_EQ(ZazavaConfig::readFilters(settings.filePath("Zazava.cfg")), QStringList{"*.exe"});
}

// Each button's hint reads as two lines in its tool tip.
TEST_F(MusicScanTest, ButtonHintsShowTwoLines)
{
    const struct {
        QPushButton *button;
        QStringList lines;
    } hints[] = {
        {scan->klwAuto, {"Automatyczne ustalanie nazwy dla pliku", "- nazwa katalogu z plikami mp3"}},
        {scan->klOK, {"Zaznaczone pliki zostaną wpisane do pliku danych", "o nazwie widocznej obok"}},
        {scan->klwFullAuto, {"Cały proces generowania plików danych", "zostanie wykonany automatycznie"}},
    };
    for (const auto &hint : hints)
        EXPECT_EQ(hint.button->toolTip().split(u'\n'), hint.lines) << hint.button->text().toStdString();
}

TEST_F(MusicScanTest, SaveWritesTheSelectedRowsOfTwoFoldersIntoOneFile)
{
    searchAll();
    // The blank the name starts with is no name.
    scan->klOKClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, SearchMessages::noDataFileName());

    // Auto names the file after the selected row's folder.
    scan->klwAuto->setChecked(true);
    selectRows({0});
    EXPECT_EQ(scan->edtRV3->text(), QStringLiteral("Rock.rv3"));
    scan->edtRV3->setText(QStringLiteral("Zbiór.rv3"));
    selectRows({1, 3});
    scan->edtRV3->setText(QStringLiteral("Zbiór.rv3"));
    scan->klOKClick();
    EXPECT_EQ(dialogs.messages.size(), 1);
    const QStringList sections = sectionsOf(out + "Zbiór.rv3");
    EXPECT_EQ(sections.size(), 4) << sections.join(u',').toStdString();
    EXPECT_TRUE(sections.contains(QStringLiteral("Jazz")) || sections.contains(QStringLiteral("Rock")));
}

TEST_F(MusicScanTest, SaveIntoTheOpenModifiedDataFileAsksFirstAndReloads)
{
    searchAll();
    form->document().setTitle(QStringLiteral("Zmieniony"));
    ASSERT_TRUE(form->document().isModified());
    selectRows({0, 1, 2, 3});
    scan->edtRV3->setText(QStringLiteral("GRY.RV3"));

    dialogs.answers = {MessageAnswer::Cancel};
    scan->klOKClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, EditorMessages::saveChanges());
    EXPECT_EQ(sectionsOf(dataFile), QStringList{"Szachy"});

    dialogs.answers = {MessageAnswer::Yes};
    scan->klOKClick();
    // The second folder named Rock would merge into the first one's program.
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_EQ(dialogs.messages.last().text, SearchMessages::namesSkipped(1));
    EXPECT_FALSE(form->document().isModified());
    EXPECT_EQ(form->document().category().title, QStringLiteral("Zmieniony"));
    EXPECT_GE(form->document().count(), 5);
    EXPECT_EQ(sectionsOf(dataFile).first(), QStringLiteral("Szachy"));
}

TEST_F(MusicScanTest, FullAutomatonWritesOneFilePerFolder)
{
    searchAll();
    scan->klwFullAutoClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, SearchMessages::allDataFilesWritten(QDir::toNativeSeparators(out)));
    EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Information);
    // Two folders named Rock get two files.
    EXPECT_EQ(sectionsOf(out + "Jazz.rv3"), (QStringList{"c", "Jazz"}));
    const QStringList first = sectionsOf(out + "Rock.rv3");
    const QStringList second = sectionsOf(out + "Rock (2).rv3");
    EXPECT_EQ(first.size() + second.size(), 5) << first.join(u',').toStdString() << " / "
                                                << second.join(u',').toStdString();
    EXPECT_TRUE(first.contains(QStringLiteral("Rock")) && second.contains(QStringLiteral("Rock")));
    // Each opens in the editor with its songs and its folder.
    form->LoadINI(out + "Jazz.rv3");
    ASSERT_EQ(form->document().count(), 2);
    EXPECT_EQ(form->document().programs().first().setup, QStringLiteral("MUZYKA\\Jazz\\c.mp3"));
    EXPECT_EQ(form->document().programs().last().katalog, QStringLiteral("MUZYKA\\Jazz\\"));
}

// A data file there in another letter case is the one written: on a CD the
// two names are one. The open one asks about its changes first.
TEST_F(MusicScanTest, ADataFileThereInAnotherLetterCaseIsTheOneWritten)
{
    searchAll();
    const QString jazz = TestSupport::writeFile(out + "JAZZ.RV3", "TITLE=Jazz\r\nDESC=\r\n\r\n");
    scan->klwFullAutoClick();
    EXPECT_EQ(DataFile::readHeader(jazz).title, QStringLiteral("Jazz"));
    EXPECT_EQ(sectionsOf(jazz), (QStringList{"c", "Jazz"}));

    form->document().setTitle(QStringLiteral("Zmieniony"));
    selectRows({0});
    scan->edtRV3->setText(QStringLiteral("gry.rv3"));
    dialogs.messages.clear();
    dialogs.answers = {MessageAnswer::No};
    scan->klOKClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, EditorMessages::saveChanges());
    EXPECT_EQ(sectionsOf(dataFile).first(), QStringLiteral("Szachy"));
    EXPECT_GE(sectionsOf(dataFile).size(), 3);
    EXPECT_EQ(QDir(out).entryList({"*.rv3", "*.RV3"}, QDir::Files, QDir::Name),
              (QStringList{"GRY.RV3", "JAZZ.RV3", "Rock (2).rv3", "Rock.rv3"}));
}

TEST_F(MusicScanTest, FullAutomatonThatCannotWriteNamesTheFileAndClaimsNoSuccess)
{
    searchAll();
    QDir().mkpath(out + "Jazz.rv3"); // a folder where a data file should go
    scan->klwFullAutoClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Error);
    expectNotWritten(dialogs.messages.first().text, out + "Jazz.rv3");

    dialogs.messages.clear();
    scan->edtKatRV3->setText(QStringLiteral("wzgledny/katalog"));
    scan->klwFullAutoClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, SearchMessages::dataFolderNotAbsolute("wzgledny/katalog"));

    dialogs.messages.clear();
    scan->edtKatRV3->setText(dataFile + "/pod");
    scan->klwFullAutoClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.first().text, SearchMessages::folderNotCreated(dataFile + "/pod"));
}

// A folder whose data file cannot be written (its name and ".rv3" are
// longer than a name may be) does not keep the folders after it from
// theirs; the end names it with the system's reason.
TEST_F(MusicScanTest, FullAutomatonGoesOnPastAFolderThatFailsAndTellsIt)
{
    const QString longName(252, u'A');
    TestSupport::writeFile(root + "MUZYKA/" + longName + "/0.mp3", "x");
    searchAll(5);
    scan->klwFullAutoClick();
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString text = dialogs.messages.first().text;
    EXPECT_EQ(dialogs.messages.first().icon, Platform::MessageIcon::Error);
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(root + "MUZYKA/" + longName))) << text.toStdString();
    EXPECT_TRUE(text.contains(Platform::systemErrorText(ENAMETOOLONG))) << text.toStdString();
    expectNotWritten(text, out + longName + ".rv3");
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(out))) << text.toStdString();
    EXPECT_FALSE(text.contains(SearchMessages::allDataFilesWritten(QString()).trimmed())) << text.toStdString();
    EXPECT_EQ(sectionsOf(out + "Jazz.rv3"), (QStringList{"c", "Jazz"}));
    EXPECT_EQ(sectionsOf(out + "Rock.rv3").size() + sectionsOf(out + "Rock (2).rv3").size(), 5);
}

} // namespace
