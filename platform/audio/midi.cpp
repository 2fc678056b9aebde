#include "midi.h"

#include <QFileInfo>

#include <fluidsynth.h>

#include <dlfcn.h>

#include <memory>
#include <type_traits>

namespace Platform::Audio {

namespace {

constexpr int SampleRate = 44100;
constexpr int FramesPerBlock = 1024;
// A background tune is short; this bounds memory for a file that never ends.
constexpr qint64 MaxSeconds = 5 * 60;
// Notes still sounding when the last event has passed fade within this time.
constexpr int TailFrames = SampleRate / 2;

// The synthesiser and the many libraries it needs are loaded on the first
// tune, on the thread that renders it, not at every program start.
struct FluidLibrary {
#define KALVORA_FLUID_FUNCTION(name) decltype(&::name) name = nullptr;
    KALVORA_FLUID_FUNCTION(fluid_set_log_function)
    KALVORA_FLUID_FUNCTION(new_fluid_settings)
    KALVORA_FLUID_FUNCTION(delete_fluid_settings)
    KALVORA_FLUID_FUNCTION(fluid_settings_setnum)
    KALVORA_FLUID_FUNCTION(fluid_settings_setstr)
    KALVORA_FLUID_FUNCTION(fluid_settings_setint)
    KALVORA_FLUID_FUNCTION(new_fluid_synth)
    KALVORA_FLUID_FUNCTION(delete_fluid_synth)
    KALVORA_FLUID_FUNCTION(fluid_synth_sfload)
    KALVORA_FLUID_FUNCTION(fluid_synth_write_s16)
    KALVORA_FLUID_FUNCTION(fluid_synth_all_notes_off)
    KALVORA_FLUID_FUNCTION(new_fluid_player)
    KALVORA_FLUID_FUNCTION(delete_fluid_player)
    KALVORA_FLUID_FUNCTION(fluid_player_add_mem)
    KALVORA_FLUID_FUNCTION(fluid_player_play)
    KALVORA_FLUID_FUNCTION(fluid_player_get_status)
#undef KALVORA_FLUID_FUNCTION
    bool loaded = false;

    FluidLibrary()
    {
        // Kept loaded for the rest of the program, as a linked one would be.
        void *library = ::dlopen(KALVORA_FLUIDSYNTH_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return;
        loaded = true;
        const auto resolve = [&](auto &function, const char *name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(library, name));
            loaded = loaded && function;
        };
#define KALVORA_FLUID_RESOLVE(name) resolve(name, #name);
        KALVORA_FLUID_RESOLVE(fluid_set_log_function)
        KALVORA_FLUID_RESOLVE(new_fluid_settings)
        KALVORA_FLUID_RESOLVE(delete_fluid_settings)
        KALVORA_FLUID_RESOLVE(fluid_settings_setnum)
        KALVORA_FLUID_RESOLVE(fluid_settings_setstr)
        KALVORA_FLUID_RESOLVE(fluid_settings_setint)
        KALVORA_FLUID_RESOLVE(new_fluid_synth)
        KALVORA_FLUID_RESOLVE(delete_fluid_synth)
        KALVORA_FLUID_RESOLVE(fluid_synth_sfload)
        KALVORA_FLUID_RESOLVE(fluid_synth_write_s16)
        KALVORA_FLUID_RESOLVE(fluid_synth_all_notes_off)
        KALVORA_FLUID_RESOLVE(new_fluid_player)
        KALVORA_FLUID_RESOLVE(delete_fluid_player)
        KALVORA_FLUID_RESOLVE(fluid_player_add_mem)
        KALVORA_FLUID_RESOLVE(fluid_player_play)
        KALVORA_FLUID_RESOLVE(fluid_player_get_status)
#undef KALVORA_FLUID_RESOLVE
    }
};

// Null when the synthesiser cannot be loaded: tunes are then not played.
const FluidLibrary *fluid()
{
    static const FluidLibrary library;
    return library.loaded ? &library : nullptr;
}

void silenceLog(const FluidLibrary &fl)
{
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fl.fluid_set_log_function(level, nullptr, nullptr);
}

struct FluidParts {
    explicit FluidParts(const FluidLibrary &fl)
        : settings{fl.new_fluid_settings(), fl.delete_fluid_settings}
        , synth{nullptr, fl.delete_fluid_synth}
        , player{nullptr, fl.delete_fluid_player}
    {
    }
    // Destroyed in reverse: the player before the synthesiser before the settings.
    std::unique_ptr<fluid_settings_t, decltype(&delete_fluid_settings)> settings;
    std::unique_ptr<fluid_synth_t, decltype(&delete_fluid_synth)> synth;
    std::unique_ptr<fluid_player_t, decltype(&delete_fluid_player)> player;
};

bool prepare(const FluidLibrary &fl, FluidParts &parts, const QString &soundFont, const QByteArray &midi)
{
    if (!parts.settings)
        return false;
    fl.fluid_settings_setnum(parts.settings.get(), "synth.sample-rate", SampleRate);
    // The sample clock instead of the wall clock: rendering runs faster
    // than real time and gives the same samples every time.
    fl.fluid_settings_setstr(parts.settings.get(), "player.timing-source", "sample");
    fl.fluid_settings_setint(parts.settings.get(), "synth.lock-memory", 0);
    // The default gain leaves a tune too quiet beside the click sounds.
    fl.fluid_settings_setnum(parts.settings.get(), "synth.gain", 0.6);
    parts.synth.reset(fl.new_fluid_synth(parts.settings.get()));
    if (!parts.synth || fl.fluid_synth_sfload(parts.synth.get(), soundFont.toLocal8Bit().constData(), 1) == FLUID_FAILED)
        return false;
    parts.player.reset(fl.new_fluid_player(parts.synth.get()));
    return parts.player && fl.fluid_player_add_mem(parts.player.get(), midi.constData(), size_t(midi.size())) == FLUID_OK
           && fl.fluid_player_play(parts.player.get()) == FLUID_OK;
}

QByteArray renderBlock(const FluidLibrary &fl, fluid_synth_t *synth)
{
    QByteArray block(FramesPerBlock * 4, Qt::Uninitialized);
    fl.fluid_synth_write_s16(synth, FramesPerBlock, block.data(), 0, 2, block.data(), 1, 2);
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
    const FluidLibrary *fl = midi && !soundFont.isEmpty() ? fluid() : nullptr;
    if (!fl)
        return std::nullopt;
    silenceLog(*fl);
    FluidParts parts(*fl);
    if (!prepare(*fl, parts, soundFont, *midi))
        return std::nullopt;

    PcmSound sound{{SampleRate, 2, 16}, {}};
    const qint64 maxBytes = MaxSeconds * sound.format.bytesPerSecond();
    while (fl->fluid_player_get_status(parts.player.get()) == FLUID_PLAYER_PLAYING && sound.data.size() < maxBytes)
        sound.data.append(renderBlock(*fl, parts.synth.get()));
    fl->fluid_synth_all_notes_off(parts.synth.get(), -1);
    for (int tail = 0; tail < TailFrames; tail += FramesPerBlock)
        sound.data.append(renderBlock(*fl, parts.synth.get()));
    // The player reports its end some time after the last note; a loop
    // should not wait through that silence.
    sound.data.truncate(audibleLength(sound.data));
    return sound;
}

} // namespace Platform::Audio
