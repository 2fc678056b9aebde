#include "menufixture.h"

#include <buttons/menubutton.h>
#include <shaper/controlshaper.h>
#include <transplist/transplist.h>

#include <hints/coolhint.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>

#include <colors.h>

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>

using namespace ProjectFormat;

namespace {

// Stacking order of a window's children, lowest first, by object name.
QStringList stackingOrder(const QWidget &window)
{
    QStringList names;
    for (const QObject *child : window.children()) {
        if (child->isWidgetType() && !child->objectName().isEmpty())
            names.append(child->objectName());
    }
    return names;
}

const QString kFullProject = QStringLiteral(
    "[WINDOW]\nWIDTH=500\nHEIGHT=400\nCOLOR=clRed\nTOOLS_ALIGN=3\nALWAYS_DOWN=1\nCURSOR_HAND=1\n"
    "SERIAL_IF_IS=1\nLIST=clLime\nLISTSelected=clAqua\n"
    "[NAMES]\n1002=Drugi\n1001=Pierwszy\nabc=Zła\n"
    "[FUNCTIONS]\n10001=1\n10006=1\n10008=1\n10010=1\n10013=1\n10000=1\n"
    "[FUNCTIONS_CAPTION]\n10001=Uruchom\n10006=Koniec\n"
    "[FUNCTIONS_HINT]\n1001=Podpowiedź\n10010=nie czytane\n"
    "[OBJECTS]\nLIST=1\nSERIAL=1\nSYSTEM=1\nTOOLS=1\nDESCRIPTION=1\nTITLE=1\nINFO=0\n"
    "[LEFT]\n1001=10\n1002=10\n10001=200\nLIST=120\n"
    "[TOP]\n1001=20\n1002=70\n10001=300\n"
    "[WIDTH]\n1001=90\n1002=90\n10001=80\nTOOLS=40\n"
    "[HEIGHT]\n1001=40\n1002=40\n10001=30\nTOOLS=30\n"
    "[LAYHOW]\n1001=t\n1002=TOP\n"
    "[FONT_STYLE]\n1001=ub\n"
    "[FONT_COLOR]\n1001=clYellow\n1002=clNiebieski\n"
    "[CDROM]\nCD_TITLE=Płyta testowa\n");

} // namespace

TEST_F(MenuFixture, MissingProjectGivesAnEmptyBlackWindow)
{
    TForm1 &menu = build();
    EXPECT_EQ(menu.size(), QSize(640, 480));
    EXPECT_EQ(menu.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(menu.findChildren<TMenuButton *>().isEmpty());
    EXPECT_EQ(menu.controls().programList, nullptr);
    EXPECT_EQ(menu.controls().titleLabel, nullptr);
    EXPECT_EQ(menu.shaper(), nullptr);
    EXPECT_EQ(menu.background()->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("ZELTRIN KALVORA 4.0"));
}

TEST_F(MenuFixture, ObjectsTakeTheirPlacesAndDefaults)
{
    writeProject(kFullProject);
    TForm1 &menu = build();
    EXPECT_EQ(menu.size(), QSize(500, 400));
    EXPECT_EQ(menu.palette().color(QPalette::Window), QColor(Qt::red));
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("Płyta testowa"));

    // Category keys in file order; the key that is no number is skipped.
    ASSERT_EQ(menu.controls().categoryKeys.size(), 2);
    TMenuButton *second = menu.controls().categoryKeys[0];
    TMenuButton *first = menu.controls().categoryKeys[1];
    EXPECT_EQ(second->objectName(), QStringLiteral("klw1002"));
    EXPECT_EQ(first->caption(), QStringLiteral("Pierwszy"));
    EXPECT_EQ(first->geometry(), QRect(10, 20, 90, 40));
    EXPECT_EQ(MenuObjects::tagOf(first), 1001);
    EXPECT_EQ(first->hint(), QStringLiteral("Podpowiedź"));
    EXPECT_EQ(first->groupIndex(), 1000);
    EXPECT_FALSE(first->allowAllUp());
    EXPECT_EQ(first->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_FALSE(first->opaque());

    // Function buttons: only ids 10001..10012, with their start states.
    EXPECT_EQ(menu.findChildren<TMenuButton *>().size(), 2 + 4);
    TMenuButton *start = menu.controls().functionButton(StartId);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->caption(), QStringLiteral("Uruchom"));
    EXPECT_EQ(start->geometry(), QRect(200, 300, 80, 30));
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(menu.controls().functionButton(CloseId)->isEnabled());
    EXPECT_EQ(menu.controls().functionButton(DescriptionToggleId)->groupIndex(), 1);
    EXPECT_TRUE(menu.controls().functionButton(DescriptionToggleId)->allowAllUp());
    EXPECT_EQ(menu.controls().functionButton(MusicId)->hint(), QStringLiteral("OFF"));
    EXPECT_EQ(menu.controls().functionButton(SearchId), nullptr);

    // Single objects with the runtime's defaults.
    ASSERT_NE(menu.controls().programList, nullptr);
    EXPECT_EQ(menu.controls().programList->geometry(), QRect(120, 100, 150, 300));
    EXPECT_TRUE(menu.controls().programList->sorted());
    EXPECT_EQ(menu.controls().programList->color(), Platform::clLime);
    EXPECT_EQ(menu.controls().programList->selectedColor(), Platform::clAqua);
    EXPECT_EQ(menu.controls().serialField->geometry(), QRect(10, 30, 75, 22));
    EXPECT_TRUE(menu.controls().serialField->isHidden()); // SERIAL_IF_IS
    EXPECT_FALSE(menu.controls().systemField->isHidden());
    EXPECT_EQ(menu.controls().systemField->toolTip(), QStringLiteral("Wymagany system"));
    EXPECT_TRUE(menu.controls().systemField->isReadOnly());
    EXPECT_EQ(menu.controls().infoField, nullptr);
    EXPECT_EQ(menu.controls().toolsStrip->geometry(), QRect(0, 370, 500, 30)); // aligned to the bottom
    EXPECT_EQ(menu.controls().descriptionList->geometry(), QRect(375, 100, 150, 300));
    EXPECT_TRUE(menu.controls().descriptionMemo->isHidden());
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Płyta testowa"));
    EXPECT_EQ(menu.controls().titleLabel->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_EQ(menu.controls().titleLabel->palette().color(QPalette::WindowText), QColor(0, 128, 0));

    // Background lowest, the strip above it, the rest above both; the
    // description and title in front.
    const QStringList order = stackingOrder(menu);
    ASSERT_GE(order.size(), 4);
    EXPECT_EQ(order[0], QStringLiteral("Image1"));
    EXPECT_EQ(order[1], QStringLiteral("TOOLS"));
    EXPECT_EQ(order.mid(order.size() - 2), QStringList({"DESCRIPTION", "TITLE"}));
}

TEST_F(MenuFixture, ButtonStylesFollowTheProject)
{
    writeProject(kFullProject);
    TForm1 &menu = build();
    TMenuButton *first = menu.findChild<TMenuButton *>(QStringLiteral("klw1001"));
    TMenuButton *second = menu.findChild<TMenuButton *>(QStringLiteral("klw1002"));
    EXPECT_EQ(first->layout(), ButtonEnums::blGlyphTop);   // "t"
    EXPECT_EQ(second->layout(), ButtonEnums::blGlyphLeft); // "TOP" is no layout
    EXPECT_TRUE(first->font().bold());
    EXPECT_TRUE(first->font().underline());
    EXPECT_FALSE(first->font().italic());
    EXPECT_EQ(first->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    // A colour that is no colour falls back to the default.
    EXPECT_EQ(second->palette().color(QPalette::WindowText), Platform::toQColor(Platform::clBtnText));
}

TEST_F(MenuFixture, MaskSizeWinsOverWidthAndHeight)
{
    writeMask(QStringLiteral("MENU/MASKA.BMP"), 320, 200);
    writeProject(QStringLiteral("[WINDOW]\nWIDTH=800\nHEIGHT=600\n[BONUS]\nMASKA=menu\\maska.bmp\n"));
    TForm1 &menu = build();
    ASSERT_NE(menu.shaper(), nullptr);
    EXPECT_TRUE(menu.shaper()->shapeActive());
    EXPECT_EQ(menu.size(), QSize(320, 200));
}

TEST_F(MenuFixture, MissingMaskKeepsTheProjectSize)
{
    writeProject(QStringLiteral("[WINDOW]\nWIDTH=300\nHEIGHT=200\n[BONUS]\nMASKA=MENU\\BRAK.BMP\n"));
    TForm1 &menu = build();
    EXPECT_EQ(menu.size(), QSize(300, 200));
    EXPECT_FALSE(menu.shaper()->shapeActive());
}

TEST_F(MenuFixture, BackgroundPlacedByItsOwnKeysWhenNotAligned)
{
    writePicture(QStringLiteral("TLO.BMP"), 8, 8, QColor(0, 0, 255));
    writeProject(QStringLiteral("[WINDOW]\nBACK_ALIGN=0\nBACKGROUND=TLO.BMP\nCOLOR=clRed\n"
                                "[LEFT]\nBACK=50\n[TOP]\nBACK=60\n[WIDTH]\nBACK=100\n[HEIGHT]\nBACK=80\n"));
    TForm1 &menu = build();
    EXPECT_EQ(menu.background()->geometry(), QRect(50, 60, 100, 80));
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(shot.pixelColor(10, 10), QColor(Qt::red));       // the window colour around it
    EXPECT_EQ(shot.pixelColor(100, 100), QColor(0, 0, 255));   // the picture, stretched
}

// Without its alignment the background takes each BACK key that is there and
// the client area's value for each one that is not.
TEST_F(MenuFixture, MissingBackKeysDefaultToTheClientArea)
{
    const struct {
        const char *keys;
        QRect expected;
    } cases[] = {
        {"", QRect(0, 0, 300, 200)},
        {"[LEFT]\nBACK=50\n", QRect(50, 0, 300, 200)},
        {"[TOP]\nBACK=20\n[HEIGHT]\nBACK=70\n", QRect(0, 20, 300, 70)},
        {"[WIDTH]\nBACK=120\n", QRect(0, 0, 120, 200)},
    };
    for (const auto &c : cases) {
        writeProject(QStringLiteral("[WINDOW]\nBACK_ALIGN=0\nWIDTH=300\nHEIGHT=200\n") + QLatin1String(c.keys));
        EXPECT_EQ(build().background()->geometry(), c.expected) << c.keys;
    }
}

TEST_F(MenuFixture, TiledBackgroundRepeatsFromTheTopLeft)
{
    QImage tile(4, 4, QImage::Format_RGB888);
    tile.fill(Qt::white);
    tile.setPixelColor(0, 0, Qt::black);
    tile.save(cdPath(QStringLiteral("TILE.BMP")), "BMP");
    writeProject(QStringLiteral("[WINDOW]\nWIDTH=40\nHEIGHT=40\nBACKGROUND=tile.bmp\nTILE=1\n"));
    const QImage shot = build().grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(8, 12), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(9, 12), QColor(Qt::white));
}

TEST_F(MenuFixture, MissingPicturesAndGlyphsAreIgnored)
{
    writeProject(QStringLiteral("[WINDOW]\nBACKGROUND=BRAK.BMP\nTOOLS_BACKGROUND=BRAK.BMP\nCOLOR=clBlue\n"
                                "TOOLS_COLOR=clLime\n[NAMES]\n1001=A\n[GLYPH]\n1001=BRAK.BMP\n"
                                "[OBJECTS]\nTOOLS=1\n"));
    TForm1 &menu = build();
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(shot.pixelColor(300, 300), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(300, 10), QColor(0, 255, 0)); // the strip in its own colour
    EXPECT_TRUE(menu.controls().categoryKeys.at(0)->glyph().isNull());
}

TEST_F(MenuFixture, CdDescriptionFromFileOrAsText)
{
    writeCdText(QStringLiteral("OPIS.TXT"), QStringLiteral("Pierwsza linia\nDruga ąę\n"));
    writeProject(QStringLiteral("[OBJECTS]\nDESCRIPTION=1\n[CDROM]\nCD_DESCRIPTION=opis.txt\n"));
    EXPECT_EQ(build().controls().descriptionList->items(), QStringList({"Pierwsza linia", "Druga ąę"}));

    writeProject(QStringLiteral("[OBJECTS]\nDESCRIPTION=1\n[CDROM]\nCD_DESCRIPTION=To jest opis płyty\n"));
    EXPECT_EQ(build().controls().descriptionMemo->toPlainText(), QStringLiteral("To jest opis płyty"));
}

// The description list shows the memo's lines as the memo wraps them: rows
// as wide as the list in its font, a final line break adding no row.
TEST_F(MenuFixture, DescriptionRowsAreTheWrappedLines)
{
    const QString sentence = QStringLiteral(
        "Saper – znajdź wszystkie miny na planszy, nie wchodząc na żadną z nich; liczba na odkrytym polu "
        "mówi, ile min leży wokół niego.");
    const struct {
        const char *name;
        QString text;
        QStringList rows; // empty: the sentence, wrapped into several rows
    } cases[] = {
        {"one long line", sentence, {}},
        {"final line break", QStringLiteral("Krótko\n"), {QStringLiteral("Krótko")}},
        {"empty line inside", QStringLiteral("a\n\nb\n"), {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {"nothing", QString(), {}},
    };
    for (const auto &c : cases) {
        writeCdText(QStringLiteral("OPIS.TXT"), c.text);
        writeProject(QStringLiteral("[OBJECTS]\nDESCRIPTION=1\n[CDROM]\nCD_DESCRIPTION=OPIS.TXT\n"
                                    "[WIDTH]\nDESCRIPTION=150\n[FONT_SIZE]\nDESCRIPTION=10\n"));
        const TTranspList *list = build().controls().descriptionList;
        const QStringList rows = list->items();
        if (!c.rows.isEmpty() || c.text.isEmpty()) {
            EXPECT_EQ(rows, c.rows) << c.name;
            continue;
        }
        EXPECT_GT(rows.size(), 2) << c.name;
        EXPECT_EQ(rows.join(u' '), c.text) << c.name;
        const QFontMetrics metrics(list->font());
        for (const QString &row : rows)
            EXPECT_LE(metrics.horizontalAdvance(row), list->width()) << row.toStdString();
    }
}

TEST_F(MenuFixture, ScrollArrowPressScrollsWithoutDraggingTheWindow)
{
    QString lines;
    for (int i = 0; i < 40; ++i)
        lines += QStringLiteral("Linia %1\n").arg(i);
    writeCdText(QStringLiteral("OPIS.TXT"), lines);
    writeProject(QStringLiteral("[OBJECTS]\nDESCRIPTION=1\n[CDROM]\nCD_DESCRIPTION=OPIS.TXT\n"));
    TForm1 &menu = build();
    TTranspList *list = menu.controls().descriptionList;
    menu.move(100, 100);
    const QPoint arrow(list->width() - 5, list->height() - 20); // the lower half of the strip
    const QPoint text(20, 20);
    const auto drag = [&](QPoint from) {
        const QPoint global = list->mapToGlobal(from);
        QMouseEvent press(QEvent::MouseButtonPress, from, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &press);
        QMouseEvent move(QEvent::MouseMove, from + QPoint(40, 30), global + QPoint(40, 30), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, from + QPoint(40, 30), global + QPoint(40, 30),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &release);
    };
    drag(arrow);
    EXPECT_EQ(menu.pos(), QPoint(100, 100));
    EXPECT_GT(list->topIndex(), 0) << "the arrow scrolled";
    drag(text);
    EXPECT_EQ(menu.pos(), QPoint(140, 130)) << "the text still drags the window";
}

TEST_F(MenuFixture, ListHiddenUntilClickWithListOnClick)
{
    writeProject(QStringLiteral("[OBJECTS]\nLIST=1\n[WINDOW]\nLIST_ON_CLICK=1\n"));
    EXPECT_TRUE(build().controls().programList->isHidden());
    writeProject(QStringLiteral("[OBJECTS]\nLIST=1\n[WINDOW]\nONE_PROG_KAT=1\n"));
    EXPECT_FALSE(build().controls().programList->isHidden());
}

TEST_F(MenuFixture, BordersFromTheProject)
{
    writeProject(QStringLiteral("[WINDOW]\nNOBORDER=1\nNOBORDERICONS=1\n"));
    const Qt::WindowFlags flags = build().windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
}

TEST_F(MenuFixture, HintsTakeTheProjectsLook)
{
    const struct {
        const char *oval;
        bool expected;
    } cases[] = {{"2", true}, {"1", true}, {"0", false}, {"", false}, {"tak", false}};
    for (const auto &c : cases) {
        writeProject(QStringLiteral("[WINDOW]\nHintKolor=clRed\nHintTextKolor=clLime\nHintOval=%1\n"
                                    "[NAMES]\n1001=A\n[FUNCTIONS_HINT]\n1001=Podpowiedź\n")
                         .arg(QLatin1String(c.oval)));
        TForm1 &menu = build();
        EXPECT_EQ(menu.hints()->style().oval, c.expected) << c.oval;
        EXPECT_EQ(menu.hints()->style().color, Platform::clRed);
        EXPECT_EQ(menu.hints()->style().textColor, Platform::clLime);
        EXPECT_EQ(menu.controls().categoryKeys.at(0)->toolTip(), QStringLiteral("Podpowiedź"));
    }
}

TEST_F(MenuFixture, DraggingTheBackgroundMovesTheWindow)
{
    writeProject(QStringLiteral("[OBJECTS]\nTITLE=1\n"));
    TForm1 &menu = build();
    menu.move(100, 100);
    const auto send = [](QWidget *target, QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, target->mapFromGlobal(global), global,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    };
    for (QWidget *handle : {static_cast<QWidget *>(menu.background()), static_cast<QWidget *>(menu.controls().titleLabel)}) {
        const QPoint start = menu.pos();
        send(handle, QEvent::MouseButtonPress, QPoint(500, 500), Qt::LeftButton);
        send(handle, QEvent::MouseMove, QPoint(530, 480), Qt::LeftButton);
        send(handle, QEvent::MouseButtonRelease, QPoint(530, 480), Qt::NoButton);
        EXPECT_EQ(menu.pos(), start + QPoint(30, -20)) << handle->objectName().toStdString();
        send(handle, QEvent::MouseMove, QPoint(600, 600), Qt::NoButton); // released: stays
        EXPECT_EQ(menu.pos(), start + QPoint(30, -20));
    }
}

TEST_F(MenuFixture, CategoryIdsThatEqualSingleObjectIdsKeepTheirOwnKeys)
{
    // Key 1505 and the title (whose id is 1505 too) each read their own keys.
    writeCdText(QStringLiteral("K.RV3"), QStringLiteral("TITLE=Pięćsetpiąta\n\n[Program]\nSETUP=X\n"));
    writeProject(QStringLiteral("[NAMES]\n1505=Klawisz\n[DATA]\n1505=K.RV3\n[FUNCTIONS_HINT]\n1505=Podpowiedź\n"
                                "[OBJECTS]\nTITLE=1\nLIST=1\n"
                                "[LEFT]\n1505=11\nTITLE=200\n[TOP]\n1505=12\nTITLE=210\n"
                                "[WIDTH]\n1505=13\nTITLE=220\n[HEIGHT]\n1505=14\nTITLE=230\n"));
    TForm1 &menu = build();
    TMenuButton *key = menu.controls().categoryKeys.at(0);
    EXPECT_EQ(key->geometry(), QRect(11, 12, 13, 14));
    EXPECT_EQ(key->hint(), QStringLiteral("Podpowiedź"));
    EXPECT_EQ(menu.controls().titleLabel->geometry(), QRect(200, 210, 220, 230));
    menu.ODCZYTKATEGORI(key);
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Pięćsetpiąta"));
    EXPECT_EQ(menu.controls().programList->items(), QStringList({"Program"}));
}
