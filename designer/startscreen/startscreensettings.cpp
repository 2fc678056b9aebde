#include "startscreen/startscreensettings.h"

#include "propertyeditors/pickedpaths.h"
#include "startscreen/startscreenmessages.h"

#include <paths.h>
#include <projectfile/menudesign.h>

#include <QFileInfo>
#include <QStringList>

#include <array>

namespace {

struct Names {
    QString name, height, width;
};
const Names AnimationNames{QStringLiteral("AVI_Name"), QStringLiteral("AVI_Wys"), QStringLiteral("AVI_Szer")};
const Names PictureNames{QStringLiteral("BMP_Name"), QStringLiteral("BMP_Wys"), QStringLiteral("BMP_Szer")};

int sizeOf(const QString &text)
{
    return qBound(0, text.trimmed().toInt(), StartScreenSettings::MaxSize);
}

StartScreenSettings::Part readPart(const ProjectFormat::MenuDesign &design, const Names &names)
{
    return {design.setting(names.name), sizeOf(design.setting(names.height)), sizeOf(design.setting(names.width))};
}

// A field that names no file: its part's sizes are not stored.
bool namesNoFile(const StartScreenSettings::Part &part)
{
    const QString name = part.name.trimmed();
    return name.isEmpty() || name.contains(u'*');
}

bool sizesDropped(const StartScreenSettings::Part &stored, const StartScreenSettings::Part &confirmed)
{
    return namesNoFile(confirmed) && (confirmed.height != stored.height || confirmed.width != stored.width);
}

enum class Change { Clear, Keep, Store };

// What confirming a part does; a message when it cannot be stored.
Change changeOf(const StartScreenSettings::Part &part, const QString &root, QString &error)
{
    const QString name = part.name.trimmed();
    if (name.isEmpty())
        return Change::Clear;
    if (name.contains(u'*'))
        return Change::Keep;
    const PickedPaths::Stored stored = PickedPaths::fromField(root, name);
    if (!stored.ok()) {
        error = stored.error;
        return Change::Keep;
    }
    if (!QFileInfo(Platform::resolveDocumentPath(root, stored.path)).isFile())
        error = StartScreenMessages::cannotOpen(name);
    return Change::Store;
}

void apply(ProjectFormat::MenuDesign &design, const Names &names, const StartScreenSettings::Part &part, Change change,
           const QString &root)
{
    if (change == Change::Clear) {
        design.setSetting(names.name, {});
    } else if (change == Change::Store) {
        design.setSetting(names.name, PickedPaths::fromField(root, part.name.trimmed()).path);
        design.setSetting(names.height, QString::number(part.height));
        design.setSetting(names.width, QString::number(part.width));
    }
}

} // namespace

StartScreenSettings StartScreenSettings::read(const ProjectFormat::MenuDesign &design)
{
    return {readPart(design, AnimationNames), readPart(design, PictureNames)};
}

std::optional<QString> StartScreenSettings::store(ProjectFormat::MenuDesign &design, const StartScreenSettings &confirmed,
                                                  const QString &root)
{
    QString error;
    const Change animation = changeOf(confirmed.animation, root, error);
    if (!error.isEmpty())
        return error;
    const Change picture = changeOf(confirmed.picture, root, error);
    if (!error.isEmpty())
        return error;
    apply(design, AnimationNames, confirmed.animation, animation, root);
    apply(design, PictureNames, confirmed.picture, picture, root);
    return std::nullopt;
}

QString StartScreenSettings::droppedSizes(const StartScreenSettings &stored, const StartScreenSettings &confirmed)
{
    QStringList parts;
    if (sizesDropped(stored.animation, confirmed.animation))
        parts.append(StartScreenMessages::animationSizesNotStored());
    if (sizesDropped(stored.picture, confirmed.picture))
        parts.append(StartScreenMessages::pictureSizesNotStored());
    return parts.join(u'\n');
}
