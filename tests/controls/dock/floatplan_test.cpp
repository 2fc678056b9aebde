#include "dock/floatplan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using FloatPlan::Drag;
using FloatPlan::DockTarget;
using FloatPlan::Edge;
using FloatPlan::Side;
using FloatPlan::Zone;

const QRect Screen(0, 0, 1280, 1024);
// A top dock of one row and a left dock under it, on a form at (100, 100).
const DockTarget TopDock{QRect(100, 100, 400, 26), Side::Top, true, QSize(82, 26)};
const DockTarget LeftDock{QRect(100, 126, 27, 200), Side::Left, true, QSize(27, 82)};

// A docked bar of 82 x 26 grabbed at (20, 13); floating it is 90 x 50.
Drag dockedBar()
{
    Drag drag;
    drag.grab = QPoint(20, 13);
    drag.size = QSize(82, 26);
    drag.floatingSize = QSize(90, 50);
    drag.workArea = Screen;
    drag.docks = {TopDock, LeftDock};
    return drag;
}

// The same bar floating, grabbed at (45, 10) of its 90 x 50.
Drag floatingBar()
{
    Drag drag = dockedBar();
    drag.grab = QPoint(45, 10);
    drag.size = QSize(90, 50);
    return drag;
}

TEST(DragLanding, WhereTheBarLandsAndItsOutline)
{
    const struct {
        const char *what;
        Drag drag;
        QPoint cursor;
        int dock;
        QRect outline;
    } cases[] = {
        // The grab point scales from 82 x 26 to 90 x 50: (22, 25).
        {"away from the docks it floats", dockedBar(), {700, 600}, -1, {678, 575, 90, 50}},
        // From 90 x 50 to 82 x 26 the grab point becomes (41, 5).
        {"over the top dock with the grab point scaled", floatingBar(), {300, 110}, 0, {259, 105, 82, 26}},
        {"Ctrl over the dock floats",
         [] { Drag d = floatingBar(); d.forceFloating = true; return d; }(), {300, 110}, -1, {255, 100, 90, 50}},
        // 32 x 20 pixels of slack, shared by the grab point: (16, 4) here.
        {"just above the top dock's slack", floatingBar(), {300, 83}, -1, {255, 73, 90, 50}},
        {"at the top dock's slack", floatingBar(), {300, 84}, 0, {259, 79, 82, 26}},
        {"a vertical dock takes the bar", dockedBar(), {110, 250}, 1, {104, 208, 27, 82}},
        {"a vertical dock without CanDockLeftRight does not",
         [] { Drag d = dockedBar(); d.canDockLeftRight = false; return d; }(), {110, 250}, -1, {88, 225, 90, 50}},
        {"a vertical dock needs the cursor along it",
         [] { Drag d = dockedBar(); d.docks[0].allowDrag = false; return d; }(), {110, 120}, -1, {88, 95, 90, 50}},
        {"a dock without AllowDrag takes nothing",
         [] { Drag d = floatingBar(); d.docks[0].allowDrag = false; return d; }(), {300, 110}, -1, {255, 100, 90, 50}},
        {"horizontal docks come first", [] { Drag d = dockedBar(); return d; }(), {110, 127}, 0, {90, 114, 82, 26}},
        {"an empty top dock is one pixel thick",
         [] { Drag d = floatingBar(); d.docks = {{QRect(100, 100, 400, 0), Side::Top, true, {82, 26}}}; return d; }(),
         {300, 100}, 0, {259, 95, 82, 26}},
        {"an empty bottom dock grows into the form",
         [] { Drag d = floatingBar(); d.docks = {{QRect(100, 400, 400, 0), Side::Bottom, true, {82, 26}}}; return d; }(),
         {300, 403}, 0, {259, 398, 82, 26}},
        {"below an empty bottom dock",
         [] { Drag d = floatingBar(); d.docks = {{QRect(100, 400, 400, 0), Side::Bottom, true, {82, 26}}}; return d; }(),
         {300, 404}, -1, {255, 394, 90, 50}},
        // Clamped to (1279, 1023), then kept 8 pixels inside the screen.
        {"off the screen the outline stays on it", dockedBar(), {2000, 2000}, -1, {1182, 966, 90, 50}},
        {"a bar of one pixel divides by one",
         [] { Drag d = dockedBar(); d.grab = {0, 0}; d.size = {1, 1}; d.docks[0].barSize = {1, 1}; return d; }(),
         {300, 110}, 0, {300, 110, 1, 1}},
        {"a bar of one pixel grabbed at its end",
         [] { Drag d = dockedBar(); d.grab = {1, 1}; d.size = {1, 1}; d.floatingSize = {1, 1}; return d; }(),
         {700, 600}, -1, {700, 600, 1, 1}},
        {"sizes of nothing",
         [] { Drag d = dockedBar(); d.grab = {0, 0}; d.size = {0, 0}; d.floatingSize = {0, 0}; d.docks.clear(); return d; }(),
         {700, 600}, -1, {700, 600, 0, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const FloatPlan::Landing landing = FloatPlan::landing(c.drag, c.cursor);
        EXPECT_EQ(landing.dock, c.dock);
        EXPECT_EQ(landing.outline, c.outline);
    }
}

TEST(DragLanding, MulDivRoundsAndNeverDividesByZero)
{
    const struct {
        int number, numerator, denominator, expected;
    } cases[] = {
        {20, 89, 81, 22}, {13, 49, 25, 25}, {1, 1, 2, 1}, {-1, 1, 2, -1}, {5, 7, 0, 35}, {5, 7, -3, 35},
        {1 << 30, 1 << 30, 1, 2147483647},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatPlan::mulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}

TEST(DragLanding, ADroppedBarJoinsARowOrOpensOne)
{
    const std::vector<DockArrange::Row> oneRow{{22, 26}};
    const std::vector<DockArrange::Row> twoRows{{22, 26}, {22, 26}};
    const struct {
        const char *what;
        std::vector<DockArrange::Row> rows;
        QRect outline;
        bool vertical;
        int row;
        bool newRow;
        int pos;
    } cases[] = {
        {"on its row", oneRow, {40, 0, 82, 26}, false, 0, false, 40},
        {"near the row's start a row opens before it", oneRow, {40, -10, 82, 26}, false, 0, true, 40},
        {"past the last row it joins the last", oneRow, {40, 20, 82, 26}, false, 0, false, 40},
        {"between two rows a row opens there", twoRows, {-5, 15, 82, 26}, false, 1, true, -5},
        {"in the second row", twoRows, {0, 27, 82, 26}, false, 1, false, 0},
        {"an empty dock has its first row", {}, {10, 3, 82, 26}, false, 0, false, 10},
        {"a vertical dock goes by x and places by y", twoRows, {27, 60, 27, 82}, true, 1, false, 60},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const FloatPlan::DockDrop drop = FloatPlan::dropIntoDock(c.rows, c.outline, c.vertical);
        EXPECT_EQ(drop.row, c.row);
        EXPECT_EQ(drop.newRow, c.newRow);
        EXPECT_EQ(drop.pos, c.pos);
    }
}

TEST(KeepOnScreen, ARectangleComesBackOntoItsScreen)
{
    const std::vector<QRect> one{Screen};
    // A second screen left of the first.
    const std::vector<QRect> two{Screen, QRect(-1024, 0, 1024, 768)};
    const struct {
        const char *what;
        QRect rect;
        std::vector<QRect> areas;
        bool onlyWhenOff;
        QRect expected;
    } cases[] = {
        {"off the right edge", {1250, 100, 90, 50}, one, false, {1190, 100, 90, 50}},
        {"off the bottom edge", {100, 1000, 90, 50}, one, false, {100, 974, 90, 50}},
        {"off the left edge", {-30, 100, 90, 50}, one, false, {0, 100, 90, 50}},
        {"off the top edge", {100, -30, 90, 50}, one, false, {100, 0, 90, 50}},
        {"off a corner", {1250, -30, 90, 50}, one, false, {1190, 0, 90, 50}},
        {"larger than the screen shows its top-left", {100, 100, 1500, 1100}, one, false, {0, 0, 1500, 1100}},
        {"partly on stays when only off counts", {1250, 100, 90, 50}, one, true, {1250, 100, 90, 50}},
        {"wholly off comes back", {1400, 100, 90, 50}, one, true, {1190, 100, 90, 50}},
        {"on the screen at negative x it stays", {-500, 100, 90, 50}, two, false, {-500, 100, 90, 50}},
        {"partly on the left screen it stays there", {-1050, 100, 90, 50}, two, false, {-1024, 100, 90, 50}},
        {"wholly left of both goes to the nearer", {-2000, 100, 90, 50}, two, true, {-1024, 100, 90, 50}},
        {"below the left screen", {-500, 900, 90, 50}, two, true, {-500, 718, 90, 50}},
        {"no screens, no move", {5000, 5000, 10, 10}, {}, false, {5000, 5000, 10, 10}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FloatPlan::keepOnScreen(c.rect, c.areas, c.onlyWhenOff), c.expected);
    }
}

TEST(KeepOnScreen, ABarFloatingTheFirstTimeHasItsWholeFrameOnScreen)
{
    const std::vector<QRect> one{Screen};
    // A panel of 24 pixels along the screen's top.
    const std::vector<QRect> underPanel{QRect(0, 24, 1280, 1000)};
    const std::vector<QRect> two{Screen, QRect(-1024, 0, 1024, 768)};
    const QSize outer(747, 48);
    // The form's menu bar right above its dock.
    const QRect menuAtTop(0, 0, 1280, 22);
    const QRect menuInMiddle(146, 170, 800, 20);
    const struct {
        const char *what;
        QPoint docked;
        std::vector<QRect> areas;
        QRect menuBar;
        QPoint expected;
    } cases[] = {
        // The frame goes around the place the bar had.
        {"in the middle of the screen", {150, 172}, one, {}, {146, 153}},
        {"at the screen's top-left corner", {0, 0}, one, {}, {0, 0}},
        {"under a desktop's menu bar at the screen's top", {0, 22}, one, {}, {0, 3}},
        {"under a panel", {0, 30}, underPanel, {}, {0, 24}},
        {"at the right edge", {1000, 500}, one, {}, {533, 481}},
        {"at the bottom edge", {300, 1000}, one, {}, {296, 976}},
        {"on a second screen left of the first", {-1024, 0}, two, {}, {-1024, 0}},
        // Its caption would cover the form's menu bar: it goes below.
        {"under the form's menu bar at the screen's top", {0, 22}, one, menuAtTop, {0, 22}},
        {"under the form's menu bar in the middle", {150, 190}, one, menuInMiddle, {146, 190}},
        {"far below the form's menu bar", {150, 600}, one, menuInMiddle, {146, 581}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect rect = FloatPlan::firstFloatingRect(c.docked, outer, c.areas, c.menuBar);
        EXPECT_EQ(rect, QRect(c.expected, outer));
    }
}

// Three buttons, a separator and two buttons, all 23 x 22.
std::vector<BarLayout::Item> twoGroups()
{
    const BarLayout::Item button{23, 22};
    BarLayout::Item separator{6, 8, true};
    return {button, button, button, separator, button, button};
}

TEST(FloatingSizes, EveryWrapOfTheControlsFromOneLineToTheNarrowest)
{
    // One line; the second group below; the third button below the first
    // two; one button a line.
    const std::vector<QSize> all{{129, 25}, {83, 53}, {54, 75}, {37, 119}};
    EXPECT_EQ(FloatPlan::floatingSizes(twoGroups(), QSize(83, 53)), all);
    // A size the controls do not make (say, a stored window) is kept too.
    const std::vector<QSize> withOdd = FloatPlan::floatingSizes(twoGroups(), QSize(100, 25));
    EXPECT_EQ(withOdd.size(), all.size() + 1);
    EXPECT_EQ(withOdd.back(), QSize(100, 25));
    // A bar without controls has one size.
    EXPECT_EQ(FloatPlan::floatingSizes({}, QSize(8, 11)), (std::vector<QSize>{{8, 11}}));
}

TEST(FloatingSizes, AnEdgeSnapsToTheNearestValidSize)
{
    const std::vector<QSize> sizes = FloatPlan::floatingSizes(twoGroups(), QSize(83, 53));
    const struct {
        const char *what;
        std::vector<QSize> sizes;
        QSize current;
        Edge edge;
        int wanted;
        QSize expected;
        int tolerance;
    } cases[] = {
        {"within 12 pixels nothing changes", sizes, {83, 53}, Edge::Right, 95, {83, 53}, 12},
        {"a little narrower stays too", sizes, {83, 53}, Edge::Left, 71, {83, 53}, 12},
        {"narrower takes the nearest width", sizes, {83, 53}, Edge::Right, 60, {54, 75}, 12},
        {"far narrower stops at the narrowest", sizes, {83, 53}, Edge::Right, 5, {37, 119}, 12},
        {"wider gets one line", sizes, {83, 53}, Edge::Right, 120, {129, 25}, 12},
        {"past the tolerance the nearest may still be the current", sizes, {83, 53}, Edge::Right, 100, {83, 53}, 12},
        {"at its narrowest it cannot go narrower", sizes, {37, 119}, Edge::Right, 10, {37, 119}, 12},
        {"at its narrowest a wider size is there", sizes, {37, 119}, Edge::Left, 56, {54, 75}, 12},
        {"the bottom edge goes by height", sizes, {83, 53}, Edge::Bottom, 70, {54, 75}, 12},
        {"the top edge, lower", sizes, {83, 53}, Edge::Top, 30, {129, 25}, 12},
        {"near neighbours shrink the tolerance", {{50, 10}, {55, 10}, {60, 10}}, {55, 10}, Edge::Right, 60, {60, 10}, 4},
        {"inside the shrunk tolerance", {{50, 10}, {55, 10}, {60, 10}}, {55, 10}, Edge::Right, 59, {55, 10}, 4},
        {"a neighbour one pixel away leaves none", {{50, 10}, {51, 10}}, {50, 10}, Edge::Right, 51, {51, 10}, 0},
        {"of two equally near the smaller", {{50, 10}, {60, 10}, {70, 10}}, {50, 10}, Edge::Right, 65, {60, 10}, 9},
        {"equal heights: the width nearest the current", {{50, 30}, {80, 30}, {120, 10}}, {120, 10}, Edge::Bottom,
         30, {80, 30}, 12},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const FloatPlan::SizeChoice choice = FloatPlan::sizeChoice(c.sizes, c.current, c.edge);
        ASSERT_EQ(choice.sizes[std::size_t(choice.current)], c.current);
        EXPECT_EQ(FloatPlan::snapTolerance(choice, c.edge), c.tolerance);
        EXPECT_EQ(choice.sizes[std::size_t(FloatPlan::chooseSize(choice, c.edge, c.wanted))], c.expected);
    }
}

TEST(FloatingSizes, TheEdgeOppositeTheDraggedOneStays)
{
    const QRect start(100, 100, 91, 76);
    const QSize smaller(62, 98);
    EXPECT_EQ(FloatPlan::sizedRect(start, smaller, Edge::Right), QRect(QPoint(100, 100), smaller));
    EXPECT_EQ(FloatPlan::sizedRect(start, smaller, Edge::Bottom), QRect(QPoint(100, 100), smaller));
    const QRect left = FloatPlan::sizedRect(start, smaller, Edge::Left);
    EXPECT_EQ(left.right(), start.right());
    EXPECT_EQ(left.top(), start.top());
    const QRect top = FloatPlan::sizedRect(start, smaller, Edge::Top);
    EXPECT_EQ(top.bottom(), start.bottom());
    EXPECT_EQ(top.left(), start.left());
}

TEST(FloatingFrame, EveryPointOfTheWindowHasItsZone)
{
    // 100 x 60: frame 4, caption strip from y 4 to 18, close square from
    // x 82 to 95.
    const QSize outer(100, 60);
    const struct {
        QPoint point;
        bool closeButton;
        Zone zone;
    } cases[] = {
        {{0, 0}, true, Zone::Top},      {{50, 3}, true, Zone::Top},      {{50, 56}, true, Zone::Bottom},
        {{50, 59}, true, Zone::Bottom}, {{2, 10}, true, Zone::Left},     {{3, 40}, true, Zone::Left},
        {{96, 40}, true, Zone::Right},  {{99, 10}, true, Zone::Right},   {{20, 10}, true, Zone::Caption},
        {{4, 4}, true, Zone::Caption},  {{81, 10}, true, Zone::Caption}, {{82, 4}, true, Zone::Close},
        {{95, 17}, true, Zone::Close},  {{90, 10}, false, Zone::Caption}, {{50, 18}, true, Zone::Caption},
        {{50, 19}, true, Zone::Client}, {{95, 55}, true, Zone::Client},  {{0, 59}, true, Zone::Bottom},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatPlan::zoneAt(outer, c.point, c.closeButton), c.zone) << c.point.x() << "," << c.point.y();
    EXPECT_EQ(FloatPlan::captionStrip(outer, true), QRect(4, 4, 78, 14));
    EXPECT_EQ(FloatPlan::captionStrip(outer, false), QRect(4, 4, 92, 14));
    EXPECT_EQ(FloatPlan::closeSquare(outer), QRect(82, 4, 14, 14));
}

TEST(FloatingFrame, ALongCaptionIsCutWithDots)
{
    // Six pixels a character.
    const auto measure = [](const QString &text) { return int(text.size()) * 6; };
    const struct {
        QString text;
        int width;
        QString expected;
    } cases[] = {
        {QStringLiteral("Podstawowy"), 60, QStringLiteral("Podstawowy")},
        {QStringLiteral("Podstawowy"), 59, QStringLiteral("Podsta...")},
        {QStringLiteral("Podstawowy"), 40, QStringLiteral("Pod...")},
        // Never shorter than four characters with the dots.
        {QStringLiteral("Podstawowy"), 5, QStringLiteral("P...")},
        {QStringLiteral("Ab"), 0, QStringLiteral("A...")},
        {QString(), 0, QString()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FloatPlan::elideCaption(c.text, c.width, measure), c.expected) << c.text.toStdString() << " " << c.width;
}

} // namespace
