#include "archivewindowhook.h"

namespace ArchiveWindowHook {

namespace {

Opener &installed()
{
    static Opener opener;
    return opener;
}

} // namespace

void setOpener(Opener opener)
{
    installed() = std::move(opener);
}

bool hasOpener()
{
    return static_cast<bool>(installed());
}

bool open(QWidget *parent, Kind kind, const QString &path)
{
    return installed() && installed()(parent, kind, path);
}

} // namespace ArchiveWindowHook
