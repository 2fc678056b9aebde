#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace Platform {
class ProfileFile;
}

// The designer's tool windows (the assistant, the undo history) keep their
// place in a section of the settings file and may stay on top.
namespace ToolWindows {

// Where section says, else defaultSize at the screen's right edge, just
// below the main window.
void place(QWidget &window, const Platform::ProfileFile &cfg, const QString &section, QSize defaultSize,
           int mainWindowHeight);
// The window's place into section.
void savePlace(const QWidget &window, Platform::ProfileFile &cfg, const QString &section);

bool staysOnTop(const QWidget &window);
// A shown window is shown again, since changing the flag hides it.
void setStaysOnTop(QWidget &window, bool onTop);

} // namespace ToolWindows
