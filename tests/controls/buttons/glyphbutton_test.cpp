#include "buttons/menubutton.h"
#include "buttons/toolbarbutton.h"
#include "testglyphs.h"
#include "testsupport.h"

#include "colors.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

QRgb sysRgb(Platform::TColor color) { return Platform::toQColor(color).rgb(); }

const QList<QColor> kFiveFills = {Qt::blue, Qt::darkCyan, Qt::red, Qt::green, Qt::yellow};

// A shown, active form in the classic button face colour.
struct ButtonForm : ::testing::Test
{
    QWidget form;

    void SetUp() override
    {
        QPalette palette = form.palette();
        palette.setColor(QPalette::Window, Platform::toQColor(Platform::clBtnFace));
        palette.setColor(QPalette::WindowText, Qt::black);
        form.setPalette(palette);
        // Unsmoothed text, so that ink has exactly the colour it is drawn in.
        QFont font = form.font();
        font.setStyleStrategy(QFont::NoAntialias);
        form.setFont(font);
        form.setGeometry(100, 100, 300, 200);
        form.show();
        form.activateWindow();
        QApplication::processEvents();
        moveMouse(&form, QPoint(290, 190));
    }

    void TearDown() override
    {
        // A synthesized double click can leave the button counted as held.
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(290, 190));
    }

    template<typename Button = TToolbarButton>
    Button *button(QPoint at = {10, 10})
    {
        auto *b = new Button(&form);
        b->move(at);
        b->show();
        return b;
    }

    static void moveMouse(QWidget *widget, QPoint local)
    {
        QCursor::setPos(widget->mapToGlobal(local));
        QApplication::processEvents();
    }

    // Presses and releases the left button with the cursor really there.
    static void clickAt(QWidget *widget, QPoint local = {5, 5})
    {
        moveMouse(widget, local);
        QTest::mouseClick(widget, Qt::LeftButton, {}, local);
        QApplication::processEvents();
    }
};

QImage render(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST_F(ButtonForm, PublishedDefaults)
{
    auto *b = button<TMenuButton>();
    EXPECT_EQ(b->size(), QSize(23, 22));
    const struct { const char *name; QVariant value; } defaults[] = {
        {"AllowAllUp", false}, {"GroupIndex", 0}, {"DisplayMode", QVariant::fromValue(dmBoth)},
        {"Down", false}, {"DropdownArrow", true}, {"DropdownCombo", false}, {"Flat", true},
        {"Layout", QVariant::fromValue(blGlyphLeft)}, {"Margin", -1}, {"NumGlyphs", 1},
        {"OldDisabledStyle", false}, {"Opaque", true}, {"Spacing", 4}, {"WordWrap", false},
        {"ParentFont", true}, {"ShowHint", false}, {"ParentShowHint", true},
        {"NoBorder", false}, {"NewBorder", false}, {"UsePushedPattern", false},
        {"DragMode", QVariant::fromValue(dmManual)},
    };
    for (const auto &d : defaults)
        EXPECT_EQ(b->property(d.name), d.value) << d.name;
}

TEST_F(ButtonForm, SettersClampTheirValues)
{
    auto *b = button();
    b->setNumGlyphs(7);
    EXPECT_EQ(b->numGlyphs(), 5);
    b->setMargin(-2);
    EXPECT_EQ(b->margin(), -1);
    b->setMargin(3);
    EXPECT_EQ(b->margin(), 3);

    b->setDropdownCombo(true);
    EXPECT_EQ(b->width(), 34);
    b->resize(5, 22);
    b->setDropdownCombo(false);
    EXPECT_EQ(b->width(), 1);

    b->beginLoading();
    b->setDropdownCombo(true);
    b->loaded();
    EXPECT_EQ(b->width(), 1) << "no resizing while loading";
}

// --- faces ---

TEST_F(ButtonForm, EachStateDrawsItsOwnCell)
{
    auto *b = button();
    b->setGlyph(TestGlyphs::strip(kFiveFills));
    b->setGroupIndex(1);
    EXPECT_EQ(b->numGlyphs(), 5);
    const QPoint centre(12, 11); // glyph at (4, 3), one more when pushed

    EXPECT_EQ(render(b).pixel(centre), QColor(Qt::blue).rgb()) << "up";

    moveMouse(b, {5, 5});
    ASSERT_EQ(b->state(), gsHot);
    EXPECT_EQ(render(b).pixel(centre), QColor(Qt::yellow).rgb()) << "hot";

    QTest::mousePress(b, Qt::LeftButton, {}, {5, 5});
    ASSERT_EQ(b->state(), gsDown);
    EXPECT_EQ(render(b).pixel(centre), QColor(Qt::red).rgb()) << "down";
    QTest::mouseRelease(b, Qt::LeftButton, {}, {5, 5});

    ASSERT_EQ(b->state(), gsExclusive);
    EXPECT_EQ(render(b).pixel(centre), QColor(Qt::green).rgb()) << "exclusive";

    b->setEnabled(false);
    const QImage disabled = render(b);
    EXPECT_EQ(b->state(), gsDisabled);
    EXPECT_EQ(disabled.pixel(centre), QColor(Qt::darkCyan).rgb()) << "disabled";
}

TEST_F(ButtonForm, DisabledButtonWithoutDisabledCellShowsEmbossedGlyph)
{
    auto *b = button();
    b->setGlyph(TestGlyphs::single(Qt::blue));
    b->setEnabled(false);
    const QImage face = render(b);
    // Glyph at (4, 3): its frame and fill in shadow, highlight one pixel
    // right and down, background in the face colour.
    EXPECT_EQ(face.pixel(4 + 8, 3 + 8), sysRgb(Platform::clBtnShadow));
    EXPECT_EQ(face.pixel(4 + 13, 3 + 13), sysRgb(Platform::clBtnHighlight));
    EXPECT_EQ(face.pixel(4 + 1, 3 + 1), sysRgb(Platform::clBtnFace));
    EXPECT_EQ(face.pixel(4 + 13, 3 + 3), sysRgb(Platform::clBtnFace)) << "no highlight above";
}

// Bounding box of the pixels of one colour.
QRect inkOf(const QImage &image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(ButtonForm, GlyphAndCaptionLandWhereTheLayoutPutsThem)
{
    const QString caption = QStringLiteral("Hi");
    const QFontMetrics metrics(form.font());
    const int tw = metrics.horizontalAdvance(caption);
    // Buttons of 80x50, client (1, 1, 78, 48); the blue square of the glyph
    // lies at (4, 4)-(11, 11) inside the glyph.
    const struct {
        TButtonLayout layout;
        int margin;
        int spacing;
        QPoint glyph;
    } cases[] = {
        {blGlyphLeft, 2, 3, {3, 17}},
        {blGlyphLeft, 6, 1, {7, 17}},
        {blGlyphRight, 2, 3, {61, 17}},
        {blGlyphTop, 2, 3, {32, 3}},
        {blGlyphBottom, 4, 2, {32, 29}},
        {blGlyphLeft, -1, 4, {1 + (78 - 20 - tw + 1) / 2, 17}},
    };
    for (const auto &c : cases) {
        auto *b = button<TMenuButton>();
        b->resize(80, 50);
        b->setGlyph(TestGlyphs::single(Qt::blue));
        b->setCaption(caption);
        b->setLayout(c.layout);
        b->setMargin(c.margin);
        b->setSpacing(c.spacing);
        const QImage face = render(b);
        const QRect blue = inkOf(face, QColor(Qt::blue).rgb());
        EXPECT_EQ(blue.topLeft(), c.glyph + QPoint(4, 4)) << int(c.layout) << " " << c.margin;

        // The caption's ink lies past the spacing on the far side of the glyph.
        QImage captionOnly = face;
        captionOnly.fill(Qt::white);
        {
            QPainter painter(&captionOnly);
            painter.drawImage(0, 0, face);
            painter.fillRect(QRect(c.glyph, QSize(17, 17)), Qt::white);
        }
        const QRect text = inkOf(captionOnly, qRgb(0, 0, 0));
        ASSERT_FALSE(text.isNull());
        const int spacing = c.spacing;
        switch (c.layout) {
        case blGlyphLeft:
            EXPECT_GE(text.left(), c.glyph.x() + 16 + spacing);
            EXPECT_LE(text.left(), c.glyph.x() + 16 + spacing + 2);
            break;
        case blGlyphRight:
            EXPECT_LE(text.right(), c.glyph.x() - spacing - 1);
            break;
        case blGlyphTop:
            EXPECT_GE(text.top(), c.glyph.y() + 16 + spacing);
            break;
        case blGlyphBottom:
            EXPECT_LE(text.bottom(), c.glyph.y() - spacing - 1);
            break;
        }
        delete b;
    }
}

TEST_F(ButtonForm, DisabledCaptionIsDrawnTwice)
{
    auto *b = button<TMenuButton>();
    b->resize(60, 22);
    b->setCaption(QStringLiteral("Iii"));
    b->setEnabled(false);
    const QImage face = render(b);
    const QRect shadow = inkOf(face, sysRgb(Platform::clBtnShadow));
    const QRect highlight = inkOf(face, sysRgb(Platform::clBtnHighlight));
    ASSERT_FALSE(shadow.isNull());
    EXPECT_EQ(highlight.bottomRight(), shadow.bottomRight() + QPoint(1, 1));
    EXPECT_TRUE(inkOf(face, qRgb(0, 0, 0)).isNull());
}

// --- groups and clicks ---

struct GroupOfThree : ButtonForm
{
    TToolbarButton *buttons[3] = {};
    int clicks[3] = {};

    void SetUp() override
    {
        ButtonForm::SetUp();
        for (int i = 0; i < 3; ++i) {
            buttons[i] = button(QPoint(10 + 30 * i, 10));
            buttons[i]->setGroupIndex(1);
            buttons[i]->OnClick = [this, i](QObject *) { ++clicks[i]; };
        }
    }

    QList<bool> downs() const
    {
        return {buttons[0]->down(), buttons[1]->down(), buttons[2]->down()};
    }
};

TEST_F(GroupOfThree, ClickingOneReleasesTheOthers)
{
    clickAt(buttons[0]);
    EXPECT_EQ(downs(), QList<bool>({true, false, false}));
    clickAt(buttons[1]);
    EXPECT_EQ(downs(), QList<bool>({false, true, false}));
    EXPECT_EQ(buttons[0]->state(), gsUp);
    EXPECT_EQ(buttons[1]->state(), gsExclusive);

    clickAt(buttons[1]);
    EXPECT_EQ(downs(), QList<bool>({false, true, false})) << "the last one stays down";
    buttons[1]->setDown(false);
    EXPECT_TRUE(buttons[1]->down()) << "nor can code raise it";
    EXPECT_EQ(clicks[1], 2);

    buttons[2]->setDown(true);
    EXPECT_EQ(downs(), QList<bool>({false, false, true}));
}

TEST_F(GroupOfThree, AllowAllUpIsSharedAndLetsTheLastOneGoUp)
{
    buttons[2]->setAllowAllUp(true);
    for (TToolbarButton *b : buttons)
        EXPECT_TRUE(b->allowAllUp());

    clickAt(buttons[0]);
    clickAt(buttons[0]);
    EXPECT_EQ(downs(), QList<bool>({false, false, false}));
    EXPECT_EQ(clicks[0], 2);

    buttons[1]->setDown(true);
    buttons[1]->setDown(false);
    EXPECT_FALSE(buttons[1]->down());

    // A member joining the group hands its own setting to the others.
    auto *late = button(QPoint(200, 10));
    late->setGroupIndex(1);
    for (TToolbarButton *b : buttons)
        EXPECT_FALSE(b->allowAllUp());
}

TEST_F(GroupOfThree, OtherGroupsAndButtonClassesAreLeftAlone)
{
    auto *other = button(QPoint(10, 50));
    other->setGroupIndex(2);
    other->setDown(true);
    auto *menuButton = button<TMenuButton>(QPoint(40, 50));
    menuButton->setGroupIndex(1);
    menuButton->setDown(true);
    clickAt(buttons[0]);
    EXPECT_TRUE(other->down());
    EXPECT_TRUE(menuButton->down());
}

TEST_F(ButtonForm, DownNeedsAGroup)
{
    auto *b = button();
    b->setDown(true);
    EXPECT_FALSE(b->down());
}

TEST_F(ButtonForm, DisabledButtonIgnoresClicks)
{
    auto *b = button();
    b->setGroupIndex(1);
    int clicks = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    b->setEnabled(false);
    clickAt(b);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->down());
    b->setEnabled(true);
    clickAt(b);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonForm, ReleasingOutsideDoesNotClick)
{
    auto *b = button();
    b->setGroupIndex(1);
    b->setDown(true);
    int clicks = 0;
    b->OnClick = [&](QObject *sender) {
        EXPECT_EQ(sender, b);
        ++clicks;
    };
    moveMouse(b, {5, 5});
    QTest::mousePress(b, Qt::LeftButton, {}, {5, 5});
    QTest::mouseMove(b, {40, 5});
    QTest::mouseRelease(b, Qt::LeftButton, {}, {40, 5});
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(b->down());
    EXPECT_EQ(b->state(), gsExclusive) << "back to its locked look";

    auto *plain = button(QPoint(100, 10));
    plain->OnClick = b->OnClick;
    moveMouse(plain, {5, 5});
    QTest::mousePress(plain, Qt::LeftButton, {}, {5, 5});
    QTest::mouseMove(plain, {5, 40});
    EXPECT_EQ(plain->state(), gsUp) << "dragged off";
    QTest::mouseRelease(plain, Qt::LeftButton, {}, {5, 40});
    EXPECT_EQ(clicks, 0);
}

TEST_F(ButtonForm, DoubleClickOnADownButtonIsReported)
{
    auto *b = button();
    b->setGroupIndex(1);
    int doubles = 0;
    b->OnDblClick = [&](QObject *) { ++doubles; };
    moveMouse(b, {5, 5});
    QTest::mouseDClick(b, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(doubles, 0) << "not down yet";
    clickAt(b);
    QTest::mouseDClick(b, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(doubles, 1);
    QTest::mouseDClick(b, Qt::RightButton, {}, {5, 5});
    QTest::mouseDClick(b, Qt::MiddleButton, {}, {5, 5});
    EXPECT_EQ(doubles, 1) << "only the left button double-clicks";
}

TEST_F(ButtonForm, AcceleratorClicksAnEnabledButton)
{
    auto *b = button<TMenuButton>();
    b->setCaption(QStringLiteral("&Go"));
    int clicks = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    QTest::keyClick(&form, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b->setEnabled(false);
    QTest::keyClick(&form, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

// --- hot tracking ---

TEST_F(ButtonForm, HotStateFollowsTheMouse)
{
    auto *b = button();
    QStringList events;
    b->OnMouseEnter = [&](QObject *) { events << "enter"; };
    b->OnMouseExit = [&](QObject *) { events << "exit"; };
    moveMouse(b, {5, 5});
    EXPECT_TRUE(b->isHot());
    EXPECT_EQ(b->state(), gsHot);
    EXPECT_EQ(TToolbarButton::unit().hotButton, b);
    moveMouse(&form, {250, 150});
    EXPECT_FALSE(b->isHot());
    EXPECT_EQ(b->state(), gsUp);
    EXPECT_EQ(TToolbarButton::unit().hotButton, nullptr);
    EXPECT_EQ(events, QStringList({"enter", "exit"}));
}

// Swallows the leave events of a widget, as when the mouse jumps away.
struct LeaveEater : QObject
{
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Leave; }
};

TEST_F(ButtonForm, HotStateEndsWithoutALeaveEvent)
{
    auto *b = button();
    LeaveEater eater;
    b->installEventFilter(&eater);
    moveMouse(b, {5, 5});
    ASSERT_TRUE(b->isHot());
    moveMouse(&form, {250, 150});
    EXPECT_TRUE(b->isHot()) << "no leave event came";
    QTest::qWait(200);
    EXPECT_FALSE(b->isHot()) << "the 125 ms poll noticed";
}

TEST_F(ButtonForm, AnotherButtonTakesTheHotState)
{
    auto *first = button(QPoint(10, 10));
    auto *second = button(QPoint(33, 10));
    LeaveEater eater;
    first->installEventFilter(&eater);
    moveMouse(first, {5, 5});
    moveMouse(second, {5, 5});
    EXPECT_FALSE(first->isHot());
    EXPECT_TRUE(second->isHot());
}

TEST_F(ButtonForm, EachButtonClassHasItsOwnHotButton)
{
    auto *toolbarButton = button(QPoint(10, 10));
    auto *menuButton = button<TMenuButton>(QPoint(33, 10));
    LeaveEater eater;
    toolbarButton->installEventFilter(&eater);
    moveMouse(toolbarButton, {5, 5});
    moveMouse(menuButton, {5, 5});
    EXPECT_TRUE(toolbarButton->isHot());
    EXPECT_TRUE(menuButton->isHot());
    EXPECT_EQ(TMenuButton::unit().hotButton, menuButton);
    EXPECT_EQ(TToolbarButton::unit().hotButton, toolbarButton);
}

TEST_F(ButtonForm, ButtonOnAnInactiveFormStaysDark)
{
    QWidget other;
    other.setGeometry(500, 100, 100, 100);
    auto *b = new TToolbarButton(&other);
    other.show();
    form.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &form);
    moveMouse(b, {5, 5});
    EXPECT_FALSE(b->isHot());
}

// --- dropdown menus ---

TEST_F(ButtonForm, ClickOnTheButtonClosesItsMenuWithoutReopening)
{
    auto *b = button();
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    b->setDropdownMenu(&menu);
    int shown = 0;
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        ++shown;
        if (shown > 2)
            menu.close(); // a reopened menu must not hang the test
        else
            QTimer::singleShot(50, [&] {
                EXPECT_TRUE(menu.isVisible());
                EXPECT_EQ(b->state(), gsDown);
                // Through the window system, where the open menu sees it first.
                const QPoint atButton = b->mapTo(&form, QPoint(5, 5));
                QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, atButton);
            });
    });
    clickAt(b);
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_NE(b->state(), gsDown);
}

TEST_F(ButtonForm, ComboButtonClicksOnItsFaceAndDropsDownOnItsArrow)
{
    auto *b = button();
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    b->setDropdownMenu(&menu);
    b->setDropdownCombo(true);
    ASSERT_EQ(b->width(), 34);
    int clicks = 0;
    int shown = 0;
    b->OnClick = [&](QObject *) { ++clicks; };
    QObject::connect(&menu, &QMenu::aboutToShow, [&] {
        ++shown;
        QTimer::singleShot(20, &menu, &QMenu::close);
    });
    clickAt(b, {5, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown, 0);
    clickAt(b, {28, 5});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(shown, 1);
}

TEST_F(ButtonForm, DeletedMenuIsForgotten)
{
    auto *b = button();
    auto menu = std::make_unique<QMenu>();
    b->setDropdownMenu(menu.get());
    menu.reset();
    EXPECT_EQ(b->dropdownMenu(), nullptr);
    clickAt(b);
}

// --- looks of the menu button ---

TEST_F(ButtonForm, MenuButtonBorderOptions)
{
    const QRgb face = sysRgb(Platform::clBtnFace);
    const QRgb highlight = sysRgb(Platform::clBtnHighlight);
    const QRgb shadow = sysRgb(Platform::clBtnShadow);
    const QRgb blue = QColor(Qt::blue).rgb();
    const QPoint idleGlyph(4 + 4, 3 + 4); // blue square of a glyph at (4, 3)

    auto *noBorder = button<TMenuButton>(QPoint(10, 10));
    noBorder->setGlyph(TestGlyphs::single(Qt::blue));
    noBorder->setNoBorder(true);
    moveMouse(noBorder, {5, 5});
    QTest::mousePress(noBorder, Qt::LeftButton, {}, {5, 5});
    QImage image = render(noBorder);
    QTest::mouseRelease(noBorder, Qt::LeftButton, {}, {5, 5});
    EXPECT_EQ(image.pixel(0, 0), face) << "pressed without a frame";
    EXPECT_EQ(inkOf(image, blue).topLeft(), idleGlyph) << "and without moving";

    noBorder->setGroupIndex(1);
    noBorder->setUsePushedPattern(true);
    noBorder->setDown(true);
    moveMouse(&form, {250, 150});
    image = render(noBorder);
    EXPECT_EQ(image.pixel(1, 1), face) << "outside the 2-pixel inset";
    EXPECT_EQ(image.pixel(2, 2), highlight);
    EXPECT_EQ(image.pixel(3, 2), face);
    EXPECT_EQ(image.pixel(19, 19), highlight);

    auto *newBorder = button<TMenuButton>(QPoint(40, 10));
    newBorder->setNewBorder(true);
    image = render(newBorder);
    EXPECT_EQ(image.pixel(0, 0), highlight) << "framed while idle";
    EXPECT_EQ(image.pixel(22, 21), shadow);

    auto *plainDown = button<TMenuButton>(QPoint(70, 10));
    plainDown->setGlyph(TestGlyphs::single(Qt::blue));
    plainDown->setGroupIndex(2);
    plainDown->setDown(true);
    image = render(plainDown);
    EXPECT_EQ(image.pixel(0, 0), shadow) << "sunken";
    EXPECT_EQ(image.pixel(22, 21), highlight);
    EXPECT_EQ(image.pixel(1, 1), face) << "no checkerboard";
    EXPECT_EQ(inkOf(image, blue).topLeft(), idleGlyph + QPoint(1, 1));
}

TEST_F(ButtonForm, LockedToolbarButtonIsFilledWithThePatternUnlessHot)
{
    auto *b = button();
    b->setGroupIndex(1);
    b->setDown(true);
    QImage image = render(b);
    EXPECT_EQ(image.pixel(1, 1), sysRgb(Platform::clBtnHighlight));
    EXPECT_EQ(image.pixel(2, 1), sysRgb(Platform::clBtnFace));
    moveMouse(b, {5, 5});
    image = render(b);
    EXPECT_EQ(image.pixel(1, 1), sysRgb(Platform::clBtnFace)) << "a hot flat button shows no pattern";
}

// --- a picture of every look, for reviewers ---

TEST_F(ButtonForm, WritesPanelOfStates)
{
    form.resize(640, 120);
    QImage strip = TestGlyphs::strip(kFiveFills);
    QImage single = TestGlyphs::single(QColor(0, 0, 160));
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));

    struct Entry { QString label; QImage face; };
    QList<Entry> entries;
    auto add = [&](const QString &label, TGlyphButton *b, const std::function<void()> &pose) {
        if (pose)
            pose();
        entries.append({label, render(b)});
        if (QGuiApplication::mouseButtons() != Qt::NoButton)
            QTest::mouseRelease(b, Qt::LeftButton, {}, {3, 3});
        moveMouse(&form, {630, 110});
        delete b;
    };
    auto make = [&](const QImage &glyph, const QString &caption = {}) {
        auto *b = button(QPoint(10, 10));
        b->setGlyph(glyph);
        b->setCaption(caption);
        if (!caption.isEmpty())
            b->resize(70, 22);
        return b;
    };
    auto menuButton = [&](const QImage &glyph) {
        auto *b = button<TMenuButton>(QPoint(10, 10));
        b->setGlyph(glyph);
        return b;
    };
    auto hover = [](TGlyphButton *b) { return [b] { moveMouse(b, {3, 3}); }; };
    auto press = [](TGlyphButton *b) {
        return [b] {
            moveMouse(b, {3, 3});
            QTest::mousePress(b, Qt::LeftButton, {}, {3, 3});
        };
    };
    auto lock = [](TGlyphButton *b) { return [b] { b->setGroupIndex(9); b->setDown(true); }; };
    auto disable = [](TGlyphButton *b) { return [b] { b->setEnabled(false); }; };

    TGlyphButton *b = nullptr;
    b = make(strip); add("5 cells: up", b, {});
    b = make(strip); add("5 cells: hot", b, hover(b));
    b = make(strip); add("5 cells: down", b, press(b));
    b = make(strip); add("5 cells: locked", b, lock(b));
    b = make(strip); add("5 cells: disabled", b, disable(b));
    b = make(single); add("up", b, {});
    b = make(single); add("hot", b, hover(b));
    b = make(single); add("pressed", b, press(b));
    b = make(single); add("locked", b, lock(b));
    b = make(single); add("locked+hot", b, [b] { b->setGroupIndex(9); b->setDown(true); moveMouse(b, {3, 3}); });
    b = make(single); add("embossed", b, disable(b));
    b = make(single); b->setOldDisabledStyle(true); add("old disabled", b, disable(b));
    b = make(single, "&Open"); add("caption", b, {});
    b = make(single, "&Open"); add("caption hot", b, hover(b));
    b = make(single, "&Open"); add("caption off", b, disable(b));
    b = make(single, "Menu"); b->setDropdownMenu(&menu); add("dropdown", b, {});
    b = make(single, "Menu"); b->setDropdownMenu(&menu); add("dropdown hot", b, hover(b));
    b = make(single); b->setDropdownMenu(&menu); b->setDropdownCombo(true); add("combo hot", b, hover(b));
    b = make(single); b->setDropdownMenu(&menu); b->setDropdownCombo(true); add("combo off", b, disable(b));
    b = make(single); b->setFlat(false); add("not flat", b, {});
    b = make(single); b->setFlat(false); add("not flat down", b, press(b));
    b = make(single); b->setFlat(false); add("not flat lock", b, lock(b));
    b = menuButton(single); static_cast<TMenuButton *>(b)->setNewBorder(true); add("NewBorder", b, {});
    b = menuButton(single); static_cast<TMenuButton *>(b)->setNoBorder(true); add("NoBorder down", b, press(b));
    b = menuButton(single); static_cast<TMenuButton *>(b)->setUsePushedPattern(true); add("pattern lock", b, lock(b));
    b = menuButton(single); add("no pattern lock", b, lock(b));
    b = menuButton(single); static_cast<TMenuButton *>(b)->setNoBorder(true);
    static_cast<TMenuButton *>(b)->setUsePushedPattern(true); add("NoBorder+pattern", b, lock(b));

    const int scale = 3;
    const int columns = 6;
    const QSize cell(80 * scale, 40 * scale);
    const int rows = int((entries.size() + columns - 1) / columns);
    QImage panel(cell.width() * columns, cell.height() * rows, QImage::Format_RGB32);
    panel.fill(Platform::toQColor(Platform::clBtnFace));
    {
        QPainter painter(&panel);
        for (int i = 0; i < entries.size(); ++i) {
            const QPoint at((i % columns) * cell.width() + 8, (i / columns) * cell.height() + 6);
            const QImage &face = entries[i].face;
            painter.drawImage(QRect(at, face.size() * scale), face);
            painter.setPen(Qt::black);
            painter.drawText(at + QPoint(0, 22 * scale + 16), entries[i].label);
        }
    }
    const QString path = TestSupport::outputDir() + QStringLiteral("/buttons_panel.png");
    ASSERT_TRUE(panel.save(path));
}
