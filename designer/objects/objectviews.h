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
// property. A property lives in the entry, never in the widget: the *Of
// functions read what a widget shows only to check it against the design.
namespace ObjectViews {

ProjectFormat::FontSpec fontOf(const QWidget *object);
void showFont(QWidget *object, const ProjectFormat::FontSpec &font);

// A key's own values; the files of a key live in the designer's lists.
ProjectFormat::DesignKey keyOf(const TMenuButton *button);
void showKey(TMenuButton *button, const ProjectFormat::DesignKey &key);

ProjectFormat::DesignList listOf(const TTranspList *list);
void showList(TTranspList *list, const ProjectFormat::DesignList &design);

ProjectFormat::DesignDescription descriptionOf(const TTranspList *list);
void showDescription(TTranspList *list, const ProjectFormat::DesignDescription &design);

ProjectFormat::DesignField fieldOf(const QLineEdit *edit);
void showField(QLineEdit *edit, const ProjectFormat::DesignField &field);

ProjectFormat::DesignTitle titleOf(const QLabel *label);
void showTitle(QLabel *label, const ProjectFormat::DesignTitle &title);

// The strip's edge is the surface's to keep; align is the one it keeps to.
ProjectFormat::DesignTools toolsOf(const TImage *image, int align);
void showTools(TImage *image, const ProjectFormat::DesignTools &tools);

} // namespace ObjectViews
