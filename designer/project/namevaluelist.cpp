#include "namevaluelist.h"

std::optional<size_t> NameValueList::find(const QString &name) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].first.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

QString NameValueList::value(const QString &name) const
{
    const auto index = find(name);
    return index ? m_lines[*index].second : QString();
}

bool NameValueList::contains(const QString &name) const
{
    return find(name).has_value();
}

void NameValueList::setValue(const QString &name, const QString &value)
{
    const auto index = find(name);
    if (value.isEmpty()) {
        remove(name);
        return;
    }
    if (index) {
        if (m_lines[*index].second == value)
            return;
        m_lines[*index].second = value;
    } else {
        m_lines.emplace_back(name, value);
    }
    changed();
}

void NameValueList::remove(const QString &name)
{
    const auto index = find(name);
    if (!index)
        return;
    m_lines.erase(m_lines.begin() + std::ptrdiff_t(*index));
    changed();
}

void NameValueList::clear()
{
    if (m_lines.empty())
        return;
    m_lines.clear();
    changed();
}

QStringList NameValueList::names() const
{
    QStringList result;
    for (const auto &line : m_lines)
        result.append(line.first);
    return result;
}

QStringList NameValueList::lines() const
{
    QStringList result;
    for (const auto &line : m_lines)
        result.append(line.first + u'=' + line.second);
    return result;
}

void NameValueList::changed()
{
    if (OnChange)
        OnChange();
}
