#pragma once

// A string grid that sorts its rows by a column when a header cell is
// clicked. Cells live in a plain string model: a listing of tens of
// thousands of rows is drawn only where it shows and sorted by keys
// computed once per row.
//
// Row and column numbers count the fixed row (shown as the header) and
// the fixed columns, as in the grid's cells; row FixedRows() is the first
// data row.

#include "sortkeys.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QTableView>

#include <functional>
#include <vector>

class QPainter;

namespace SortGrid {

enum class HorzAlignment { Left, Right, Center };
enum class VertAlignment { Top, Bottom, Middle };
enum class BevelStyle { None, Raised, Lowered };

enum GridDrawState { gdSelected = 1, gdFocused = 2, gdFixed = 4 };

struct TFormatOptions {
    QBrush Brush;
    QFont Font;
    HorzAlignment AlignmentHorz = HorzAlignment::Left;
    VertAlignment AlignmentVert = VertAlignment::Top;
    BevelStyle Bevel = BevelStyle::None;
    QColor BevelTopLeft;
    QColor BevelBottomRight;
    bool HideText = false;
};

class TSortGridModel;

} // namespace SortGrid

class TSortGrid : public QTableView
{
    Q_OBJECT
public:
    using TSortOptions = SortGrid::TSortOptions;
    using TFormatOptions = SortGrid::TFormatOptions;

    using FormatEvent = std::function<void(QObject *sender, int col, int row, int state, TFormatOptions &options)>;
    using ClickSortEvent = std::function<void(QObject *sender, int col, int row, TSortOptions &options)>;
    using BeginSortEvent = std::function<void(QObject *sender, int col, TSortOptions &options)>;
    using ColEvent = std::function<void(QObject *sender, int col)>;
    using IndexEvent = std::function<void(QObject *sender, int index)>;
    using NotifyEvent = std::function<void(QObject *sender)>;
    using SizeEvent = std::function<void(QObject *sender, int oldColCount, int oldRowCount)>;
    using ValidateEvent = std::function<void(QObject *sender, int col, int row, QString &value, bool &valid)>;
    // Fired last when a cell (header cells included) has been drawn.
    using DrawCellEvent = std::function<void(QObject *sender, int col, int row, const QRect &rect, int state,
                                             QPainter &painter)>;

    explicit TSortGrid(QWidget *parent = nullptr);
    ~TSortGrid() override;

    // ---- the string grid ----
    int ColCount() const;
    int RowCount() const;
    void setColCount(int count);
    void setRowCount(int count);
    // 0 or 1: the fixed row is the header.
    int FixedRows() const { return m_fixedRows; }
    void setFixedRows(int count);
    // Leading columns drawn as fixed and never made current.
    int FixedCols() const { return m_fixedCols; }
    void setFixedCols(int count);
    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString &text);
    int Col() const;
    int Row() const;
    // Rows of the selection, top to bottom, in grid numbers.
    std::vector<int> SelectedRows() const;
    int ColWidths(int col) const;
    void setColWidths(int col, int width);
    void setDefaultRowHeight(int height);
    void setRowSelect(bool on);
    void setRangeSelect(bool on);
    void setColSizing(bool on);
    void setEditing(bool on);
    void setAlwaysShowEditor(bool on);
    bool AlwaysShowEditor() const { return m_alwaysShowEditor; }
    bool DefaultDrawing = true;
    bool Modified() const;

    // ---- the sortable grid ----
    bool CaseSensitive = false;
    SortGrid::HorzAlignment AlignmentHorz = SortGrid::HorzAlignment::Left;
    SortGrid::VertAlignment AlignmentVert = SortGrid::VertAlignment::Top;
    bool ClickSorting = true;
    SortGrid::BevelStyle BevelStyle = SortGrid::BevelStyle::None;
    bool ProportionalScrollBars() const { return m_proportionalScrollBars; }
    void setProportionalScrollBars(bool on);
    bool ExtendedKeys = false;

    FormatEvent OnGetCellFormat;
    ClickSortEvent OnClickSort;
    BeginSortEvent OnBeginSort;
    ColEvent OnEndSort;
    IndexEvent OnRowInsert;
    IndexEvent OnRowDelete;
    IndexEvent OnColumnInsert;
    IndexEvent OnColumnDelete;
    NotifyEvent OnColumnWidthsChanged;
    NotifyEvent OnRowHeightsChanged;
    SizeEvent OnSizeChanged;
    ValidateEvent OnCellValidate;
    DrawCellEvent OnDrawCell;
    // Mouse presses on the grid's cells or its header; the header row is
    // row 0 when the grid has a fixed row.
    std::function<void(QObject *sender, Qt::MouseButton button, int col, int row)> OnMouseDown;
    // Double clicks on a cell or on the header.
    NotifyEvent OnDblClick;

    virtual bool SelectCellAllowed(int col, int row) const;
    virtual void SortRows(int col, const TSortOptions &options);
    virtual SortGrid::SortStyle DetectSortStyle(int col) const;
    virtual void UpdateScrollBars();
    virtual void RememberCell();
    virtual void SelectCellAt(int col, int row);
    virtual void ClearCells();
    virtual void InsertRowAt(int index);
    virtual void InsertColumnAt(int index);
    virtual void DeleteRowAt(int index);
    virtual void DeleteColumnAt(int index);
    virtual void MoveRowTo(int from, int to);
    virtual void MoveColumnTo(int from, int to);
    virtual void SwapRowsAt(int a, int b);
    virtual void SwapColumnsAt(int a, int b);
    virtual void FitColumnWidth(int col);
    virtual void FitAllColumns(bool includeFixed, int extraWidth);
    virtual void SortByColumn(int col, TSortOptions options);
    virtual bool FindText(const QString &text, int &col, int &row) const;
    // Windows-1250 lines; false when the file cannot be read or written.
    virtual bool LoadFromTextFile(const QString &fileName, QChar separator);
    virtual bool SaveToTextFile(const QString &fileName, QChar separator) const;
    virtual bool SortStillValid();
    virtual void RestoreUnsortedOrder();
    virtual void ValidateCell();

    // The format a cell is drawn and measured in.
    TFormatOptions CellFormat(int col, int row, int state) const;
    int CellState(int col, int row) const;
    bool Sorting() const { return m_sorting; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void headerPressed(QMouseEvent *event);
    void headerReleased(QMouseEvent *event);
    bool editorShown() const;
    void applyOrder(const std::vector<int> &order);
    void applySelectionMode();
    void sizeChanged(int oldCols, int oldRows);
    QModelIndex indexOf(int col, int row) const;

    SortGrid::TSortGridModel *m_model;
    int m_fixedRows = 1;
    int m_fixedCols = 0;
    bool m_rowSelect = false;
    bool m_rangeSelect = false;
    bool m_alwaysShowEditor = false;
    bool m_proportionalScrollBars = true;
    bool m_sorting = false;
    // The row each data row came from in the last sort (data row numbers).
    std::vector<int> m_sortedFrom;
    struct Remembered {
        int col = -1;
        int row = -1;
        QString text;
        bool modified = false;
    } m_remembered;
    // A header press that may become a sorting click.
    struct HeaderPress {
        int section = -1;
        Qt::MouseButton button = Qt::NoButton;
        std::vector<int> sizes;
        bool shift = false;
    } m_headerPress;
};
