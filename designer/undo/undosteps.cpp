#include "undosteps.h"

#include "config/generatorconfig.h"

#include <algorithm>

UndoSteps::UndoSteps(int limit)
    : m_limit(std::clamp(limit, MinUndoLimit, MaxUndoLimit))
{
}

void UndoSteps::append(const QString &name, DesignSnapshot snapshot)
{
    if (m_position < 0) {
        m_steps.clear();
        m_selected = -1;
    }
    while (count() >= m_limit)
        dropOldestStep();
    m_steps.push_back({name, std::move(snapshot)});
    m_position = count();
    m_selected = count() - 1;
}

void UndoSteps::setLimit(int limit)
{
    m_limit = std::clamp(limit, MinUndoLimit, MaxUndoLimit);
    if (m_position < 0 || m_limit >= m_position)
        return;
    while (count() > m_limit)
        dropOldestStep();
    m_position = count();
}

void UndoSteps::dropOldestStep()
{
    if (count() < 2)
        return;
    m_steps.erase(m_steps.begin() + 1);
    if (m_selected == 1)
        m_selected = -1;
    else if (m_selected > 1)
        --m_selected;
}

QStringList UndoSteps::names() const
{
    QStringList names;
    for (const Step &step : m_steps)
        names.append(step.name);
    return names;
}

void UndoSteps::select(int index)
{
    m_selected = index >= 0 && index < count() ? index : -1;
}

std::optional<int> UndoSteps::undoTarget() const
{
    if (m_selected == 0)
        return std::nullopt;
    const int target = m_selected < 0 ? count() - 2 : m_selected - 1;
    if (target < 0)
        return std::nullopt;
    return target;
}

std::optional<int> UndoSteps::redoTarget() const
{
    if (m_selected < 0 || m_selected >= count() - 1)
        return std::nullopt;
    return m_selected + 1;
}
