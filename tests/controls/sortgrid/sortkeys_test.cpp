#include "sortgrid/sortkeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace SortGrid;

namespace {

QStringList ordered(const QStringList &cells, const TSortOptions &options)
{
    QStringList result;
    for (const int i : sortOrder(cells, options))
        result.append(cells[i]);
    return result;
}

TSortOptions style(SortStyle s, SortDirection d = SortDirection::Ascending, bool caseSensitive = false)
{
    TSortOptions options;
    options.Style = s;
    options.Direction = d;
    options.CaseSensitive = caseSensitive;
    return options;
}

} // namespace

TEST(SortKeys, DateStyleRoundTripsAndReadsItsParts)
{
    const QDateTime value(QDate(1999, 12, 31), QTime(23, 59), Qt::UTC);
    EXPECT_EQ(formatDateTime(value), QStringLiteral("31.12.1999  23:59"));
    EXPECT_EQ(parseDateTime(formatDateTime(value)), value);

    struct Case {
        const char *text;
        bool dateTime;
        bool time;
    } cases[] = {
        {"01.02.2003 04:05", true, false},   {"1.2.2003", true, false},  {"04:05", true, true},
        {"04:05:06", true, true},            {"31.02.2003", false, false}, {"24:00", false, false},
        {"2003-02-01", false, false},        {"", false, false},         {"01.02.2003  04:05  x", false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(parseDateTime(QString::fromUtf8(c.text)).has_value(), c.dateTime) << c.text;
        EXPECT_EQ(parseTime(QString::fromUtf8(c.text)).has_value(), c.time) << c.text;
    }
}

TEST(SortKeys, NumbersAreFiniteDecimalsOnly)
{
    struct Case {
        const char *text;
        std::optional<double> value;
    } cases[] = {
        {"12", 12},    {"-3.5", -3.5}, {"2,25", 2.25}, {" 7 ", 7},      {"1e3", 1000},
        {"nan", {}},   {"NaN", {}},    {"inf", {}},    {"-infinity", {}}, {"1e999", {}},
        {"0x10", {}},  {"", {}},       {"12a", {}},    {".", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(SortKeys, ColumnStyleIsDetectedFromEveryCell)
{
    struct Case {
        QStringList cells;
        SortStyle style;
    } cases[] = {
        {{"10", "9", "100"}, SortStyle::Numeric},
        {{"10", "", "100"}, SortStyle::Alphabetic},
        {{"01.01.2020  10:00", "31.12.2019"}, SortStyle::DateTime},
        // A time alone is a date-time too, and date-time is asked first.
        {{"10:00", "9:30"}, SortStyle::DateTime},
        {{"10", "01.01.2020"}, SortStyle::Alphabetic},
        {{"nan", "1"}, SortStyle::Alphabetic},
    };
    for (const Case &c : cases)
        EXPECT_EQ(detectStyle(c.cells), c.style) << c.cells.join(u'|').toStdString();
}

TEST(SortKeys, OrderTable)
{
    const auto Asc = SortDirection::Ascending;
    const auto Desc = SortDirection::Descending;
    struct Case {
        const char *name;
        QStringList cells;
        TSortOptions options;
        QStringList expected;
    } cases[] = {
        {"numbers by value", {"10", "9", "100"}, style(SortStyle::Numeric), {"9", "10", "100"}},
        {"numbers descending", {"10", "9", "100"}, style(SortStyle::Numeric, Desc), {"100", "10", "9"}},
        {"text byte by byte", {"10", "9", "100"}, style(SortStyle::Alphabetic), {"10", "100", "9"}},
        {"case folded, ties keep order", {"b", "B", "a", "b"}, style(SortStyle::Alphabetic), {"a", "b", "B", "b"}},
        {"case folded descending, ties keep order", {"b", "a", "B"}, style(SortStyle::Alphabetic, Desc), {"b", "B", "a"}},
        {"case sensitive", {"b", "B", "a"}, style(SortStyle::Alphabetic, Asc, true), {"B", "a", "b"}},
        {"dates across years",
         {"05.01.2021  08:00", "31.12.2020  23:59", "01.06.2019  12:00"},
         style(SortStyle::DateTime),
         {"01.06.2019  12:00", "31.12.2020  23:59", "05.01.2021  08:00"}},
        {"times", {"10:00", "9:30", "23:15"}, style(SortStyle::Time, Desc), {"23:15", "10:00", "9:30"}},
        {"unconvertible last in both directions",
         {"x", "2", "nan", "1", ""},
         style(SortStyle::Numeric, Desc),
         {"2", "1", "x", "nan", ""}},
        {"forced date over text keeps text last", {"b", "01.01.2000", "a"}, style(SortStyle::DateTime),
         {"01.01.2000", "b", "a"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ordered(c.cells, c.options), c.expected) << c.name;
}

TEST(SortKeys, CustomCompareDecidesAndTiesKeepOrder)
{
    TSortOptions options = style(SortStyle::Custom);
    options.Compare = [](const QString &a, const QString &b) { return int(a.size()) - int(b.size()); };
    EXPECT_EQ(ordered({"ccc", "a", "bb", "d"}, options), (QStringList{"a", "d", "bb", "ccc"}));
    options.Compare = nullptr;
    EXPECT_EQ(ordered({"b", "a"}, options), (QStringList{"b", "a"}));
}

// Random cells under every forced style and direction: the result is a
// permutation, converted cells are in order and ties and the rest keep
// their order.
TEST(SortKeys, RandomCellsGiveASortedPermutation)
{
    std::mt19937 random(28);
    const QStringList pool = {"nan", "inf", "-1", "2.5", "2,5", "", "abc", "ABC", "10:00", "01.01.2000",
                              "31.12.1999  23:00", "7", "1e999", "x1", "0"};
    const SortStyle styles[] = {SortStyle::Auto, SortStyle::Alphabetic, SortStyle::Numeric, SortStyle::DateTime,
                                SortStyle::Time};
    for (int round = 0; round < 300; ++round) {
        QStringList cells;
        const int count = int(random() % 40);
        for (int i = 0; i < count; ++i)
            cells.append(pool[int(random() % pool.size())]);
        for (const SortStyle s : styles)
            for (const SortDirection d : {SortDirection::Ascending, SortDirection::Descending}) {
                const TSortOptions options = style(s, d);
                const std::vector<int> order = sortOrder(cells, options);
                std::vector<int> seen = order;
                std::sort(seen.begin(), seen.end());
                for (int i = 0; i < count; ++i)
                    ASSERT_EQ(seen[std::size_t(i)], i);
                // Converted cells come first, then the rest by index.
                const auto converts = [&](const QString &cell) {
                    switch (s) {
                    case SortStyle::Numeric: return parseNumber(cell).has_value();
                    case SortStyle::DateTime: return parseDateTime(cell).has_value();
                    case SortStyle::Time: return parseTime(cell).has_value();
                    default: return true;
                    }
                };
                bool inRest = false;
                for (std::size_t i = 0; i < order.size(); ++i) {
                    const bool ok = converts(cells[order[i]]);
                    ASSERT_FALSE(inRest && ok) << "converted cell after the unconverted ones";
                    inRest = inRest || !ok;
                    if (i > 0 && !ok && !converts(cells[order[i - 1]])) {
                        ASSERT_LT(order[i - 1], order[i]);
                    }
                }
                if (s == SortStyle::Numeric)
                    for (std::size_t i = 1; i < order.size(); ++i) {
                        const auto a = parseNumber(cells[order[i - 1]]), b = parseNumber(cells[order[i]]);
                        if (!a || !b)
                            continue;
                        ASSERT_TRUE(d == SortDirection::Ascending ? *a <= *b : *a >= *b);
                        if (*a == *b) {
                            ASSERT_LT(order[i - 1], order[i]);
                        }
                    }
            }
    }
}
