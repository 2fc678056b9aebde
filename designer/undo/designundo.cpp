#include "designundo.h"

#include "project/designercontext.h"
#include "surface/menusurface.h"
#include "undo/undowindow.h"

TDesignUndo::TDesignUndo(DesignerContext &context, int limit)
    : m_context(context)
    , m_steps(limit)
{
}

void TDesignUndo::SaveUndo(const QString &step)
{
    m_steps.append(step, DesignSnapshots::take(m_context));
    changed();
}

void TDesignUndo::startOver()
{
    m_steps.startOver();
}

void TDesignUndo::restore(int index)
{
    m_context.selection().detachAll();
    m_steps.select(index);
    if (m_steps.selected() < 0) {
        changed();
        return;
    }
    DesignSnapshots::restore(m_context, m_steps.step(index).snapshot);
    changed();
}

void TDesignUndo::mnuCofnijClick()
{
    if (const std::optional<int> target = m_steps.undoTarget())
        restore(*target);
    if (m_context.Surface)
        m_context.Surface->DragActive = false;
}

void TDesignUndo::mnuPonowClick()
{
    if (const std::optional<int> target = m_steps.redoTarget())
        restore(*target);
}

void TDesignUndo::mnuWyczyscClick()
{
    m_steps.startOver();
    SaveUndo(QStringLiteral("Wyczyszczenie historii zmian"));
}

void TDesignUndo::setLimit(int limit)
{
    m_steps.setLimit(limit);
    changed();
}

void TDesignUndo::setWindow(TfrmUndo *window)
{
    m_window = window;
    if (!window)
        return;
    window->OnRestore = [this](int index) { restore(index); };
    window->OnClear = [this] { mnuWyczyscClick(); };
    changed();
}

void TDesignUndo::changed()
{
    if (m_window)
        m_window->showSteps(m_steps.names(), m_steps.selected());
    if (OnStateChanged)
        OnStateChanged();
}
