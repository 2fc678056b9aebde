#include "menufixture.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <transplist/transplist.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace ProjectFormat;
using Platform::MessageAnswer;

namespace {

const QString kMenu = QStringLiteral(
    "[CDROM]\nCD_TITLE=Płyta\n"
    "[NAMES]\n1001=Gry\n1002=Więcej\n"
    "[DATA]\n1001=DANE\\GRY.RV3\n1002=DANE\\WIECEJ.RV3\n"
    "[NEXT_WINDOW]\n1002=1\n[NEXT_WINDOW_INI]\n1002=DRUGIE\\DRUGIE.INI\n"
    "[FUNCTIONS]\n10001=1\n10010=1\n"
    "[OBJECTS]\nLIST=1\nTITLE=1\nDESCRIPTION=1\n");

// A category of the second window may itself say NEXT_WINDOW: it loads its
// data like any other, there is only one level.
const QString kSecond = QStringLiteral(
    "[CDROM]\nCD_CAPTION=Drugie okno\n"
    "[WINDOW]\nWIDTH=500\nHEIGHT=300\n"
    "[NAMES]\n1001=Edukacja\n"
    "[DATA]\n1001=DANE\\EDU.RV3\n"
    "[NEXT_WINDOW]\n1001=1\n[NEXT_WINDOW_INI]\n1001=DRUGIE\\DRUGIE.INI\n"
    "[FUNCTIONS]\n10001=1\n10006=1\n10010=1\n"
    "[OBJECTS]\nLIST=1\nTITLE=1\nDESCRIPTION=1\n"
    "[LEFT]\n10006=10\n[TOP]\n10006=10\n[WIDTH]\n10006=80\n[HEIGHT]\n10006=24\n");

class SubWindowTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        writeCdText(QStringLiteral("DANE/GRY.RV3"), QStringLiteral("TITLE=Gry\n[Szachy]\nSETUP=GRY\\SZACHY.EXE\n"));
        writeCdText(QStringLiteral("DANE/WIECEJ.RV3"),
                    QStringLiteral("TITLE=Więcej programów\nDESC=Opis drugiego okna\n"));
        writeCdText(QStringLiteral("DANE/EDU.RV3"),
                    QStringLiteral("TITLE=Edukacja\n[Słówka]\nSETUP=EDU\\SLOWKA.EXE\n[Tabliczka]\nSETUP=EDU\\TAB.EXE\n"
                                   "[Paczka]\nSETUP=EDU\\PACZKA.ZIP\n[Rar]\nSETUP=EDU\\PACZKA.RAR\n"));
        writeCdText(QStringLiteral("GRY/SZACHY.EXE"), QStringLiteral("x"));
        writeCdText(QStringLiteral("EDU/SLOWKA.EXE"), QStringLiteral("x"));
        writeCdText(QStringLiteral("EDU/PACZKA.ZIP"), QStringLiteral("x"));
        writeCdText(QStringLiteral("EDU/PACZKA.RAR"), QStringLiteral("x"));
    }

    static TMenuButton *key(QWidget &window, int id)
    {
        return window.findChild<TMenuButton *>(QStringLiteral("klw%1").arg(id));
    }
    static void choose(TMenuWindowBase &window, const QString &program)
    {
        window.controls().programList->setItemIndex(int(window.controls().programList->items().indexOf(program)));
        window.LISTA_PRG(window.controls().programList);
    }
    // Builds the menu at a place of its own and opens the second window.
    TForm2 &open(const QString &second = kSecond)
    {
        writeProject(kMenu);
        if (!second.isNull())
            writeCdText(QStringLiteral("DRUGIE/DRUGIE.INI"), second);
        TForm1 &menu = build();
        menu.move(120, 90);
        menu.show();
        menu.ODCZYTKATEGORI(key(menu, 1002));
        EXPECT_NE(menu.subWindow(), nullptr);
        return *menu.subWindow();
    }
    // Closed windows are freed from the event loop.
    static void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_F(SubWindowTest, OpensWhereTheMenuStoodAndBringsItBackWhereItWasMoved)
{
    enum Close { Backspace, Button10006, CloseBox };
    for (Close how : {Backspace, Button10006, CloseBox}) {
        SCOPED_TRACE(int(how));
        TForm2 &second = open();
        QPointer<TForm2> watched = &second;
        EXPECT_EQ(second.pos(), QPoint(120, 90));
        EXPECT_TRUE(second.isVisible());
        EXPECT_FALSE(window->isVisible());
        EXPECT_EQ(second.size(), QSize(500, 300));
        EXPECT_EQ(second.windowTitle(), QStringLiteral("Drugie okno"));

        second.move(300, 200);
        switch (how) {
        case Backspace: QTest::keyClick(&second, Qt::Key_Backspace); break;
        case Button10006: QTest::mouseClick(key(second, CloseId), Qt::LeftButton); break;
        case CloseBox: second.close(); break;
        }
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->pos(), QPoint(300, 200));
        EXPECT_EQ(window->subWindow(), nullptr);
        runDeferredDeletes();
        EXPECT_TRUE(watched.isNull());
        window.reset();
    }
}

TEST_F(SubWindowTest, MissingProjectGivesADefaultWindowWithTheApplicationTitle)
{
    TForm2 &second = open(QString());
    EXPECT_EQ(second.size(), QSize(640, 480));
    EXPECT_EQ(second.windowTitle(), QStringLiteral("Płyta"));
    EXPECT_TRUE(second.controls().categoryKeys.isEmpty());
    EXPECT_EQ(second.controls().programList, nullptr);
}

TEST_F(SubWindowTest, ItsCategoriesReadItsOwnDataAndItsTitleStartsWithTheOpeningCategory)
{
    TForm2 &second = open();
    EXPECT_EQ(second.controls().titleLabel->text(), QStringLiteral("Więcej programów"));
    EXPECT_EQ(second.controls().descriptionList->items(), QStringList{QStringLiteral("Opis drugiego okna")});

    second.ODCZYTKATEGORI_2(key(second, 1001));
    EXPECT_EQ(window->subWindow(), &second) << "no further level";
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(second.controls().programList->items(), QStringList({QStringLiteral("Paczka"), QStringLiteral("Rar"),
                                                          QStringLiteral("Słówka"), QStringLiteral("Tabliczka")}));
    EXPECT_EQ(second.controls().titleLabel->text(), QStringLiteral("Edukacja"));
    EXPECT_TRUE(window->controls().programList->items().isEmpty());
}

TEST_F(SubWindowTest, F8AndMinimiseInEitherWindowShowTheStateOnBothMusicButtons)
{
    TForm2 &second = open();
    TMenuButton *menuMusic = window->controls().functionButton(MusicId);
    TMenuButton *secondMusic = second.controls().functionButton(MusicId);
    EXPECT_EQ(secondMusic->hint(), menuMusic->hint());
    const struct {
        TMenuWindowBase *where;
        const char *hint;
    } steps[] = {{&second, "ON"}, {&second, "OFF"}, {window.get(), "ON"}};
    for (const auto &step : steps) {
        step.where->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
        EXPECT_EQ(menuMusic->hint(), QLatin1String(step.hint));
        EXPECT_EQ(secondMusic->hint(), QLatin1String(step.hint));
    }
    // Minimising the second window pauses the shared music.
    window->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
    second.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(menuMusic->hint(), QStringLiteral("OFF_1"));
    EXPECT_EQ(secondMusic->hint(), QStringLiteral("OFF_1"));
    second.setWindowState(Qt::WindowNoState);
    EXPECT_EQ(secondMusic->hint(), QStringLiteral("OFF"));

    // A second window opened now takes the current state.
    window->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
    second.close();
    window->ODCZYTKATEGORI(key(*window, 1002));
    EXPECT_EQ(window->subWindow()->controls().functionButton(MusicId)->hint(), QStringLiteral("ON"));
}

TEST_F(SubWindowTest, MenuWithoutAMusicButtonOpensASecondWindowWithOne)
{
    writeProject(QString(kMenu).replace(QStringLiteral("10010=1\n"), QString()));
    writeCdText(QStringLiteral("DRUGIE/DRUGIE.INI"), kSecond);
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1002));
    ASSERT_NE(menu.subWindow(), nullptr);
    TMenuButton *music = menu.subWindow()->controls().functionButton(MusicId);
    EXPECT_EQ(music->hint(), QStringLiteral("OFF"));
    menu.subWindow()->FormKeyDown(Qt::Key_F8, Qt::NoModifier);
    EXPECT_EQ(music->hint(), QStringLiteral("ON"));
}

TEST_F(SubWindowTest, EachWindowKeepsItsOwnProgramChoice)
{
    writeProject(kMenu);
    writeCdText(QStringLiteral("DRUGIE/DRUGIE.INI"), kSecond);
    TForm1 &menu = build();

    // Nothing chosen on the menu: after the second window, Start still does
    // nothing there.
    menu.ODCZYTKATEGORI(key(menu, 1002));
    TForm2 *second = menu.subWindow();
    second->ODCZYTKATEGORI(key(*second, 1001));
    choose(*second, QStringLiteral("Słówka"));
    second->START_2_PRG(key(*second, StartId));
    EXPECT_EQ(launcher.opened, QStringList{cdPath(QStringLiteral("EDU/SLOWKA.EXE"))});
    QTest::keyClick(second, Qt::Key_Backspace);
    menu.START_PRG(key(menu, StartId));
    EXPECT_EQ(launcher.opened.size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());

    // A program chosen on the menu stays the one its Start starts.
    menu.ODCZYTKATEGORI(key(menu, 1001));
    choose(menu, QStringLiteral("Szachy"));
    menu.ODCZYTKATEGORI(key(menu, 1002));
    second = menu.subWindow();
    second->ODCZYTKATEGORI(key(*second, 1001));
    choose(*second, QStringLiteral("Słówka"));
    second->close();
    menu.FormKeyDown(Qt::Key_F7, Qt::NoModifier);
    EXPECT_EQ(launcher.opened.last(), cdPath(QStringLiteral("GRY/SZACHY.EXE")));
    EXPECT_EQ(menu.choice().CurrentProgram, QStringLiteral("Szachy"));
}

TEST_F(SubWindowTest, OpeningAgainReplacesTheOldWindowAndAMenuClickHidesIt)
{
    TForm2 &first = open();
    QPointer<TForm2> old = &first;
    // The menu's category click shows the menu and hides the second window.
    window->ODCZYTKATEGORI(key(*window, 1001));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(window->subWindow(), &first);

    window->ODCZYTKATEGORI(key(*window, 1002));
    TForm2 *second = window->subWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, old.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(window->isVisible()) << "the old window's close must not bring the menu back";
    runDeferredDeletes();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(window->subWindow(), second);
}

TEST_F(SubWindowTest, KeysOfTheSecondWindow)
{
    TForm2 &second = open();
    QPointer<TForm2> watched = &second;

    // No key help here, and Shift+F1 does nothing.
    second.FormKeyDown(Qt::Key_F1, Qt::NoModifier);
    second.FormKeyDown(Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    // Backspace on the menu is no key of its.
    EXPECT_FALSE(window->FormKeyDown(Qt::Key_Backspace, Qt::NoModifier));

    // Esc asks; Yes ends the whole program through the menu's close.
    dialogs.answers = {MessageAnswer::No, MessageAnswer::Yes};
    second.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(second.isVisible());
    second.FormKeyDown(Qt::Key_Escape, Qt::NoModifier);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("Czy chcesz zakończyć program?"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->subWindow(), nullptr);
    runDeferredDeletes();
    EXPECT_TRUE(watched.isNull());
}

TEST_F(SubWindowTest, FailedStartOffersTheArchiveWindowOnlyForZip)
{
    writeCdBytes(QStringLiteral("unzdll.dll"), "library");
    writeCdBytes(QStringLiteral("unrar.dll"), "library");
    launcher.fail = true;
    TForm2 &second = open();
    second.ODCZYTKATEGORI_2(key(second, 1001));
    const auto failure = [this](const char *file) {
        return QStringLiteral("Nie udało się otworzyć pliku: \"%1\"").arg(cdPath(QLatin1String(file)));
    };
    const struct {
        const char *program;
        QList<MessageAnswer> answers;
        QStringList texts;
    } cases[] = {
        // A rar gets no question here; a refused zip still reports the
        // failure rather than nothing.
        {"Rar", {}, {failure("EDU/PACZKA.RAR")}},
        {"Paczka",
         {MessageAnswer::No},
         {QStringLiteral("Nie udało się otworzyć archiwum ZIP w programie skojarzonym!\n"
                         "Czy chcesz użyć modułu wewnętrznego menu ?"),
          failure("EDU/PACZKA.ZIP")}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.program);
        dialogs.messages.clear();
        dialogs.answers = row.answers;
        choose(second, QString::fromUtf8(row.program));
        second.START_2_PRG(key(second, StartId));
        QStringList texts;
        for (const auto &message : dialogs.messages)
            texts.append(message.text);
        EXPECT_EQ(texts, row.texts);
    }
}

TEST_F(SubWindowTest, ClickAndHoverResetTheUnflaggedSystemFieldTheOtherWayRound)
{
    // The same objects on both windows; the system field has no flag.
    const QString objects = QStringLiteral(
        "[WINDOW]\nSYSTEM_IF_IS=0\nSERIAL_IF_IS=1\nDESC_ON_MOVE=1\n"
        "[DATA]\n1001=DANE\\GRY.RV3\n1002=DANE\\EDU.RV3\n"
        "[OBJECTS]\nSYSTEM=1\nSERIAL=1\nLIST=1\n");
    writeProject(QStringLiteral("[NAMES]\n1001=A\n1002=B\n1003=C\n[NEXT_WINDOW]\n1003=1\n[NEXT_WINDOW_INI]\n1003=D.INI\n")
                 + objects);
    writeCdText(QStringLiteral("D.INI"), QStringLiteral("[NAMES]\n1001=A\n1002=B\n") + objects);
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1003));
    const struct {
        TMenuWindowBase *window;
        bool visibleAfterClick;
        bool visibleAfterHover;
    } cases[] = {{&menu, true, false}, {menu.subWindow(), false, true}};
    for (const auto &row : cases) {
        SCOPED_TRACE(row.window->objectName().toStdString());
        row.window->controls().systemField->hide();
        row.window->ODCZYTKATEGORI(key(*row.window, 1001));
        EXPECT_EQ(row.window->controls().systemField->isVisibleTo(row.window), row.visibleAfterClick);
        EXPECT_FALSE(row.window->controls().serialField->isVisibleTo(row.window));
        row.window->controls().systemField->hide();
        row.window->OdczytOpisuKategori(key(*row.window, 1002));
        EXPECT_EQ(row.window->controls().systemField->isVisibleTo(row.window), row.visibleAfterHover);
        EXPECT_FALSE(row.window->controls().serialField->isVisibleTo(row.window));
    }
}

TEST_F(SubWindowTest, MenuFreedWithItsSecondWindowOpen)
{
    QPointer<TForm2> second = &open();
    window.reset();
    EXPECT_TRUE(second.isNull());
}
