#include "collation.h"

namespace Platform {
namespace {

// The sort key of one character: its base letter, then which diacritic.
struct CharKey {
    char32_t base;
    char32_t mark; // 0 for none; letters with a mark follow their base letter
    auto operator<=>(const CharKey &) const = default;
};

CharKey keyOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return {char32_t(u >= u'A' && u <= u'Z' ? u + 32 : u), 0};
    const QChar lower = c.toCaseFolded();
    // The stroke of ł is no combining mark, so it has no decomposition.
    if (lower == QChar(0x0142))
        return {u'l', 0x0335};
    if (lower.decompositionTag() == QChar::Canonical) {
        const QString parts = lower.decomposition();
        if (parts.size() == 2)
            return {parts[0].unicode(), parts[1].unicode()};
    }
    return {lower.unicode(), 0};
}

} // namespace

int compareText(const QString &a, const QString &b)
{
    const qsizetype common = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const CharKey left = keyOf(a[i]);
        const CharKey right = keyOf(b[i]);
        if (left != right)
            return left < right ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace Platform
