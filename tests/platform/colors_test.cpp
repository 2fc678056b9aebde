#include <colors.h>

#include <gtest/gtest.h>

using namespace Platform;

TEST(Colors, NamesAndNumbersRead)
{
    const struct {
        const char *text;
        TColor expected;
    } cases[] = {
        {"clBlack", clBlack},   {"clYellow", clYellow},   {"CLYELLOW", clYellow},
        {"clWINDOW", clWindow}, {"clBtnText", clBtnText}, {"clInfoBk", clInfoBk},
        {"clGREEN", clGreen},   {"clLtGray", clSilver},   {"$00123456", 0x123456},
        {"$80000005", clWindow}, {"255", clRed},           {"-2147483643", clWindow},
        {" clRed ", clRed},     {"0x0000FF", clRed},      {"clNone", clNone},
    };
    for (const auto &c : cases) {
        const auto color = colorFromString(QLatin1String(c.text));
        ASSERT_TRUE(color.has_value()) << c.text;
        EXPECT_EQ(*color, c.expected) << c.text;
    }
}

TEST(Colors, OtherTextIsNoColour)
{
    for (const char *text : {"", "clPink", "red", "$", "$XYZ", "12abc", "$1FFFFFFFF", "clBlack2"}) {
        EXPECT_FALSE(colorFromString(QLatin1String(text)).has_value()) << text;
        EXPECT_EQ(stringToColor(QLatin1String(text), clAqua), clAqua) << text;
    }
}

TEST(Colors, WrittenBackAsRead)
{
    for (const char *text : {"clBlack", "clWindow", "clBtnText", "clInfoBk", "$00123456", "$00ABCDEF",
                             "clGray", "clSilver", "cl3DDkShadow"}) {
        EXPECT_EQ(colorToString(*colorFromString(QLatin1String(text))), QLatin1String(text));
    }
    // Another spelling of a name is written in the name's own spelling.
    EXPECT_EQ(colorToString(*colorFromString(QStringLiteral("clWINDOW"))), QStringLiteral("clWindow"));
}

TEST(Colors, SystemColoursPaintInTheClassicScheme)
{
    EXPECT_EQ(toQColor(clWindow), QColor(255, 255, 255));
    EXPECT_EQ(toQColor(clBtnText), QColor(0, 0, 0));
    EXPECT_EQ(toQColor(clInfoBk), QColor(255, 255, 225));
    EXPECT_EQ(toQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0x00332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(fromQColor(QColor(0x11, 0x22, 0x33)), 0x00332211);
    EXPECT_EQ(toQColor(systemColor(SystemColorIndex(200))), QColor(0, 0, 0)); // no such index
}
