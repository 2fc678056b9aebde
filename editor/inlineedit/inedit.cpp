#include "inedit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

TInEdit::TInEdit(QWidget *parent) : QLineEdit(parent)
{
    hide();
}

int TInEdit::reasonOf(int key, Qt::KeyboardModifiers modifiers) const
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool anyShiftKey = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool nothingSelected = !hasSelectedText();
    switch (key) {
    case Qt::Key_Left:
        if (shift)
            return 0;
        return ctrl || (!anyShiftKey && cursorPosition() == 0 && nothingSelected) ? LeftOut : 0;
    case Qt::Key_Right:
        if (shift)
            return 0;
        return ctrl || (!anyShiftKey && cursorPosition() == text().size() && nothingSelected) ? RightOut : 0;
    case Qt::Key_Up: return Up;
    case Qt::Key_Down: return Down;
    case Qt::Key_Tab: return shift ? ShiftTab : Tab;
    case Qt::Key_Backtab: return ShiftTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Enter;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_PageUp: return PageUp;
    case Qt::Key_PageDown: return PageDown;
    case Qt::Key_Home: return ctrl ? CtrlHome : 0;
    case Qt::Key_End: return ctrl ? CtrlEnd : 0;
    default: return 0;
    }
}

void TInEdit::GoingOff(int reason, const QString &value, bool &allowExit)
{
    if (OnGoingOff)
        OnGoingOff(this, reason, value, allowExit);
}

bool TInEdit::event(QEvent *event)
{
    // The leaving keys are ours before any shortcut of the window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (reasonOf(key->key(), key->modifiers()) != 0) {
            event->accept();
            return true;
        }
    }
    // Tab and Shift+Tab would move the focus before the key reaches us.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && leaveByKey(key))
            return true;
    }
    return QLineEdit::event(event);
}

void TInEdit::keyPressEvent(QKeyEvent *event)
{
    if (!leaveByKey(event))
        QLineEdit::keyPressEvent(event);
}

// True when the key is one of the table's (handled here, left or not).
bool TInEdit::leaveByKey(QKeyEvent *event)
{
    const int reason = reasonOf(event->key(), event->modifiers());
    if (reason == 0)
        return false;
    event->accept();
    bool allowExit = true;
    GoingOff(reason, text(), allowExit);
    if (!allowExit) {
        QApplication::beep();
        return true;
    }
    if (reason == Escape)
        QApplication::beep();
    leave();
    if (parentWidget())
        parentWidget()->setFocus(Qt::OtherFocusReason);
    return true;
}

void TInEdit::focusInEvent(QFocusEvent *event)
{
    m_entered = true;
    QLineEdit::focusInEvent(event);
}

void TInEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A popup (the edit's own menu) or another window (a message box) leaves
    // the edit as its window's focus: it has not been left.
    const Qt::FocusReason reason = event->reason();
    if (!m_entered || m_decidingFocusLoss || reason == Qt::PopupFocusReason
        || reason == Qt::ActiveWindowFocusReason)
        return;
    bool allowExit = true;
    m_decidingFocusLoss = true;
    GoingOff(FocusLost, text(), allowExit);
    m_decidingFocusLoss = false;
    if (allowExit) {
        leave();
        return;
    }
    QApplication::beep();
    // Taken back once the focus change that got us here has finished.
    QTimer::singleShot(0, this, [self = QPointer<TInEdit>(this)] {
        if (self && self->isVisible())
            self->setFocus(Qt::OtherFocusReason);
    });
}

void TInEdit::leave()
{
    m_entered = false;
    hide();
}
