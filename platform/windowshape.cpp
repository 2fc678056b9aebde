#include "windowshape.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace Platform {
namespace {

// A shape request: 16 bytes of header, then 8 bytes per rectangle.
constexpr qint64 kShapeHeaderBytes = 16;
constexpr qint64 kRectangleBytes = 8;
// The largest request without the big-requests extension (65535 units of
// four bytes). Qt sends the shape as clip lists of this size when it paints
// the window; a window with a longer list stays unpainted.
constexpr qint64 kClassicRequestBytes = 65535 * 4;

} // namespace

qsizetype shapeRectanglesFitting(qint64 maxRequestBytes)
{
    const qint64 bytes = qMin(maxRequestBytes, kClassicRequestBytes);
    return qsizetype(qMax<qint64>(0, (bytes - kShapeHeaderBytes) / kRectangleBytes));
}

qsizetype maxWindowShapeRectangles()
{
#if QT_CONFIG(xcb)
    if (const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (xcb_connection_t *connection = x11->connection()) {
            // In units of four bytes, with the big-requests extension counted.
            return shapeRectanglesFitting(qint64(xcb_get_maximum_request_length(connection)) * 4);
        }
    }
#endif
    return -1;
}

} // namespace Platform
