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

} // namespace

qsizetype shapeRectanglesFitting(qint64 maxRequestBytes)
{
    const qint64 fitting = (maxRequestBytes - kShapeHeaderBytes) / kRectangleBytes;
    // Half: the region also goes out as a clip list with its own header.
    return qsizetype(qMax<qint64>(0, fitting / 2));
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
