#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

class DesignerContext;
class DesignObjectCreators;
class QMenu;
class TControlShaper;
class TImage;

// The design surface: the menu window under design, shown as it will look
// on the CD. Its children are the project's objects; it holds the
// background and the window shape, places the objects chosen on the palette
// where the user clicks, drags the whole window and refuses to be closed.
class TfrmMenu : public QWidget
{
public:
    explicit TfrmMenu(DesignerContext &context, QWidget *parent = nullptr);
    ~TfrmMenu() override;

    // Components of the window resource.
    TImage *Image1 = nullptr;
    TControlShaper *MASKA = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // How a click on an object is handled.
    enum class ClickRole {
        Select,         // selects the object
        Category,       // a category key: selects it
        TitleAndOthers, // makes it the current object
        Surface         // behaves like the background (the toolbar strip)
    };
    // Takes a new object: it joins the components (in creation order) and
    // its mouse events are wired by role. When it is freed, its entry
    // leaves the design.
    void adopt(QWidget *object, ClickRole role);
    // The objects in creation order, without the resource components.
    QList<QWidget *> components() const;
    // Puts the objects in this order (an undo step restores the order a
    // save writes them in); objects not named keep theirs, after these.
    void reorder(const QList<QWidget *> &order);

    // Background alignment: filling the client area, or placed by bounds.
    bool backgroundAligned() const;
    void setBackgroundAligned(bool aligned);

    enum ToolsAlign { AlignNone, AlignTop, AlignRight, AlignBottom, AlignLeft };
    static ToolsAlign toolsAlign(const QWidget *tools);
    // The edge of the design's strip, which tools shows.
    void setToolsAlign(QWidget *tools, ToolsAlign align);

    // BACK at the back, the toolbar strip above it, TITLE in front.
    void restack();

    // Mouse handlers of the bare window and the background; x and y are in
    // the coordinates of sender.
    void Image1MouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(QObject *sender, int x, int y);
    void Image1MouseUp(QObject *sender);
    void Image1Click(QObject *sender);
    void Image1DblClick(QObject *sender);
    // Clicks on objects: each makes its object the current one and selects
    // it (the background is never selected by a click).
    void Zaznacz(QObject *sender);
    void Tytul_i_inne(QObject *sender);
    // Selects control: instead of the selection, or besides it while Shift
    // is held; only while clicks select.
    void ZlapWKlamre(QWidget *control);

    // The size the project holds; a resize to another size is an edit.
    void rememberSize() { m_knownSize = size(); }

    // Surface state.
    QPoint DragOrigin;
    bool DragActive = false;
    bool ToolStripPlaced = false;
    bool ShiftHeld = false;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormResize();
    bool placeObjects();
    void alignTools();
    bool handleObjectEvent(QWidget *object, QEvent *event);
    bool handleSurfaceEvent(QObject *sender, QEvent *event);
    void previewKey(QObject *watched, QEvent *event);
    void FormKeyDown(QKeyEvent *event);
    void FormKeyUp();

    DesignerContext &m_context;
    std::unique_ptr<DesignObjectCreators> m_creators;
    QObject *m_keyPreview = nullptr;
    QList<QPointer<QWidget>> m_components;
    QSize m_knownSize;
    // Window drag in screen coordinates.
    QPoint m_dragStartPointer;
    QPoint m_dragStartWindow;
};
