#pragma once

#include "undo/designsnapshot.h"

#include <QString>

#include <optional>
#include <vector>

// The undo history: named snapshots in the order they were taken and the
// entry chosen last. Entry 0 is the state after a load or a clear and
// always stays; beyond the limit the oldest later step goes. A new step is
// always appended, also after an undo, so undone steps stay to be chosen.
// It lives in memory only.
class UndoSteps
{
public:
    struct Step {
        QString name;
        DesignSnapshot snapshot;
    };

    // The limit is kept between 2 (entry 0 and one step) and 200.
    explicit UndoSteps(int limit = 10);

    // The next step starts the history over.
    void startOver() { m_position = -1; }
    // Appends a step and chooses it.
    void append(const QString &name, DesignSnapshot snapshot);
    // A lower limit drops the oldest later steps at once.
    void setLimit(int limit);
    int limit() const { return m_limit; }

    int count() const { return int(m_steps.size()); }
    // -1 until the next step after startOver, else the number of entries.
    int position() const { return m_position; }
    const Step &step(int index) const { return m_steps[size_t(index)]; }
    QStringList names() const;

    // The chosen entry, -1 for none.
    int selected() const { return m_selected; }
    void select(int index);

    // The entry an undo goes to (the one before the chosen one, or the
    // last but one when none is chosen) and the one a redo goes to.
    std::optional<int> undoTarget() const;
    std::optional<int> redoTarget() const;
    bool canUndo() const { return m_selected != 0 && undoTarget().has_value(); }
    bool canRedo() const { return redoTarget().has_value(); }

private:
    void dropOldestStep();

    std::vector<Step> m_steps;
    int m_position = -1;
    int m_limit;
    int m_selected = -1;
};
