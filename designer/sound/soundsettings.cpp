#include "sound/soundsettings.h"

#include "project/namevaluelist.h"
#include "sound/soundmessages.h"

#include <safefile.h>

#include <QFileInfo>

namespace {
const QString StreamName = QStringLiteral("StreamName");
const QString OnMove = QStringLiteral("ON_MOVE");
const QString OnDown = QStringLiteral("ON_DOWN");
const QString OnUp = QStringLiteral("ON_UP");
} // namespace

SoundSettings SoundSettings::read(const NameValueList &settings)
{
    return {settings.value(StreamName), settings.value(OnMove), settings.value(OnDown), settings.value(OnUp)};
}

void SoundSettings::write(NameValueList &settings) const
{
    settings.setValue(StreamName, music);
    settings.setValue(OnMove, move);
    settings.setValue(OnDown, down);
    settings.setValue(OnUp, up);
}

std::optional<QString> SoundSettings::clickSoundRefusal(const QString &path)
{
    // Asked before anything is opened, so a FIFO is never read.
    if (!Platform::isRegularFile(path) || QFileInfo(path).size() > MaxClickBytes)
        return SoundMessages::tooLarge();
    return std::nullopt;
}
