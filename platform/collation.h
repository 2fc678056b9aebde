#pragma once

#include <QString>

namespace Platform {

// Compares two texts as a Polish user's desktop orders them: without regard
// to letter case, and each letter with a diacritic right after its base
// letter (a < ą < b, l < ł < m, z < ź < ż). The same on every machine,
// whatever locales it has installed. Returns <0, 0 or >0.
int compareText(const QString &a, const QString &b);

inline bool textLess(const QString &a, const QString &b)
{
    return compareText(a, b) < 0;
}

} // namespace Platform
