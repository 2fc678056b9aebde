#include <fileidentity.h>
#include <testsupport.h>

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SameFile, NamesOfOneFileAndNamesOfOthers)
{
    QTemporaryDir dir;
    const QString file = TestSupport::writeFile(dir.filePath("a/PLIK.TXT"), "x");
    const QString other = TestSupport::writeFile(dir.filePath("a/plik.txt"), "x");
    ASSERT_TRUE(QFile::link(file, dir.filePath("link")));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("broken")));
    const struct {
        const char *name;
        QString a;
        QString b;
        bool same;
    } rows[] = {
        {"one name", file, file, true},
        {"through a folder step", file, dir.filePath("a/../a/PLIK.TXT"), true},
        {"a link to it", file, dir.filePath("link"), true},
        {"another file of the same bytes", file, other, false},
        {"one name leads nowhere", file, dir.filePath("a/BRAK.TXT"), false},
        {"a broken link and its target's name", dir.filePath("broken"), dir.filePath("nowhere"), false},
        {"one missing name twice", dir.filePath("a/BRAK.TXT"), dir.filePath("a/./BRAK.TXT"), true},
        {"two missing names", dir.filePath("a/BRAK.TXT"), dir.filePath("a/INNY.TXT"), false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Platform::sameFile(row.a, row.b), row.same) << row.name;

    const Platform::PathLook broken = Platform::lookAt(dir.filePath("broken"));
    EXPECT_TRUE(broken.taken && broken.link && !broken.resolved);
    EXPECT_TRUE(Platform::lookAt(dir.filePath("link")).isRegular());
    EXPECT_TRUE(Platform::lookAt(dir.filePath("a")).isDir());
    EXPECT_FALSE(Platform::lookAt(dir.filePath("nowhere")).taken);
}
