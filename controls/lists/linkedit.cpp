#include "lists/linkedit.h"

#include "colors.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <qdrawutil.h>

TLinkEdit::TLinkEdit(QWidget *parent)
    : QLineEdit(parent),
      m_buttonWidth(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this))
{
    setMouseTracking(true);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange(this);
    });
}

void TLinkEdit::setLinkStyle(TlinkStyle value)
{
    if (value == m_linkStyle)
        return;
    m_linkStyle = value;
    if (hasFocus())
        updateEditRect();
    updateCursor(mapFromGlobal(QCursor::pos()));
}

bool TLinkEdit::buttonShown() const
{
    return m_linkStyle == lsEllipsis && hasFocus();
}

QRect TLinkEdit::buttonRect() const
{
    const QRect client = contentsRect();
    return QRect(client.right() + 1 - m_buttonWidth, client.top(), m_buttonWidth, client.height());
}

QRect TLinkEdit::hitRect() const
{
    const int left = width() - m_buttonWidth - 4;
    return QRect(left, 0, width() - left, height());
}

// The text keeps clear of the button while it is shown.
void TLinkEdit::updateEditRect()
{
    setTextMargins(0, 0, buttonShown() ? m_buttonWidth : 0, 0);
    update();
}

void TLinkEdit::updatePressed(QPoint pos)
{
    const bool pressed = buttonRect().contains(pos);
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    update(buttonRect());
}

void TLinkEdit::updateCursor(QPoint pos)
{
    const bool overButton = m_linkStyle == lsEllipsis && hitRect().contains(pos);
    setCursor(overButton ? Qt::ArrowCursor : Qt::IBeamCursor);
}

// The button comes back up before the handler runs (which often opens a
// dialog), and stays up after it.
void TLinkEdit::buttonClick()
{
    updatePressed(QPoint(-1, -1));
    if (OnButtonClick)
        OnButtonClick(this);
}

// --- painting ---

void TLinkEdit::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!buttonShown())
        return;
    QPainter painter(this);
    paintButton(painter);
}

void TLinkEdit::paintButton(QPainter &painter) const
{
    const QRect button = buttonRect();
    const QPalette &colours = palette();
    if (m_pressed) {
        qDrawPlainRect(&painter, button, colours.color(QPalette::Dark), 1,
                       &colours.brush(QPalette::Button));
    } else {
        qDrawWinButton(&painter, button, colours, false, &colours.brush(QPalette::Button));
    }
    const int side = height() <= 7 ? 1 : height() / 8;
    const int c = button.width() / 2 + (m_pressed ? 1 : 0) - 1;
    const QColor black = Platform::toQColor(Platform::clBlack);
    for (const int dx : {-2 * side, 0, 2 * side})
        painter.fillRect(button.left() + c + dx, button.top() + c, side, side, black);
}

// --- focus ---

void TLinkEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    updateEditRect();
}

void TLinkEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    updateEditRect();
}

// --- keys and mouse ---

void TLinkEdit::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (m_linkStyle == lsEllipsis && enter && modifiers == Qt::ControlModifier) {
        // Taken whole: nothing is typed and the dialog's default button
        // does not see it.
        event->accept();
        buttonClick();
        return;
    }
    int key = event->key();
    if (OnKeyDown)
        OnKeyDown(this, key, event->modifiers());
    if (key != 0)
        QLineEdit::keyPressEvent(event);
}

void TLinkEdit::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && buttonShown() && hitRect().contains(pos)) {
        m_tracking = true;
        updatePressed(pos);
        return;  // the button's press does not move the caret
    }
    QLineEdit::mousePressEvent(event);
}

void TLinkEdit::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    if (m_tracking) {
        updatePressed(pos);
        return;
    }
    updateCursor(pos);
    QLineEdit::mouseMoveEvent(event);
}

void TLinkEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_tracking) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    const bool wasPressed = m_pressed;
    m_tracking = false;
    updatePressed(QPoint(-1, -1));
    if (event->button() == Qt::LeftButton && m_linkStyle == lsEllipsis && wasPressed)
        buttonClick();
}
