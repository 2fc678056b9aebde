#pragma once

// The string cells of a sortable grid. All rows are kept, the fixed row
// among them: it is the view's header, and data rows follow it.

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace SortGrid {

class TSortGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TSortGridModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Grid numbers: every row, the fixed ones included.
    int allRows() const { return int(m_rows.size()); }
    int cols() const { return m_cols; }
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int count);
    void setAllRows(int count);
    void setCols(int count);
    const QString &cell(int col, int row) const;
    void setCell(int col, int row, const QString &text);
    // The cells of a column's data rows, top to bottom.
    QStringList dataColumn(int col) const;

    // newToOld[i] is the grid row (column) that becomes row (column) i; the
    // view's current cell and selection follow their rows (columns).
    void permuteRows(const std::vector<int> &newToOld);
    void permuteColumns(const std::vector<int> &newToOld);
    void insertGridRow(int index);
    void removeGridRow(int index);
    void insertGridColumn(int index);
    void removeGridColumn(int index);
    void clearCells();

    bool editable = false;
    // Set when an edit changes a cell's text.
    bool modified = false;

private:
    void announceAll();

    std::vector<QStringList> m_rows;
    int m_cols = 0;
    int m_fixedRows = 1;
};

} // namespace SortGrid
