#include "menufixture.h"

#include <testsupport.h>

#include <cp1250.h>

#include <QImage>


void MenuFixture::SetUp()
{
    writeCdBytes(QStringLiteral("AUTORUN.INF"), "[AUTORUN]\r\nOPEN=orvanta /OPCJE\r\n");
}

void MenuFixture::TearDown()
{
    window.reset();
    context.reset();
}

QString MenuFixture::cdPath(const QString &name) const
{
    return dir.path() + QStringLiteral("/cd/") + name;
}

QString MenuFixture::writeCdText(const QString &name, const QString &text) const
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return TestSupport::writeFile(cdPath(name), Platform::toCp1250(crlf));
}

void MenuFixture::writeCdBytes(const QString &name, const QByteArray &bytes) const
{
    TestSupport::writeFile(cdPath(name), bytes);
}

void MenuFixture::writeMask(const QString &name, int width, int height) const
{
    QImage mask(width, height, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    TestSupport::writeFile(cdPath(name), {});
    mask.save(cdPath(name), "BMP");
}

void MenuFixture::writePicture(const QString &name, int width, int height, QColor color) const
{
    QImage picture(width, height, QImage::Format_RGB888);
    picture.fill(color);
    TestSupport::writeFile(cdPath(name), {});
    picture.save(cdPath(name), "BMP");
}

TForm1 &MenuFixture::build()
{
    context = std::make_unique<RuntimeContext>(cdPath(QStringLiteral("orvanta")), dir.path() + QStringLiteral("/settings"));
    window = std::make_unique<TForm1>(*context);
    return *window;
}
