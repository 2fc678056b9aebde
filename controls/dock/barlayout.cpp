#include "dock/barlayout.h"

#include "dock/dockarrange.h"

#include <algorithm>

namespace BarLayout {
namespace {

bool isVertical(Orientation orientation)
{
    return orientation == Orientation::Vertical;
}

int lengthOf(const Item &item, Orientation orientation)
{
    if (item.separator)
        return isVertical(orientation) ? item.sizeVert : item.sizeHorz;
    return isVertical(orientation) ? item.height : item.width;
}

// Length of the group starting at first: its controls up to and without
// the separator that ends it.
int groupLength(const std::vector<Item> &items, std::size_t first, Orientation orientation)
{
    int length = 0;
    for (std::size_t i = first; i < items.size() && !items[i].separator; ++i)
        length += lengthOf(items[i], orientation);
    return length;
}

QRect rectAt(int along, int across, int length, int thickness, Orientation orientation)
{
    if (isVertical(orientation))
        return QRect(across, along, thickness, length);
    return QRect(along, across, length, thickness);
}

} // namespace

Margins margins(Orientation orientation, bool grip)
{
    if (orientation == Orientation::Floating)
        return {2, 1, 4, 4};
    return {2, 2, grip ? 11 : 2, 2};
}

int contentThickness(const std::vector<Item> &items, Orientation orientation)
{
    int thickness = DockArrange::MinThickness;
    for (const Item &item : items) {
        if (!item.separator)
            thickness = std::max(thickness, isVertical(orientation) ? item.width : item.height);
    }
    return thickness;
}

Result arrange(const std::vector<Item> &items, const Input &input)
{
    const Orientation orientation = input.orientation;
    const Margins margin = margins(orientation, input.grip);
    const int wrap = orientation == Orientation::Floating ? input.wrapWidth : 0;
    const int line = input.lineThickness > 0 ? input.lineThickness : contentThickness(items, orientation);

    Result result;
    result.rects.resize(items.size());
    int along = margin.alongBefore;
    int across = margin.acrossBefore;
    int longest = along;
    int lastSeparator = -1;
    bool groupStart = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        const int length = lengthOf(item, orientation);
        const bool lineHasControls = along > margin.alongBefore;
        if (wrap > 0 && lineHasControls) {
            // A group wider than the wrap width on a line of its own stays
            // there: no empty line opens before it.
            if (groupStart && along + groupLength(items, i, orientation) + margin.alongAfter > wrap) {
                along = margin.alongBefore;
                across += line + LineGap;
                if (lastSeparator >= 0) {
                    result.rects[std::size_t(lastSeparator)].setWidth(0);
                    result.lines.push_back({across, lastSeparator});
                }
            } else if (!item.separator && along + length + margin.alongAfter > wrap) {
                along = margin.alongBefore;
                across += line;
            }
        }
        if (item.separator) {
            result.rects[i] = rectAt(along, across, length, line, orientation);
            lastSeparator = int(i);
        } else {
            const int size = isVertical(orientation) ? item.width : item.height;
            const int offset = (line - size) / 2;
            result.rects[i] = rectAt(along, across + offset, length, size, orientation);
        }
        along += length;
        longest = std::max(longest, along);
        groupStart = item.separator;
    }
    const int alongSize = longest + margin.alongAfter;
    const int acrossSize = std::max(across + line + margin.acrossAfter, input.minimumThickness);
    result.clientSize = isVertical(orientation) ? QSize(acrossSize, alongSize) : QSize(alongSize, acrossSize);
    return result;
}

} // namespace BarLayout
