#pragma once

#include "colors.h"

#include <QList>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <functional>

class TStretchBand;

namespace StretchEnums {
Q_NAMESPACE

// The part of the frame the pointer holds: the whole selection, a corner or
// the middle of an edge.
enum TGrabPoint : quint8 {
    gpMove, gpTopLeft, gpTopRight, gpBottomLeft, gpBottomRight,
    gpTop, gpLeft, gpBottom, gpRight
};
Q_ENUM_NS(TGrabPoint)

} // namespace StretchEnums

using namespace StretchEnums;

// The frame lies 2 pixels outside the selection on the left and top and 3 on
// the right and bottom; the grab squares are drawn in the 2-pixel ring.
inline constexpr int kFrameLead = 2;
inline constexpr int kFrameTrail = 3;
inline constexpr int kGrabSize = 7;
inline constexpr int kMinGrid = 1;
inline constexpr int kMaxGrid = 32;

// The frame's new bounds in the parent after the pointer went from origin to
// pointer (both in the frame's own coordinates) while holding grab. The
// selection's own edges snap to the grid, so a drag of n pixels on grid 1
// moves or stretches by exactly n; a dragged edge stops one pixel short of the
// opposite edge, so the selection never becomes smaller than 1 x 1.
QRect stretchedFrame(TGrabPoint grab, QPoint pointer, QPoint origin, const QRect &frame,
                     int gridX, int gridY);

// pointer (frame coordinates) moved so that it stays inside a parent of size area.
QPoint clampedPointer(QPoint pointer, const QRect &frame, const QSize &area);

// The grab point under pos (frame coordinates) of a frame of size size
// around one control; gpMove when none is near.
TGrabPoint grabPointAt(QPoint pos, const QSize &size);

// The selection frame of a design surface: laid over the selected controls
// (children of one parent), it draws grab squares at their corners, moves
// them by mouse and arrow keys, resizes a single control by its eight grab
// points, snaps to a grid and lets every click outside the selection reach
// the control underneath (its mask covers only the selected controls).
// While controls are selected the frame is a child of their parent; when the
// last one is detached it goes back to its owner, hidden. Whoever destroys a
// surface detaches its controls first so that the frame is not destroyed
// with it.
class TStretchHandle : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qint32 Color READ color WRITE setColor)
    Q_PROPERTY(qint32 SecondaryColor READ secondaryColor WRITE setSecondaryColor)
    Q_PROPERTY(bool Locked READ locked WRITE setLocked)
    Q_PROPERTY(int GridX READ gridX WRITE setGridX)
    Q_PROPERTY(int GridY READ gridY WRITE setGridY)
    Q_PROPERTY(bool SnapToGrid READ snapToGrid WRITE setSnapToGrid)
    Q_PROPERTY(Qt::CursorShape DragCursor READ dragCursor WRITE setDragCursor)
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)
    Q_PROPERTY(QMenu *PopupMenu READ popupMenu WRITE setPopupMenu)

public:
    explicit TStretchHandle(QWidget *owner = nullptr);
    ~TStretchHandle() override;

    // Selects control besides the controls already selected (a control of
    // another parent replaces them). Returns control, or nullptr for a
    // top-level window, which cannot be selected.
    QWidget *attach(QWidget *control);
    void detach(QWidget *control);
    void detachAll();
    int selectedCount() const { return int(m_controls.size()); }
    // nullptr when index is out of range.
    QWidget *selected(int index) const;
    QList<QWidget *> selectedControls() const;
    bool isSelected(const QWidget *control) const;

    // Moves the frame; unless locked, every selected control is shifted by the
    // change of left and top and grown by the change of width and height
    // (never below 1 x 1).
    void setBounds(const QRect &bounds);
    void setBounds(int left, int top, int width, int height)
    {
        setBounds(QRect(left, top, width, height));
    }

    Platform::TColor color() const { return m_color; }
    void setColor(Platform::TColor value);
    Platform::TColor secondaryColor() const { return m_secondaryColor; }
    void setSecondaryColor(Platform::TColor value);
    bool locked() const { return m_locked; }
    void setLocked(bool value);
    int gridX() const { return m_gridX; }
    void setGridX(int value);
    int gridY() const { return m_gridY; }
    void setGridY(int value);
    // True when either grid step is above 1; writing sets both to 8 or 1.
    bool snapToGrid() const { return m_gridX > 1 || m_gridY > 1; }
    void setSnapToGrid(bool value);
    Qt::CursorShape dragCursor() const { return m_dragCursor; }
    void setDragCursor(Qt::CursorShape value) { m_dragCursor = value; }
    QString hint() const { return m_hint; }
    void setHint(const QString &value);
    bool showHint() const { return m_showHint; }
    void setShowHint(bool value);
    QMenu *popupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu *value) { m_popupMenu = value; }

    // State of a drag, for the designer and for tests.
    bool isDragging() const { return m_dragging; }
    TGrabPoint grabPoint() const { return m_grabPoint; }
    // The rubber band (parent coordinates of the frame it stands for); empty
    // when none is shown.
    QRect bandRect() const { return m_bandFrame; }
    // The selected control under point (parent coordinates), grown by the
    // frame margin; nullptr when none.
    QWidget *hitTest(QPoint point);
    QWidget *lastHit() const { return m_lastHit; }

    using NotifyEvent = std::function<void(QObject *sender)>;
    using MouseEvent = std::function<void(QObject *sender, Qt::MouseButton button,
                                          Qt::KeyboardModifiers shift, int x, int y)>;
    using MouseMoveEvent = std::function<void(QObject *sender, Qt::KeyboardModifiers shift,
                                              int x, int y)>;
    // key may be set to 0 to swallow it.
    using KeyEvent = std::function<void(QObject *sender, int &key, Qt::KeyboardModifiers shift)>;
    using KeyPressEvent = std::function<void(QObject *sender, QChar &key)>;
    NotifyEvent OnMoved;
    NotifyEvent OnResized;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;
    MouseEvent OnMouseDown;
    MouseEvent OnMouseUp;
    MouseMoveEvent OnMouseMove;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;
    KeyPressEvent OnKeyPress;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QRect selectionBounds() const;
    void frameSelection();
    void hideFrame();
    void updateMask();
    void takeFocus();
    void hover(QPoint pos);
    void showBand(const QRect &frame);
    void hideBand();
    void finishDrag(QMouseEvent *event);
    void endDrag();
    void forward(QMouseEvent *event);
    QWidget *widgetBeneath(QPoint parentPoint) const;
    void arrowKey(int key, Qt::KeyboardModifiers modifiers);
    void forget(QObject *gone);
    void pruneDestroyed();
    void selectionShrunk();

    QPointer<QWidget> m_owner;
    QList<QPointer<QWidget>> m_controls;
    QPointer<QWidget> m_lastHit;
    QPoint m_dragOrigin;
    TGrabPoint m_grabPoint = gpMove;
    bool m_dragging = false;
    bool m_pressedOnSelection = false;
    bool m_grabbing = false;
    QRect m_bandFrame;
    TStretchBand *m_band = nullptr;

    bool m_locked = false;
    Platform::TColor m_color = Platform::clBlack;
    Platform::TColor m_secondaryColor = Platform::clGray;
    int m_gridX = 1;
    int m_gridY = 1;
    Qt::CursorShape m_dragCursor = Qt::DragMoveCursor;
    QString m_hint;
    bool m_showHint = false;
    QPointer<QMenu> m_popupMenu;
};
