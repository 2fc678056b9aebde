#include "unzdllloader.h"

#include "paths.h"

#include <QDir>
#include <QLibrary>

namespace UnzDllLoader {

namespace {

struct Binding
{
    QLibrary library;
    UnzDll::VersionEntry version = nullptr;
    UnzDll::ExecEntry exec = nullptr;
};

Binding &binding()
{
    static Binding instance;
    return instance;
}

QString libraryPath(const QString &folder)
{
    const QString name = QString::fromLatin1(UnzDll::FileName);
    for (const QString &dir : {folder, Platform::programDir()}) {
        if (dir.isEmpty())
            continue;
        const QString found = Platform::findEntryCaseInsensitive(dir, name);
        if (!found.isEmpty())
            return QDir(dir).filePath(found);
    }
    return {};
}

} // namespace

LoadResult load(const QString &folder)
{
    Binding &b = binding();
    LoadResult result;
    if (isLoaded()) {
        result.found = true;
        return result;
    }
    const QString path = libraryPath(folder);
    if (path.isEmpty())
        return result;
    b.library.setFileName(path);
    if (!b.library.load())
        return result;
    result.found = true;
    b.exec = reinterpret_cast<UnzDll::ExecEntry>(b.library.resolve(UnzDll::ExecName));
    b.version = reinterpret_cast<UnzDll::VersionEntry>(b.library.resolve(UnzDll::VersionName));
    result.execMissing = !b.exec;
    result.versionMissing = !b.version;
    if (!result.ok())
        unload();
    return result;
}

void unload()
{
    Binding &b = binding();
    b.exec = nullptr;
    b.version = nullptr;
    if (b.library.isLoaded())
        b.library.unload();
}

bool isLoaded()
{
    return binding().library.isLoaded() && binding().exec && binding().version;
}

QString loadedPath()
{
    return isLoaded() ? binding().library.fileName() : QString();
}

UnzDll::VersionEntry versionEntry()
{
    return binding().version;
}

UnzDll::ExecEntry execEntry()
{
    return binding().exec;
}

} // namespace UnzDllLoader
