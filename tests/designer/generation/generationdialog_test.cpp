#include "generationfixture.h"

#include <generation/generationdialog.h>

#include <checkbox/bitcheckbox.h>
#include <lists/horlistbox.h>
#include <profilefile.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <QApplication>
#include <QLabel>

using Platform::MessageAnswer;

using GenerationDialogTest = GenerationFixture;

TEST_F(GenerationDialogTest, OpensWithTheProposedFoldersAndTheSourceList)
{
    settings.file(GeneratorFile::MenuFolder) = QStringLiteral("/x/CD/");
    TfrmGeneruj form(nullptr, context, settings);
    EXPECT_EQ(form.windowTitle(), "Generowanie MENU");
    EXPECT_EQ(form.edtKatalogMenu->text(), "/x/CD/");
    // The proposed folder is taken as it stands.
    EXPECT_EQ(form.edtKatalogDane->text(), "/x/CD//Dane/");
    EXPECT_EQ(form.edtKatalogMulti->text(), "/x/CD//Multimedia/");
    EXPECT_EQ(form.PageControl1->currentWidget(), form.tabSource);
    ASSERT_GT(form.Lista->count(), 3);
    EXPECT_EQ(form.Lista->item(0)->text(), ">>> KONFIGURACJE MENU <<<");
    EXPECT_FALSE(form.Lista->checked(0));
    EXPECT_TRUE(form.Lista->checked(1));

    form.edtKatalogMenu->setText(QStringLiteral("/x/CD"));
    form.Slesze();
    EXPECT_EQ(form.edtKatalogMenu->text(), "/x/CD/");
}

TEST_F(GenerationDialogTest, TheTargetListFollowsTheFoldersAndTicksExistingTargets)
{
    writeText(QStringLiteral("cd/MENU/Dane/gry.RV3"), QStringLiteral("old"));
    TfrmGeneruj form(nullptr, context, settings);
    form.PageControl1->setCurrentWidget(form.tabTarget);
    ASSERT_GT(form.ListaTarget->count(), 0);
    EXPECT_EQ(form.ListaTarget->item(0)->text(), drivePath(QStringLiteral("cd/MENU/Dane/gry.RV3")));
    EXPECT_TRUE(form.ListaTarget->checked(0));
    EXPECT_FALSE(form.ListaTarget->checked(1));
}

TEST_F(GenerationDialogTest, TheTwoStartBoxesExcludeEachOther)
{
    TfrmGeneruj form(nullptr, context, settings);
    EXPECT_TRUE(form.chkAuto->checked());
    EXPECT_FALSE(form.chkMenu->checked());
    form.chkMenu->click();
    EXPECT_TRUE(form.chkMenu->checked());
    EXPECT_FALSE(form.chkAuto->checked());
    form.chkMenu->click();
    EXPECT_TRUE(form.chkAuto->checked());
    EXPECT_EQ(TfrmGeneruj::hintKeyOf(form.chkMenu), "AutoGo");
    EXPECT_EQ(TfrmGeneruj::hintKeyOf(form.Lista), "PlikiProjektu");
}

TEST_F(GenerationDialogTest, AnythingButYesLeavesEveryFileAndTheDialogOpen)
{
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Cancel}) {
        dialogs.answers = {answer};
        TfrmGeneruj form(nullptr, context, settings);
        form.klwOKClick(form.klwOK);
        EXPECT_EQ(form.result(), 0);
        EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("cd/MENU"))));
    }
}

TEST_F(GenerationDialogTest, YesGeneratesAndReportsSuccessOnlyWhenAllWent)
{
    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    TfrmGeneruj form(nullptr, context, settings);
    form.klwOKClick(form.klwOK);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, "Generowanie zakończone!");
    EXPECT_TRUE(QFile::exists(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI"))));

    // A refusal names the reason instead, and the dialog stays.
    dialogs.messages.clear();
    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    TfrmGeneruj again(nullptr, context, settings);
    again.edtKatalogDane->setText(QStringLiteral("Dane"));
    again.klwOKClick(again.klwOK);
    EXPECT_EQ(again.result(), 0);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.startsWith("Generowanie nie zostało rozpoczęte"));
}

// With unsaved changes, Cancel stops, No generates from the project as
// saved (the dialog opens), Yes saves first.
TEST_F(GenerationDialogTest, UnsavedChangesAreSavedFirstOrTheSavedProjectIsUsed)
{
    context.ProjectModified = true;
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(runGenerationDialog(nullptr, context, settings));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("niezapisane zmiany"));
    EXPECT_EQ(dialogs.messages[0].buttons, Platform::MessageButtons::YesNoCancel);

    const QByteArray saved = readBytes(QStringLiteral("work/proj.KLV"));
    dialogs.answers = {MessageAnswer::No};
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (auto *dialog = qobject_cast<TfrmGeneruj *>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->reject();
        }
    });
    EXPECT_FALSE(runGenerationDialog(nullptr, context, settings));
    EXPECT_TRUE(shown);
    EXPECT_EQ(readBytes(QStringLiteral("work/proj.KLV")), saved);
    EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("cd/MENU"))));
}

// The menu folder is proposed in the project's CD folder unless
// Dodorurav.cfg names one; AUTORUN.INF can start the autostart program only
// when there is one.
TEST_F(GenerationDialogTest, ProposesTheCdFoldersMenuAndTheRuntimeWithoutAnAutostartProgram)
{
    settings.file(GeneratorFile::MenuFolder).clear();
    TfrmGeneruj form(nullptr, context, settings);
    EXPECT_EQ(form.edtKatalogMenu->text(), drivePath(QStringLiteral("MENU/")));
    EXPECT_EQ(form.edtKatalogMulti->text(), drivePath(QStringLiteral("MENU/Multimedia/")));
    EXPECT_EQ(form.edtKatalogDane->text(), drivePath(QStringLiteral("MENU/Dane/")));
    EXPECT_TRUE(form.chkAuto->checked());
    EXPECT_TRUE(form.lblNoAutostart->isHidden());

    settings.file(GeneratorFile::Autostart) = drivePath(QStringLiteral("bin/brak"));
    TfrmGeneruj without(nullptr, context, settings);
    EXPECT_FALSE(without.chkAuto->checked());
    EXPECT_TRUE(without.chkMenu->checked());
    EXPECT_FALSE(without.lblNoAutostart->isHidden());
}

// What copied data files name off the CD is listed before anything is
// copied, and the final message counts the programs.
TEST_F(GenerationDialogTest, DataFilesNamingFilesOffTheCdAreListedAndCounted)
{
    writeText(QStringLiteral("cd/PROG/gra.sh"), QStringLiteral("gra"));
    writeText(QStringLiteral("work/poza.sh"), QStringLiteral("poza"));
    writeText(QStringLiteral("work/dane/gry.RV3"),
              QStringLiteral("TITLE=Gry\nDESC=\n\n[Gra]\nSETUP=PROG\\gra.sh\nKATALOG=PROG\\\n"
                             "[Brak]\nSETUP=PROG\\brak.sh\n[Poza]\nSETUP=work\\poza.sh\n"));
    dialogs.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    TfrmGeneruj form(nullptr, context, settings);
    QStringList warnings;
    for (int row = 0; row < form.Lista->count(); ++row) {
        if (form.Lista->item(row)->text().startsWith(QLatin1String("Uwaga!")))
            warnings << form.Lista->item(row)->text();
    }
    EXPECT_EQ(warnings, QStringList({QStringLiteral("Uwaga! gry.RV3, program \"Brak\": SETUP=PROG\\brak.sh - brak pliku"),
                                     QStringLiteral("Uwaga! gry.RV3, program \"Poza\": SETUP=work\\poza.sh - leży poza katalogiem płyty")}));
    form.klwOKClick(form.klwOK);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, "Generowanie zakończone!\r\rProgramy, które wskazują pliki spoza płyty "
                                        "(lista \"Pliki źródłowe\"): 2");
}

TEST_F(GenerationDialogTest, PaintsItsPagesWithHeadersAndMissingFilesInTheirColours)
{
    settings.file(GeneratorFile::Copier).clear();
    TfrmGeneruj form(nullptr, context, settings);
    form.show();
    QDir().mkpath(QStringLiteral(KALVORA_TEST_OUTPUT_DIR));
    const QImage sources = form.grab().toImage();
    sources.save(QStringLiteral(KALVORA_TEST_OUTPUT_DIR "/generation_sources.png"));
    form.PageControl1->setCurrentWidget(form.tabAutoStart);
    form.grab().save(QStringLiteral(KALVORA_TEST_OUTPUT_DIR "/generation_autorun.png"));
    // The header line is blue and the copier's message red.
    const QImage list = form.Lista->viewport()->grab().toImage();
    bool blue = false, red = false;
    for (int y = 0; y < list.height(); ++y) {
        for (int x = 0; x < list.width(); ++x) {
            const QColor c = list.pixelColor(x, y);
            blue |= c == QColor(Qt::blue);
            red |= c == QColor(Qt::red);
        }
    }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(red);
}
