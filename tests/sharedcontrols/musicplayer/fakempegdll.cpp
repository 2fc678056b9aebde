// A stand-in for the MP3 decoder plug-in that logs the calls it gets. The
// test drives it through the fake* entries: failures to answer and the end
// of the piece.
#include <mpegdll.h>

#include <cstring>
#include <map>
#include <string>

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

using namespace MpegDll;

namespace {

std::string callLog;
int lastError = 0;
int initResult = 1;
std::map<std::string, int> failures;
EndFlag *endFlag = nullptr;

// Logs an entry, resets the last error and sets the one the test asked for.
bool call(const std::string &entry, const std::string &arguments = {})
{
    if (!callLog.empty())
        callLog += ' ';
    callLog += arguments.empty() ? entry : entry + '(' + arguments + ')';
    lastError = 0;
    const auto failure = failures.find(entry);
    if (failure == failures.end())
        return true;
    lastError = failure->second;
    failures.erase(failure);
    return false;
}

} // namespace

FAKE_EXPORT const char *fakeLog() { return callLog.c_str(); }
FAKE_EXPORT void fakeClearLog() { callLog.clear(); }
FAKE_EXPORT void fakeFailNext(const char *entry, int error) { failures[entry] = error; }
FAKE_EXPORT void fakeSetInitResult(int result) { initResult = result; }
FAKE_EXPORT void fakeEndPiece()
{
    if (endFlag)
        endFlag->store(1);
}

FAKE_EXPORT int init()
{
    call("init");
    if (initResult == 0 && lastError == 0)
        lastError = InternalError;
    return initResult;
}
FAKE_EXPORT void deinit() { call("deinit"); }
FAKE_EXPORT void Open(const char *path, int fromStream, OpenStreamCallback, CloseStreamCallback, RestartStreamCallback,
                      ReadStreamCallback, SeekStreamCallback, GetStreamSizeCallback, void *)
{
    call("Open", std::string(path ? path : "") + ',' + std::to_string(fromStream));
}
FAKE_EXPORT void Pause(int resume) { call("Pause", std::to_string(resume)); }
FAKE_EXPORT void Stop() { call("Stop"); }
FAKE_EXPORT int Play(int startPos, int endPos, EndFlag *endReached)
{
    endFlag = endReached;
    return call("Play", std::to_string(startPos) + ',' + std::to_string(endPos)) ? 0 : 1;
}
FAKE_EXPORT void Restart() { call("Restart"); }
FAKE_EXPORT void SetPriority(int priority) { call("SetPriority", std::to_string(priority)); }
FAKE_EXPORT void SetOutputDevice(int device, const char *outFile)
{
    call("SetOutputDevice", std::to_string(device) + ',' + (outFile ? outFile : ""));
}
FAKE_EXPORT void Close() { call("Close"); }
FAKE_EXPORT int GetCurrentPos()
{
    call("GetCurrentPos");
    return 1500;
}
FAKE_EXPORT int GetLength()
{
    call("GetLength");
    return 1000;
}
FAKE_EXPORT int ResetPlayerMode()
{
    call("ResetPlayerMode");
    return 1;
}
FAKE_EXPORT int LastError() { return lastError; }
FAKE_EXPORT int GetFrequency() { return 44100; }
FAKE_EXPORT int GetBitrate() { return 128; }
FAKE_EXPORT int GetLayer() { return 3; }
FAKE_EXPORT int GetPlayerMode() { return 0; }
#ifndef FAKE_WITHOUT_SEEK
FAKE_EXPORT void Seek(int) {}
#endif
