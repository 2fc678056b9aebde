#include "sortgrid/sortgrid.h"

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace SortGrid;

namespace {

// A shown grid with a header row and the given data rows.
struct GridFixture : ::testing::Test
{
    TSortGrid grid;

    void fill(const QList<QStringList> &rows)
    {
        grid.setColCount(int(rows.front().size()));
        grid.setRowCount(int(rows.size()));
        for (int row = 0; row < rows.size(); ++row)
            for (int col = 0; col < rows[row].size(); ++col)
                grid.setCells(col, row, rows[row][col]);
    }

    QStringList column(int col) const
    {
        QStringList cells;
        for (int row = grid.FixedRows(); row < grid.RowCount(); ++row)
            cells.append(grid.Cells(col, row));
        return cells;
    }

    void show()
    {
        grid.resize(400, 300);
        grid.show();
        grid.activateWindow();
        grid.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void clickHeader(int col, Qt::MouseButton button)
    {
        QHeaderView *header = grid.horizontalHeader();
        const QPoint at(header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), button, {}, at);
    }
};

} // namespace

TEST_F(GridFixture, ColumnSortTable)
{
    struct Case {
        const char *name;
        QStringList cells;
        SortDirection direction;
        QStringList expected;
    } cases[] = {
        {"numbers", {"10", "9", "100"}, SortDirection::Ascending, {"9", "10", "100"}},
        {"an empty cell makes numbers text", {"10", "", "9", "100"}, SortDirection::Ascending, {"", "10", "100", "9"}},
        {"dates across years",
         {"02.01.2021  00:00", "31.12.2020  23:59", "15.06.2019  10:00"},
         SortDirection::Descending,
         {"02.01.2021  00:00", "31.12.2020  23:59", "15.06.2019  10:00"}},
        {"ties keep order descending", {"b", "a", "B", "A"}, SortDirection::Descending, {"b", "B", "a", "A"}},
    };
    for (const Case &c : cases) {
        QList<QStringList> rows{{"key", "tag"}};
        for (int i = 0; i < c.cells.size(); ++i)
            rows.append({c.cells[i], QString::number(i)});
        fill(rows);
        TSortOptions options;
        options.Direction = c.direction;
        grid.SortByColumn(0, options);
        EXPECT_EQ(column(0), c.expected) << c.name;
        // Whole rows move: each tag still stands beside its key.
        for (int row = 1; row < grid.RowCount(); ++row)
            EXPECT_EQ(grid.Cells(0, row), c.cells[grid.Cells(1, row).toInt()]) << c.name;
        EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("key")) << c.name;
    }
}

TEST_F(GridFixture, SortEventsFireAroundASortAndNotForOneRow)
{
    QStringList events;
    grid.OnBeginSort = [&](QObject *, int col, TSortOptions &options) {
        events << QStringLiteral("begin %1 %2").arg(col).arg(int(options.Style));
        options.Direction = SortDirection::Descending;
    };
    grid.OnEndSort = [&](QObject *, int col) { events << QStringLiteral("end %1").arg(col); };

    fill({{"h"}, {"1"}});
    grid.SortByColumn(0, {});
    EXPECT_TRUE(events.isEmpty());

    fill({{"h"}, {"1"}, {"3"}, {"2"}});
    grid.SortByColumn(0, {});
    EXPECT_EQ(events, (QStringList{"begin 0 2", "end 0"}));
    EXPECT_EQ(column(0), (QStringList{"3", "2", "1"}));
}

TEST_F(GridFixture, HeaderClicksSortByButtonAndHandlerMayChangeOptions)
{
    fill({{"n", "t"}, {"2", "b"}, {"10", "a"}, {"1", "c"}});
    show();

    clickHeader(0, Qt::LeftButton);
    EXPECT_EQ(column(0), (QStringList{"1", "2", "10"}));
    clickHeader(0, Qt::RightButton);
    EXPECT_EQ(column(0), (QStringList{"10", "2", "1"}));

    QList<int> clicked;
    grid.OnClickSort = [&](QObject *, int col, int row, TSortOptions &options) {
        clicked << col << row;
        options.Direction = SortDirection::Descending;
    };
    clickHeader(1, Qt::LeftButton);
    EXPECT_EQ(clicked, (QList<int>{1, 0}));
    EXPECT_EQ(column(1), (QStringList{"c", "b", "a"}));

    grid.ClickSorting = false;
    clickHeader(0, Qt::LeftButton);
    EXPECT_EQ(column(1), (QStringList{"c", "b", "a"}));
}

TEST_F(GridFixture, CurrentRowFollowsItsRowAndUnsortedOrderComesBack)
{
    fill({{"h"}, {"c"}, {"a"}, {"b"}});
    grid.SelectCellAt(0, 1);
    grid.SortByColumn(0, {});
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.Cells(0, grid.Row()), QStringLiteral("c"));

    ASSERT_TRUE(grid.SortStillValid());
    grid.RestoreUnsortedOrder();
    EXPECT_EQ(column(0), (QStringList{"c", "a", "b"}));
    EXPECT_EQ(grid.Row(), 1);

    grid.SortByColumn(0, {});
    grid.setRowCount(5);
    EXPECT_FALSE(grid.SortStillValid());
    grid.RestoreUnsortedOrder();
    EXPECT_EQ(column(0), (QStringList{"a", "b", "c", ""}));
}

TEST_F(GridFixture, RowAndColumnEditing)
{
    fill({{"h0", "h1", "h2"}, {"a", "1", "x"}, {"b", "2", "y"}, {"c", "3", "z"}});
    QStringList events;
    grid.OnRowInsert = [&](QObject *, int i) { events << QStringLiteral("row+%1").arg(i); };
    grid.OnRowDelete = [&](QObject *, int i) { events << QStringLiteral("row-%1").arg(i); };
    grid.OnColumnInsert = [&](QObject *, int i) { events << QStringLiteral("col+%1").arg(i); };
    grid.OnColumnDelete = [&](QObject *, int i) { events << QStringLiteral("col-%1").arg(i); };
    grid.OnSizeChanged = [&](QObject *, int c, int r) { events << QStringLiteral("size %1x%2").arg(c).arg(r); };

    grid.InsertRowAt(2);
    EXPECT_EQ(column(0), (QStringList{"a", "", "b", "c"}));
    EXPECT_EQ(grid.Row(), 2);
    grid.DeleteRowAt(1);
    EXPECT_EQ(column(0), (QStringList{"", "b", "c"}));
    grid.MoveRowTo(3, 1);
    EXPECT_EQ(column(0), (QStringList{"c", "", "b"}));
    grid.SwapRowsAt(1, 3);
    EXPECT_EQ(column(0), (QStringList{"b", "", "c"}));
    grid.SwapRowsAt(3, 2);
    EXPECT_EQ(column(0), (QStringList{"b", "c", ""}));

    grid.setColWidths(0, 40);
    grid.setColWidths(2, 90);
    grid.SwapColumnsAt(0, 2);
    EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("h2"));
    EXPECT_EQ(grid.Cells(2, 0), QStringLiteral("h0"));
    EXPECT_EQ(grid.ColWidths(0), 90);
    EXPECT_EQ(grid.ColWidths(2), 40);
    grid.InsertColumnAt(1);
    EXPECT_EQ(grid.Cells(1, 0), QString());
    EXPECT_EQ(grid.Cells(2, 0), QStringLiteral("h1"));
    grid.DeleteColumnAt(0);
    EXPECT_EQ(grid.Cells(1, 0), QStringLiteral("h1"));

    EXPECT_EQ(events, (QStringList{"size 3x4", "row+2", "size 3x5", "row-1", "size 3x4", "col+1", "size 4x4",
                                   "col-0"}));

    int col = -1, row = -1;
    EXPECT_TRUE(grid.FindText(QStringLiteral("H1"), col, row));
    EXPECT_EQ(col, 1);
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(grid.FindText(QStringLiteral("nothing"), col, row));
}

TEST_F(GridFixture, ExtendedKeysEditRowsAndColumns)
{
    fill({{"h0", "h1"}, {"a", "1"}, {"b", "2"}});
    show();
    grid.SelectCellAt(0, 2);
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(grid.RowCount(), 3); // off by default
    grid.ExtendedKeys = true;
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(column(0), (QStringList{"a", "", "b"}));
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(column(0), (QStringList{"a"}));
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier); // the last data row stays
    EXPECT_EQ(grid.RowCount(), 2);
    QTest::keyClick(&grid, Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(grid.ColCount(), 3);
}

TEST_F(GridFixture, ValidationKeepsAcceptsOrReplacesAnEdit)
{
    struct Case {
        const char *name;
        bool valid;
        const char *replacement; // nullptr: the handler leaves the value
        const char *expected;
    } cases[] = {
        {"accepted", true, nullptr, "typed"},
        {"accepted with a change", true, "TYPED", "TYPED"},
        {"refused", false, nullptr, "old"},
        {"refused with a replacement", false, "fixed", "fixed"},
    };
    fill({{"h"}, {"old"}, {"other"}});
    grid.setEditing(true);
    show();
    for (const Case &c : cases) {
        grid.setCells(0, 1, QStringLiteral("old"));
        grid.SelectCellAt(0, 2);
        grid.SelectCellAt(0, 1);
        QList<int> at;
        grid.OnCellValidate = [&](QObject *, int col, int row, QString &value, bool &valid) {
            at << col << row;
            EXPECT_EQ(value, QStringLiteral("typed"));
            valid = c.valid;
            if (c.replacement)
                value = QString::fromUtf8(c.replacement);
        };
        QTest::keyClick(&grid, Qt::Key_F2);
        QApplication::processEvents();
        QWidget *editor = QApplication::focusWidget();
        ASSERT_NE(editor, &grid) << c.name;
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, QStringLiteral("typed"));
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_EQ(grid.Cells(0, 1), QString::fromUtf8(c.expected)) << c.name;
        EXPECT_EQ(at, (QList<int>{0, 1})) << c.name;
    }
}

TEST_F(GridFixture, TextFilesRoundTripWithEmptyFieldsAndRaggedLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Nazwa;Rozmiar\r\n\xBF\xF3\xB3w;12;\r\n;;;x\r\nkoniec\r\n");
    file.close();

    ASSERT_TRUE(grid.LoadFromTextFile(path, u';'));
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.ColCount(), 4);
    EXPECT_EQ(grid.Cells(0, 1), QStringLiteral("żółw"));
    EXPECT_EQ(grid.Cells(3, 2), QStringLiteral("x"));
    EXPECT_EQ(grid.Cells(0, 0), QStringLiteral("Nazwa"));

    const QString copy = dir.filePath(QStringLiteral("copy.txt"));
    ASSERT_TRUE(grid.SaveToTextFile(copy, u';'));
    QFile saved(copy);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("Nazwa;Rozmiar;;\r\n\xBF\xF3\xB3w;12;;\r\n;;;x\r\nkoniec;;;\r\n"));

    EXPECT_FALSE(grid.LoadFromTextFile(dir.filePath(QStringLiteral("missing.txt")), u';'));
}

TEST_F(GridFixture, CellFormatsAlignAndFitColumns)
{
    fill({{"h", "x"}, {"short", "1"}, {"a much longer cell", "2"}});
    grid.OnGetCellFormat = [](QObject *, int col, int row, int state, TFormatOptions &format) {
        if (row == 0) {
            EXPECT_TRUE(state & gdFixed);
        }
        if (col == 1)
            format.Font.setPointSize(format.Font.pointSize() * 3);
    };
    grid.FitColumnWidth(0);
    const QFontMetrics metrics(grid.font());
    EXPECT_EQ(grid.ColWidths(0), metrics.horizontalAdvance(QStringLiteral("a much longer cell")) + metrics.horizontalAdvance(u'x'));
    grid.FitAllColumns(true, 5);
    EXPECT_GT(grid.ColWidths(1), metrics.horizontalAdvance(u'x') * 3);
    EXPECT_EQ(grid.ColWidths(0), metrics.horizontalAdvance(QStringLiteral("a much longer cell")) + metrics.horizontalAdvance(u'x') + 5);

    grid.BevelStyle = BevelStyle::Raised;
    const TFormatOptions raised = grid.CellFormat(0, 1, 0);
    EXPECT_EQ(raised.BevelTopLeft, grid.palette().color(QPalette::Light));
    EXPECT_EQ(raised.BevelBottomRight, grid.palette().color(QPalette::Dark));
}
