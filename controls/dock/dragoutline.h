#pragma once

#include <QWidget>

// The checkered ring that follows the mouse while a bar is dragged or
// sized: a window of its own above everything, shaped to the ring and
// transparent for the mouse, so that nothing under it is painted over.
class DragOutline : public QWidget
{
    Q_OBJECT

public:
    DragOutline();

    // Shows the ring with its outer edge at rect (screen coordinates).
    void showAt(const QRect &rect, int thickness);
    QRect outline() const { return m_rect; }
    int thickness() const { return m_thickness; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect m_rect;
    int m_thickness = 0;
};
