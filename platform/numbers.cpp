#include "numbers.h"

#include <QString>

namespace Platform {

std::optional<qint32> parseInt32(QStringView text)
{
    bool ok = false;
    qlonglong value = 0;
    if (text.startsWith(u'$'))
        value = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(u"0x", Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    if (!ok || value < -0x80000000LL || value > 0xFFFFFFFFLL)
        return std::nullopt;
    return static_cast<qint32>(static_cast<quint32>(value));
}

} // namespace Platform
