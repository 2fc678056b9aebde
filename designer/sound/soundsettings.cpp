#include "sound/soundsettings.h"

#include "sound/soundmessages.h"

#include <projectfile/menudesign.h>
#include <safefile.h>

#include <QFileInfo>

namespace {
const QString StreamName = QStringLiteral("StreamName");
const QString OnMove = QStringLiteral("ON_MOVE");
const QString OnDown = QStringLiteral("ON_DOWN");
const QString OnUp = QStringLiteral("ON_UP");
} // namespace

SoundSettings SoundSettings::read(const ProjectFormat::MenuDesign &design)
{
    return {design.setting(StreamName), design.setting(OnMove), design.setting(OnDown), design.setting(OnUp)};
}

void SoundSettings::write(ProjectFormat::MenuDesign &design) const
{
    design.setSetting(StreamName, music);
    design.setSetting(OnMove, move);
    design.setSetting(OnDown, down);
    design.setSetting(OnUp, up);
}

std::optional<QString> SoundSettings::clickSoundRefusal(const QString &path)
{
    // Asked before anything is opened, so a FIFO is never read.
    if (!Platform::isRegularFile(path) || QFileInfo(path).size() > MaxClickBytes)
        return SoundMessages::tooLarge();
    return std::nullopt;
}
