#include <alignment/alignment.h>

#include <QDebug>

#include <gtest/gtest.h>

using namespace Alignment;

namespace {

std::string text(const QList<QRect> &bounds)
{
    QString out;
    for (const QRect &r : bounds)
        out += QStringLiteral("(%1,%2 %3x%4) ").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
    return out.toStdString();
}

Choices choose(Edge edge, Size size, Spacing spacing, bool vertically = false, bool horizontally = false)
{
    return {edge, size, spacing, vertically, horizontally};
}

} // namespace

TEST(Alignment, LinesUpEdgesSizesSpacingAndCentresInOnePass)
{
    const QSize area(640, 480);
    const struct {
        const char *name;
        QList<QRect> given;
        Choices choices;
        QList<QRect> expected;
        QList<int> order; // empty: not looked at
    } cases[] = {
        {"one control, left edges: nothing moves",
         {QRect(10, 20, 30, 40)},
         choose(Edge::Left, Size::Unchanged, Spacing::Unchanged),
         {QRect(10, 20, 30, 40)},
         {0}},
        {"two controls with spacing: nothing moves",
         {QRect(10, 10, 40, 20), QRect(100, 50, 80, 20)},
         choose(Edge::Unchanged, Size::Unchanged, Spacing::Horizontal),
         {QRect(10, 10, 40, 20), QRect(100, 50, 80, 20)},
         {0, 1}},
        // The gap is measured after the widths have grown: 100 - 10 - 80.
        {"top edges, widest, horizontal: gaps 10 and 10",
         {QRect(300, 40, 40, 20), QRect(10, 5, 40, 20), QRect(100, 20, 80, 30)},
         choose(Edge::Top, Size::Widest, Spacing::Horizontal),
         {QRect(190, 5, 80, 20), QRect(10, 5, 80, 20), QRect(100, 5, 80, 30)},
         {1, 2, 0}},
        // After the right edges C lies left of B: each is placed once, in
        // the order of the new positions.
        {"right edges, horizontal: each control once",
         {QRect(0, 0, 100, 10), QRect(55, 20, 10, 10), QRect(60, 40, 50, 10)},
         choose(Edge::Right, Size::Unchanged, Spacing::Horizontal),
         {QRect(0, 0, 100, 10), QRect(50, 20, 10, 10), QRect(50, 40, 50, 10)},
         {0, 1, 2}},
        {"tops -10, -5, 3: the edges follow the topmost",
         {QRect(30, 3, 10, 10), QRect(10, -10, 10, 10), QRect(20, -5, 10, 10)},
         choose(Edge::Left, Size::Unchanged, Spacing::Unchanged),
         {QRect(10, 3, 10, 10), QRect(10, -10, 10, 10), QRect(10, -5, 10, 10)},
         {1, 2, 0}},
        {"equal tops: the first given leads",
         {QRect(40, 5, 10, 10), QRect(10, 5, 10, 10)},
         choose(Edge::Left, Size::Unchanged, Spacing::Unchanged),
         {QRect(40, 5, 10, 10), QRect(40, 5, 10, 10)},
         {0, 1}},
        {"vertical spacing by top",
         {QRect(0, 200, 10, 10), QRect(0, 0, 10, 20), QRect(0, 50, 10, 30)},
         choose(Edge::Unchanged, Size::Unchanged, Spacing::Vertical),
         {QRect(0, 110, 10, 10), QRect(0, 0, 10, 20), QRect(0, 50, 10, 30)},
         {1, 2, 0}},
        {"narrowest and lowest",
         {QRect(0, 0, 30, 20), QRect(50, 0, 10, 40)},
         choose(Edge::Bottom, Size::Lowest, Spacing::Unchanged),
         {QRect(0, 0, 30, 20), QRect(50, 0, 10, 20)},
         {}},
        {"bottom edges after the tallest",
         {QRect(0, 0, 30, 20), QRect(50, 10, 10, 40)},
         choose(Edge::Bottom, Size::Tallest, Spacing::Unchanged),
         {QRect(0, 0, 30, 40), QRect(50, 0, 10, 40)},
         {}},
        {"narrowest",
         {QRect(0, 0, 30, 20), QRect(50, 10, 10, 40)},
         choose(Edge::Unchanged, Size::Narrowest, Spacing::Unchanged),
         {QRect(0, 0, 10, 20), QRect(50, 10, 10, 40)},
         {}},
        {"centred both ways: the union's centre at (320, 240)",
         {QRect(10, 10, 40, 20), QRect(100, 60, 60, 40)},
         choose(Edge::Unchanged, Size::Unchanged, Spacing::Unchanged, true, true),
         {QRect(245, 195, 40, 20), QRect(335, 245, 60, 40)},
         {}},
        {"wider than the window: the half truncated toward zero",
         {QRect(30, 7, 651, 10)},
         choose(Edge::Unchanged, Size::Unchanged, Spacing::Unchanged, false, true),
         {QRect(-5, 7, 651, 10)},
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const Result result = align(c.given, c.choices, area);
        EXPECT_EQ(text(result.bounds), text(c.expected));
        if (!c.order.isEmpty()) {
            EXPECT_EQ(result.order, c.order);
        }
    }
}
