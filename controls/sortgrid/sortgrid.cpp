#include "sortgrid.h"

#include "sortgridmodel.h"

#include <cp1250.h>
#include <safefile.h>
#include <textfile.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <cmath>
#include <numeric>

using namespace SortGrid;

namespace {

// Draws data cells in their format options, then hands them to the grid's
// draw-cell event.
class CellDelegate : public QStyledItemDelegate
{
public:
    explicit CellDelegate(TSortGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int col = index.column();
        const int row = index.row() + m_grid->FixedRows();
        const int state = m_grid->CellState(col, row);
        const QRect rect = option.rect;
        if (!m_grid->DefaultDrawing) {
            QStyledItemDelegate::paint(painter, option, index);
        } else {
            drawCell(*painter, rect, m_grid->CellFormat(col, row, state), index.data().toString(),
                     col < m_grid->FixedCols());
        }
        if (m_grid->OnDrawCell)
            m_grid->OnDrawCell(m_grid, col, row, rect, state, *painter);
    }

private:
    void drawCell(QPainter &painter, const QRect &rect, const TFormatOptions &format, const QString &text,
                  bool fixed) const
    {
        painter.save();
        painter.fillRect(rect, format.Brush);
        painter.setFont(format.Font);
        if (!format.HideText) {
            const QFontMetrics metrics(format.Font);
            const int width = metrics.horizontalAdvance(text);
            const int height = metrics.height();
            int x = 2, y = 2;
            if (format.AlignmentHorz == HorzAlignment::Right)
                x = rect.width() - width - 2;
            else if (format.AlignmentHorz == HorzAlignment::Center)
                x = (rect.width() - width) / 2;
            if (format.AlignmentVert == VertAlignment::Bottom)
                y = rect.height() - height - 3;
            else if (format.AlignmentVert == VertAlignment::Middle)
                y = (rect.height() - height) / 2;
            painter.setClipRect(rect);
            painter.setPen(format.Font.bold() ? painter.pen().color() : textColor(format));
            painter.drawText(rect.left() + x, rect.top() + y + metrics.ascent(), text);
        }
        if (!fixed && format.Bevel != BevelStyle::None) {
            painter.setClipping(false);
            const QRect edge = rect.adjusted(0, 0, -1, -1);
            painter.setPen(format.BevelBottomRight);
            painter.drawLine(edge.topRight(), edge.bottomRight());
            painter.drawLine(edge.bottomLeft(), edge.bottomRight());
            painter.setPen(format.BevelTopLeft);
            painter.drawLine(edge.topLeft(), edge.bottomLeft());
            painter.drawLine(edge.topLeft(), edge.topRight());
        }
        painter.restore();
    }

    QColor textColor(const TFormatOptions &format) const
    {
        const QPalette &palette = m_grid->palette();
        return format.Brush.color() == palette.color(QPalette::Highlight) ? palette.color(QPalette::HighlightedText)
                                                                           : palette.color(QPalette::Text);
    }

    TSortGrid *m_grid;
};

// The header draws the fixed row; the grid's draw-cell event follows.
class FixedRowHeader : public QHeaderView
{
public:
    explicit FixedRowHeader(TSortGrid *grid) : QHeaderView(Qt::Horizontal, grid), m_grid(grid) {}

protected:
    void paintSection(QPainter *painter, const QRect &rect, int section) const override
    {
        painter->save();
        QHeaderView::paintSection(painter, rect, section);
        painter->restore();
        if (m_grid->OnDrawCell)
            m_grid->OnDrawCell(m_grid, section, 0, rect, gdFixed, *painter);
    }

private:
    TSortGrid *m_grid;
};

QColor systemColor(const QWidget *widget, QPalette::ColorRole role)
{
    return widget->palette().color(role);
}

} // namespace

TSortGrid::TSortGrid(QWidget *parent) : QTableView(parent), m_model(new TSortGridModel(this))
{
    setHorizontalHeader(new FixedRowHeader(this));
    setModel(m_model);
    // Validation sees the edit before the view takes the focus back, which
    // would remember the edited text as the cell's own.
    auto *delegate = new CellDelegate(this);
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] { ValidateCell(); });
    setItemDelegate(delegate);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->viewport()->installEventFilter(this);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    setWordWrap(false);
    setEditTriggers(NoEditTriggers);
    m_model->setCols(5);
    m_model->setAllRows(5);
    applySelectionMode();
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (OnColumnWidthsChanged)
            OnColumnWidthsChanged(this);
    });
}

TSortGrid::~TSortGrid() = default;

// ---- the string grid ----

int TSortGrid::ColCount() const
{
    return m_model->cols();
}

int TSortGrid::RowCount() const
{
    return m_model->allRows();
}

void TSortGrid::setColCount(int count)
{
    const int oldCols = ColCount();
    if (count == oldCols || count < 1)
        return;
    m_model->setCols(count);
    sizeChanged(oldCols, RowCount());
}

void TSortGrid::setRowCount(int count)
{
    const int oldRows = RowCount();
    if (count == oldRows || count < 1)
        return;
    m_model->setAllRows(count);
    sizeChanged(ColCount(), oldRows);
}

void TSortGrid::sizeChanged(int oldCols, int oldRows)
{
    if (!SortStillValid())
        m_sortedFrom.clear();
    UpdateScrollBars();
    if (OnSizeChanged)
        OnSizeChanged(this, oldCols, oldRows);
}

void TSortGrid::setFixedRows(int count)
{
    m_fixedRows = std::clamp(count, 0, 1);
    m_model->setFixedRows(m_fixedRows);
    horizontalHeader()->setVisible(m_fixedRows > 0);
}

void TSortGrid::setFixedCols(int count)
{
    m_fixedCols = std::clamp(count, 0, std::max(0, ColCount() - 1));
    viewport()->update();
}

QString TSortGrid::Cells(int col, int row) const
{
    return m_model->cell(col, row);
}

void TSortGrid::setCells(int col, int row, const QString &text)
{
    m_model->setCell(col, row, text);
}

QModelIndex TSortGrid::indexOf(int col, int row) const
{
    return m_model->index(row - m_fixedRows, col);
}

int TSortGrid::Col() const
{
    return currentIndex().isValid() ? currentIndex().column() : m_fixedCols;
}

int TSortGrid::Row() const
{
    return currentIndex().isValid() ? currentIndex().row() + m_fixedRows : m_fixedRows;
}

std::vector<int> TSortGrid::SelectedRows() const
{
    std::vector<int> rows;
    const QItemSelectionModel *selection = selectionModel();
    for (int row = 0; row < m_model->rowCount(); ++row)
        if (selection->rowIntersectsSelection(row, {}))
            rows.push_back(row + m_fixedRows);
    return rows;
}

int TSortGrid::ColWidths(int col) const
{
    return columnWidth(col);
}

void TSortGrid::setColWidths(int col, int width)
{
    setColumnWidth(col, width);
}

void TSortGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(std::min(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
    if (OnRowHeightsChanged)
        OnRowHeightsChanged(this);
}

void TSortGrid::setRowSelect(bool on)
{
    m_rowSelect = on;
    applySelectionMode();
}

void TSortGrid::setRangeSelect(bool on)
{
    m_rangeSelect = on;
    applySelectionMode();
}

void TSortGrid::applySelectionMode()
{
    setSelectionBehavior(m_rowSelect ? SelectRows : SelectItems);
    setSelectionMode(m_rangeSelect ? ExtendedSelection : SingleSelection);
}

void TSortGrid::setColSizing(bool on)
{
    horizontalHeader()->setSectionResizeMode(on ? QHeaderView::Interactive : QHeaderView::Fixed);
}

void TSortGrid::setEditing(bool on)
{
    m_model->editable = on;
    setEditTriggers(on ? (DoubleClicked | EditKeyPressed | AnyKeyPressed) : NoEditTriggers);
}

void TSortGrid::setAlwaysShowEditor(bool on)
{
    m_alwaysShowEditor = on;
}

bool TSortGrid::Modified() const
{
    return m_model->modified;
}

bool TSortGrid::editorShown() const
{
    return state() == EditingState;
}

// ---- drawing ----

int TSortGrid::CellState(int col, int row) const
{
    int state = 0;
    if (row < m_fixedRows || col < m_fixedCols)
        state |= gdFixed;
    if (row >= m_fixedRows && hasFocus() && currentIndex() == indexOf(col, row))
        state |= gdFocused;
    if (row >= m_fixedRows && selectionModel()->isSelected(indexOf(col, row)))
        state |= gdSelected;
    return state;
}

TFormatOptions TSortGrid::CellFormat(int col, int row, int state) const
{
    TFormatOptions format;
    if (state & gdFixed)
        format.Brush = systemColor(this, QPalette::Button);
    else if (state & gdSelected)
        format.Brush = systemColor(this, QPalette::Highlight);
    else
        format.Brush = systemColor(this, QPalette::Base);
    format.Font = font();
    format.AlignmentHorz = AlignmentHorz;
    format.AlignmentVert = AlignmentVert;
    format.Bevel = BevelStyle;
    switch (BevelStyle) {
    case SortGrid::BevelStyle::Raised:
        format.BevelTopLeft = systemColor(this, QPalette::Light);
        format.BevelBottomRight = systemColor(this, QPalette::Dark);
        break;
    case SortGrid::BevelStyle::Lowered:
        format.BevelTopLeft = systemColor(this, QPalette::Dark);
        format.BevelBottomRight = systemColor(this, QPalette::Light);
        break;
    case SortGrid::BevelStyle::None:
        format.BevelTopLeft = format.BevelBottomRight = systemColor(this, QPalette::Base);
        break;
    }
    if (OnGetCellFormat)
        OnGetCellFormat(const_cast<TSortGrid *>(this), col, row, state, format);
    return format;
}

// ---- scroll bars ----

void TSortGrid::setProportionalScrollBars(bool on)
{
    m_proportionalScrollBars = on;
    UpdateScrollBars();
}

void TSortGrid::updateGeometries()
{
    QTableView::updateGeometries();
    UpdateScrollBars();
}

void TSortGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    UpdateScrollBars();
}

void TSortGrid::UpdateScrollBars()
{
    const auto fit = [this](QScrollBar *bar, int visible, int fixed, int total) {
        if (!bar->isVisible() || total <= 0)
            return;
        const double range = double(bar->maximum()) - bar->minimum() + 1;
        bar->setPageStep(m_proportionalScrollBars
                             ? std::max(1, int(std::lround(double(visible + fixed) / total * range)))
                             : 0);
    };
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    fit(verticalScrollBar(), viewport()->height() / rowHeight, m_fixedRows, RowCount());
    int visibleCols = 0;
    for (int col = 0; col < ColCount(); ++col)
        if (columnViewportPosition(col) >= 0 && columnViewportPosition(col) < viewport()->width())
            ++visibleCols;
    fit(horizontalScrollBar(), visibleCols, m_fixedCols, ColCount());
}

// ---- sorting ----

void TSortGrid::SortByColumn(int col, TSortOptions options)
{
    if (editorShown() || m_fixedRows + 1 >= RowCount() || col < 0 || col >= ColCount())
        return;
    if (options.Style == SortStyle::Auto)
        options.Style = DetectSortStyle(col);
    if (OnBeginSort)
        OnBeginSort(this, col, options);
    SortRows(col, options);
    if (OnEndSort)
        OnEndSort(this, col);
}

void TSortGrid::SortRows(int col, const TSortOptions &options)
{
    m_sorting = true;
    m_sortedFrom = sortOrder(m_model->dataColumn(col), options);
    applyOrder(m_sortedFrom);
    m_sorting = false;
}

void TSortGrid::applyOrder(const std::vector<int> &dataOrder)
{
    std::vector<int> newToOld(static_cast<std::size_t>(RowCount()));
    std::iota(newToOld.begin(), newToOld.begin() + m_fixedRows, 0);
    for (std::size_t i = 0; i < dataOrder.size(); ++i)
        newToOld[i + std::size_t(m_fixedRows)] = dataOrder[i] + m_fixedRows;
    m_model->permuteRows(newToOld);
}

SortStyle TSortGrid::DetectSortStyle(int col) const
{
    return detectStyle(m_model->dataColumn(col));
}

bool TSortGrid::SortStillValid()
{
    if (int(m_sortedFrom.size()) == RowCount() - m_fixedRows)
        return true;
    m_sortedFrom.clear();
    return false;
}

void TSortGrid::RestoreUnsortedOrder()
{
    if (!SortStillValid())
        return;
    std::vector<int> back(m_sortedFrom.size());
    for (std::size_t i = 0; i < m_sortedFrom.size(); ++i)
        back[std::size_t(m_sortedFrom[i])] = int(i);
    applyOrder(back);
    m_sortedFrom.clear();
}

// ---- mouse ----

bool TSortGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == horizontalHeader()->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            headerPressed(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonRelease:
            headerReleased(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonDblClick:
            if (OnDblClick)
                OnDblClick(this);
            break;
        default:
            break;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void TSortGrid::headerPressed(QMouseEvent *event)
{
    const int section = horizontalHeader()->logicalIndexAt(event->position().toPoint());
    m_headerPress = {section, event->button(), {}, (event->modifiers() & Qt::ShiftModifier) != 0};
    for (int col = 0; col < ColCount(); ++col)
        m_headerPress.sizes.push_back(columnWidth(col));
    if (OnMouseDown)
        OnMouseDown(this, event->button(), section, 0);
}

void TSortGrid::headerReleased(QMouseEvent *event)
{
    const HeaderPress press = std::exchange(m_headerPress, {});
    std::vector<int> sizes;
    for (int col = 0; col < ColCount(); ++col)
        sizes.push_back(columnWidth(col));
    const int section = horizontalHeader()->logicalIndexAt(event->position().toPoint());
    // A press that sized a column, or ended on another cell, is no click.
    if (!ClickSorting || m_fixedRows == 0 || press.shift || (event->modifiers() & Qt::ShiftModifier)
        || press.section < 0 || section != press.section || press.button != event->button() || sizes != press.sizes)
        return;
    TSortOptions options;
    options.Direction = event->button() == Qt::RightButton ? SortDirection::Descending : SortDirection::Ascending;
    options.CaseSensitive = CaseSensitive;
    if (OnClickSort)
        OnClickSort(this, section, 0, options);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    SortByColumn(section, options);
    QApplication::restoreOverrideCursor();
}

void TSortGrid::mousePressEvent(QMouseEvent *event)
{
    if (hasFocus())
        ValidateCell();
    const QModelIndex at = indexAt(event->position().toPoint());
    if (OnMouseDown)
        OnMouseDown(this, event->button(), at.isValid() ? at.column() : -1, at.isValid() ? at.row() + m_fixedRows : -1);
    QTableView::mousePressEvent(event);
}

void TSortGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (OnDblClick)
        OnDblClick(this);
}

// ---- keys and validation ----

void TSortGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        ValidateCell();
    const Qt::KeyboardModifiers mods = event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
    if (ExtendedKeys && !editorShown() && (mods & Qt::ControlModifier)) {
        const bool columns = (mods & Qt::ShiftModifier) != 0;
        if (event->key() == Qt::Key_Insert) {
            columns ? InsertColumnAt(Col()) : InsertRowAt(Row());
            return;
        }
        if (event->key() == Qt::Key_Delete) {
            if (columns && ColCount() - m_fixedCols >= 2)
                DeleteColumnAt(Col());
            else if (!columns && RowCount() - m_fixedRows >= 2)
                DeleteRowAt(Row());
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void TSortGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    RememberCell();
}

void TSortGrid::focusOutEvent(QFocusEvent *event)
{
    // The in-place editor taking the focus leaves the cell being edited.
    if (!editorShown())
        ValidateCell();
    QTableView::focusOutEvent(event);
}

void TSortGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // Moving by keys starts a new cell to validate, so an edit after the
    // move is checked against the cell it was made in.
    if (!m_sorting && !editorShown())
        RememberCell();
}

void TSortGrid::RememberCell()
{
    m_remembered = {Col(), Row(), Cells(Col(), Row()), m_model->modified};
}

void TSortGrid::ValidateCell()
{
    const Remembered cell = m_remembered;
    const QString current = Cells(cell.col, cell.row);
    if (cell.row >= 0 && current != cell.text) {
        bool valid = true;
        QString value = current;
        if (OnCellValidate)
            OnCellValidate(this, cell.col, cell.row, value, valid);
        if (valid) {
            if (value != current)
                setCells(cell.col, cell.row, value);
        } else {
            setCells(cell.col, cell.row, value != current ? value : cell.text);
            m_model->modified = cell.modified;
        }
    }
    RememberCell();
}

bool TSortGrid::SelectCellAllowed(int col, int row) const
{
    return col >= m_fixedCols && row >= m_fixedRows && col < ColCount() && row < RowCount();
}

void TSortGrid::SelectCellAt(int col, int row)
{
    col = std::max(col, m_fixedCols);
    row = std::max(row, m_fixedRows);
    if (!SelectCellAllowed(col, row))
        return;
    const QModelIndex at = indexOf(col, row);
    selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect
                                              | (m_rowSelect ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
    scrollTo(at);
}

// ---- rows and columns ----

void TSortGrid::ClearCells()
{
    m_model->clearCells();
}

void TSortGrid::InsertRowAt(int index)
{
    const int oldRows = RowCount();
    m_model->insertGridRow(index);
    sizeChanged(ColCount(), oldRows);
    SelectCellAt(Col(), std::max(index, m_fixedRows));
    if (OnRowInsert)
        OnRowInsert(this, index);
}

void TSortGrid::InsertColumnAt(int index)
{
    const int oldCols = ColCount();
    m_model->insertGridColumn(index);
    sizeChanged(oldCols, RowCount());
    SelectCellAt(index, Row());
    if (OnColumnInsert)
        OnColumnInsert(this, index);
}

void TSortGrid::DeleteRowAt(int index)
{
    if (index < m_fixedRows || index >= RowCount())
        return;
    const bool always = std::exchange(m_alwaysShowEditor, false);
    const int oldRows = RowCount();
    m_model->removeGridRow(index);
    m_alwaysShowEditor = always;
    sizeChanged(ColCount(), oldRows);
    if (OnRowDelete)
        OnRowDelete(this, index);
}

void TSortGrid::DeleteColumnAt(int index)
{
    if (index < 0 || index >= ColCount())
        return;
    const bool always = std::exchange(m_alwaysShowEditor, false);
    const int oldCols = ColCount();
    m_model->removeGridColumn(index);
    m_alwaysShowEditor = always;
    sizeChanged(oldCols, RowCount());
    if (OnColumnDelete)
        OnColumnDelete(this, index);
}

namespace {

std::vector<int> moveOrder(int count, int from, int to)
{
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    const auto moving = order.begin() + from;
    if (from < to)
        std::rotate(moving, moving + 1, order.begin() + to + 1);
    else
        std::rotate(order.begin() + to, moving, moving + 1);
    return order;
}

} // namespace

void TSortGrid::MoveRowTo(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= RowCount() || to >= RowCount())
        return;
    const bool always = std::exchange(m_alwaysShowEditor, false);
    m_model->permuteRows(moveOrder(RowCount(), from, to));
    m_alwaysShowEditor = always;
}

void TSortGrid::MoveColumnTo(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= ColCount() || to >= ColCount())
        return;
    const bool always = std::exchange(m_alwaysShowEditor, false);
    std::vector<int> widths;
    for (int col = 0; col < ColCount(); ++col)
        widths.push_back(columnWidth(col));
    const std::vector<int> order = moveOrder(ColCount(), from, to);
    m_model->permuteColumns(order);
    for (int col = 0; col < ColCount(); ++col)
        setColumnWidth(col, widths[std::size_t(order[std::size_t(col)])]);
    m_alwaysShowEditor = always;
}

void TSortGrid::SwapRowsAt(int a, int b)
{
    if (a < b) {
        MoveRowTo(b, a);
        MoveRowTo(a + 1, b);
    } else if (b < a) {
        MoveRowTo(a, b);
        MoveRowTo(b + 1, a);
    }
}

void TSortGrid::SwapColumnsAt(int a, int b)
{
    if (a < b) {
        MoveColumnTo(b, a);
        MoveColumnTo(a + 1, b);
    } else if (b < a) {
        MoveColumnTo(a, b);
        MoveColumnTo(b + 1, a);
    }
}

void TSortGrid::FitColumnWidth(int col)
{
    if (col < 0 || col >= ColCount())
        return;
    int widest = 0;
    for (int row = 0; row < RowCount(); ++row) {
        const QString &text = m_model->cell(col, row);
        const QFont cellFont = OnGetCellFormat ? CellFormat(col, row, CellState(col, row)).Font : font();
        widest = std::max(widest, QFontMetrics(cellFont).horizontalAdvance(text));
    }
    setColumnWidth(col, widest + fontMetrics().horizontalAdvance(u'x'));
}

void TSortGrid::FitAllColumns(bool includeFixed, int extraWidth)
{
    for (int col = includeFixed ? 0 : m_fixedCols; col < ColCount(); ++col) {
        FitColumnWidth(col);
        if (extraWidth != 0)
            setColumnWidth(col, columnWidth(col) + extraWidth);
    }
}

bool TSortGrid::FindText(const QString &text, int &col, int &row) const
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r)
            if (m_model->cell(c, r).compare(text, Qt::CaseInsensitive) == 0) {
                col = c;
                row = r;
                return true;
            }
    return false;
}

// ---- text files ----

bool TSortGrid::LoadFromTextFile(const QString &fileName, QChar separator)
{
    const std::optional<QString> text = Platform::readTextFile(fileName);
    if (!text)
        return false;
    QStringList lines = text->split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    std::vector<QStringList> fields;
    int cols = m_fixedCols + 1;
    for (const QString &line : std::as_const(lines)) {
        fields.push_back(line.split(separator));
        cols = std::max(cols, int(fields.back().size()));
    }
    ClearCells();
    setRowCount(std::max(int(fields.size()), m_fixedRows + 1));
    setColCount(cols);
    for (int row = 0; row < int(fields.size()); ++row)
        for (int col = 0; col < int(fields[std::size_t(row)].size()); ++col)
            setCells(col, row, fields[std::size_t(row)][col]);
    return true;
}

bool TSortGrid::SaveToTextFile(const QString &fileName, QChar separator) const
{
    QString text;
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < ColCount(); ++col) {
            if (col > 0)
                text += separator;
            text += m_model->cell(col, row);
        }
        text += QStringLiteral("\r\n");
    }
    Platform::WholeFileWriter writer(fileName);
    return writer.open() && writer.write(Platform::toCp1250(text)) && writer.commit().ok();
}
