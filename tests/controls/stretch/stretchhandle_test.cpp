#include "stretch/stretchhandle.h"

#include "testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace {

// ---- the pure geometry -----------------------------------------------------

// The control at (50, 40), 100 x 40, sits in the frame (48, 38, 105, 45).
const QRect kFrame(48, 38, 105, 45);

QRect frameOf(int left, int top, int width, int height)
{
    return QRect(left - 2, top - 2, width + 5, height + 5);
}

TEST(StretchGeometry, NewFrameForEveryGrabPointAndGrid)
{
    const struct {
        const char *what;
        TGrabPoint grab;
        QPoint pointer;
        int grid;
        QRect expected;  // the frame around the control's new bounds
    } cases[] = {
        {"move right 10 on grid 1 moves exactly 10", gpMove, {60, 20}, 1, frameOf(60, 40, 100, 40)},
        {"move down-left", gpMove, {43, 27}, 1, frameOf(43, 47, 100, 40)},
        {"move on grid 8 snaps the control's left down", gpMove, {60, 25}, 8, frameOf(56, 40, 100, 40)},
        {"move past zero snaps towards zero", gpMove, {-5, -33}, 8, frameOf(0, -8, 100, 40)},
        {"bottom-right grows by the drag", gpBottomRight, {60, 27}, 1, frameOf(50, 40, 110, 47)},
        {"right edge on grid 8 snaps the right edge", gpRight, {57, 20}, 8, frameOf(50, 40, 102, 40)},
        {"top-left shrinks from the corner", gpTopLeft, {60, 25}, 1, frameOf(60, 45, 90, 35)},
        {"top-right", gpTopRight, {45, 10}, 1, frameOf(50, 30, 95, 50)},
        {"bottom-left", gpBottomLeft, {40, 30}, 1, frameOf(40, 40, 110, 50)},
        {"top edge keeps the width", gpTop, {90, 15}, 1, frameOf(50, 35, 100, 45)},
        {"left edge keeps the height", gpLeft, {40, 90}, 1, frameOf(40, 40, 110, 40)},
        {"bottom edge", gpBottom, {0, 23}, 1, frameOf(50, 40, 100, 43)},
        {"left edge past the right edge stops 1 short", gpLeft, {400, 20}, 1, frameOf(149, 40, 1, 40)},
        {"bottom-right far up-left gives 1 x 1", gpBottomRight, {-500, -500}, 1, frameOf(50, 40, 1, 1)},
        {"top edge past the bottom stops 1 short", gpTop, {50, 300}, 8, frameOf(50, 79, 100, 1)},
        {"no movement, no change", gpBottomRight, {50, 20}, 1, kFrame},
        {"grid 8 snaps an unaligned edge even unmoved", gpRight, {50, 20}, 8, frameOf(50, 40, 94, 40)},
    };
    const QPoint origin(50, 20);
    for (const auto &c : cases)
        EXPECT_EQ(stretchedFrame(c.grab, c.pointer, origin, kFrame, c.grid, c.grid), c.expected)
            << c.what;
}

TEST(StretchGeometry, PointerStaysInsideTheParent)
{
    const QSize area(300, 200);
    const struct {
        QPoint pointer;
        QPoint expected;
    } cases[] = {
        {{10, 10}, {10, 10}},
        {{-60, -50}, {-48, -38}},    // parent point (0, 0)
        {{400, 300}, {252, 162}},    // parent point (300, 200)
    };
    for (const auto &c : cases)
        EXPECT_EQ(clampedPointer(c.pointer, kFrame, area), c.expected) << c.pointer.x();
}

TEST(StretchGeometry, GrabPointsNearCornersAndEdgeMiddles)
{
    const QSize size(105, 45);
    const struct {
        QPoint pos;
        TGrabPoint expected;
    } cases[] = {
        {{0, 0}, gpTopLeft},     {{7, 7}, gpTopLeft},      {{8, 0}, gpMove},
        {{105, 45}, gpBottomRight}, {{104, 1}, gpTopRight}, {{2, 44}, gpBottomLeft},
        {{52, 0}, gpTop},        {{45, 44}, gpBottom},     {{1, 22}, gpLeft},
        {{103, 23}, gpRight},    {{50, 22}, gpMove},       {{30, 2}, gpMove},
    };
    for (const auto &c : cases)
        EXPECT_EQ(grabPointAt(c.pos, size), c.expected) << c.pos.x() << "," << c.pos.y();
    // On a tiny frame the later tests win: the right edge middle.
    EXPECT_EQ(grabPointAt({5, 5}, QSize(10, 10)), gpRight);
}

// ---- the frame on a surface --------------------------------------------------

// Counts the presses a widget receives, by button.
class PressCounter : public QObject
{
public:
    int left = 0;
    int right = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto button = static_cast<QMouseEvent *>(event)->button();
            left += button == Qt::LeftButton;
            right += button == Qt::RightButton;
        }
        return false;
    }
};

// A design surface with two edits to select and one lying between them.
struct Surface
{
    QWidget owner;
    QWidget form;
    QLineEdit *first = new QLineEdit(QStringLiteral("first"), &form);
    QLineEdit *second = new QLineEdit(QStringLiteral("second"), &form);
    QLineEdit *between = new QLineEdit(QStringLiteral("between"), &form);
    TStretchHandle *handle = new TStretchHandle(&owner);
    int moved = 0;
    int resized = 0;
    QObject *sender = nullptr;

    Surface()
    {
        form.resize(320, 220);
        first->setGeometry(50, 40, 100, 40);
        second->setGeometry(200, 150, 80, 30);
        between->setGeometry(160, 100, 30, 20);
        // Right clicks are counted, not answered with the edit's own menu.
        for (QLineEdit *edit : {first, second, between})
            edit->setContextMenuPolicy(Qt::NoContextMenu);
        handle->setColor(Platform::clGreen);
        handle->OnMoved = [this](QObject *s) { ++moved; sender = s; };
        handle->OnResized = [this](QObject *s) { ++resized; sender = s; };
        form.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(handle, Qt::LeftButton, {}, from);
        QTest::mouseMove(handle, to);
        QTest::mouseRelease(handle, Qt::LeftButton, {}, to);
    }

    QImage grab() { return form.grab().toImage(); }
};

TEST(StretchHandle, StartsHiddenAndFramesOneControlThenTwo)
{
    Surface s;
    EXPECT_FALSE(s.handle->isVisible());
    EXPECT_FALSE(s.handle->isEnabled());
    EXPECT_EQ(s.handle->size(), QSize(24, 24));
    EXPECT_EQ(s.handle->gridX(), 1);
    EXPECT_FALSE(s.handle->snapToGrid());

    EXPECT_EQ(s.handle->attach(s.first), s.first);
    EXPECT_EQ(s.handle->parentWidget(), &s.form);
    EXPECT_TRUE(s.handle->isVisible());
    EXPECT_TRUE(s.handle->isEnabled());
    EXPECT_EQ(s.handle->geometry(), kFrame);

    EXPECT_EQ(s.handle->attach(s.second), s.second);
    EXPECT_EQ(s.handle->attach(s.second), s.second);  // already there
    EXPECT_EQ(s.handle->selectedCount(), 2);
    EXPECT_EQ(s.handle->geometry(), QRect(48, 38, 235, 145));
    EXPECT_EQ(s.first->geometry(), QRect(50, 40, 100, 40));
    EXPECT_EQ(s.handle->selected(1), s.second);
    EXPECT_EQ(s.handle->selected(2), nullptr);
    EXPECT_EQ(s.handle->selected(-1), nullptr);

    s.handle->detach(s.first);
    EXPECT_EQ(s.handle->geometry(), QRect(198, 148, 85, 35));
    s.handle->setLocked(true);
    s.handle->detachAll();
    EXPECT_EQ(s.handle->selectedCount(), 0);
    EXPECT_FALSE(s.handle->isVisible());
    EXPECT_FALSE(s.handle->locked());
    EXPECT_EQ(s.handle->parentWidget(), &s.owner);
    EXPECT_EQ(s.handle->size(), QSize(24, 24));
}

TEST(StretchHandle, RefusesWindowsAndDropsASelectionOfAnotherParent)
{
    Surface s;
    QWidget window;
    EXPECT_EQ(s.handle->attach(&window), nullptr);
    EXPECT_EQ(s.handle->attach(nullptr), nullptr);
    EXPECT_EQ(s.handle->selectedCount(), 0);

    QWidget other(&s.form);
    other.setGeometry(0, 0, 300, 200);
    auto *inner = new QLineEdit(&other);
    inner->setGeometry(10, 10, 50, 20);
    s.handle->attach(s.first);
    s.handle->attach(s.second);
    s.handle->attach(inner);
    EXPECT_EQ(s.handle->selectedControls(), QList<QWidget *>{inner});
    EXPECT_EQ(s.handle->parentWidget(), &other);
}

TEST(StretchHandle, DestroyedControlLeavesTheSelection)
{
    Surface s;
    s.handle->attach(s.first);
    s.handle->attach(s.second);
    delete s.second;
    EXPECT_EQ(s.handle->selectedControls(), QList<QWidget *>{s.first});
    EXPECT_EQ(s.handle->geometry(), kFrame);
    delete s.first;
    EXPECT_EQ(s.handle->selectedCount(), 0);
    EXPECT_FALSE(s.handle->isVisible());
}

TEST(StretchHandle, DragMovesExactlyAndReportsMovedOnce)
{
    Surface s;
    s.handle->attach(s.first);
    QTest::mousePress(s.handle, Qt::LeftButton, {}, {50, 20});
    QTest::mouseMove(s.handle, {60, 20});
    EXPECT_TRUE(s.handle->isDragging());
    EXPECT_EQ(s.handle->bandRect(), frameOf(60, 40, 100, 40));
    EXPECT_EQ(s.first->x(), 50);  // only the band moves during the drag
    QTest::mouseRelease(s.handle, Qt::LeftButton, {}, {60, 20});

    EXPECT_FALSE(s.handle->isDragging());
    EXPECT_TRUE(s.handle->bandRect().isNull());
    EXPECT_EQ(s.first->geometry(), QRect(60, 40, 100, 40));
    EXPECT_EQ(s.handle->geometry(), frameOf(60, 40, 100, 40));
    EXPECT_EQ(s.moved, 1);
    EXPECT_EQ(s.resized, 0);
    EXPECT_EQ(s.sender, s.handle);

    // A move along one axis is a move too.
    s.drag({50, 20}, {50, 35});
    EXPECT_EQ(s.first->geometry(), QRect(60, 55, 100, 40));
    EXPECT_EQ(s.moved, 2);
}

// Selects the control it watches when the control is pressed, as the
// designer's surface does.
class SelectOnPress : public QObject
{
public:
    explicit SelectOnPress(TStretchHandle *handle) : m_handle(handle) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            m_handle->attach(static_cast<QWidget *>(watched));
        return false;
    }

private:
    TStretchHandle *m_handle;
};

TEST(StretchHandle, DragStartedOnAnUnselectedControlMovesIt)
{
    Surface s;
    SelectOnPress selector(s.handle);
    s.second->installEventFilter(&selector);
    QWindow *window = s.form.windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, {210, 160});
    EXPECT_EQ(s.handle->selectedControls(), QList<QWidget *>{s.second});
    EXPECT_EQ(QWidget::mouseGrabber(), s.handle);
    QTest::mouseMove(window, {215, 165});
    QTest::mouseMove(window, {230, 170});
    QTest::mouseRelease(window, Qt::LeftButton, {}, {230, 170});
    EXPECT_EQ(s.second->geometry(), QRect(215, 155, 80, 30));  // from the first move on
    EXPECT_EQ(s.moved, 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);  // the grab ends with the button

    // A right click that selects ends its grab on release too.
    s.first->installEventFilter(&selector);
    QTest::mousePress(window, Qt::RightButton, {}, {60, 50});
    EXPECT_EQ(QWidget::mouseGrabber(), s.handle);
    QTest::mouseRelease(window, Qt::RightButton, {}, {60, 50});
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(s.first->geometry(), QRect(50, 40, 100, 40));
}

TEST(StretchHandle, ReleaseWhereThePressWasFiresNothing)
{
    Surface s;
    s.handle->attach(s.first);
    s.drag({50, 20}, {50, 20});
    // On grid 8 a small drag snaps back to where the control already is.
    s.handle->setSnapToGrid(true);
    s.first->move(48, 40);
    s.handle->detachAll();
    s.handle->attach(s.first);
    s.drag({50, 20}, {53, 22});
    EXPECT_EQ(s.first->geometry(), QRect(48, 40, 100, 40));
    EXPECT_EQ(s.moved + s.resized, 0);
}

TEST(StretchHandle, GrabPointResizesASingleControl)
{
    Surface s;
    s.handle->attach(s.first);
    QTest::mouseMove(s.handle, {101, 42});
    EXPECT_EQ(s.handle->grabPoint(), gpBottomRight);
    EXPECT_EQ(s.handle->cursor().shape(), Qt::SizeFDiagCursor);
    s.drag({101, 42}, {111, 49});
    EXPECT_EQ(s.first->geometry(), QRect(50, 40, 110, 47));
    EXPECT_EQ(s.resized, 1);
    EXPECT_EQ(s.moved, 0);

    // Two controls can only be moved.
    s.handle->attach(s.second);
    QTest::mouseMove(s.handle, {2, 2});
    EXPECT_EQ(s.handle->grabPoint(), gpMove);
}

TEST(StretchHandle, LockedSelectionStaysPut)
{
    Surface s;
    s.handle->attach(s.first);
    s.handle->setLocked(true);
    QTest::mouseMove(s.handle, {101, 42});
    EXPECT_EQ(s.handle->cursor().shape(), Qt::ForbiddenCursor);
    s.drag({101, 42}, {150, 80});
    QTest::keyClick(s.handle, Qt::Key_Right);
    s.handle->setBounds(0, 0, 50, 50);
    EXPECT_EQ(s.first->geometry(), QRect(50, 40, 100, 40));
    EXPECT_EQ(s.moved + s.resized, 0);
}

TEST(StretchHandle, ArrowKeysMoveAndShiftArrowsResizeNeverBelowOnePixel)
{
    Surface s;
    s.handle->attach(s.first);
    s.handle->attach(s.second);
    int keyDowns = 0;
    s.handle->OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) {
        keyDowns += key != Qt::Key_Shift;
    };
    QTest::keyClick(s.handle, Qt::Key_Right);
    QTest::keyClick(s.handle, Qt::Key_Up);
    EXPECT_EQ(s.first->geometry(), QRect(51, 39, 100, 40));
    EXPECT_EQ(s.second->geometry(), QRect(201, 149, 80, 30));
    QTest::keyClick(s.handle, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(s.handle, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(s.first->geometry(), QRect(51, 39, 101, 39));
    EXPECT_EQ(s.second->geometry(), QRect(201, 149, 81, 29));
    EXPECT_EQ(keyDowns, 4);
    EXPECT_EQ(s.moved + s.resized, 0);

    s.handle->detach(s.second);
    s.first->resize(2, 1);
    s.handle->detachAll();
    s.handle->attach(s.first);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(s.handle, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(s.handle, Qt::Key_Up, Qt::ShiftModifier);
    }
    EXPECT_EQ(s.first->size(), QSize(1, 1));
    EXPECT_EQ(s.handle->geometry(), frameOf(51, 39, 1, 1));
}

TEST(StretchHandle, ClicksOutsideTheSelectionReachTheControlBeneath)
{
    Surface s;
    s.handle->attach(s.first);
    s.handle->attach(s.second);
    PressCounter onBetween;
    s.between->installEventFilter(&onBetween);
    const QPoint betweenPoint(170, 110);
    ASSERT_TRUE(s.handle->geometry().contains(betweenPoint));

    // Through the window, as a real click arrives.
    QTest::mousePress(s.form.windowHandle(), Qt::RightButton, {}, betweenPoint);
    QTest::mouseRelease(s.form.windowHandle(), Qt::RightButton, {}, betweenPoint);
    EXPECT_EQ(onBetween.right, 1);

    // A press the frame does receive (its mouse held) is passed on.
    const QPointF local = betweenPoint - s.handle->pos();
    QMouseEvent press(QEvent::MouseButtonPress, local, local, s.handle->mapToGlobal(local),
                      Qt::RightButton, Qt::RightButton, {});
    QCoreApplication::sendEvent(s.handle, &press);
    EXPECT_EQ(onBetween.right, 2);

    // A press on a selected control stays with the frame.
    int downs = 0;
    s.handle->OnMouseDown = [&](QObject *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ++downs; };
    QTest::mousePress(s.form.windowHandle(), Qt::RightButton, {}, QPoint(60, 50));
    QTest::mouseRelease(s.form.windowHandle(), Qt::RightButton, {}, QPoint(60, 50));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(onBetween.right, 2);
}

TEST(StretchHandle, PassedOnPressGoesToTheTopmostControl)
{
    Surface s;
    auto *below = new QLineEdit(&s.form);
    auto *above = new QLineEdit(&s.form);
    below->setGeometry(60, 120, 30, 20);
    above->setGeometry(70, 125, 30, 20);
    below->show();
    above->show();
    s.handle->attach(s.first);
    s.handle->attach(s.second);
    PressCounter onBelow, onAbove;
    below->installEventFilter(&onBelow);
    above->installEventFilter(&onAbove);
    const QPoint both(75, 130);
    ASSERT_TRUE(s.handle->geometry().contains(both));
    const QPointF local = both - s.handle->pos();
    QMouseEvent press(QEvent::MouseButtonPress, local, local, s.handle->mapToGlobal(local),
                      Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(s.handle, &press);
    EXPECT_EQ(onAbove.left, 1);
    EXPECT_EQ(onBelow.left, 0);
    EXPECT_EQ(s.moved + s.resized, 0);
}

TEST(StretchHandle, PictureOfOneAndTwoSelectedControls)
{
    Surface s;
    s.handle->attach(s.first);
    const QImage one = s.grab();
    const QColor green = Platform::toQColor(Platform::clGreen);
    // Corner and edge-middle squares in the colour of a single selection.
    EXPECT_EQ(one.pixelColor(49, 39), green);
    EXPECT_EQ(one.pixelColor(151, 81), green);
    EXPECT_EQ(one.pixelColor(100, 39), green);
    EXPECT_EQ(one.pixelColor(49, 60), green);

    s.handle->attach(s.second);
    const QImage two = s.grab();
    const QColor gray = Platform::toQColor(Platform::clGray);
    EXPECT_EQ(two.pixelColor(49, 39), gray);
    EXPECT_EQ(two.pixelColor(281, 181), gray);
    EXPECT_NE(two.pixelColor(100, 39), gray);  // no edge middles for two

    QImage picture(one.width() * 2 + 10, one.height(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage(0, 0, one);
    painter.drawImage(one.width() + 10, 0, two);
    painter.end();
    EXPECT_TRUE(picture.save(TestSupport::outputDir() + QStringLiteral("/stretch_handle.png")));
}

} // namespace
