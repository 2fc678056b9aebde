// The MP3 decoder plug-in: libmpg123 decodes, libout123 plays or writes a
// wave file. One player per process, driven from the owner's thread; a
// decoder thread feeds the output while a piece plays.
#include "mpegdll.h"

#include <mpg123.h>
#include <out123.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

#define MPEGDLL_EXPORT extern "C" __attribute__((visibility("default")))

using namespace MpegDll;

namespace {

struct StreamSource {
    OpenStreamCallback open = nullptr;
    CloseStreamCallback close = nullptr;
    RestartStreamCallback restart = nullptr;
    ReadStreamCallback read = nullptr;
    SeekStreamCallback seek = nullptr;
    GetStreamSizeCallback size = nullptr;
    void *user = nullptr;
    void *context = nullptr;
};

struct Player {
    mpg123_handle *decoder = nullptr;
    out123_handle *output = nullptr;
    int device = WaveMapper;
    std::string outFile;
    int priority = 0;

    bool opened = false;
    bool fromStream = false;
    std::string path;
    StreamSource stream;
    long rate = 0;
    int channels = 0;
    int lengthMs = 0;
    int endMs = 0;

    std::thread decoderThread;
    std::mutex lock;
    std::condition_variable wake;
    bool stopRequested = false;
    bool paused = false;
    std::atomic<int> mode{Stopped};
    std::atomic<long long> playedFrames{0};
    long long startFrame = 0;
    bool paced = false;
    EndFlag *endReached = nullptr;
};

Player *player = nullptr;
int lastError = NoError;

int fail(int error)
{
    lastError = error;
    return error;
}

// The wave file output standing in for the sound card, when the
// environment asks for it: the first free "mpeg-NNNN.wav" of that folder.
std::string fileOutputInsteadOfDevice()
{
    const char *folder = std::getenv("KALVORA_AUDIO_OUT");
    if (!folder || !*folder)
        return {};
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    for (int number = 1;; ++number) {
        char name[32];
        std::snprintf(name, sizeof name, "mpeg-%04d.wav", number);
        const std::filesystem::path path = std::filesystem::path(folder) / name;
        if (!std::filesystem::exists(path))
            return path.string();
    }
}

ssize_t readStream(void *handle, void *buffer, size_t size)
{
    auto *source = static_cast<StreamSource *>(handle);
    int read = 0;
    const int wanted = int(std::min<size_t>(size, 1 << 20));
    if (!source->read || !source->read(source->user, source->context, buffer, wanted, &read))
        return -1;
    return std::clamp(read, 0, wanted);
}

off_t seekStream(void *handle, off_t offset, int whence)
{
    auto *source = static_cast<StreamSource *>(handle);
    if (!source->seek || offset > INT32_MAX || offset < INT32_MIN)
        return -1;
    return source->seek(source->user, source->context, int(offset), whence);
}

void closeStreamSource(void *handle)
{
    auto *source = static_cast<StreamSource *>(handle);
    if (source->close)
        source->close(source->user, source->context);
    source->context = nullptr;
}

void closeOutput()
{
    if (!player->output)
        return;
    out123_drop(player->output);
    out123_del(player->output);
    player->output = nullptr;
}

// Joins the decoder thread; the output is closed after it.
void stopDecoder()
{
    if (player->decoderThread.joinable()) {
        {
            std::lock_guard guard(player->lock);
            player->stopRequested = true;
        }
        player->wake.notify_all();
        player->decoderThread.join();
    }
    closeOutput();
    player->stopRequested = false;
    player->paused = false;
    if (player->mode != Ended)
        player->mode = Stopped;
}

bool openOutput()
{
    player->output = out123_new();
    if (!player->output)
        return false;
    out123_param(player->output, OUT123_FLAGS, OUT123_QUIET, 0, nullptr);
    std::string file;
    if (player->device == PcmFile && !player->outFile.empty())
        file = player->outFile;
    else
        file = fileOutputInsteadOfDevice();
    // A file written instead of the sound card fills at the pace of
    // listening, so what it holds is what would have been heard.
    player->paced = player->device != PcmFile && !file.empty();
    const char *driver = file.empty() ? nullptr : "wav";
    if (out123_open(player->output, driver, file.empty() ? nullptr : file.c_str()) != OUT123_OK
        || out123_start(player->output, player->rate, player->channels, MPG123_ENC_SIGNED_16) != OUT123_OK) {
        closeOutput();
        return false;
    }
    return true;
}

// Lowers the decoder thread for the lower priorities; never raises it, and
// never to a real-time class.
void applyPriority()
{
    if (player->priority < 0)
        setpriority(PRIO_PROCESS, 0, std::min(19, -player->priority));
}

bool pastEnd()
{
    if (player->endMs <= 0 || player->rate <= 0)
        return false;
    return (player->startFrame + player->playedFrames) * 1000 / player->rate >= player->endMs;
}

// Waits while paused, and in the paced output until the wall clock has
// caught up with what was played. False when asked to stop.
bool waitForTurn(std::chrono::steady_clock::time_point &paceStart)
{
    using namespace std::chrono;
    std::unique_lock guard(player->lock);
    for (;;) {
        if (player->paused) {
            player->wake.wait(guard, [] { return !player->paused || player->stopRequested; });
            // The clock of the paced output does not run while paused.
            paceStart = steady_clock::now() - milliseconds(player->playedFrames * 1000 / player->rate);
        }
        if (player->stopRequested)
            return false;
        if (!player->paced)
            return true;
        const auto due = paceStart + milliseconds(player->playedFrames * 1000 / player->rate);
        if (!player->wake.wait_until(guard, due, [] { return player->stopRequested || player->paused; }))
            return true;
    }
}

// The output may take a block in parts.
void playWhole(unsigned char *data, size_t size)
{
    while (size > 0) {
        const size_t played = out123_play(player->output, data, size);
        if (played == 0)
            return;
        data += played;
        size -= played;
    }
}

void decode()
{
    applyPriority();
    // Small blocks, so pausing, stopping and the paced output react soon.
    std::vector<unsigned char> block(4096);
    const int frameBytes = player->channels * 2;
    auto paceStart = std::chrono::steady_clock::now();
    bool ended = false;
    while (!ended && waitForTurn(paceStart)) {
        size_t done = 0;
        const int result = mpg123_read(player->decoder, block.data(), block.size(), &done);
        if (done > 0) {
            playWhole(block.data(), done);
            player->playedFrames += static_cast<long long>(done / size_t(frameBytes));
        }
        ended = pastEnd() || (result != MPG123_OK && result != MPG123_NEW_FORMAT);
    }
    if (!ended)
        return;
    out123_drain(player->output);
    out123_del(player->output);
    player->output = nullptr;
    player->mode = Ended;
    if (player->endReached)
        player->endReached->store(1);
}

bool seekTo(int ms)
{
    const off_t frame = off_t(ms) * player->rate / 1000;
    // A seek to the start leaves some decoder state of the end behind; a
    // file opened anew decodes exactly as the first time.
    const bool reopened = frame == 0 && !player->fromStream
                          && (mpg123_close(player->decoder), mpg123_open(player->decoder, player->path.c_str()) == MPG123_OK);
    if (!reopened && mpg123_seek(player->decoder, frame, SEEK_SET) < 0)
        return false;
    player->startFrame = frame;
    player->playedFrames = 0;
    return true;
}

int startDecoder(int startMs, bool seek = true)
{
    if (seek && !seekTo(startMs))
        return fail(NonSeekable);
    if (!openOutput())
        return fail(OutputDeviceFailure);
    player->mode = Playing;
    player->decoderThread = std::thread(decode);
    return NoError;
}

bool readFormat()
{
    int encoding = 0;
    if (mpg123_getformat(player->decoder, &player->rate, &player->channels, &encoding) != MPG123_OK
        || player->rate <= 0 || player->channels <= 0)
        return false;
    mpg123_scan(player->decoder);
    const off_t frames = mpg123_length(player->decoder);
    player->lengthMs = frames > 0 ? int(frames * 1000 / player->rate) : 0;
    return true;
}

void closeDecoderInput()
{
    stopDecoder();
    if (player->opened)
        mpg123_close(player->decoder);
    player->opened = false;
    player->mode = Stopped;
}

bool openSource(const char *path, bool fromStream)
{
    if (!fromStream) {
        player->path = path ? path : "";
        return path && mpg123_open(player->decoder, path) == MPG123_OK;
    }
    int nonseekable = 0;
    if (player->stream.open)
        player->stream.open(player->stream.user, &nonseekable, &player->stream.context);
    if (player->stream.size) {
        const int size = player->stream.size(player->stream.user, player->stream.context);
        if (size > 0)
            mpg123_set_filesize(player->decoder, size);
    }
    mpg123_param(player->decoder, MPG123_ADD_FLAGS, nonseekable ? MPG123_NO_PEEK_END : 0, 0);
    return mpg123_replace_reader_handle(player->decoder, readStream, seekStream, closeStreamSource) == MPG123_OK
           && mpg123_open_handle(player->decoder, &player->stream) == MPG123_OK;
}

} // namespace

MPEGDLL_EXPORT int init()
{
    lastError = NoError;
    if (player)
        return 1;
    auto fresh = std::make_unique<Player>();
    int error = MPG123_OK;
    fresh->decoder = mpg123_new(nullptr, &error);
    if (!fresh->decoder) {
        fail(InternalError);
        return 0;
    }
    mpg123_param(fresh->decoder, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // Every rate and channel count in 16-bit samples, the one encoding the
    // output is opened with.
    mpg123_format_none(fresh->decoder);
    const long *rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(fresh->decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    player = fresh.release();
    return 1;
}

MPEGDLL_EXPORT void deinit()
{
    lastError = NoError;
    if (!player)
        return;
    closeDecoderInput();
    mpg123_delete(player->decoder);
    delete player;
    player = nullptr;
}

MPEGDLL_EXPORT void Open(const char *path, int fromStream, OpenStreamCallback open, CloseStreamCallback close,
                         RestartStreamCallback restart, ReadStreamCallback read, SeekStreamCallback seek,
                         GetStreamSizeCallback size, void *user)
{
    lastError = NoError;
    if (!player) {
        fail(IncorrectMode);
        return;
    }
    closeDecoderInput();
    player->fromStream = fromStream != 0;
    player->stream = {open, close, restart, read, seek, size, user, nullptr};
    if (!openSource(path, player->fromStream)) {
        fail(InputStreamError);
        return;
    }
    player->opened = true;
    if (!readFormat()) {
        closeDecoderInput();
        fail(InputStreamError);
    }
}

MPEGDLL_EXPORT void Pause(int resume)
{
    lastError = NoError;
    if (!player || !player->decoderThread.joinable() || player->mode == Ended) {
        fail(IncorrectMode);
        return;
    }
    {
        std::lock_guard guard(player->lock);
        player->paused = resume == 0;
        player->mode = player->paused ? Paused : Playing;
    }
    player->wake.notify_all();
}

MPEGDLL_EXPORT void Stop()
{
    lastError = NoError;
    if (!player || !player->opened) {
        fail(IncorrectMode);
        return;
    }
    stopDecoder();
    player->mode = Stopped;
}

MPEGDLL_EXPORT int Play(int startPos, int endPos, EndFlag *endReached)
{
    lastError = NoError;
    if (!player || !player->opened || player->decoderThread.joinable())
        return fail(IncorrectMode);
    player->endReached = endReached;
    if (endReached)
        endReached->store(0);
    player->endMs = endPos;
    return startDecoder(startPos);
}

MPEGDLL_EXPORT void Restart()
{
    lastError = NoError;
    if (!player || !player->opened) {
        fail(IncorrectMode);
        return;
    }
    stopDecoder();
    if (player->endReached)
        player->endReached->store(0);
    if (seekTo(0)) {
        startDecoder(0, false);
        return;
    }
    // A stream that cannot seek is started again by its owner and read anew.
    const StreamSource &stream = player->stream;
    if (!player->fromStream || !stream.restart || !stream.restart(stream.user, stream.context)
        || mpg123_open_handle(player->decoder, &player->stream) != MPG123_OK) {
        fail(NonSeekable);
        return;
    }
    player->startFrame = 0;
    player->playedFrames = 0;
    startDecoder(0, false);
}

MPEGDLL_EXPORT void SetPriority(int priority)
{
    lastError = NoError;
    if (player)
        player->priority = priority;
}

MPEGDLL_EXPORT void SetOutputDevice(int device, const char *outFile)
{
    lastError = NoError;
    if (!player) {
        fail(IncorrectMode);
        return;
    }
    player->device = device;
    player->outFile = outFile ? outFile : "";
}

MPEGDLL_EXPORT void Close()
{
    lastError = NoError;
    if (player)
        closeDecoderInput();
}

MPEGDLL_EXPORT int GetCurrentPos()
{
    lastError = NoError;
    if (!player || !player->opened || player->rate <= 0)
        return 0;
    return int((player->startFrame + player->playedFrames) * 1000 / player->rate);
}

MPEGDLL_EXPORT int GetLength()
{
    lastError = NoError;
    return player && player->opened ? player->lengthMs : 0;
}

MPEGDLL_EXPORT int ResetPlayerMode()
{
    lastError = NoError;
    if (!player || player->mode != Ended)
        return 0;
    stopDecoder();
    player->mode = Stopped;
    return 1;
}

MPEGDLL_EXPORT int LastError()
{
    return lastError;
}

MPEGDLL_EXPORT int GetFrequency()
{
    lastError = NoError;
    return player && player->opened ? int(player->rate) : 0;
}

MPEGDLL_EXPORT int GetBitrate()
{
    lastError = NoError;
    mpg123_frameinfo info{};
    if (!player || !player->opened || mpg123_info(player->decoder, &info) != MPG123_OK)
        return 0;
    return info.bitrate;
}

MPEGDLL_EXPORT int GetLayer()
{
    lastError = NoError;
    mpg123_frameinfo info{};
    if (!player || !player->opened || mpg123_info(player->decoder, &info) != MPG123_OK)
        return 0;
    return info.layer;
}

MPEGDLL_EXPORT int GetPlayerMode()
{
    lastError = NoError;
    return player ? player->mode.load() : Stopped;
}

MPEGDLL_EXPORT void Seek(int position)
{
    lastError = NoError;
    if (!player || !player->opened || player->decoderThread.joinable() || !seekTo(position))
        fail(IncorrectMode);
}
