#pragma once

#include <colors.h>

#include <QString>

class QWidget;
class TMenuButton;

// What the runtime's dialogs share in their look.
namespace DialogStyle {

// A dialog button of the usual size.
TMenuButton *button(QWidget *parent, const QString &name, const QString &caption);

// The window's colour behind the dialog and the font colour on each of
// widgets.
void paint(QWidget *dialog, Platform::TColor color, Platform::TColor fontColor, std::initializer_list<QWidget *> widgets);

} // namespace DialogStyle
