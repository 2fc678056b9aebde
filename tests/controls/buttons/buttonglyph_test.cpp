#include "buttons/buttonglyph.h"
#include "testglyphs.h"

#include "colors.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

QRgb sysRgb(Platform::TColor color) { return Platform::toQColor(color).rgb(); }

struct GlyphFixture : ::testing::Test
{
    TGlyphUnit unit;
};

// The image a state draws, as the list holds it.
QImage cellOf(TButtonGlyph &glyph, TGlyphButtonState state)
{
    const int slot = glyph.makeStateImage(state);
    return slot < 0 ? QImage() : glyph.list()->image(slot);
}

const QList<QColor> kFiveFills = {Qt::blue, Qt::darkCyan, Qt::red, Qt::green, Qt::yellow};

} // namespace

TEST_F(GlyphFixture, AssignedStripSetsItsCellCount)
{
    struct Case { int width; int height; int previous; int expected; } cases[] = {
        {16, 16, 3, 1}, {64, 16, 1, 4}, {80, 16, 1, 5}, {96, 16, 3, 1},
        {20, 16, 3, 3}, // not a multiple of the height: stays as it was
    };
    for (const Case &c : cases) {
        TButtonGlyph glyph(unit);
        glyph.setCellCount(c.previous);
        QImage image(c.width, c.height, QImage::Format_RGB32);
        image.fill(Qt::white);
        glyph.assignGlyph(image);
        EXPECT_EQ(glyph.numGlyphs(), c.expected) << c.width << "x" << c.height;
    }
}

TEST_F(GlyphFixture, EachStateUsesItsOwnCellOfAFiveCellStrip)
{
    TButtonGlyph glyph(unit);
    glyph.assignGlyph(TestGlyphs::strip(kFiveFills));
    ASSERT_EQ(glyph.numGlyphs(), 5);
    for (int state = gsUp; state <= gsHot; ++state) {
        const QImage cell = cellOf(glyph, TGlyphButtonState(state));
        ASSERT_EQ(cell.size(), QSize(17, 17));
        EXPECT_EQ(cell.pixel(8, 8), QColor(kFiveFills[state]).rgb()) << "state " << state;
        EXPECT_EQ(qAlpha(cell.pixel(0, 0)), 0) << "olive is transparent";
        EXPECT_EQ(qAlpha(cell.pixel(16, 16)), 0) << "the extra row and column too";
    }
    EXPECT_EQ(glyph.list()->width(), 17);
    EXPECT_EQ(glyph.list()->height(), 17);
}

TEST_F(GlyphFixture, StatesWithoutACellShowCellZero)
{
    TButtonGlyph glyph(unit);
    glyph.assignGlyph(TestGlyphs::strip({Qt::blue, Qt::darkCyan}));
    for (TGlyphButtonState state : {gsDown, gsExclusive, gsHot}) {
        EXPECT_EQ(glyph.makeStateImage(state), glyph.makeStateImage(gsUp)) << int(state);
        EXPECT_EQ(glyph.slot(state), -1) << "cached in the slot of cell 0";
    }
    EXPECT_NE(glyph.makeStateImage(gsDisabled), glyph.makeStateImage(gsUp));
}

TEST_F(GlyphFixture, MissingDisabledCellIsEmbossed)
{
    TButtonGlyph glyph(unit);
    glyph.assignGlyph(TestGlyphs::single(Qt::blue));
    const QImage cell = cellOf(glyph, gsDisabled);
    const QRgb shadow = sysRgb(Platform::clBtnShadow);
    const QRgb highlight = sysRgb(Platform::clBtnHighlight);
    // Dark pixels (the frame and the blue square) become shadow...
    EXPECT_EQ(cell.pixel(3, 3), shadow);
    EXPECT_EQ(cell.pixel(8, 8), shadow);
    EXPECT_EQ(cell.pixel(12, 12), shadow);
    // ...with highlight one pixel right and down where no shadow covers it...
    EXPECT_EQ(cell.pixel(13, 13), highlight);
    EXPECT_EQ(cell.pixel(13, 5), highlight);
    EXPECT_EQ(cell.pixel(5, 13), highlight);
    // ...and the background and white pixels vanish.
    EXPECT_EQ(qAlpha(cell.pixel(13, 3)), 0);
    EXPECT_EQ(qAlpha(cell.pixel(1, 1)), 0);
    EXPECT_EQ(qAlpha(cell.pixel(14, 14)), 0);
}

TEST_F(GlyphFixture, OldDisabledStyleEmbossesTheBlackDrawing)
{
    TButtonGlyph glyph(unit);
    glyph.assignGlyph(TestGlyphs::single(Qt::blue));
    glyph.setOldDisabledStyle(true);
    const QImage cell = cellOf(glyph, gsDisabled);
    EXPECT_EQ(cell.pixel(3, 3), sysRgb(Platform::clBtnShadow)) << "black frame";
    EXPECT_EQ(cell.pixel(4, 4), sysRgb(Platform::clBtnHighlight)) << "inside the frame's corner";
    EXPECT_EQ(qAlpha(cell.pixel(8, 8)), 0) << "the blue fill is not black";
}

TEST_F(GlyphFixture, StripsOwnDisabledCellKeepsItsPicture)
{
    QImage strip = TestGlyphs::strip({Qt::blue, Qt::red});
    strip.setPixel(16 + 5, 5, qRgb(128, 128, 128));
    TButtonGlyph glyph(unit);
    glyph.assignGlyph(strip);
    const QImage cell = cellOf(glyph, gsDisabled);
    EXPECT_EQ(cell.pixel(8, 8), QColor(Qt::red).rgb());
    EXPECT_EQ(cell.pixel(13, 13), sysRgb(Platform::clBtnHighlight)) << "white";
    EXPECT_EQ(cell.pixel(5, 5), sysRgb(Platform::clBtnShadow)) << "grey";
    EXPECT_EQ(qAlpha(cell.pixel(0, 0)), 0);
}

TEST_F(GlyphFixture, EmptyGlyphMakesNoCell)
{
    TButtonGlyph glyph(unit);
    EXPECT_EQ(glyph.makeStateImage(gsUp), -1);
    EXPECT_EQ(glyph.list(), nullptr);
}

TEST_F(GlyphFixture, ButtonsOfOneCellSizeShareAListAndReuseSlots)
{
    {
        TButtonGlyph first(unit);
        TButtonGlyph second(unit);
        first.assignGlyph(TestGlyphs::single(Qt::blue));
        second.assignGlyph(TestGlyphs::strip({Qt::red, Qt::green}));
        const int firstSlot = first.makeStateImage(gsUp);
        second.makeStateImage(gsUp);
        ASSERT_EQ(first.list(), second.list());
        EXPECT_EQ(unit.cache->count(), 1);
        EXPECT_EQ(first.list()->useCount(), 2);

        // A new glyph frees the cells; the freed slot is used again.
        first.assignGlyph(TestGlyphs::single(Qt::yellow));
        EXPECT_EQ(second.list()->useCount(), 1);
        EXPECT_EQ(first.makeStateImage(gsUp), firstSlot);
        EXPECT_EQ(first.list()->count(), 2);
        EXPECT_EQ(first.list()->image(firstSlot).pixel(8, 8), QColor(Qt::yellow).rgb());
    }
    EXPECT_EQ(unit.cache, nullptr) << "the last glyph frees list and cache";
}

TEST_F(GlyphFixture, ListsAreKeptPerCellSize)
{
    TButtonGlyph small(unit);
    TButtonGlyph large(unit);
    small.assignGlyph(TestGlyphs::single(Qt::blue));
    QImage big(24, 24, QImage::Format_RGB32);
    big.fill(Qt::black);
    large.assignGlyph(big);
    small.makeStateImage(gsUp);
    large.makeStateImage(gsUp);
    EXPECT_NE(small.list(), large.list());
    EXPECT_EQ(unit.cache->count(), 2);
    large.freeCells();
    EXPECT_EQ(unit.cache->count(), 1) << "an unused list is released";
}

TEST(GlyphList, RejectsImagesSmallerThanItsCells)
{
    TGlyphList list(17, 17);
    QImage small(16, 17, QImage::Format_RGB32);
    small.fill(Qt::red);
    try {
        list.addMaskedCell(small, qRgb(0, 0, 0));
        FAIL() << "no exception";
    } catch (const EInvalidOperation &error) {
        EXPECT_STREQ(error.what(), "Invalid image size");
    }
    EXPECT_THROW(list.replaceMasked(5, QImage(17, 17, QImage::Format_RGB32), 0),
                 EInvalidOperation);
}

TEST(PushedPattern, IsACheckerboardStartingWithHighlight)
{
    TGlyphUnit unit;
    const QImage &pattern = pushedPattern(unit);
    ASSERT_EQ(pattern.size(), QSize(8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(pattern.pixel(x, y), sysRgb(x % 2 == y % 2 ? Platform::clBtnHighlight
                                                                 : Platform::clBtnFace));
    checkPushedPattern(unit);
    EXPECT_FALSE(unit.pushedPattern.isNull()) << "colours unchanged: kept";
    unit.patternFace = qRgb(1, 2, 3);
    checkPushedPattern(unit);
    EXPECT_TRUE(unit.pushedPattern.isNull());
}

// --- layout ---

struct LayoutCase
{
    const char *name;
    QSize client;
    int glyphWidth; // 0: no glyph
    TButtonLayout layout;
    int margin;
    int spacing;
    bool arrow;
    int offset;
    QPoint glyph;
    QPoint arrowAt;
};

TEST(GlyphLayout, PlacesGlyphAndArrowWithoutCaption)
{
    // Client rectangles start at (1, 1), as in a flat button.
    const LayoutCase cases[] = {
        {"centred by automatic margin", {21, 20}, 16, blGlyphLeft, -1, 4, false, 0, {4, 3}, {}},
        {"pushed", {21, 20}, 16, blGlyphLeft, -1, 4, false, 1, {5, 4}, {}},
        {"fixed margin", {21, 20}, 16, blGlyphLeft, 2, 4, false, 0, {3, 3}, {}},
        {"glyph right", {21, 20}, 16, blGlyphRight, 2, 4, false, 0, {4, 3}, {}},
        {"glyph top", {40, 40}, 16, blGlyphTop, 5, 4, false, 0, {13, 6}, {}},
        {"glyph bottom", {40, 40}, 16, blGlyphBottom, 5, 4, false, 0, {13, 20}, {}},
        {"top, automatic", {40, 40}, 16, blGlyphTop, -1, 4, false, 0, {13, 13}, {}},
        {"arrow after glyph", {40, 20}, 16, blGlyphLeft, -1, 4, true, 0, {9, 3}, {25, 9}},
        {"arrow, glyph right", {40, 20}, 16, blGlyphRight, 3, 4, true, 0, {13, 3}, {29, 9}},
        {"arrow under vertical", {40, 40}, 16, blGlyphTop, 2, 4, true, 0, {9, 3}, {25, 9}},
    };
    TGlyphUnit unit;
    const QFontMetrics metrics(QFont{});
    for (const LayoutCase &c : cases) {
        TButtonGlyph glyph(unit);
        if (c.glyphWidth)
            glyph.assignGlyph(TestGlyphs::single(Qt::blue));
        TGlyphDrawOptions options;
        options.layout = c.layout;
        options.margin = c.margin;
        options.spacing = c.spacing;
        options.drawArrow = c.arrow;
        const TGlyphLayout result = glyph.calcLayout(metrics, QRect(QPoint(1, 1), c.client),
                                                     c.offset, options);
        EXPECT_EQ(result.glyph, c.glyph) << c.name;
        if (c.arrow) {
            EXPECT_EQ(result.arrow, c.arrowAt) << c.name;
        }
        EXPECT_TRUE(result.text.isNull()) << c.name;
    }
}

TEST(GlyphLayout, PlacesCaptionBesideTheGlyph)
{
    TGlyphUnit unit;
    TButtonGlyph glyph(unit);
    glyph.assignGlyph(TestGlyphs::single(Qt::blue));
    const QFontMetrics metrics(QFont{});
    const QString caption = QStringLiteral("Open");
    const QSize text = metrics.boundingRect(QRect(0, 0, 1000, 0), Qt::TextSingleLine, caption).size();
    const int tw = text.width();
    const int th = text.height();
    const QRect client(0, 0, 100, 60);

    struct Case { const char *name; TButtonLayout layout; int margin; int spacing; QPoint glyph; QPoint textAt; };
    const int autoMargin = (100 - 16 - tw) / 3; // margin and spacing both automatic
    const Case cases[] = {
        {"left, fixed", blGlyphLeft, 2, 3, {2, 22}, {21, (60 - th + 1) / 2}},
        {"left, automatic", blGlyphLeft, -1, -1, {autoMargin, 22}, {2 * autoMargin + 16, (60 - th + 1) / 2}},
        {"left, automatic margin", blGlyphLeft, -1, 4, {(100 - 20 - tw + 1) / 2, 22},
         {(100 - 20 - tw + 1) / 2 + 20, (60 - th + 1) / 2}},
        {"left, automatic spacing", blGlyphLeft, 2, -1, {2, 22}, {18 + (82 - tw) / 2, (60 - th + 1) / 2}},
        {"right, fixed", blGlyphRight, 2, 3, {82, 22}, {79 - tw, (60 - th + 1) / 2}},
        {"top, fixed", blGlyphTop, 2, 3, {42, 2}, {(100 - tw + 1) / 2, 21}},
        {"bottom, fixed", blGlyphBottom, 2, 3, {42, 42}, {(100 - tw + 1) / 2, 39 - th}},
    };
    for (const Case &c : cases) {
        TGlyphDrawOptions options;
        options.caption = caption;
        options.layout = c.layout;
        options.margin = c.margin;
        options.spacing = c.spacing;
        const TGlyphLayout result = glyph.calcLayout(metrics, client, 0, options);
        EXPECT_EQ(result.glyph, c.glyph) << c.name;
        EXPECT_EQ(result.text, QRect(c.textAt, QSize(tw, th))) << c.name;
    }
}

TEST(GlyphLayout, VerticalLayoutWithoutGlyphActsAsGlyphLeft)
{
    TGlyphUnit unit;
    TButtonGlyph glyph(unit);
    const QFontMetrics metrics(QFont{});
    TGlyphDrawOptions options;
    options.caption = QStringLiteral("Text");
    options.layout = blGlyphBottom;
    options.margin = 3;
    const TGlyphLayout result = glyph.calcLayout(metrics, QRect(0, 0, 100, 40), 0, options);
    EXPECT_EQ(result.text.left(), 3);
}
