#include <windowshape.h>

#include <gtest/gtest.h>

using Platform::shapeRectanglesFitting;

// A shape request larger than the X server's maximum closes the connection;
// the count must keep the request (and the clip list sent with it) inside.
TEST(WindowShapeTest, RectanglesFitTheServersLargestRequest)
{
    struct Case {
        const char *display;
        qint64 maxRequestBytes;
    };
    const Case cases[] = {
        {"big requests (Xvfb, Xorg)", 4194303LL * 4},
        {"no big requests", 65535LL * 4},
        {"tiny", 64},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.display);
        const qint64 count = shapeRectanglesFitting(c.maxRequestBytes);
        EXPECT_GT(count, 0);
        EXPECT_LE(16 + 8 * count * 2, c.maxRequestBytes);
    }
    EXPECT_EQ(shapeRectanglesFitting(4194303LL * 4), 1048574);
    EXPECT_EQ(shapeRectanglesFitting(8), 0);
}
