#pragma once

#include <colors.h>

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class DesignerContext;

// One object of the design as an undo step keeps it: every value that a
// save writes for it and that the inspector can change. Texts are kept as
// they are, so commas, hashes and line breaks in captions, hints, font
// names and paths come back unchanged.
struct ObjectRecord {
    enum class Kind { Key, List, Field, Label, Image };

    int id = 0;
    Kind kind = Kind::Image;
    QRect bounds;
    bool shown = true;
    QFont font;
    Platform::TColor fontColor = Platform::clBtnText;
    Platform::TColor color = Platform::clBlack;
    Platform::TColor selectedColor = Platform::clYellow;
    bool transparent = false;
    QString caption; // a key's caption, the title's text
    QString hint;
    bool wordWrap = false;
    // Keys only.
    bool newBorder = false;
    bool noBorder = false;
    int numGlyphs = 1;
    int layout = 0;
    QString dataFile;       // ButtonDataFiles
    QString glyphFile;      // ButtonGlyphFiles
    QString nextWindowFile; // NextWindowFiles
    QString nextWindowOn;   // the project file's [NEXT_WINDOW] value
    // The toolbar strip only: the edge it keeps to.
    int toolsAlign = 0;

    bool operator==(const ObjectRecord &) const = default;
};

// The whole design at one step: the objects in creation order, the
// window and its background, then the project's settings lines.
struct DesignSnapshot {
    std::vector<ObjectRecord> objects;
    QSize surfaceSize;
    Platform::TColor surfaceColor = Platform::clBlack;
    bool backgroundAligned = true;
    QRect backgroundBounds;
    QStringList settings; // "name=value", in list order

    const ObjectRecord *find(int id) const;
    bool operator==(const DesignSnapshot &) const = default;
};

// Taking and restoring snapshots of the open design.
namespace DesignSnapshots {

// Nothing but empty settings without a surface.
DesignSnapshot take(const DesignerContext &context);

// Brings the design back to snapshot: objects it lacks are made by their
// creators (a category key with its own id and glyph), objects it does not
// hold are freed, every recorded value is set, and the objects stand in the
// recorded order. Pictures whose files changed are loaded again; the
// background becomes the current object and the project counts as modified.
void restore(DesignerContext &context, const DesignSnapshot &snapshot);

} // namespace DesignSnapshots
