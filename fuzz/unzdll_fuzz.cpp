// Opens arbitrary bytes as an archive through the unzip plug-in's entry,
// testing every entry and extracting into a fresh folder: the plug-in must
// not crash, and nothing may appear outside that folder.
#include "unzdll.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" std::int32_t UnzDllExec(const UnzDll::ExecRecord *record);

namespace {

std::int32_t quiet(UnzDll::CallbackRecord *)
{
    return 0;
}

const std::filesystem::path &workFolder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() / ("unzdll_fuzz_" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::filesystem::path archive = workFolder() / "input.zip";
    const std::filesystem::path target = workFolder() / "target" / "inner";
    std::filesystem::remove_all(workFolder() / "target");
    std::filesystem::create_directories(target);
    {
        std::ofstream out(archive, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
    }
    const std::string zipName = archive.string();
    const std::string targetName = target.string();
    for (const int test : {-1, 0}) {
        UnzDll::ExecRecord record;
        record.callback = &quiet;
        record.test = test;
        record.directoryNames = -1;
        record.overwrite = -1;
        record.zipName = zipName.c_str();
        record.targetFolder = targetName.c_str();
        UnzDllExec(&record);
    }
    // Everything written stays inside the target.
    for (const auto &entry : std::filesystem::directory_iterator(workFolder() / "target")) {
        if (entry.path().filename() != "inner")
            std::abort();
    }
    return 0;
}
