#pragma once

#include <audio/musicplayer.h>
#include <musicplayer/mpegplayer.h>

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class TMenuButton;

// The background music of the menu and its state, shared by the menu
// window and the second-level window. The state shows in the hint of their
// music buttons (10010): "OFF" while the music plays, "ON" while it is off,
// "OFF_1" while it is paused because the menu is minimised.
//
// The platform's music player carries MIDI and wave music; MP3 goes to the
// decoder plug-in. The player is chosen once, when the file is opened, and
// every later operation goes to it. Failures are silent: the menu works on
// without music.
class BackgroundMusic : public QObject
{
    Q_OBJECT
public:
    enum class State { Playing, Stopped, Paused };
    enum class Carrier { None, Media, Mpeg };

    static QString hintOf(State state);

    // startPlaying: neither NOSOUND nor NoMusic is set.
    BackgroundMusic(bool startPlaying, Platform::Audio::Output output);
    ~BackgroundMusic() override;

    // musicFile: the BACKGROUND file; decoderFolders: where to look for the
    // MP3 plug-in, in order.
    void open(const QString &musicFile, const QStringList &decoderFolders);
    // A music button shows the state from now on. The loop, the toggle and
    // the pause need one: without it the music plays once.
    void attachButton(TMenuButton *button);
    // Pauses and resumes the music when the window is minimised and
    // restored.
    void watchMinimise(QWidget *window);

    // Switches the music on or off.
    void toggle();
    // Stops the music for good, as the options ask: it stays off until it
    // is switched on again.
    void switchOff();
    void minimise();
    void restore();
    // Once a second: starts the music again when it has reached its end.
    void loopTick();
    // Closes the MP3 stream and unloads the plug-in, before the program ends.
    void close();

    State state() const { return m_state; }
    Carrier carrier() const { return m_carrier; }
    TMPEGPlayer &mpeg() { return m_mpeg; }
    Platform::Audio::MusicPlayer &media() { return m_media; }

private:
    bool hasButton() const;
    void setState(State state);
    bool openMpeg(const QString &musicFile, const QStringList &decoderFolders);
    void play();
    void stop();
    // Runs a step of the MP3 player; its errors only mean no music.
    template<typename Step> void quietly(Step step);

    State m_state;
    Carrier m_carrier = Carrier::None;
    Platform::Audio::MusicPlayer m_media;
    TMPEGPlayer m_mpeg;
    QList<QPointer<TMenuButton>> m_buttons;
};
