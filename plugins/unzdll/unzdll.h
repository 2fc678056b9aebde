#pragma once

// The entries and call records of the unzip plug-in "unzdll.dll", bound by
// name at run time. The records keep the field order of the library's
// published layout; pointers and sizes have their natural widths, so the
// offsets are those of this platform (checked below for 64-bit systems).

#include <cstddef>
#include <cstdint>

namespace UnzDll {

// The record layout the caller builds; older, shorter layouts are refused.
inline constexpr std::int32_t RecordVersion = 152;
inline constexpr std::int32_t CheckValue = 7;
inline constexpr std::size_t PasswordSize = 81; // 80 characters and a zero
inline constexpr std::size_t TextSize = 512;

// Callback actions.
enum Action : std::int32_t {
    NewFile = 1,
    Progress = 2,
    EndOfBatch = 3,
    MessageText = 4,
    TotalFiles = 5,
    TotalSize = 6,
};

struct CallbackRecord
{
    std::int32_t reserved0 = 0;
    void *caller = nullptr;
    std::int32_t reserved1[2] = {};
    std::int32_t action = 0;
    std::int32_t errorCode = 0;
    std::int64_t sizeOrCount = 0;
    char text[TextSize] = {}; // UTF-8, zero-terminated
};

// Returns -1 to stop the extraction, 0 to go on.
using Callback = std::int32_t (*)(CallbackRecord *record);

struct SpecRecord
{
    const char *spec = nullptr; // zero-terminated, UTF-8
    std::int32_t reserved[16] = {};
};

struct ExecRecord
{
    void *window = nullptr;
    void *caller = nullptr;
    std::int32_t version = RecordVersion;
    Callback callback = nullptr;
    std::int32_t trace = 0;
    std::int32_t reserved20 = 0;
    const char *password = nullptr;
    std::int32_t test = 0;
    std::int32_t reserved32 = 0;
    std::int32_t reserved36 = 0;
    std::int32_t reserved40 = -1;
    std::int32_t verbose = 0;
    std::int32_t update = 0;
    std::int32_t freshen = 0;
    std::int32_t directoryNames = 0;
    std::int32_t overwrite = 0;
    std::int32_t specCount = 0;
    const char *zipName = nullptr;
    const SpecRecord *specs = nullptr;
    // The absolute folder to extract into: a field of the call, so the
    // process's current folder is never changed.
    const char *targetFolder = nullptr;
    std::int32_t check = CheckValue;
};

#if UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert(offsetof(CallbackRecord, caller) == 8 && offsetof(CallbackRecord, action) == 24
              && offsetof(CallbackRecord, errorCode) == 28 && offsetof(CallbackRecord, sizeOrCount) == 32
              && offsetof(CallbackRecord, text) == 40);
static_assert(sizeof(SpecRecord) == 72);
static_assert(offsetof(ExecRecord, caller) == 8 && offsetof(ExecRecord, version) == 16
              && offsetof(ExecRecord, callback) == 24 && offsetof(ExecRecord, trace) == 32
              && offsetof(ExecRecord, password) == 40 && offsetof(ExecRecord, test) == 48
              && offsetof(ExecRecord, reserved40) == 60 && offsetof(ExecRecord, verbose) == 64
              && offsetof(ExecRecord, overwrite) == 80 && offsetof(ExecRecord, specCount) == 84
              && offsetof(ExecRecord, zipName) == 88 && offsetof(ExecRecord, specs) == 96
              && offsetof(ExecRecord, targetFolder) == 104 && offsetof(ExecRecord, check) == 112);
#endif

using VersionEntry = std::int32_t (*)();
using ExecEntry = std::int32_t (*)(const ExecRecord *record);

inline constexpr const char *FileName = "unzdll.dll";
inline constexpr const char *ExecName = "UnzDllExec";
inline constexpr const char *VersionName = "GetUnzDllVersion";

} // namespace UnzDll
