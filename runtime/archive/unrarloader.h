#pragma once

// The process-wide binding of the RAR plug-in: one library handle and its
// seven entries, bound on first use and kept for the rest of the run.

#include "unrar.h"

#include <QString>

namespace UnRarLoader {

struct Entries
{
    UnRar::OpenArchiveEntry openArchive = nullptr;
    UnRar::CloseArchiveEntry closeArchive = nullptr;
    UnRar::ReadHeaderEntry readHeader = nullptr;
    UnRar::ProcessFileEntry processFile = nullptr;
    UnRar::SetPasswordEntry setPassword = nullptr;
    UnRar::SetChangeVolProcEntry setChangeVolProc = nullptr;
    UnRar::SetProcessDataProcEntry setProcessDataProc = nullptr;
};

// Binds the plug-in from folder, or from beside the program when folder is
// empty (names matched without regard to case). A library lacking any entry
// is released again, so nothing of it is ever called.
bool load(const QString &folder = {});
bool isLoaded();
// Valid only while loaded.
const Entries &entries();
// For tests: forgets the binding so another folder can be tried.
void unload();

} // namespace UnRarLoader
