#include "filenames.h"

#include <cstring>

int LastPos(const QString &subStr, const QString &s)
{
    if (subStr.isEmpty() || s.size() < subStr.size())
        return 0;
    return int(s.lastIndexOf(subStr)) + 1;
}

const char *StrLastPos(const char *s, const char *subStr)
{
    if (!s || !subStr || !*subStr)
        return nullptr;
    const size_t length = std::strlen(s);
    const size_t subLength = std::strlen(subStr);
    for (size_t start = length; start >= subLength && start > 0; --start) {
        const char *candidate = s + (start - subLength);
        if (std::strncmp(candidate, subStr, subLength) == 0)
            return candidate;
    }
    return nullptr;
}

QString ChangeExtension(const QString &fileName, const QString &newExt, bool keepPath)
{
    const qsizetype nameStart = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\')) + 1;
    const QString folder = fileName.left(nameStart);
    QString name = fileName.mid(nameStart);
    // A dot at the start of a name belongs to the name, not to a suffix.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot > 0)
        name.truncate(dot);
    const QString changed = name + u'.' + newExt;
    return keepPath ? folder + changed : changed;
}
