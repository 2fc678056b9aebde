#include "hints/coolhint.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace {

// Room the ellipse needs beside the text.
const QString ovalWidening = QStringLiteral("WWWW");

// Below the mouse pointer, as the platform places its hints.
constexpr int pointerHeight = 20;

// Text margins of the hint (left and right together, top and bottom
// together) and its one-pixel frame.
constexpr int textMarginX = 6;
constexpr int textMarginY = 2;
constexpr int frame = 1;

} // namespace

TCoolHint::TCoolHint(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(QToolTip::font());
}

void TCoolHint::setHintStyle(const HintStyle &style)
{
    m_style = style;
    update();
}

QRect TCoolHint::calcHintRect(const QString &text, QPoint topLeft) const
{
    const QScreen *screen = QGuiApplication::screenAt(topLeft);
    const int maxWidth = screen ? screen->geometry().width() : 1024;
    const QRect textBounds =
        fontMetrics().boundingRect(QRect(0, 0, maxWidth, 0), Qt::AlignLeft | Qt::TextWordWrap, text);
    return QRect(topLeft, QSize(textBounds.width() + textMarginX + 2 * frame,
                                textBounds.height() + textMarginY + 2 * frame));
}

void TCoolHint::activateHint(QRect rect, const QString &text)
{
    if (m_style.oval)
        rect.setRight(rect.right() + fontMetrics().horizontalAdvance(ovalWidening));
    setGeometry(rect);
    // The ellipse leaves out the top and left frame lines, so the frame
    // shows on rectangular hints only.
    setMask(m_style.oval ? QRegion(QRect(1, 1, rect.width() - 1, rect.height() - 1), QRegion::Ellipse)
                         : QRegion(0, 0, rect.width(), rect.height()));
    m_text = text;
    show();
    raise();
    update();
}

void TCoolHint::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Platform::toQColor(m_style.color));
    painter.setPen(Platform::toQColor(Platform::clWindowFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    // No mnemonic processing: an ampersand shows as it is.
    QRect textArea = rect().adjusted(frame, frame, -frame, -frame);
    textArea.setLeft(textArea.left() + 1);
    painter.setPen(Platform::toQColor(m_style.textColor));
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, m_text);
}

CoolHints::CoolHints(QObject *parent)
    : QObject(parent)
{
    m_hideTimer.setSingleShot(true);
    m_hideTimer.setInterval(hideAfterMs);
    connect(&m_hideTimer, &QTimer::timeout, this, &CoolHints::hideHint);
    qApp->installEventFilter(this);
}

CoolHints::~CoolHints()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void CoolHints::setStyle(const HintStyle &style)
{
    m_style = style;
    if (m_hint)
        m_hint->setHintStyle(style);
}

void CoolHints::install(QWidget *window)
{
    if (window && !isInstalledOn(window))
        m_windows.append(window);
}

void CoolHints::uninstall(QWidget *window)
{
    m_windows.removeAll(window);
}

bool CoolHints::isInstalledOn(const QWidget *widget) const
{
    const QWidget *window = widget->window();
    for (const QPointer<QWidget> &installed : m_windows)
        if (installed == window)
            return true;
    return false;
}

void CoolHints::hideHint()
{
    m_hideTimer.stop();
    if (m_hint)
        m_hint->hide();
}

void CoolHints::showHint(QWidget *widget, QPoint globalPos)
{
    const QString text = widget->toolTip();
    if (!m_hint)
        m_hint = std::make_unique<TCoolHint>();
    m_hint->setHintStyle(m_style);
    m_hint->activateHint(m_hint->calcHintRect(text, globalPos + QPoint(0, pointerHeight)), text);
    m_hideTimer.start();
}

bool CoolHints::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ToolTip:
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
    case QEvent::Hide:
        break;
    default:
        return false;
    }
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget == m_hint.get() || !isInstalledOn(widget))
        return false;
    if (event->type() != QEvent::ToolTip) {
        hideHint();
        return false;
    }
    // A widget without a hint passes the event on to its parent.
    if (widget->toolTip().isEmpty())
        return false;
    showHint(widget, static_cast<QHelpEvent *>(event)->globalPos());
    return true;
}
