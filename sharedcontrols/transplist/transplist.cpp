#include "transplist/transplist.h"

#include <collation.h>

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

// Rows are as tall as the font's tallest letters and deepest descenders.
const QString probeText = QStringLiteral("\u0179Wg");

// Sorted lists order and compare lines as a Polish desktop does, ignoring
// letter case.
int compareLines(const QString &a, const QString &b)
{
    return Platform::compareText(a, b);
}

bool lineLess(const QString &a, const QString &b)
{
    return compareLines(a, b) < 0;
}

// The arrow outline (apex up) for a strip at the right edge of a box width
// wide; mirrored for the down arrow with the box height.
QPolygon arrowOutline(int width, int height, bool up)
{
    const int points[][2] = {{14, 20}, {10, 20}, {10, 30}, {6, 30}, {6, 20}, {2, 20}, {8, 2}, {14, 20}};
    QPolygon outline;
    for (const auto &p : points)
        outline << QPoint(width - p[0], up ? p[1] : height - p[1]);
    return outline;
}

QCursor makeScrollCursor(bool up)
{
    QPixmap picture(16, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::white);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrowOutline(16, 32, up));
    painter.end();
    return QCursor(picture, 8, 16);
}

} // namespace

TTranspList::TTranspList(QWidget *parent)
    : QWidget(parent)
{
    m_repeatTimer.setInterval(repeatInterval);
    connect(&m_repeatTimer, &QTimer::timeout, this, &TTranspList::scrollTimer);
    setMouseTracking(true); // the arrow strip changes the cursor without a press
}

const QCursor &TTranspList::scrollUpCursor()
{
    static const QCursor cursor = makeScrollCursor(true);
    return cursor;
}

const QCursor &TTranspList::scrollDownCursor()
{
    static const QCursor cursor = makeScrollCursor(false);
    return cursor;
}

int TTranspList::addItem(const QString &text)
{
    int index = count();
    if (m_sorted) {
        const auto place = std::lower_bound(m_items.begin(), m_items.end(), text, lineLess);
        index = int(place - m_items.begin());
        if (place == m_items.end() || compareLines(*place, text) != 0)
            m_items.insert(index, text);
    } else {
        m_items.append(text);
    }
    drawItems(0);
    return index;
}

void TTranspList::clearItems()
{
    m_items.clear();
    m_topIndex = 0;
    m_itemIndex = -1;
    update();
}

void TTranspList::setItems(const QStringList &items)
{
    m_items = items;
    if (m_sorted) {
        std::stable_sort(m_items.begin(), m_items.end(), lineLess);
        // A sorted list keeps one of each line.
        const auto equal = [](const QString &a, const QString &b) { return compareLines(a, b) == 0; };
        m_items.erase(std::unique(m_items.begin(), m_items.end(), equal), m_items.end());
    }
    drawItems(0);
}

void TTranspList::setSorted(bool sorted)
{
    if (m_sorted == sorted)
        return;
    m_sorted = sorted;
    if (sorted)
        std::stable_sort(m_items.begin(), m_items.end(), lineLess);
    update();
}

void TTranspList::setItemIndex(int index)
{
    if (m_itemIndex == index)
        return;
    m_itemIndex = index;
    update();
}

void TTranspList::setIncrase(int lines)
{
    m_incrase = lines;
}

void TTranspList::setSelectedColor(Platform::TColor color)
{
    if (m_selectedColor == color)
        return;
    m_selectedColor = color;
    update();
}

void TTranspList::setScrolkiColor(Platform::TColor color)
{
    if (m_scrolkiColor == color)
        return;
    m_scrolkiColor = color;
    update();
}

void TTranspList::setFontColor(Platform::TColor color)
{
    if (m_fontColor == color)
        return;
    m_fontColor = color;
    update();
}

void TTranspList::setColor(Platform::TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void TTranspList::setAlignment(Alignment alignment)
{
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    update();
}

void TTranspList::setTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    update();
}

// Measured when first asked for in the present font: a list is given its
// font after it is made, and measuring the one it had before would load a
// face that is never drawn with.
int TTranspList::rowHeight() const
{
    if (m_rowHeight == 0)
        m_rowHeight = qMax(1, QFontMetrics(font()).size(0, probeText).height());
    return m_rowHeight;
}

int TTranspList::visibleCount() const
{
    return height() / (rowHeight() + 2);
}

void TTranspList::drawItems(int first)
{
    Q_UNUSED(first) // a widget draws only when painted, from TopIndex
    if (visibleCount() >= count())
        m_topIndex = 0;
    update();
}

// One row more than fits is drawn; the widget's edge cuts it.
int TTranspList::lastDrawnLine() const
{
    return qMin(m_topIndex + visibleCount(), count() - 1);
}

// The largest TopIndex: the last line is on the last whole row.
int TTranspList::lastTopIndex() const
{
    return qMax(0, count() - 1 - visibleCount());
}

void TTranspList::scrollUp(bool selectMode)
{
    if (selectMode ? m_itemIndex <= 0 : m_topIndex == 0)
        return;
    if (selectMode) {
        --m_itemIndex;
        if (m_itemIndex < m_topIndex)
            --m_topIndex;
    } else {
        m_topIndex = std::clamp(m_topIndex - m_incrase, 0, lastTopIndex());
    }
    drawItems(m_topIndex);
    if (selectMode && onClick)
        onClick(this);
}

void TTranspList::scrollDown(bool selectMode)
{
    if (selectMode ? (m_itemIndex == -1 || m_itemIndex >= count() - 1)
                   : m_topIndex + visibleCount() >= count() - 1)
        return;
    if (selectMode) {
        if (m_itemIndex >= 0) {
            ++m_itemIndex;
            if (m_topIndex + visibleCount() < m_itemIndex)
                ++m_topIndex;
        }
    } else {
        m_topIndex = std::clamp(m_topIndex + m_incrase, 0, lastTopIndex());
    }
    drawItems(m_topIndex);
    if (selectMode && onClick)
        onClick(this);
}

void TTranspList::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), Platform::toQColor(m_color));
    if (visibleCount() >= count())
        m_topIndex = 0;
    paintItems(painter);
    if (visibleCount() < count())
        paintArrows(painter);
}

void TTranspList::paintItems(QPainter &painter)
{
    int flags = Qt::AlignTop;
    switch (m_alignment) {
    case taLeftJustify: flags |= Qt::AlignLeft; break;
    case taRightJustify: flags |= Qt::AlignRight; break;
    case taCenter: flags |= Qt::AlignHCenter; break;
    }
    painter.setFont(font());
    const int last = lastDrawnLine();
    const int rowPixels = rowHeight();
    for (int i = m_topIndex; i <= last; ++i) {
        const bool selected = i == m_itemIndex;
        painter.setPen(Platform::toQColor(selected ? m_selectedColor : m_fontColor));
        const QRect row(2, (i - m_topIndex) * rowPixels + 2, width() - 4, rowPixels);
        painter.drawText(row, flags, m_items.at(i));
    }
}

void TTranspList::paintArrows(QPainter &painter)
{
    painter.setPen(Platform::toQColor(m_scrolkiColor));
    painter.setBrush(Qt::NoBrush);
    if (m_topIndex != 0 || count() - 1 < m_topIndex + visibleCount())
        painter.drawPolyline(arrowOutline(width(), height(), true));
    if (count() - 1 > m_topIndex + visibleCount())
        painter.drawPolyline(arrowOutline(width(), height(), false));
}

void TTranspList::mousePressEvent(QMouseEvent *event)
{
    m_clickPending = event->button() == Qt::LeftButton;
    if (m_items.isEmpty()) {
        fireMouseDown(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    m_pressPoint = at;
    m_repeatTimer.start();

    if (!inArrowStrip(at.x())) {
        // Only rows that are drawn can be hit.
        const int line = at.y() / rowHeight() + m_topIndex;
        if (line <= lastDrawnLine()) {
            m_itemIndex = line;
            update();
        }
    } else if (inUpperHalf(at.y())) {
        scrollUp(false);
        return;
    } else if (inLowerHalf(at.y())) {
        scrollDown(false);
        return;
    }
    fireMouseDown(event);
}

bool TTranspList::isScrollArrowAt(const QPoint &at) const
{
    return !m_items.isEmpty() && inArrowStrip(at.x()) && (inUpperHalf(at.y()) || inLowerHalf(at.y()));
}

QStringList TTranspList::wrapText(const QString &text) const
{
    QString plain = text;
    plain.remove(u'\r');
    if (plain.endsWith(u'\n'))
        plain.chop(1);
    if (plain.isEmpty() && !text.contains(u'\n'))
        return {}; // no text, no rows
    const QStringList paragraphs = plain.split(u'\n');

    // Rows keep clear of the arrow strip, which is drawn over the text.
    const qreal lineWidth = qMax(1, width() - 4 - arrowStripWidth);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList rows;
    for (const QString &paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            rows.append(QString());
            continue;
        }
        QTextLayout layout(paragraph, font());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(lineWidth);
            QString row = paragraph.mid(line.textStart(), line.textLength());
            while (row.endsWith(u' '))
                row.chop(1); // the blank a line was broken at
            rows.append(row);
        }
        layout.endLayout();
    }
    return rows;
}

void TTranspList::fireMouseDown(QMouseEvent *event)
{
    if (onMouseDown) {
        const QPoint at = event->position().toPoint();
        onMouseDown(this, event->button(), event->modifiers(), at.x(), at.y());
    }
}

void TTranspList::mouseReleaseEvent(QMouseEvent *event)
{
    m_repeatTimer.stop();
    const QPoint at = event->position().toPoint();
    if (m_clickPending && event->button() == Qt::LeftButton) {
        m_clickPending = false;
        if (rect().contains(at) && onClick)
            onClick(this);
    }
    if (onMouseUp)
        onMouseUp(this, event->button(), event->modifiers(), at.x(), at.y());
}

void TTranspList::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && onDblClick)
        onDblClick(this);
    mousePressEvent(event);
    m_clickPending = false; // the release after a double click is no click
}

void TTranspList::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    if (!inArrowStrip(at.x()))
        unsetCursor();
    else if (count() > visibleCount() && inUpperHalf(at.y()))
        setCursor(scrollUpCursor());
    else if (count() > visibleCount() && inLowerHalf(at.y()))
        setCursor(scrollDownCursor());
    if (onMouseMove)
        onMouseMove(this, event->modifiers(), at.x(), at.y());
}

void TTranspList::scrollTimer()
{
    if (!inArrowStrip(m_pressPoint.x()))
        return;
    if (inUpperHalf(m_pressPoint.y()))
        scrollUp(false);
    else if (inLowerHalf(m_pressPoint.y()))
        scrollDown(false);
}

void TTranspList::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        m_rowHeight = 0;
}
