#pragma once

// Lining up the selected objects of the design surface: equal edges, equal
// sizes, equal spacing and centring in the window, as rectangles in the
// surface's client coordinates. No widgets.

#include <QList>
#include <QRect>
#include <QSize>

namespace Alignment {

enum class Edge { Left, Right, Top, Bottom, Unchanged };
enum class Size { Widest, Tallest, Narrowest, Lowest, Unchanged };
enum class Spacing { Vertical, Horizontal, Unchanged };

struct Choices
{
    Edge edge = Edge::Unchanged;
    Size size = Size::Unchanged;
    Spacing spacing = Spacing::Unchanged;
    bool centreVertically = false;
    bool centreHorizontally = false;
};

struct Result
{
    QList<QRect> bounds; // in the order the controls were given
    // The controls by their position before the change (Left with
    // horizontal spacing, else Top; ties keep the given order): the order
    // the selection holds them in afterwards, the first one being the
    // control the edges follow.
    QList<int> order;
};

// In one pass: sizes, then edges after the first control of the order, then
// the spacing over the positions that gives (only for more than two
// controls: each follows the previous one at the distance between the first
// two), then the union of all centred in clientArea.
Result align(const QList<QRect> &controls, const Choices &choices, const QSize &clientArea);

} // namespace Alignment
