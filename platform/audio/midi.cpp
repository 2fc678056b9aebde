#include "midi.h"

#include <QFileInfo>

#include <fluidsynth.h>

#include <memory>

namespace Platform::Audio {

namespace {

constexpr int SampleRate = 44100;
constexpr int FramesPerBlock = 1024;
// A background tune is short; this bounds memory for a file that never ends.
constexpr qint64 MaxSeconds = 5 * 60;
// Notes still sounding when the last event has passed fade within this time.
constexpr int TailFrames = SampleRate / 2;

void silenceLog()
{
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
}

struct FluidParts {
    std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings{new_fluid_settings(), delete_fluid_settings};
    std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth{nullptr, delete_fluid_synth};
    std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player{nullptr, delete_fluid_player};
};

bool prepare(FluidParts &parts, const QString &soundFont, const QByteArray &midi)
{
    if (!parts.settings)
        return false;
    fluid_settings_setnum(parts.settings.get(), "synth.sample-rate", SampleRate);
    // The sample clock instead of the wall clock: rendering runs faster
    // than real time and gives the same samples every time.
    fluid_settings_setstr(parts.settings.get(), "player.timing-source", "sample");
    fluid_settings_setint(parts.settings.get(), "synth.lock-memory", 0);
    // The default gain leaves a tune too quiet beside the click sounds.
    fluid_settings_setnum(parts.settings.get(), "synth.gain", 0.6);
    parts.synth.reset(new_fluid_synth(parts.settings.get()));
    if (!parts.synth || fluid_synth_sfload(parts.synth.get(), soundFont.toLocal8Bit().constData(), 1) == FLUID_FAILED)
        return false;
    parts.player.reset(new_fluid_player(parts.synth.get()));
    return parts.player && fluid_player_add_mem(parts.player.get(), midi.constData(), size_t(midi.size())) == FLUID_OK
           && fluid_player_play(parts.player.get()) == FLUID_OK;
}

QByteArray renderBlock(fluid_synth_t *synth)
{
    QByteArray block(FramesPerBlock * 4, Qt::Uninitialized);
    fluid_synth_write_s16(synth, FramesPerBlock, block.data(), 0, 2, block.data(), 1, 2);
    return block;
}

// Bytes up to the last stereo frame that is not silent.
qsizetype audibleLength(const QByteArray &pcm)
{
    constexpr int Quiet = 8;
    for (qsizetype frame = pcm.size() / 4 - 1; frame >= 0; --frame) {
        const auto *samples = reinterpret_cast<const qint16 *>(pcm.constData() + frame * 4);
        if (qAbs(samples[0]) > Quiet || qAbs(samples[1]) > Quiet)
            return (frame + 1) * 4;
    }
    return 0;
}

} // namespace

std::optional<QByteArray> standardMidiFile(QByteArrayView image)
{
    if (image.startsWith("MThd"))
        return image.toByteArray();
    const auto wrapped = riffChunk(image, "RMID", "data");
    if (wrapped && wrapped->startsWith("MThd"))
        return wrapped->toByteArray();
    return std::nullopt;
}

QString generalMidiSoundFont()
{
    // The small font first: it loads fastest.
    for (const char *candidate : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                  "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3"}) {
        if (QFileInfo(QString::fromLatin1(candidate)).isFile())
            return QString::fromLatin1(candidate);
    }
    return {};
}

std::optional<PcmSound> renderMidi(QByteArrayView image)
{
    const auto midi = standardMidiFile(image);
    const QString soundFont = generalMidiSoundFont();
    if (!midi || soundFont.isEmpty())
        return std::nullopt;
    silenceLog();
    FluidParts parts;
    if (!prepare(parts, soundFont, *midi))
        return std::nullopt;

    PcmSound sound{{SampleRate, 2, 16}, {}};
    const qint64 maxBytes = MaxSeconds * sound.format.bytesPerSecond();
    while (fluid_player_get_status(parts.player.get()) == FLUID_PLAYER_PLAYING && sound.data.size() < maxBytes)
        sound.data.append(renderBlock(parts.synth.get()));
    fluid_synth_all_notes_off(parts.synth.get(), -1);
    for (int tail = 0; tail < TailFrames; tail += FramesPerBlock)
        sound.data.append(renderBlock(parts.synth.get()));
    // The player reports its end some time after the last note; a loop
    // should not wait through that silence.
    sound.data.truncate(audibleLength(sound.data));
    return sound;
}

} // namespace Platform::Audio
