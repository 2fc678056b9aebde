#include "textfile.h"

#include "cp1250.h"
#include "safefile.h"

namespace Platform {

std::optional<QString> readTextFile(const QString &path, qint64 maxBytes)
{
    const ReadResult file = readRegularFile(path, maxBytes);
    if (!file.ok())
        return std::nullopt;
    QString text = fromCp1250(file.bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace Platform
