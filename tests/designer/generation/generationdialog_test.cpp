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

TEST_F(GenerationDialogTest, UnsavedChangesAreSavedFirstOrNothingHappens)
{
    context.ProjectModified = true;
    dialogs.answers = {MessageAnswer::No};
    EXPECT_FALSE(runGenerationDialog(nullptr, context, settings));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains("niezapisane zmiany"));
    EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("cd/MENU"))));
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
