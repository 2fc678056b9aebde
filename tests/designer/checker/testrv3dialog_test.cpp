#include "checkerfixture.h"

#include <checker/testrv3dialog.h>

#include <profilefile.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kSound = QStringLiteral("PLIK CAŁKOWICIE POPRAWNY");

QStringList itemsOf(const QComboBox &box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    return items;
}

// The launcher whose association or text editor (or both) fails.
class FailingLauncher : public TestSupport::RecordingLauncher
{
public:
    Platform::LaunchResult openDocument(const QString &path, const QString &workingDir) override
    {
        RecordingLauncher::openDocument(path, workingDir);
        return {!documentFails, documentFails ? QStringLiteral("no application") : QString()};
    }
    Platform::LaunchResult openAsText(const QString &path) override
    {
        RecordingLauncher::openAsText(path);
        return {!textFails, textFails ? QStringLiteral("no editor") : QString()};
    }
    bool documentFails = false;
    bool textFails = false;
};

} // namespace

class CheckerDialog : public CheckerFixture
{
protected:
    void SetUp() override
    {
        CheckerFixture::SetUp();
        gry = writeDataFile(
            QStringLiteral("DANE/GRY.RV3"), QStringLiteral("Najlepsze gry"),
            {
                {QStringLiteral("Pierwsza"),
                 {QStringLiteral("SETUP=PROGS\\Gra\\brak.exe"), QStringLiteral("ZRZUT=PROGS\\Gra\\usuniety.bmp")}},
                {QStringLiteral("Dobra"), {QStringLiteral("SETUP=progs\\gra\\setup.exe")}},
                {QStringLiteral("Druga"),
                 {QStringLiteral("KATALOG=PROGS\\Gra\\Setup.exe"), QStringLiteral("ZRZUT=PROGS\\Gra\\ekran.bmp"),
                  QStringLiteral("OPIS=informacje Z PLIKU File_ID.DIZ nie są dostępne")}},
            });
        soundFile = writeDataFile(QStringLiteral("DANE/DOBRE.RV3"), QStringLiteral("OPISY\\Gry.txt"),
                                  {{QStringLiteral("Gra"), {QStringLiteral("SETUP=PROGS\\Gra\\Setup.exe")}}});
        writeText(QStringLiteral("MENU.KLV"), QStringLiteral("[DATA]\n1001=dane\\gry.rv3\n1002=\n1003=DANE\\DOBRE.RV3\n"
                                                             "1004=DANE\\BRAK.RV3\n1005=OUT\\secret.txt\n"));
        context.ProjectIni = std::make_unique<Platform::ProfileFile>(drivePath(QStringLiteral("MENU.KLV")));
        form = std::make_unique<TfrmTestRV3>(context);
    }

    void test(const QString &file)
    {
        form->cmbPliki->setEditText(file);
        form->klwTestuj->click();
    }

    void choose(const QString &program)
    {
        form->cmbErrors->setCurrentIndex(form->cmbErrors->findText(program));
        form->Odczyt_Error(form->cmbErrors);
    }

    QStringList fields() const
    {
        return {form->edtSetup->text(),   form->edtKatalog->text(), form->edtOpis->text(),
                form->edtAmbitny->text(), form->edtZrzut->text(),   form->edtOpisKat->text()};
    }

    QString gry, soundFile;
    std::unique_ptr<TfrmTestRV3> form;
};

TEST_F(CheckerDialog, ListsTheProjectsDataFilesWithoutEmptyValues)
{
    // A path that a link leads off the drive stands as stored.
    EXPECT_EQ(itemsOf(*form->cmbPliki), QStringList({gry, soundFile, drivePath(QStringLiteral("DANE/BRAK.RV3")),
                                                     QStringLiteral("OUT\\secret.txt")}));
    EXPECT_EQ(form->cmbPliki->currentText(), gry);

    writeText(QStringLiteral("MENU.KLV"), QStringLiteral("[WINDOW]\nWIDTH=300\n"));
    context.ProjectIni = std::make_unique<Platform::ProfileFile>(drivePath(QStringLiteral("MENU.KLV")));
    const TfrmTestRV3 empty(context);
    EXPECT_EQ(empty.cmbPliki->count(), 0);
}

TEST_F(CheckerDialog, ShowsTheFaultyValuesOfTheChosenProgram)
{
    test(gry);

    EXPECT_EQ(itemsOf(*form->cmbErrors), QStringList({QStringLiteral("Pierwsza"), QStringLiteral("Druga")}));
    EXPECT_EQ(form->cmbErrors->currentText(), QStringLiteral("Pierwsza"));
    EXPECT_EQ(fields(), QStringList({QStringLiteral("PROGS\\Gra\\brak.exe"), {}, {}, {},
                                     QStringLiteral("PROGS\\Gra\\usuniety.bmp"), QStringLiteral("Najlepsze gry")}));
    // The second program's screenshot is there: its field is empty again,
    // and the file's description stays.
    choose(QStringLiteral("Druga"));
    EXPECT_EQ(fields(), QStringList({{}, QStringLiteral("PROGS\\Gra\\Setup.exe"), {}, {}, {},
                                     QStringLiteral("Najlepsze gry")}));
}

TEST_F(CheckerDialog, ASoundFileSaysSoOnlyWithASoundDescription)
{
    test(soundFile);
    EXPECT_EQ(itemsOf(*form->cmbErrors), QStringList({kSound}));
    EXPECT_EQ(fields(), QStringList(6));

    // Sound programs under a description that is a text: no program is
    // listed, and the text shows in its field.
    writeDataFile(QStringLiteral("DANE/DOBRE.RV3"), QStringLiteral("Gry dla każdego"),
                  {{QStringLiteral("Gra"), {QStringLiteral("SETUP=PROGS\\Gra\\Setup.exe")}}});
    test(soundFile);
    EXPECT_EQ(form->cmbErrors->count(), 0);
    EXPECT_EQ(fields(), QStringList({{}, {}, {}, {}, {}, QStringLiteral("Gry dla każdego")}));
}

TEST_F(CheckerDialog, AFileThatCannotBeReadKeepsTheEarlierResults)
{
    const QString fifo = drivePath(QStringLiteral("SPECIAL/fifo"));
    for (const QString &file : {drivePath(QStringLiteral("DANE/BRAK.RV3")), fifo}) {
        SCOPED_TRACE(file.toStdString());
        test(gry);
        choose(QStringLiteral("Druga"));
        const QStringList before = fields();
        dialogs.messages.clear();

        test(file);

        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Brak dostępu do wybranego pliku: \"%1\"!").arg(file));
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Dodorurav 2.1"));
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Error);
        EXPECT_EQ(itemsOf(*form->cmbErrors), QStringList({QStringLiteral("Pierwsza"), QStringLiteral("Druga")}));
        EXPECT_EQ(fields(), before);
        // The program is still looked up in the file checked last.
        choose(QStringLiteral("Pierwsza"));
        EXPECT_EQ(form->edtZrzut->text(), QStringLiteral("PROGS\\Gra\\usuniety.bmp"));
    }
}

// The file beyond the link is never read: choosing it says why, and the
// earlier results stay.
TEST_F(CheckerDialog, ADataFileOffTheDriveSaysWhyItIsNotChecked)
{
    TestSupport::writeFile(outside(QStringLiteral("secret.txt")), "TITLE=Obce\r\nDESC=\r\n\r\n[Obca]\r\nZRZUT=brak.bmp\r\n");
    test(gry);
    const QStringList before = fields();
    dialogs.messages.clear();

    form->cmbPliki->setCurrentIndex(form->cmbPliki->findText(QStringLiteral("OUT\\secret.txt")));
    form->klwTestuj->click();

    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Plik danych \"OUT\\secret.txt\" prowadzi przez dowiązanie poza "
                                                       "katalog płyty (\"%1\") - nie można go sprawdzić!")
                                            .arg(drivePath()));
    EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Error);
    EXPECT_EQ(itemsOf(*form->cmbErrors), QStringList({QStringLiteral("Pierwsza"), QStringLiteral("Druga")}));
    EXPECT_EQ(fields(), before);
}

// Nor is it handed to an editor: that would edit a file the CD lacks.
TEST_F(CheckerDialog, EditingADataFileOffTheDriveSaysWhyAndStartsNothing)
{
    TestSupport::RecordingLauncher launcher;
    form->cmbPliki->setCurrentIndex(form->cmbPliki->findText(QStringLiteral("OUT\\secret.txt")));

    form->klwEdycjaRV3->click();

    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Plik danych \"OUT\\secret.txt\" prowadzi przez dowiązanie poza "
                                                       "katalog płyty (\"%1\") - nie można go edytować!")
                                            .arg(drivePath()));
    EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Error);
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_TRUE(launcher.openedAsText.isEmpty());
    EXPECT_TRUE(launcher.started.isEmpty());
}

TEST_F(CheckerDialog, AFileAddedByHandIsChosenForTheTest)
{
    const QString extra = writeDataFile(QStringLiteral("inne/EXTRA.RV3"), {},
                                        {{QStringLiteral("Obca"), {QStringLiteral("ZRZUT=brak.bmp")}}});
    dialogs.pathAnswers = {extra};
    form->klwBrowse->click();
    EXPECT_EQ(form->cmbPliki->count(), 5);
    EXPECT_EQ(form->cmbPliki->currentText(), extra);
    form->klwTestuj->click();
    EXPECT_EQ(itemsOf(*form->cmbErrors), QStringList({QStringLiteral("Obca")}));

    form->klwBrowse->click(); // cancelled
    EXPECT_EQ(form->cmbPliki->count(), 5);
}

TEST_F(CheckerDialog, EditingFallsBackToTheTextEditorThenToTheMessage)
{
    const struct {
        const char *name;
        bool documentFails;
        bool textFails;
        int asText;
        bool message;
    } cases[] = {
        {"the association opens it", false, false, 0, false},
        {"the text editor opens it", true, false, 1, false},
        {"nothing opens it", true, true, 1, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        FailingLauncher launcher;
        launcher.documentFails = c.documentFails;
        launcher.textFails = c.textFails;
        dialogs.messages.clear();

        form->klwEdycjaRV3->click();

        EXPECT_EQ(launcher.opened, QStringList({gry}));
        EXPECT_EQ(launcher.openedAsText, c.asText ? QStringList({gry}) : QStringList());
        EXPECT_TRUE(launcher.started.isEmpty());
        ASSERT_EQ(dialogs.messages.size(), c.message ? 1 : 0);
        if (c.message) {
            EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Brak możliwości edycji wybranego pliku"));
        }
    }
    // Without a file named nothing is started.
    TestSupport::RecordingLauncher launcher;
    form->cmbPliki->setEditText({});
    form->klwEdycjaRV3->click();
    EXPECT_TRUE(launcher.opened.isEmpty());
}
