#include "screenshotviewer.h"

#include "jpegreader.h"
#include "menuwindow/eventhook.h"

#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>

#include <safefile.h>

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
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

TfrmBMP_JPG::Screenshot TfrmBMP_JPG::loadScreenshot(const QString &path)
{
    JpegReader::Result jpeg;
    {
        const Platform::ReadResult file = Platform::readRegularFile(path, Platform::SizeLimits::Picture);
        if (!file.ok())
            return {{}, file.reason};
        jpeg = JpegReader::decode(file.bytes);
    }
    if (jpeg.ok())
        return {jpeg.picture, {}};
    // A JPEG the reader refused (too large, too many scans) is not handed
    // to another decoder that would do the work the refusal spared.
    if (jpeg.jpeg)
        return {{}, jpeg.error};
    // Any other picture; the other decoders do not say why they fail.
    return {Platform::readPicture(path), {}};
}

TfrmBMP_JPG::Screenshot TfrmBMP_JPG::loadScreenshotResponsively(const QString &path)
{
    // A large picture takes a while to decode: the work runs beside the
    // event loop, which keeps the windows painted meanwhile.
    Screenshot picture;
    QEventLoop waiting;
    QThread *worker = QThread::create([&picture, path] { picture = loadScreenshot(path); });
    QObject::connect(worker, &QThread::finished, &waiting, &QEventLoop::quit);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    worker->start();
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    delete worker;
    QGuiApplication::restoreOverrideCursor();
    return picture;
}
