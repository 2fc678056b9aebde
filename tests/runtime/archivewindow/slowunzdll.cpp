// An unzip plug-in that reports a new file every 20 ms, a hundred times,
// until the caller asks it to stop; it writes nothing.

#include "unzdll.h"

#include <cstring>
#include <thread>

extern "C" __attribute__((visibility("default"))) std::int32_t GetUnzDllVersion()
{
    return 160;
}

extern "C" __attribute__((visibility("default"))) std::int32_t UnzDllExec(const UnzDll::ExecRecord *record)
{
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        UnzDll::CallbackRecord callback;
        callback.caller = record->caller;
        callback.action = UnzDll::NewFile;
        std::strcpy(callback.text, "slow.txt");
        if (record->callback(&callback) == -1)
            return i;
    }
    return 100;
}
