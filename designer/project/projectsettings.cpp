#include "projectsettings.h"

#include <paths.h>

#include <QDir>
#include <QFileInfo>

namespace ProjectSettingsTable {

QString pathToDll(const QString &driveRoot, const QString &mpegDllPath)
{
    if (mpegDllPath.trimmed().isEmpty() || driveRoot.isEmpty())
        return {};
    const QString folder = QFileInfo(QDir::fromNativeSeparators(mpegDllPath.trimmed())).absolutePath();
    QString root = QDir::cleanPath(QDir::fromNativeSeparators(driveRoot));
    if (!root.endsWith(u'/'))
        root += u'/';
    const QString cleanFolder = QDir::cleanPath(folder) + u'/';
    if (!cleanFolder.startsWith(root) || cleanFolder == root)
        return {};
    const QString stored = Platform::toStoredPath(root, cleanFolder);
    return stored.isEmpty() ? QString() : stored + u'\\';
}

} // namespace ProjectSettingsTable
