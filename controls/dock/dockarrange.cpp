#include "dock/dockarrange.h"

#include <algorithm>
#include <map>

namespace DockArrange {
namespace {

// Rows in use become 0, 1, 2, ... in their order; empty rows vanish.
void dropEmptyRows(std::vector<Bar> &bars)
{
    std::map<int, int> renumbered;
    for (const Bar &bar : bars)
        renumbered.emplace(bar.row, 0);
    int next = 0;
    for (auto &entry : renumbered)
        entry.second = next++;
    for (Bar &bar : bars)
        bar.row = renumbered.at(bar.row);
}

std::vector<Row> rowSizes(const std::vector<Bar> &bars)
{
    int highest = -1;
    for (const Bar &bar : bars)
        highest = std::max(highest, bar.row);
    std::vector<Row> rows(std::size_t(highest + 1));
    for (const Bar &bar : bars) {
        Row &row = rows[std::size_t(bar.row)];
        row.contentThickness = std::max(row.contentThickness, bar.contentThickness);
        row.fullThickness = row.contentThickness + BarBorder;
    }
    return rows;
}

// Bars of one row never overlap: a bar before the end of the previous one
// moves up to it.
void pushApart(std::vector<Bar> &bars, const std::vector<int> &order, int row)
{
    int running = 0;
    for (int index : order) {
        Bar &bar = bars[std::size_t(index)];
        if (bar.row != row)
            continue;
        if (bar.pos < running)
            bar.pos = running;
        else
            running = bar.pos;
        running += bar.length;
    }
}

// A row running past the dock's end moves back as a whole by its excess.
void pullBack(std::vector<Bar> &bars, const std::vector<int> &order, int row, int clientLength)
{
    for (std::size_t i = 0; i < order.size(); ++i) {
        Bar &bar = bars[std::size_t(order[i])];
        if (bar.row != row)
            continue;
        for (std::size_t k = order.size(); k-- > i;) {
            const Bar &last = bars[std::size_t(order[k])];
            if (last.row == row && last.pos + last.length > clientLength) {
                bar.pos -= last.pos + last.length - clientLength;
                break;
            }
        }
    }
}

} // namespace

Result arrange(const std::vector<Bar> &input, int clientLength, bool limitToOneRow)
{
    std::vector<Bar> bars = input;
    for (Bar &bar : bars) {
        // A negative row would sort before row 0 and leave a hole below it.
        bar.row = limitToOneRow ? 0 : std::max(bar.row, 0);
    }
    Result result;
    result.order.resize(bars.size());
    for (std::size_t i = 0; i < bars.size(); ++i)
        result.order[i] = int(i);
    // Stable: bars with equal keys keep their list order, so two bars at the
    // same place do not swap on every arrange.
    std::stable_sort(result.order.begin(), result.order.end(), [&bars](int a, int b) {
        const Bar &left = bars[std::size_t(a)];
        const Bar &right = bars[std::size_t(b)];
        return left.row != right.row ? left.row < right.row : left.pos < right.pos;
    });
    dropEmptyRows(bars);
    result.rows = rowSizes(bars);

    result.placements.resize(bars.size());
    int rowOffset = 0;
    for (int row = 0; row < int(result.rows.size()); ++row) {
        pushApart(bars, result.order, row);
        if (clientLength > 0)
            pullBack(bars, result.order, row, clientLength);
        const int thickness = std::max(MinThickness, result.rows[std::size_t(row)].fullThickness);
        int running = 0;
        for (int index : result.order) {
            Bar &bar = bars[std::size_t(index)];
            if (bar.row != row)
                continue;
            // Raised again so the pull-back never leaves a bar before 0.
            if (bar.pos < running)
                bar.pos = running;
            else
                running = bar.pos;
            result.placements[std::size_t(index)] = {bar.row, bar.pos, bar.pos, rowOffset, bar.length, thickness};
            running += bar.length;
        }
        rowOffset += thickness;
    }
    result.thickness = rowOffset;
    return result;
}

int emptyThickness(bool fixAlign, bool designing)
{
    if (designing)
        return 9;
    return fixAlign ? 1 : 0;
}

int rowAtPoint(const std::vector<Row> &rows, int offset, bool *isNewRow)
{
    *isNewRow = false;
    int start = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const bool last = i + 1 == rows.size();
        const int end = start + rows[i].fullThickness;
        if (offset <= start + 5) {
            *isNewRow = true;
            return int(i);
        }
        if (offset >= start + 5 && (last || offset <= end - 5))
            return int(i);
        start = end;
    }
    return int(rows.size());
}

int rowAtOffset(const std::vector<Row> &rows, int offset)
{
    int end = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        end += rows[i].fullThickness;
        if (end > offset)
            return int(i);
    }
    return int(rows.size());
}

} // namespace DockArrange
