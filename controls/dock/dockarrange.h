#pragma once

// Where the bars of a dock stand, as plain functions over numbers: the dock
// and its bars call them, and tests call them directly.

#include <QRect>

#include <vector>

namespace DockArrange {

// Smallest content thickness of a row or a bar, and the border a docked bar
// adds across itself (2 pixels on each side).
constexpr int MinThickness = 8;
constexpr int BarBorder = 4;

// One docked bar as the dock sees it, in the dock's own direction.
struct Bar {
    int row = 0;              // DockRow
    int pos = 0;              // DockPos, pixels along the row
    int length = 0;           // width in a horizontal dock, height in a vertical one
    int contentThickness = 0; // largest control across the bar
};

struct Placement {
    int row = 0;
    int pos = 0;
    // along/across in dock coordinates: (pos, row offset, length, row thickness)
    int along = 0;
    int across = 0;
    int length = 0;
    int thickness = 0;
};

struct Row {
    int contentThickness = MinThickness;
    int fullThickness = MinThickness + BarBorder;
};

struct Result {
    std::vector<int> order;             // bar indexes in arranged order
    std::vector<Placement> placements;  // per bar, same index as the input
    std::vector<Row> rows;
    int thickness = 0;                  // sum of the row thicknesses
};

// Arranges the bars, given in the dock's list order. clientLength is the
// dock's length along its edge; 0 means it has none yet and no row is
// pulled back (so bars keep their positions until the window is laid out).
Result arrange(const std::vector<Bar> &bars, int clientLength, bool limitToOneRow);

// The empty dock's thickness.
int emptyThickness(bool fixAlign, bool designing);

// For a dragged bar: the row under an offset across the dock and whether a
// new row is to be opened before it.
int rowAtPoint(const std::vector<Row> &rows, int offset, bool *isNewRow);
// The row whose end first exceeds offset; one past the last row beyond them.
int rowAtOffset(const std::vector<Row> &rows, int offset);

} // namespace DockArrange
