#include "project/dialogbutton.h"

#include <QPushButton>

QPushButton *dialogButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QPushButton *dialogButton(const QString &name, const QString &caption, const QString &hint, QWidget *parent)
{
    QPushButton *button = dialogButton(name, caption, parent);
    button->setToolTip(hint);
    return button;
}
