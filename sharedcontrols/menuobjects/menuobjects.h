#pragma once

#include <buttons/buttonglyph.h>
#include <projectfile/menudesign.h>
#include <projectfile/projectformat.h>

#include <QPalette>
#include <QString>

class QFont;
class QObject;
class QWidget;

// What the menu window and the design surface share about the objects of a
// menu: the id each one carries, and how colours, fonts and glyph layouts
// from a project are put on a widget.
namespace MenuObjects {

// The id a menu object carries (its Tag); 0 for anything else.
int tagOf(const QObject *object);
void setTag(QObject *object, int id);

// Category keys and function buttons are named by their id in decimal. (A
// few category ids equal the ids of single objects, whose keys are names.)
QString buttonKey(int id);

ButtonEnums::TButtonLayout toButtonLayout(ProjectFormat::GlyphLayout layout);
ProjectFormat::GlyphLayout fromButtonLayout(ButtonEnums::TButtonLayout layout);

void setColorRole(QWidget *widget, QPalette::ColorRole role, Platform::TColor color);
// A widget's background colour, painted by the widget itself.
void setBackgroundColor(QWidget *widget, Platform::TColor color);
void setFontColor(QWidget *widget, Platform::TColor color);

// The styles of a font as the project's FONT_STYLE keeps them.
ProjectFormat::FontStyles fontStylesOf(const QFont &font);

// Font and font colour of a widget from the font keys of its object.
void applyFont(QWidget *widget, const ProjectFormat::ProjectValues &project, const QString &objectKey,
               Platform::TColor defaultColor);
// The same from a font of the design: its name and size replace the
// widget's, its styles are added to the widget's own.
void applyFont(QWidget *widget, const ProjectFormat::FontSpec &font);

} // namespace MenuObjects
