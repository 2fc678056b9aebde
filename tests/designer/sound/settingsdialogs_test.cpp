// The main window opens the sound, start screen and menu options dialogs,
// and the sound dialog's buttons explain themselves in the hint window.
#include <mainwindow/asystent.h>
#include <mainwindow/generatorwindow.h>
#include <menuoptions/menuoptionsdialog.h>
#include <sound/sounddialog.h>
#include <startscreen/startscreendialog.h>

#include <cp1250.h>
#include <registry.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <testdoubles.h>
#include <testsupport.h>

#include <gtest/gtest.h>

namespace {

QByteArray stored(const QString &text)
{
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    return Platform::toCp1250(crlf);
}

} // namespace

class SettingsDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::Registry::setStorageFile(path(QStringLiteral("registry.ini")));
        TestSupport::writeFile(path(QStringLiteral("AUTORUN.INF")), "[autorun]\r\n");
        TestSupport::writeFile(path(QStringLiteral("KALVOR/HINTS.TXT")),
                               stored(QStringLiteral("Sound=Muzyka w tle menu\nDown&Up=Dźwięki klawiszy\n"
                                                     "TestSounds=Posłuchaj\n")));
        TestSupport::writeFile(path(QStringLiteral("MENU.KLV")), stored(QStringLiteral("[WINDOW]\nWIDTH=320\n")));
        GeneratorSetup setup;
        setup.programPath = path(QStringLiteral("KALVOR/dodorurav"));
        setup.arguments = {path(QStringLiteral("MENU.KLV"))};
        setup.configPath = path(QStringLiteral("config/Dodorurav.cfg"));
        setup.dataDir = path(QStringLiteral("userdata/"));
        window = std::make_unique<TfrmGenerator>(setup);
        window->FormActivate();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        window.reset();
        Platform::Registry::setStorageFile({});
    }
    QString path(const QString &name) const { return dir.path() + u'/' + name; }

    // The modal dialog a command opens, looked at and closed by check.
    template<typename Dialog> bool opens(QAction *command, const std::function<void(Dialog &)> &check = {})
    {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
                shown = true;
                if (check)
                    check(*dialog);
                dialog->reject();
            }
        });
        command->trigger();
        return shown;
    }

    TestSupport::RecordingDialogs dialogs;
    QTemporaryDir dir;
    std::unique_ptr<TfrmGenerator> window;
};

TEST_F(SettingsDialogs, TheCommandsOpenTheirDialogsOnTheirKeys)
{
    ASSERT_TRUE(window->context().ProjectIni);
    EXPECT_EQ(window->mnuAutostart->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(window->mnuOpcjeMenu->shortcut(), QKeySequence(Qt::Key_F10));
    EXPECT_TRUE(opens<TfrmDzwiek>(window->mnuDzwiek, [](TfrmDzwiek &d) { EXPECT_EQ(d.windowTitle(), u"Dźwięk"); }));
    EXPECT_TRUE(opens<TfrmSetEkran>(window->mnuAutostart, [](TfrmSetEkran &d) {
        EXPECT_EQ(d.windowTitle(), u"Ustawienia ekranu startowego");
    }));
    EXPECT_TRUE(opens<TfrmOpcje>(window->mnuOpcjeMenu, [](TfrmOpcje &d) {
        EXPECT_EQ(d.windowTitle(), u"Opcje menu");
        EXPECT_EQ(d.PageControl1->tabText(0), u"Aplikacja");
        EXPECT_EQ(d.PageControl1->tabText(1), u"Prezencja");
    }));
}

TEST_F(SettingsDialogs, SoundButtonsPassTheirKeysToTheHintWindow)
{
    window->mnuPodpowiedzi->trigger();
    ASSERT_TRUE(window->asystent());
    TfrmDzwiek form(window->context(), window->players());
    const struct {
        QPushButton *button;
        const char *text;
    } cases[] = {
        {form.klwBrowseMusic, "Muzyka w tle menu"}, {form.klwBrowseMove, "Dźwięki klawiszy"},
        {form.klwBrowseDown, "Dźwięki klawiszy"},   {form.klwBrowseUp, "Dźwięki klawiszy"},
        {form.klwPlayMusic, "Posłuchaj"},           {form.klwPlayMove, "Posłuchaj"},
        {form.klwPlayDown, "Posłuchaj"},            {form.klwPlayUp, "Posłuchaj"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.button->objectName().toStdString());
        window->asystent()->showText({});
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(row.button, &enter);
        EXPECT_EQ(window->asystent()->text(), QString::fromUtf8(row.text));
    }
}
