#include "backgroundmusic.h"

#include "menuwindow/eventhook.h"

#include <buttons/menubutton.h>

#include <QEvent>
#include <QWindowStateChangeEvent>
#include <QWidget>

BackgroundMusic::BackgroundMusic(bool startPlaying, Platform::Audio::Output output)
    : m_state(startPlaying ? State::Playing : State::Stopped)
    , m_media(std::move(output))
{
}

BackgroundMusic::~BackgroundMusic()
{
    close();
}

QString BackgroundMusic::hintOf(State state)
{
    switch (state) {
    case State::Playing: return QStringLiteral("OFF");
    case State::Stopped: return QStringLiteral("ON");
    case State::Paused: return QStringLiteral("OFF_1");
    }
    return {};
}

template<typename Step> void BackgroundMusic::quietly(Step step)
{
    try {
        step();
    } catch (const TMPEGError &) {
        // No music is all that a failing player means here.
    }
}

void BackgroundMusic::open(const QString &musicFile, const QStringList &decoderFolders)
{
    // Without a file there is nothing to decode: the plug-in stays unloaded.
    if (musicFile.isEmpty())
        return;
    const bool startPlaying = m_state == State::Playing;
    if (m_media.open(musicFile)) {
        m_carrier = Carrier::Media;
        if (startPlaying)
            m_media.play();
        return;
    }
    if (!openMpeg(musicFile, decoderFolders))
        return;
    m_carrier = Carrier::Mpeg;
    if (startPlaying)
        quietly([this] { m_mpeg.Play(); });
}

bool BackgroundMusic::openMpeg(const QString &musicFile, const QStringList &decoderFolders)
{
    m_mpeg.setStreamName(musicFile);
    for (const QString &folder : decoderFolders) {
        m_mpeg.PathToDLL = folder;
        quietly([this] { m_mpeg.LoadDecoder(); });
        if (m_mpeg.isLoaded())
            break;
    }
    if (!m_mpeg.isLoaded())
        return false;
    quietly([this] { m_mpeg.OpenStream(); });
    if (m_mpeg.isOpened())
        return true;
    quietly([this] { m_mpeg.UnloadDecoder(); });
    return false;
}

void BackgroundMusic::attachButton(TMenuButton *button)
{
    m_buttons.removeAll(nullptr); // buttons of closed windows
    m_buttons.append(button);
    button->setHint(hintOf(m_state));
}

void BackgroundMusic::watchMinimise(QWidget *window)
{
    // The watcher goes with the window: a second-level window comes and goes
    // while the music plays on.
    auto *watcher = new EventHook(window, [this, window](QObject *watched, QEvent *event) {
        if (watched != window || event->type() != QEvent::WindowStateChange)
            return false;
        const bool was = static_cast<QWindowStateChangeEvent *>(event)->oldState() & Qt::WindowMinimized;
        const bool is = window->windowState() & Qt::WindowMinimized;
        if (is && !was)
            minimise();
        else if (was && !is)
            restore();
        return false;
    });
    window->installEventFilter(watcher);
}

bool BackgroundMusic::hasButton() const
{
    return std::any_of(m_buttons.begin(), m_buttons.end(), [](const auto &button) { return !button.isNull(); });
}

void BackgroundMusic::setState(State state)
{
    m_state = state;
    for (const auto &button : m_buttons) {
        if (button)
            button->setHint(hintOf(state));
    }
}

void BackgroundMusic::play()
{
    if (m_carrier == Carrier::Media) {
        m_media.play();
    } else if (m_carrier == Carrier::Mpeg) {
        quietly([this] { m_mpeg.OpenStream(); });
        quietly([this] { m_mpeg.Play(); });
    }
}

void BackgroundMusic::stop()
{
    if (m_carrier == Carrier::Media)
        m_media.stop();
    else if (m_carrier == Carrier::Mpeg)
        quietly([this] { m_mpeg.CloseStream(); });
}

void BackgroundMusic::toggle()
{
    if (m_state == State::Stopped) {
        play();
        setState(State::Playing);
    } else {
        stop();
        setState(State::Stopped);
    }
}

void BackgroundMusic::switchOff()
{
    stop();
    setState(State::Stopped);
}

void BackgroundMusic::minimise()
{
    if (!hasButton() || m_state != State::Playing)
        return;
    if (m_carrier == Carrier::Media)
        m_media.stop();
    else if (m_carrier == Carrier::Mpeg)
        quietly([this] { m_mpeg.Stop(); });
    setState(State::Paused);
}

void BackgroundMusic::restore()
{
    // The state alone decides: music the user started is resumed even when
    // the options kept it off at start.
    if (!hasButton() || m_state != State::Paused)
        return;
    if (m_carrier == Carrier::Media)
        m_media.play();
    else if (m_carrier == Carrier::Mpeg)
        quietly([this] { m_mpeg.Play(); });
    setState(State::Playing);
}

void BackgroundMusic::loopTick()
{
    if (!hasButton() || m_state != State::Playing)
        return;
    if (m_carrier == Carrier::Media) {
        if (m_media.position() >= m_media.length())
            m_media.play();
        return;
    }
    if (m_carrier != Carrier::Mpeg)
        return;
    int ended = 0;
    quietly([&] { ended = m_mpeg.ResetPlayerMode(); });
    if (ended & 0xff)
        quietly([this] { m_mpeg.Restart(); });
}

void BackgroundMusic::close()
{
    m_media.close();
    quietly([this] { m_mpeg.CloseStream(); });
    quietly([this] { m_mpeg.UnloadDecoder(); });
}
