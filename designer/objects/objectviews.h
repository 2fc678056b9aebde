#pragma once

#include <projectfile/menudesign.h>

class QLabel;
class QLineEdit;
class QWidget;
class TImage;
class TMenuButton;
class TTranspList;

// The widgets of design objects as views of their entries in the design:
// show* puts an entry on its widget, the one place where a widget takes a
// property. A property lives in the entry, never in the widget, and nothing
// reads a widget back into the design.
namespace ObjectViews {

void showFont(QWidget *object, const ProjectFormat::FontSpec &font);
// A key's own values; its files and second-window switch no widget shows.
void showKey(TMenuButton *button, const ProjectFormat::DesignKey &key);
void showList(TTranspList *list, const ProjectFormat::DesignList &design);
void showDescription(TTranspList *list, const ProjectFormat::DesignDescription &design);
void showField(QLineEdit *edit, const ProjectFormat::DesignField &field);
void showTitle(QLabel *label, const ProjectFormat::DesignTitle &title);

// The strip's edge is the surface's to keep; align is the one it keeps to.
void showTools(TImage *image, const ProjectFormat::DesignTools &tools);

} // namespace ObjectViews
