// Click sounds and background music of the menu window.
#include "menuwindowbase.h"

#include "startup/runtimecontext.h"

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>

#include <QTimer>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace {

bool clicksSilenced(const UserOptions &options)
{
    return options.NOSOUND || options.NoClicks;
}

// The lower-cased extension of a stored path ("\" or "/" separated).
QString storedExtension(const QString &stored)
{
    const qsizetype dot = stored.lastIndexOf(u'.');
    const qsizetype separator = qMax(stored.lastIndexOf(u'\\'), stored.lastIndexOf(u'/'));
    return dot > separator ? stored.mid(dot + 1).toLower() : QString();
}

} // namespace

void TMenuWindowBase::hookMinimizeAndRestore()
{
    // Either window minimised pauses the shared music.
    m_music->watchMinimise(this);
}

void TMenuWindowBase::loadSoundsAndMusic()
{
    const ProjectValues project = values();
    const auto sound = [&](const char *key) { return project.path(Sections::Sound, QLatin1String(key)); };
    m_clickSounds->load(ClickSounds::Up, sound("ON_UP"));
    m_clickSounds->load(ClickSounds::Down, sound("ON_DOWN"));
    m_clickSounds->load(ClickSounds::Move, sound("ON_MOVE"));

    // The MP3 plug-in lies in the project's folder for it, else beside the
    // runtime.
    QStringList decoderFolders{sound("MPEG_DLL"), m_context.ProgramDir};
    decoderFolders.removeAll(QString());
    m_music->open(sound("BACKGROUND"), decoderFolders);

    // The music loop's clock.
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TMenuWindowBase::Timer1Timer);
    Timer1->start();
}

QString TMenuWindowBase::menuMusicExtension() const
{
    // The menu's music decides, on either window.
    return storedExtension(m_context.menuValues().text(Sections::Sound, QStringLiteral("BACKGROUND"), {}));
}

void TMenuWindowBase::attachClickSounds(TMenuButton *button, const QString &menuMusic)
{
    const int id = tagOf(button);
    if (id == MusicId)
        m_music->attachButton(button);
    // MP3 music plays beside the clicks badly: such a menu has none, and
    // with wave music the music key keeps quiet.
    if (menuMusic == u"mp3" || (menuMusic == u"wav" && id == MusicId))
        return;
    button->OnMouseDown = [this](QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        PlayDown(sender);
    };
    button->OnMouseUp = [this](QObject *sender, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        PlayUp(sender);
    };
    button->OnMouseMove = [this](QObject *sender, Qt::KeyboardModifiers, int, int) { PlayMove(sender); };
}

void TMenuWindowBase::PlayUp(QObject *)
{
    if (!clicksSilenced(m_context.Options))
        m_clickSounds->play(ClickSounds::Up);
}

void TMenuWindowBase::PlayDown(QObject *)
{
    if (!clicksSilenced(m_context.Options))
        m_clickSounds->play(ClickSounds::Down);
}

void TMenuWindowBase::PlayMove(QObject *sender)
{
    const int tag = tagOf(sender);
    if (tag == m_clickSounds->lastHoveredTag() || clicksSilenced(m_context.Options))
        return;
    m_clickSounds->play(ClickSounds::Move);
    m_clickSounds->setLastHoveredTag(tag);
}

void TMenuWindowBase::Timer1Timer()
{
    m_music->loopTick();
}
