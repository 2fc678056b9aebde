#include <propertyeditors/onebitmask.h>

#include <paths.h>
#include <shaper/maskbitmap.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTemporaryDir>

#include <testsupport.h>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

quint32 u32At(const QByteArray &bytes, int offset)
{
    return quint32(uchar(bytes[offset])) | quint32(uchar(bytes[offset + 1])) << 8
           | quint32(uchar(bytes[offset + 2])) << 16 | quint32(uchar(bytes[offset + 3])) << 24;
}

// The pixels whose colour differs from the bottom-left one: the window.
QRegion foregroundOf(const QImage &picture)
{
    QRegion region;
    const QRgb background = picture.pixel(0, picture.height() - 1);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != background)
                region += QRect(x, y, 1, 1);
    return region;
}

// A 24-bit picture: a white field with a red disc, a blue bar touching the
// right edge and one black pixel at the top left.
QImage drawnPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRect(width / 4, height / 4, width / 2, height / 2));
    painter.fillRect(QRect(width - 3, 0, 3, height / 2), Qt::blue);
    painter.end();
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    return picture;
}

} // namespace

TEST(OneBitMaskWriter, TheMaskReaderSeesTheForegroundAsTheWindow)
{
    QImage oneColour(7, 3, QImage::Format_RGB888);
    oneColour.fill(Qt::green);
    QImage almostWhite(33, 2, QImage::Format_RGB888);
    almostWhite.fill(qRgb(255, 255, 255));
    almostWhite.setPixel(32, 0, qRgb(255, 255, 254)); // one step off still counts as foreground
    const struct {
        const char *name;
        QImage picture;
    } cases[] = {
        {"odd width", drawnPicture(13, 11)},
        {"width over 32 bits", drawnPicture(70, 40)},
        {"one colour: nothing left", oneColour},
        {"nearly the same colour", almostWhite},
        {"one pixel", drawnPicture(1, 1)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray bytes = OneBitMask::write(c.picture);
        ASSERT_TRUE(OneBitMask::isOneBitBitmap(bytes));
        const std::optional<MaskHeader> header = readMaskHeader(bytes);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->width, c.picture.width());
        EXPECT_EQ(header->height, c.picture.height());
        EXPECT_FALSE(header->topDown);
        const quint32 stride = (quint32(c.picture.width()) + 31) / 32 * 4;
        EXPECT_EQ(header->sizeImage, stride * quint32(c.picture.height()));
        EXPECT_EQ(u32At(bytes, 2), quint32(bytes.size()));
        // Palette: 0 black, 1 white.
        EXPECT_EQ(bytes.mid(54, 8), QByteArray("\0\0\0\0\xff\xff\xff\0", 8));
        EXPECT_TRUE((maskRegion(bytes, *header) ^ foregroundOf(c.picture)).isEmpty());
    }
    EXPECT_TRUE(OneBitMask::write(QImage()).isEmpty());
}

TEST(OneBitMaskWriter, OnlyBitmapsOfOneBitPerPixelCountAsMasks)
{
    QImage mono(8, 8, QImage::Format_Mono);
    mono.fill(0);
    const auto encoded = [](const QImage &image, const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, format));
        return bytes;
    };
    const QByteArray monoBytes = encoded(mono, "BMP");
    const QByteArray rgbBytes = encoded(drawnPicture(8, 8), "BMP");
    const QByteArray png = encoded(mono, "PNG");
    EXPECT_TRUE(OneBitMask::isOneBitBitmap(monoBytes));
    EXPECT_TRUE(OneBitMask::isOneBitBitmap(OneBitMask::write(drawnPicture(5, 5))));
    EXPECT_FALSE(OneBitMask::isOneBitBitmap(rgbBytes));
    EXPECT_FALSE(OneBitMask::isOneBitBitmap(png));
    EXPECT_FALSE(OneBitMask::isOneBitBitmap(monoBytes.left(20)));
}

TEST(OneBitMaskBackup, TheLastSuffixIsReplaced)
{
    const struct {
        QString file;
        QString backup;
    } cases[] = {
        {QStringLiteral("/cd/TLO.BMP"), QStringLiteral("/cd/TLO.OLD")},
        {QStringLiteral("/cd/tlo.bmp"), QStringLiteral("/cd/tlo.OLD")},
        {QStringLiteral("/cd/TLO"), QStringLiteral("/cd/TLO.OLD")},
        {QStringLiteral("/cd/TLO.B"), QStringLiteral("/cd/TLO.OLD")},
        {QStringLiteral("/cd/maska.okna.jpeg"), QStringLiteral("/cd/maska.okna.OLD")},
        {QStringLiteral("/cd/obrazy.v2/TLO"), QStringLiteral("/cd/obrazy.v2/TLO.OLD")},
        {QStringLiteral("/cd/.bmp"), QStringLiteral("/cd/.bmp.OLD")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(OneBitMask::backupName(c.file), c.backup) << c.file.toStdString();
}

class MaskConversion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        original = drawnPicture(40, 30);
        ASSERT_TRUE(original.save(path(QStringLiteral("TLO.BMP")), "BMP"));
        originalBytes = TestSupport::readFile(path(QStringLiteral("TLO.BMP")));
    }

    QString path(const QString &name) const { return dir.path() + u'/' + name; }
    QStringList entries() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir dir;
    QImage original;
    QByteArray originalBytes;
};

TEST_F(MaskConversion, TheOriginalStaysAsBackupAndTheMaskTakesItsName)
{
    const OneBitMask::Conversion result = OneBitMask::convertFile(path(QStringLiteral("TLO.BMP")), original);

    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.backup, path(QStringLiteral("TLO.OLD")));
    EXPECT_EQ(TestSupport::readFile(path(QStringLiteral("TLO.OLD"))), originalBytes);
    const QByteArray mask = TestSupport::readFile(path(QStringLiteral("TLO.BMP")));
    const std::optional<MaskHeader> header = readMaskHeader(mask);
    ASSERT_TRUE(header);
    EXPECT_TRUE((maskRegion(mask, *header) ^ foregroundOf(original)).isEmpty());
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("TLO.BMP"), QStringLiteral("TLO.OLD")}));
}

TEST_F(MaskConversion, AnyFailureLeavesBothFilesAsTheyWere)
{
    QByteArray oldBytes("an older backup");
    const auto failingCall = [](int failing) {
        return [failing, calls = 0](const QString &from, const QString &to) mutable {
            return ++calls != failing && QFile::rename(from, to);
        };
    };
    const struct {
        const char *name;
        QString existingBackup; // written before the conversion
        OneBitMask::Renamer rename;
    } cases[] = {
        {"backup name taken", QStringLiteral("TLO.OLD"), {}},
        {"backup name taken in another letter case", QStringLiteral("tlo.old"), {}},
        {"original cannot be renamed", {}, failingCall(1)},
        {"mask cannot take the original's name", {}, failingCall(2)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList expected{QStringLiteral("TLO.BMP")};
        if (!c.existingBackup.isEmpty()) {
            TestSupport::writeFile(path(c.existingBackup), oldBytes);
            expected.append(c.existingBackup);
        }

        const OneBitMask::Conversion result =
            OneBitMask::convertFile(path(QStringLiteral("TLO.BMP")), original, c.rename);

        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.error.isEmpty());
        EXPECT_EQ(TestSupport::readFile(path(QStringLiteral("TLO.BMP"))), originalBytes);
        EXPECT_EQ(entries(), expected);
        if (!c.existingBackup.isEmpty()) {
            EXPECT_EQ(TestSupport::readFile(path(c.existingBackup)), oldBytes);
            QFile::remove(path(c.existingBackup));
        }
    }
}

TEST_F(MaskConversion, AFileNamedLikeItsBackupIsRefused)
{
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("TLO.BMP")), path(QStringLiteral("TLO.OLD"))));
    EXPECT_FALSE(OneBitMask::convertFile(path(QStringLiteral("TLO.OLD")), original).ok());
    EXPECT_EQ(TestSupport::readFile(path(QStringLiteral("TLO.OLD"))), originalBytes);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("TLO.OLD")});
}

TEST_F(MaskConversion, AReadOnlyFolderLeavesTheOriginal)
{
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    if (::access(QFile::encodeName(dir.path()).constData(), W_OK) == 0) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "permissions do not stop the superuser";
    }
    const OneBitMask::Conversion result = OneBitMask::convertFile(path(QStringLiteral("TLO.BMP")), original);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_FALSE(result.ok());
    EXPECT_EQ(TestSupport::readFile(path(QStringLiteral("TLO.BMP"))), originalBytes);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("TLO.BMP")});
}

TEST_F(MaskConversion, WhenNothingCanTakeTheNameBackTheOriginalIsKeptAsBackup)
{
    int calls = 0;
    // The original moves to its backup; every later rename fails.
    const OneBitMask::Renamer rename = [&calls](const QString &from, const QString &to) {
        return ++calls == 1 && QFile::rename(from, to);
    };
    const OneBitMask::Conversion result = OneBitMask::convertFile(path(QStringLiteral("TLO.BMP")), original, rename);

    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(path(QStringLiteral("TLO.OLD"))));
    EXPECT_EQ(TestSupport::readFile(path(QStringLiteral("TLO.OLD"))), originalBytes);
}
