#pragma once

#include <projectfile/menudesign.h>

#include <QString>

#include <map>
#include <vector>

class DesignerContext;

// The whole design at one step: a copy of the design the save would write,
// and what the surface shows beside it (the order the objects stand in,
// those hidden, the title's sample text, the hints of objects whose hint
// the file does not keep). Texts are kept as they are, so
// commas, hashes and line breaks in captions, hints, font names and paths
// come back unchanged.
struct DesignSnapshot {
    ProjectFormat::MenuDesign design;
    std::vector<int> order; // the ids of the objects, in creation order
    std::vector<int> hidden;
    QString titleText;
    std::map<int, QString> shownHints;

    bool operator==(const DesignSnapshot &) const = default;
};

// Taking and restoring snapshots of the open design.
namespace DesignSnapshots {

// Nothing but the settings without a surface.
DesignSnapshot take(const DesignerContext &context);

// Brings the design back to snapshot: objects it lacks are made by their
// creators (a category key with its own id and glyph), objects it does not
// hold are freed, every recorded value is set, and the objects stand in the
// recorded order. Pictures whose files changed are loaded again; the
// background becomes the current object and the project counts as modified.
void restore(DesignerContext &context, const DesignSnapshot &snapshot);

} // namespace DesignSnapshots
