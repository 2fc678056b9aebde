#include <menuobjects/imagewidget.h>

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage picture(QImage::Format format)
{
    QImage image(7, 5, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 36, y * 50, 200 - x * 20, 60 + (x + y) * 20));
    }
    return image.convertToFormat(format);
}

// The canvas a picture gives when it is drawn over a canvas already there.
QImage drawnOver(const QImage &source, QSize size)
{
    TImage image;
    image.resize(size);
    image.canvas(); // an empty canvas first
    image.stretch(source);
    return image.canvas();
}

} // namespace

// A picture of the control's size is taken as the canvas instead of being
// drawn into a new one; either way the canvas holds the same pixels.
TEST(ImageWidget, APictureOfTheControlsSizeGivesTheCanvasDrawingWouldGive)
{
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_RGB888,
                                        QImage::Format_Indexed8, QImage::Format_Mono}) {
        SCOPED_TRACE(format);
        const QImage source = picture(format);
        TImage image;
        image.resize(source.size());
        image.stretch(source);
        EXPECT_EQ(image.canvas(), drawnOver(source, source.size()));
        EXPECT_EQ(image.canvas().format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(source, picture(format)); // the caller's picture stays as it was
    }
}

TEST(ImageWidget, OtherSizesAreStretchedOverTheControl)
{
    TImage image;
    image.resize(14, 10);
    image.stretch(picture(QImage::Format_RGB32));
    EXPECT_EQ(image.canvas().size(), QSize(14, 10));
    EXPECT_EQ(image.canvas(), drawnOver(picture(QImage::Format_RGB32), QSize(14, 10)));
}
