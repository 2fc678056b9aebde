#pragma once

// The process-wide binding of the unzip plug-in: one library handle and its
// two entries, shared by every zip component.

#include "unzdll.h"

#include <QString>

namespace UnzDllLoader {

struct LoadResult
{
    bool found = false; // a library was found and loaded
    bool execMissing = false;
    bool versionMissing = false;
    bool ok() const { return found && !execMissing && !versionMissing; }
};

// Binds the plug-in from folder (searched first, names matched without
// regard to case) or from beside the program. A library lacking an entry is
// released again, so after a failed load nothing of it is ever called.
LoadResult load(const QString &folder);
void unload();
bool isLoaded();
// The path the library was loaded from.
QString loadedPath();

// Valid only while loaded.
UnzDll::VersionEntry versionEntry();
UnzDll::ExecEntry execEntry();

} // namespace UnzDllLoader
