#pragma once

#include "dock/dockarrange.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QWidget>

#include <functional>

class TToolbar;

// A strip along one edge of a form that holds toolbars in rows. It sorts the
// bars by row and position, drops empty rows, pushes overlapping bars apart,
// pulls a row back when it runs past the dock's end, gives the bars of a
// row one thickness and takes the sum of its rows as its own thickness.
class TDock : public QWidget
{
    Q_OBJECT

public:
    enum TDockPosition { dpTop, dpBottom, dpLeft, dpRight };
    enum TDockBoundLine { blTop = 1, blBottom = 2, blLeft = 4, blRight = 8 };

    // ownerForm must be a window; the dock lies on parent, or on the form
    // when parent is null.
    explicit TDock(QWidget *ownerForm, QWidget *parent = nullptr);
    ~TDock() override;

    bool allowDrag() const { return m_allowDrag; }
    void setAllowDrag(bool allowDrag);
    const QImage &background() const { return m_background; }
    void setBackground(const QImage &background);
    bool backgroundTransparent() const { return m_backgroundTransparent; }
    void setBackgroundTransparent(bool transparent);
    int boundLines() const { return m_boundLines; }
    void setBoundLines(int lines);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    bool fixAlign() const { return m_fixAlign; }
    void setFixAlign(bool fixAlign);
    bool limitToOneRow() const { return m_limitToOneRow; }
    void setLimitToOneRow(bool limit);
    TDockPosition position() const { return m_position; }
    // Fixed once the dock holds controls.
    void setPosition(TDockPosition position);
    bool isVertical() const { return m_position == dpLeft || m_position == dpRight; }

    // After a bar entered (inserting) or left the dock.
    std::function<void(QObject *sender, bool inserting, TToolbar *bar)> OnInsertRemoveBar;
    // After every change of the dock's size.
    std::function<void(QObject *sender)> OnResize;

    // A dock cannot lie inside a toolbar or another dock.
    void setParent(QWidget *parent);
    // A dock cannot be hidden.
    void setVisible(bool visible) override;

    // The bars in the dock's arranged order.
    QList<TToolbar *> toolbars() const { return m_toolbars; }
    int highestRow() const;
    void insertRow(int row);
    int rowAtPoint(int offset, bool *isNewRow) const;
    int rowAtOffset(int offset) const;
    // The rows of the last arrangement; a row not known gives the minimum.
    int rowContentThickness(int row) const;
    int rowFullThickness(int row) const;
    const std::vector<DockArrange::Row> &rows() const { return m_rows; }

    void arrangeToolbars();
    bool isArranging() const { return m_arrangeDisabled > 0; }

    // Tiles the background into a painter of widget, lined up with the
    // dock's parent so that the dock and its bars show one picture.
    void drawBackground(QPainter &painter, const QRect &clip, const QWidget *widget);

    // Called by the bars.
    void changeDockList(bool inserting, TToolbar *bar, bool visible);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void backgroundChanged();
    void applyThickness(int thickness);
    void updateMargins();
    int clientLength() const;

    QList<TToolbar *> m_toolbars;
    std::vector<DockArrange::Row> m_rows;
    int m_arrangeDisabled = 0;
    bool m_reparenting = false;
    bool m_allowDrag = true;
    QImage m_background;
    QImage m_transparentBackground;
    bool m_backgroundTransparent = false;
    int m_boundLines = 0;
    QColor m_color;
    bool m_fixAlign = false;
    bool m_limitToOneRow = false;
    TDockPosition m_position = dpTop;

    friend class TToolbar;
};
