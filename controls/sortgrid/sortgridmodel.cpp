#include "sortgridmodel.h"

namespace SortGrid {

namespace {

const QString Empty;

std::vector<int> inverse(const std::vector<int> &newToOld)
{
    std::vector<int> oldToNew(newToOld.size());
    for (std::size_t i = 0; i < newToOld.size(); ++i)
        oldToNew[std::size_t(newToOld[i])] = int(i);
    return oldToNew;
}

} // namespace

TSortGridModel::TSortGridModel(QObject *parent) : QAbstractTableModel(parent) {}

int TSortGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : std::max(0, allRows() - m_fixedRows);
}

int TSortGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

QVariant TSortGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.column(), index.row() + m_fixedRows);
}

QVariant TSortGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_fixedRows > 0 ? QVariant(cell(section, 0)) : QVariant();
    return section + m_fixedRows;
}

bool TSortGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (text == cell(index.column(), index.row() + m_fixedRows))
        return true;
    setCell(index.column(), index.row() + m_fixedRows, text);
    modified = true;
    return true;
}

Qt::ItemFlags TSortGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags result = QAbstractTableModel::flags(index);
    if (editable)
        result |= Qt::ItemIsEditable;
    return result;
}

void TSortGridModel::setFixedRows(int count)
{
    beginResetModel();
    m_fixedRows = count;
    if (allRows() < m_fixedRows)
        m_rows.resize(std::size_t(m_fixedRows), QStringList(m_cols, QString()));
    endResetModel();
}

void TSortGridModel::setAllRows(int count)
{
    count = std::max(count, m_fixedRows);
    const int old = allRows();
    if (count > old) {
        beginInsertRows({}, old - m_fixedRows, count - m_fixedRows - 1);
        m_rows.resize(std::size_t(count), QStringList(m_cols, QString()));
        endInsertRows();
    } else if (count < old) {
        beginRemoveRows({}, count - m_fixedRows, old - m_fixedRows - 1);
        m_rows.resize(std::size_t(count));
        endRemoveRows();
    }
}

void TSortGridModel::setCols(int count)
{
    count = std::max(count, 0);
    if (count > m_cols) {
        beginInsertColumns({}, m_cols, count - 1);
        for (QStringList &row : m_rows)
            row.resize(count);
        m_cols = count;
        endInsertColumns();
    } else if (count < m_cols) {
        beginRemoveColumns({}, count, m_cols - 1);
        for (QStringList &row : m_rows)
            row.resize(count);
        m_cols = count;
        endRemoveColumns();
    }
}

const QString &TSortGridModel::cell(int col, int row) const
{
    if (row < 0 || row >= allRows() || col < 0 || col >= m_cols)
        return Empty;
    return m_rows[std::size_t(row)][col];
}

void TSortGridModel::setCell(int col, int row, const QString &text)
{
    if (row < 0 || row >= allRows() || col < 0 || col >= m_cols)
        return;
    m_rows[std::size_t(row)][col] = text;
    if (row < m_fixedRows) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex at = index(row - m_fixedRows, col);
        emit dataChanged(at, at);
    }
}

QStringList TSortGridModel::dataColumn(int col) const
{
    QStringList cells;
    cells.reserve(allRows() - m_fixedRows);
    for (int row = m_fixedRows; row < allRows(); ++row)
        cells.append(m_rows[std::size_t(row)][col]);
    return cells;
}

void TSortGridModel::permuteRows(const std::vector<int> &newToOld)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<QStringList> rows(m_rows.size());
    for (std::size_t i = 0; i < newToOld.size(); ++i)
        rows[i] = std::move(m_rows[std::size_t(newToOld[i])]);
    m_rows = std::move(rows);
    const std::vector<int> oldToNew = inverse(newToOld);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex &at : before) {
        const int row = oldToNew[std::size_t(at.row() + m_fixedRows)] - m_fixedRows;
        after.append(row >= 0 ? index(row, at.column()) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    if (m_fixedRows > 0 && m_cols > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

void TSortGridModel::permuteColumns(const std::vector<int> &newToOld)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::HorizontalSortHint);
    for (QStringList &row : m_rows) {
        QStringList moved(m_cols);
        for (int i = 0; i < m_cols; ++i)
            moved[i] = std::move(row[newToOld[std::size_t(i)]]);
        row = std::move(moved);
    }
    const std::vector<int> oldToNew = inverse(newToOld);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex &at : before)
        after.append(index(at.row(), oldToNew[std::size_t(at.column())]));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::HorizontalSortHint);
    if (m_fixedRows > 0 && m_cols > 0)
        emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
}

void TSortGridModel::insertGridRow(int index)
{
    index = std::clamp(index, m_fixedRows, allRows());
    beginInsertRows({}, index - m_fixedRows, index - m_fixedRows);
    m_rows.insert(m_rows.begin() + index, QStringList(m_cols, QString()));
    endInsertRows();
}

void TSortGridModel::removeGridRow(int index)
{
    if (index < m_fixedRows || index >= allRows())
        return;
    beginRemoveRows({}, index - m_fixedRows, index - m_fixedRows);
    m_rows.erase(m_rows.begin() + index);
    endRemoveRows();
}

void TSortGridModel::insertGridColumn(int index)
{
    index = std::clamp(index, 0, m_cols);
    beginInsertColumns({}, index, index);
    for (QStringList &row : m_rows)
        row.insert(index, QString());
    ++m_cols;
    endInsertColumns();
}

void TSortGridModel::removeGridColumn(int index)
{
    if (index < 0 || index >= m_cols)
        return;
    beginRemoveColumns({}, index, index);
    for (QStringList &row : m_rows)
        row.removeAt(index);
    --m_cols;
    endRemoveColumns();
}

void TSortGridModel::clearCells()
{
    for (QStringList &row : m_rows)
        for (QString &text : row)
            text.clear();
    modified = false;
    announceAll();
}

void TSortGridModel::announceAll()
{
    if (m_cols == 0)
        return;
    emit headerDataChanged(Qt::Horizontal, 0, m_cols - 1);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, m_cols - 1));
}

} // namespace SortGrid
