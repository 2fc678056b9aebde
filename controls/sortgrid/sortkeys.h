#pragma once

// What a sortable grid needs that has nothing to do with widgets: the sort
// options, the one text form of a date-time the grid shows and reads back,
// cell conversion, column type detection and the order of a column's cells.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace SortGrid {

enum class SortStyle : unsigned char { Auto, Alphabetic, Numeric, DateTime, Time, Custom };
enum class SortDirection : unsigned char { Ascending, Descending };

// Negative, zero or positive, as the first text sorts before, with or after
// the second.
using SortCompare = std::function<int(const QString &, const QString &)>;

struct TSortOptions {
    SortStyle Style = SortStyle::Auto;
    SortDirection Direction = SortDirection::Ascending;
    bool CaseSensitive = false;
    SortCompare Compare;
};

// The grid's date style: the short date, two blanks, the short time
// ("31.12.1999  23:59").
QString formatDateTime(const QDateTime &value);
// Reads what formatDateTime writes, and also a date or a time alone (blanks
// between them may be one or more; seconds may follow the minutes). A time
// alone lies on the day the date count starts from (1899-12-30).
std::optional<QDateTime> parseDateTime(const QString &text);
// A time of day alone ("23:59" or "23:59:30").
std::optional<QTime> parseTime(const QString &text);
// A finite decimal number, with a point or a comma; "nan", "inf" and
// overflowing numbers are not numbers.
std::optional<double> parseNumber(const QString &text);

// The style of a column of cells: numeric when every cell is a number, else
// date and time when every cell is a date-time, else time when every cell
// is a time, else alphabetic. An empty cell is none of them.
SortStyle detectStyle(const QStringList &cells);

// The order of cells under options (automatic style counts as
// alphabetic): result[i] is the index in cells of the cell that comes i-th.
// Keys are computed once; equal keys keep their order in both directions;
// cells that do not convert under the style (and a compare function that
// is missing) come last, in their order.
std::vector<int> sortOrder(const QStringList &cells, const TSortOptions &options);

} // namespace SortGrid
