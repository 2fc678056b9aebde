// The plug-in's decoder thread against its owner's calls, under
// ThreadSanitizer: play, pause, resume, end, restart, stop, close.
#include <mpegdll.h>

#include <chrono>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

using namespace MpegDll;

namespace {

template<typename F> F entry(void *library, const char *name)
{
    return reinterpret_cast<F>(dlsym(library, name));
}

bool waitFor(const EndFlag &flag)
{
    for (int i = 0; i < 500 && !flag.load(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return flag.load() != 0;
}

} // namespace

TEST(MpegDllThreads, OwnerCallsMeetTheDecoderThreadCleanly)
{
    const auto folder = std::filesystem::temp_directory_path() / "kalvora-tsan-audio";
    std::filesystem::remove_all(folder);
    setenv("KALVORA_AUDIO_OUT", folder.c_str(), 1);

    void *library = dlopen(TSAN_PLUGIN, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    ASSERT_TRUE(entry<InitEntry>(library, "init")());
    entry<OpenEntry>(library, "Open")(TONE_MP3, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    const auto lastError = entry<IntEntry>(library, "LastError");
    ASSERT_EQ(lastError(), 0);
    entry<SetOutputDeviceEntry>(library, "SetOutputDevice")(WaveMapper, "");

    EndFlag ended{0};
    ASSERT_EQ(entry<PlayEntry>(library, "Play")(0, 0, &ended), 0);
    entry<PauseEntry>(library, "Pause")(0);
    const int pausedAt = entry<IntEntry>(library, "GetCurrentPos")();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LE(entry<IntEntry>(library, "GetCurrentPos")(), pausedAt + 100); // a block in flight at most
    entry<PauseEntry>(library, "Pause")(1);
    ASSERT_TRUE(waitFor(ended));
    EXPECT_EQ(entry<IntEntry>(library, "ResetPlayerMode")(), 1);

    entry<RestartEntry>(library, "Restart")();
    EXPECT_EQ(lastError(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    entry<StopEntry>(library, "Stop")();
    entry<RestartEntry>(library, "Restart")();
    entry<CloseEntry>(library, "Close")(); // joins the playing decoder
    entry<DeinitEntry>(library, "deinit")();
    dlclose(library);
    unsetenv("KALVORA_AUDIO_OUT");
    std::filesystem::remove_all(folder);
}
