#include "masks.h"

#include <cp1250.h>
#include <collation.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace Masks {
namespace {

const QString Star = QStringLiteral("*");
const QString AnyWithDot = QStringLiteral("*.*");

bool isPlain(const QString &mask)
{
    return !mask.contains(u'*') && !mask.contains(u'?');
}

// Every "*" and "?" is a token of its own; each run of other characters is
// one literal token.
QStringList tokensOf(const QString &mask)
{
    QStringList tokens;
    QString literal;
    for (const QChar c : mask) {
        if (c == u'*' || c == u'?') {
            if (!literal.isEmpty())
                tokens << std::exchange(literal, QString());
            tokens << QString(c);
        } else {
            literal += c;
        }
    }
    if (!literal.isEmpty())
        tokens << literal;
    return tokens;
}

// A position in a text held in memory.
class StringCursor
{
public:
    explicit StringCursor(QStringView text) : m_text(text) {}

    bool skipOne()
    {
        if (m_pos >= m_text.size())
            return false;
        ++m_pos;
        return true;
    }
    bool findFrom(const QString &literal)
    {
        const qsizetype at = m_text.indexOf(literal, m_pos);
        if (at < 0)
            return false;
        m_pos = at + literal.size();
        return true;
    }
    bool matchAt(const QString &literal)
    {
        if (!m_text.mid(m_pos).startsWith(literal))
            return false;
        m_pos += literal.size();
        return true;
    }
    bool atEnd() const { return m_pos == m_text.size(); }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

// A position in the lower-cased text of a file read chunk by chunk. Since
// the matcher never goes back, text before the position is dropped; a
// search keeps the last literal-length-minus-one characters so that an
// occurrence straddling two chunks is still found.
class FileCursor
{
public:
    FileCursor(QFile &file, qint64 chunkBytes) : m_file(file), m_chunkBytes(std::max<qint64>(1, chunkBytes)) {}

    bool skipOne()
    {
        if (!ensure(1))
            return false;
        ++m_pos;
        return true;
    }
    bool findFrom(const QString &literal)
    {
        for (;;) {
            const qsizetype at = m_buffer.indexOf(literal, m_pos);
            if (at >= 0) {
                m_pos = at + literal.size();
                dropConsumed();
                return true;
            }
            m_pos = std::max(m_pos, m_buffer.size() - (literal.size() - 1));
            dropConsumed();
            if (!readChunk())
                return false;
        }
    }
    bool matchAt(const QString &literal)
    {
        if (!ensure(literal.size()) || QStringView(m_buffer).mid(m_pos, literal.size()) != literal)
            return false;
        m_pos += literal.size();
        dropConsumed();
        return true;
    }
    bool atEnd() { return !ensure(1); }

private:
    bool readChunk()
    {
        const QByteArray bytes = m_file.read(m_chunkBytes);
        if (bytes.isEmpty())
            return false;
        m_buffer += Platform::fromCp1250(bytes).toLower();
        return true;
    }
    // At least count characters from the position on, unless the file ends.
    bool ensure(qsizetype count)
    {
        while (m_buffer.size() - m_pos < count) {
            if (!readChunk())
                return false;
        }
        return true;
    }
    void dropConsumed()
    {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }

    QFile &m_file;
    qint64 m_chunkBytes;
    QString m_buffer;
    qsizetype m_pos = 0;
};

// The token walk: "?" takes one character, "*" leaves a star pending, a
// literal after a pending star is taken at its first occurrence (never a
// later one), any other literal must stand at the position.
template <typename Cursor>
bool walkTokens(const QStringList &tokens, Cursor &text)
{
    bool starPending = false;
    for (const QString &token : tokens) {
        if (token == u"?") {
            if (!text.skipOne())
                return false;
        } else if (token == Star) {
            starPending = true;
        } else if (starPending) {
            if (!text.findFrom(token))
                return false;
            starPending = false;
        } else if (!text.matchAt(token)) {
            return false;
        }
    }
    return starPending || text.atEnd();
}

// A mask sorted into the rule that decides it, with its tokens cut once.
struct CompiledMask
{
    enum class Rule { Star, Empty, AnyWithDot, Plain, Tokens };
    Rule rule = Rule::Empty;
    QString text;
    QStringList tokens;
};

CompiledMask compile(const QString &mask)
{
    using Rule = CompiledMask::Rule;
    if (mask == Star)
        return {Rule::Star, mask, {}};
    if (mask.isEmpty())
        return {Rule::Empty, mask, {}};
    if (mask == AnyWithDot)
        return {Rule::AnyWithDot, mask, {}};
    if (isPlain(mask))
        return {Rule::Plain, mask, {}};
    return {Rule::Tokens, mask, tokensOf(mask)};
}

// Each rule decides alone: when a shortcut of the first three does not
// match, the token walk would not match either.
template <typename Cursor>
bool matchOn(Cursor &text, const CompiledMask &mask, bool exact)
{
    switch (mask.rule) {
    case CompiledMask::Rule::Star:
        return true;
    case CompiledMask::Rule::Empty:
        return false;
    case CompiledMask::Rule::AnyWithDot:
        return text.findFrom(QStringLiteral("."));
    case CompiledMask::Rule::Plain:
        return exact ? text.matchAt(mask.text) && text.atEnd() : text.findFrom(mask.text);
    case CompiledMask::Rule::Tokens:
        break;
    }
    return walkTokens(mask.tokens, text);
}

} // namespace

struct MaskMatcher::Compiled : CompiledMask
{
};

MaskMatcher::MaskMatcher(const QStringList &masks)
{
    m_masks.reserve(masks.size());
    for (const QString &mask : masks)
        m_masks.push_back({compile(mask)});
}

MaskMatcher::~MaskMatcher() = default;
MaskMatcher::MaskMatcher(MaskMatcher &&) noexcept = default;
MaskMatcher &MaskMatcher::operator=(MaskMatcher &&) noexcept = default;

bool MaskMatcher::matchesLowerCase(QStringView name, bool exact) const
{
    for (const Compiled &mask : m_masks) {
        StringCursor text(name);
        if (matchOn(text, mask, exact))
            return true;
    }
    return false;
}

bool MaskMatcher::matches(const QString &name, bool exact) const
{
    return matchesLowerCase(name.toLower(), exact);
}

namespace {

QString withStars(const QString &mask)
{
    QString starred = mask;
    if (!mask.contains(u'*') && !mask.contains(u'?') && !mask.contains(u'.'))
        starred = Star + mask + Star;
    if (!starred.contains(u'.') && !starred.endsWith(u'*'))
        starred += Star;
    return starred;
}

} // namespace

QStringList SplitMasks(const QString &text, bool addStars, Case textCase)
{
    if (text.isEmpty())
        return {Star};
    QString separated = text;
    separated.replace(u',', u';');
    if (!separated.endsWith(u';'))
        separated += u';';
    QStringList pieces = separated.split(u';');
    pieces.removeLast(); // what follows the final separator
    QStringList masks;
    for (const QString &piece : std::as_const(pieces)) {
        QString mask = piece.trimmed();
        if (textCase == Case::Lower)
            mask = mask.toLower();
        masks << (addStars ? withStars(mask) : mask);
    }
    std::stable_sort(masks.begin(), masks.end(), Platform::textLess);
    return masks;
}

bool MatchMask(const QString &name, const QString &mask, bool exact)
{
    StringCursor text(name);
    return matchOn(text, compile(mask), exact);
}

bool MatchMaskList(const QString &name, const QStringList &masks, bool exact, Case textCase)
{
    const QString text = textCase == Case::Lower ? name.toLower() : name;
    return std::any_of(masks.begin(), masks.end(),
                       [&](const QString &mask) { return MatchMask(text, mask, exact); });
}

bool SearchFileText(const QString &path, const QStringList &masks, qint64 chunkBytes)
{
    if (masks.isEmpty() || masks.first() == Star)
        return true;
    // Only regular files: a pipe or device could block or never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    for (const QString &mask : masks) {
        if (!file.seek(0))
            return false;
        FileCursor text(file, chunkBytes);
        if (matchOn(text, compile(mask), false))
            return true;
    }
    return false;
}

} // namespace Masks
