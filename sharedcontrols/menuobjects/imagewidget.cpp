#include "imagewidget.h"

#include <QPainter>

TImage::TImage(QWidget *parent)
    : QWidget(parent)
{
}

QImage &TImage::canvas()
{
    if (m_canvas.isNull()) {
        m_canvas = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        m_canvas.fill(Qt::transparent);
    }
    return m_canvas;
}

void TImage::tile(const QImage &picture)
{
    QImage &target = canvas();
    QPainter painter(&target);
    painter.fillRect(target.rect(), QBrush(picture));
    update();
}

void TImage::stretch(QImage picture)
{
    if (m_canvas.isNull() && picture.size() == size()) {
        // Drawn unscaled over nothing, the canvas would be the picture
        // itself: it is taken as it is, converted in place, not copied.
        m_canvas = std::move(picture).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        update();
        return;
    }
    QImage &target = canvas();
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target.rect(), picture);
    update();
}

void TImage::fillRect(const QRect &rect, const QColor &color)
{
    QPainter painter(&canvas());
    painter.fillRect(rect, color);
    update();
}

void TImage::paintEvent(QPaintEvent *)
{
    if (m_canvas.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(rect(), m_canvas);
}
