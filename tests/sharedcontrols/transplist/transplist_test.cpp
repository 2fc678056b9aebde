#include "transplist/transplist.h"

#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace Platform;

void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease || type == QEvent::MouseMove
                                      ? Qt::NoButton
                                      : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget *widget, QPoint at)
{
    sendMouse(widget, QEvent::MouseButtonPress, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
}

void waitMs(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("Line %1").arg(i);
    return lines;
}

// A list of `lines` lines that shows `rows` whole rows (plus some pixels
// below them, less than a row).
class TranspListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        font.setStyleStrategy(QFont::NoAntialias);
        list.setFont(font);
        list.onClick = [this](TTranspList *sender) {
            EXPECT_EQ(sender, &list);
            clicks.push_back(list.itemIndex());
        };
        list.onMouseDown = [this](TTranspList *, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            ++mouseDowns;
        };
    }

    void fill(int lines, int rows)
    {
        list.resize(160, rows * (list.rowHeight() + 2) + list.rowHeight() - 1);
        list.setItems(numberedLines(lines));
        ASSERT_EQ(list.visibleCount(), rows);
    }

    QPoint rowPoint(int row) const { return {20, row * list.rowHeight() + list.rowHeight() / 2 + 2}; }
    QPoint upArrow() const { return {list.width() - 5, 10}; }
    QPoint downArrow() const { return {list.width() - 5, list.height() - 10}; }

    TTranspList list;
    std::vector<int> clicks;
    int mouseDowns = 0;
};

// ---- Scrolling ---------------------------------------------------------------------

TEST_F(TranspListTest, ArrowsScrollOneStepBetweenTheEnds)
{
    fill(20, 5);
    click(&list, downArrow());
    EXPECT_EQ(list.topIndex(), 1);
    click(&list, upArrow());
    EXPECT_EQ(list.topIndex(), 0);
    EXPECT_EQ(mouseDowns, 0); // arrow presses skip OnMouseDown
    EXPECT_EQ(clicks.size(), 2u); // the release still clicks

    for (int i = 0; i < 30; ++i)
        list.scrollDown(false);
    EXPECT_EQ(list.topIndex(), 20 - 1 - 5); // the last line on the last whole row
    for (int i = 0; i < 30; ++i)
        list.scrollUp(false);
    EXPECT_EQ(list.topIndex(), 0);
}

TEST_F(TranspListTest, LargerStepsStayBetweenTheEnds)
{
    fill(20, 5);
    for (int step : {2, 3, 4, 7, 50}) {
        SCOPED_TRACE(step);
        list.setIncrase(step);
        std::vector<int> seen;
        for (int i = 0; i < 10; ++i) {
            list.scrollDown(false);
            seen.push_back(list.topIndex());
        }
        EXPECT_EQ(list.topIndex(), 14);
        for (int i = 0; i < 10; ++i) {
            list.scrollUp(false);
            seen.push_back(list.topIndex());
        }
        EXPECT_EQ(list.topIndex(), 0);
        for (int top : seen) {
            EXPECT_GE(top, 0);
            EXPECT_LE(top, 14);
        }
    }
}

TEST_F(TranspListTest, AListThatFitsGoesBackToTheTop)
{
    fill(8, 5);
    list.scrollDown(false);
    list.scrollDown(false);
    ASSERT_EQ(list.topIndex(), 2);
    list.resize(list.width(), 400);
    list.drawItems(list.topIndex());
    EXPECT_EQ(list.topIndex(), 0);
    list.scrollDown(false);
    EXPECT_EQ(list.topIndex(), 0);
}

TEST_F(TranspListTest, HoldingAnArrowRepeatsEvery100msUntilRelease)
{
    fill(40, 5);
    sendMouse(&list, QEvent::MouseButtonPress, downArrow());
    EXPECT_EQ(list.topIndex(), 1); // one step at once
    // The ticks use the press point, wherever the mouse goes.
    sendMouse(&list, QEvent::MouseMove, rowPoint(1));
    waitMs(360);
    const int held = list.topIndex();
    EXPECT_GE(held, 3);
    EXPECT_LE(held, 5);

    sendMouse(&list, QEvent::MouseButtonRelease, downArrow());
    waitMs(250);
    EXPECT_EQ(list.topIndex(), held);

    // Held long enough, it stops at the end.
    list.setIncrase(10);
    sendMouse(&list, QEvent::MouseButtonPress, downArrow());
    waitMs(450);
    sendMouse(&list, QEvent::MouseButtonRelease, downArrow());
    EXPECT_EQ(list.topIndex(), 40 - 1 - 5);
}

TEST_F(TranspListTest, PressesOutsideTheArrowHalvesDoNotScroll)
{
    fill(20, 5);
    list.scrollDown(false);
    for (QPoint at : {QPoint(list.width() - 5, list.height() / 2), QPoint(list.width() - 5, 0)}) {
        sendMouse(&list, QEvent::MouseButtonPress, at);
        waitMs(150);
        sendMouse(&list, QEvent::MouseButtonRelease, at);
        EXPECT_EQ(list.topIndex(), 1);
    }
    EXPECT_EQ(mouseDowns, 2);
}

// ---- Selection -----------------------------------------------------------------------

TEST_F(TranspListTest, AClickSelectsTheDrawnLineUnderIt)
{
    fill(20, 5);
    list.scrollDown(false);
    click(&list, rowPoint(2));
    EXPECT_EQ(list.itemIndex(), 3);
    EXPECT_EQ(clicks, std::vector<int>{3});
    EXPECT_EQ(mouseDowns, 1);

    // The extra row drawn below the whole rows can be hit...
    click(&list, rowPoint(5));
    EXPECT_EQ(list.itemIndex(), 6);
    // ...the band below it cannot.
    click(&list, {20, 6 * list.rowHeight() + 3});
    EXPECT_EQ(list.itemIndex(), 6);
}

TEST_F(TranspListTest, AClickBelowTheLastLineKeepsTheSelection)
{
    fill(3, 5);
    click(&list, rowPoint(1));
    click(&list, rowPoint(4));
    EXPECT_EQ(list.itemIndex(), 1);
}

TEST_F(TranspListTest, AnEmptyListOnlyPassesPressesOn)
{
    list.resize(160, 100);
    sendMouse(&list, QEvent::MouseButtonPress, QPoint(list.width() - 5, list.height() - 10));
    sendMouse(&list, QEvent::MouseButtonRelease, QPoint(list.width() - 5, list.height() - 10));
    click(&list, rowPoint(0));
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(mouseDowns, 2);
}

TEST_F(TranspListTest, KeysMoveTheSelectionAndClick)
{
    fill(8, 3);
    list.scrollUp(true); // nothing selected
    list.scrollDown(true);
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_TRUE(clicks.empty());

    list.setItemIndex(2);
    list.scrollDown(true);
    EXPECT_EQ(list.itemIndex(), 3);
    EXPECT_EQ(list.topIndex(), 0); // line 3 is the extra row
    list.scrollDown(true);
    EXPECT_EQ(list.itemIndex(), 4);
    EXPECT_EQ(list.topIndex(), 1);
    EXPECT_EQ(clicks, (std::vector<int>{3, 4}));

    list.setItemIndex(7);
    clicks.clear();
    list.scrollDown(true); // last line selected
    EXPECT_EQ(list.itemIndex(), 7);
    EXPECT_TRUE(clicks.empty());

    list.setItemIndex(1);
    list.scrollUp(true);
    EXPECT_EQ(list.itemIndex(), 0);
    EXPECT_EQ(list.topIndex(), 0);
    list.scrollUp(true);
    EXPECT_EQ(clicks, std::vector<int>{0});
}

TEST_F(TranspListTest, ASortedListKeepsOneOfEachLineInOrder)
{
    list.setSorted(true);
    EXPECT_EQ(list.addItem(QStringLiteral("pear")), 0);
    EXPECT_EQ(list.addItem(QStringLiteral("Apple")), 0);
    EXPECT_EQ(list.addItem(QStringLiteral("cherry")), 1);
    EXPECT_EQ(list.addItem(QStringLiteral("PEAR")), 2);
    EXPECT_EQ(list.items(), (QStringList{"Apple", "cherry", "pear"}));

    list.setItemIndex(1);
    list.clearItems();
    EXPECT_TRUE(list.items().isEmpty());
    EXPECT_EQ(list.itemIndex(), -1);
}

TEST_F(TranspListTest, TheArrowStripShowsScrollCursors)
{
    fill(20, 5);
    sendMouse(&list, QEvent::MouseMove, upArrow());
    EXPECT_EQ(list.cursor().pixmap().toImage(), TTranspList::scrollUpCursor().pixmap().toImage());
    sendMouse(&list, QEvent::MouseMove, downArrow());
    EXPECT_EQ(list.cursor().pixmap().toImage(), TTranspList::scrollDownCursor().pixmap().toImage());
    sendMouse(&list, QEvent::MouseMove, rowPoint(1));
    EXPECT_EQ(list.cursor().shape(), Qt::ArrowCursor);
}

// ---- Pixels -------------------------------------------------------------------

const QColor backdrop(30, 60, 120);

QImage render(QWidget &widget, const QRegion &area = QRegion())
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(backdrop);
    widget.render(&image, QPoint(), area, QWidget::DrawChildren);
    return image;
}

int countColor(const QImage &image, const QRect &area, const QColor &color)
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += image.pixelColor(x, y) == color;
    return found;
}

// Leftmost and rightmost columns holding a colour within rows.
std::pair<int, int> columnsOf(const QImage &image, int top, int bottom, const QColor &color)
{
    int left = image.width(), right = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == color) {
                left = qMin(left, x);
                right = qMax(right, x);
            }
    return {left, right};
}

TEST_F(TranspListTest, RendersLinesSelectionAndArrowsOverTheBackground)
{
    fill(12, 5);
    list.setTransparent(true);
    list.setFontColor(clWhite);
    list.setItemIndex(1);
    const int rh = list.rowHeight();
    const QColor white(Qt::white), yellow(Qt::yellow);

    QImage image = render(list);
    image.save(TestSupport::outputDir() + QStringLiteral("/transplist.png"));
    EXPECT_GT(countColor(image, QRect(0, 2, 100, rh), white), 0);
    EXPECT_EQ(countColor(image, QRect(0, 2, 100, rh), yellow), 0);
    EXPECT_GT(countColor(image, QRect(0, rh + 2, 100, rh), yellow), 0);
    EXPECT_EQ(image.pixelColor(list.width() - 1, list.height() / 2), backdrop); // transparent
    EXPECT_EQ(image.pixelColor(list.width() - 8, list.height() - 3), yellow);   // down arrow tip
    EXPECT_EQ(countColor(image, QRect(list.width() - 15, 0, 15, 32), yellow), 0); // no up arrow

    for (int i = 0; i < 10; ++i)
        list.scrollDown(false);
    image = render(list);
    EXPECT_GT(countColor(image, QRect(list.width() - 15, 0, 15, 32), yellow), 0);
    EXPECT_EQ(countColor(image, QRect(list.width() - 15, list.height() - 32, 15, 32), yellow), 0);

    list.setTransparent(false);
    list.setColor(clGreen);
    EXPECT_EQ(render(list).pixelColor(list.width() - 1, list.height() / 2), QColor(0, 128, 0));
}

TEST_F(TranspListTest, AlignmentFollowsTheControlNotThePaintedArea)
{
    fill(3, 5);
    list.setTransparent(true);
    list.setFontColor(clWhite);
    const QColor white(Qt::white);
    const int rowTop = 2, rowBottom = 2 + list.rowHeight();

    list.setAlignment(TTranspList::taRightJustify);
    const auto [left, right] = columnsOf(render(list), rowTop, rowBottom, white);
    EXPECT_GE(right, list.width() - 6);
    EXPECT_GT(left, list.width() / 2);
    // Repainting only the left part draws nothing there.
    const QImage part = render(list, QRegion(0, 0, 60, list.height()));
    EXPECT_EQ(countColor(part, QRect(0, 0, 60, list.height()), white), 0);

    list.setAlignment(TTranspList::taCenter);
    const auto [cleft, cright] = columnsOf(render(list), rowTop, rowBottom, white);
    EXPECT_NEAR((cleft + cright) / 2.0, list.width() / 2.0, 2.0);
}

} // namespace
