#include "clicksounds.h"

#include <QFile>
#include <QFileInfo>

ClickSounds::ClickSounds(Platform::Audio::Output output)
    : m_channel(QStringLiteral("click"), std::move(output))
{
}

void ClickSounds::load(Kind kind, const QString &path)
{
    m_sounds[kind].reset();
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // Only the kept part is parsed: a header claiming more data than that
    // is cut to what was kept.
    m_sounds[kind] = Platform::Audio::parseWave(file.read(MaxFileBytes));
}

void ClickSounds::play(Kind kind)
{
    if (m_sounds[kind])
        m_channel.play(*m_sounds[kind]);
}
