#include "designerfixture.h"

#include <cp1250.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <testsupport.h>

void DesignerFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    TestSupport::writeFile(drivePath(QStringLiteral("AUTORUN.INF")), "[autorun]\r\n");
    context.DriveRoot = drivePath();
    context.GeneratorDir = drivePath(QStringLiteral("KALVOR/"));
    context.DataDir = drivePath(QStringLiteral("userdata/ZeltrinSoftware/"));
    context.setPalette(&palette);
    context.setUndo(&undo);
}

void DesignerFixture::TearDown()
{
    delete context.Surface.data();
}

QString DesignerFixture::drivePath(const QString &name) const
{
    return dir.path() + u'/' + name;
}

QByteArray DesignerFixture::stored(const QString &text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
    return Platform::toCp1250(crlf);
}

QString DesignerFixture::writeText(const QString &name, const QString &text) const
{
    return TestSupport::writeFile(drivePath(name), stored(text));
}

QByteArray DesignerFixture::readBytes(const QString &name) const
{
    return TestSupport::readFile(drivePath(name));
}

void DesignerFixture::writePicture(const QString &name, int width, int height, QColor color) const
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(color);
    QDir().mkpath(QFileInfo(drivePath(name)).absolutePath());
    ASSERT_TRUE(picture.save(drivePath(name), "BMP"));
}

void DesignerFixture::load(const QString &name)
{
    project.LoadINI(drivePath(name));
    QApplication::processEvents();
}

void DesignerFixture::loadEmpty(const QString &name)
{
    TestSupport::writeFile(drivePath(name), {});
    load(name);
}
