#include "menufixture.h"

#include <dialogs/jpegreader.h>
#include <dialogs/screenshotviewer.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>

#include <testsupport.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QImage filled(int width, int height, QColor color)
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(color);
    return picture;
}

QByteArray encoded(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format, 95);
    return bytes;
}

// A JPEG whose frame header claims another size.
QByteArray withClaimedSize(QByteArray jpeg, int width, int height)
{
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    jpeg[frame + 5] = char(height >> 8);
    jpeg[frame + 6] = char(height);
    jpeg[frame + 7] = char(width >> 8);
    jpeg[frame + 8] = char(width);
    return jpeg;
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

} // namespace

TEST(JpegReader, DecodesJpegsAndRefusesEverythingElseWithoutEndingTheProcess)
{
    const QByteArray jpeg = encoded(filled(40, 30, QColor(200, 40, 40)), "JPG");
    QByteArray corrupt = jpeg;
    for (qsizetype i = 20; i < corrupt.size(); i += 7)
        corrupt[i] = char(~corrupt[i]);
    const QByteArray huge = withClaimedSize(jpeg, 30000, 30000);
    ASSERT_FALSE(huge.isEmpty());

    // A damaged picture may decode in part or not at all: either way the
    // process goes on.
    enum Outcome { Decodes, Fails, Survives };
    struct Case {
        const char *name;
        QByteArray bytes;
        Outcome outcome;
    } cases[] = {
        {"jpeg", jpeg, Decodes},
        {"bitmap", encoded(filled(4, 4, Qt::green), "BMP"), Fails},
        {"nothing", {}, Fails},
        {"start marker only", QByteArray("\xFF\xD8", 2), Fails},
        {"header cut short", jpeg.left(40), Fails},
        {"bits flipped", corrupt, Survives},
        {"30000 x 30000 claimed", huge, Fails},
        {"one side over the limit", withClaimedSize(jpeg, 8193, 10), Fails},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const JpegReader::Result result = JpegReader::decode(c.bytes);
        EXPECT_EQ(result.error.isEmpty(), result.ok());
        if (c.outcome == Fails) {
            EXPECT_FALSE(result.ok());
        }
        if (c.outcome != Decodes)
            continue;
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.picture.size(), QSize(40, 30));
        EXPECT_TRUE(near(result.picture.pixelColor(20, 15), QColor(200, 40, 40)));
    }
}

TEST(ScreenshotViewer, ReadsJpegThenAnyPictureAndRefusesHugeHeaders)
{
    QTemporaryDir dir;
    const auto file = [&](const QString &name, const QByteArray &bytes) {
        return TestSupport::writeFile(dir.filePath(name), bytes);
    };
    const QByteArray jpeg = encoded(filled(40, 30, QColor(30, 30, 220)), "JPG");
    struct Case {
        QString path;
        QSize size;
        QColor color;
    } cases[] = {
        {file(QStringLiteral("a.jpg"), jpeg), QSize(40, 30), QColor(30, 30, 220)},
        // A bitmap named like a JPEG: shown after the JPEG attempt fails.
        {file(QStringLiteral("b.jpg"), encoded(filled(12, 8, Qt::green), "BMP")), QSize(12, 8), Qt::green},
        {file(QStringLiteral("c.jpg"), withClaimedSize(jpeg, 30000, 30000)), QSize(0, 0), {}},
        {file(QStringLiteral("d.bmp"), "BM not really"), QSize(0, 0), {}},
        {dir.filePath(QStringLiteral("missing.jpg")), QSize(0, 0), {}},
    };
    // A FIFO or a device named as a screenshot is never opened.
    for (const auto &[name, path] : TestSupport::makeSpecialFiles(dir.filePath(QStringLiteral("special"))))
        EXPECT_TRUE(TfrmBMP_JPG::loadScreenshot(path).picture.isNull()) << name.toStdString();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const QImage picture = TfrmBMP_JPG::loadScreenshot(c.path).picture;
        EXPECT_EQ(picture.size(), c.size);
        if (!picture.isNull()) {
            EXPECT_TRUE(near(picture.pixelColor(c.size.width() / 2, c.size.height() / 2), c.color));
        }
    }
}

TEST(ScreenshotViewer, CentresWhatTheScreenHoldsAndStretchesTheRest)
{
    const QSize screen(200, 100);
    struct Case {
        QSize picture;
        QRect placed;
    } cases[] = {
        {{50, 20}, {75, 40, 50, 20}},
        {{200, 100}, {0, 0, 200, 100}},
        {{201, 10}, {0, 0, 200, 100}},
        {{10, 101}, {0, 0, 200, 100}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(TfrmBMP_JPG::placement(c.picture, screen), c.placed) << c.picture.width() << "x" << c.picture.height();

        // What the viewer shows: the picture where it was placed, black
        // around it.
        TfrmBMP_JPG viewer(nullptr, filled(c.picture.width(), c.picture.height(), Qt::red), screen);
        const QImage shown = viewer.grab().toImage();
        ASSERT_EQ(shown.size(), screen);
        EXPECT_EQ(viewer.image()->geometry(), c.placed);
        EXPECT_EQ(shown.pixelColor(c.placed.center()), QColor(Qt::red));
        EXPECT_EQ(shown.pixelColor(0, 0), c.placed.topLeft() == QPoint(0, 0) ? QColor(Qt::red) : QColor(Qt::black));
    }
}

namespace {

QByteArray progressive(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPG");
    writer.setProgressiveScanWrite(true);
    writer.setQuality(90);
    EXPECT_TRUE(writer.write(picture));
    return bytes;
}

// The progressive JPEG with its last scan repeated: a few hundred bytes a
// scan, each costing the decoder a pass over the whole picture.
QByteArray withRepeatedLastScan(const QByteArray &jpeg, int times)
{
    const qsizetype lastScan = jpeg.lastIndexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype end = jpeg.lastIndexOf(QByteArray("\xFF\xD9", 2));
    if (lastScan < 0 || end < lastScan)
        return {};
    return jpeg.left(end) + jpeg.mid(lastScan, end - lastScan).repeated(times) + jpeg.mid(end);
}

} // namespace

TEST(JpegReader, AFileOfThousandsOfScansIsRefusedAndNotHandedOn)
{
    const QByteArray honest = progressive(filled(512, 512, QColor(20, 90, 200)));
    ASSERT_TRUE(JpegReader::decode(honest).ok());
    const QByteArray hostile = withRepeatedLastScan(honest, 3000);
    ASSERT_FALSE(hostile.isEmpty());

    const JpegReader::Result result = JpegReader::decode(hostile);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.jpeg);
    EXPECT_TRUE(result.error.contains(QStringLiteral("za dużo skanów"))) << result.error.toStdString();

    QTemporaryDir dir;
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("ZRZUT.JPG")), hostile);
    EXPECT_TRUE(TfrmBMP_JPG::loadScreenshot(path).picture.isNull());
}

namespace {

class ScreenshotMessage : public MenuFixture
{
protected:
    // A category of one program whose screenshot is the file at stored.
    TForm1 &menuShowing(const QString &stored)
    {
        writeProject(QStringLiteral("[NAMES]\n1001=Gry\n[DATA]\n1001=DANE\\GRY.RV3\n[FUNCTIONS]\n10011=1\n"
                                    "[OBJECTS]\nLIST=1\n"));
        writeCdText(QStringLiteral("DANE/GRY.RV3"), QStringLiteral("TITLE=Gry\n[Gra]\nZRZUT=") + stored + u'\n');
        TForm1 &menu = build();
        menu.ODCZYTKATEGORI(menu.controls().categoryKeys.at(0));
        menu.choice().CurrentProgram = QStringLiteral("Gra");
        return menu;
    }
};

} // namespace

// A screenshot that cannot be shown says why, when the reason is known:
// the reader's refusal of a JPEG, or the file's own.
TEST_F(ScreenshotMessage, ARefusedPictureSaysWhy)
{
    const QByteArray honest = progressive(filled(512, 512, QColor(20, 90, 200)));
    const int scans = int(honest.count(QByteArray("\xFF\xDA", 2))) + 3000;
    writeCdBytes(QStringLiteral("ZRZUTY/SKANY.JPG"), withRepeatedLastScan(honest, 3000));
    writeCdBytes(QStringLiteral("ZRZUTY/ZLY.BMP"), "BM not really");
    TestSupport::makeSpecialFiles(cdPath(QStringLiteral("ZRZUTY/SPECJALNE")));
    const struct {
        const char *stored;
        QString reason;
    } cases[] = {
        {"ZRZUTY\\SKANY.JPG",
         QStringLiteral(" - plik JPEG ma za dużo skanów (%1) jak na obraz 512 x 512 pikseli, dozwolone najwyżej 256")
             .arg(scans)},
        {"ZRZUTY\\SPECJALNE\\fifo", QStringLiteral(" - to nie jest zwykły plik")},
        // No decoder says why a broken picture fails.
        {"ZRZUTY\\ZLY.BMP", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        TForm1 &menu = menuShowing(QLatin1String(c.stored));
        dialogs.messages.clear();

        menu.ZRZUTY_PRG(nullptr);

        const QString path = cdPath(QString::fromLatin1(c.stored).replace(u'\\', u'/'));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Nie udało się otworzyć pliku: \"%1\"").arg(path) + c.reason);
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
    }
}

namespace {

// A marker segment: its code, its length (counting itself) and its bytes.
QByteArray segment(char code, const QByteArray &payload)
{
    const qsizetype length = payload.size() + 2;
    return QByteArray("\xFF", 1) + code + char(length >> 8) + char(length) + payload;
}

} // namespace

TEST(JpegReader, ScansAreCountedAsTheLibraryMeetsThem)
{
    const QByteArray start("\xFF\xD8", 2);
    const QByteArray end("\xFF\xD9", 2);
    // One component, the whole band.
    const QByteArray scan = segment('\xDA', QByteArray("\x01\x01\x00\x00\x3F\x00", 6));
    const struct {
        const char *what;
        QByteArray bytes;
        int limit;
        int scans;
    } cases[] = {
        {"not a JPEG", QByteArray("GIF89a") + scan, 256, 0},
        {"nothing but the start", start, 256, 0},
        {"one scan with its coded data", start + scan + "\x12\x34" + end, 256, 1},
        {"a coded 0xFF is followed by 0x00", start + scan + QByteArray("\x11\xFF\x00\xDA\x55", 5) + end, 256, 1},
        {"fill before a marker", start + scan + QByteArray("\x11\xFF\xFF\xFF", 4) + scan + end, 256, 2},
        {"restarts in coded data", start + scan + QByteArray("\x11\xFF\xD0\x22\xFF\xD7\x33", 7) + scan + end, 256,
         2},
        {"a segment is passed over by its length",
         start + segment('\xFE', QByteArray("\xFF\xDA\x00\x08", 4)) + scan + end, 256, 1},
        {"bytes between segments are passed over", start + "junk" + scan + "junk" + scan + end, 256, 2},
        {"nothing counts after the end of the picture", start + scan + end + scan + scan, 256, 1},
        {"a length past the end of the bytes", start + scan + QByteArray("\xFF\xE1\x7F\xFF", 4) + scan, 256, 1},
        {"cut inside a length", start + scan + QByteArray("\xFF\xE1\x00", 3), 256, 1},
        {"cut after a marker's 0xFF", start + scan + QByteArray("\xFF", 1), 256, 1},
        {"fill to the end", start + QByteArray(100, '\xFF'), 256, 0},
        {"counted to one over the limit", start + scan.repeated(1000) + end, 10, 11},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(JpegReader::countScans(c.bytes, c.limit), c.scans);
    }

    // A file of an encoder: each of its scans.
    const QByteArray honest = progressive(filled(64, 64, Qt::red));
    EXPECT_GT(JpegReader::countScans(honest), 1);
    EXPECT_EQ(JpegReader::countScans(honest), honest.count(QByteArray("\xFF\xDA", 2)));
}

TEST(JpegReader, AProgressiveFileLoadsUpToTheBoundOfScans)
{
    const QColor colour(20, 160, 60);
    const QByteArray honest = progressive(filled(256, 256, colour));
    const int scans = JpegReader::countScans(honest);
    const struct {
        const char *what;
        QByteArray bytes;
        bool loads;
    } cases[] = {
        {"as an encoder writes it", honest, true},
        {"at the bound", withRepeatedLastScan(honest, JpegReader::MaxScans - scans), true},
        {"one over the bound", withRepeatedLastScan(honest, JpegReader::MaxScans - scans + 1), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const JpegReader::Result result = JpegReader::decode(c.bytes);
        ASSERT_EQ(result.ok(), c.loads) << result.error.toStdString();
        if (c.loads) {
            EXPECT_EQ(result.picture.size(), QSize(256, 256));
            EXPECT_TRUE(near(result.picture.pixelColor(128, 128), colour));
        } else {
            EXPECT_TRUE(result.error.contains(QStringLiteral("za dużo skanów"))) << result.error.toStdString();
        }
    }
}

// Each scan of a large picture costs the library a pass over all of it: a
// few thousand scans would take it seconds to reach the bound by decoding.
TEST(JpegReader, ALargePictureOfThousandsOfScansIsRefusedBeforeDecoding)
{
    const QByteArray bomb = withRepeatedLastScan(progressive(filled(4096, 4096, QColor(90, 90, 90))), 3000);
    ASSERT_GT(JpegReader::countScans(bomb), JpegReader::MaxScans);
    QElapsedTimer timer;
    timer.start();
    const JpegReader::Result result = JpegReader::decode(bomb);
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.jpeg);
    EXPECT_TRUE(result.error.contains(QStringLiteral("za dużo skanów"))) << result.error.toStdString();
}

// A large picture may have fewer scans than a small one: a few hundred
// passes over sixteen million pixels would take many seconds as well. The
// largest picture shown keeps room for an encoder's dozen.
TEST(JpegReader, TheScansAPictureMayHaveShrinkAsItGrows)
{
    const struct {
        quint32 width, height;
        int allowed;
    } sizes[] = {
        {640, 480, JpegReader::MaxScans}, {2048, 2048, JpegReader::MaxScans}, {4096, 4096, 64},
        {8192, 8192, 16},                 {8192, 1, JpegReader::MaxScans},
    };
    for (const auto &size : sizes)
        EXPECT_EQ(JpegReader::scansAllowed(size.width, size.height), size.allowed) << size.width << "x" << size.height;

    const QByteArray honest = progressive(filled(4096, 4096, QColor(90, 90, 90)));
    const QByteArray overItsBound = withRepeatedLastScan(honest, 100);
    ASSERT_LE(JpegReader::countScans(overItsBound), JpegReader::MaxScans);
    QElapsedTimer timer;
    timer.start();
    const JpegReader::Result result = JpegReader::decode(overItsBound);
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(result.ok());
    // The reason says how many scans the file has and how many it may have.
    EXPECT_EQ(result.error, QStringLiteral("plik JPEG ma za dużo skanów (%1) jak na obraz 4096 x 4096 pikseli, "
                                           "dozwolone najwyżej 64")
                                .arg(JpegReader::countScans(overItsBound)));
    EXPECT_TRUE(JpegReader::decode(honest).ok());
}

// While a large picture decodes, the event loop runs: timers fire and
// windows are painted.
TEST(ScreenshotViewer, ALargePictureDecodesBesideTheEventLoop)
{
    QImage large(4096, 4096, QImage::Format_RGB888);
    for (int y = 0; y < large.height(); ++y) {
        uchar *line = large.scanLine(y);
        for (int x = 0; x < large.width() * 3; ++x)
            line[x] = uchar((x * 7 + y * 13) & 0xFF);
    }
    QTemporaryDir dir;
    const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("DUZY.JPG")), progressive(large));

    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
    ticker.start(1);
    const QImage picture = TfrmBMP_JPG::loadScreenshotResponsively(path).picture;
    ticker.stop();
    EXPECT_EQ(picture.size(), QSize(4096, 4096));
    EXPECT_GT(ticks, 2);
}
