#include "alignment/alignment.h"

#include <algorithm>
#include <numeric>

namespace Alignment {
namespace {

// The indexes of bounds ordered by position along one axis; stable on ties.
QList<int> orderedBy(const QList<QRect> &bounds, bool horizontal, QList<int> indexes)
{
    std::stable_sort(indexes.begin(), indexes.end(), [&](int a, int b) {
        return horizontal ? bounds[a].left() < bounds[b].left() : bounds[a].top() < bounds[b].top();
    });
    return indexes;
}

void applySize(QList<QRect> &bounds, Size size)
{
    if (size == Size::Unchanged || bounds.isEmpty())
        return;
    const auto [narrowest, widest] = std::minmax_element(
        bounds.cbegin(), bounds.cend(), [](const QRect &a, const QRect &b) { return a.width() < b.width(); });
    const auto [lowest, tallest] = std::minmax_element(
        bounds.cbegin(), bounds.cend(), [](const QRect &a, const QRect &b) { return a.height() < b.height(); });
    const int width = size == Size::Widest ? widest->width() : narrowest->width();
    const int height = size == Size::Tallest ? tallest->height() : lowest->height();
    for (QRect &rect : bounds) {
        if (size == Size::Widest || size == Size::Narrowest)
            rect.setWidth(width);
        else
            rect.setHeight(height);
    }
}

void applyEdge(QList<QRect> &bounds, Edge edge, const QRect first)
{
    for (QRect &rect : bounds) {
        switch (edge) {
        case Edge::Left:
            rect.moveLeft(first.left());
            break;
        case Edge::Right:
            rect.moveLeft(first.left() + first.width() - rect.width());
            break;
        case Edge::Top:
            rect.moveTop(first.top());
            break;
        case Edge::Bottom:
            rect.moveTop(first.top() + first.height() - rect.height());
            break;
        case Edge::Unchanged:
            return;
        }
    }
}

void applySpacing(QList<QRect> &bounds, Spacing spacing, const QList<int> &order)
{
    if (spacing == Spacing::Unchanged || bounds.size() <= 2)
        return;
    const bool horizontal = spacing == Spacing::Horizontal;
    const auto start = [horizontal](const QRect &r) { return horizontal ? r.left() : r.top(); };
    const auto extent = [horizontal](const QRect &r) { return horizontal ? r.width() : r.height(); };
    const QList<int> placed = orderedBy(bounds, horizontal, order);
    const QRect &anchor = bounds[placed[0]];
    const int gap = start(bounds[placed[1]]) - start(anchor) - extent(anchor);
    for (qsizetype i = 1; i < placed.size(); ++i) {
        const QRect &previous = bounds[placed[i - 1]];
        const int position = start(previous) + extent(previous) + gap;
        QRect &rect = bounds[placed[i]];
        horizontal ? rect.moveLeft(position) : rect.moveTop(position);
    }
}

void centre(QList<QRect> &bounds, const Choices &choices, const QSize &clientArea)
{
    if (bounds.isEmpty() || !(choices.centreVertically || choices.centreHorizontally))
        return;
    const QRect all = std::accumulate(bounds.cbegin(), bounds.cend(), QRect(), [](const QRect &sum, const QRect &r) {
        return sum.united(r);
    });
    // Halves truncated toward zero, as integer division does.
    const int dx = choices.centreHorizontally ? (clientArea.width() - all.width()) / 2 - all.left() : 0;
    const int dy = choices.centreVertically ? (clientArea.height() - all.height()) / 2 - all.top() : 0;
    for (QRect &rect : bounds)
        rect.translate(dx, dy);
}

} // namespace

Result align(const QList<QRect> &controls, const Choices &choices, const QSize &clientArea)
{
    Result result{controls, {}};
    QList<int> given(controls.size());
    std::iota(given.begin(), given.end(), 0);
    result.order = orderedBy(controls, choices.spacing == Spacing::Horizontal, given);
    if (controls.isEmpty())
        return result;
    QList<QRect> &bounds = result.bounds;
    applySize(bounds, choices.size);
    applyEdge(bounds, choices.edge, bounds[result.order.first()]);
    applySpacing(bounds, choices.spacing, result.order);
    centre(bounds, choices, clientArea);
    return result;
}

} // namespace Alignment
