#pragma once

#include <QImage>
#include <QWidget>

// A picture with a canvas of its own, as the menu window's background and
// toolbar strip use it: owners paint into the canvas, and the canvas is shown
// stretched over the control. An empty canvas shows the parent through.
class TImage : public QWidget
{
public:
    explicit TImage(QWidget *parent = nullptr);

    // The canvas, made the size of the control on first use.
    QImage &canvas();
    bool hasCanvas() const { return !m_canvas.isNull(); }

    // Fills the canvas: the picture repeated from the top left corner.
    void tile(const QImage &picture);
    // Fills the canvas: the picture stretched over all of it.
    void stretch(QImage picture);
    // Fills a canvas rectangle with a plain colour.
    void fillRect(const QRect &rect, const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_canvas;
};
