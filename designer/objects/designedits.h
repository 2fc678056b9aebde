#pragma once

#include <projectfile/menudesign.h>
#include <safefile.h>

#include <functional>

class DesignerContext;
class QWidget;
class TMenuButton;

// The edits of the open design. Each changes the entry of one object in
// the context's design and then shows that entry on the object's widget,
// so the widgets only ever show the design; the save and the undo take the
// design, never the widgets. The object is named by its widget: the window
// itself, BACK, a key or a single object.
namespace DesignEdits {

// The values of an object's entry that more than one kind of object has;
// nullptr where the object's kind has no such value (the window has no
// bounds of its own here: its size is setBounds' to change).
struct Entry {
    QRect *bounds = nullptr;
    ProjectFormat::FontSpec *font = nullptr;
    Platform::TColor *color = nullptr;
    Platform::TColor *selectedColor = nullptr;
    QString *hint = nullptr;
    bool *wordWrap = nullptr;
    bool *transparent = nullptr;
    ProjectFormat::DesignKey *key = nullptr;
};
Entry entryOf(ProjectFormat::MenuDesign &design, const QWidget *object);

// Changes the entry of object by edit and shows it; nothing when the design
// holds no entry of object.
void change(DesignerContext &context, QWidget *object, const std::function<void(Entry &)> &edit);
void changeKey(DesignerContext &context, TMenuButton *key,
               const std::function<void(ProjectFormat::DesignKey &)> &edit);

// The bounds of an object; the window takes their size as its client size
// and is moved to their corner.
void setBounds(DesignerContext &context, QWidget *object, const QRect &bounds);
// A font; a field keeps the height of one line of it.
void setFont(DesignerContext &context, QWidget *object, const ProjectFormat::FontSpec &font);
// A field is as high as one line of its font.
void fitField(DesignerContext &context, QWidget *field);
void setFontColor(DesignerContext &context, QWidget *object, Platform::TColor color);
// The colour of an object; the window's for the window and BACK.
void setColor(DesignerContext &context, QWidget *object, Platform::TColor color);

// Shows the entry of object on its widget.
void show(DesignerContext &context, QWidget *object);

// A new key joins the design with entry (in place of an entry of its id,
// else after the others) and the files left for its id, and shows it; a
// freed object leaves the design, a key leaving its files behind.
void addKey(DesignerContext &context, TMenuButton *key, const ProjectFormat::DesignKey &entry);
void removed(DesignerContext &context, int id);

// The window has a new client size: a background that fills it and a
// toolbar strip kept to an edge follow it.
void windowResized(DesignerContext &context, const QSize &size);

// A setting of the design by its name (see ProjectFormat::textSettings);
// a change marks the project modified.
void setSetting(DesignerContext &context, const QString &name, const QString &value);
// The settings as edit changes them; a change marks the project modified.
void changeSettings(DesignerContext &context, const std::function<void(ProjectFormat::MenuDesign &)> &edit);

// The files a key keeps; empty for an id the design has no key of, which
// a change leaves alone. A change marks the project modified.
enum class KeyFile { Glyph, Data, NextWindow };
QString keyFile(const DesignerContext &context, int id, KeyFile file);
void setKeyFile(DesignerContext &context, int id, KeyFile file, const QString &stored);

// The second-window tick of a category key: the design keeps "1" or "0"
// and the project file takes it at once, as the user sees it happen, and
// nothing else. A failure says why the file could not be written; nothing
// happens for other ids.
Platform::WriteResult setNextWindow(DesignerContext &context, int id, bool opens);

} // namespace DesignEdits
