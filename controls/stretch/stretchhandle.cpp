#include "stretch/stretchhandle.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kIdleSize = 24;
// A pointer closer than this to a grab point holds it.
constexpr double kNearDistance = 8.0;
constexpr int kEdgeSquareLength = 5;

// Signed division truncates towards zero, as the grid has always done.
int snap(int value, int grid)
{
    return value / grid * grid;
}

bool near(double a, double b)
{
    return std::abs(a - b) < kNearDistance;
}

bool holdsLeft(TGrabPoint grab)
{
    return grab == gpTopLeft || grab == gpBottomLeft || grab == gpLeft;
}

bool holdsRight(TGrabPoint grab)
{
    return grab == gpTopRight || grab == gpBottomRight || grab == gpRight;
}

bool holdsTop(TGrabPoint grab)
{
    return grab == gpTopLeft || grab == gpTopRight || grab == gpTop;
}

bool holdsBottom(TGrabPoint grab)
{
    return grab == gpBottomLeft || grab == gpBottomRight || grab == gpBottom;
}

Qt::CursorShape cursorFor(TGrabPoint grab)
{
    switch (grab) {
    case gpTopLeft:
    case gpBottomRight:
        return Qt::SizeFDiagCursor;
    case gpTopRight:
    case gpBottomLeft:
        return Qt::SizeBDiagCursor;
    case gpTop:
    case gpBottom:
        return Qt::SizeVerCursor;
    case gpLeft:
    case gpRight:
        return Qt::SizeHorCursor;
    case gpMove:
        break;
    }
    return Qt::ArrowCursor;
}

// Rounds halves to the even neighbour, as the squares on the edge middles
// have always been placed.
int roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

QRect frameAround(const QRect &selection)
{
    return QRect(selection.x() - kFrameLead, selection.y() - kFrameLead,
                 selection.width() + kFrameLead + kFrameTrail,
                 selection.height() + kFrameLead + kFrameTrail);
}

} // namespace

// The dotted rectangle that shows where a drag will put the selection.
class TStretchBand : public QWidget
{
public:
    explicit TStretchBand(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRect outline = rect().adjusted(0, 0, -1, -1);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(outline);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(outline);
    }
};

QRect stretchedFrame(TGrabPoint grab, QPoint pointer, QPoint origin, const QRect &frame,
                     int gridX, int gridY)
{
    const int dx = pointer.x() - origin.x();
    const int dy = pointer.y() - origin.y();
    // The selection's own edges; right and bottom are exclusive.
    int left = frame.x() + kFrameLead;
    int top = frame.y() + kFrameLead;
    int right = frame.x() + frame.width() - kFrameTrail;
    int bottom = frame.y() + frame.height() - kFrameTrail;

    if (grab == gpMove) {
        const int newLeft = snap(left + dx, gridX);
        const int newTop = snap(top + dy, gridY);
        right += newLeft - left;
        bottom += newTop - top;
        left = newLeft;
        top = newTop;
    } else {
        if (holdsLeft(grab))
            left = std::min(snap(left + dx, gridX), right - 1);
        if (holdsRight(grab))
            right = std::max(snap(right + dx, gridX), left + 1);
        if (holdsTop(grab))
            top = std::min(snap(top + dy, gridY), bottom - 1);
        if (holdsBottom(grab))
            bottom = std::max(snap(bottom + dy, gridY), top + 1);
    }
    return frameAround(QRect(left, top, right - left, bottom - top));
}

QPoint clampedPointer(QPoint pointer, const QRect &frame, const QSize &area)
{
    const int x = std::clamp(pointer.x() + frame.x(), 0, area.width());
    const int y = std::clamp(pointer.y() + frame.y(), 0, area.height());
    return QPoint(x - frame.x(), y - frame.y());
}

TGrabPoint grabPointAt(QPoint pos, const QSize &size)
{
    const double x = pos.x();
    const double y = pos.y();
    const double w = size.width();
    const double h = size.height();
    // Later matches override earlier ones.
    const struct {
        bool match;
        TGrabPoint grab;
    } tests[] = {
        {near(x, 0) && near(y, 0), gpTopLeft},
        {near(x, w) && near(y, h), gpBottomRight},
        {near(x, w) && near(y, 0), gpTopRight},
        {near(x, 0) && near(y, h), gpBottomLeft},
        {near(x, w / 2) && near(y, 0), gpTop},
        {near(x, w / 2) && near(y, h), gpBottom},
        {near(y, h / 2) && near(x, 0), gpLeft},
        {near(y, h / 2) && near(x, w), gpRight},
    };
    TGrabPoint found = gpMove;
    for (const auto &test : tests)
        if (test.match)
            found = test.grab;
    return found;
}

// --- TStretchHandle ---

TStretchHandle::TStretchHandle(QWidget *owner)
    : QWidget(owner), m_owner(owner)
{
    setObjectName(QStringLiteral("Klamra"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    resize(kIdleSize, kIdleSize);
    setEnabled(false);
    hide();
}

TStretchHandle::~TStretchHandle()
{
    hideBand();
}

QWidget *TStretchHandle::attach(QWidget *control)
{
    if (control && control->isWindow())
        return nullptr;
    if (!control || isSelected(control))
        return control;
    pruneDestroyed();
    if (!m_controls.isEmpty() && control->parentWidget() != parentWidget())
        detachAll();

    if (m_controls.isEmpty()) {
        hideBand();
        if (parentWidget() != control->parentWidget())
            setParent(control->parentWidget());
        setEnabled(true);
        show();
    }
    m_controls.append(control);
    // A control deleted while selected is simply dropped from the selection.
    connect(control, &QObject::destroyed, this, [this](QObject *gone) { forget(gone); });
    m_grabPoint = gpMove;
    frameSelection();
    raise();
    // The button that selected the control may still be down: the drag it
    // starts belongs to the frame.
    if (QGuiApplication::mouseButtons() != Qt::NoButton && !m_grabbing) {
        grabMouse();
        m_grabbing = true;
    }
    takeFocus();
    return control;
}

void TStretchHandle::detach(QWidget *control)
{
    const qsizetype index = m_controls.indexOf(control);
    if (control == nullptr || index < 0)
        return;
    disconnect(control, &QObject::destroyed, this, nullptr);
    m_controls.removeAt(index);
    if (m_lastHit == control)
        m_lastHit = nullptr;
    if (m_controls.isEmpty())
        hideFrame();
    else
        frameSelection();
}

void TStretchHandle::detachAll()
{
    for (const QPointer<QWidget> &control : std::as_const(m_controls))
        if (control)
            disconnect(control, &QObject::destroyed, this, nullptr);
    m_controls.clear();
    m_lastHit = nullptr;
    resize(kIdleSize, kIdleSize);
    hideFrame();
}

void TStretchHandle::forget(QObject *gone)
{
    // Compared by address only: the control is being destroyed.
    if (m_lastHit.data() == gone)
        m_lastHit = nullptr;
    m_controls.removeIf([gone](const QPointer<QWidget> &control) {
        return control.isNull() || static_cast<QObject *>(control.data()) == gone;
    });
    selectionShrunk();
}

void TStretchHandle::pruneDestroyed()
{
    if (m_controls.removeAll(QPointer<QWidget>()) > 0)
        selectionShrunk();
}

void TStretchHandle::selectionShrunk()
{
    if (m_controls.isEmpty())
        hideFrame();
    else
        frameSelection();
}

// Hidden, disabled and given back to its owner.
void TStretchHandle::hideFrame()
{
    endDrag();
    m_locked = false;
    setEnabled(false);
    hide();
    hideBand();
    if (parentWidget() != m_owner)
        setParent(m_owner);
    clearMask();
}

QWidget *TStretchHandle::selected(int index) const
{
    if (index < 0 || index >= m_controls.size())
        return nullptr;
    return m_controls.at(index);
}

QList<QWidget *> TStretchHandle::selectedControls() const
{
    QList<QWidget *> result;
    for (const QPointer<QWidget> &control : m_controls)
        if (control)
            result.append(control);
    return result;
}

bool TStretchHandle::isSelected(const QWidget *control) const
{
    return control && m_controls.contains(const_cast<QWidget *>(control));
}

QRect TStretchHandle::selectionBounds() const
{
    QRect united;
    for (const QPointer<QWidget> &control : m_controls)
        if (control)
            united = united.isNull() ? control->geometry() : united.united(control->geometry());
    return united;
}

// Fits the frame around the selection without moving the controls.
void TStretchHandle::frameSelection()
{
    setGeometry(frameAround(selectionBounds()));
    updateMask();
    update();
}

// Only the selected controls and their grab squares take the mouse; every
// other click inside the frame goes to what lies beneath.
void TStretchHandle::updateMask()
{
    QRegion region;
    for (const QPointer<QWidget> &control : m_controls)
        if (control)
            region += control->geometry()
                          .adjusted(-kFrameLead, -kFrameLead, kFrameLead, kFrameLead)
                          .translated(-pos());
    setMask(region);
}

void TStretchHandle::setBounds(const QRect &bounds)
{
    if (m_locked)
        return;
    const QRect old = geometry();
    int dw = bounds.width() - old.width();
    int dh = bounds.height() - old.height();
    // No control shrinks below 1 x 1.
    for (const QPointer<QWidget> &control : m_controls) {
        if (!control)
            continue;
        dw = std::max(dw, 1 - control->width());
        dh = std::max(dh, 1 - control->height());
    }
    const int dl = bounds.x() - old.x();
    const int dt = bounds.y() - old.y();
    for (const QPointer<QWidget> &control : m_controls) {
        if (!control)
            continue;
        const QRect g = control->geometry();
        control->setGeometry(g.x() + dl, g.y() + dt, g.width() + dw, g.height() + dh);
    }
    setGeometry(bounds.x(), bounds.y(), old.width() + dw, old.height() + dh);
    if (!m_controls.isEmpty())
        updateMask();
    update();
}

void TStretchHandle::setColor(Platform::TColor value)
{
    if (value == m_color)
        return;
    m_color = value;
    update();
}

void TStretchHandle::setSecondaryColor(Platform::TColor value)
{
    if (value == m_secondaryColor)
        return;
    m_secondaryColor = value;
    update();
}

void TStretchHandle::setLocked(bool value)
{
    m_locked = value;
}

void TStretchHandle::setGridX(int value)
{
    m_gridX = std::clamp(value, kMinGrid, kMaxGrid);
}

void TStretchHandle::setGridY(int value)
{
    m_gridY = std::clamp(value, kMinGrid, kMaxGrid);
}

void TStretchHandle::setSnapToGrid(bool value)
{
    m_gridX = m_gridY = value ? 8 : 1;
}

void TStretchHandle::setHint(const QString &value)
{
    m_hint = value;
    setToolTip(m_showHint ? m_hint : QString());
}

void TStretchHandle::setShowHint(bool value)
{
    m_showHint = value;
    setToolTip(m_showHint ? m_hint : QString());
}

QWidget *TStretchHandle::hitTest(QPoint point)
{
    for (const QPointer<QWidget> &control : m_controls) {
        if (control
            && control->geometry()
                   .adjusted(-kFrameLead, -kFrameLead, kFrameLead, kFrameLead)
                   .contains(point)) {
            m_lastHit = control;
            return control;
        }
    }
    return nullptr;
}

void TStretchHandle::takeFocus()
{
    if (isVisible() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

// --- painting ---

void TStretchHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const bool single = m_controls.size() == 1;
    const QColor brush = Platform::toQColor(single ? m_color : m_secondaryColor);
    for (const QPointer<QWidget> &control : m_controls) {
        if (!control)
            continue;
        const QRect g = control->geometry().translated(-pos());
        const int left = g.x() - kFrameLead;
        const int top = g.y() - kFrameLead;
        const int right = g.x() + g.width() + kFrameLead;
        const int bottom = g.y() + g.height() + kFrameLead;
        painter.fillRect(left, top, kGrabSize, kGrabSize, brush);
        painter.fillRect(right - kGrabSize, top, kGrabSize, kGrabSize, brush);
        painter.fillRect(right - kGrabSize, bottom - kGrabSize, kGrabSize, kGrabSize, brush);
        painter.fillRect(left, bottom - kGrabSize, kGrabSize, kGrabSize, brush);
        if (!single)
            continue;
        const int mx = left + roundHalfEven((right - left) * 0.5);
        const int my = top + roundHalfEven((bottom - top) * 0.5);
        painter.fillRect(mx - 2, top, kEdgeSquareLength, kGrabSize, brush);
        painter.fillRect(mx - 2, bottom - kGrabSize, kEdgeSquareLength, kGrabSize, brush);
        painter.fillRect(left, my - 2, kGrabSize, kEdgeSquareLength, brush);
        painter.fillRect(right - kGrabSize, my - 2, kGrabSize, kEdgeSquareLength, brush);
    }
}

// --- rubber band ---

void TStretchHandle::showBand(const QRect &frame)
{
    if (!m_band && parentWidget())
        m_band = new TStretchBand(parentWidget());
    m_bandFrame = frame;
    if (!m_band)
        return;
    m_band->setGeometry(frame.adjusted(kFrameLead, kFrameLead, -kFrameTrail, -kFrameTrail));
    m_band->show();
    m_band->raise();
}

void TStretchHandle::hideBand()
{
    m_bandFrame = QRect();
    delete m_band;
    m_band = nullptr;
}

// --- mouse ---

void TStretchHandle::hover(QPoint pos)
{
    m_grabPoint = m_controls.size() == 1 ? grabPointAt(pos, size()) : gpMove;
    setCursor(m_locked ? Qt::ForbiddenCursor : cursorFor(m_grabPoint));
}

void TStretchHandle::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (!hitTest(pos + this->pos())) {
        unsetCursor();
        forward(event);
        return;
    }
    m_pressedOnSelection = true;
    if (event->button() == Qt::LeftButton && !m_locked) {
        m_dragOrigin = pos;
        m_dragging = true;
    }
    if (OnMouseDown)
        OnMouseDown(this, event->button(), event->modifiers(), pos.x(), pos.y());
}

void TStretchHandle::mouseMoveEvent(QMouseEvent *event)
{
    QPoint pos = event->position().toPoint();
    const bool leftDown = event->buttons() & Qt::LeftButton;
    if (!leftDown && m_grabbing) {
        releaseMouse();
        m_grabbing = false;
    }
    if (leftDown && !m_dragging && !m_locked && !m_controls.isEmpty()) {
        // The press went to a control that was selected by it.
        m_dragOrigin = pos;
        m_dragging = true;
    }
    if (m_dragging) {
        if (parentWidget())
            pos = clampedPointer(pos, geometry(), parentWidget()->size());
        if (m_grabPoint == gpMove)
            setCursor(m_dragCursor);
        showBand(stretchedFrame(m_grabPoint, pos, m_dragOrigin, geometry(), m_gridX, m_gridY));
    } else if (!leftDown) {
        hover(pos);
    }
    if (OnMouseMove)
        OnMouseMove(this, event->modifiers(), pos.x(), pos.y());
}

void TStretchHandle::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        if (m_grabbing && event->buttons() == Qt::NoButton) {
            releaseMouse();
            m_grabbing = false;
        }
        if (!m_pressedOnSelection) {
            forward(event);
            return;
        }
        m_pressedOnSelection = false;
        if (OnMouseUp) {
            const QPoint pos = event->position().toPoint();
            OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
        }
        return;
    }
    finishDrag(event);
}

void TStretchHandle::finishDrag(QMouseEvent *event)
{
    QPoint pos = event->position().toPoint();
    if (parentWidget())
        pos = clampedPointer(pos, geometry(), parentWidget()->size());
    const QRect old = geometry();
    const QRect target = stretchedFrame(m_grabPoint, pos, m_dragOrigin, old, m_gridX, m_gridY);
    // A drag that ends where it began, or snaps back to the same place,
    // changes nothing and reports nothing.
    if (pos != m_dragOrigin && target != old) {
        const bool moved = (target.x() != old.x() || target.y() != old.y())
                           && target.size() == old.size();
        setBounds(target);
        const NotifyEvent &notify = moved ? OnMoved : OnResized;
        if (notify)
            notify(this);
    }
    hideBand();
    takeFocus();
    endDrag();
    const bool clicked = m_pressedOnSelection && rect().contains(event->position().toPoint());
    m_pressedOnSelection = false;
    if (OnMouseUp)
        OnMouseUp(this, event->button(), event->modifiers(), pos.x(), pos.y());
    if (clicked && OnClick)
        OnClick(this);
}

void TStretchHandle::endDrag()
{
    m_dragging = false;
    unsetCursor();
    if (m_grabbing) {
        releaseMouse();
        m_grabbing = false;
    }
}

void TStretchHandle::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!hitTest(event->position().toPoint() + pos())) {
        forward(event);
        return;
    }
    mousePressEvent(event);
    if (OnDblClick)
        OnDblClick(this);
}

void TStretchHandle::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_popupMenu && hitTest(event->pos() + pos()))
        m_popupMenu->popup(event->globalPos());
}

// The topmost visible control of the parent under parentPoint (not a frame),
// or the parent itself.
QWidget *TStretchHandle::widgetBeneath(QPoint parentPoint) const
{
    QWidget *parent = parentWidget();
    if (!parent)
        return nullptr;
    const QObjectList &children = parent->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto *widget = qobject_cast<QWidget *>(*it);
        if (!widget || widget == this || widget == m_band || widget->isWindow()
            || !widget->isVisible() || qobject_cast<TStretchHandle *>(widget)
            || !widget->geometry().contains(parentPoint))
            continue;
        QWidget *deepest = widget->childAt(parentPoint - widget->pos());
        return deepest ? deepest : widget;
    }
    return parent;
}

// A press or release that is not for the frame goes to what lies beneath.
void TStretchHandle::forward(QMouseEvent *event)
{
    const QPoint parentPoint = event->position().toPoint() + pos();
    QWidget *target = widgetBeneath(parentPoint);
    if (!target)
        return;
    const QPointF local = target->mapFrom(parentWidget(), QPointF(parentPoint));
    QMouseEvent copy(event->type(), local, event->scenePosition(), event->globalPosition(),
                     event->button(), event->buttons(), event->modifiers());
    QCoreApplication::sendEvent(target, &copy);
}

// --- keys ---

void TStretchHandle::arrowKey(int key, Qt::KeyboardModifiers modifiers)
{
    update();
    QRect r = geometry();
    if (modifiers & Qt::ShiftModifier) {
        if (key == Qt::Key_Left)
            r.setWidth(r.width() - 1);
        else if (key == Qt::Key_Right)
            r.setWidth(r.width() + 1);
        else if (key == Qt::Key_Up)
            r.setHeight(r.height() - 1);
        else
            r.setHeight(r.height() + 1);
    } else {
        const QPoint step(key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0,
                          key == Qt::Key_Up ? -1 : key == Qt::Key_Down ? 1 : 0);
        r.translate(step);
    }
    setBounds(r);
}

void TStretchHandle::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down)
        arrowKey(key, event->modifiers());
    if (OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    const QString text = event->text();
    if (key != 0 && OnKeyPress && text.size() == 1) {
        QChar character = text.at(0);
        OnKeyPress(this, character);
    }
}

void TStretchHandle::keyReleaseEvent(QKeyEvent *event)
{
    int key = event->key();
    if (OnKeyUp)
        OnKeyUp(this, key, event->modifiers());
}
