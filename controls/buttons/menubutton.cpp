#include "buttons/menubutton.h"

#include <QApplication>
#include <QMouseEvent>

TMenuButton::TMenuButton(QWidget *parent)
    : TGlyphButton(unit(), parent)
{
}

TButtonUnit &TMenuButton::unit()
{
    static TButtonUnit menuButtonUnit;
    return menuButtonUnit;
}

void TMenuButton::enabledChanged()
{
    update();
}

// --- dragging: with DragMode dmAutomatic a left press drags the button ---

void TMenuButton::mousePressEvent(QMouseEvent *event)
{
    if (m_dragMode != dmAutomatic || event->button() != Qt::LeftButton || !isEnabled()) {
        TGlyphButton::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragTarget = nullptr;
    m_dragAccepted = false;
    if (OnStartDrag)
        OnStartDrag(this);
    dragOverTarget(event->globalPosition().toPoint());
}

void TMenuButton::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging)
        dragOverTarget(event->globalPosition().toPoint());
    else
        TGlyphButton::mouseMoveEvent(event);
}

void TMenuButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        TGlyphButton::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    const QPoint global = event->globalPosition().toPoint();
    dragOverTarget(global);
    TMenuButton *target = m_dragAccepted ? m_dragTarget.data() : nullptr;
    QPoint at = global;
    if (target) {
        at = target->mapFromGlobal(global);
        if (target->OnDragDrop)
            target->OnDragDrop(target, this, at.x(), at.y());
    }
    m_dragTarget = nullptr;
    if (OnEndDrag)
        OnEndDrag(this, target, at.x(), at.y());
}

void TMenuButton::dragOverTarget(QPoint global)
{
    auto *target = qobject_cast<TMenuButton *>(QApplication::widgetAt(global));
    if (target != m_dragTarget) {
        if (m_dragTarget)
            askTarget(m_dragTarget, global, dsDragLeave);
        m_dragTarget = target;
        m_dragAccepted = target && askTarget(target, global, dsDragEnter);
    } else if (target) {
        m_dragAccepted = askTarget(target, global, dsDragMove);
    }
}

// A target accepts when it has an OnDragOver handler that does not refuse.
bool TMenuButton::askTarget(TMenuButton *target, QPoint global, TDragState state)
{
    if (!target->OnDragOver)
        return false;
    bool accept = true;
    const QPoint at = target->mapFromGlobal(global);
    target->OnDragOver(target, this, at.x(), at.y(), state, accept);
    return accept;
}
