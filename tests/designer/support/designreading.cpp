#include "designreading.h"

using namespace ProjectFormat;

namespace DesignReading {

QStringList settingLines(const MenuDesign &design)
{
    QStringList lines;
    for (int i = 0; i < TextSettingCount; ++i) {
        if (!design.settings[size_t(i)].isEmpty())
            lines.append(QLatin1String(textSettings()[size_t(i)].name) + u'=' + design.settings[size_t(i)]);
    }
    return lines;
}

QStringList keyFileLines(const MenuDesign &design, QString DesignKey::*file)
{
    QStringList lines;
    for (const DesignKey &key : design.keys) {
        if (!(key.*file).isEmpty())
            lines.append(QString::number(key.id) + u'=' + key.*file);
    }
    return lines;
}

} // namespace DesignReading
