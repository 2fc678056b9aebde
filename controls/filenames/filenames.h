#pragma once

#include <QString>

// 1-based position of the last occurrence of subStr in s; 0 when there is
// none or when s is shorter than subStr.
int LastPos(const QString &subStr, const QString &s);

// The same on null-terminated strings: a pointer to the last occurrence of
// subStr in s, nullptr when there is none.
const char *StrLastPos(const char *s, const char *subStr);

// fileName with its extension replaced by newExt (given without the dot):
// only the last suffix of the name part changes, a dot in a folder name
// never counts, and a name whose only dot is its first character (".profile")
// has no suffix, so the new one is appended. Without keepPath only the name
// part is returned. Both "/" and "\" separate folders.
QString ChangeExtension(const QString &fileName, const QString &newExt, bool keepPath);
