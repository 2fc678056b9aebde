#include "dock/barlayout.h"
#include "dock/dockarrange.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using DockArrange::Bar;

std::vector<std::pair<int, int>> rowsAndPositions(const DockArrange::Result &result)
{
    std::vector<std::pair<int, int>> placed;
    for (const DockArrange::Placement &place : result.placements)
        placed.emplace_back(place.row, place.pos);
    return placed;
}

TEST(DockArrangement, RowsPositionsAndThicknessOfEveryCase)
{
    const struct {
        const char *what;
        std::vector<Bar> bars; // row, pos, length, content thickness
        int clientLength;
        bool oneRow;
        std::vector<std::pair<int, int>> expected; // row and position per bar
        int thickness;
    } cases[] = {
        {"overlapping bars are pushed apart", {{0, 0, 100, 22}, {0, 10, 50, 22}}, 1000, false, {{0, 0}, {0, 100}}, 26},
        {"a row past the end moves back by its excess", {{0, 0, 50, 22}, {0, 100, 50, 22}}, 120, false,
         {{0, 0}, {0, 70}}, 26},
        {"a pull-back never leaves a bar before 0", {{0, 0, 100, 22}, {0, 100, 100, 22}}, 150, false,
         {{0, 0}, {0, 100}}, 26},
        {"empty rows vanish in one arrange", {{0, 0, 50, 22}, {3, 0, 50, 30}}, 1000, false, {{0, 0}, {1, 0}}, 26 + 34},
        {"one row puts every bar side by side", {{0, 0, 50, 22}, {1, 0, 60, 22}, {2, 0, 70, 22}}, 1000, true,
         {{0, 0}, {0, 50}, {0, 110}}, 26},
        {"equal keys keep the list order", {{0, 0, 40, 22}, {0, 0, 30, 22}, {0, 0, 20, 22}}, 1000, false,
         {{0, 0}, {0, 40}, {0, 70}}, 26},
        {"a negative row counts as row 0", {{-1, 60, 40, 22}, {0, 0, 50, 22}}, 1000, false, {{0, 60}, {0, 0}}, 26},
        {"a negative row leaves no hole below row 0", {{-4, 0, 40, 22}, {2, 0, 50, 22}}, 1000, false,
         {{0, 0}, {1, 0}}, 52},
        {"a dock without length pulls nothing back", {{0, 500, 50, 22}}, 0, false, {{0, 500}}, 26},
        {"the same bar in a laid-out dock is pulled back", {{0, 500, 50, 22}}, 300, false, {{0, 250}}, 26},
        {"a thin bar gets the minimum row", {{0, 0, 10, 3}}, 100, false, {{0, 0}}, 12},
        {"a row is as thick as its thickest bar", {{0, 0, 50, 22}, {0, 60, 50, 30}}, 1000, false,
         {{0, 0}, {0, 60}}, 34},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const DockArrange::Result result = DockArrange::arrange(c.bars, c.clientLength, c.oneRow);
        EXPECT_EQ(rowsAndPositions(result), c.expected);
        EXPECT_EQ(result.thickness, c.thickness);
    }
}

TEST(DockArrangement, ArrangingTheResultAgainChangesNothing)
{
    // Two bars on one spot: the second must not jump ahead of the first on
    // the next arrange.
    std::vector<Bar> bars{{0, 0, 40, 22}, {0, 0, 30, 22}, {1, 5, 60, 22}};
    const DockArrange::Result first = DockArrange::arrange(bars, 200, false);
    std::vector<Bar> again;
    for (int index : first.order) {
        const DockArrange::Placement &place = first.placements[std::size_t(index)];
        again.push_back({place.row, place.pos, place.length, 22});
    }
    const DockArrange::Result second = DockArrange::arrange(again, 200, false);
    std::vector<int> identity(again.size());
    for (std::size_t i = 0; i < identity.size(); ++i)
        identity[i] = int(i);
    EXPECT_EQ(second.order, identity);
    for (std::size_t i = 0; i < again.size(); ++i) {
        EXPECT_EQ(second.placements[i].pos, again[i].pos);
        EXPECT_EQ(second.placements[i].row, again[i].row);
    }
}

TEST(DockArrangement, PlacementsStackRowsAcrossTheDock)
{
    const DockArrange::Result result = DockArrange::arrange({{0, 0, 50, 22}, {1, 20, 60, 30}}, 400, false);
    EXPECT_EQ(result.placements[0].across, 0);
    EXPECT_EQ(result.placements[0].thickness, 26);
    EXPECT_EQ(result.placements[1].across, 26);
    EXPECT_EQ(result.placements[1].along, 20);
    EXPECT_EQ(result.placements[1].thickness, 34);
}

TEST(DockArrangement, EmptyDockThickness)
{
    EXPECT_EQ(DockArrange::emptyThickness(false, false), 0);
    EXPECT_EQ(DockArrange::emptyThickness(true, false), 1);
    EXPECT_EQ(DockArrange::emptyThickness(false, true), 9);
    EXPECT_EQ(DockArrange::arrange({}, 100, false).thickness, 0);
}

TEST(DockArrangement, RowUnderADraggedBar)
{
    // Rows of 26 and 34: row 0 spans 0..26, row 1 26..60.
    const std::vector<DockArrange::Row> rows{{22, 26}, {30, 34}};
    const struct {
        int offset;
        int row;
        bool newRow;
    } cases[] = {
        {0, 0, true},   {5, 0, true},   {6, 0, false},  {21, 0, false}, {22, 1, true},
        {31, 1, true},  {32, 1, false}, {200, 1, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.offset);
        bool newRow = false;
        EXPECT_EQ(DockArrange::rowAtPoint(rows, c.offset, &newRow), c.row);
        EXPECT_EQ(newRow, c.newRow);
    }
    bool newRow = true;
    EXPECT_EQ(DockArrange::rowAtPoint({}, 10, &newRow), 0);
    EXPECT_FALSE(newRow);

    EXPECT_EQ(DockArrange::rowAtOffset(rows, 0), 0);
    EXPECT_EQ(DockArrange::rowAtOffset(rows, 25), 0);
    EXPECT_EQ(DockArrange::rowAtOffset(rows, 26), 1);
    EXPECT_EQ(DockArrange::rowAtOffset(rows, 60), 2);
}

// ---- the layout inside a bar ----------------------------------------------

using BarLayout::Item;
using BarLayout::Orientation;

const Item kButton{23, 22, false, 6, 6};
Item separator(int horz = 6, int vert = 6)
{
    return Item{0, 0, true, horz, vert};
}

TEST(BarLayout, DockedButtonsStandAfterTheGrip)
{
    const std::vector<Item> items{kButton, kButton, kButton};
    const struct {
        const char *what;
        bool grip;
        int firstLeft;
    } cases[] = {{"with the grip", true, 11}, {"without it", false, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        BarLayout::Input input;
        input.grip = c.grip;
        const BarLayout::Result result = BarLayout::arrange(items, input);
        EXPECT_EQ(result.rects[0], QRect(c.firstLeft, 2, 23, 22));
        EXPECT_EQ(result.rects[2].left(), c.firstLeft + 46);
        EXPECT_EQ(result.clientSize, QSize(c.firstLeft + 69 + 2, 26));
    }
}

TEST(BarLayout, ControlsAreCentredAcrossTheRow)
{
    // An edit 20 high beside a 22 high button, in a row made 30 thick by
    // another bar.
    BarLayout::Input input;
    input.lineThickness = 30;
    input.minimumThickness = 34;
    const BarLayout::Result result = BarLayout::arrange({kButton, Item{100, 20, false, 6, 6}}, input);
    EXPECT_EQ(result.rects[0], QRect(11, 2 + 4, 23, 22));
    EXPECT_EQ(result.rects[1], QRect(34, 2 + 5, 100, 20));
    EXPECT_EQ(result.clientSize.height(), 34);
}

TEST(BarLayout, SeparatorsInHorizontalAndVerticalBars)
{
    const std::vector<Item> items{kButton, separator(8, 5), kButton};
    BarLayout::Input input;
    const BarLayout::Result across = BarLayout::arrange(items, input);
    EXPECT_EQ(across.rects[1], QRect(34, 2, 8, 22));
    EXPECT_EQ(across.rects[2].left(), 42);

    input.orientation = Orientation::Vertical;
    const BarLayout::Result down = BarLayout::arrange(items, input);
    // Content thickness of a vertical bar is the widest control.
    EXPECT_EQ(down.rects[0], QRect(2, 11, 23, 22));
    EXPECT_EQ(down.rects[1], QRect(2, 33, 23, 5));
    EXPECT_EQ(down.rects[2], QRect(2, 38, 23, 22));
    EXPECT_EQ(down.clientSize, QSize(27, 62));
}

TEST(BarLayout, FloatingBarWrapsGroupsOntoNewLines)
{
    // Two groups of two buttons; the wrap width fits only the first group.
    const std::vector<Item> items{kButton, kButton, separator(), kButton, kButton};
    BarLayout::Input input;
    input.orientation = Orientation::Floating;
    input.wrapWidth = 4 + 46 + 6 + 4;
    const BarLayout::Result result = BarLayout::arrange(items, input);
    EXPECT_EQ(result.rects[0], QRect(4, 2, 23, 22));
    EXPECT_EQ(result.rects[2].width(), 0);
    const int secondLine = 2 + 22 + BarLayout::LineGap;
    EXPECT_EQ(result.rects[3], QRect(4, secondLine, 23, 22));
    ASSERT_EQ(result.lines.size(), 1u);
    EXPECT_EQ(result.lines[0].across, secondLine);
    EXPECT_EQ(result.lines[0].separatorIndex, 2);
    EXPECT_EQ(result.clientSize, QSize(4 + 46 + 6 + 4, secondLine + 22 + 1));

    input.wrapWidth = 0;
    const BarLayout::Result oneLine = BarLayout::arrange(items, input);
    EXPECT_TRUE(oneLine.lines.empty());
    EXPECT_EQ(oneLine.rects[3].top(), 2);
}

TEST(BarLayout, AGroupWiderThanTheWrapWidthOpensNoEmptyLine)
{
    // The first group alone is wider than the wrap: it stays on the first
    // line and breaks control by control, without a gap line.
    const std::vector<Item> items{kButton, kButton, kButton};
    BarLayout::Input input;
    input.orientation = Orientation::Floating;
    input.wrapWidth = 4 + 46 + 4;
    const BarLayout::Result result = BarLayout::arrange(items, input);
    EXPECT_EQ(result.rects[0].top(), 2);
    EXPECT_EQ(result.rects[1].top(), 2);
    EXPECT_EQ(result.rects[2], QRect(4, 2 + 22, 23, 22));
    EXPECT_TRUE(result.lines.empty());

    // Behind a separator such a group moves down once, not twice.
    const std::vector<Item> wide{kButton, separator(), kButton, kButton, kButton};
    const BarLayout::Result after = BarLayout::arrange(wide, input);
    const int secondLine = 2 + 22 + BarLayout::LineGap;
    EXPECT_EQ(after.rects[2].top(), secondLine);
    EXPECT_EQ(after.rects[3].top(), secondLine);
    EXPECT_EQ(after.rects[4].top(), secondLine + 22);
    EXPECT_EQ(after.lines.size(), 1u);
}

TEST(BarLayout, EmptyBarKeepsItsMargins)
{
    const BarLayout::Result result = BarLayout::arrange({}, BarLayout::Input{});
    EXPECT_EQ(result.clientSize, QSize(11 + 2, 2 + 8 + 2));
}

} // namespace
