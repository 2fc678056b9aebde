#include "textfile.h"

#include "cp1250.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

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

QStringList readTextLines(const QString &path)
{
    const std::optional<QString> text = readTextFile(path);
    if (!text || text->isEmpty())
        return {};
    QStringList lines = text->split(u'\n');
    if (text->endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

} // namespace Platform
