#include "zazavaconfig.h"

#include <paths.h>
#include <profilefile.h>

namespace {
const QString kSplit = QStringLiteral("Split");
const QString kWindow = QStringLiteral("WINDOW");
const QString kFilters = QStringLiteral("Filtry");
} // namespace

QString ZazavaConfig::path()
{
    return Platform::userSettingsDir() + QStringLiteral("Zazava.cfg");
}

ZazavaConfig ZazavaConfig::read(const QString &path)
{
    const Platform::ProfileFile cfg(path);
    ZazavaConfig config;
    config.pion = cfg.readInteger(kSplit, QStringLiteral("Pion"), config.pion);
    config.pion1 = cfg.readInteger(kSplit, QStringLiteral("Pion_1"), config.pion1);
    config.width = cfg.readInteger(kWindow, QStringLiteral("W"), config.width);
    config.height = cfg.readInteger(kWindow, QStringLiteral("H"), config.height);
    config.top = cfg.readInteger(kWindow, QStringLiteral("T"), config.top);
    config.left = cfg.readInteger(kWindow, QStringLiteral("L"), config.left);
    config.toolbar = cfg.readBool(kWindow, QStringLiteral("PASEK"), config.toolbar);
    config.optional = cfg.readBool(kWindow, QStringLiteral("OPCJONALNE"), config.optional);
    return config;
}

bool ZazavaConfig::write(const QString &path, bool maximised) const
{
    Platform::ProfileFile cfg(path);
    cfg.writeInteger(kSplit, QStringLiteral("Pion"), pion);
    cfg.writeInteger(kSplit, QStringLiteral("Pion_1"), pion1);
    cfg.writeBool(kWindow, QStringLiteral("PASEK"), toolbar);
    cfg.writeBool(kWindow, QStringLiteral("OPCJONALNE"), optional);
    if (!maximised) {
        cfg.writeInteger(kWindow, QStringLiteral("W"), width);
        cfg.writeInteger(kWindow, QStringLiteral("H"), height);
        cfg.writeInteger(kWindow, QStringLiteral("T"), top);
        cfg.writeInteger(kWindow, QStringLiteral("L"), left);
    }
    return cfg.flush();
}

QStringList ZazavaConfig::readFilters(const QString &path)
{
    const Platform::ProfileFile cfg(path);
    QStringList filters;
    const qsizetype count = cfg.keyNames(kFilters).size();
    for (int i = 0; i < count; ++i) {
        const QString filter = cfg.readString(kFilters, QString::number(i), QString());
        if (!filter.isEmpty())
            filters << filter;
    }
    return filters;
}

bool ZazavaConfig::writeFilters(const QString &path, const QStringList &filters)
{
    Platform::ProfileFile cfg(path);
    cfg.eraseSection(kFilters);
    for (int i = 0; i < filters.size(); ++i)
        cfg.writeString(kFilters, QString::number(i), filters.at(i));
    return cfg.flush();
}
