#include <filelist/filelistview.h>
#include <registry.h>
#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

QStringList captions(const TFileListView &list)
{
    QStringList names;
    for (const FileEntry &entry : list.model()->entries())
        names << entry.caption;
    return names;
}

FileEntry fileAt(const QString &caption, qint64 size, const QDateTime &modified)
{
    FileEntry entry;
    entry.caption = caption;
    entry.hasFacts = true;
    entry.size = size;
    entry.modified = modified;
    return entry;
}

QStringList sortedCaptions(QList<FileEntry> entries, TFileInfo column, bool ascending)
{
    FileListSort::sort(entries, column, ascending);
    QStringList names;
    for (const FileEntry &entry : entries)
        names << entry.caption;
    return names;
}

class FileListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Platform::Registry::setStorageFile(settingsDir.filePath(QStringLiteral("registry.ini")));
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    void makeFile(const QString &name, qint64 size)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(size)); // sparse: no disk used
    }

    QTemporaryDir dir;
    QTemporaryDir settingsDir;
};

} // namespace

// Sizes sort as 64-bit numbers: a 3 GiB file goes after a 9-byte one (as
// text "3221225472" would go before "9"), folders first ascending and last
// descending.
TEST_F(FileListTest, SizeColumnSortsAsNumbersWithFoldersFirstThenLast)
{
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    makeFile(QStringLiteral("big.iso"), qint64(3) << 30);
    makeFile(QStringLiteral("small.txt"), 9);
    makeFile(QStringLiteral("mid.bin"), 100000);

    TFileList list;
    list.setDirectory(dir.path());
    list.columnClick(TFileInfo::fiSize);
    const QStringList ascending = captions(list);
    EXPECT_EQ(ascending, (QStringList{"folder", "small.txt", "mid.bin", "big.iso"}));
    const int bigRow = int(ascending.indexOf("big.iso"));
    EXPECT_EQ(list.model()->entry(bigRow).text(TFileInfo::fiSize), QStringLiteral("3221225472"));

    // Each list keeps its own direction: a new list starts ascending.
    TFileList other;
    other.setDirectory(dir.path());
    list.columnClick(TFileInfo::fiSize);
    const QStringList descending = captions(list);
    EXPECT_EQ(descending, (QStringList{"big.iso", "mid.bin", "small.txt", "folder"}));
    other.columnClick(TFileInfo::fiSize);
    EXPECT_EQ(captions(other), ascending);
}

// Dates compare as dates, not as their local texts, across month and year
// ends; the date columns run newest first when ascending.
TEST(FileListSortTest, DatesSortAcrossMonthsNewestFirstAscending)
{
    const QList<FileEntry> entries{
        fileAt("jan31", 1, QDateTime(QDate(2024, 1, 31), QTime(23, 59))),
        fileAt("feb01", 1, QDateTime(QDate(2024, 2, 1), QTime(0, 1))),
        fileAt("dec15", 1, QDateTime(QDate(2023, 12, 15), QTime(12, 0))),
        fileAt("oct02", 1, QDateTime(QDate(2024, 10, 2), QTime(8, 0))),
    };
    EXPECT_EQ(sortedCaptions(entries, TFileInfo::fiModified, true),
              (QStringList{"oct02", "feb01", "jan31", "dec15"}));
    EXPECT_EQ(sortedCaptions(entries, TFileInfo::fiModified, false),
              (QStringList{"dec15", "jan31", "feb01", "oct02"}));
}

// Texts of mixed kinds (a number, a number-like text, a date) once formed a
// cycle under the per-pair choice of comparison: "2" < "10" as numbers,
// "10" < "1a" and "1a" < "2" as texts. Ranking the kinds first gives one
// order whatever order the rows come in.
TEST(FileListSortTest, MixedKindsGiveOneOrderInEveryPermutation)
{
    QStringList values{"2", "10", "1a", "2024-03-01", "B"};
    std::sort(values.begin(), values.end());
    QList<QStringList> orders;
    do {
        QList<QStringList> rows;
        for (const QString &value : values)
            rows << QStringList{value};
        FileListSort::sortRowsByText(rows, 0, true);
        QStringList order;
        for (const QStringList &row : rows)
            order << row.first();
        orders << order;
    } while (std::next_permutation(values.begin(), values.end()));
    for (const QStringList &order : orders)
        ASSERT_EQ(order, orders.first());
    EXPECT_EQ(orders.first(), (QStringList{"2", "10", "2024-03-01", "1a", "B"}));

    for (const QString &a : values) {
        for (const QString &b : values)
            EXPECT_EQ(FileListSort::compareMixedTexts(a, b), -FileListSort::compareMixedTexts(b, a)) << a.toStdString() << " " << b.toStdString();
    }
}

// The folders of Directory are listed together; read back each with a
// trailing separator, sorted, duplicates once.
TEST_F(FileListTest, DirectoryListsEveryFolderOnce)
{
    QDir(dir.path()).mkpath(QStringLiteral("b"));
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    TestSupport::writeFile(path("a/one.txt"), "1");
    TestSupport::writeFile(path("b/two.txt"), "2");

    TFileList list;
    list.setDirectory(path("b") + u';' + path("a") + u';' + path("b/"));
    EXPECT_EQ(list.Directory(), path("a/") + u';' + path("b/"));
    EXPECT_EQ(captions(list), (QStringList{"one.txt", "two.txt"}));
}

// Hidden (dot) files need PtHidden; names without a dot are listed with
// the default mask; a mask limits files, not folders.
TEST_F(FileListTest, MasksAndAttributeTypesFilterEntries)
{
    TestSupport::writeFile(path("README"), "r");
    TestSupport::writeFile(path(".hidden"), "h");
    TestSupport::writeFile(path("setup.exe"), "s");
    QDir(dir.path()).mkdir(QStringLiteral("sub"));

    TFileList list;
    list.setDirectory(dir.path());
    EXPECT_EQ(captions(list), (QStringList{"sub", "README", "setup.exe"}));
    EXPECT_EQ(list.Mask(), QStringLiteral("*"));

    list.setFileTypes(list.FileTypes() | TFileList::PtHidden);
    EXPECT_TRUE(captions(list).contains(".hidden"));

    list.setMask(QStringLiteral("*.EXE"));
    EXPECT_EQ(captions(list), (QStringList{"sub", "setup.exe"}));
    list.setDisplayDirectory(false);
    EXPECT_EQ(captions(list), (QStringList{"setup.exe"}));
}

TEST(FileListTypesTest, EntryPassesUnlessOneOfItsAttributesIsMissingFromTheTypes)
{
    using T = TFileList;
    const struct {
        const char *attributes;
        T::TFileTypes types;
        bool passes;
    } cases[] = {
        {"A", T::PtArchive | T::PtReadonly, true},
        {"AR", T::PtArchive | T::PtReadonly, true},
        {"AH", T::PtArchive | T::PtReadonly, false},
        {"AH", T::PtArchive | T::PtHidden, true},
        {"D", T::TFileTypes(), true},
        {"S", T::PtArchive, false},
        {"SH", T::PtAll, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(T::passesTypes(QString::fromLatin1(c.attributes), c.types), c.passes) << c.attributes;
}

// A column that is not shown cannot become the sort column.
TEST_F(FileListTest, OnlyShownColumnsSort)
{
    TFileList list;
    list.columnClick(TFileInfo::fiAttributes);
    EXPECT_EQ(list.SortColumn(), TFileInfo::fiName);
    list.columnClick(TFileInfo::fiAll);
    EXPECT_EQ(list.SortColumn(), TFileInfo::fiName);
    list.setViewColumns({TFileInfo::fiName, TFileInfo::fiAttributes});
    list.columnClick(TFileInfo::fiAttributes);
    EXPECT_EQ(list.SortColumn(), TFileInfo::fiAttributes);
    list.columnClick(TFileInfo::fiSize); // kept but hidden
    EXPECT_EQ(list.SortColumn(), TFileInfo::fiAttributes);
}

// Order and widths go to the registry and come back; an Order that is not
// a permutation of the columns is ignored instead of losing columns.
TEST_F(FileListTest, ColumnOrderAndWidthsRoundTripThroughTheRegistry)
{
    const QString key = QStringLiteral("\\Software\\Test\\Files");
    {
        TFileList list;
        list.SaveSettings.AutoSave = true;
        list.SaveSettings.RegistryKey = key;
        QHeaderView *header = list.reportView()->header();
        header->moveSection(3, 0);
        header->resizeSection(0, 77);
    }
    Platform::Registry registry;
    ASSERT_TRUE(registry.openKey(key + QStringLiteral("\\Columns"), false));
    EXPECT_EQ(registry.readString(QStringLiteral("Order")), QStringLiteral("3,0,1,2"));
    EXPECT_EQ(registry.readString(QStringLiteral("Sizes")), QStringLiteral("77,60,130,100"));

    TFileList restored;
    restored.SaveSettings.RegistryKey = key;
    restored.loadColumnSettings();
    EXPECT_EQ(restored.reportView()->header()->logicalIndex(0), 3);
    EXPECT_EQ(restored.reportView()->header()->sectionSize(0), 77);

    for (const char *order : {"0,0,1,2", "1,2,3", "0,1,2,9", "x,1,2,3"}) {
        registry.writeString(QStringLiteral("Order"), QString::fromLatin1(order));
        TFileList list;
        list.SaveSettings.RegistryKey = key;
        list.loadColumnSettings();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(list.reportView()->header()->logicalIndex(i), i) << order;
    }
    EXPECT_EQ(FileListSort::splitIntegers(QStringLiteral("4,x,,7")), (QList<int>{4, 0, 0, 7}));
}

// A path that does not exist is added as an entry without facts.
TEST_F(FileListTest, MissingPathIsAddedWithoutFacts)
{
    TFileListView view;
    const int row = view.addFile(path("nothing.here"));
    EXPECT_EQ(view.model()->entry(row).caption, QStringLiteral("nothing.here"));
    EXPECT_FALSE(view.model()->entry(row).hasFacts);
    EXPECT_TRUE(view.model()->entry(row).text(TFileInfo::fiSize).isEmpty());
}

// The name column grows to the longest name a folder lists; a short one
// keeps the column's width.
TEST_F(FileListTest, TheNameColumnIsWideEnoughForItsNames)
{
    TFileList list;
    list.setViewStyle(TFileListView::vsReport);
    list.resize(400, 300);
    list.show();
    const int section = list.model()->columnOf(TFileInfo::fiName);
    QHeaderView *header = list.reportView()->header();
    list.setDirectory(dir.path());
    const int plain = header->sectionSize(section);

    const QString longName = QStringLiteral("Instalator programu z bardzo długą nazwą wersja 2.01.exe");
    makeFile(longName, 1);
    list.refresh();
    const int needed = list.reportView()->fontMetrics().horizontalAdvance(longName);
    EXPECT_GT(header->sectionSize(section), needed);
    EXPECT_GE(header->sectionSize(section), plain);
}
