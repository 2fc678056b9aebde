#include <windowshape.h>

#include <gtest/gtest.h>

using Platform::shapeRectanglesFitting;

// A shape request larger than the X server's maximum closes the connection,
// and a window whose shape needs more than a request without big requests
// holds stays unpainted: the count keeps within both.
TEST(WindowShapeTest, RectanglesFitTheServersRequests)
{
    struct Case {
        const char *display;
        qint64 maxRequestBytes;
        qsizetype expected;
    };
    const Case cases[] = {
        {"big requests (Xvfb, Xorg)", 4194303LL * 4, 32765},
        {"no big requests", 65535LL * 4, 32765},
        {"small server", 1024, 126},
        {"no room", 8, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.display);
        const qsizetype count = shapeRectanglesFitting(c.maxRequestBytes);
        EXPECT_EQ(count, c.expected);
        if (count > 0) {
            EXPECT_LE(16 + 8 * qint64(count), qMin<qint64>(c.maxRequestBytes, 65535LL * 4));
        }
    }
}
