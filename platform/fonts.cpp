#include "fonts.h"

#include <QFont>
#include <QFontDatabase>

namespace Platform {
namespace {

struct FontMapping {
    const char *windowsName;
    const char *face;
};

// Liberation Sans, Serif and Mono share the metrics of Arial, Times New
// Roman and Courier New; DejaVu Sans grew out of the Verdana-like Vera.
constexpr FontMapping kFontTable[] = {
    {"MS Sans Serif", "Liberation Sans"},
    {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"},
    {"System", "Liberation Sans"},
    {"Small Fonts", "Liberation Sans"},
    {"Arial", "Liberation Sans"},
    {"Arial Black", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"MS Serif", "Liberation Serif"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Fixedsys", "Liberation Mono"},
    {"Terminal", "Liberation Mono"},
    {"Lucida Console", "DejaVu Sans Mono"},
    {"Tahoma", "DejaVu Sans Condensed"},
    {"Verdana", "DejaVu Sans"},
    {"Trebuchet MS", "DejaVu Sans"},
    {"Comic Sans MS", "DejaVu Sans"},
    {"Georgia", "DejaVu Serif"},
    {"Wingdings", "DejaVu Sans"},
    {"Symbol", "DejaVu Sans"},
};

const FontMapping *mappingOf(const QString &name)
{
    for (const FontMapping &mapping : kFontTable) {
        if (name.compare(QLatin1String(mapping.windowsName), Qt::CaseInsensitive) == 0)
            return &mapping;
    }
    return nullptr;
}

} // namespace

QString defaultFamily()
{
    return QStringLiteral("Liberation Sans");
}

QString installedFamily(const QString &storedName)
{
    const QString name = storedName.trimmed();
    if (const FontMapping *mapping = mappingOf(name))
        return QString::fromLatin1(mapping->face);
    if (!name.isEmpty() && QFontDatabase::hasFamily(name))
        return name;
    return defaultFamily();
}

QStringList windowsFamilies()
{
    QStringList names;
    for (const FontMapping &mapping : kFontTable)
        names << QString::fromLatin1(mapping.windowsName);
    return names;
}

void setStoredFamily(QFont &font, const QString &storedName)
{
    // Qt draws with the first family of the list that is installed; an
    // empty name would match any face at all.
    if (storedName.trimmed().isEmpty())
        font.setFamily(defaultFamily());
    else
        font.setFamilies({storedName, installedFamily(storedName)});
}

void installFontSubstitutes()
{
    for (const FontMapping &mapping : kFontTable)
        QFont::insertSubstitution(QString::fromLatin1(mapping.windowsName), QString::fromLatin1(mapping.face));
}

} // namespace Platform
