#include "toolwindows.h"

#include "generatorconfig.h"

#include <profilefile.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ToolWindows {

void place(QWidget &window, const Platform::ProfileFile &cfg, const QString &section, QSize defaultSize,
           int mainWindowHeight)
{
    const WindowPlacement stored = readWindowPlacement(cfg, section);
    const int width = stored.width.value_or(defaultSize.width());
    const int height = stored.height.value_or(defaultSize.height());
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    window.resize(width, height);
    window.move(stored.left.value_or(screenWidth - width), stored.top.value_or(mainWindowHeight));
}

void savePlace(const QWidget &window, Platform::ProfileFile &cfg, const QString &section)
{
    writeWindowPlacement(cfg, section, window.width(), window.height(), window.y(), window.x());
}

bool staysOnTop(const QWidget &window)
{
    return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void setStaysOnTop(QWidget &window, bool onTop)
{
    const bool wasVisible = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible)
        window.show();
}

} // namespace ToolWindows
