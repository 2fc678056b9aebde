#include "pathchange/pathrewrite.h"

#include "pathchange/pathmessages.h"
#include "project/designermessages.h"
#include "project/projectfiles.h"
#include "propertyeditors/pickedpaths.h"

#include <profilefile.h>

#include <QSet>

#include <algorithm>

namespace PathRewrite {
namespace {

using ProjectFiles::PathKey;

QString withBackslashes(QString text)
{
    return text.replace(u'/', u'\\');
}

// The project's rows whose folders the change offers, in that order.
QList<PathKey> folderRows()
{
    QList<PathKey> rows;
    for (const PathKey &row : ProjectFiles::pathKeys()) {
        if (row.source == ProjectFiles::Source::Project && row.folderOrder > 0)
            rows.append(row);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const PathKey &a, const PathKey &b) { return a.folderOrder < b.folderOrder; });
    return rows;
}

} // namespace

QStringList foldersIn(const Platform::ProfileFile &project)
{
    QStringList folders;
    QSet<QString> seen;
    for (const PathKey &row : folderRows()) {
        for (const QString &key : ProjectFiles::keysOf(project, row)) {
            const QString value = project.readString(row.section, key, {});
            const QString folder = value.left(withBackslashes(value).lastIndexOf(u'\\') + 1);
            if (!folder.isEmpty() && !seen.contains(folder.toCaseFolded())) {
                seen.insert(folder.toCaseFolded());
                folders.append(folder);
            }
        }
    }
    return folders;
}

QString storedFolder(const QString &typed)
{
    QString folder = withBackslashes(typed.trimmed());
    if (!folder.isEmpty() && !folder.endsWith(u'\\'))
        folder += u'\\';
    return folder;
}

QString refusal(const QString &root, const QString &oldFolder, const QString &newFolder)
{
    if (oldFolder.isEmpty())
        return PathMessages::noOldFolder();
    return PickedPaths::fromTypedPath(root, newFolder).error;
}

int rewrite(Platform::ProfileFile &project, const QString &oldFolder, const QString &newFolder)
{
    const QString old = withBackslashes(oldFolder);
    int changed = 0;
    for (const PathKey &row : ProjectFiles::pathKeys()) {
        for (const QString &key : ProjectFiles::keysOf(project, row)) {
            const QString value = project.readString(row.section, key, {});
            if (!withBackslashes(value).startsWith(old, Qt::CaseInsensitive))
                continue;
            project.writeString(row.section, key, newFolder + value.mid(old.size()));
            ++changed;
        }
    }
    return changed;
}

Outcome changeFolder(const QString &projectFile, const QString &root, const QString &oldFolder,
                     const QString &newFolder)
{
    if (const QString refused = refusal(root, oldFolder, newFolder); !refused.isEmpty())
        return {0, refused};
    Platform::ProfileFile project(projectFile);
    const int changed = rewrite(project, oldFolder, newFolder);
    if (!project.flush())
        return {0, DesignerMessages::saveFailed(projectFile, project.errorString())};
    return {changed, {}};
}

} // namespace PathRewrite
