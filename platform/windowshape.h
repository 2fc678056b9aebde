#pragma once

#include <QtGlobal>

namespace Platform {

// How many rectangles one window shape may have on this display. The X
// server takes a shape in a single request, and a request larger than its
// maximum closes the connection, ending the program; a shape with more
// rectangles must not be sent. Unlimited (-1) on displays without such a
// limit.
qsizetype maxWindowShapeRectangles();

// The rectangles that fit in a shape request of at most maxRequestBytes, and
// in the requests without the big-requests extension that carry the shape
// as a clip list when the window is painted.
qsizetype shapeRectanglesFitting(qint64 maxRequestBytes);

} // namespace Platform
