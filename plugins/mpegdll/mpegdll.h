#pragma once

// The entries of the MP3 decoder plug-in "mpegdll.dll", bound by name at run
// time. Positions, lengths and the start and end of Play are milliseconds.

#include <atomic>

namespace MpegDll {

// Set by the decoder thread when the piece has ended; read by the player's
// owner on its own thread.
using EndFlag = std::atomic<unsigned char>;

// Callbacks of a stream opened from events; user is the pointer given to
// Open, context the one the open callback returned.
using OpenStreamCallback = void (*)(void *user, int *nonseekable, void **context);
using CloseStreamCallback = void (*)(void *user, void *context);
using RestartStreamCallback = int (*)(void *user, void *context);
using ReadStreamCallback = int (*)(void *user, void *context, void *buffer, int toRead, int *read);
using SeekStreamCallback = int (*)(void *user, void *context, int offset, int moveMethod);
using GetStreamSizeCallback = int (*)(void *user, void *context);

using InitEntry = int (*)();
using DeinitEntry = void (*)();
// File form: (path, 0, nulls); stream form: (null, 1, callbacks, user).
using OpenEntry = void (*)(const char *path, int fromStream, OpenStreamCallback, CloseStreamCallback,
                           RestartStreamCallback, ReadStreamCallback, SeekStreamCallback, GetStreamSizeCallback,
                           void *user);
using PauseEntry = void (*)(int resume);
using StopEntry = void (*)();
using PlayEntry = int (*)(int startPos, int endPos, EndFlag *endReached);
using RestartEntry = void (*)();
using SetPriorityEntry = void (*)(int priority);
using SetOutputDeviceEntry = void (*)(int device, const char *outFile);
using CloseEntry = void (*)();
using IntEntry = int (*)();
using SeekEntry = void (*)(int position);

enum Error : int {
    NoError = 0,
    InternalError = 1,
    IncorrectMode = 2,
    InputStreamError = 3,
    NonSeekable = 4,
    OutputDeviceFailure = 5,
};

// Output device codes.
constexpr int WaveMapper = 0;
constexpr int PcmFile = 2;

// ResetPlayerMode answers this when the piece had ended and the player was
// reset; GetPlayerMode answers one of the modes.
enum Mode : int { Stopped = 0, Playing = 1, Paused = 2, Ended = 3 };

} // namespace MpegDll
