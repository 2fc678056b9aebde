#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace TestSupport {

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString outputDir()
{
    const QString dir = QStringLiteral(KALVORA_TEST_OUTPUT_DIR);
    QDir().mkpath(dir);
    return dir;
}

} // namespace TestSupport
