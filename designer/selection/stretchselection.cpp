#include "stretchselection.h"

#include "project/designercontext.h"

#include <stretch/stretchhandle.h>

TStretchSelection::TStretchSelection(DesignerContext &context, QWidget *owner)
    : m_context(context)
    , m_klamra(new TStretchHandle(owner))
{
    const auto edited = [this](QObject *) { m_context.ProjectModified = true; };
    m_klamra->OnMoved = edited;
    m_klamra->OnResized = edited;
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
