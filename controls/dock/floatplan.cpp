#include "dock/floatplan.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace FloatPlan {
namespace {

bool isVertical(Side side)
{
    return side == Side::Left || side == Side::Right;
}

// A dock without rows has no area; it is grown by one pixel into the form
// so that a bar can still be dropped onto it.
QRect acceptingArea(const DockTarget &dock)
{
    QRect area = dock.rect;
    if (isVertical(dock.side) && area.width() <= 0) {
        area.setWidth(1);
        if (dock.side == Side::Right)
            area.translate(-1, 0);
    } else if (!isVertical(dock.side) && area.height() <= 0) {
        area.setHeight(1);
        if (dock.side == Side::Bottom)
            area.translate(0, -1);
    }
    return area;
}

QRect placedAt(const Drag &drag, QPoint cursor, QSize size)
{
    return QRect(cursor - scaledGrab(drag.grab, drag.size, size), size);
}

bool accepts(const Drag &drag, const DockTarget &dock, QPoint cursor)
{
    if (!dock.allowDrag)
        return false;
    const QRect area = acceptingArea(dock);
    // A margin of 32 by 20 pixels around the dock, shared out by where the
    // bar was grabbed.
    const int gx = mulDiv(32, drag.grab.x(), drag.size.width() - 1);
    const int gy = mulDiv(20, drag.grab.y(), drag.size.height() - 1);
    if (cursor.x() < area.left() + gx - 32 || cursor.x() > area.right() + gx)
        return false;
    if (cursor.y() < area.top() + gy - 20 || cursor.y() > area.bottom() + gy)
        return false;
    if (isVertical(dock.side) && (cursor.y() < area.top() || cursor.y() > area.bottom()))
        return false;
    return placedAt(drag, cursor, dock.barSize).intersects(area);
}

int firstAccepting(const Drag &drag, QPoint cursor, bool vertical)
{
    for (std::size_t i = 0; i < drag.docks.size(); ++i) {
        const DockTarget &dock = drag.docks[i];
        if (isVertical(dock.side) == vertical && accepts(drag, dock, cursor))
            return int(i);
    }
    return -1;
}

long long overlap(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : (long long)common.width() * common.height();
}

long long distance(const QRect &a, const QRect &b)
{
    const QPoint d = a.center() - b.center();
    return (long long)d.x() * d.x() + (long long)d.y() * d.y();
}

int lengthOf(QSize size, Edge edge)
{
    return edge == Edge::Left || edge == Edge::Right ? size.width() : size.height();
}

} // namespace

QMargins frameMargins()
{
    return QMargins(FrameWidth, FrameWidth + CaptionHeight, FrameWidth, FrameWidth);
}

int mulDiv(int number, int numerator, int denominator)
{
    const long long divisor = std::max(denominator, 1);
    const long long product = (long long)number * numerator;
    const long long half = divisor / 2;
    const long long quotient = product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    return int(std::clamp<long long>(quotient, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QPoint scaledGrab(QPoint grab, QSize from, QSize to)
{
    return QPoint(mulDiv(grab.x(), std::max(to.width() - 1, 0), from.width() - 1),
                  mulDiv(grab.y(), std::max(to.height() - 1, 0), from.height() - 1));
}

Landing landing(const Drag &drag, QPoint cursor)
{
    if (!drag.forceFloating) {
        int target = firstAccepting(drag, cursor, false);
        if (target < 0 && drag.canDockLeftRight)
            target = firstAccepting(drag, cursor, true);
        if (target >= 0)
            return {target, placedAt(drag, cursor, drag.docks[std::size_t(target)].barSize)};
    }
    const QRect &area = drag.workArea;
    QPoint clamped = cursor;
    if (!area.isEmpty()) {
        clamped.setX(std::clamp(cursor.x(), area.left(), area.right()));
        clamped.setY(std::clamp(cursor.y(), area.top(), area.bottom()));
    }
    const QRect outline = placedAt(drag, clamped, drag.floatingSize);
    if (area.isEmpty())
        return {-1, outline};
    const int margin = FrameWidth + 4;
    return {-1, keepInside(outline, area.adjusted(margin, margin, -margin, -margin))};
}

DockDrop dropIntoDock(const std::vector<DockArrange::Row> &rows, QRect outline, bool vertical)
{
    DockDrop drop;
    const int middle = vertical ? outline.left() + outline.width() / 2 : outline.top() + outline.height() / 2;
    drop.row = DockArrange::rowAtPoint(rows, middle, &drop.newRow);
    drop.pos = vertical ? outline.top() : outline.left();
    return drop;
}

QRect keepInside(QRect rect, QRect area)
{
    if (rect.right() > area.right())
        rect.moveRight(area.right());
    if (rect.bottom() > area.bottom())
        rect.moveBottom(area.bottom());
    if (rect.left() < area.left())
        rect.moveLeft(area.left());
    if (rect.top() < area.top())
        rect.moveTop(area.top());
    return rect;
}

QRect keepOnScreen(QRect rect, const std::vector<QRect> &workAreas, bool onlyWhenOff)
{
    if (workAreas.empty())
        return rect;
    const QRect *best = &workAreas.front();
    for (const QRect &area : workAreas) {
        if (onlyWhenOff && overlap(rect, area) > 0)
            return rect;
        const long long gain = overlap(rect, area) - overlap(rect, *best);
        if (gain > 0 || (gain == 0 && overlap(rect, area) == 0 && distance(rect, area) < distance(rect, *best)))
            best = &area;
    }
    return keepInside(rect, *best);
}

QRect firstFloatingRect(QPoint dockedOrigin, QSize outer, const std::vector<QRect> &workAreas, QRect keepClear)
{
    const QMargins frame = frameMargins();
    QRect around(dockedOrigin - QPoint(frame.left(), frame.top()), outer);
    if (around.intersects(keepClear))
        around.moveTop(keepClear.bottom() + 1);
    return keepOnScreen(around, workAreas, false);
}

std::vector<QSize> floatingSizes(const std::vector<BarLayout::Item> &items, QSize current)
{
    BarLayout::Input input;
    input.orientation = BarLayout::Orientation::Floating;
    const QSize oneLine = BarLayout::arrange(items, input).clientSize;
    int widest = 0;
    for (const BarLayout::Item &item : items)
        widest = std::max(widest, item.width);
    const BarLayout::Margins margin = BarLayout::margins(BarLayout::Orientation::Floating, true);
    const int narrowest = widest + margin.alongBefore + margin.alongAfter;

    std::vector<QSize> sizes;
    auto keep = [&sizes](QSize size) {
        if (std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
    };
    keep(oneLine);
    for (int wrap = oneLine.width() - 1; wrap >= narrowest; --wrap) {
        input.wrapWidth = wrap;
        keep(BarLayout::arrange(items, input).clientSize);
    }
    keep(current);
    return sizes;
}

SizeChoice sizeChoice(const std::vector<QSize> &sizes, QSize current, Edge edge)
{
    std::vector<QSize> all = sizes;
    if (std::find(all.begin(), all.end(), current) == all.end())
        all.push_back(current);
    // Equal lengths: the one nearest the current width, the current size
    // itself first.
    std::stable_sort(all.begin(), all.end(), [edge, current](QSize a, QSize b) {
        if (lengthOf(a, edge) != lengthOf(b, edge))
            return lengthOf(a, edge) < lengthOf(b, edge);
        return std::abs(a.width() - current.width()) < std::abs(b.width() - current.width());
    });
    SizeChoice choice;
    for (QSize size : all) {
        if (choice.sizes.empty() || lengthOf(choice.sizes.back(), edge) != lengthOf(size, edge))
            choice.sizes.push_back(size);
    }
    for (std::size_t i = 0; i < choice.sizes.size(); ++i) {
        if (lengthOf(choice.sizes[i], edge) == lengthOf(current, edge))
            choice.current = int(i);
    }
    return choice;
}

int snapTolerance(const SizeChoice &choice, Edge edge)
{
    int tolerance = 12;
    const std::size_t current = std::size_t(choice.current);
    const int length = lengthOf(choice.sizes[current], edge);
    if (current > 0)
        tolerance = std::min(tolerance, length - lengthOf(choice.sizes[current - 1], edge) - 1);
    if (current + 1 < choice.sizes.size())
        tolerance = std::min(tolerance, lengthOf(choice.sizes[current + 1], edge) - length - 1);
    return std::max(tolerance, 0);
}

int chooseSize(const SizeChoice &choice, Edge edge, int wanted)
{
    if (choice.sizes.empty())
        return 0;
    const int current = lengthOf(choice.sizes[std::size_t(choice.current)], edge);
    if (std::abs(wanted - current) <= snapTolerance(choice, edge))
        return choice.current;
    // The nearest size; of two equally near ones the smaller.
    int best = 0;
    for (std::size_t i = 1; i < choice.sizes.size(); ++i) {
        if (std::abs(lengthOf(choice.sizes[i], edge) - wanted) < std::abs(lengthOf(choice.sizes[std::size_t(best)], edge) - wanted))
            best = int(i);
    }
    return best;
}

QRect sizedRect(QRect start, QSize size, Edge edge)
{
    QRect rect(start.topLeft(), size);
    if (edge == Edge::Left)
        rect.moveRight(start.right());
    else if (edge == Edge::Top)
        rect.moveBottom(start.bottom());
    return rect;
}

QRect captionStrip(QSize outer, bool closeButton)
{
    QRect strip(FrameWidth, FrameWidth, outer.width() - 2 * FrameWidth, CaptionHeight - 1);
    if (closeButton)
        strip.setRight(strip.right() - (CaptionHeight - 1));
    return strip;
}

QRect closeSquare(QSize outer)
{
    const int side = CaptionHeight - 1;
    return QRect(outer.width() - FrameWidth - side, FrameWidth, side, side);
}

Zone zoneAt(QSize outer, QPoint point, bool closeButton)
{
    const QRect client = QRect(QPoint(0, 0), outer).marginsRemoved(frameMargins());
    if (client.contains(point))
        return Zone::Client;
    const QRect caption(FrameWidth, FrameWidth, outer.width() - 2 * FrameWidth, CaptionHeight);
    if (caption.contains(point))
        return closeButton && closeSquare(outer).contains(point) ? Zone::Close : Zone::Caption;
    if (point.y() < FrameWidth)
        return Zone::Top;
    if (point.y() >= outer.height() - FrameWidth)
        return Zone::Bottom;
    if (point.x() < FrameWidth)
        return Zone::Left;
    if (point.x() >= outer.width() - FrameWidth)
        return Zone::Right;
    return Zone::Client;
}

QString elideCaption(const QString &text, int width, const std::function<int(const QString &)> &measure)
{
    if (measure(text) <= width)
        return text;
    QString kept = text;
    QString shown = kept + QStringLiteral("...");
    while (measure(shown) > width && shown.size() >= 5 && !kept.isEmpty()) {
        kept.chop(1);
        shown = kept + QStringLiteral("...");
    }
    return shown;
}

} // namespace FloatPlan
