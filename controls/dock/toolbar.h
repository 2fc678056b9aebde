#pragma once

#include "dock/barlayout.h"
#include "dock/dock.h"

#include <buttons/toolbarbutton.h>

#include <QMargins>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class DragOutline;
struct ToolbarTrack;

// A bar of toolbar buttons, separators and other controls that sits in a
// TDock or floats as a small tool window of its form. Its controls stand in
// their insertion order; a docked bar is as thick as its row.
//
// A floating bar draws its own frame, caption and close square. It is
// moved by dragging its grip, a separator or its caption, and sized by its
// edges: each is a state of the bar between a press and its release, driven
// by the bar's own mouse events, and ends when the bar hides or goes away,
// the program loses the focus or a dock goes away.
class TToolbar : public QWidget, public TDockedBar
{
    Q_OBJECT

public:
    // ownerForm must be a window. The bar starts floating; forms dock it
    // with setDockedTo.
    explicit TToolbar(QWidget *ownerForm);
    ~TToolbar() override;

    bool canDockLeftRight() const { return m_canDockLeftRight; }
    void setCanDockLeftRight(bool can) { m_canDockLeftRight = can; }
    QString caption() const { return windowTitle(); }
    void setCaption(const QString &caption);
    bool closeButton() const { return m_closeButton; }
    void setCloseButton(bool closeButton);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    TDock *defaultDock() const { return m_defaultDock; }
    void setDefaultDock(TDock *dock) { m_defaultDock = dock; }
    TDock *dockedTo() const { return m_dock; }
    // Moves the bar into a dock, or out of it to float (nullptr).
    void setDockedTo(TDock *dock);
    int dockRow() const { return m_dockRow; }
    void setDockRow(int row);
    int dockPos() const { return m_dockPos; }
    void setDockPos(int pos);

    std::function<void(QObject *sender)> OnClose;
    std::function<void(QObject *sender)> OnRecreating;
    std::function<void(QObject *sender)> OnRecreated;
    std::function<void(QObject *sender)> OnDockChanging;
    std::function<void(QObject *sender)> OnDockChanged;

    // Only a TDock or the owner form may hold the bar.
    void setParent(QWidget *parent);
    // The bar's own Visible: a docked bar that hides leaves its dock's rows.
    void setVisible(bool visible) override;
    bool isVisibleSet() const { return m_visible; }

    // Places the bar; the dock and the bar itself use it for every move.
    virtual void setBoundsKeepLeft(int left, int top, int width, int height);

    // Lays out the controls for where the bar is and takes the size they
    // need. Runs by itself when a control is added, removed, shown, hidden
    // or resized; forms call it once they are built.
    void arrangeControls();
    BarLayout::Orientation orientation() const;
    bool hasGrip() const;
    // Largest control across the bar for a horizontal or a vertical dock.
    int dockedContentThickness(bool vertical) const;
    // Breaks of a wrapped floating bar.
    const std::vector<BarLayout::Line> &lines() const { return m_lines; }
    // Floating only; 0 = one line.
    int floatingWrapWidth() const { return m_floatWrapWidth; }
    void setFloatingWrapWidth(int width);

    TDockSide dockSide() const override;

    // The floating frame around the controls (none while docked), and the
    // area inside it.
    QMargins frame() const;
    QRect clientRect() const;
    // The caption as the strip shows it, cut with "..." when too long.
    QString shownCaption() const;
    // Screen rectangle of the floating window, frame included; empty until
    // the bar first floats.
    QRect floatingRect() const { return m_floatingRect; }

    // A floating bar is out of view while the program is inactive or its
    // form is hidden or minimised; its own visibility stays.
    bool isFloatHidden() const;
    void showHideFloating();
    // Moves a floating bar onto the screen; with onlyWhenOff only when no
    // part of it is on any screen.
    void keepOnScreen(bool onlyWhenOff);

    enum class Tracking { None, Moving, Sizing, Closing };
    Tracking tracking() const;
    bool closePushed() const;
    // The outline shown while moving or sizing, else null.
    const DragOutline *dragOutline() const;

    // For the dock: its arrangement writes row and position back.
    void setDockPlace(int row, int pos);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    bool isFloatingWindow() const;
    void applyFloatingVisibility();
    void paintFloating(QPainter &painter);
    QSize floatingSize() const;
    QRect firstFloatingRect(QPoint dockedOrigin) const;
    QSize sizeInDock(const TDock *dock) const;
    bool canMove() const;
    bool mayEnter(const TDock *dock) const;
    bool onControl(QPoint point) const;
    void updateCursor(QPoint point);
    void beginMoving(QPoint local, QPoint global, Qt::KeyboardModifiers modifiers);
    void beginSizing(int edge, QPoint global);
    void beginClosing();
    void startTrack(std::unique_ptr<ToolbarTrack> track);
    std::unique_ptr<ToolbarTrack> takeTrack();
    void follow(QPoint global);
    void applyMove(const ToolbarTrack &track);
    void applySize(const ToolbarTrack &track);
    bool trackKey(QEvent *event);
    QList<QWidget *> controls() const;
    std::vector<BarLayout::Item> items(const QList<QWidget *> &controls) const;
    void reparent(QWidget *parent, Qt::WindowFlags flags);
    void requestArrange();

    QWidget *m_ownerForm = nullptr;
    TDock *m_dock = nullptr;
    QPointer<TDock> m_defaultDock;
    int m_dockRow = 0;
    int m_dockPos = -1;
    bool m_canDockLeftRight = true;
    bool m_closeButton = true;
    bool m_visible = true;
    QColor m_color;
    int m_arrangeDisabled = 0;
    int m_placing = 0;
    int m_dockChanging = 0;
    bool m_arrangeRequested = false;
    int m_floatWrapWidth = 0;
    QRect m_floatingRect;
    std::vector<BarLayout::Line> m_lines;
    bool m_appActive = false;
    std::unique_ptr<ToolbarTrack> m_track;

    friend class TDock;
};

// A gap between groups of controls on a toolbar, drawn as an etched line
// unless blank.
class TToolbarSep : public QWidget
{
    Q_OBJECT

public:
    explicit TToolbarSep(TToolbar *bar);

    bool blank() const { return m_blank; }
    void setBlank(bool blank);
    int sizeHorz() const { return m_sizeHorz; }
    void setSizeHorz(int size);
    int sizeVert() const { return m_sizeVert; }
    void setSizeVert(int size);

    // Only a toolbar (or nothing) may hold a separator.
    void setParent(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void rearrangeBar();

    bool m_blank = false;
    int m_sizeHorz = 6;
    int m_sizeVert = 6;
};
