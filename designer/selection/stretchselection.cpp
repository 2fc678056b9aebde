#include "stretchselection.h"

#include "objects/designedits.h"
#include "project/designercontext.h"
#include "selection/surfacecommands.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>

#include <stretch/stretchhandle.h>

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace {
bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}
} // namespace

TStretchSelection::TStretchSelection(DesignerContext &context, QWidget *owner)
    : m_context(context)
    , m_klamra(new TStretchHandle(owner))
    , m_popup(std::make_unique<QMenu>())
{
    PopupMenu1 = m_popup.get();
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    mnuAlign = PopupMenu1->addAction(QStringLiteral("Wyrównaj"));
    klawiszDoBMP = PopupMenu1->addAction(QStringLiteral("Klawisza = Bitmapa"));
    QObject::connect(klawiszDoBMP, &QAction::triggered, PopupMenu1, [this] { klawiszDoBMPClick(klawiszDoBMP); });
    RozmiaroknaBMP1 = PopupMenu1->addAction(QStringLiteral("Rozmiar okna = rozmiar BMP"));
    QObject::connect(RozmiaroknaBMP1, &QAction::triggered, PopupMenu1,
                     [this] { RozmiaroknaBMP1Click(RozmiaroknaBMP1); });
    QObject::connect(PopupMenu1, &QMenu::aboutToShow, PopupMenu1, [this] { PopupMenu1Popup(); });
    m_klamra->setPopupMenu(PopupMenu1);

    m_klamra->OnMoved = [this](QObject *sender) { KlamraMoved(sender); };
    m_klamra->OnResized = [this](QObject *sender) { KlamraMoved(sender); };
    m_klamra->OnClick = [this](QObject *sender) { KlamraClick(sender); };
    m_klamra->OnMouseUp = [this](QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
        KlamraMouseUp(sender, shift, x, y);
    };
    m_klamra->OnKeyDown = [this](QObject *sender, int &key, Qt::KeyboardModifiers shift) {
        KlamraKeyDown(sender, key, shift);
    };
}

TStretchSelection::~TStretchSelection()
{
    // The frame may already have gone with its owner.
    delete m_klamra.data();
}

void TStretchSelection::attach(QWidget *control)
{
    if (m_klamra)
        m_klamra->attach(control);
}

void TStretchSelection::detachAll()
{
    if (m_klamra)
        m_klamra->detachAll();
}

int TStretchSelection::selectedCount() const
{
    return m_klamra ? m_klamra->selectedCount() : 0;
}

QWidget *TStretchSelection::selected(int index) const
{
    return m_klamra ? m_klamra->selected(index) : nullptr;
}

void TStretchSelection::refit()
{
    if (!m_klamra || selectedCount() == 0)
        return;
    // Selected again, so the frame takes the new bounds; the editor that
    // changed them keeps the keyboard.
    QPointer<QWidget> focused = QApplication::focusWidget();
    const QList<QWidget *> controls = m_klamra->selectedControls();
    m_klamra->detachAll();
    for (QWidget *control : controls)
        m_klamra->attach(control);
    if (focused)
        focused->setFocus();
}

void TStretchSelection::edited(const QString &step)
{
    m_context.ProjectModified = true;
    m_context.undo().SaveUndo(step);
}

void TStretchSelection::KlamraClick(QObject *)
{
    if (QWidget *first = selected(0)) {
        m_context.CurrentObject = first;
        m_context.inspector().showProperties(first);
    }
}

void TStretchSelection::KlamraMouseUp(QObject *, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!m_klamra || !shift.testFlag(Qt::ShiftModifier) || selectedCount() < 2)
        return;
    if (QWidget *hit = m_klamra->hitTest(QPoint(x, y) + m_klamra->pos()))
        m_klamra->detach(hit);
}

void TStretchSelection::KlamraMoved(QObject *)
{
    // The frame has moved or sized the selected widgets: their entries take
    // the bounds the user gave them.
    for (int index = 0; index < selectedCount(); ++index) {
        if (QWidget *control = selected(index))
            DesignEdits::setBounds(m_context, control, control->geometry());
    }
    m_context.ProjectModified = true;
    m_context.inspector().showProperties(m_context.CurrentObject);
    m_context.undo().SaveUndo(QStringLiteral("Zmiana rozmiaru/położenia"));
}

void TStretchSelection::KlamraKeyDown(QObject *sender, int &key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape)
        clearSelection();
    else if (key == Qt::Key_Delete)
        deleteSelection();
    else if (isArrow(key) && selectedCount() > 0)
        KlamraMoved(sender); // the frame has just moved or sized them by one pixel
}

void TStretchSelection::PopupMenu1Popup()
{
    // Alignment lines objects up against each other; a key can take its
    // glyph's size.
    mnuAlign->setEnabled(selectedCount() >= 2);
    klawiszDoBMP->setEnabled(qobject_cast<TMenuButton *>(selected(0)) != nullptr);
}

void TStretchSelection::clearSelection()
{
    detachAll();
    m_context.inspector().Odczyt_NILS();
    m_context.inspector().showProperties(m_context.CurrentObject);
}

void TStretchSelection::deleteSelection()
{
    TfrmMenu *surface = m_context.Surface;
    if (!m_klamra || !surface || selectedCount() == 0)
        return;
    // Detached first and freed from a copy: the frame's own list shrinks as
    // its controls go, and a control freed meanwhile is skipped.
    QList<QPointer<QWidget>> chosen;
    for (QWidget *control : m_klamra->selectedControls())
        chosen.append(control);
    detachAll();
    for (const QPointer<QWidget> &control : std::as_const(chosen)) {
        if (!control)
            continue;
        if (control == surface->Image1) {
            // The background stays; its picture goes, also from the project.
            DesignEdits::setSetting(m_context, QStringLiteral("Tlo"), {});
            SurfaceCommands::paintBackground(m_context);
            m_context.inspector().setPictureFields({}, m_context.Design.setting(QStringLiteral("Maska")));
        } else if (surface->components().contains(control.data())) {
            delete control.data(); // the references to it empty themselves
        }
    }
    m_context.CurrentObject = surface->Image1;
    m_context.inspector().Odczyt_NILS();
    m_context.inspector().showProperties(surface->Image1);
    edited(QStringLiteral("Usunięcie obiektu/klawisza"));
}

void TStretchSelection::klawiszDoBMPClick(QObject *)
{
    if (!SurfaceCommands::sizeKeysToGlyphs(m_context))
        return;
    refit();
    edited(QStringLiteral("Klawisza = Bitmapa"));
}

void TStretchSelection::RozmiaroknaBMP1Click(QObject *)
{
    if (SurfaceCommands::sizeToBackground(m_context))
        edited(QStringLiteral("Rozmiar okna = rozmiar BMP"));
}

void TStretchSelection::mnuOdswiezMenuClick(QObject *)
{
    if (!m_context.Surface)
        return;
    const QSize before = m_context.Surface->size();
    if (SurfaceCommands::reapplyMask(m_context) && m_context.Surface->size() != before)
        edited(QStringLiteral("Odśwież okno menu"));
}
