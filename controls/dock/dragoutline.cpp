#include "dock/dragoutline.h"

#include <QPainter>
#include <QRegion>

DragOutline::DragOutline()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("DragOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

void DragOutline::showAt(const QRect &rect, int thickness)
{
    if (rect == m_rect && thickness == m_thickness && isVisible())
        return;
    m_rect = rect;
    m_thickness = thickness;
    setGeometry(rect);
    const QRect whole(QPoint(0, 0), rect.size());
    const QRegion ring = QRegion(whole).subtracted(QRegion(whole.adjusted(thickness, thickness, -thickness, -thickness)));
    setMask(ring);
    show();
    update();
}

void DragOutline::paintEvent(QPaintEvent *)
{
    // A checkerboard of single pixels in black and white reads on any
    // background.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
}
