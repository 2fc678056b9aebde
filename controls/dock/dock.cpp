#include "dock/dock.h"

#include "dock/toolbar.h"

#include <QEvent>
#include <QPainter>

namespace {

QWidget *checkedOwner(QWidget *ownerForm)
{
    if (!ownerForm || !ownerForm->isWindow())
        throw EInvalidOperation("TDock must be owned by a form");
    return ownerForm;
}

void checkDockParent(QWidget *parent)
{
    if (qobject_cast<TToolbar *>(parent) || qobject_cast<TDock *>(parent))
        throw EInvalidOperation("A TDock control cannot be placed inside a TToolbar or another TDock");
}

QWidget *checkedParent(QWidget *ownerForm, QWidget *parent)
{
    QWidget *target = parent ? parent : checkedOwner(ownerForm);
    checkDockParent(target);
    return target;
}

} // namespace

TDock::TDock(QWidget *ownerForm, QWidget *parent)
    : QWidget(checkedParent(checkedOwner(ownerForm), parent))
    , m_color(palette().color(QPalette::Button))
{
    ++m_arrangeDisabled;
    setPosition(dpTop);
    --m_arrangeDisabled;
    arrangeToolbars();
}

TDock::~TDock()
{
    ++m_arrangeDisabled;
    OnInsertRemoveBar = nullptr;
    OnResize = nullptr;
    // The bars go with the dock; they must not report back to it.
    for (TToolbar *bar : findChildren<TToolbar *>(Qt::FindDirectChildrenOnly))
        bar->m_dock = nullptr;
    m_toolbars.clear();
}

void TDock::setAllowDrag(bool allowDrag)
{
    if (m_allowDrag == allowDrag)
        return;
    m_allowDrag = allowDrag;
    // The grip comes or goes, and with it the bars' leading margin.
    for (TToolbar *bar : findChildren<TToolbar *>(Qt::FindDirectChildrenOnly)) {
        bar->arrangeControls();
        bar->update();
    }
    arrangeToolbars();
}

void TDock::setBackground(const QImage &background)
{
    m_background = background;
    backgroundChanged();
}

void TDock::setBackgroundTransparent(bool transparent)
{
    if (m_backgroundTransparent == transparent)
        return;
    m_backgroundTransparent = transparent;
    backgroundChanged();
}

void TDock::setBoundLines(int lines)
{
    if (m_boundLines == lines)
        return;
    m_boundLines = lines;
    updateMargins();
    arrangeToolbars();
    update();
}

void TDock::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    backgroundChanged();
}

void TDock::setFixAlign(bool fixAlign)
{
    if (m_fixAlign == fixAlign)
        return;
    m_fixAlign = fixAlign;
    arrangeToolbars();
}

void TDock::setLimitToOneRow(bool limit)
{
    if (m_limitToOneRow == limit)
        return;
    m_limitToOneRow = limit;
    arrangeToolbars();
}

void TDock::setPosition(TDockPosition position)
{
    if (!findChildren<QWidget *>(Qt::FindDirectChildrenOnly).isEmpty())
        throw EInvalidOperation("Cannot change Position of a TDock if it already contains controls");
    m_position = position;
    // A dock grows across its edge only; along it the form decides.
    if (isVertical()) {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    } else {
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    arrangeToolbars();
}

void TDock::setParent(QWidget *parent)
{
    checkDockParent(parent);
    // Moving a shown widget hides it for a moment; that is allowed.
    m_reparenting = true;
    QWidget::setParent(parent);
    m_reparenting = false;
    show();
}

void TDock::setVisible(bool visible)
{
    if (!visible && !isHidden() && !m_reparenting)
        throw EInvalidOperation("Cannot hide a TDock");
    QWidget::setVisible(visible);
}

int TDock::highestRow() const
{
    int highest = -1;
    for (const TToolbar *bar : m_toolbars)
        highest = std::max(highest, bar->dockRow());
    return highest;
}

void TDock::insertRow(int row)
{
    for (TToolbar *bar : m_toolbars) {
        if (bar->dockRow() >= row)
            bar->m_dockRow += 1;
    }
    arrangeToolbars();
}

int TDock::rowAtPoint(int offset, bool *isNewRow) const
{
    return DockArrange::rowAtPoint(m_rows, offset, isNewRow);
}

int TDock::rowAtOffset(int offset) const
{
    return DockArrange::rowAtOffset(m_rows, offset);
}

int TDock::rowContentThickness(int row) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return DockArrange::MinThickness;
    return m_rows[std::size_t(row)].contentThickness;
}

int TDock::rowFullThickness(int row) const
{
    return rowContentThickness(row) + DockArrange::BarBorder;
}

int TDock::clientLength() const
{
    // Until the dock is shown its width is no real one: no row is pulled
    // back yet, so the bars keep their places.
    if (!isVisible())
        return 0;
    const QRect client = contentsRect();
    return isVertical() ? client.height() : client.width();
}

void TDock::changeDockList(bool inserting, TToolbar *bar, bool visible)
{
    // A bar already listed keeps its place in the list (and so among bars
    // of equal position).
    const qsizetype index = m_toolbars.indexOf(bar);
    const bool listed = inserting && visible;
    if ((index >= 0) == listed)
        return;
    if (listed)
        m_toolbars.append(bar);
    else
        m_toolbars.removeAt(index);
    arrangeToolbars();
    bar->arrangeControls();
    if (OnInsertRemoveBar)
        OnInsertRemoveBar(this, inserting, bar);
}

void TDock::arrangeToolbars()
{
    if (m_arrangeDisabled > 0)
        return;
    ++m_arrangeDisabled;
    const bool vertical = isVertical();
    std::vector<DockArrange::Bar> bars;
    for (TToolbar *bar : std::as_const(m_toolbars)) {
        // The bar's own length comes from its controls.
        bar->arrangeControls();
        bars.push_back({bar->m_dockRow, bar->m_dockPos, vertical ? bar->height() : bar->width(),
                        bar->dockedContentThickness(vertical)});
    }
    const DockArrange::Result result = DockArrange::arrange(bars, clientLength(), m_limitToOneRow);
    m_rows = result.rows;
    const QRect client = contentsRect();
    QList<TToolbar *> arranged;
    for (int index : result.order) {
        TToolbar *bar = m_toolbars.at(index);
        const DockArrange::Placement &place = result.placements[std::size_t(index)];
        bar->setDockPlace(place.row, place.pos);
        ++bar->m_placing;
        if (vertical)
            bar->setBoundsKeepLeft(client.left() + place.across, client.top() + place.along, place.thickness,
                                   bar->height());
        else
            bar->setBoundsKeepLeft(client.left() + place.along, client.top() + place.across, bar->width(),
                                   place.thickness);
        --bar->m_placing;
        arranged.append(bar);
    }
    m_toolbars = arranged;
    // The bars line their controls up with their row's thickness.
    for (TToolbar *bar : std::as_const(m_toolbars))
        bar->arrangeControls();
    const int thickness = m_toolbars.isEmpty() ? DockArrange::emptyThickness(m_fixAlign, false) : result.thickness;
    applyThickness(thickness);
    --m_arrangeDisabled;
}

void TDock::applyThickness(int thickness)
{
    const QMargins frame = contentsMargins();
    const QRect old = geometry();
    if (isVertical()) {
        const int width = thickness + frame.left() + frame.right();
        setFixedWidth(width);
        // A right dock keeps its right edge where the form's is.
        if (m_position == dpRight && width != old.width())
            move(old.x() + old.width() - width, old.y());
    } else {
        const int height = thickness + frame.top() + frame.bottom();
        setFixedHeight(height);
        if (m_position == dpBottom && height != old.height())
            move(old.x(), old.y() + old.height() - height);
    }
}

void TDock::updateMargins()
{
    // The lines lie outside the area that holds the bars.
    setContentsMargins(m_boundLines & blLeft ? 1 : 0, m_boundLines & blTop ? 1 : 0, m_boundLines & blRight ? 1 : 0,
                       m_boundLines & blBottom ? 1 : 0);
}

void TDock::backgroundChanged()
{
    m_transparentBackground = QImage();
    update();
    for (TToolbar *bar : findChildren<TToolbar *>(Qt::FindDirectChildrenOnly))
        bar->update();
}

void TDock::drawBackground(QPainter &painter, const QRect &clip, const QWidget *widget)
{
    if (m_background.isNull())
        return;
    const QImage *tile = &m_background;
    if (m_backgroundTransparent) {
        if (m_transparentBackground.isNull()) {
            // The bottom-left pixel's colour is the see-through one.
            QImage copy = m_background.convertToFormat(QImage::Format_ARGB32);
            const QRgb key = copy.pixel(0, copy.height() - 1);
            for (int y = 0; y < copy.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(copy.scanLine(y));
                for (int x = 0; x < copy.width(); ++x) {
                    if (line[x] == key)
                        line[x] = m_color.rgb();
                }
            }
            m_transparentBackground = copy;
        }
        tile = &m_transparentBackground;
    }
    // Tiles start at the client origin of the dock's parent.
    const QWidget *origin = parentWidget() ? parentWidget() : this;
    const QPoint start = widget->mapFrom(origin, QPoint(0, 0));
    painter.save();
    painter.setClipRect(clip);
    painter.drawTiledPixmap(clip, QPixmap::fromImage(*tile), clip.topLeft() - start);
    painter.restore();
}

void TDock::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    drawBackground(painter, contentsRect(), this);
    if (width() < 2 || height() < 2)
        return;
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    if (m_boundLines & blTop) {
        painter.setPen(shadow);
        painter.drawLine(0, 0, width() - 1, 0);
    }
    if (m_boundLines & blLeft) {
        painter.setPen(shadow);
        painter.drawLine(0, 0, 0, height() - 1);
    }
    if (m_boundLines & blBottom) {
        painter.setPen(highlight);
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
    if (m_boundLines & blRight) {
        painter.setPen(highlight);
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    }
}

void TDock::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    arrangeToolbars();
    if (OnResize)
        OnResize(this);
}

void TDock::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Now the dock has its real length.
    arrangeToolbars();
}

void TDock::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    if (!m_background.isNull())
        backgroundChanged();
}

void TDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        backgroundChanged();
    QWidget::changeEvent(event);
}
