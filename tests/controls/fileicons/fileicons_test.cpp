#include "fileicons/fileindexicon.h"
#include "fileicons/peicons.h"

#include "testsupport.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

void put16(QByteArray &bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void put32(QByteArray &bytes, qsizetype at, quint32 value)
{
    put16(bytes, at, quint16(value & 0xFFFF));
    put16(bytes, at + 2, quint16(value >> 16));
}

// An icon image as Windows programs hold it: a 32-bit bottom-up bitmap of
// twice the height (colour rows, then the mask rows), one colour all over.
QByteArray iconImage(int side, QRgb colour)
{
    const int maskRow = ((side + 31) / 32) * 4;
    QByteArray dib(40 + side * side * 4 + maskRow * side, '\0');
    put32(dib, 0, 40);
    put32(dib, 4, quint32(side));
    put32(dib, 8, quint32(side * 2));
    put16(dib, 12, 1);
    put16(dib, 14, 32);
    for (int i = 0; i < side * side; ++i)
        put32(dib, 40 + i * 4, colour | 0xFF000000u);
    return dib;
}

struct Icon {
    int side;
    QRgb colour;
};

// A PE file with one resource section: RT_ICON entries 1..n for the images
// of all groups, and one RT_GROUP_ICON per group.
QByteArray peWithIconGroups(const std::vector<std::vector<Icon>> &groups)
{
    std::vector<QByteArray> images;
    for (const auto &group : groups)
        for (const Icon &icon : group)
            images.push_back(iconImage(icon.side, icon.colour));
    const int iconCount = int(images.size());
    const int groupCount = int(groups.size());

    // Resource section layout: directories, data entries, then the data.
    const int root = 0;
    const int iconTypeDir = root + 16 + 2 * 8;
    const int groupTypeDir = iconTypeDir + 16 + iconCount * 8;
    const int languageDirs = groupTypeDir + 16 + groupCount * 8;
    const int dataEntries = languageDirs + (iconCount + groupCount) * 24;
    const int dataStart = dataEntries + (iconCount + groupCount) * 16;
    QByteArray rsrc(dataStart, '\0');
    const quint32 sectionRva = 0x1000;
    auto directory = [&](int at, int count) {
        put16(rsrc, at + 14, quint16(count));
    };
    auto entry = [&](int dir, int index, quint32 id, quint32 offset, bool subdirectory) {
        put32(rsrc, dir + 16 + index * 8, id);
        put32(rsrc, dir + 16 + index * 8 + 4, offset | (subdirectory ? 0x80000000u : 0));
    };
    auto addData = [&](int resource, const QByteArray &data) {
        const int languageDir = languageDirs + resource * 24;
        const int dataEntry = dataEntries + resource * 16;
        directory(languageDir, 1);
        entry(languageDir, 0, 0x415, quint32(dataEntry), false);
        put32(rsrc, dataEntry, sectionRva + quint32(rsrc.size()));
        put32(rsrc, dataEntry + 4, quint32(data.size()));
        rsrc.append(data);
        return languageDir;
    };
    directory(root, 2);
    entry(root, 0, 3, quint32(iconTypeDir), true);
    entry(root, 1, 14, quint32(groupTypeDir), true);
    directory(iconTypeDir, iconCount);
    for (int i = 0; i < iconCount; ++i)
        entry(iconTypeDir, i, quint32(i + 1), quint32(addData(i, images[size_t(i)])), true);
    directory(groupTypeDir, groupCount);
    int nextId = 1;
    for (int g = 0; g < groupCount; ++g) {
        const auto &group = groups[size_t(g)];
        QByteArray data(6 + 14 * int(group.size()), '\0');
        put16(data, 2, 1);
        put16(data, 4, quint16(group.size()));
        for (size_t i = 0; i < group.size(); ++i) {
            const int at = 6 + 14 * int(i);
            data[at] = char(group[i].side);
            data[at + 1] = char(group[i].side);
            put16(data, at + 4, 1);
            put16(data, at + 6, 32);
            put32(data, at + 8, quint32(images[size_t(nextId - 1)].size()));
            put16(data, at + 12, quint16(nextId++));
        }
        entry(groupTypeDir, g, quint32(g + 1), quint32(addData(iconCount + g, data)), true);
    }

    const int peOffset = 64;
    const int optionalSize = 96 + 16 * 8;
    const int sectionTable = peOffset + 24 + optionalSize;
    const int rawOffset = 0x200;
    QByteArray file(rawOffset, '\0');
    file[0] = 'M';
    file[1] = 'Z';
    put32(file, 0x3C, peOffset);
    file.replace(peOffset, 4, QByteArray("PE\0\0", 4));
    put16(file, peOffset + 4, 0x14C);
    put16(file, peOffset + 6, 1);
    put16(file, peOffset + 20, optionalSize);
    const int optional = peOffset + 24;
    put16(file, optional, 0x10B);
    put32(file, optional + 92, 16);
    put32(file, optional + 96 + 2 * 8, sectionRva);
    put32(file, optional + 96 + 2 * 8 + 4, quint32(rsrc.size()));
    file.replace(sectionTable, 5, ".rsrc");
    put32(file, sectionTable + 8, quint32(rsrc.size()));
    put32(file, sectionTable + 12, sectionRva);
    put32(file, sectionTable + 16, quint32(rsrc.size()));
    put32(file, sectionTable + 20, rawOffset);
    return file + rsrc;
}

QRgb centreColour(const QIcon &icon, int side)
{
    const QImage image = icon.pixmap(side, side).toImage();
    return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
}

const QRgb Red = 0xFF0000;
const QRgb Blue = 0x0000FF;

struct FileIcons : ::testing::Test {
    QString write(const QString &name, const QByteArray &bytes)
    {
        return TestSupport::writeFile(dir.path() + u'/' + name, bytes);
    }
    QTemporaryDir dir;
    const QByteArray program = peWithIconGroups({{{16, Red}}, {{16, Blue}, {32, Blue}}});
};

TEST_F(FileIcons, AProgramWithTwoIconGroupsHasTwoIcons)
{
    const std::vector<PeIconGroup> groups = readPeIconGroups(program);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].images.size(), 1u);
    EXPECT_EQ(groups[1].images.size(), 2u);

    TFileIndexIcon icon;
    icon.setFileName(write(QStringLiteral("SETUP.EXE"), program));
    EXPECT_EQ(icon.numberOfIcons(), 2);
    EXPECT_EQ(icon.iconIndex(), 0);
    ASSERT_FALSE(icon.icon().isNull());
    EXPECT_EQ(centreColour(icon.icon(), 16), Red);

    // Beyond the last: the last one.
    icon.setIconIndex(99);
    EXPECT_EQ(icon.iconIndex(), 1);
    EXPECT_EQ(centreColour(icon.icon(), 16), Blue);
    EXPECT_EQ(icon.icon().availableSizes(), QList<QSize>({QSize(16, 16), QSize(32, 32)}));
    icon.setIconIndex(-4);
    EXPECT_EQ(icon.iconIndex(), 0);
    EXPECT_EQ(centreColour(icon.icon(), 16), Red);
}

TEST_F(FileIcons, AnIconFileHoldsOneIconWhateverSizesItHas)
{
    const std::vector<PeIconGroup> groups = readPeIconGroups(program);
    ASSERT_EQ(groups.size(), 2u);
    const QByteArray iconFile = iconFileFromGroup(program, groups[1]);
    ASSERT_TRUE(looksLikeIconFile(iconFile));

    TFileIndexIcon icon;
    icon.setFileName(write(QStringLiteral("MENU.ICO"), iconFile));
    EXPECT_EQ(icon.numberOfIcons(), 1);
    icon.setIconIndex(99);
    EXPECT_EQ(icon.iconIndex(), 0);
    EXPECT_EQ(icon.icon().availableSizes().size(), 2);
    EXPECT_EQ(centreColour(icon.icon(), 32), Blue);
}

TEST_F(FileIcons, OtherAndDamagedFilesHoldNone)
{
    const QString files[] = {
        write(QStringLiteral("OPIS.TXT"), "MZ but no program at all"),
        write(QStringLiteral("HALF.EXE"), program.left(program.size() / 2)),
        write(QStringLiteral("EMPTY.EXE"), {}),
        dir.path() + QStringLiteral("/MISSING.EXE"),
        dir.path(),
    };
    for (const QString &file : files) {
        TFileIndexIcon icon;
        icon.setFileName(file);
        EXPECT_EQ(icon.numberOfIcons(), -1) << file.toStdString();
        icon.setIconIndex(3); // ignored without icons
        EXPECT_EQ(icon.iconIndex(), -1);
        EXPECT_TRUE(icon.icon().isNull());
    }
}

TEST_F(FileIcons, EveryTruncationReadsWithoutFault)
{
    // Cut anywhere: never more groups than there were, and the icon files
    // built from what is left stay inside the bytes.
    for (qsizetype size = 0; size < program.size(); ++size) {
        const QByteArray cut = program.left(size);
        const std::vector<PeIconGroup> groups = readPeIconGroups(cut);
        ASSERT_LE(groups.size(), 2u) << size;
        for (const PeIconGroup &group : groups)
            EXPECT_TRUE(looksLikeIconFile(iconFileFromGroup(cut, group)));
    }
    EXPECT_TRUE(readPeIconGroups(program.left(program.size() / 2)).empty());
}

} // namespace
