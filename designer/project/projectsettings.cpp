#include "projectsettings.h"

#include <paths.h>

#include <QDir>
#include <QFileInfo>

namespace ProjectSettingsTable {

const std::array<Entry, 36> &entries()
{
    static const std::array<Entry, 36> table = {{
        {PathToDll, "SOUND", "MPEG_DLL", ""},
        {"StreamName", "SOUND", "BACKGROUND", ""},
        {"ON_UP", "SOUND", "ON_UP", ""},
        {"ON_DOWN", "SOUND", "ON_DOWN", ""},
        {"ON_MOVE", "SOUND", "ON_MOVE", ""},
        {"NOBORDER", "WINDOW", "NOBORDER", "0"},
        {"NOBORDERICONS", "WINDOW", "NOBORDERICONS", "0"},
        {"CD_DESCRIPTION", "CDROM", "CD_DESCRIPTION", ""},
        {"CD_TITLE", "CDROM", "CD_TITLE", ""},
        {"CD_CAPTION", "CDROM", "CD_CAPTION", ""},
        {"CDROM_ID", "ZELTRIN", "CDROM_ID", ""},
        {"Tlo", "WINDOW", "BACKGROUND", ""},
        {"Maska", "BONUS", "MASKA", ""},
        {"ToolsBack", "WINDOW", "TOOLS_BACKGROUND", ""},
        {"TILE", "WINDOW", "TILE", "0"},
        {"TOOLS_TILE", "WINDOW", "TOOLS_TILE", "0"},
        {"KOPIA_FONT_COLOR", "WINDOW", "KOPIA_FONT_COLOR", "clYellow"},
        {"SERIAL_IF_IS", "WINDOW", "SERIAL_IF_IS", "0"},
        {"SYSTEM_IF_IS", "WINDOW", "SYSTEM_IF_IS", "0"},
        {"PRGInfo_IF_IS", "WINDOW", "PRGInfo_IF_IS", "0"},
        {"SIZE_IF_IS", "WINDOW", "SIZE_IF_IS", "0"},
        {"ONE_PROG_KAT", "WINDOW", "ONE_PROG_KAT", "0"},
        {"LIST_ON_CLICK", "WINDOW", "LIST_ON_CLICK", "0"},
        {"DESC_ON_MOVE", "WINDOW", "DESC_ON_MOVE", "0"},
        {"CURSOR_HAND", "WINDOW", "CURSOR_HAND", "0"},
        {"ALWAYS_DOWN", "WINDOW", "ALWAYS_DOWN", "0"},
        {"AUTOLOAD", "WINDOW", "AUTOLOAD", "0"},
        {"HintKolor", "WINDOW", "HintKolor", "clInfoBk"},
        {"HintTextKolor", "WINDOW", "HintTextKolor", "clInfoText"},
        {"HintOval", "WINDOW", "HintOval", "0"},
        {"AVI_Name", "Ekran", "AVI", "*.AVI"},
        {"AVI_Wys", "AVI", "H", "200"},
        {"AVI_Szer", "AVI", "W", "320"},
        {"BMP_Name", "Ekran", "BMP", "*.BMP"},
        {"BMP_Wys", "BMP", "H", "200"},
        {"BMP_Szer", "BMP", "W", "320"},
    }};
    return table;
}

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
