#include "mainwindowfixture.h"

#include "config/generatorconfig.h"
#include "selection/stretchselection.h"
#include "surface/menusurface.h"
#include "undo/designundo.h"
#include "undo/undowindow.h"

#include <buttons/toolbarbutton.h>
#include <lists/horlistbox.h>
#include <menuobjects/menuobjects.h>
#include <profilefile.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>

using Platform::MessageAnswer;

namespace {

const QString kMenu = QStringLiteral("[NAMES]\n1001=Gry\n1002=Programy\n1003=Muzyka\n"
                                     "[LEFT]\n1001=10\n1002=10\n1003=10\n"
                                     "[TOP]\n1001=10\n1002=60\n1003=110\n[WIDTH]\n1001=80\n1002=80\n1003=80\n"
                                     "[HEIGHT]\n1001=40\n1002=40\n1003=40\n");

QStringList listed(const TfrmUndo &window)
{
    QStringList names;
    for (int row = 0; row < window.ListaUndo->count(); ++row)
        names.append(window.ListaUndo->item(row)->text());
    return names;
}

// Selects the keys with Shift and presses Delete on the frame.
void deleteKeys(TfrmGenerator &window, const QList<int> &ids)
{
    for (int id : ids)
        window.selection().attach(surfaceObject(window, id));
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(window.selection().Klamra(), &del);
}

} // namespace

TEST_F(MainWindowFixture, UndoRedoAndTheHistoryWindowFollowTheSteps)
{
    writeText(QStringLiteral("MENU.KLV"), kMenu);
    windowWith(QStringLiteral("MENU.KLV"));
    TfrmUndo *history = window->undoWindow();
    ASSERT_TRUE(history);
    EXPECT_FALSE(history->isVisible());
    EXPECT_EQ(history->windowTitle(), u"Cofanie czynności");
    EXPECT_FALSE(window->mnuCofnij->isEnabled());
    EXPECT_FALSE(window->speedCofnij->isEnabled());

    window->mnuZapisz->trigger();
    const QByteArray before = readBytes(QStringLiteral("MENU.KLV"));
    deleteKeys(*window, {1001, 1002});
    window->mnuZapisz->trigger();
    const QByteArray afterDelete = readBytes(QStringLiteral("MENU.KLV"));
    EXPECT_TRUE(window->mnuCofnij->isEnabled());
    EXPECT_FALSE(window->mnuPonow->isEnabled());

    window->mnuCofnij->trigger();
    window->mnuZapisz->trigger();
    EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), before);
    EXPECT_TRUE(window->mnuPonow->isEnabled());
    EXPECT_FALSE(window->mnuCofnij->isEnabled());
    window->mnuPonow->trigger();
    window->mnuZapisz->trigger();
    EXPECT_EQ(readBytes(QStringLiteral("MENU.KLV")), afterDelete);

    window->mnuHistoria->trigger();
    EXPECT_TRUE(history->isVisible());
    EXPECT_EQ(listed(*history),
              (QStringList{QStringLiteral("Projekt otwarty"), QStringLiteral("Usunięcie obiektu/klawisza")}));
    EXPECT_EQ(history->ListaUndo->currentRow(), 1);
    // A click on an entry restores it.
    QListWidgetItem *first = history->ListaUndo->item(0);
    QTest::mouseClick(history->ListaUndo->viewport(), Qt::LeftButton, {},
                      history->ListaUndo->visualItemRect(first).center());
    EXPECT_TRUE(surfaceObject(*window, 1001));
    EXPECT_TRUE(window->context().ProjectModified);

    history->mnuWyczysc->trigger();
    EXPECT_EQ(listed(*history), QStringList{QStringLiteral("Wyczyszczenie historii zmian")});
}

TEST_F(MainWindowFixture, TheHistoryWindowKeepsItsPlaceAndNothingOfTheHistoryIsWritten)
{
    writeText(QStringLiteral("config/Dodorurav.cfg"), QStringLiteral("[UNDO]\nW=300\nH=200\nT=40\nL=50\nOnTop=0\n"));
    writeText(QStringLiteral("MENU.KLV"), kMenu);
    windowWith(QStringLiteral("MENU.KLV"));
    TfrmUndo *history = window->undoWindow();
    EXPECT_EQ(history->size(), QSize(300, 200));
    EXPECT_FALSE(history->mnuOnTop->isChecked());
    EXPECT_FALSE(history->staysOnTop());
    history->mnuOnTop->trigger();
    EXPECT_TRUE(history->staysOnTop());
    window->mnuHistoria->trigger();
    history->resize(260, 220);
    history->mnuZamknij->trigger();
    EXPECT_FALSE(history->isVisible());
    ASSERT_TRUE(closeWindow());
    const Platform::ProfileFile cfg(configPath());
    EXPECT_EQ(cfg.readInteger(QStringLiteral("UNDO"), QStringLiteral("W"), 0), 260);
    EXPECT_EQ(cfg.readInteger(QStringLiteral("UNDO"), QStringLiteral("H"), 0), 220);
    EXPECT_TRUE(cfg.readBool(QStringLiteral("UNDO"), QStringLiteral("OnTop"), false));
    EXPECT_FALSE(cfg.sectionExists(QStringLiteral("UNDO_HISTORY")));
    const QString written = QString::fromLatin1(readBytes(QStringLiteral("config/Dodorurav.cfg")));
    EXPECT_FALSE(written.contains(QStringLiteral("Projekt otwarty")));
}

TEST_F(MainWindowFixture, ReloadingFromDiskAsksBeforeDroppingChanges)
{
    writeText(QStringLiteral("MENU.KLV"), kMenu);
    windowWith(QStringLiteral("MENU.KLV"));
    deleteKeys(*window, {1001});
    const struct {
        MessageAnswer answer;
        bool keyBack;
    } cases[] = {{MessageAnswer::Cancel, false}, {MessageAnswer::No, true}};
    for (const auto &c : cases) {
        dialogs.answers = {c.answer};
        window->undoWindow()->mnuOstatnioZach->trigger();
        EXPECT_EQ(surfaceObject(*window, 1001) != nullptr, c.keyBack);
        EXPECT_EQ(dialogs.messages.last().text, u"Czy chcesz zachować zmiany?");
    }
    EXPECT_EQ(window->undoHistory().steps().names(), QStringList{QStringLiteral("Projekt otwarty")});
}

TEST_F(MainWindowFixture, ALowerUndoLimitFromTheSettingsTrimsTheHistory)
{
    writeText(QStringLiteral("MENU.KLV"), kMenu);
    windowWith(QStringLiteral("MENU.KLV"));
    for (int step = 1; step <= 7; ++step)
        window->context().undo().SaveUndo(QStringLiteral("krok %1").arg(step));
    ASSERT_EQ(window->undoHistory().steps().count(), 8);
    window->undoHistory().setLimit(3);
    EXPECT_EQ(listed(*window->undoWindow()),
              (QStringList{QStringLiteral("Projekt otwarty"), QStringLiteral("krok 6"), QStringLiteral("krok 7")}));
}
