#include "textfile.h"

#include "cp1250.h"

#include <QFile>
#include <QFileInfo>

namespace Platform {

std::optional<QString> readTextFile(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > maxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = fromCp1250(file.read(maxBytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace Platform
