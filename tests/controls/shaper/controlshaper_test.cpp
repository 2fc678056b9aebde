#include "shaper/controlshaper.h"

#include "dialogs.h"
#include "paths.h"
#include "testdoubles.h"
#include "testsupport.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <vector>

#include <unistd.h>

namespace {

// ---- Mask bitmaps, written byte by byte ------------------------------------

// How a test bitmap departs from a plain bottom-up 1-bit file.
struct BmpLayout
{
    quint16 bitCount = 1;
    quint32 compression = 0;
    bool signature = true;                // starts with "BM"
    bool topDown = false;                 // rows stored top first, negative height
    int strideExtra = 0;                  // bytes after the standard row stride
    uchar junk = 0x00;                    // value of padding bits and bytes
    std::optional<quint32> sizeImage;     // default: stride x rows
    std::optional<qint32> width;          // stored biWidth instead of the picture's
    std::optional<qint32> height;         // stored biHeight instead of the picture's
    std::optional<quint32> offBits;       // default: right after the palette
    std::optional<qsizetype> keepBytes;   // cut the file to this many bytes
};

// A layout with one change: layout([](BmpLayout &l) { l.bitCount = 4; }).
template<typename Change>
BmpLayout layout(Change change)
{
    BmpLayout result;
    change(result);
    return result;
}

void putU16(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void putU32(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// picture: rows from the top; '#' is inside the window (bit 0), '.' is cut
// away (bit 1).
QByteArray makeMask(const QStringList &picture, const BmpLayout &layout = {})
{
    const int width = picture.isEmpty() ? 0 : int(picture.first().size());
    const int rows = int(picture.size());
    const int stride = (width + 31) / 32 * 4 + layout.strideExtra;
    const int pixelStart = 14 + 40 + 8;

    QByteArray bytes(pixelStart + stride * rows, char(layout.junk));
    bytes.replace(0, pixelStart, QByteArray(pixelStart, '\0'));
    if (layout.signature)
        bytes.replace(0, 2, "BM");
    putU32(bytes, 2, quint32(bytes.size()));
    putU32(bytes, 10, layout.offBits.value_or(pixelStart));
    putU32(bytes, 14, 40);
    putU32(bytes, 18, quint32(layout.width.value_or(width)));
    putU32(bytes, 22, quint32(layout.height.value_or(layout.topDown ? -rows : rows)));
    putU16(bytes, 26, 1);
    putU16(bytes, 28, layout.bitCount);
    putU32(bytes, 30, layout.compression);
    putU32(bytes, 34, layout.sizeImage.value_or(quint32(stride * rows)));
    putU32(bytes, 58, 0x00FFFFFF); // palette: black, white

    for (int y = 0; y < rows; ++y) {
        const int stored = layout.topDown ? y : rows - 1 - y;
        char *row = bytes.data() + pixelStart + stored * stride;
        for (int x = 0; x < width; ++x) {
            const uchar bit = uchar(0x80 >> (x % 8));
            if (picture[y][x] == u'#')
                row[x / 8] = char(row[x / 8] & ~bit);
            else
                row[x / 8] = char(row[x / 8] | bit);
        }
    }
    if (layout.keepBytes)
        bytes.truncate(*layout.keepBytes);
    return bytes;
}

QRegion pictureRegion(const QStringList &picture)
{
    QRegion region;
    for (int y = 0; y < picture.size(); ++y)
        for (int x = 0; x < picture[y].size(); ++x)
            if (picture[y][x] == u'#')
                region += QRect(x, y, 1, 1);
    return region;
}

// The pixels where a region and a picture disagree; empty when they match.
QRegion difference(const QRegion &region, const QStringList &picture)
{
    return region.xored(pictureRegion(picture));
}

QStringList filled(int width, int height, QChar c = u'#')
{
    return QStringList(height, QString(width, c));
}

// A rounded window with a round hole, as a menu designer would draw one.
QStringList roundedPicture(int width, int height, int radius)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRoundedRect(QRect(0, 0, width, height), radius, radius);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(width / 2, height / 2), height / 5, height / 5);
    painter.end();

    QStringList picture;
    for (int y = 0; y < height; ++y) {
        QString row;
        for (int x = 0; x < width; ++x)
            row += qGray(image.pixel(x, y)) < 128 ? u'#' : u'.';
        picture << row;
    }
    return picture;
}

// ---- A window to shape and a user who answers every message -------------------

class ShaperTest : public testing::Test
{
protected:
    QString writeMask(const QString &name, const QByteArray &bytes)
    {
        return TestSupport::writeFile(dir.filePath(name), bytes);
    }

    // Points the shaper at a file and activates it on the window.
    void shapeWith(const QString &file)
    {
        shaper.mask().setPicFile(file);
        shaper.setControlHandle(&window);
        shaper.setShapeActive(true);
    }

    QTemporaryDir dir;
    TestSupport::RecordingDialogs dialogs;
    QWidget window;
    TControlShaper shaper;
};

// ---- Masks accepted and refused -----------------------------------------------

struct MaskCase
{
    const char *name;
    QStringList picture;
    BmpLayout layout;
    bool accepted;
};

std::vector<MaskCase> maskCases()
{
    const QStringList edges = {"##..##.#", "#......#", "........", "########"};
    const QStringList odd13 = {"#############", ".###########.", "#.#.#.#.#.#.#", "...##...##..."};
    const QStringList wide70 = {QString(70, u'#'), QString(60, u'.') + QString(10, u'#'),
                                QString(63, u'#') + u'.' + QString(6, u'#'),
                                QString(64, u'.') + QString(6, u'#')};
    const QStringList exact32 = {QString(16, u'#') + QString(16, u'.'), QString(32, u'#'),
                                 QString(31, u'.') + u'#'};
    const QStringList wide40 = filled(40, 3);
    return {
        {"all zeros give the whole rectangle", filled(5, 3), {}, true},
        {"runs touching both edges", edges, {}, true},
        {"width 13, padding bits 0", odd13, {}, true},
        {"width 13, padding bits mixed", odd13, layout([](BmpLayout &l) { l.junk = 0x5A; }), true},
        {"width 70, runs across a 64-bit word", wide70, {}, true},
        {"width 32, no padding bits", exact32, {}, true},
        {"top-down rows (negative height)", edges, layout([](BmpLayout &l) { l.topDown = true; }), true},
        {"biSizeImage 0 uses the standard stride", odd13, layout([](BmpLayout &l) { l.sizeImage = 0; }), true},
        {"stride wider than needed, from biSizeImage", odd13, layout([](BmpLayout &l) { l.strideExtra = 4; l.sizeImage = 4 * 8; }), true},
        {"last row without its padding bytes", odd13, layout([](BmpLayout &l) { l.keepBytes = 62 + 4 * 4 - 2; }), true},
        {"4 bits per pixel", edges, layout([](BmpLayout &l) { l.bitCount = 4; }), false},
        {"8 bits per pixel", edges, layout([](BmpLayout &l) { l.bitCount = 8; }), false},
        {"24 bits per pixel", edges, layout([](BmpLayout &l) { l.bitCount = 24; }), false},
        {"compressed", edges, layout([](BmpLayout &l) { l.compression = 1; }), false},
        {"not starting with BM", edges, layout([](BmpLayout &l) { l.signature = false; }), false},
        {"height 0", edges, layout([](BmpLayout &l) { l.height = 0; }), false},
        {"height INT_MIN", edges, layout([](BmpLayout &l) { l.height = INT_MIN; }), false},
        {"width 0", edges, layout([](BmpLayout &l) { l.width = 0; }), false},
        {"negative width", edges, layout([](BmpLayout &l) { l.width = -8; }), false},
        {"file ends inside the header", edges, layout([](BmpLayout &l) { l.keepBytes = 30; }), false},
        {"empty file", edges, layout([](BmpLayout &l) { l.keepBytes = 0; }), false},
        {"pixel data shorter than the header claims", odd13, layout([](BmpLayout &l) { l.keepBytes = 62 + 4 * 2; }), false},
        {"rows shorter than the width needs", wide40, layout([](BmpLayout &l) { l.sizeImage = 4 * 3; }), false},
        {"pixel data starts past the end", edges, layout([](BmpLayout &l) { l.offBits = 5000; }), false},
        {"biSizeImage far beyond the data", edges, layout([](BmpLayout &l) { l.sizeImage = 0xFFFFFFFFu; }), false},
        {"as wide as a window can be", filled(8192, 1), {}, true},
        {"wider than a window can be", filled(8193, 1), {}, false},
        {"taller than a window can be", filled(1, 8193), {}, false},
    };
}

TEST_F(ShaperTest, ShapesTheWindowAfterTheMaskOrRefusesIt)
{
    for (const MaskCase &c : maskCases()) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        window.clearMask();
        shaper.setShapeActive(false);

        shapeWith(writeMask(QStringLiteral("case.bmp"), makeMask(c.picture, c.layout)));

        EXPECT_EQ(shaper.shapeActive(), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(dialogs.messages.isEmpty());
            EXPECT_EQ(difference(window.mask(), c.picture), QRegion());
            EXPECT_EQ(shaper.maskWidth(), c.picture.first().size());
            EXPECT_EQ(shaper.maskHeight(), c.picture.size());
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1);
            EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Not a valide Mask Resource"));
            EXPECT_EQ(dialogs.messages[0].caption, QString());
            EXPECT_TRUE(window.mask().isEmpty());
        }
    }
}

TEST(MaskRegion, MatchesTheMaskOfALargeOutline)
{
    const QStringList picture = roundedPicture(301, 203, 60);
    const QByteArray bytes = makeMask(picture);
    const std::optional<MaskHeader> header = readMaskHeader(bytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(difference(maskRegion(bytes, *header), picture), QRegion());
}

// A checkerboard: every row its own band, one rectangle per inside pixel.
TEST(MaskRegion, GivesUpPastTheRectangleBudget)
{
    QStringList picture;
    for (int y = 0; y < 64; ++y) {
        QString row;
        for (int x = 0; x < 64; ++x)
            row += (x + y) % 2 ? u'.' : u'#';
        picture << row;
    }
    const QByteArray bytes = makeMask(picture);
    const std::optional<MaskHeader> header = readMaskHeader(bytes);
    ASSERT_TRUE(header);
    EXPECT_FALSE(maskRegion(bytes, *header, 64 * 32 - 1));
    const std::optional<QRegion> fitting = maskRegion(bytes, *header, 64 * 32);
    ASSERT_TRUE(fitting);
    EXPECT_EQ(difference(*fitting, picture), QRegion());
    EXPECT_EQ(difference(*maskRegion(bytes, *header, -1), picture), QRegion());
}

// ---- Activation and the window ------------------------------------------------------

TEST_F(ShaperTest, ActivatingWithoutAWindowDoesNothing)
{
    shaper.mask().setPicFile(writeMask(QStringLiteral("m.bmp"), makeMask(filled(8, 2))));
    shaper.setShapeActive(true);
    EXPECT_FALSE(shaper.shapeActive());
    EXPECT_EQ(shaper.maskWidth(), 0);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ShaperTest, SwitchingOffOrChangingTheWindowGivesTheRectangleBack)
{
    shapeWith(writeMask(QStringLiteral("m.bmp"), makeMask({"#.#", "###"})));
    ASSERT_TRUE(shaper.shapeActive());

    shaper.setShapeActive(false);
    EXPECT_FALSE(shaper.shapeActive());
    EXPECT_TRUE(window.mask().isEmpty());

    shaper.setShapeActive(true);
    QWidget other;
    shaper.setControlHandle(&other);
    EXPECT_FALSE(shaper.shapeActive());
    EXPECT_TRUE(window.mask().isEmpty());
    EXPECT_EQ(shaper.controlHandle(), &other);
}

TEST_F(ShaperTest, ARefusedMaskKeepsTheShapeTheWindowHad)
{
    const QStringList good = {"#.#", "###"};
    shapeWith(writeMask(QStringLiteral("good.bmp"), makeMask(good)));
    shaper.mask().setPicFile(writeMask(QStringLiteral("bad.bmp"), makeMask(good, layout([](BmpLayout &l) { l.bitCount = 8; }))));
    shaper.setShapeActive(true);
    EXPECT_FALSE(shaper.shapeActive());
    EXPECT_EQ(difference(window.mask(), good), QRegion());
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(ShaperTest, AMissingMaskFileIsReportedToTheOwner)
{
    shapeWith(dir.filePath(QStringLiteral("none.bmp")));
    EXPECT_FALSE(shaper.shapeActive());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(shaper.fileError().startsWith(QStringLiteral("Cannot open file")));
    EXPECT_TRUE(shaper.fileError().contains(QStringLiteral("none.bmp")));

    shapeWith(writeMask(QStringLiteral("m.bmp"), makeMask(filled(2, 2))));
    EXPECT_TRUE(shaper.fileError().isEmpty());
}

// A FIFO would hang the runtime in open(), a link to /dev/zero would make it
// read without end; neither is a mask file.
TEST_F(ShaperTest, SpecialFilesAreNoMaskFiles)
{
    for (const auto &[special, file] : TestSupport::makeSpecialFiles(dir.filePath(QStringLiteral("special")))) {
        SCOPED_TRACE(special.toStdString());
        alarm(20); // a hang ends the test program
        shapeWith(file);
        alarm(0);
        EXPECT_FALSE(shaper.shapeActive());
        EXPECT_TRUE(shaper.fileError().startsWith(QStringLiteral("Cannot open file")));
        EXPECT_TRUE(dialogs.messages.isEmpty());
        EXPECT_TRUE(window.mask().isEmpty());
    }
}

TEST_F(ShaperTest, ResourceMasksNeedTypeNameAndResource)
{
    struct {
        QString type;
        QString name;
        QString expected;
    } cases[] = {
        {QString(), QStringLiteral("mask"), QStringLiteral("Mask resource type not defined !")},
        {QStringLiteral("PIC"), QStringLiteral("nosuchmask"), QStringLiteral("Mask resource not found !")},
    };
    shaper.setControlHandle(&window);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected.toStdString());
        dialogs.messages.clear();
        shaper.mask().setResType(c.type);
        shaper.mask().setResName(c.name);
        shaper.setShapeActive(true);
        EXPECT_FALSE(shaper.shapeActive());
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, c.expected);
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Fatal Error"));
    }
}

// ---- Where the mask comes from ---------------------------------------------------

TEST_F(ShaperTest, MaskSourceSettersKeepOneSource)
{
    TMask &mask = shaper.mask();
    EXPECT_EQ(mask.resType(), QStringLiteral("PIC"));

    const QString existing = writeMask(QStringLiteral("there.bmp"), makeMask(filled(1, 1)));
    mask.setPicFile(existing);
    EXPECT_EQ(mask.picFile(), existing);

    mask.setResName(QStringLiteral("mask"));
    EXPECT_EQ(mask.resName(), QStringLiteral("MASK"));
    EXPECT_TRUE(mask.picFile().isEmpty());

    mask.setResType(QStringLiteral("bmp"));
    EXPECT_EQ(mask.resType(), QStringLiteral("BMP"));

    mask.setPicFile(existing);
    EXPECT_TRUE(mask.resName().isEmpty());
}

TEST_F(ShaperTest, AMissingPicFileIsLookedForBesideTheProgram)
{
    struct {
        QString given;
        QString stored;
    } cases[] = {
        {QStringLiteral("C:\\MENU\\Maska.bmp"), Platform::programDir() + QStringLiteral("Maska.bmp")},
        {QStringLiteral("/no/such/folder/m.bmp"), Platform::programDir() + QStringLiteral("m.bmp")},
        {QStringLiteral("D:maska.bmp"), Platform::programDir() + QStringLiteral("maska.bmp")},
        {QString(), QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.given.toStdString());
        shaper.mask().setPicFile(c.given);
        EXPECT_EQ(shaper.mask().picFile(), c.stored);
    }
}

TEST_F(ShaperTest, SetMaskCopiesTheSource)
{
    TControlShaper other;
    other.mask().setResType(QStringLiteral("abc"));
    other.mask().setResName(QStringLiteral("name"));
    shaper.mask().setPicFile(writeMask(QStringLiteral("m.bmp"), makeMask(filled(1, 1))));

    shaper.setMask(other.mask());
    EXPECT_EQ(shaper.mask().resType(), QStringLiteral("ABC"));
    EXPECT_EQ(shaper.mask().resName(), QStringLiteral("NAME"));
    EXPECT_TRUE(shaper.mask().picFile().isEmpty());
}

// ---- Region cache -------------------------------------------------------------------

TEST_F(ShaperTest, TheRegionIsReusedUntilTheMaskSourceChanges)
{
    const QStringList first = {"##..", "####"};
    const QStringList second = {"..##", "####"};
    const QString file = writeMask(QStringLiteral("m.bmp"), makeMask(first));
    shapeWith(file);
    ASSERT_EQ(difference(window.mask(), first), QRegion());

    // The bytes change behind the shaper's back: activating again reuses the
    // region it built.
    writeMask(QStringLiteral("m.bmp"), makeMask(second));
    shaper.setShapeActive(true);
    EXPECT_EQ(difference(window.mask(), first), QRegion());

    // Setting the source again builds it anew.
    shaper.mask().setPicFile(file);
    shaper.setShapeActive(true);
    EXPECT_EQ(difference(window.mask(), second), QRegion());

    // Another file, another size.
    const QStringList bigger = filled(9, 5);
    shapeWith(writeMask(QStringLiteral("big.bmp"), makeMask(bigger)));
    EXPECT_EQ(difference(window.mask(), bigger), QRegion());
    EXPECT_EQ(shaper.maskWidth(), 9);
    EXPECT_EQ(shaper.maskHeight(), 5);
}

// ---- A picture for reviewers -----------------------------------------------------

class Backdrop : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(20, 90, 160));
        gradient.setColorAt(1, QColor(30, 160, 90));
        painter.fillRect(rect(), gradient);
    }
};

TEST_F(ShaperTest, AShapedWindowShowsTheMaskOutline)
{
    Backdrop backdrop;
    backdrop.resize(360, 260);
    QLabel shaped(QStringLiteral("Kalvora"), &backdrop);
    shaped.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    shaped.setMargin(30);
    shaped.setAutoFillBackground(true);
    QPalette palette = shaped.palette();
    palette.setColor(QPalette::Window, QColor(220, 40, 40));
    shaped.setPalette(palette);
    shaped.move(40, 30);

    shaper.mask().setPicFile(writeMask(QStringLiteral("round.bmp"), makeMask(roundedPicture(280, 200, 60))));
    shaper.setControlHandle(&shaped);
    shaper.setShapeActive(true);
    ASSERT_TRUE(shaper.shapeActive());
    shaped.resize(shaper.maskWidth(), shaper.maskHeight());

    const QImage image = backdrop.grab().toImage();
    image.save(TestSupport::outputDir() + QStringLiteral("/shaped_window.png"));

    const QColor red(220, 40, 40);
    EXPECT_NE(image.pixelColor(40 + 2, 30 + 2), red);    // rounded corner: cut away
    EXPECT_EQ(image.pixelColor(40 + 20, 30 + 100), red); // left edge: inside
    EXPECT_NE(image.pixelColor(40 + 140, 30 + 100 + 30), red); // hole
    EXPECT_EQ(image.pixelColor(40 + 140, 30 + 10), red);
}

} // namespace
