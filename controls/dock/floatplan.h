#pragma once

// The decisions of a bar outside its dock, as plain functions over
// rectangles and sizes: where a drag lands, which sizes a floating bar can
// take, how its frame is cut into zones, and keeping a window on screen.
// The bar calls them with what it sees; tests call them directly.

#include "dock/barlayout.h"
#include "dock/dockarrange.h"

#include <QMargins>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

namespace FloatPlan {

// The floating frame: a sizing border on every side and a small caption
// strip under the top border.
constexpr int FrameWidth = 4;
constexpr int CaptionHeight = 15;
QMargins frameMargins();

// number * numerator / denominator, rounded half away from zero; a
// denominator below 1 counts as 1, so a bar of one pixel divides by 1.
int mulDiv(int number, int numerator, int denominator);

// The grab point moved into a rectangle of another size, keeping its
// relative place.
QPoint scaledGrab(QPoint grab, QSize from, QSize to);

// ------------------------------------------------------------ dragging

enum class Side { Top, Bottom, Left, Right };

struct DockTarget {
    QRect rect;            // the dock on screen
    Side side = Side::Top; // its edge of the form
    bool allowDrag = true;
    QSize barSize;         // the bar's size in this dock
};

struct Drag {
    QPoint grab;           // the press point inside the bar at the start
    QSize size;            // the bar's size at the start
    QSize floatingSize;    // its size floating, frame included
    bool canDockLeftRight = true;
    bool forceFloating = false; // Ctrl held
    QRect workArea;        // of the screen under the cursor
    std::vector<DockTarget> docks; // in the form's order
};

struct Landing {
    int dock = -1;         // index into Drag::docks; -1 = floating
    QRect outline;         // on screen
};

// Where the bar would land with the cursor at cursor: the first horizontal
// dock that accepts it, else (when allowed) the first vertical one, else
// floating inside the work area.
Landing landing(const Drag &drag, QPoint cursor);

// Where a bar dropped with its outline at outline (in the dock's client
// coordinates) joins the dock's rows.
struct DockDrop {
    int row = 0;
    bool newRow = false;   // a row is to be opened before row
    int pos = 0;
};
DockDrop dropIntoDock(const std::vector<DockArrange::Row> &rows, QRect outline, bool vertical);

// Moves rect inside area: right edge, then bottom, then left, then top (so
// a rectangle larger than the area shows its top-left part).
QRect keepInside(QRect rect, QRect area);
// The same on the work area that holds most of rect (or lies nearest to
// it). With onlyWhenOff nothing moves while rect overlaps any work area.
QRect keepOnScreen(QRect rect, const std::vector<QRect> &workAreas, bool onlyWhenOff);

// Where a bar floats the first time, out of a dock: its frame of outer
// size around the place it had, moved wholly onto the screen. A bar at the
// top of a form at the screen's top would otherwise have its caption and
// close square above the screen, out of reach. A frame whose caption would
// lie over keepClear (the form's menu bar on screen) goes below it instead:
// a floating bar stays above its form and would hide the menu.
QRect firstFloatingRect(QPoint dockedOrigin, QSize outer, const std::vector<QRect> &workAreas,
                        QRect keepClear = QRect());

// ------------------------------------------------------------- sizing

// Every distinct client size the controls can wrap to, from one line down
// to the widest control on a line of its own; current is always among
// them.
std::vector<QSize> floatingSizes(const std::vector<BarLayout::Item> &items, QSize current);

enum class Edge { Left, Top, Right, Bottom };

// The sizes an edge chooses from: sorted by width for the left and right
// edges, by height for the top and bottom ones (one per length, the one
// nearest the current width winning), and where the current size stands.
struct SizeChoice {
    std::vector<QSize> sizes;
    int current = 0;
};
SizeChoice sizeChoice(const std::vector<QSize> &sizes, QSize current, Edge edge);

// The index of the size for a wanted length (width or height by the edge).
// Near the current size the bar does not change: within 12 pixels, less
// when a neighbouring size lies closer.
int chooseSize(const SizeChoice &choice, Edge edge, int wanted);
// The tolerance around the current size.
int snapTolerance(const SizeChoice &choice, Edge edge);

// The outer rectangle of a new outer size with the edge opposite to the
// dragged one where it was.
QRect sizedRect(QRect start, QSize size, Edge edge);

// -------------------------------------------------------------- frame

enum class Zone { Client, Caption, Close, Top, Bottom, Left, Right };

// What a point of the floating window (outer coordinates) is.
Zone zoneAt(QSize outer, QPoint point, bool closeButton);
// The caption strip without the close square, and the square.
QRect captionStrip(QSize outer, bool closeButton);
QRect closeSquare(QSize outer);

// A caption that does not fit in width gets "..." and loses characters
// before the dots until it fits or is shorter than 5 characters.
QString elideCaption(const QString &text, int width, const std::function<int(const QString &)> &measure);

} // namespace FloatPlan
