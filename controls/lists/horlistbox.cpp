#include "lists/horlistbox.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <limits>

namespace {

constexpr int kMaxWidth = std::numeric_limits<quint16>::max();
// Room a check-list line needs for its box, at least the 15 pixels the lists
// were always given.
constexpr int kCheckRoom = 15;

int itemTextWidth(const QWidget *list, const QString &text)
{
    const QFontMetrics metrics(list->font());
    return std::min(metrics.horizontalAdvance(text) + metrics.averageCharWidth(), kMaxWidth);
}

} // namespace

void THorizontalExtent::applyExtent(QAbstractScrollArea *list)
{
    if (m_applyingExtent)
        return;
    m_applyingExtent = true;
    // The view's own layout knows nothing of the extent and would hide the
    // bar again; the bar is shown by the extent alone.
    const int view = list->viewport()->width();
    const auto policy = m_widest > view ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (list->horizontalScrollBarPolicy() != policy)
        list->setHorizontalScrollBarPolicy(policy);
    list->horizontalScrollBar()->setRange(0, std::max(0, m_widest - list->viewport()->width()));
    list->horizontalScrollBar()->setPageStep(list->viewport()->width());
    m_applyingExtent = false;
}
bool THorizontalExtent::widen(int width)
{
    if (width <= m_widest)
        return false;
    m_widest = width;
    return true;
}

// --- THListBox ---

THListBox::THListBox(QWidget *parent)
    : QListWidget(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        m_hPos = value;
        if (OnHScroll)
            OnHScroll(this);
    });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        m_vPos = value;
        if (OnVScroll)
            OnVScroll(this);
    });
}

int THListBox::textWidth(const QString &text) const
{
    return itemTextWidth(this, text);
}

int THListBox::addItem(const QString &text)
{
    if (widen(textWidth(text)))
        applyExtent(this);
    QListWidget::addItem(text);
    return count() - 1;
}

void THListBox::clearItems()
{
    resetExtent();
    applyExtent(this);
    horizontalScrollBar()->setValue(0);
    clear();
}

void THListBox::updateGeometries()
{
    QListWidget::updateGeometries();
    applyExtent(this);
}

// --- THCheckListBox ---

THCheckListBox::THCheckListBox(QWidget *parent)
    : QListWidget(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QListWidget::itemChanged, this, [this] {
        if (!m_settingCheck && OnClickCheck)
            OnClickCheck(this);
    });
}

int THCheckListBox::textWidth(const QString &text) const
{
    return itemTextWidth(this, text);
}

int THCheckListBox::addItem(const QString &text)
{
    // The box's own width in this style, when that is more than the usual room.
    const int room = std::max(kCheckRoom, style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6);
    if (widen(std::min(textWidth(text) + room, kMaxWidth)))
        applyExtent(this);
    auto *item = new QListWidgetItem(text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    m_settingCheck = true;
    item->setCheckState(Qt::Unchecked);
    QListWidget::addItem(item);
    m_settingCheck = false;
    return count() - 1;
}

void THCheckListBox::clearItems()
{
    resetExtent();
    applyExtent(this);
    horizontalScrollBar()->setValue(0);
    clear();
}

bool THCheckListBox::checked(int index) const
{
    const QListWidgetItem *line = item(index);
    return line && line->checkState() == Qt::Checked;
}

void THCheckListBox::setChecked(int index, bool value)
{
    QListWidgetItem *line = item(index);
    if (!line)
        return;
    m_settingCheck = true;
    line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
    line->setCheckState(value ? Qt::Checked : Qt::Unchecked);
    m_settingCheck = false;
}

void THCheckListBox::setItemColor(int index, Platform::TColor color)
{
    QListWidgetItem *line = item(index);
    if (!line)
        return;
    m_settingCheck = true;
    if (color == Platform::clDefault)
        line->setData(Qt::ForegroundRole, QVariant());
    else
        line->setForeground(Platform::toQColor(color));
    m_settingCheck = false;
}

QColor THCheckListBox::itemColor(int index) const
{
    const QListWidgetItem *line = item(index);
    if (!line)
        return QColor();
    const QVariant own = line->data(Qt::ForegroundRole);
    return own.isValid() ? line->foreground().color() : palette().color(QPalette::Text);
}

void THCheckListBox::updateGeometries()
{
    QListWidget::updateGeometries();
    applyExtent(this);
}
