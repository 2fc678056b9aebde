#include "dialogstyle.h"

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>

#include <QWidget>

namespace DialogStyle {

TMenuButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new TMenuButton(parent);
    button->setObjectName(name);
    button->setCaption(caption);
    button->setFixedSize(80, 25);
    return button;
}

void paint(QWidget *dialog, Platform::TColor color, Platform::TColor fontColor, std::initializer_list<QWidget *> widgets)
{
    // Only the window's own colour: edits and lists keep theirs.
    MenuObjects::setColorRole(dialog, QPalette::Window, color);
    dialog->setAutoFillBackground(true);
    for (QWidget *widget : widgets)
        MenuObjects::setFontColor(widget, fontColor);
}

} // namespace DialogStyle
