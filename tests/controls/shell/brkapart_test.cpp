#include <shell/brkapart.h>

#include <gtest/gtest.h>

TEST(BrkApart, SplitsAtTheSeparator)
{
    const struct {
        const char *text;
        const char *separator;
        bool allowEmpty;
        QStringList pieces;
    } cases[] = {
        {"a##b", "#", false, {"a", "b"}},
        {"a##b", "#", true, {"a", "", "b"}},
        {"a#b#", "#", false, {"a", "b"}},
        {"a#b#", "#", true, {"a", "b", ""}},
        {"#a", "#", true, {"", "a"}},
        {"a, b,,c", ",", false, {"a", " b", "c"}},
        {"one<->two", "<->", false, {"one", "two"}},
        {"whole text", "", false, {"whole text"}},
        {"", "#", false, {}},
        {"", "#", true, {""}},
    };
    TBrkApart brk;
    brk.setStringList({QStringLiteral("left over")});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        brk.setBaseString(QString::fromUtf8(c.text));
        brk.setBreakString(QString::fromUtf8(c.separator));
        brk.setAllowEmptyString(c.allowEmpty);
        brk.execute();
        EXPECT_EQ(brk.stringList(), c.pieces);
    }
}
