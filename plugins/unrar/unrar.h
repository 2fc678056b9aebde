#pragma once

// The entries and records of the RAR plug-in "unrar.dll", bound by name at
// run time. The records keep the field order of the library's published
// layout; the name fields are wider, because names are handed over as
// UTF-8 (up to four bytes a character).

#include <cstdint>

namespace UnRar {

inline constexpr const char *FileName = "unrar.dll";

// Results of the entries.
enum Result : int {
    Success = 0,
    EndArchive = 10,
    NoMemory = 11,
    BadData = 12,
    BadArchive = 13,
    UnknownFormat = 14,
    OpenFailed = 15,
    CreateFailed = 16,
    CloseFailed = 17,
    ReadFailed = 18,
    WriteFailed = 19,
    SmallBuffer = 20,
    Unknown = 21,
    MissingPassword = 22,
};

enum OpenMode : int { List = 0, Extract = 1 };
enum Operation : int { Skip = 0, Test = 1, ExtractFile = 2 };

// Entry flags as the plug-in reports them.
enum EntryFlag : unsigned {
    SplitBefore = 0x01,
    SplitAfter = 0x02,
    Encrypted = 0x04,
    HasComment = 0x08,
    Solid = 0x10,
    Folder = 0xE0,
};

inline constexpr int NameSize = 1024;

struct OpenArchiveData
{
    const char *ArcName = nullptr; // file system path
    int OpenMode = List;
    int OpenResult = Success;
    char *CmtBuf = nullptr;
    unsigned CmtBufSize = 0;
    unsigned CmtSize = 0;
    unsigned CmtState = 0; // 0 none, 1 read, else an error result
};

struct HeaderData
{
    char ArcName[NameSize] = {};
    char FileName[NameSize] = {}; // UTF-8, "\" between folders, zero-terminated
    unsigned Flags = 0;
    unsigned PackSize = 0;  // low 32 bits
    unsigned UnpSize = 0;   // low 32 bits
    unsigned HostOS = 0;
    unsigned FileCRC = 0;
    unsigned FileTime = 0;  // DOS date and time
    unsigned UnpVer = 0;
    unsigned Method = 0;
    unsigned FileAttr = 0;
    char *CmtBuf = nullptr;
    unsigned CmtBufSize = 0;
    unsigned CmtSize = 0;
    unsigned CmtState = 0;
};

using Handle = void *;
// Volume change: (archive name, mode); data: (address, size). Both return
// -1 to stop; the plug-in finds its caller through the runtime itself.
using ChangeVolProc = int (*)(char *arcName, int mode);
using ProcessDataProc = int (*)(unsigned char *address, int size);

using OpenArchiveEntry = Handle (*)(OpenArchiveData *data);
using CloseArchiveEntry = int (*)(Handle handle);
using ReadHeaderEntry = int (*)(Handle handle, HeaderData *header);
using ProcessFileEntry = int (*)(Handle handle, int operation, const char *destPath, const char *destName);
using SetPasswordEntry = void (*)(Handle handle, const char *password);
using SetChangeVolProcEntry = void (*)(Handle handle, ChangeVolProc proc);
using SetProcessDataProcEntry = void (*)(Handle handle, ProcessDataProc proc);

inline constexpr const char *OpenArchiveName = "RAROpenArchive";
inline constexpr const char *CloseArchiveName = "RARCloseArchive";
inline constexpr const char *ReadHeaderName = "RARReadHeader";
inline constexpr const char *ProcessFileName = "RARProcessFile";
inline constexpr const char *SetPasswordName = "RARSetPassword";
inline constexpr const char *SetChangeVolProcName = "RARSetChangeVolProc";
inline constexpr const char *SetProcessDataProcName = "RARSetProcessDataProc";

} // namespace UnRar
