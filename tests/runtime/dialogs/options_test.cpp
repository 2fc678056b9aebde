#include "menufixture.h"

#include <dialogs/optionsdialog.h>

#include <buttons/menubutton.h>
#include <checkbox/bitcheckbox.h>

#include <testsupport.h>

#include <cp1250.h>

#include <QDir>
#include <QFile>

using namespace ProjectFormat;

namespace {

const QString kMenu = QStringLiteral("[ZELTRIN]\nCDROM_ID=PŁYTA TESTOWA\n"
                                     "[FUNCTIONS]\n10010=1\n10012=1\n");

class OptionsTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        writeProject(kMenu);
        // The runtime's settings folder exists once the runtime has asked
        // for it.
        QDir().mkpath(dir.path() + QStringLiteral("/settings"));
    }

    QString optionsFile() const { return dir.path() + QStringLiteral("/settings/KALVOR.RUN"); }

    std::unique_ptr<TfrmOpcje> dialogOf(TMenuWindowBase &window)
    {
        return std::make_unique<TfrmOpcje>(&window, *context, window.music(), Platform::clBlack, Platform::clYellow);
    }
};

} // namespace

TEST_F(OptionsTest, ShowsTheOptionsOfMemoryAndOfTheFile)
{
    TestSupport::writeFile(optionsFile(), Platform::toCp1250(QStringLiteral(
                                              "[PŁYTA TESTOWA]\r\nNoClicks=1\r\nRUNAnim=0\r\nExplorer=1\r\n"
                                              "RUNMenu=0\r\nMINONRUN=0\r\n")));
    TForm1 &menu = build();
    context->Options.OpenRAR = true; // agreed to in this run
    const auto dialog = dialogOf(menu);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Opcje ") + context->ApplicationTitle);
    const std::pair<TBitCheckBox *, bool> shown[] = {
        {dialog->chkNoSound, false}, {dialog->chkNoMusic, false}, {dialog->chkNoClicks, true},
        {dialog->chkAnim, false},    {dialog->chkMenu, false},    {dialog->chkExplorer, true},
        {dialog->chkOpenZip, false}, {dialog->chkOpenRAR, true},  {dialog->chkSave, false},
        {dialog->chkMinONRun, false},
    };
    for (const auto &[box, checked] : shown)
        EXPECT_EQ(box->checked(), checked) << box->objectName().toStdString();
}

TEST_F(OptionsTest, MenuAndExplorerExcludeEachOtherAndAskForSaving)
{
    TForm1 &menu = build();
    const auto dialog = dialogOf(menu);
    ASSERT_TRUE(dialog->chkMenu->checked());
    dialog->chkExplorer->click();
    EXPECT_TRUE(dialog->chkExplorer->checked());
    EXPECT_FALSE(dialog->chkMenu->checked());
    EXPECT_TRUE(dialog->chkSave->checked());

    dialog->chkSave->setChecked(false);
    dialog->chkMenu->click();
    EXPECT_TRUE(dialog->chkMenu->checked());
    EXPECT_FALSE(dialog->chkExplorer->checked());
    EXPECT_TRUE(dialog->chkSave->checked());

    // Unticking the menu leaves the explorer as it is.
    dialog->chkMenu->click();
    EXPECT_FALSE(dialog->chkExplorer->checked());
}

TEST_F(OptionsTest, OkWithSaveWritesTheNineKeysInOrder)
{
    TForm1 &menu = build();
    const auto dialog = dialogOf(menu);
    dialog->chkNoClicks->click();
    dialog->chkExplorer->click();
    dialog->chkOpenZip->click();
    dialog->klwOkClick(dialog->klwOk);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(TestSupport::readFile(optionsFile()),
              QByteArray("[P\xA3YTA TESTOWA]\r\nNOSOUND=0\r\nNoClicks=1\r\nNoMusic=0\r\nRUNAnim=1\r\nRUNMenu=0\r\n"
                         "Explorer=1\r\nOpenZIP=1\r\nOpenRAR=0\r\nMINONRUN=1\r\n"));
    EXPECT_TRUE(context->Options.NoClicks);
    EXPECT_TRUE(context->Options.OpenZIP);
}

TEST_F(OptionsTest, OkAloneChangesThisRunOnlyAndCancelNothing)
{
    TForm1 &menu = build();
    {
        const auto dialog = dialogOf(menu);
        dialog->chkMinONRun->click();
        dialog->chkAnim->click(); // ticks the save box
        dialog->chkSave->setChecked(false);
        dialog->klwAnulujClick(dialog->klwAnuluj);
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
    EXPECT_TRUE(context->Options.MINONRUN);
    {
        const auto dialog = dialogOf(menu);
        dialog->chkMinONRun->click();
        dialog->chkAnim->click();
        dialog->chkSave->setChecked(false);
        dialog->klwOkClick(dialog->klwOk);
    }
    EXPECT_FALSE(context->Options.MINONRUN);
    EXPECT_FALSE(QFile::exists(optionsFile()));
}

TEST_F(OptionsTest, NoMusicOrNoSoundSwitchesTheMusicOffOnEveryMusicKey)
{
    struct Case {
        const char *name;
        QString project;
        TBitCheckBox *TfrmOpcje::*box;
    } cases[] = {
        {"no music", kMenu, &TfrmOpcje::chkNoMusic},
        {"no sound", kMenu, &TfrmOpcje::chkNoSound},
        // No music key anywhere: the state changes all the same.
        {"no key", QStringLiteral("[FUNCTIONS]\n10012=1\n"), &TfrmOpcje::chkNoMusic},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeProject(c.project);
        TForm1 &menu = build();
        ASSERT_EQ(menu.music().state(), BackgroundMusic::State::Playing);
        {
            const auto dialog = dialogOf(menu);
            (dialog.get()->*c.box)->click();
            dialog->klwOkClick(dialog->klwOk);
        }
        EXPECT_EQ(menu.music().state(), BackgroundMusic::State::Stopped);
        if (TMenuButton *key = menu.controls().functionButton(MusicId)) {
            EXPECT_EQ(key->hint(), QStringLiteral("ON"));
        }
        window.reset();
    }
}
