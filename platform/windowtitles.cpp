#include "windowtitles.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace Platform {
namespace {

// Where a window keeps the title the desktop was given.
constexpr char DesktopTitleProperty[] = "kalvoraDesktopTitle";

#if QT_CONFIG(xcb)
xcb_atom_t atomNamed(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, false, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

// The name window managers and task bars show (_NET_WM_NAME), where Qt puts
// its display name too; WM_NAME keeps the caption.
void showOnX11(QWindow &window, const QString &title)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static const xcb_atom_t name = atomNamed(connection, "_NET_WM_NAME");
    static const xcb_atom_t utf8 = atomNamed(connection, "UTF8_STRING");
    const QByteArray bytes = title.toUtf8();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), name, utf8, 8,
                        uint32_t(bytes.size()), bytes.constData());
    xcb_flush(connection);
}
#endif

// Gives every window its desktop title: when it is shown (a window made
// anew has only its caption), when its caption changes, and when the
// application title does. Qt's own display name would do the first two,
// but refreshes no open window and cannot leave a caption alone.
class WindowTitles : public QObject
{
public:
    static WindowTitles &instance()
    {
        static auto *titles = new WindowTitles(qApp);
        return *titles;
    }

    void set(const QString &title, const QString &programName)
    {
        m_title = title;
        m_programName = programName;
        for (QWidget *window : QApplication::topLevelWidgets())
            retitle(window);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::WindowTitleChange) && watched->isWidgetType())
            retitle(static_cast<QWidget *>(watched));
        return false;
    }

private:
    explicit WindowTitles(QObject *parent)
        : QObject(parent)
    {
        qApp->installEventFilter(this);
    }

    void retitle(QWidget *widget) const
    {
        // Only a window that stands on the desktop; the rest waits for its
        // showing.
        QWindow *window = widget->isWindow() ? widget->windowHandle() : nullptr;
        if (!window || !window->handle())
            return;
        const QString title = desktopTitle(widget->windowTitle(), m_title, m_programName);
        widget->setProperty(DesktopTitleProperty, title);
#if QT_CONFIG(xcb)
        // Without a title of its own a window keeps the name Qt gives it.
        if (!title.isEmpty())
            showOnX11(*window, title);
#endif
    }

    QString m_title;
    QString m_programName;
};

} // namespace

void setApplicationTitle(const QString &title, const QString &programName)
{
    WindowTitles::instance().set(title, programName);
}

QString desktopTitle(const QString &caption, const QString &applicationTitle, const QString &programName)
{
    if (caption.isEmpty())
        return applicationTitle;
    if (applicationTitle.isEmpty() || (!programName.isEmpty() && caption.startsWith(programName)))
        return caption;
    return caption + QStringLiteral(" — ") + applicationTitle;
}

QString desktopTitleOf(const QWidget &window)
{
    const QVariant given = window.property(DesktopTitleProperty);
    return given.isValid() ? given.toString() : window.windowTitle();
}

} // namespace Platform
