#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// An ordered list of name=value lines, as the designer keeps its window
// settings and its per-key file lists. Names are found without regard to
// letter case; an empty value leaves no line, so a missing name reads as
// empty.
class NameValueList
{
public:
    QString value(const QString &name) const;
    bool contains(const QString &name) const;
    // An empty value removes the line; a change calls OnChange.
    void setValue(const QString &name, const QString &value);
    void remove(const QString &name);
    void clear();

    QStringList names() const;
    // "name=value" in list order.
    QStringList lines() const;
    int count() const { return int(m_lines.size()); }

    // Called after every change of the list; empty while loading.
    std::function<void()> OnChange;

private:
    std::optional<size_t> find(const QString &name) const;
    void changed();

    std::vector<std::pair<QString, QString>> m_lines;
};
