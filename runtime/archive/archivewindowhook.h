#pragma once

// Where the menu window hands an archive over to the archive window after a
// failed start. The archive window installs its opener here when it exists;
// until then nothing is installed and the menu window reports the failed
// start itself.

#include <QString>

#include <functional>

class QWidget;

namespace ArchiveWindowHook {

enum class Kind { Zip, Rar };

// Shows the archive window for the archive at path (absolute); true when it
// took the archive over.
using Opener = std::function<bool(QWidget *parent, Kind kind, const QString &path)>;

// Installs the opener; an empty one removes it.
void setOpener(Opener opener);
bool hasOpener();

// False when no opener is installed.
bool open(QWidget *parent, Kind kind, const QString &path);

} // namespace ArchiveWindowHook
