#pragma once

#include <projectfile/menudesign.h>

#include <functional>

class QLabel;
class QLineEdit;
class QWidget;
class TImage;
class TMenuButton;
class TTranspList;

// The one way the objects of a design become widgets, for the runtime's
// menu windows and the designer's surface alike: each is made with its id,
// name and place, and styled from its entry. What each program adds (its
// handlers, the runtime's enabled states, groups and hidden fields, the
// designer's sample texts and selection) it adds to what this builds.
//
// Where the two differ by design:
// - each reads the design with its own defaults (ProjectFormat::Reader);
// - on the surface objects are inert: a click selects them; fields show a
//   sample text at that text's height, the lists sample lines; a glyph that
//   does not load is reported (the runtime goes on without it);
// - the runtime hides a field by its *_IF_IS flag, groups category keys
//   under ALWAYS_DOWN without all up, keeps program functions disabled
//   until a program is chosen, and its second window writes its fields in
//   the window's text colour unless the file names one.
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

// LIST or DESCRIPTION (id) at bounds.
TTranspList *createList(QWidget *parent, int id, const QRect &bounds);
void styleList(TTranspList *list, const ProjectFormat::DesignList &design);
void styleDescription(TTranspList *list, const ProjectFormat::DesignDescription &design);

// SERIAL, SYSTEM, INFO or ROZMIAR: a read-only field without a frame that
// never takes the focus, its hint shown.
QLineEdit *createField(QWidget *parent, int id, const ProjectFormat::DesignField &field);
void styleField(QLineEdit *edit, const ProjectFormat::DesignField &field);

// TITLE: centred plain text.
QLabel *createTitle(QWidget *parent, const ProjectFormat::DesignTitle &title, const QString &text);
void styleTitle(QLabel *label, const ProjectFormat::DesignTitle &title);

// TOOLS on a window of size: the strip keeps to its edge there.
TImage *createTools(QWidget *parent, const ProjectFormat::DesignTools &tools, const QSize &window);

} // namespace MenuBuilder
