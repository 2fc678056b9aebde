#include "filenames/filenames.h"

#include <gtest/gtest.h>

namespace {

TEST(LastPos, FindsTheLastOccurrence)
{
    const struct {
        const char *subStr;
        const char *s;
        int expected;
    } cases[] = {
        {".", "archive.tar.gz", 12},
        {".", ".profile", 1}, // the only dot is the first character
        {"ab", "abxab", 4},
        {"aa", "aaa", 2},     // overlapping: the last start wins
        {"x", "abc", 0},
        {"abcd", "abc", 0},   // longer than the text
        {"", "abc", 0},
        {"a", "", 0},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LastPos(QString::fromUtf8(c.subStr), QString::fromUtf8(c.s)), c.expected)
            << c.subStr << " in " << c.s;
        const char *found = StrLastPos(c.s, c.subStr);
        EXPECT_EQ(found ? int(found - c.s) + 1 : 0, c.expected) << c.subStr << " in " << c.s;
    }
    EXPECT_EQ(StrLastPos(nullptr, "a"), nullptr);
}

TEST(ChangeExtension, ChangesOnlyTheLastSuffixOfTheName)
{
    const struct {
        const char *fileName;
        bool keepPath;
        const char *expected;
    } cases[] = {
        {"SETUP.EXE", true, "SETUP.lnk"},
        {"archive.tar.gz", true, "archive.tar.lnk"},
        {"README", true, "README.lnk"},                       // no dot: appended
        {".profile", true, ".profile.lnk"},                   // a leading dot is part of the name
        {"/home/u/.config/app", true, "/home/u/.config/app.lnk"}, // a dot in a folder never counts
        {"/home/u/.config/app", false, "app.lnk"},
        {"/opt/kalvora-2.1/bin/orvanta", true, "/opt/kalvora-2.1/bin/orvanta.lnk"},
        {"C:\\GRY.V2\\SETUP", true, "C:\\GRY.V2\\SETUP.lnk"},
        {"C:\\GRY.V2\\SETUP.EXE", false, "SETUP.lnk"},
        {"/tmp/name.", true, "/tmp/name.lnk"},
        {"/tmp/dir/", true, "/tmp/dir/.lnk"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ChangeExtension(QString::fromUtf8(c.fileName), QStringLiteral("lnk"), c.keepPath),
                  QString::fromUtf8(c.expected))
            << c.fileName;
    }
}

} // namespace
