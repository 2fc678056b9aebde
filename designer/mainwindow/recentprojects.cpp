#include "recentprojects.h"

#include <registry.h>

#include <QFileInfo>

qsizetype RecentProjects::indexOf(const QString &fileName) const
{
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        if (m_files.at(i).compare(fileName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RecentProjects::add(const QString &fileName)
{
    const qsizetype known = indexOf(fileName);
    if (known >= 0) {
        m_files.move(known, 0);
        return;
    }
    m_files.prepend(fileName);
    while (m_files.size() > Maximum)
        m_files.removeLast();
}

bool RecentProjects::choose(const QString &fileName)
{
    const qsizetype index = indexOf(fileName);
    if (!QFileInfo(fileName).isFile()) {
        if (index >= 0)
            m_files.removeAt(index);
        return false;
    }
    if (index >= 0)
        m_files.move(index, 0);
    return true;
}

void RecentProjects::load()
{
    m_files.clear();
    Platform::Registry registry;
    if (!registry.openKey(KeyPath, false))
        return;
    // F0, F1, ... in order; a gap ends the list.
    for (int i = 0; i < Maximum; ++i) {
        const QString name = QStringLiteral("F%1").arg(i);
        if (!registry.valueExists(name))
            break;
        const QString fileName = registry.readString(name);
        if (!fileName.isEmpty() && indexOf(fileName) < 0)
            m_files.append(fileName);
    }
}

void RecentProjects::save() const
{
    Platform::Registry registry;
    registry.deleteKey(KeyPath);
    if (!registry.openKey(KeyPath, true))
        return;
    for (qsizetype i = 0; i < m_files.size(); ++i)
        registry.writeString(QStringLiteral("F%1").arg(i), m_files.at(i));
}
