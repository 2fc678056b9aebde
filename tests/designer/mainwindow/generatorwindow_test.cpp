#include "mainwindowfixture.h"

#include "mainwindow/asystent.h"
#include "inspector/objectinspector.h"
#include "menuoptions/menuoptions.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <dock/toolbar.h>
#include <menuobjects/menuobjects.h>
#include <mru/mrufilelist.h>
#include <cp1250.h>
#include <shell/filedrag.h>
#include <profilefile.h>
#include <registry.h>
#include <windowtitles.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <testsupport.h>

using Platform::MessageAnswer;

void MainWindowFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    Platform::Registry::setStorageFile(path(QStringLiteral("registry.ini")));
    writeText(QStringLiteral("AUTORUN.INF"), QStringLiteral("[autorun]\n"));
    QDir().mkpath(path(QStringLiteral("KALVOR")));
}

void MainWindowFixture::TearDown()
{
    window.reset();
    Platform::Registry::setStorageFile({});
}

QString MainWindowFixture::writeText(const QString &name, const QString &text) const
{
    QString crlf = text;
    crlf.replace(u'\n', QStringLiteral("\r\n"));
    return TestSupport::writeFile(path(name), Platform::toCp1250(crlf));
}

QByteArray MainWindowFixture::readBytes(const QString &name) const
{
    return TestSupport::readFile(path(name));
}

TfrmGenerator &MainWindowFixture::makeWindow(const QStringList &arguments)
{
    GeneratorSetup setup;
    setup.programPath = path(QStringLiteral("KALVOR/dodorurav"));
    setup.arguments = arguments;
    setup.configPath = configPath();
    setup.dataDir = path(QStringLiteral("userdata/"));
    window = std::make_unique<TfrmGenerator>(setup);
    window->OnClosed = [this] { ++closings; };
    return *window;
}

TfrmGenerator &MainWindowFixture::windowWith(const QString &projectName)
{
    makeWindow({path(projectName)});
    window->FormActivate();
    QApplication::processEvents();
    return *window;
}

bool MainWindowFixture::closeWindow()
{
    window->show();
    return window->close();
}

QWidget *surfaceObject(TfrmGenerator &window, int id)
{
    for (QWidget *object : window.context().Surface->components()) {
        if (MenuObjects::tagOf(object) == id)
            return object;
    }
    return nullptr;
}

namespace {

const QString kProject = QStringLiteral("[MENU]\nTYTUL=Pierwszy\n");

// Sends a drop of urls onto target as the desktop does.
void drop(QWidget &target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &dropEvent);
    QApplication::processEvents();
}

QString openProjectName(TfrmGenerator &window)
{
    return window.context().ProjectIni ? window.context().ProjectIni->fileName() : QString();
}

// The captions of the recent-file entries, in menu order.
QStringList recentCaptions(const TfrmGenerator &window)
{
    QStringList captions;
    for (TMRUMenuItem *item : window.MRU->menuItems()) {
        if (item->position() > 0)
            captions.append(item->text());
    }
    return captions;
}

int questionsAsked(const TestSupport::RecordingDialogs &dialogs)
{
    int count = 0;
    for (const auto &message : dialogs.messages)
        count += message.text == QStringLiteral("Czy chcesz zachować zmiany?");
    return count;
}

} // namespace

TEST_F(MainWindowFixture, StartsWithoutProjectAndOpensTheCommandLineProjectOnce)
{
    makeWindow();
    window->FormActivate();
    EXPECT_EQ(openProjectName(*window), QString());
    EXPECT_FALSE(window->context().Surface);

    writeText(QStringLiteral("MENU.KLV"), kProject);
    windowWith(QStringLiteral("MENU.KLV"));
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("MENU.KLV")));
    EXPECT_TRUE(window->context().Surface);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Dodorurav KALVORA -> ") + path(QStringLiteral("MENU.KLV")));
    // A later activation (switching away and back) opens nothing again:
    // the change made since would be lost without a question.
    window->context().ProjectModified = true;
    window->FormActivate();
    EXPECT_TRUE(window->context().ProjectModified);
    EXPECT_EQ(window->MRU->files(), QStringList{path(QStringLiteral("MENU.KLV"))});

    // Shown on a desktop that never activates it, it opens the project as well.
    makeWindow({path(QStringLiteral("MENU.KLV"))});
    window->show();
    QApplication::processEvents();
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("MENU.KLV")));
    window->context().ProjectModified = true;
    window->hide();
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(window->context().ProjectModified);
}

// The desktop names every window by its caption and the application title;
// a caption that names the program stands alone.
TEST_F(MainWindowFixture, TheApplicationTitleReachesTheOpenWindowsAtOnceAndOnlyOnce)
{
    writeText(QStringLiteral("MENU.KLV"), QStringLiteral("[CDROM]\nCD_TITLE=Stara płyta\nCD_CAPTION=Gry\n"));
    windowWith(QStringLiteral("MENU.KLV"));
    window->show();
    // The main window names the program already: its caption stands alone.
    const QString caption = QStringLiteral("Dodorurav KALVORA -> ") + path(QStringLiteral("MENU.KLV"));
    EXPECT_EQ(Platform::desktopTitleOf(*window), caption);
    EXPECT_EQ(Platform::desktopTitleOf(*window->context().Surface), QStringLiteral("Gry — Dodorurav 2.1 -> Stara płyta"));
    QMessageBox box(QMessageBox::Warning, DesignerCaption, QStringLiteral("Uwaga"));
    box.show();

    // "Opcje menu" confirmed with a new title.
    DesignerContext &context = window->context();
    MenuOptions options = MenuOptions::read(context.Design);
    options.title = QStringLiteral("Nowa płyta");
    options.apply(context);

    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(Platform::desktopTitleOf(*window), caption);
    EXPECT_EQ(Platform::desktopTitleOf(window->palette()), QStringLiteral("Obiekty menu — Dodorurav 2.0 -> Nowa płyta"));
    EXPECT_EQ(Platform::desktopTitleOf(*context.Surface), QStringLiteral("Gry — Dodorurav 2.0 -> Nowa płyta"));
    EXPECT_EQ(Platform::desktopTitleOf(box), QStringLiteral("Dodorurav 2.1"));
}

TEST_F(MainWindowFixture, NewCreatesTheChosenFileEmptyAndSaveWritesIt)
{
    writeText(QStringLiteral("OLD.KLV"), kProject);
    makeWindow();
    // The name without an extension gets ".KLV"; a name that exists is emptied.
    dialogs.pathAnswers = {path(QStringLiteral("NOWY")), path(QStringLiteral("OLD.KLV"))};
    window->mnuNowy->trigger();
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("NOWY.KLV")));
    EXPECT_EQ(readBytes(QStringLiteral("NOWY.KLV")), QByteArray());
    EXPECT_TRUE(dialogs.dialogs.value(0).startsWith(QStringLiteral("save")));

    window->mnuNowy->trigger();
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("OLD.KLV")));
    EXPECT_FALSE(readBytes(QStringLiteral("OLD.KLV")).contains("Pierwszy"));

    window->context().ProjectModified = true;
    window->mnuZapisz->trigger();
    EXPECT_FALSE(window->context().ProjectModified);
    EXPECT_TRUE(readBytes(QStringLiteral("OLD.KLV")).contains("WIDTH="));

    // A cancelled dialog leaves everything as it was.
    window->mnuNowy->trigger();
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("OLD.KLV")));
}

TEST_F(MainWindowFixture, TheSaveQuestionDecidesWhetherACommandGoesOn)
{
    struct Case {
        const char *name;
        MessageAnswer answer;
        bool saveFails;
        bool goesOn;
        bool projectWritten;
    };
    const Case cases[] = {
        {"yes", MessageAnswer::Yes, false, true, true},
        {"no", MessageAnswer::No, false, true, false},
        {"cancel", MessageAnswer::Cancel, false, false, false},
        {"yes, but the save fails", MessageAnswer::Yes, true, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        QDir(path(QStringLiteral("sub"))).removeRecursively();
        QFile::remove(path(QStringLiteral("sub")));
        writeText(QStringLiteral("sub/MENU.KLV"), kProject);
        writeText(QStringLiteral("OTHER.KLV"), kProject);
        const QByteArray before = readBytes(QStringLiteral("sub/MENU.KLV"));
        windowWith(QStringLiteral("sub/MENU.KLV"));
        window->context().ProjectModified = true;
        if (c.saveFails) {
            // The project's folder has become a file: nothing can be written there.
            QDir(path(QStringLiteral("sub"))).removeRecursively();
            TestSupport::writeFile(path(QStringLiteral("sub")), "x");
        }
        dialogs.answers = {c.answer};
        dialogs.pathAnswers = {path(QStringLiteral("OTHER.KLV"))};
        window->mnuOtworz->trigger();
        EXPECT_EQ(questionsAsked(dialogs), 1);
        EXPECT_EQ(openProjectName(*window),
                  path(c.goesOn ? QStringLiteral("OTHER.KLV") : QStringLiteral("sub/MENU.KLV")));
        if (!c.saveFails) {
            EXPECT_EQ(readBytes(QStringLiteral("sub/MENU.KLV")) != before, c.projectWritten);
        }
    }
}

TEST_F(MainWindowFixture, NoQuestionWithoutChanges)
{
    writeText(QStringLiteral("MENU.KLV"), kProject);
    writeText(QStringLiteral("OTHER.KLV"), kProject);
    windowWith(QStringLiteral("MENU.KLV"));
    window->MRUMRUItemClick(path(QStringLiteral("OTHER.KLV")));
    EXPECT_EQ(questionsAsked(dialogs), 0);
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("OTHER.KLV")));
    // The recent list, newest first, each file once.
    EXPECT_EQ(window->MRU->files(),
              (QStringList{path(QStringLiteral("OTHER.KLV")), path(QStringLiteral("MENU.KLV"))}));
    QList<TMRUMenuItem *> items = window->MRU->menuItems();
    ASSERT_EQ(items.size(), 3);
    items.at(2)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("MENU.KLV")));
}

TEST_F(MainWindowFixture, OpeningStartsTheUndoHistoryOverButNewDoesNot)
{
    struct CountingUndo : UndoHistory {
        void startOver() override { ++startOvers; }
        int startOvers = 0;
    } undo;
    writeText(QStringLiteral("MENU.KLV"), kProject);
    windowWith(QStringLiteral("MENU.KLV"));
    window->context().setUndo(&undo);
    dialogs.pathAnswers = {path(QStringLiteral("NOWY.KLV")), path(QStringLiteral("MENU.KLV"))};
    window->mnuNowy->trigger();
    EXPECT_EQ(undo.startOvers, 0);
    window->mnuOtworz->trigger();
    EXPECT_EQ(undo.startOvers, 1);
    window->MRUMRUItemClick(path(QStringLiteral("NOWY.KLV")));
    EXPECT_EQ(undo.startOvers, 2);
    window->context().setUndo(nullptr);
}

TEST_F(MainWindowFixture, RecentProjectsComeBackNewestFirstAfterARestart)
{
    for (const char *name : {"A.KLV", "B.KLV", "C.KLV"})
        writeText(QLatin1String(name), kProject);
    windowWith(QStringLiteral("A.KLV"));
    window->MRUMRUItemClick(path(QStringLiteral("B.KLV")));
    window->MRUMRUItemClick(path(QStringLiteral("C.KLV")));
    EXPECT_TRUE(closeWindow());
    window.reset();

    makeWindow();
    // The submenu stands right after "Otwórz" in "Plik".
    const QList<QAction *> fileItems = window->mnuPlik->actions();
    const qsizetype open = fileItems.indexOf(window->mnuOtworz);
    ASSERT_GE(open, 0);
    auto *submenu = qobject_cast<TMRUMenuItem *>(fileItems.value(open + 1));
    ASSERT_NE(submenu, nullptr);
    EXPECT_EQ(submenu->text(), QStringLiteral("&Otwórz ponownie"));
    EXPECT_EQ(recentCaptions(*window), (QStringList{QStringLiteral("&1 ") + path(QStringLiteral("C.KLV")),
                                                    QStringLiteral("&2 ") + path(QStringLiteral("B.KLV")),
                                                    QStringLiteral("&3 ") + path(QStringLiteral("A.KLV"))}));
    Platform::Registry registry;
    ASSERT_TRUE(registry.openKey(QStringLiteral("\\Software\\Zeltrin Software\\Dodorurav\\2.1\\Historia"), false));
    QStringList names = registry.valueNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("F0"), QStringLiteral("F1"), QStringLiteral("F2")}));
    EXPECT_EQ(registry.readString(QStringLiteral("F0")), path(QStringLiteral("C.KLV")));
}

TEST_F(MainWindowFixture, AChosenRecentProjectThatIsGoneLeavesTheListWithAWarning)
{
    writeText(QStringLiteral("MENU.KLV"), kProject);
    writeText(QStringLiteral("GONE.KLV"), kProject);
    windowWith(QStringLiteral("GONE.KLV"));
    window->MRUMRUItemClick(path(QStringLiteral("MENU.KLV")));
    QFile::remove(path(QStringLiteral("GONE.KLV")));
    dialogs.messages.clear();
    window->MRU->entryClicked(int(window->MRU->files().indexOf(path(QStringLiteral("GONE.KLV")))) + 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages.at(0).caption, QStringLiteral("BRAK PLIKU !!!"));
    EXPECT_EQ(window->MRU->files(), QStringList{path(QStringLiteral("MENU.KLV"))});
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("MENU.KLV")));

    // The list outlives the designer.
    EXPECT_TRUE(closeWindow());
    makeWindow();
    EXPECT_EQ(window->MRU->files(), QStringList{path(QStringLiteral("MENU.KLV"))});
    EXPECT_EQ(recentCaptions(*window).size(), 1);
}

TEST_F(MainWindowFixture, ClosingWithNoLeavesTheProjectAloneAndWritesTheOptions)
{
    writeText(QStringLiteral("config/Dodorurav.cfg"), QStringLiteral("[PLIKI]\nMENU=orvanta\n"));
    writeText(QStringLiteral("MENU.KLV"), kProject);
    const QByteArray before = readBytes(QStringLiteral("MENU.KLV"));
    windowWith(QStringLiteral("MENU.KLV"));
    window->context().ProjectModified = true;
    QTest::mouseClick(window->speedUseKlamra, Qt::LeftButton);
    // Without the toolbar the strip holds only the menu.
    const int withToolbar = window->height();
    EXPECT_EQ(window->Doki->height(), window->pasekPodstawowy->height());
    window->mnuPasek->trigger();
    EXPECT_EQ(window->Doki->height(), 0);
    EXPECT_EQ(window->height(), withToolbar - window->pasekPodstawowy->height());
    EXPECT_EQ(window->minimumHeight(), window->maximumHeight());
    dialogs.answers = {MessageAnswer::No};
    EXPECT_TRUE(closeWindow());
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), before);
    const Platform::ProfileFile cfg(configPath());
    EXPECT_EQ(cfg.readString(QStringLiteral("OPCJE"), QStringLiteral("Klamra"), {}), QStringLiteral("0"));
    EXPECT_EQ(cfg.readString(QStringLiteral("OPCJE"), QStringLiteral("PASEK"), {}), QStringLiteral("0"));
    EXPECT_EQ(cfg.readString(QStringLiteral("OPCJE"), QStringLiteral("Klamra_Kolor"), {}), QStringLiteral("clBlack"));
    EXPECT_EQ(cfg.readString(QStringLiteral("PLIKI"), QStringLiteral("MENU"), {}), QStringLiteral("orvanta"));
}

TEST_F(MainWindowFixture, ClosingWithCancelKeepsTheDesignerOpen)
{
    writeText(QStringLiteral("config/Dodorurav.cfg"), QStringLiteral("[PLIKI]\nMENU=orvanta\n"));
    writeText(QStringLiteral("MENU.KLV"), kProject);
    windowWith(QStringLiteral("MENU.KLV"));
    window->context().ProjectModified = true;
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(closeWindow());
    EXPECT_EQ(closings, 0);
    EXPECT_TRUE(window->context().ProjectIni);
    EXPECT_FALSE(Platform::ProfileFile(configPath()).sectionExists(QStringLiteral("OPCJE")));
}

TEST_F(MainWindowFixture, OptionsOfTheSettingsFileApplyAtStart)
{
    writeText(QStringLiteral("config/Dodorurav.cfg"),
              QStringLiteral("[OPCJE]\nKlamra=0\nPASEK=0\nKlamra_Kolor=clRed\nKlamra_KolorII=clBlue\n"));
    makeWindow();
    EXPECT_FALSE(window->context().ClickSelects);
    EXPECT_FALSE(window->speedUseKlamra->down());
    EXPECT_FALSE(window->pasekPodstawowy->isVisibleSet());
    EXPECT_EQ(window->Doki->height(), 0);
    EXPECT_FALSE(window->mnuPasek->isChecked());
    EXPECT_EQ(window->config().handleColor, Platform::clRed);
    EXPECT_EQ(window->config().handleColorII, Platform::clBlue);

    // A missing file is made from the defaults.
    QFile::remove(configPath());
    makeWindow();
    EXPECT_TRUE(window->context().ClickSelects);
    EXPECT_TRUE(window->speedUseKlamra->down());
    EXPECT_TRUE(QFile::exists(configPath()));
}

TEST_F(MainWindowFixture, DropsOpenTheFirstProjectOnlyAndRefuseOtherFiles)
{
    writeText(QStringLiteral("A.klv"), kProject);
    writeText(QStringLiteral("B.KLV"), kProject);
    const QString notes = writeText(QStringLiteral("notes.txt"), QStringLiteral("tekst\n"));
    const QByteArray notesBefore = readBytes(QStringLiteral("notes.txt"));
    makeWindow();
    drop(*window, {QUrl::fromLocalFile(path(QStringLiteral("A.klv"))), QUrl::fromLocalFile(path(QStringLiteral("B.KLV"))),
                   QUrl(QStringLiteral("http://example.com/C.KLV"))});
    EXPECT_EQ(window->FileDrag1->fileCount(), 2);
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("A.klv")));

    window->context().ProjectModified = true;
    dialogs.messages.clear();
    drop(*window, {QUrl::fromLocalFile(notes)});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).text.contains(notes));
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("A.klv")));
    window->mnuZapisz->trigger();
    EXPECT_EQ(readBytes(QStringLiteral("notes.txt")), notesBefore);

    // Cancel at the question keeps the open project.
    window->context().ProjectModified = true;
    dialogs.answers = {MessageAnswer::Cancel};
    drop(*window, {QUrl::fromLocalFile(path(QStringLiteral("B.KLV")))});
    EXPECT_EQ(openProjectName(*window), path(QStringLiteral("A.klv")));
}

TEST_F(MainWindowFixture, EveryShortcutOnceAndFromEveryWindow)
{
    makeWindow();
    QSet<QKeySequence> seen;
    for (QAction *command : window->commands()) {
        if (command->shortcut().isEmpty())
            continue;
        EXPECT_FALSE(seen.contains(command->shortcut())) << command->shortcut().toString().toStdString();
        seen.insert(command->shortcut());
        if (command != window->mnuZakoncz) {
            EXPECT_EQ(command->shortcutContext(), Qt::ApplicationShortcut) << command->text().toStdString();
        }
    }
    EXPECT_EQ(window->mnuSzablon->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));
    EXPECT_TRUE(window->mnuDzwiek->shortcut().isEmpty());

    // Ctrl+S pressed on the design surface saves the project.
    writeText(QStringLiteral("MENU.KLV"), kProject);
    window->MRUMRUItemClick(path(QStringLiteral("MENU.KLV")));
    window->show();
    TfrmMenu *surface = window->context().Surface;
    ASSERT_TRUE(surface);
    surface->show();
    surface->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(surface));
    window->context().ProjectModified = true;
    QTest::keyClick(surface, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window->context().ProjectModified);
}

TEST_F(MainWindowFixture, TheSettingsCommandsAreOnAndAPluggedInOneWaitsForAProject)
{
    makeWindow();
    for (QAction *command : {window->mnuOpcjeMenu, window->mnuAutostart, window->mnuDzwiek,
                             window->mnuWymagane, window->mnuZmienSciezki})
        EXPECT_TRUE(command->isEnabled()) << command->text().toStdString();
    EXPECT_TRUE(window->speedAutoStart->isEnabled());
    EXPECT_TRUE(window->speedDzwiek->isEnabled());

    int runs = 0;
    auto *later = new QAction(window.get());
    later->setEnabled(false);
    window->plugIn(later, [&runs] { ++runs; }, true);
    EXPECT_TRUE(later->isEnabled());
    later->trigger();
    EXPECT_EQ(runs, 0); // needs a project
    writeText(QStringLiteral("MENU.KLV"), kProject);
    window->MRUMRUItemClick(path(QStringLiteral("MENU.KLV")));
    later->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowFixture, ToolsStartTheEditorsOfTheSettingsFile)
{
    const QString editor = TestSupport::writeFile(path(QStringLiteral("KALVOR/zazava")), "#!/bin/sh\n");
    QFile::setPermissions(editor, QFile::permissions(editor) | QFile::ExeOwner);
    writeText(QStringLiteral("config/Dodorurav.cfg"), QStringLiteral("[PLIKI]\nZAZAVA_RV3=") + editor + u'\n');
    makeWindow();
    window->speedDane->click();
    EXPECT_EQ(launcher.started, QStringList{editor});
    // Generation needs a project: without one nothing is shown.
    window->mnuGeneruj->trigger();
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(MainWindowFixture, SourceOpensAsTextOnly)
{
    makeWindow();
    window->mnuZrodlo->trigger();
    EXPECT_TRUE(launcher.openedAsText.isEmpty());
    writeText(QStringLiteral("MENU.KLV"), kProject);
    window->MRUMRUItemClick(path(QStringLiteral("MENU.KLV")));
    window->mnuZrodlo->trigger();
    EXPECT_EQ(launcher.openedAsText, QStringList{path(QStringLiteral("MENU.KLV"))});
    EXPECT_TRUE(launcher.opened.isEmpty());
}

TEST_F(MainWindowFixture, TheInspectorItemShowsAndHidesThePalette)
{
    makeWindow();
    window->mnuObiekty->trigger();
    EXPECT_FALSE(window->mnuObiekty->isChecked()); // no project yet
    writeText(QStringLiteral("MENU.KLV"), kProject);
    window->MRUMRUItemClick(path(QStringLiteral("MENU.KLV")));
    EXPECT_TRUE(window->mnuObiekty->isChecked());
    EXPECT_TRUE(window->palette().isVisible());
    window->mnuObiekty->trigger();
    EXPECT_FALSE(window->palette().isVisible());
    window->mnuObiekty->trigger();
    EXPECT_TRUE(window->palette().isVisible());
    window->palette().close();
    EXPECT_FALSE(window->mnuObiekty->isChecked());
}
