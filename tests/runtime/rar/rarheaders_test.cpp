// The RAR header walker on its own: the compact Unicode name form, and
// damaged archives, which end the walk without reading outside.

#include "rarbuilder.h"
#include "rarheaders.h"
#include "zipsource.h"

#include <gtest/gtest.h>

#include <string>

using RarFormat::HeaderWalker;

// Commands: 0 low byte, 1 low byte with the high byte, 2 full character,
// 3 a run copied from the OEM name (with or without a correction).
TEST(RarHeaderWalker, DecodesEveryCompactUnicodeCommand)
{
    struct Case
    {
        const char *label;
        std::string raw;
        std::string expected;
    };
    const std::string oem = "zolc";
    const std::vector<Case> cases = {
        {"low bytes", oem + '\0' + std::string("\x00\x00zolc", 6), "zolc"},
        {"high byte", oem + '\0' + std::string("\x01\x55\x7C\x01\x7A", 5), "\xC5\xBC\xC4\x81\xC5\xBA"},
        {"full", oem + '\0' + std::string("\x00\x80\x7C\x01", 4), "\xC5\xBC"},
        {"run", oem + '\0' + std::string("\x00\xC0\x02", 3), "zolc"},
        {"run with correction", std::string("ABCD") + '\0' + std::string("\x01\xC0\x82\x20", 4), "\xC5\xA1\xC5\xA2\xC5\xA3\xC5\xA4"},
        {"no zero: UTF-8", "a\xC5\xBC", "a\xC5\xBC"},
        {"cut short: the OEM name", oem + '\0' + std::string("\x00\x80\x7C", 3), "zolc"},
        {"folders", std::string("a\\b"), "a\\b"},
        {"slashes", std::string("a/b"), "a\\b"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(RarFormat::decodeRar4Name(c.raw, true, RarFormat::Win32), c.expected);
    }
    EXPECT_EQ(RarFormat::decodeRar4Name("\xBE", false, RarFormat::Win32), "\xC5\xBC");
    EXPECT_EQ(RarFormat::decodeRar4Name("\xC5\xBC", false, RarFormat::Unix), "\xC5\xBC");
}

// Every prefix and every single-byte change of a valid archive walks to an
// end or a break, never past the bytes it has.
TEST(RarHeaderWalker, DamagedArchivesEndTheWalk)
{
    const QList<RarBuilder::Item> items = {{.name = "dir", .folder = true},
                                           {.name = "dir\\file.txt", .data = "contents"},
                                           {.name = "second.txt", .data = "2"}};
    for (const QByteArray &bytes : {RarBuilder::rar4(items), RarBuilder::rar5(items)}) {
        for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
            for (int flip = -1; flip < (cut < 64 ? int(cut) : 0); ++flip) {
                std::string damaged(bytes.constData(), std::size_t(cut));
                if (flip >= 0)
                    damaged[std::size_t(flip)] = char(damaged[std::size_t(flip)] ^ 0x5A);
                const ZipFormat::MemorySource source(damaged);
                HeaderWalker walker(source);
                if (walker.open() != HeaderWalker::Status::Ok)
                    continue;
                RarFormat::Entry entry;
                int entries = 0;
                HeaderWalker::Status status;
                while ((status = walker.next(entry)) == HeaderWalker::Status::Ok) {
                    ++entries;
                    EXPECT_LE(entry.dataOffset + std::int64_t(entry.packedSize), std::int64_t(damaged.size()));
                }
                EXPECT_LE(entries, 3);
                if (cut == bytes.size() && flip < 0) {
                    EXPECT_EQ(entries, 3);
                    EXPECT_EQ(status, HeaderWalker::Status::End);
                }
            }
        }
    }
}
