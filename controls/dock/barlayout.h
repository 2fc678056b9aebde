#pragma once

// Where the controls of a toolbar stand, as a plain function over their
// sizes: the bar calls it, and tests call it directly.

#include <QRect>
#include <QSize>

#include <vector>

namespace BarLayout {

enum class Orientation { Floating, Horizontal, Vertical };

// Pixels between the controls and the bar's edges.
struct Margins {
    int acrossBefore;
    int acrossAfter;
    int alongBefore;
    int alongAfter;
};
Margins margins(Orientation orientation, bool grip);

// Extra space between two wrapped lines of a floating bar, where the etched
// line is drawn.
constexpr int LineGap = 6;

struct Item {
    int width = 0;
    int height = 0;
    bool separator = false;
    int sizeHorz = 6; // a separator's length along a horizontal bar
    int sizeVert = 6; // and along a vertical one
};

struct Line {
    int across = 0;         // where the new line starts across the bar
    int separatorIndex = -1; // the separator that ended the line before
};

struct Result {
    std::vector<QRect> rects; // per item, in bar coordinates
    std::vector<Line> lines;  // the breaks of a wrapped floating bar
    QSize clientSize;
};

// The content thickness of a bar: its largest control across it (height in
// a horizontal or floating bar, width in a vertical one), at least 8.
int contentThickness(const std::vector<Item> &items, Orientation orientation);

struct Input {
    Orientation orientation = Orientation::Horizontal;
    bool grip = true;
    int wrapWidth = 0;         // floating only; 0 = no wrapping
    int lineThickness = 0;     // 0 = the bar's own content thickness
    int minimumThickness = 0;  // a docked bar is at least its row's full thickness
};

// Lays out the visible items in their order. Every group of controls ends
// after a separator; a group that does not fit in the wrap width starts a
// new line, and so does a single control that does not fit.
Result arrange(const std::vector<Item> &items, const Input &input);

} // namespace BarLayout
