#include "designercontext.h"

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <transplist/transplist.h>

#include <projectfile/projectformat.h>

#include <windowtitles.h>

using namespace ProjectFormat;

namespace {

// Selection before the selection frame is wired: remembers what was
// selected, draws nothing.
class PlainSelection : public SelectionFrame
{
public:
    void attach(QWidget *control) override
    {
        if (!m_controls.contains(control))
            m_controls.append(control);
    }
    void detachAll() override { m_controls.clear(); }
    int selectedCount() const override { return int(m_controls.size()); }
    QWidget *selected(int index) const override
    {
        return index >= 0 && index < m_controls.size() ? m_controls[index].data() : nullptr;
    }

private:
    QList<QPointer<QWidget>> m_controls;
};

} // namespace

QPointer<TMenuButton> &DesignObjectRefs::functionKey(int id)
{
    return functionKeys[size_t(id - FirstFunctionId)];
}

QPointer<QLineEdit> *DesignObjectRefs::field(int id)
{
    switch (id) {
    case SerialId: return &serial;
    case SystemId: return &system;
    case InfoId: return &info;
    case RozmiarId: return &rozmiar;
    default: return nullptr;
    }
}

QWidget *DesignObjectRefs::object(int id) const
{
    if (isFunctionId(id))
        return functionKeys[size_t(id - FirstFunctionId)];
    switch (id) {
    case ListId: return list;
    case SerialId: return serial;
    case SystemId: return system;
    case InfoId: return info;
    case RozmiarId: return rozmiar;
    case ToolsId: return tools;
    case DescriptionId: return description;
    case TitleId: return title;
    default: return nullptr;
    }
}

void DesignObjectRefs::clear()
{
    *this = DesignObjectRefs();
}

DesignerContext::DesignerContext()
    : m_noInspector(std::make_unique<ObjectInspector>())
    , m_noUndo(std::make_unique<UndoHistory>())
    , m_noSelection(std::make_unique<PlainSelection>())
{
    m_inspector = m_noInspector.get();
    m_undo = m_noUndo.get();
    m_selection = m_noSelection.get();
}

DesignerContext::~DesignerContext()
{
    deleteSurface(Surface);
}

void DesignerContext::setInspector(ObjectInspector *inspector)
{
    m_inspector = inspector ? inspector : m_noInspector.get();
}

void DesignerContext::setUndo(UndoHistory *undo)
{
    m_undo = undo ? undo : m_noUndo.get();
}

void DesignerContext::setSelection(SelectionFrame *selection)
{
    m_selection = selection ? selection : m_noSelection.get();
}

void DesignerContext::setApplicationTitle(const QString &title)
{
    m_applicationTitle = title;
    // The main window, the message boxes and the about box name the program
    // already; the other windows carry the title after their caption.
    Platform::setApplicationTitle(title, QStringLiteral("Dodorurav"));
}

void DesignerContext::markEdited()
{
    if (m_marksEdits)
        ProjectModified = true;
}
