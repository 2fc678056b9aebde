#pragma once

#include <projectfile/menudesign.h>

#include <functional>

class QWidget;
class TMenuButton;

// The one way a key of a design becomes a widget, for the runtime's menu
// windows and the designer's surface alike. What each program adds (its
// handlers, the runtime's enabled states and groups, the designer's
// selection) it adds to what this builds.
namespace MenuBuilder {

// The file a stored path names (the reader's drive root in front).
using Resolve = std::function<QString(const QString &stored)>;

// A key of design on parent: its id, name, caption, place, hint shown, no
// background of its own.
TMenuButton *createKey(QWidget *parent, const ProjectFormat::DesignKey &key);

// The look of a built key: font and colour (the entry's styles added to
// the ones the key has), glyph cells and layout, borders, hint (not for the
// music key, whose hint tells the music's state) and word wrap.
void styleKey(TMenuButton *button, const ProjectFormat::DesignKey &key);

// The glyph of the key's entry; false when it names a file that does not
// load (the key keeps no glyph). An entry without a file is no failure.
bool loadGlyph(TMenuButton *button, const ProjectFormat::DesignKey &key, const Resolve &resolve);

} // namespace MenuBuilder
