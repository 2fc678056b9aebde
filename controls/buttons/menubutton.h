#pragma once

#include "buttons/glyphbutton.h"

// The button of menu windows and dialogs: a free-standing toolbar button with
// three more looks and drag-and-drop events.
class TMenuButton : public TGlyphButton
{
    Q_OBJECT
    Q_PROPERTY(bool NoBorder READ noBorder WRITE setNoBorder)
    Q_PROPERTY(bool NewBorder READ newBorder WRITE setNewBorder)
    Q_PROPERTY(bool UsePushedPattern READ usePushedPattern WRITE setUsePushedPattern)
    Q_PROPERTY(ButtonEnums::TDragMode DragMode READ dragMode WRITE setDragMode)

public:
    explicit TMenuButton(QWidget *parent = nullptr);

    // Never a frame, and a pressed face does not move.
    bool noBorder() const { return m_noBorder; }
    // Always a frame, also flat, idle and not hot.
    bool newBorder() const { return m_newBorder; }
    // A locked-down face is filled with the checkerboard.
    bool usePushedPattern() const { return m_usePushedPattern; }
    // These three take effect at the next paint.
    void setNoBorder(bool value) { m_noBorder = value; }
    void setNewBorder(bool value) { m_newBorder = value; }
    void setUsePushedPattern(bool value) { m_usePushedPattern = value; }
    TDragMode dragMode() const { return m_dragMode; }
    void setDragMode(TDragMode value) { m_dragMode = value; }

    // The state shared by all menu buttons.
    static TButtonUnit &unit();

    using DragDropEvent = std::function<void(QObject *sender, QObject *source, int x, int y)>;
    using DragOverEvent = std::function<void(QObject *sender, QObject *source, int x, int y,
                                             TDragState state, bool &accept)>;
    using EndDragEvent = std::function<void(QObject *sender, QObject *target, int x, int y)>;
    DragDropEvent OnDragDrop;
    DragOverEvent OnDragOver;
    EndDragEvent OnEndDrag;
    NotifyEvent OnStartDrag;

protected:
    bool alwaysFramed() const override { return m_newBorder; }
    bool noFrame() const override { return m_noBorder; }
    bool fillsPushedPattern() const override { return m_usePushedPattern; }
    void enabledChanged() override;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void dragOverTarget(QPoint global);
    bool askTarget(TMenuButton *target, QPoint global, TDragState state);

    bool m_noBorder = false;
    bool m_newBorder = false;
    bool m_usePushedPattern = false;
    TDragMode m_dragMode = dmManual;
    bool m_dragging = false;
    QPointer<TMenuButton> m_dragTarget;
    bool m_dragAccepted = false;
};
