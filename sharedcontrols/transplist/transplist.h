#pragma once

#include "colors.h"

#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// A scrolling list of text lines drawn straight onto the parent's background:
// no frame, no box, no scroll bar. Two outline arrows at the right edge
// scroll it (a held press repeats every 100 ms); owners move the selection
// with ScrollUp(true) / ScrollDown(true) from their arrow keys.
class TTranspList : public QWidget
{
public:
    enum Alignment { taLeftJustify, taRightJustify, taCenter };

    using NotifyEvent = std::function<void(TTranspList *sender)>;
    using MouseEvent = std::function<void(TTranspList *sender, Qt::MouseButton button,
                                          Qt::KeyboardModifiers shift, int x, int y)>;
    using MouseMoveEvent = std::function<void(TTranspList *sender, Qt::KeyboardModifiers shift, int x, int y)>;

    static constexpr int repeatInterval = 100; // ms between scroll steps while an arrow is held

    explicit TTranspList(QWidget *parent = nullptr);

    // Adds a line (in its sorted place when Sorted) and returns its index.
    int addItem(const QString &text);
    void clearItems();
    void scrollUp(bool selectMode);
    void scrollDown(bool selectMode);
    // Measures the rows and repaints; painting always starts at TopIndex.
    void drawItems(int first);

    // The text as the rows the list shows it in: each paragraph wrapped at
    // word boundaries to the width of the text area, in the list's font. A
    // final line break adds no empty row.
    QStringList wrapText(const QString &text) const;
    // True where a press scrolls instead of reaching OnMouseDown: either
    // half of the arrow strip of a list that has lines.
    bool isScrollArrowAt(const QPoint &at) const;

    const QStringList &items() const { return m_items; }
    void setItems(const QStringList &items);
    bool sorted() const { return m_sorted; }
    void setSorted(bool sorted);

    int topIndex() const { return m_topIndex; }
    int itemIndex() const { return m_itemIndex; }
    void setItemIndex(int index);
    int visibleCount() const;
    int rowHeight() const;

    int incrase() const { return m_incrase; }
    void setIncrase(int lines);
    Platform::TColor selectedColor() const { return m_selectedColor; }
    void setSelectedColor(Platform::TColor color);
    Platform::TColor scrolkiColor() const { return m_scrolkiColor; }
    void setScrolkiColor(Platform::TColor color);
    Platform::TColor fontColor() const { return m_fontColor; }
    void setFontColor(Platform::TColor color);
    Platform::TColor color() const { return m_color; }
    void setColor(Platform::TColor color);
    Alignment alignment() const { return m_alignment; }
    void setAlignment(Alignment alignment);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // The cursors shown over the up and down halves of the arrow strip.
    static const QCursor &scrollUpCursor();
    static const QCursor &scrollDownCursor();

    NotifyEvent onClick;
    NotifyEvent onDblClick;
    MouseEvent onMouseDown;
    MouseMoveEvent onMouseMove;
    MouseEvent onMouseUp;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int lastDrawnLine() const;
    int lastTopIndex() const;
    void paintItems(QPainter &painter);
    void paintArrows(QPainter &painter);
    static constexpr int arrowStripWidth = 15;
    bool inArrowStrip(int x) const { return x > width() - arrowStripWidth; }
    bool inUpperHalf(int y) const { return y > 0 && y < height() / 2; }
    bool inLowerHalf(int y) const { return y > height() / 2; }
    void scrollTimer();
    void fireMouseDown(QMouseEvent *event);
    int count() const { return int(m_items.size()); }

    QStringList m_items;
    int m_topIndex = 0;
    int m_itemIndex = -1;
    bool m_sorted = false;
    mutable int m_rowHeight = 0; // 0 until measured in the present font
    int m_incrase = 1;
    QTimer m_repeatTimer;
    QPoint m_pressPoint;
    bool m_clickPending = false;
    Platform::TColor m_selectedColor = Platform::clYellow;
    Platform::TColor m_scrolkiColor = Platform::clYellow;
    Platform::TColor m_fontColor = Platform::clWindowText;
    Platform::TColor m_color = Platform::clBtnFace;
    Alignment m_alignment = taLeftJustify;
    bool m_transparent = false;
};
