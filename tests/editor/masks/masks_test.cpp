#include "masks/masks.h"

#include "testsupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Masks;

TEST(SplitMasks, PiecesAreTrimmedStarredAndSorted)
{
    const struct {
        const char *text;
        bool addStars;
        QStringList expected;
    } cases[] = {
        {"", true, {"*"}},
        {"", false, {"*"}},
        {"setup", true, {"*setup*"}},
        {"Setup.EXE", true, {"setup.exe"}},
        {"a,b;;c", true, {"**", "*a*", "*b*", "*c*"}},
        {"a,b;;c", false, {"", "a", "b", "c"}},
        {" *.zip ; *.RAR;", true, {"*.rar", "*.zip"}},
        {"set?", true, {"set?*"}},
        {"inst*", true, {"inst*"}},
        {"b;a;b", false, {"a", "b", "b"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SplitMasks(QString::fromUtf8(c.text), c.addStars), c.expected) << c.text;
}

TEST(SplitMasks, CaseFlagKeepsLetters)
{
    EXPECT_EQ(SplitMasks(QStringLiteral("Setup.EXE"), true, Case::Keep), QStringList{"Setup.EXE"});
    EXPECT_EQ(SplitMasks(QStringLiteral("ŁÓDŹ"), false), QStringList{QStringLiteral("łódź")});
}

// Each row is matched in memory and, when not exact, also as the content of
// a file read in chunks of 1, 2, 3 and 7 bytes, so texts straddle chunk
// boundaries at every offset.
struct MaskCase {
    const char *name;
    const char *mask;
    bool exact;
    bool matches;
};

const MaskCase maskCases[] = {
    // plain masks
    {"setup.exe", "setup.exe", true, true},
    {"mysetup.exe", "setup.exe", true, false},
    {"mysetup.exe", "setup.exe", false, true},
    {"mysetup.exe", "*setup*", true, true},
    // stars and question marks
    {"a.zip", "*.zip", true, true},
    {"a.zip.bak", "*.zip", true, false},
    {"a.exe.exe", "*.exe", true, false}, // first occurrence only, no backtracking
    {"setup1.exe", "setup?.exe", true, true},
    {"setup.exe", "setup.ex?", true, true},
    {"setup.ex", "setup.ex?", true, false},
    {"setup.exe", "set*.exe", true, true},
    {"abc", "a?c", false, true},
    {"abc", "*?", false, true},
    {"", "?", false, false},
    // "*.*" wants a dot
    {"readme", "*.*", true, false},
    {"readme.", "*.*", true, true},
    // the empty piece of a mask text
    {"anything", "**", true, true},
    // an empty mask matches nothing; an empty name only a mask of stars
    {"abc", "", true, false},
    {"abc", "", false, false},
    {"", "", true, false},
    {"", "*", true, true},
    {"", "**", true, true},
    {"", "*.*", true, false},
    {"", "a", false, false},
    // comparisons are exact, character for character
    {"Setup.exe", "setup.exe", true, false},
    // straddling texts
    {"0123456789abcdefghij", "*9abcdef*", false, true},
    {"0123456789abcdefghij", "*fgh?j", false, true},
    {"0123456789abcdefghij", "*fgh", false, false},
    {"xxxxxxxxxxxxxxxxxxab", "*xab*", false, true},
};

TEST(MatchMask, TableOfCases)
{
    for (const MaskCase &c : maskCases) {
        EXPECT_EQ(MatchMask(QString::fromUtf8(c.name), QString::fromUtf8(c.mask), c.exact), c.matches)
            << c.name << " ~ " << c.mask << (c.exact ? " exact" : "");
        // The disk search's prepared matcher, which cuts the mask once.
        const MaskMatcher matcher({QString::fromUtf8(c.mask)});
        EXPECT_EQ(matcher.matchesLowerCase(QString::fromUtf8(c.name), c.exact), c.matches)
            << "prepared: " << c.name << " ~ " << c.mask;
    }
}

TEST(SearchFileText, ChunkedSearchAgreesWithTheTableAtEveryChunkSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("text.txt"));
    for (const MaskCase &c : maskCases) {
        if (c.exact || QByteArray(c.mask) == "*")
            continue; // "*" first in the list is answered without reading
        TestSupport::writeFile(path, QByteArray(c.name));
        for (const qint64 chunk : {1, 2, 3, 7}) {
            EXPECT_EQ(SearchFileText(path, {QString::fromUtf8(c.mask)}, chunk), c.matches)
                << c.name << " ~ " << c.mask << " chunk " << chunk;
        }
    }
}

TEST(SearchFileText, ContentIsLowerCasedWindows1250)
{
    QTemporaryDir dir;
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("opis.txt")),
                                                QByteArray("Gra \xA3" "AMIG\xA3\xD3WKA dla dzieci\r\n"));
    EXPECT_TRUE(SearchFileText(path, SplitMasks(QStringLiteral("łamigłówka"), true)));
    EXPECT_TRUE(SearchFileText(path, SplitMasks(QStringLiteral("zzz;DLA"), true)));
    EXPECT_FALSE(SearchFileText(path, SplitMasks(QStringLiteral("szachy"), true)));
}

TEST(SearchFileText, ListsAndFilesThatNeedNoReading)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_TRUE(SearchFileText(missing, {}));
    EXPECT_TRUE(SearchFileText(missing, {QStringLiteral("*"), QStringLiteral("*a*")}));
    EXPECT_FALSE(SearchFileText(missing, {QStringLiteral("*a*")}));
    EXPECT_FALSE(SearchFileText(dir.path(), {QStringLiteral("*a*")})); // a folder is no text

    const QString empty = TestSupport::writeFile(dir.filePath(QStringLiteral("empty.txt")), {});
    EXPECT_FALSE(SearchFileText(empty, {QStringLiteral("*a*")}));
    EXPECT_TRUE(SearchFileText(empty, {QStringLiteral("**")}));
}

TEST(MatchMaskList, AnyMaskInOrderWithTheCaseFlag)
{
    const QStringList masks = SplitMasks(QStringLiteral("install.exe;setup.exe;*.zip"), true);
    EXPECT_TRUE(MatchMaskList(QStringLiteral("SETUP.EXE"), masks, true));
    EXPECT_TRUE(MatchMaskList(QStringLiteral("Gry.ZIP"), masks, true));
    EXPECT_FALSE(MatchMaskList(QStringLiteral("mysetup.exe"), masks, true));
    EXPECT_FALSE(MatchMaskList(QStringLiteral("SETUP.EXE"), masks, true, Case::Keep));
    EXPECT_FALSE(MatchMaskList(QStringLiteral("setup.exe"), {}, true));
    EXPECT_FALSE(MatchMaskList(QString(), masks, true));
    EXPECT_TRUE(MatchMaskList(QString(), SplitMasks(QString(), true), true));
}

} // namespace
