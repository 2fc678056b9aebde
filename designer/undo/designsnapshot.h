#pragma once

#include <projectfile/menudesign.h>

#include <QString>

#include <map>
#include <vector>

class DesignerContext;

// What the surface shows beside the design and no save keeps, so a step
// keeps it beside its copy of the design: how the objects are stacked (the
// file keeps only the order of the keys, and that is the design's), those
// hidden (a program list that waits for a click), the title's sample text
// and the hints of objects whose hint the file does not keep.
struct SurfaceView {
    std::vector<int> stacking; // the ids of the objects, from the bottom up
    std::vector<int> hidden;
    QString titleText;
    std::map<int, QString> shownHints;

    bool operator==(const SurfaceView &) const = default;
};

// The whole design at one step: a copy of the design the save would write
// (which objects there are, the keys in their order, every value) and the
// view of the surface beside it. Texts are kept as they are, so commas,
// hashes and line breaks in captions, hints, font names and paths come back
// unchanged.
struct DesignSnapshot {
    ProjectFormat::MenuDesign design;
    SurfaceView view;

    bool operator==(const DesignSnapshot &) const = default;
};

// Taking and restoring snapshots of the open design.
namespace DesignSnapshots {

// Nothing but the settings without a surface.
DesignSnapshot take(const DesignerContext &context);

// Brings the design back to snapshot: objects it lacks are made by their
// creators (a category key with its own id and glyph), objects it does not
// hold are freed, every recorded value is set, and the objects stand as
// they were stacked. Pictures whose files changed are loaded again; the
// background becomes the current object and the project counts as modified.
void restore(DesignerContext &context, const DesignSnapshot &snapshot);

} // namespace DesignSnapshots
