#include "menusurface.h"

#include "surface/designobjects.h"
#include "objects/designedits.h"
#include "objects/objectkinds.h"
#include "project/designercontext.h"

#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <shaper/controlshaper.h>

#include <projectfile/projectformat.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

using namespace ProjectFormat;

namespace {

// Sees every key of the application first, as the window's key preview.
class KeyPreview : public QObject
{
public:
    KeyPreview(QObject *parent, std::function<void(QObject *, QEvent *)> handler)
        : QObject(parent)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            m_handler(watched, event);
        return false;
    }

private:
    std::function<void(QObject *, QEvent *)> m_handler;
};

const char *const kRoleProperty = "DesignClickRole";
const char *const kAlignProperty = "DesignAlign";
} // namespace

TfrmMenu::TfrmMenu(DesignerContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint)
    , m_context(context)
    , m_creators(std::make_unique<DesignObjectCreators>(context))
{
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral(" "));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setGeometry(191, 132, 544, 375);
    installEventFilter(this);
    // Every key of the window comes here first, whichever control has focus.
    m_keyPreview = new KeyPreview(this, [this](QObject *watched, QEvent *event) { previewKey(watched, event); });
    qApp->installEventFilter(m_keyPreview);

    Image1 = new TImage(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    MenuObjects::setTag(Image1, BackId);
    Image1->setGeometry(32, 0, 504, 346);
    Image1->installEventFilter(this);

    MASKA = new TControlShaper(this);
    MASKA->setObjectName(QStringLiteral("MASKA"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(QStringLiteral("Przezroczysty - tylko podgląd"))
        ->setObjectName(QStringLiteral("Przezroczystytylkopodgld1"));
}

TfrmMenu::~TfrmMenu()
{
    qApp->removeEventFilter(m_keyPreview);
}

void TfrmMenu::adopt(QWidget *object, ClickRole role)
{
    m_components.append(object);
    object->setProperty(kRoleProperty, int(role));
    object->installEventFilter(this);
    const int id = MenuObjects::tagOf(object);
    DesignerContext &context = m_context;
    connect(object, &QObject::destroyed, this, [&context, id] { DesignEdits::removed(context, id); });
}

QList<QWidget *> TfrmMenu::components() const
{
    QList<QWidget *> result;
    for (const QPointer<QWidget> &object : m_components) {
        if (object)
            result.append(object);
    }
    return result;
}

void TfrmMenu::reorder(const QList<QWidget *> &order)
{
    QList<QPointer<QWidget>> reordered;
    for (QWidget *object : order) {
        if (m_components.contains(object) && !reordered.contains(object))
            reordered.append(object);
    }
    for (const QPointer<QWidget> &object : std::as_const(m_components)) {
        if (object && !reordered.contains(object))
            reordered.append(object);
    }
    m_components = reordered;
}

bool TfrmMenu::backgroundAligned() const
{
    return m_context.Design.backgroundAligned;
}

void TfrmMenu::setBackgroundAligned(bool aligned)
{
    m_context.Design.backgroundAligned = aligned;
    if (!aligned)
        return;
    m_context.Design.backgroundBounds = rect();
    Image1->setGeometry(rect());
}

TfrmMenu::ToolsAlign TfrmMenu::toolsAlign(const QWidget *tools)
{
    return ToolsAlign(tools->property(kAlignProperty).toInt());
}

void TfrmMenu::setToolsAlign(QWidget *tools, ToolsAlign align)
{
    tools->setProperty(kAlignProperty, int(align));
    if (std::optional<DesignTools> &design = m_context.Design.tools; design && tools == m_context.Objects.tools) {
        design->align = align;
        design->bounds = MenuDesign::alignedToolsBounds(align, design->bounds, size());
    }
    alignTools();
}

void TfrmMenu::alignTools()
{
    QWidget *tools = m_context.Objects.tools;
    if (!tools || tools->parentWidget() != this)
        return;
    const QSize own = tools->size();
    switch (toolsAlign(tools)) {
    case AlignTop: tools->setGeometry(0, 0, width(), own.height()); break;
    case AlignRight: tools->setGeometry(width() - own.width(), 0, own.width(), height()); break;
    case AlignBottom: tools->setGeometry(0, height() - own.height(), width(), own.height()); break;
    case AlignLeft: tools->setGeometry(0, 0, own.width(), height()); break;
    case AlignNone: break;
    }
}

void TfrmMenu::restack()
{
    if (m_context.Objects.title)
        m_context.Objects.title->raise();
    if (m_context.Objects.tools)
        m_context.Objects.tools->lower();
    Image1->lower();
}

void TfrmMenu::Image1MouseDown(QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    auto *widget = qobject_cast<QWidget *>(sender);
    if (!widget)
        return;
    DragOrigin = QPoint(x, y);
    DragActive = true;
    m_dragStartPointer = widget->mapToGlobal(DragOrigin);
    m_dragStartWindow = pos();
    if (button != Qt::LeftButton)
        return;
    // The point under the pointer on the surface, whatever was pressed.
    m_context.ClickPoint = widget == this ? DragOrigin : widget->mapTo(this, DragOrigin);
    placeObjects();
}

bool TfrmMenu::placeObjects()
{
    ObjectPalette *palette = m_context.palette();
    if (!palette)
        return false;
    bool created = false;
    for (const PaletteKinds::Entry &entry : PaletteKinds::entries()) {
        if (palette->isDown(entry.kind) && m_creators->create(entry.kind))
            created = true;
    }
    if (!created)
        return false;
    m_context.ProjectModified = true;
    palette->releaseAll();
    m_context.undo().SaveUndo(QStringLiteral("Dodanie obiektu/klawisza"));
    return true;
}

void TfrmMenu::Image1MouseMove(QObject *sender, int x, int y)
{
    auto *widget = qobject_cast<QWidget *>(sender);
    if (!DragActive || !widget)
        return;
    // The background is being resized by the selection frame.
    if (m_context.selection().selected(0) == Image1 || ToolStripPlaced)
        return;
    move(m_dragStartWindow + widget->mapToGlobal(QPoint(x, y)) - m_dragStartPointer);
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
}

void TfrmMenu::Image1MouseUp(QObject *)
{
    DragActive = false;
    ToolStripPlaced = false;
}

void TfrmMenu::Image1Click(QObject *sender)
{
    if (!ShiftHeld)
        m_context.selection().detachAll();
    Tytul_i_inne(sender);
}

void TfrmMenu::Image1DblClick(QObject *)
{
    if (m_context.ClickSelects)
        ZlapWKlamre(Image1);
    m_context.inspector().showProperties(Image1);
    // Now the background moves and sizes like any object.
    m_context.Design.backgroundAligned = false;
}

void TfrmMenu::Zaznacz(QObject *sender)
{
    auto *widget = qobject_cast<QWidget *>(sender);
    if (!widget)
        return;
    m_context.CurrentObject = widget;
    m_context.inspector().showProperties(widget);
    ZlapWKlamre(widget);
}

void TfrmMenu::Tytul_i_inne(QObject *sender)
{
    auto *widget = qobject_cast<QWidget *>(sender);
    if (!widget)
        return;
    m_context.CurrentObject = widget;
    m_context.inspector().showProperties(widget);
    if (widget != Image1 && widget != this)
        ZlapWKlamre(widget);
}

void TfrmMenu::ZlapWKlamre(QWidget *control)
{
    if (!ShiftHeld)
        m_context.selection().detachAll();
    if (m_context.ClickSelects)
        m_context.selection().attach(control);
}

void TfrmMenu::closeEvent(QCloseEvent *event)
{
    event->ignore(); // the surface lives as long as the designer
}

void TfrmMenu::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    DesignEdits::windowResized(m_context, size());
    if (backgroundAligned())
        Image1->setGeometry(rect());
    alignTools();
    FormResize();
}

void TfrmMenu::FormResize()
{
    if (m_context.CurrentObject == this)
        m_context.inspector().showSurfaceBounds(width(), height(), y(), x());
    else if (m_context.CurrentObject)
        m_context.inspector().showBounds(m_context.CurrentObject);
    // Only a real change of size is an edit; the resize a window gets when
    // it is first shown is not.
    if (size() != m_knownSize) {
        m_knownSize = size();
        m_context.ProjectModified = true;
    }
}

void TfrmMenu::FormKeyDown(QKeyEvent *event)
{
    // A press of Shift itself may not list Shift among its modifiers.
    ShiftHeld = event->key() == Qt::Key_Shift || event->modifiers().testFlag(Qt::ShiftModifier);
    if (event->key() == Qt::Key_Escape)
        DragActive = false;
}

void TfrmMenu::FormKeyUp()
{
    ShiftHeld = false;
}

void TfrmMenu::previewKey(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return;
    if (event->type() == QEvent::KeyPress)
        FormKeyDown(static_cast<QKeyEvent *>(event));
    else
        FormKeyUp();
}


bool TfrmMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this || watched == Image1)
        return handleSurfaceEvent(watched, event);
    auto *object = qobject_cast<QWidget *>(watched);
    if (!object || object->parentWidget() != this || !object->property(kRoleProperty).isValid())
        return false;
    return handleObjectEvent(object, event);
}

bool TfrmMenu::handleSurfaceEvent(QObject *sender, QEvent *event)
{
    // Pictures use up their presses, which would reach the window again
    // otherwise.
    const bool consumed = sender != this;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        Image1MouseDown(sender, mouse->button(), mouse->modifiers(), at.x(), at.y());
        return consumed;
    }
    case QEvent::MouseMove: {
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        Image1MouseMove(sender, at.x(), at.y());
        return consumed;
    }
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        Image1MouseUp(sender);
        auto *widget = static_cast<QWidget *>(sender);
        if (mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint())) {
            if (sender == this || sender == Image1)
                Image1Click(sender);
            else
                Tytul_i_inne(sender);
        }
        return consumed;
    }
    case QEvent::MouseButtonDblClick:
        if (sender == Image1)
            Image1DblClick(sender);
        return consumed;
    default:
        return false;
    }
}

bool TfrmMenu::handleObjectEvent(QWidget *object, QEvent *event)
{
    const auto role = ClickRole(object->property(kRoleProperty).toInt());
    if (role == ClickRole::Surface)
        return handleSurfaceEvent(object, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && object->rect().contains(mouse->position().toPoint())) {
            if (role == ClickRole::TitleAndOthers)
                Tytul_i_inne(object);
            else
                Zaznacz(object);
        }
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        // Objects on the surface are pictures of themselves: they do not
        // take focus, scroll or press.
        return true;
    default:
        return false;
    }
}

void deleteSurface(QPointer<TfrmMenu> &surface)
{
    delete surface.data();
}
