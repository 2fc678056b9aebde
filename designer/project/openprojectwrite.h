#pragma once

#include <safefile.h>

#include <functional>

class DesignerContext;
class QWidget;

namespace Platform {
class ProfileFile;
}

// Every write into the open project's file goes through here. The edit is
// made on a profile object of its own, read from the disk (a file that is
// gone starts from what was read of it), and that object becomes the open
// one only once the write reached the disk. So a write that fails leaves
// the open object as the disk has it: nothing of it stays pending for a
// later write (a second-window tick, its undo) to carry there.
// The result holds the message of a failure, empty when none.
Platform::WriteResult writeOpenProject(DesignerContext &context,
                                       const std::function<void(Platform::ProfileFile &)> &edit);

// Tells the user that the project file fileName could not be written, and
// why.
void tellSaveFailed(QWidget *parent, const QString &fileName, const QString &error);
