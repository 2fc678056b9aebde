#include "dock/toolbar.h"

#include "dock/floatplan.h"
#include "dock/toolbartrack.h"

#include <QApplication>
#include <QChildEvent>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPainter>

namespace {

QWidget *checkedOwner(QWidget *ownerForm)
{
    if (!ownerForm || !ownerForm->isWindow())
        throw EInvalidOperation("TToolbar must be owned by a form");
    return ownerForm;
}

// A floating bar is a tool window of its form that draws its own frame.
constexpr Qt::WindowFlags FloatingFlags = Qt::Tool | Qt::FramelessWindowHint;

// A raised one-pixel edge: light on the top and left, dark on the bottom
// and right.
void drawRaised(QPainter &painter, const QRect &rect, const QPalette &palette)
{
    painter.setPen(palette.color(QPalette::Light));
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
}

} // namespace

// ---------------------------------------------------------------- TToolbar

TToolbar::TToolbar(QWidget *ownerForm)
    : QWidget(checkedOwner(ownerForm), FloatingFlags)
    , m_ownerForm(ownerForm)
    , m_color(palette().color(QPalette::Button))
    , m_appActive(QGuiApplication::applicationState() == Qt::ApplicationActive)
{
    // Coming back with the program leaves the focus where it is.
    setAttribute(Qt::WA_ShowWithoutActivating);
    // The frame's zones show their sizing cursors.
    setMouseTracking(true);
    m_ownerForm->installEventFilter(this);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        m_appActive = state == Qt::ApplicationActive;
        if (!m_appActive)
            takeTrack();
        showHideFloating();
    });
    setDockedTo(nullptr);
    // Not placed anywhere yet: the first float starts from where the bar
    // stands then (mostly in a dock the form has put it into).
    m_floatingRect = QRect();
}

TToolbar::~TToolbar()
{
    ++m_arrangeDisabled;
    // No outline and no grab outlive the bar.
    m_track.reset();
    if (mouseGrabber() == this)
        releaseMouse();
    qApp->removeEventFilter(this);
    if (m_dock)
        m_dock->changeDockList(false, this, false);
}

void TToolbar::setCaption(const QString &caption)
{
    if (caption == windowTitle())
        return;
    setWindowTitle(caption);
    update();
}

void TToolbar::setCloseButton(bool closeButton)
{
    if (m_closeButton == closeButton)
        return;
    m_closeButton = closeButton;
    update();
}

void TToolbar::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void TToolbar::setParent(QWidget *parent)
{
    if (auto *dock = qobject_cast<TDock *>(parent))
        setDockedTo(dock);
    else if (parent == m_ownerForm)
        setDockedTo(nullptr);
    else
        throw EInvalidOperation("TToolbar can only be placed on a TDock or directly on the form");
}

void TToolbar::reparent(QWidget *parent, Qt::WindowFlags flags)
{
    if (OnRecreating)
        OnRecreating(this);
    TDock *old = m_dock;
    m_dock = qobject_cast<TDock *>(parent);
    if (old && old != m_dock)
        old->changeDockList(false, this, false);
    QWidget::setParent(parent, flags);
    if (m_dock)
        m_dock->changeDockList(true, this, m_visible);
    if (OnRecreated)
        OnRecreated(this);
}

bool TToolbar::isFloatingWindow() const
{
    return !m_dock && parentWidget() == m_ownerForm && isWindow();
}

void TToolbar::setDockedTo(TDock *dock)
{
    const bool differs = dock != m_dock || (!dock && !isFloatingWindow());
    if (differs && OnDockChanging)
        OnDockChanging(this);
    // Moved by code: a drag in progress ends here.
    takeTrack();
    ++m_dockChanging;
    if (dock) {
        ++dock->m_arrangeDisabled;
        if (dock != m_dock)
            reparent(dock, Qt::Widget);
        --dock->m_arrangeDisabled;
        dock->arrangeToolbars();
        QWidget::setVisible(m_visible);
    } else {
        // The window placed by re-parenting and arranging is not yet the
        // floating one: its place is taken before. It is where the bar
        // floated last or a drag dropped it; a window that never floated
        // stays where its form put it.
        const QRect remembered = m_floatingRect.isEmpty() && isFloatingWindow() ? geometry() : m_floatingRect;
        const QPoint origin = mapToGlobal(QPoint(0, 0));
        if (!isFloatingWindow())
            reparent(m_ownerForm, FloatingFlags);
        arrangeControls();
        const QPoint place = remembered.isEmpty() ? firstFloatingRect(origin).topLeft() : remembered.topLeft();
        m_floatingRect = QRect(place, size());
        ++m_placing;
        setBoundsKeepLeft(place.x(), place.y(), width(), height());
        --m_placing;
        applyFloatingVisibility();
    }
    --m_dockChanging;
    update();
    if (differs && OnDockChanged)
        OnDockChanged(this);
}

void TToolbar::moveEvent(QMoveEvent *event)
{
    // Moved by its form or the window system, it floats there again.
    if (isFloatingWindow() && m_placing == 0 && m_dockChanging == 0 && !m_floatingRect.isEmpty())
        m_floatingRect.moveTopLeft(pos());
    QWidget::moveEvent(event);
}

void TToolbar::setDockRow(int row)
{
    if (m_dockRow == row)
        return;
    m_dockRow = row;
    if (m_dock)
        m_dock->arrangeToolbars();
}

void TToolbar::setDockPos(int pos)
{
    if (m_dockPos == pos)
        return;
    m_dockPos = pos;
    if (m_dock)
        m_dock->arrangeToolbars();
}

void TToolbar::setDockPlace(int row, int pos)
{
    m_dockRow = row;
    m_dockPos = pos;
}

void TToolbar::setVisible(bool visible)
{
    // Moving between parents hides the window for a moment; that is no
    // change of the bar's own visibility.
    if (m_dockChanging == 0)
        m_visible = visible;
    if (isFloatingWindow() && m_dockChanging == 0)
        applyFloatingVisibility();
    else
        QWidget::setVisible(visible);
    if (m_dock && m_dockChanging == 0)
        m_dock->changeDockList(visible, this, visible);
}

void TToolbar::setBoundsKeepLeft(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    // Once the bar has floated, its floating place follows every move.
    if (!m_dock && !m_floatingRect.isEmpty())
        m_floatingRect = QRect(left, top, width, height);
}

void TToolbar::setFloatingWrapWidth(int width)
{
    if (m_floatWrapWidth == width)
        return;
    m_floatWrapWidth = width;
    arrangeControls();
}

BarLayout::Orientation TToolbar::orientation() const
{
    if (!m_dock)
        return BarLayout::Orientation::Floating;
    return m_dock->isVertical() ? BarLayout::Orientation::Vertical : BarLayout::Orientation::Horizontal;
}

bool TToolbar::hasGrip() const
{
    return !m_dock || m_dock->allowDrag();
}

TDockedBar::TDockSide TToolbar::dockSide() const
{
    if (!m_dock)
        return dsNone;
    switch (m_dock->position()) {
    case TDock::dpTop: return dsTop;
    case TDock::dpBottom: return dsBottom;
    case TDock::dpLeft: return dsLeft;
    case TDock::dpRight: return dsRight;
    }
    return dsNone;
}

QList<QWidget *> TToolbar::controls() const
{
    // Children stand in the order they were added.
    QList<QWidget *> result;
    for (QObject *child : children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (widget && !widget->isWindow() && !widget->isHidden())
            result.append(widget);
    }
    return result;
}

std::vector<BarLayout::Item> TToolbar::items(const QList<QWidget *> &controls) const
{
    std::vector<BarLayout::Item> result;
    for (QWidget *control : controls) {
        BarLayout::Item item{control->width(), control->height(), false, 6, 6};
        if (auto *separator = qobject_cast<TToolbarSep *>(control)) {
            item.separator = true;
            item.sizeHorz = separator->sizeHorz();
            item.sizeVert = separator->sizeVert();
        }
        result.push_back(item);
    }
    return result;
}

int TToolbar::dockedContentThickness(bool vertical) const
{
    return BarLayout::contentThickness(
        items(controls()), vertical ? BarLayout::Orientation::Vertical : BarLayout::Orientation::Horizontal);
}

void TToolbar::arrangeControls()
{
    if (m_arrangeDisabled > 0)
        return;
    ++m_arrangeDisabled;
    m_arrangeRequested = false;
    const QList<QWidget *> placed = controls();
    BarLayout::Input input;
    input.orientation = orientation();
    input.grip = hasGrip();
    input.wrapWidth = m_floatWrapWidth;
    if (m_dock) {
        // All bars of a row line up at the row's thickness.
        const bool vertical = m_dock->isVertical();
        input.lineThickness = std::max(m_dock->rowContentThickness(m_dockRow), dockedContentThickness(vertical));
        input.minimumThickness = m_dock->rowFullThickness(m_dockRow);
    }
    const BarLayout::Result layout = BarLayout::arrange(items(placed), input);
    const QMargins margins = frame();
    const QPoint origin(margins.left(), margins.top());
    for (qsizetype i = 0; i < placed.size(); ++i)
        placed.at(i)->setGeometry(layout.rects[std::size_t(i)].translated(origin));
    m_lines = layout.lines;
    const QSize outer = layout.clientSize.grownBy(margins);
    const bool resized = outer != size();
    if (resized) {
        ++m_placing;
        setBoundsKeepLeft(x(), y(), outer.width(), outer.height());
        --m_placing;
    }
    --m_arrangeDisabled;
    update();
    if (resized && m_dock && !m_dock->isArranging())
        m_dock->arrangeToolbars();
}

void TToolbar::requestArrange()
{
    if (m_arrangeRequested)
        return;
    m_arrangeRequested = true;
    QCoreApplication::postEvent(this, new QEvent(QEvent::LayoutRequest));
}

bool TToolbar::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved: {
        QObject *child = static_cast<QChildEvent *>(event)->child();
        if (event->type() == QEvent::ChildAdded && child->isWidgetType())
            child->installEventFilter(this);
        requestArrange();
        break;
    }
    case QEvent::LayoutRequest:
        if (m_arrangeRequested)
            arrangeControls();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool TToolbar::eventFilter(QObject *watched, QEvent *event)
{
    if (m_track && trackKey(event))
        return true;
    if (watched == m_ownerForm) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
            showHideFloating();
            break;
        default:
            break;
        }
        return QWidget::eventFilter(watched, event);
    }
    if (watched->parent() == this && m_arrangeDisabled == 0) {
        switch (event->type()) {
        case QEvent::Resize:
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            arrangeControls();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TToolbar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color);
    if (!m_dock) {
        paintFloating(painter);
        return;
    }
    const QRect client = rect();
    m_dock->drawBackground(painter, client.adjusted(1, 1, -1, -1), this);
    drawRaised(painter, client, palette());
    if (!m_dock->allowDrag())
        return;
    // The grip: two narrow raised bars across the bar, each with its
    // bottom-left pixel lit.
    for (const int start : {4, 7}) {
        QRect grip = m_dock->isVertical() ? QRect(2, start, client.width() - 4, 3)
                                          : QRect(start, 2, 3, client.height() - 4);
        drawRaised(painter, grip, palette());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawPoint(grip.left(), grip.bottom());
    }
}

void TToolbar::closeEvent(QCloseEvent *event)
{
    // A floating bar closed by its window's button only hides.
    event->ignore();
    setVisible(false);
    if (OnClose)
        OnClose(this);
}

// ------------------------------------------------------------- TToolbarSep

TToolbarSep::TToolbarSep(TToolbar *bar)
    : QWidget(bar)
{
    resize(m_sizeHorz, 8);
}

void TToolbarSep::setParent(QWidget *parent)
{
    if (parent && !qobject_cast<TToolbar *>(parent))
        throw EInvalidOperation("TToolbarSep can only be placed on a TToolbar");
    QWidget::setParent(parent);
}

void TToolbarSep::setBlank(bool blank)
{
    if (m_blank == blank)
        return;
    m_blank = blank;
    update();
    if (parentWidget())
        parentWidget()->update();
}

void TToolbarSep::setSizeHorz(int size)
{
    size = std::max(size, 1);
    if (m_sizeHorz == size)
        return;
    m_sizeHorz = size;
    rearrangeBar();
}

void TToolbarSep::setSizeVert(int size)
{
    size = std::max(size, 1);
    if (m_sizeVert == size)
        return;
    m_sizeVert = size;
    rearrangeBar();
}

void TToolbarSep::rearrangeBar()
{
    if (auto *bar = qobject_cast<TToolbar *>(parentWidget()))
        bar->arrangeControls();
}

void TToolbarSep::paintEvent(QPaintEvent *)
{
    if (m_blank)
        return;
    auto *bar = qobject_cast<TToolbar *>(parentWidget());
    const bool across = bar && bar->orientation() == BarLayout::Orientation::Vertical;
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    if (across) {
        const int y = height() / 2;
        painter.setPen(shadow);
        painter.drawLine(0, y - 1, width() - 1, y - 1);
        painter.setPen(highlight);
        painter.drawLine(0, y, width() - 1, y);
    } else {
        const int x = width() / 2;
        painter.setPen(shadow);
        painter.drawLine(x - 1, 0, x - 1, height() - 1);
        painter.setPen(highlight);
        painter.drawLine(x, 0, x, height() - 1);
    }
}

void TToolbarSep::mousePressEvent(QMouseEvent *event)
{
    // The press belongs to the bar (where a drag starts).
    event->ignore();
}
