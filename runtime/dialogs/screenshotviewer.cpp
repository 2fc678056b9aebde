#include "screenshotviewer.h"

#include "jpegreader.h"
#include "menuwindow/eventhook.h"

#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>

#include <safefile.h>

#include <QEvent>
#include <QMouseEvent>

TfrmBMP_JPG::TfrmBMP_JPG(QWidget *owner, const QImage &picture, const QSize &screen)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmBMP_JPG"));
    MenuObjects::setBackgroundColor(this, Platform::clBlack);
    setFixedSize(screen);
    move(0, 0);

    Image = new TImage(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setGeometry(placement(picture.size(), screen));
    Image->stretch(picture);
    Image->installEventFilter(new EventHook(this, [this](QObject *, QEvent *event) {
        if (event->type() != QEvent::MouseButtonRelease)
            return false;
        accept();
        return true;
    }));
}

QRect TfrmBMP_JPG::placement(const QSize &picture, const QSize &screen)
{
    if (picture.width() > screen.width() || picture.height() > screen.height())
        return QRect(QPoint(0, 0), screen);
    return QRect(QPoint((screen.width() - picture.width()) / 2, (screen.height() - picture.height()) / 2), picture);
}

QImage TfrmBMP_JPG::loadScreenshot(const QString &path)
{
    const JpegReader::Result jpeg = JpegReader::read(path);
    if (jpeg.ok())
        return jpeg.picture;
    return Platform::readPicture(path);
}
