#include "unrarloader.h"

#include "paths.h"

#include <QDir>
#include <QLibrary>

namespace UnRarLoader {

namespace {

struct Binding
{
    QLibrary library;
    Entries entries;
    bool complete = false;
};

Binding &binding()
{
    static Binding instance;
    return instance;
}

QString libraryPath(const QString &folder)
{
    const QString name = QString::fromLatin1(UnRar::FileName);
    const QString dir = folder.isEmpty() ? Platform::programDir() : folder;
    const QString found = Platform::findEntryCaseInsensitive(dir, name);
    return found.isEmpty() ? QString() : QDir(dir).filePath(found);
}

template<typename Entry>
bool bind(QLibrary &library, Entry &entry, const char *name)
{
    entry = reinterpret_cast<Entry>(library.resolve(name));
    return entry != nullptr;
}

} // namespace

bool load(const QString &folder)
{
    Binding &b = binding();
    if (b.complete)
        return true;
    const QString path = libraryPath(folder);
    if (path.isEmpty())
        return false;
    b.library.setFileName(path);
    if (!b.library.load())
        return false;
    Entries &e = b.entries;
    b.complete = bind(b.library, e.openArchive, UnRar::OpenArchiveName)
                 && bind(b.library, e.closeArchive, UnRar::CloseArchiveName)
                 && bind(b.library, e.readHeader, UnRar::ReadHeaderName)
                 && bind(b.library, e.processFile, UnRar::ProcessFileName)
                 && bind(b.library, e.setPassword, UnRar::SetPasswordName)
                 && bind(b.library, e.setChangeVolProc, UnRar::SetChangeVolProcName)
                 && bind(b.library, e.setProcessDataProc, UnRar::SetProcessDataProcName);
    if (!b.complete)
        unload();
    return b.complete;
}

bool isLoaded()
{
    return binding().complete;
}

const Entries &entries()
{
    return binding().entries;
}

void unload()
{
    Binding &b = binding();
    b.entries = {};
    b.complete = false;
    if (b.library.isLoaded())
        b.library.unload();
}

} // namespace UnRarLoader
