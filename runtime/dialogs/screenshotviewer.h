#pragma once

#include <QDialog>
#include <QImage>

class TImage;

// The screenshot of a program over the whole screen, on black: centred at
// its own size when the screen holds it, else stretched to the screen. A
// click on it closes the window.
class TfrmBMP_JPG : public QDialog
{
    Q_OBJECT
public:
    // screen: the size the window takes (the screen's).
    TfrmBMP_JPG(QWidget *owner, const QImage &picture, const QSize &screen);

    TImage *image() const { return Image; }

    // Where a picture of that size lies on a screen of that size.
    static QRect placement(const QSize &picture, const QSize &screen);
    struct Screenshot {
        QImage picture; // null when the file cannot be shown
        QString reason; // why not, when that is known
    };
    // The picture of a file: read as a JPEG first, as any other picture
    // when that fails; null when it is neither (or too large to show).
    static Screenshot loadScreenshot(const QString &path);
    // The same, decoded beside the event loop: the windows stay painted
    // while a large picture decodes, and no click reaches them meanwhile.
    static Screenshot loadScreenshotResponsively(const QString &path);

private:
    TImage *Image = nullptr;
};
