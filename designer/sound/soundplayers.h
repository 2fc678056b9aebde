#pragma once

#include <audio/musicplayer.h>
#include <musicplayer/mpegplayer.h>

#include <QString>

// The designer's two players, owned by the main window: Media for wave and
// MIDI files (WAV, MID, RMI) through the platform's player, MPEG for
// everything else through the MP3 plug-in. Every call is guarded: a missing
// file, a device that cannot open it or a plug-in that does not load plays
// nothing and says nothing, and stopping a player that does not play is no
// error.
class DesignerPlayers
{
public:
    explicit DesignerPlayers(Platform::Audio::Output output = Platform::Audio::Output::fromEnvironment());

    enum class Carrier { Media, Mpeg };
    // The player of a file by its extension (any letter case).
    static Carrier carrierOf(const QString &fileName);

    // Closes what Media had open, then opens path and plays it.
    void playMedia(const QString &path);
    // Plays path through the MP3 plug-in found in libraryFolder.
    void playMpeg(const QString &path, const QString &libraryFolder);
    // Media closed; MPEG stopped and its plug-in unloaded.
    void stopAll();
    // As a closing window stops them: the plug-in is unloaded only when
    // the stop succeeded (it was playing).
    void stopOnClose();
    // Before another project opens: the plug-in is let go.
    void releaseMpeg();

    Platform::Audio::MusicPlayer Media;
    TMPEGPlayer MPEG;
};
