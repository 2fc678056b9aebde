#include "dock/dragoutline.h"
#include "dock/floatplan.h"
#include "dockedform.h"

#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Mouse events as the window system delivers them to the bar, with screen
// points, so a drag can leave the bar's own window.
void mouse(TToolbar *bar, QEvent::Type type, QPoint global, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(bar->mapFromGlobal(global)), QPointF(global), button, held, modifiers);
    QApplication::sendEvent(bar, &event);
}

void drag(TToolbar *bar, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    mouse(bar, QEvent::MouseButtonPress, from, modifiers);
    mouse(bar, QEvent::MouseMove, (from + to) / 2, modifiers);
    mouse(bar, QEvent::MouseMove, to, modifiers);
    mouse(bar, QEvent::MouseButtonRelease, to, modifiers);
}

// A drag that tells the outline shown just before the release.
QRect dragShowing(TToolbar *bar, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    mouse(bar, QEvent::MouseButtonPress, from, modifiers);
    mouse(bar, QEvent::MouseMove, (from + to) / 2, modifiers);
    mouse(bar, QEvent::MouseMove, to, modifiers);
    const QRect outline = bar->dragOutline() ? bar->dragOutline()->outline() : QRect();
    mouse(bar, QEvent::MouseButtonRelease, to, modifiers);
    return outline;
}

// A double click as it arrives: press, release, double click, release.
void doubleClick(TToolbar *bar, QPoint global)
{
    mouse(bar, QEvent::MouseButtonPress, global);
    mouse(bar, QEvent::MouseButtonRelease, global);
    mouse(bar, QEvent::MouseButtonDblClick, global);
    mouse(bar, QEvent::MouseButtonRelease, global);
}

QPoint gripOf(const TToolbar *bar)
{
    return bar->mapToGlobal(QPoint(6, bar->height() / 2));
}

QPoint captionOf(const TToolbar *bar)
{
    return bar->mapToGlobal(FloatPlan::captionStrip(bar->size(), true).center());
}

int outlinesShown()
{
    int shown = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        shown += qobject_cast<DragOutline *>(window) && window->isVisible();
    return shown;
}

// A shown, active form with its top dock, away from the screen's edges.
struct ShownForm : DockedForm {
    explicit ShownForm(int buttonCount = 3)
        : DockedForm(TDock::dpTop, buttonCount)
    {
        form->move(150, 150);
        form->show();
        activate();
    }

    void activate()
    {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    QPoint middleOfScreen() const
    {
        return QGuiApplication::primaryScreen()->availableGeometry().center();
    }
};

TEST(FloatingToolbar, DoubleClicksFloatTheBarAndDockItAtTheStartOfRowZero)
{
    ShownForm shown;
    shown.bar->setDefaultDock(shown.dock);
    doubleClick(shown.bar, gripOf(shown.bar));
    ASSERT_EQ(shown.bar->dockedTo(), nullptr);
    EXPECT_TRUE(shown.bar->isWindow());
    EXPECT_TRUE(shown.bar->isVisible());
    EXPECT_EQ(shown.dock->height(), 0);
    EXPECT_EQ(outlinesShown(), 0);

    // Another bar took the dock meanwhile; the double-clicked one goes in
    // front of it.
    TToolbar *other = shown.addBar(2);
    other->setDockPos(60);
    doubleClick(shown.bar, captionOf(shown.bar));
    EXPECT_EQ(shown.bar->dockedTo(), shown.dock);
    EXPECT_EQ(shown.bar->dockRow(), 0);
    EXPECT_EQ(shown.bar->pos(), QPoint(0, 0));
    EXPECT_EQ(other->dockRow(), 0);
    EXPECT_EQ(other->x(), std::max(60, shown.bar->width()));
    EXPECT_EQ(shown.dock->height(), 26);
}

TEST(FloatingToolbar, TheFirstFloatOfABarAtTheScreensTopKeepsItsCaptionOnScreen)
{
    const struct {
        const char *what;
        std::function<void(TToolbar *)> floatIt;
    } cases[] = {
        {"a double click on the grip", [](TToolbar *bar) { doubleClick(bar, gripOf(bar)); }},
        {"a drag to the screen's top-right corner",
         [](TToolbar *bar) { drag(bar, gripOf(bar), bar->screen()->availableGeometry().topRight()); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // A form in the screen's corner: its docked bar stands closer to
        // the screen's top than a caption is high. The bar has never
        // floated.
        ShownForm shown;
        const QRect screen = shown.form->screen()->availableGeometry();
        shown.form->move(screen.topLeft());
        ASSERT_LT(shown.bar->mapToGlobal(QPoint(0, 0)).y() - screen.top(), FloatPlan::frameMargins().top());
        c.floatIt(shown.bar);
        ASSERT_EQ(shown.bar->dockedTo(), nullptr);
        EXPECT_TRUE(screen.contains(shown.bar->geometry())) << shown.bar->geometry().x() << ","
                                                            << shown.bar->geometry().y();
        EXPECT_EQ(shown.bar->floatingRect(), shown.bar->geometry());
        // The caption is where a press reaches it.
        EXPECT_TRUE(screen.contains(captionOf(shown.bar)));
    }
}

TEST(FloatingToolbar, TheFirstFloatByADoubleClickLeavesTheFormsMenuBarUncovered)
{
    const struct {
        const char *what;
        QPoint formAt; // from the screen's top-left
    } cases[] = {
        {"a form in the middle of the screen", {150, 150}},
        {"a form at the screen's top-left corner", {0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // A menu bar along the form's top, the dock right under it.
        ShownForm shown;
        auto *menuBar = new QMenuBar(shown.form.get());
        menuBar->addMenu(QStringLiteral("&Plik"));
        menuBar->setGeometry(0, 0, 400, 20);
        menuBar->show();
        shown.dock->move(0, 20);
        const QRect screen = shown.form->screen()->availableGeometry();
        shown.form->move(screen.topLeft() + c.formAt);
        const QRect menuOnScreen(menuBar->mapToGlobal(QPoint(0, 0)), menuBar->size());

        doubleClick(shown.bar, gripOf(shown.bar));
        ASSERT_EQ(shown.bar->dockedTo(), nullptr);
        const QRect floating = shown.bar->geometry();
        EXPECT_FALSE(floating.intersects(menuOnScreen)) << floating.x() << "," << floating.y();
        EXPECT_TRUE(screen.contains(floating));
        EXPECT_EQ(shown.bar->floatingRect(), floating);
    }
}

TEST(FloatingToolbar, ABarTheFormLeavesFloatingStaysWhereTheFormPutIt)
{
    const struct {
        const char *what;
        bool floatedBefore;
    } cases[] = {
        {"a bar that never floated", false},
        {"a bar that floated before by a drag", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ShownForm shown;
        auto *bar = new TToolbar(shown.form.get());
        new TToolbarButton(bar);
        bar->arrangeControls();
        if (c.floatedBefore) {
            bar->setDockedTo(shown.dock);
            drag(bar, gripOf(bar), shown.middleOfScreen());
            ASSERT_EQ(bar->dockedTo(), nullptr);
        }
        bar->move(300, 300);
        bar->setDockedTo(nullptr);
        EXPECT_EQ(bar->geometry().topLeft(), QPoint(300, 300));
        EXPECT_EQ(bar->floatingRect(), bar->geometry());
    }
}

TEST(FloatingToolbar, AMovedBarLandsWhereItsOutlineShowed)
{
    const struct {
        const char *what;
        bool floating;    // the bar floats in the middle of the screen first
        std::function<QPoint(const ShownForm &)> from;
        std::function<QPoint(const ShownForm &)> to;
        Qt::KeyboardModifiers modifiers;
        bool docks;
    } cases[] = {
        {"a caption drag to a free place", true, [](const ShownForm &s) { return captionOf(s.bar); },
         [](const ShownForm &s) { return s.middleOfScreen() + QPoint(-250, 120); }, Qt::NoModifier, false},
        {"a caption drag with Ctrl over the dock", true, [](const ShownForm &s) { return captionOf(s.bar); },
         [](const ShownForm &s) { return s.form->mapToGlobal(QPoint(200, 2)); }, Qt::ControlModifier, false},
        {"a caption drag onto the dock", true, [](const ShownForm &s) { return captionOf(s.bar); },
         [](const ShownForm &s) { return s.form->mapToGlobal(QPoint(160, 2)); }, Qt::NoModifier, true},
        {"a grip drag out of the dock", false, [](const ShownForm &s) { return gripOf(s.bar); },
         [](const ShownForm &s) { return s.middleOfScreen(); }, Qt::NoModifier, false},
        {"a grip drag along the dock", false, [](const ShownForm &s) { return gripOf(s.bar); },
         [](const ShownForm &s) { return gripOf(s.bar) + QPoint(120, 0); }, Qt::NoModifier, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ShownForm shown;
        if (c.floating) {
            drag(shown.bar, gripOf(shown.bar), shown.middleOfScreen());
            ASSERT_EQ(shown.bar->dockedTo(), nullptr);
        }
        const QRect before = QRect(shown.bar->mapToGlobal(QPoint(0, 0)), shown.bar->size());
        const QRect outline = dragShowing(shown.bar, c.from(shown), c.to(shown), c.modifiers);
        ASSERT_FALSE(outline.isEmpty());
        ASSERT_NE(outline.topLeft(), before.topLeft());
        if (c.docks) {
            ASSERT_EQ(shown.bar->dockedTo(), shown.dock);
            EXPECT_EQ(shown.bar->dockRow(), 0);
            // Along the dock where the outline was; across at its row.
            EXPECT_EQ(shown.bar->mapToGlobal(QPoint(0, 0)),
                      QPoint(outline.left(), shown.dock->mapToGlobal(QPoint(0, 0)).y()));
        } else {
            ASSERT_EQ(shown.bar->dockedTo(), nullptr);
            EXPECT_EQ(shown.bar->geometry(), outline);
            EXPECT_EQ(shown.bar->floatingRect(), outline);
            EXPECT_TRUE(shown.bar->isVisible());
        }
    }
}

TEST(FloatingToolbar, ABarFloatsAgainWhereItFloatedLast)
{
    ShownForm shown;
    shown.bar->setDefaultDock(shown.dock);
    const QPoint middle = shown.middleOfScreen();
    drag(shown.bar, gripOf(shown.bar), middle);
    const QRect floated = shown.bar->geometry();
    doubleClick(shown.bar, captionOf(shown.bar));
    ASSERT_EQ(shown.bar->dockedTo(), shown.dock);
    doubleClick(shown.bar, gripOf(shown.bar));
    ASSERT_EQ(shown.bar->dockedTo(), nullptr);
    EXPECT_EQ(shown.bar->geometry(), floated);
}

TEST(FloatingToolbar, ADefaultDockTheBarMayNotEnterLeavesItFloating)
{
    const struct {
        const char *what;
        TDock::TDockPosition position;
        bool allowDrag;
        bool canDockLeftRight;
    } cases[] = {
        {"a vertical dock without CanDockLeftRight", TDock::dpLeft, true, false},
        {"a dock without AllowDrag", TDock::dpTop, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ShownForm shown;
        TDock *target = shown.addDock(c.position);
        target->setAllowDrag(c.allowDrag);
        shown.bar->setCanDockLeftRight(c.canDockLeftRight);
        shown.bar->setDefaultDock(target);
        shown.bar->setDockedTo(nullptr);
        doubleClick(shown.bar, captionOf(shown.bar));
        EXPECT_EQ(shown.bar->dockedTo(), nullptr);
    }
}

TEST(FloatingToolbar, DraggingFloatsDocksAndCtrlKeepsItFloating)
{
    ShownForm shown;
    const QPoint middle = shown.middleOfScreen();
    drag(shown.bar, gripOf(shown.bar), middle);
    ASSERT_EQ(shown.bar->dockedTo(), nullptr);
    EXPECT_EQ(shown.dock->height(), 0);
    // The grab point keeps its place in the frame (6 of 82 becomes 6 of 90).
    const QPoint grab = middle - shown.bar->pos();
    EXPECT_EQ(grab.x(), FloatPlan::mulDiv(6, shown.bar->width() - 1, 81));
    EXPECT_TRUE(shown.bar->isVisible());

    // With Ctrl held it stays floating over the dock.
    const QPoint overDock = shown.form->mapToGlobal(QPoint(200, 2));
    drag(shown.bar, captionOf(shown.bar), overDock, Qt::ControlModifier);
    EXPECT_EQ(shown.bar->dockedTo(), nullptr);

    drag(shown.bar, captionOf(shown.bar), overDock - QPoint(100, 0));
    EXPECT_EQ(shown.bar->dockedTo(), shown.dock);
    EXPECT_EQ(shown.dock->height(), 26);
    EXPECT_EQ(shown.buttons.first()->pos(), QPoint(11, 2));
    EXPECT_EQ(outlinesShown(), 0);
}

TEST(FloatingToolbar, TheOutlineIsARingThatCtrlTurnsToTheFloatingFrame)
{
    ShownForm shown;
    const QPoint start = gripOf(shown.bar);
    mouse(shown.bar, QEvent::MouseButtonPress, start);
    ASSERT_EQ(shown.bar->tracking(), TToolbar::Tracking::Moving);
    const DragOutline *outline = shown.bar->dragOutline();
    ASSERT_NE(outline, nullptr);
    // Pressed over its own dock: the bar's own rectangle, one pixel thick.
    EXPECT_EQ(outline->outline(), QRect(shown.bar->mapToGlobal(QPoint(0, 0)), shown.bar->size()));
    EXPECT_EQ(outline->thickness(), 1);
    EXPECT_FALSE(outline->mask().contains(outline->rect().center()));

    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(shown.form.get(), &ctrl);
    EXPECT_EQ(outline->thickness(), FloatPlan::FrameWidth);
    QKeyEvent released(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(shown.form.get(), &released);
    EXPECT_EQ(outline->thickness(), 1);

    // A second left press gives up and leaves the bar where it was.
    mouse(shown.bar, QEvent::MouseMove, shown.middleOfScreen());
    mouse(shown.bar, QEvent::MouseButtonPress, shown.middleOfScreen());
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::None);
    EXPECT_EQ(outlinesShown(), 0);
    EXPECT_EQ(shown.bar->dockedTo(), shown.dock);
}

TEST(FloatingToolbar, ASeparatorStartsADragAndAButtonDoesNot)
{
    ShownForm shown(2);
    auto *separator = new TToolbarSep(shown.bar);
    separator->show();
    shown.bar->arrangeControls();
    QTest::mousePress(shown.buttons.first(), Qt::LeftButton);
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::None);
    QTest::mouseRelease(shown.buttons.first(), Qt::LeftButton);

    QTest::mousePress(separator, Qt::LeftButton);
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::Moving);
    mouse(shown.bar, QEvent::MouseButtonRelease, separator->mapToGlobal(QPoint(2, 2)));
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::None);

    // A dock without AllowDrag keeps its bars.
    shown.dock->setAllowDrag(false);
    QTest::mousePress(separator, Qt::LeftButton);
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::None);
}

TEST(FloatingToolbar, NarrowingFromTheRightEdgeWrapsTheBar)
{
    // Three buttons, a separator and two buttons.
    ShownForm shown(0);
    for (int i = 0; i < 5; ++i) {
        if (i == 3)
            new TToolbarSep(shown.bar);
        shown.buttons.append(new TToolbarButton(shown.bar));
    }
    for (QWidget *control : shown.bar->findChildren<QWidget *>())
        control->show();
    shown.bar->arrangeControls();
    shown.bar->setDockedTo(nullptr);
    ASSERT_EQ(shown.bar->clientRect().size(), QSize(129, 25));
    const QRect before = shown.bar->geometry();
    const QPoint rightEdge = shown.bar->mapToGlobal(QPoint(shown.bar->width() - 2, 30));

    // Within the snapping nothing changes.
    drag(shown.bar, rightEdge, rightEdge - QPoint(10, 0));
    EXPECT_EQ(shown.bar->geometry(), before);

    // While the edge is held only the outline shows the new size; the
    // controls stay where they are.
    const QPoint fourth = shown.buttons.at(3)->pos();
    mouse(shown.bar, QEvent::MouseButtonPress, rightEdge);
    mouse(shown.bar, QEvent::MouseMove, rightEdge - QPoint(40, 0));
    ASSERT_EQ(shown.bar->tracking(), TToolbar::Tracking::Sizing);
    EXPECT_EQ(shown.bar->dragOutline()->outline(),
              QRect(before.topLeft(), QSize(83, 53).grownBy(FloatPlan::frameMargins())));
    EXPECT_EQ(shown.buttons.at(3)->pos(), fourth);
    EXPECT_EQ(shown.bar->geometry(), before);
    mouse(shown.bar, QEvent::MouseButtonRelease, rightEdge - QPoint(40, 0));
    EXPECT_EQ(shown.bar->clientRect().size(), QSize(83, 53));
    EXPECT_EQ(shown.bar->lines().size(), 1u);
    EXPECT_EQ(shown.bar->geometry().topLeft(), before.topLeft());
    EXPECT_EQ(shown.buttons.at(3)->pos(), shown.bar->clientRect().topLeft() + QPoint(4, 30));

    // From the left edge the right edge stays.
    const QRect wrapped = shown.bar->geometry();
    const QPoint leftEdge = shown.bar->mapToGlobal(QPoint(1, 40));
    drag(shown.bar, leftEdge, leftEdge + QPoint(30, 0));
    EXPECT_EQ(shown.bar->clientRect().size(), QSize(54, 75));
    EXPECT_EQ(shown.bar->geometry().right(), wrapped.right());
    EXPECT_EQ(shown.bar->geometry().top(), wrapped.top());
}

TEST(FloatingToolbar, TheCloseSquareHidesOnlyWhenReleasedOverIt)
{
    ShownForm shown;
    int closes = 0;
    shown.bar->OnClose = [&closes](QObject *) { ++closes; };
    shown.bar->setDockedTo(nullptr);
    const QPoint square = shown.bar->mapToGlobal(FloatPlan::closeSquare(shown.bar->size()).center());

    mouse(shown.bar, QEvent::MouseButtonPress, square);
    EXPECT_TRUE(shown.bar->closePushed());
    mouse(shown.bar, QEvent::MouseMove, square + QPoint(40, 40));
    EXPECT_FALSE(shown.bar->closePushed());
    mouse(shown.bar, QEvent::MouseButtonRelease, square + QPoint(40, 40));
    EXPECT_TRUE(shown.bar->isVisible());
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::None);

    mouse(shown.bar, QEvent::MouseButtonPress, square);
    mouse(shown.bar, QEvent::MouseMove, square + QPoint(40, 40));
    mouse(shown.bar, QEvent::MouseMove, square);
    EXPECT_TRUE(shown.bar->closePushed());
    mouse(shown.bar, QEvent::MouseButtonRelease, square);
    EXPECT_FALSE(shown.bar->isVisible());
    EXPECT_FALSE(shown.bar->isVisibleSet());
    EXPECT_EQ(closes, 1);

    // Without the square that corner is caption.
    shown.bar->setVisible(true);
    shown.bar->setCloseButton(false);
    mouse(shown.bar, QEvent::MouseButtonPress, square);
    EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::Moving);
}

TEST(FloatingToolbar, FloatingBarsHideWithTheProgramAndTheirForm)
{
    ShownForm shown;
    shown.bar->setDockedTo(nullptr);
    ASSERT_TRUE(shown.bar->isVisible());
    const QRect place = shown.bar->geometry();
    const struct {
        const char *what;
        std::function<void()> away;
        std::function<void()> back;
    } cases[] = {
        {"the program loses the focus",
         [] { emit qApp->applicationStateChanged(Qt::ApplicationInactive); },
         [] { emit qApp->applicationStateChanged(Qt::ApplicationActive); }},
        {"the form is hidden", [&shown] { shown.form->hide(); },
         [&shown] {
             shown.form->show();
             shown.activate();
         }},
        {"the form is minimised", [&shown] { shown.form->showMinimized(); },
         [&shown] {
             shown.form->showNormal();
             shown.activate();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.away();
        EXPECT_FALSE(shown.bar->isVisible());
        EXPECT_TRUE(shown.bar->isFloatHidden());
        EXPECT_TRUE(shown.bar->isVisibleSet());
        // Hidden where it is, not moved off to the left.
        EXPECT_EQ(shown.bar->geometry(), place);
        c.back();
        EXPECT_TRUE(shown.bar->isVisible());
    }

    // A bar closed meanwhile stays closed when the program comes back.
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    shown.bar->setVisible(false);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_FALSE(shown.bar->isVisible());
}

TEST(FloatingToolbar, ADragEndsWhenItsWorldGoesAway)
{
    const struct {
        const char *what;
        std::function<void(ShownForm &, TDock *other)> away;
    } cases[] = {
        {"the program loses the focus",
         [](ShownForm &, TDock *) { emit qApp->applicationStateChanged(Qt::ApplicationInactive); }},
        {"a dock goes away", [](ShownForm &, TDock *other) { delete other; }},
        {"the bar is hidden", [](ShownForm &shown, TDock *) { shown.bar->setVisible(false); }},
        {"the bar is moved by code", [](ShownForm &shown, TDock *) { shown.bar->setDockedTo(nullptr); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ShownForm shown;
        TDock *other = shown.addDock(TDock::dpBottom);
        other->show();
        mouse(shown.bar, QEvent::MouseButtonPress, gripOf(shown.bar));
        mouse(shown.bar, QEvent::MouseMove, shown.middleOfScreen());
        ASSERT_EQ(outlinesShown(), 1);
        c.away(shown, other);
        EXPECT_EQ(shown.bar->tracking(), TToolbar::Tracking::None);
        EXPECT_EQ(outlinesShown(), 0);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
        // The release that follows changes nothing.
        const TDock *before = shown.bar->dockedTo();
        mouse(shown.bar, QEvent::MouseButtonRelease, shown.middleOfScreen());
        EXPECT_EQ(shown.bar->dockedTo(), before);
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
    }
}

TEST(FloatingToolbar, ABarDestroyedDuringADragLeavesNothingBehind)
{
    ShownForm shown;
    mouse(shown.bar, QEvent::MouseButtonPress, gripOf(shown.bar));
    mouse(shown.bar, QEvent::MouseMove, shown.middleOfScreen());
    ASSERT_EQ(outlinesShown(), 1);
    delete shown.bar;
    EXPECT_EQ(outlinesShown(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    // Keys and the dock's own life go on without it.
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(shown.form.get(), &ctrl);
    EXPECT_EQ(shown.dock->height(), 0);
}

TEST(FloatingToolbar, TheFrameCaptionAndCloseSquareArePainted)
{
    ShownForm shown;
    shown.bar->setCaption(QStringLiteral("Pasek"));
    shown.bar->setDockedTo(nullptr);
    EXPECT_EQ(shown.bar->shownCaption(), QStringLiteral("Pasek"));
    const QImage image = shown.bar->grab().toImage();
    image.save(QDir(TestSupport::outputDir()).filePath(QStringLiteral("floating_toolbar.png")));
    const QPalette palette = shown.bar->palette();
    const QRgb caption = palette.color(QPalette::Active, QPalette::Highlight).rgb();
    EXPECT_EQ(image.pixel(0, 0), palette.color(QPalette::Light).rgb());
    EXPECT_EQ(image.pixel(FloatPlan::FrameWidth, FloatPlan::FrameWidth), caption);
    // The close square is framed in the caption colour.
    const QRect square = FloatPlan::closeSquare(shown.bar->size());
    EXPECT_EQ(image.pixel(square.topRight()), caption);
    EXPECT_EQ(image.pixel(square.center() + QPoint(4, 0)), palette.color(QPalette::Button).rgb());

    // A caption too long for the strip ends in "...".
    const QString long_ = QStringLiteral("Pasek narzędziowy z bardzo długim podpisem");
    shown.bar->setCaption(long_);
    const QString cut = shown.bar->shownCaption();
    EXPECT_TRUE(cut.endsWith(QStringLiteral("..."))) << cut.toStdString();
    EXPECT_TRUE(long_.startsWith(cut.chopped(3)));
    EXPECT_LT(cut.size(), long_.size());
}

} // namespace
