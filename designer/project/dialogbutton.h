#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A push button of a designer dialog, named as the tests and the hint
// window know it. It never becomes the default button by taking the focus,
// so Enter stays with the dialog's OK.
QPushButton *dialogButton(const QString &name, const QString &caption, QWidget *parent);
QPushButton *dialogButton(const QString &name, const QString &caption, const QString &hint, QWidget *parent);
