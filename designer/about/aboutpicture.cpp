#include "about/aboutpicture.h"

#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

void drawBackground(QPainter &painter, const QRectF &area)
{
    QLinearGradient sky(area.topLeft(), area.bottomLeft());
    sky.setColorAt(0, QColor(16, 32, 84));
    sky.setColorAt(1, QColor(4, 8, 28));
    painter.fillRect(area, sky);
}

// A disc with a rainbow sheen, its tracks and the hole in the middle.
void drawDisc(QPainter &painter, QPointF centre, qreal radius)
{
    QConicalGradient sheen(centre, 30);
    const QColor colours[] = {QColor(230, 230, 240), QColor(120, 200, 255), QColor(250, 140, 220),
                              QColor(255, 240, 150), QColor(230, 230, 240)};
    for (int i = 0; i < 5; ++i)
        sheen.setColorAt(i / 4.0, colours[i]);
    painter.setPen(QPen(QColor(90, 90, 110), 1.5));
    painter.setBrush(sheen);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (qreal track = radius * 0.45; track < radius; track += radius * 0.09)
        painter.drawEllipse(centre, track, track);
    painter.setPen(QPen(QColor(90, 90, 110), 1.5));
    painter.setBrush(QColor(200, 205, 215));
    painter.drawEllipse(centre, radius * 0.3, radius * 0.3);
    painter.setBrush(QColor(8, 14, 40));
    painter.drawEllipse(centre, radius * 0.12, radius * 0.12);
}

// The shaped menu window the designer makes: rounded, with category keys.
void drawMenuWindow(QPainter &painter, const QRectF &frame)
{
    QPainterPath outline;
    outline.addRoundedRect(frame, frame.height() * 0.25, frame.height() * 0.25);
    QLinearGradient face(frame.topLeft(), frame.bottomLeft());
    face.setColorAt(0, QColor(250, 210, 90));
    face.setColorAt(1, QColor(220, 120, 30));
    painter.setPen(QPen(QColor(90, 40, 0), 2));
    painter.setBrush(face);
    painter.drawPath(outline);
    const qreal keyHeight = frame.height() / 6;
    for (int i = 0; i < 3; ++i) {
        const QRectF key(frame.left() + frame.width() * 0.1, frame.top() + keyHeight * (1 + 1.5 * i),
                         frame.width() * 0.42, keyHeight);
        painter.setPen(QPen(QColor(90, 40, 0), 1));
        painter.setBrush(QColor(255, 245, 220));
        painter.drawRoundedRect(key, 4, 4);
    }
    const QRectF list(frame.left() + frame.width() * 0.6, frame.top() + keyHeight, frame.width() * 0.3,
                      keyHeight * 4);
    painter.setBrush(QColor(60, 30, 10, 140));
    painter.drawRect(list);
}

void drawTitle(QPainter &painter, const QRectF &area)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(int(area.height() * 0.16));
    painter.setFont(font);
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(area.adjusted(area.width() * 0.05, 0, 0, -area.height() * 0.05),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Dodorurav 2.1"));
}

} // namespace

QImage drawAboutPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, width, height);
    drawBackground(painter, area);
    drawDisc(painter, QPointF(width * 0.68, height * 0.45), height * 0.4);
    drawMenuWindow(painter, QRectF(width * 0.08, height * 0.12, width * 0.45, height * 0.5));
    drawTitle(painter, area);
    return picture;
}
