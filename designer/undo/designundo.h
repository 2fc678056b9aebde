#pragma once

#include "project/designerservices.h"
#include "undo/undosteps.h"

#include <QPointer>

#include <functional>

class DesignerContext;
class TfrmUndo;

// The designer's undo: every editing step ends with SaveUndo, which keeps
// a snapshot of the whole design under the step's name; Undo, Redo and the
// history window bring the design back to any kept step.
class TDesignUndo : public UndoHistory
{
public:
    TDesignUndo(DesignerContext &context, int limit);

    void SaveUndo(const QString &step) override;
    void startOver() override;

    // Restores the entry index and chooses it.
    void restore(int index);
    // The main window's Undo and Redo.
    void mnuCofnijClick();
    void mnuPonowClick();
    // "Wyczyść historię": the history holds only the current state.
    void mnuWyczyscClick();
    // A new limit from the settings; a lower one drops old steps at once.
    void setLimit(int limit);

    bool canUndo() const { return m_steps.canUndo(); }
    bool canRedo() const { return m_steps.canRedo(); }
    const UndoSteps &steps() const { return m_steps; }

    // The window that lists the steps; it follows every change.
    void setWindow(TfrmUndo *window);
    // After every change of the history or of the chosen entry.
    std::function<void()> OnStateChanged;

private:
    void changed();

    DesignerContext &m_context;
    UndoSteps m_steps;
    QPointer<TfrmUndo> m_window;
};
