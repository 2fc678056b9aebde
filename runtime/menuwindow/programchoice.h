#pragma once

#include <profilefile.h>

#include <QString>

#include <memory>

// The chosen category and program of one menu window: the data file of its
// last category with one, and the section of the chosen program in it
// (empty when none is chosen). Each window keeps its own, so returning from
// the second-level window never leaves its program chosen in the menu.
struct ProgramChoice {
    std::unique_ptr<Platform::ProfileFile> CategoryIni;
    QString CurrentProgram;
    // The value of a key of the chosen program; empty without one.
    QString programValue(const QString &key) const;
};
