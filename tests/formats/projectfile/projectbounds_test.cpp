#include <projectfile/projectformat.h>
#include <testsupport.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ProjectFormat;

namespace {

// Positions and sizes as a project may hold them, written by hand or by a
// hostile author.
QRect boundsOf(const QTemporaryDir &dir, const QByteArray &left, const QByteArray &top, const QByteArray &width,
               const QByteArray &height)
{
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("MENU.INI")),
                                                "[LEFT]\r\n1001=" + left + "\r\n[TOP]\r\n1001=" + top
                                                    + "\r\n[WIDTH]\r\n1001=" + width + "\r\n[HEIGHT]\r\n1001="
                                                    + height + "\r\n");
    const Platform::ProfileFile file(path);
    return ProjectValues(file, Reader::Runtime, dir.path()).bounds(1001);
}

} // namespace

// Every number lands in a range a screen can hold, so the right and bottom
// edges are computed without overflow and no object costs gigabytes.
TEST(ProjectBoundsTest, NumbersAreClampedToWhatAScreenHolds)
{
    QTemporaryDir dir;
    const struct {
        const char *left, *top, *width, *height;
        QRect expected;
    } cases[] = {
        {"10", "20", "30", "40", QRect(10, 20, 30, 40)},
        {"2147483647", "2147483647", "2147483647", "2147483647", QRect(16384, 16384, 8192, 8192)},
        {"-2147483648", "-2147483648", "-2147483648", "-2147483648", QRect(-16384, -16384, 0, 0)},
        {"$7FFFFFFF", "0x80000000", "100000", "8192", QRect(16384, -16384, 8192, 8192)},
        {"16384", "-16384", "8193", "-1", QRect(16384, -16384, 8192, 0)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.left) + " " + c.top + " " + c.width + " " + c.height);
        const QRect bounds = boundsOf(dir, c.left, c.top, c.width, c.height);
        EXPECT_EQ(bounds, c.expected);
        EXPECT_EQ(bounds.right(), c.expected.x() + c.expected.width() - 1);
    }
}

TEST(ProjectBoundsTest, TheWindowSizeIsClampedAlike)
{
    QTemporaryDir dir;
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("MENU.INI")),
                                                "[WINDOW]\r\nWIDTH=100000\r\nHEIGHT=-5\r\n");
    const Platform::ProfileFile file(path);
    EXPECT_EQ(ProjectValues(file, Reader::Runtime, dir.path()).windowSize(), QSize(8192, 0));
    const Platform::ProfileFile empty(dir.filePath(QStringLiteral("NONE.INI")));
    EXPECT_EQ(ProjectValues(empty, Reader::Runtime, dir.path()).windowSize(), QSize(640, 480));
}
