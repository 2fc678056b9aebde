#include "profilefile.h"

#include "cp1250.h"
#include "numbers.h"
#include "safefile.h"

#include <algorithm>
#include <array>

namespace Platform {
namespace {

// Names are nearly always written without blanks around them: those skip
// the trimming call.
QStringView trimmedName(QStringView name)
{
    if (name.isEmpty() || (!name.front().isSpace() && !name.back().isSpace()))
        return name;
    return name.trimmed();
}

QStringView unquoted(QStringView value)
{
    value = value.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value;
}

// "[name]" with optional blanks; returns the name, or a null view when the
// line is no section header. The name runs to the last "]" of the line, so
// "[A]B]" names "A]B" as the Windows profile functions read it.
QStringView sectionHeaderName(QStringView line)
{
    line = trimmedName(line);
    if (!line.startsWith(u'['))
        return {};
    const qsizetype close = line.lastIndexOf(u']');
    if (close < 0)
        return {};
    // A view into the line even when empty: "[]" is a header too.
    return line.mid(1, close - 1).trimmed();
}

// The lines of a text without their line ends (LF or CRLF); a last line end
// starts no line of its own.
std::vector<QStringView> splitLines(QStringView text)
{
    std::vector<QStringView> lines;
    if (text.isEmpty())
        return lines;
    if (text.endsWith(u'\n'))
        text.chop(1);
    lines.reserve(size_t(text.count(u'\n')) + 1);
    for (qsizetype start = 0;;) {
        const qsizetype end = text.indexOf(u'\n', start);
        QStringView line = text.sliced(start, (end < 0 ? text.size() : end) - start);
        if (line.endsWith(u'\r'))
            line.chop(1);
        lines.push_back(line);
        if (end < 0)
            return lines;
        start = end + 1;
    }
}

QString singleLine(QString value)
{
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

// Sections with fewer keys are searched line by line.
constexpr int kIndexedSectionSize = 64;

// ASCII letters fold by table: names are nearly all ASCII, and a look-up
// costs one comparison where a range test costs three.
constexpr std::array<char16_t, 128> kFoldedAscii = [] {
    std::array<char16_t, 128> folded{};
    for (char16_t c = 0; c < 128; ++c)
        folded[c] = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return folded;
}();

char16_t foldedChar(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x80 ? kFoldedAscii[u] : c.toCaseFolded().unicode();
}

bool sameFoldedLetters(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    // Names are nearly always written as they are asked for.
    if (a == b)
        return true;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldedChar(a[i]) != foldedChar(b[i]))
            return false;
    }
    return true;
}

size_t foldedLettersHash(QStringView name)
{
    size_t hash = 14695981039346656037ull;
    for (const QChar c : name)
        hash = (hash ^ foldedChar(c)) * 1099511628211ull;
    return hash;
}

} // namespace

namespace ProfileSyntax {

QString sectionName(QStringView line)
{
    return sectionHeaderName(line).toString();
}

bool splitKeyLine(QStringView line, QStringView &key, QStringView &value)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || trimmedName(line).startsWith(u';'))
        return false;
    key = trimmedName(line.first(equals));
    value = line.sliced(equals + 1);
    return !key.isEmpty();
}

QString value(QStringView raw)
{
    return unquoted(raw).toString();
}

QStringView valueView(QStringView raw)
{
    return unquoted(raw);
}

QString foldedName(QStringView name)
{
    name = name.trimmed();
    QString folded(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i)
        folded[i] = QChar(foldedChar(name[i]));
    return folded;
}

bool sameName(QStringView a, QStringView b)
{
    return sameFoldedLetters(trimmedName(a), trimmedName(b));
}

size_t foldedHash(QStringView name)
{
    return foldedLettersHash(trimmedName(name));
}

} // namespace ProfileSyntax

ProfileFile::FoldedName::FoldedName(QStringView name)
    : text(trimmedName(name))
    , hash(foldedLettersHash(text))
{
}

bool ProfileFile::FoldedName::operator==(const FoldedName &other) const noexcept
{
    return hash == other.hash && sameFoldedLetters(text, other.text);
}

ProfileFile::ProfileFile(const QString &fileName)
    : m_fileName(fileName)
{
    load(readRegularFile(m_fileName, maxFileSize));
}

ProfileFile::~ProfileFile() = default;

void ProfileFile::reload()
{
    ReadResult file = readRegularFile(m_fileName, maxFileSize);
    // Unchanged in memory and on disk: parsing the same bytes again would
    // give what is here.
    if (!m_modified && file.ok() && m_parsedBytes && file.bytes == *m_parsedBytes) {
        m_error.clear();
        return;
    }
    m_sections.clear();
    m_sectionIndex.clear();
    m_modified = false;
    m_readFailure.clear();
    m_endsWithNewline = true;
    m_error.clear();
    load(std::move(file));
}

void ProfileFile::load(ReadResult file)
{
    m_parsedBytes.reset();
    if (file.status == ReadResult::Status::Missing) {
        parse({});
        return;
    }
    if (!file.ok()) {
        // Better to show defaults than to replace a file we could not read.
        m_readFailure = file.reason;
        m_error = file.error;
        parse({});
        return;
    }
    m_endsWithNewline = file.bytes.isEmpty() || file.bytes.endsWith('\n');
    parse(fromCp1250(file.bytes));
    m_parsedBytes = std::move(file.bytes);
}

void ProfileFile::parse(const QString &text)
{
    // The sections of an earlier text are gone: nothing views it any more.
    m_parsedText = text;
    const std::vector<QStringView> lines = splitLines(m_parsedText);
    size_t next = 0;
    // Each section's lines are counted first, so each is stored at once.
    const auto takeLines = [&](Section &section) {
        size_t end = next;
        while (end < lines.size() && sectionHeaderName(lines[end]).isNull())
            ++end;
        section.lines.reserve(end - next);
        for (; next < end; ++next) {
            section.lines.push_back({Piece(lines[next])});
            indexLine(section, int(section.lines.size()) - 1);
        }
    };

    auto preamble = std::make_unique<Section>();
    preamble->hasHeader = false;
    takeLines(*preamble);
    m_sections.push_back(std::move(preamble));
    while (next < lines.size()) {
        auto section = std::make_unique<Section>();
        section->name = sectionHeaderName(lines[next]).toString();
        section->headerText = Piece(lines[next]);
        ++next;
        takeLines(*section);
        m_sections.push_back(std::move(section));
    }
    rebuildSectionIndex();
}

void ProfileFile::indexLine(Section &section, int lineNumber)
{
    if (!section.hasHeader)
        return; // lines before the first section belong to no section
    Line &line = section.lines[size_t(lineNumber)];
    const QStringView text = line.text.view();
    QStringView key;
    QStringView value;
    if (!ProfileSyntax::splitKeyLine(text, key, value))
        return;
    line.keyStart = int(key.data() - text.data());
    line.keyLength = int(key.size());
    line.valueStart = int(value.data() - text.data());
    line.keyHash = foldedLettersHash(key);
    section.lastKeyLine = std::max(section.lastKeyLine, lineNumber);
    if (++section.keyCount < kIndexedSectionSize)
        return;
    if (section.keyIndex.empty()) {
        for (int i = 0; i < int(section.lines.size()); ++i) {
            if (section.lines[size_t(i)].isKey())
                section.keyIndex.try_emplace(section.lines[size_t(i)].keyName(), i);
        }
    } else {
        section.keyIndex.try_emplace(line.keyName(), lineNumber);
    }
}

int ProfileFile::findKeyLine(const Section &section, const FoldedName &key)
{
    if (!section.keyIndex.empty()) {
        const auto it = section.keyIndex.find(key);
        return it == section.keyIndex.end() ? -1 : it->second;
    }
    // Lines of another hash are passed without looking at their text.
    for (int i = 0; i <= section.lastKeyLine; ++i) {
        const Line &line = section.lines[size_t(i)];
        if (line.keyHash == key.hash && line.isKey() && line.keyName() == key)
            return i;
    }
    return -1;
}

void ProfileFile::reindexSection(Section &section)
{
    section.keyIndex.clear();
    section.keyCount = 0;
    section.lastKeyLine = -1;
    for (int i = 0; i < int(section.lines.size()); ++i)
        indexLine(section, i);
}

void ProfileFile::rebuildSectionIndex()
{
    m_lastSection = nullptr;
    m_sectionIndex.clear();
    m_sectionIndex.reserve(m_sections.size());
    for (size_t i = 0; i < m_sections.size(); ++i) {
        Section &section = *m_sections[i];
        if (section.hasHeader)
            section.duplicate = !m_sectionIndex.try_emplace(FoldedName(section.name), int(i)).second;
    }
}

ProfileFile::Section *ProfileFile::findSection(const FoldedName &name)
{
    const auto it = m_sectionIndex.find(name);
    return it == m_sectionIndex.end() ? nullptr : m_sections[size_t(it->second)].get();
}

const ProfileFile::Section *ProfileFile::findSection(const FoldedName &name) const
{
    return const_cast<ProfileFile *>(this)->findSection(name);
}

// Reads and writes go through one section after another, naming it with one
// string: while the caller passes the very same characters (which the kept
// copy holds in place), the section found last is the one.
ProfileFile::Section *ProfileFile::sectionNamed(const QString &section) const
{
    if (m_lastSection && section.constData() == m_lastSectionName.constData()
        && section.size() == m_lastSectionName.size())
        return m_lastSection;
    Section *found = const_cast<ProfileFile *>(this)->findSection(FoldedName(section));
    if (found) {
        m_lastSectionName = section;
        m_lastSection = found;
    }
    return found;
}

const ProfileFile::Line *ProfileFile::findLine(const QString &section, const QString &key) const
{
    const Section *s = sectionNamed(section);
    if (!s)
        return nullptr;
    const int lineNumber = findKeyLine(*s, FoldedName(key));
    return lineNumber < 0 ? nullptr : &s->lines[size_t(lineNumber)];
}

bool ProfileFile::sectionExists(const QString &section) const
{
    return findSection(FoldedName(section)) != nullptr;
}

bool ProfileFile::valueExists(const QString &section, const QString &key) const
{
    return findLine(section, key) != nullptr;
}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    const Line *line = findLine(section, key);
    return line ? unquoted(line->text.view().mid(line->valueStart)).toString() : defaultValue;
}

int ProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    const Line *line = findLine(section, key);
    if (!line)
        return defaultValue;
    return parseInt32(unquoted(line->text.view().mid(line->valueStart))).value_or(defaultValue);
}

bool ProfileFile::readBool(const QString &section, const QString &key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

QStringList ProfileFile::sectionNames() const
{
    QStringList names;
    for (const auto &section : m_sections) {
        if (section->hasHeader && !section->duplicate)
            names.append(section->name);
    }
    return names;
}

QStringList ProfileFile::keyNames(const QString &section) const
{
    QStringList names;
    if (const Section *s = findSection(FoldedName(section))) {
        for (int i = 0; i < int(s->lines.size()); ++i) {
            const Line &line = s->lines[size_t(i)];
            // Only the first of duplicate keys counts.
            if (line.isKey() && findKeyLine(*s, line.keyName()) == i)
                names.append(line.key().toString());
        }
    }
    return names;
}

QStringList ProfileFile::sectionValues(const QString &section) const
{
    QStringList values;
    for (const QString &key : keyNames(section))
        values.append(key + u'=' + readString(section, key, {}));
    return values;
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    const QString cleanValue = singleLine(value);
    Section *s = sectionNamed(section);
    if (!s) {
        auto fresh = std::make_unique<Section>();
        fresh->name = section.trimmed();
        fresh->headerText = Piece(u'[' + fresh->name + u']');
        m_sections.push_back(std::move(fresh));
        m_sectionIndex.try_emplace(FoldedName(m_sections.back()->name), int(m_sections.size()) - 1);
        s = m_sections.back().get();
    }
    const FoldedName keyName(key);
    const int lineNumber = findKeyLine(*s, keyName);
    if (lineNumber >= 0) {
        Line &line = s->lines[size_t(lineNumber)];
        const QStringView text = line.text.view();
        if (text.sliced(line.valueStart) == cleanValue)
            return;
        // An index holds a view of the old text: replace the entry with one
        // of the new text.
        const bool indexed = s->keyIndex.erase(line.keyName()) > 0;
        QString changed;
        changed.reserve(line.valueStart + cleanValue.size());
        changed.append(text.first(line.valueStart)).append(cleanValue);
        line.text = Piece(std::move(changed));
        if (indexed)
            s->keyIndex.try_emplace(line.keyName(), lineNumber);
    } else {
        // After the last key, so trailing blank lines and comments stay
        // between this section and the next.
        const int at = s->lastKeyLine + 1;
        // A section made by writing gets its keys one by one: room for a
        // few at once spares growing it at every other key.
        if (s->lines.capacity() == 0)
            s->lines.reserve(16);
        QString text;
        text.reserve(keyName.text.size() + 1 + cleanValue.size());
        text.append(keyName.text).append(u'=').append(cleanValue);
        s->lines.insert(s->lines.begin() + at, Line{Piece(std::move(text))});
        indexLine(*s, at);
    }
    m_modified = true;
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

template <typename Predicate>
void ProfileFile::eraseKeyLines(Section &section, Predicate isErased)
{
    section.keyIndex.clear(); // its views die with the lines
    std::erase_if(section.lines, [&](const Line &line) { return line.isKey() && isErased(line); });
    reindexSection(section);
    m_modified = true;
}

void ProfileFile::deleteKey(const QString &section, const QString &key)
{
    Section *s = findSection(FoldedName(section));
    const FoldedName keyName(key);
    if (!s || findKeyLine(*s, keyName) < 0)
        return;
    eraseKeyLines(*s, [&](const Line &line) { return line.keyName() == keyName; });
}

void ProfileFile::deleteKeys(const QString &section)
{
    Section *s = findSection(FoldedName(section));
    if (s && s->keyCount > 0)
        eraseKeyLines(*s, [](const Line &) { return true; });
}

void ProfileFile::eraseSection(const QString &section)
{
    const FoldedName name(section);
    m_sectionIndex.clear(); // its views die with the sections
    const auto erased = std::erase_if(m_sections, [&](const std::unique_ptr<Section> &s) {
        return s->hasHeader && FoldedName(s->name) == name;
    });
    rebuildSectionIndex();
    if (erased > 0)
        m_modified = true;
}

QString ProfileFile::text() const
{
    constexpr QStringView lineEnd = u"\r\n";
    qsizetype size = 0;
    for (const auto &section : m_sections) {
        if (section->hasHeader)
            size += section->headerText.view().size() + lineEnd.size();
        for (const Line &line : section->lines)
            size += line.text.view().size() + lineEnd.size();
    }
    QString text;
    text.reserve(size);
    for (const auto &section : m_sections) {
        if (section->hasHeader)
            text.append(section->headerText.view()).append(lineEnd);
        for (const Line &line : section->lines)
            text.append(line.text.view()).append(lineEnd);
    }
    if (!m_endsWithNewline && text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    return text;
}

void ProfileFile::setText(const QString &text)
{
    m_sections.clear();
    m_sectionIndex.clear();
    m_endsWithNewline = text.isEmpty() || text.endsWith(u'\n');
    parse(text);
    m_modified = true;
}

bool ProfileFile::flush()
{
    if (!m_modified)
        return true;
    // Nothing was written, for the reason the file could not be read.
    if (!m_readFailure.isEmpty()) {
        m_error = writeFailure(m_fileName, m_readFailure);
        return false;
    }
    if (const WriteResult written = writeWholeFile(m_fileName, toCp1250(text())); !written.ok()) {
        m_error = written.error;
        return false;
    }
    // What is on disk now may read back otherwise (a character Windows-1250
    // has not), so a reload parses it.
    m_parsedBytes.reset();
    m_modified = false;
    m_error.clear();
    return true;
}

} // namespace Platform
