#pragma once

#include <QString>

class QWidget;

namespace Platform {

// The desktop names a program by its application title, which the designer
// changes with the project ("Dodorurav 2.1 -> " and the CD's title). The
// title the desktop shows for each window carries it after the window's own
// caption, and a change reaches every open window at once. The caption
// itself stays: a widget's windowTitle(), and the window's name that tools
// look windows up by (the X window's WM_NAME, as with Qt's display name).
//
// A caption that begins with the program's own name already says whose
// window it is (its main window, message boxes, about box) and stands
// alone: the name is not shown twice.
void setApplicationTitle(const QString &title, const QString &programName);

// The title the desktop shows for a window of that caption.
QString desktopTitle(const QString &caption, const QString &applicationTitle, const QString &programName);

// The title the desktop was given for window; its caption until an
// application title is set.
QString desktopTitleOf(const QWidget &window);

} // namespace Platform
