#include "datafile.h"

#include <cp1250.h>
#include <folderhandle.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>

#include <QFileInfo>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace DataFile {
namespace {

const QString kTitle = QStringLiteral("TITLE");
const QString kDesc = QStringLiteral("DESC");
const QString kLineEnd = QStringLiteral("\r\n");

struct KeyField
{
    const QString &key;
    QString Program::*field;
};

// The keys in the order they are written.
const std::array<KeyField, 10> &programKeys()
{
    static const std::array<KeyField, 10> keys{{
        {Keys::Setup, &Program::setup},
        {Keys::Opis, &Program::opis},
        {Keys::Katalog, &Program::katalog},
        {Keys::Kopia, &Program::kopia},
        {Keys::Numer, &Program::numer},
        {Keys::System, &Program::system},
        {Keys::Rozmiar, &Program::rozmiar},
        {Keys::Info, &Program::info},
        {Keys::Ambitny, &Program::ambitny},
        {Keys::Zrzut, &Program::zrzut},
    }};
    return keys;
}

// Section names compare as the profile functions compare them.
QString foldedName(const QString &name)
{
    return Platform::ProfileSyntax::foldedName(name);
}

// The first program of each folded-name hash: an open-addressing table in
// one block of memory, which a long list of names walks with fewer cache
// misses than a hash of separate nodes.
class FirstProgramByHash
{
public:
    void reserve(qsizetype count)
    {
        if (count * 2 > qsizetype(m_slots.size()))
            rehash(std::bit_ceil(size_t(count) * 2));
    }

    // The program recorded for hash; -1 after recording index for it.
    qsizetype findOrRecord(size_t hash, qsizetype index)
    {
        reserve(m_count + 1);
        for (size_t at = slotOf(hash);; at = (at + 1) & (m_slots.size() - 1)) {
            Slot &slot = m_slots[at];
            if (slot.index < 0) {
                slot = {hash, index};
                ++m_count;
                return -1;
            }
            if (slot.hash == hash)
                return slot.index;
        }
    }

private:
    struct Slot
    {
        size_t hash = 0;
        qsizetype index = -1; // -1: empty
    };

    // Fibonacci hashing spreads the hash's high bits over the table.
    size_t slotOf(size_t hash) const { return (hash * 0x9E3779B97F4A7C15ull) >> m_shift; }

    void rehash(size_t size)
    {
        std::vector<Slot> old(size);
        old.swap(m_slots);
        m_shift = 64 - std::countr_zero(size);
        m_count = 0;
        for (const Slot &slot : old) {
            if (slot.index >= 0)
                findOrRecord(slot.hash, slot.index);
        }
    }

    std::vector<Slot> m_slots;
    int m_shift = 64;
    qsizetype m_count = 0;
};

// Reads a data file in one pass over its bytes, block by block, decoding a
// line at a time, so large files are read in time linear in their size and
// never held whole.
//  - The header is the first "TITLE=" and the first "DESC=" line anywhere,
//    as a list of name=value lines finds them.
//  - Programs are read as the profile functions read them: the first
//    section of a name wins, and in it the first value of each key.
class DataFileParser
{
public:
    // Without programs, reading stops once the header is complete.
    DataFileParser(Header &header, QList<Program> *programs)
        : m_header(header)
        , m_programs(programs)
    {
    }

    // The size of the whole file, told before its first block.
    void expectBytes(qint64 fileSize) { m_bytesLeft = fileSize; }

    // The next block of the file; false once nothing more is wanted.
    bool feed(QByteArrayView block)
    {
        m_bytesLeft -= block.size();
        const bool more = feedLines(block);
        reserveForTheRest(block.size());
        return more;
    }

    // The last line, when the file does not end with a line end.
    void finish()
    {
        if (!m_stopped && !m_partLine.isEmpty())
            readRawLine(m_partLine);
    }

private:
    // Growing a list of many programs step by step copies it several times
    // over; after the first block the rest of the file is guessed to hold
    // programs as densely, and room for them is taken at once. A guess too
    // small only means the list grows as usual from there.
    void reserveForTheRest(qsizetype blockSize)
    {
        if (m_reserved || !m_programs || m_bytesLeft <= 0 || blockSize <= 0)
            return;
        m_reserved = true;
        const qint64 expected = m_programs->size() + (m_programs->size() + 1) * m_bytesLeft / blockSize;
        m_programs->reserve(qsizetype(expected + expected / 8));
        m_firstWithHash.reserve(m_programs->capacity());
    }

    bool feedLines(QByteArrayView block)
    {
        qsizetype start = 0;
        if (!m_partLine.isEmpty()) {
            // The line the last block ended in.
            const qsizetype end = block.indexOf('\n');
            if (end < 0) {
                m_partLine += block;
                return true;
            }
            m_partLine += block.first(end);
            if (!readRawLine(m_partLine))
                return false;
            m_partLine.truncate(0); // keeps its storage for the next one
            start = end + 1;
        }
        for (qsizetype end = block.indexOf('\n', start); end >= 0; end = block.indexOf('\n', start)) {
            if (!readRawLine(block.sliced(start, end - start)))
                return false;
            start = end + 1;
        }
        m_partLine.append(block.sliced(start));
        return true;
    }

    bool readRawLine(QByteArrayView line)
    {
        if (line.endsWith('\r'))
            line.chop(1);
        m_stopped = !readLine(line);
        return !m_stopped;
    }

    bool readLine(QByteArrayView bytes)
    {
        Platform::decodeCp1250(bytes, m_line);
        readHeaderLine();
        if (!m_programs)
            return !(m_haveTitle && m_haveDesc);
        readProgramLine();
        return true;
    }

    void readHeaderLine()
    {
        if (m_haveTitle && m_haveDesc)
            return;
        const QStringView line(m_line);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return;
        const QStringView name = line.first(equals);
        if (!m_haveTitle && name.compare(kTitle, Qt::CaseInsensitive) == 0) {
            m_header.title = line.sliced(equals + 1).toString();
            m_haveTitle = true;
        } else if (!m_haveDesc && name.compare(kDesc, Qt::CaseInsensitive) == 0) {
            m_header.description = line.sliced(equals + 1).toString();
            m_haveDesc = true;
        }
    }

    void readProgramLine()
    {
        namespace Syntax = Platform::ProfileSyntax;
        const QString section = Syntax::sectionName(m_line);
        if (!section.isNull()) {
            startProgram(section);
            return;
        }
        QStringView key;
        QStringView value;
        if (!m_inProgram || !Syntax::splitKeyLine(m_line, key, value))
            return;
        const auto &keys = programKeys();
        for (size_t i = 0; i < keys.size(); ++i) {
            if (!m_haveKey[i] && Syntax::sameName(key, keys[i].key)) {
                m_programs->last().*keys[i].field = sharedValue(i, Syntax::valueView(value));
                m_haveKey[i] = true;
                return;
            }
        }
    }

    // Values such as SYSTEM or INFO often repeat from one program to the
    // next; a repeat shares the previous string instead of allocating.
    const QString &sharedValue(size_t keyIndex, QStringView value)
    {
        QString &last = m_lastValues[keyIndex];
        if (last != value)
            last = value.toString();
        return last;
    }

    void startProgram(const QString &name)
    {
        m_inProgram = !readBefore(name);
        if (!m_inProgram)
            return; // a repeated section is never read
        m_programs->append(Program{});
        m_programs->last().name = name;
        m_haveKey.fill(false);
    }

    // Whether a program of that name, in any letter case, was read already.
    // The names are found by their hashes, so no folded copy of each is kept.
    bool readBefore(const QString &name)
    {
        namespace Syntax = Platform::ProfileSyntax;
        const qsizetype first = m_firstWithHash.findOrRecord(Syntax::foldedHash(name), m_programs->size());
        if (first < 0)
            return false;
        if (Syntax::sameName(m_programs->at(first).name, name))
            return true;
        // Two names of one hash: rare enough for a scan.
        return std::any_of(m_programs->cbegin(), m_programs->cend(),
                           [&name](const Program &program) { return Syntax::sameName(program.name, name); });
    }

    Header &m_header;
    QList<Program> *m_programs;
    QString m_line; // the line being read, its storage reused
    QByteArray m_partLine; // the start of a line cut by the end of a block
    bool m_stopped = false; // nothing more wanted
    qint64 m_bytesLeft = 0; // of the file, after the blocks fed so far
    bool m_reserved = false; // room for the programs taken after the first block
    bool m_haveTitle = false;
    bool m_haveDesc = false;
    FirstProgramByHash m_firstWithHash;
    std::array<QString, 10> m_lastValues; // the last value read of each key
    bool m_inProgram = false; // false before the first section and in repeats
    std::array<bool, 10> m_haveKey{};
};

QString singleLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// The profile functions drop blanks around a value and one pair of quotes
// that encloses it; quoting such a value keeps it as it is.
QString valueText(const QString &value)
{
    const QString line = singleLine(value);
    const bool blanksAround = line != line.trimmed();
    const bool enclosedInQuotes = line.size() >= 2 && (line.front() == u'"' || line.front() == u'\'')
                                  && line.back() == line.front();
    if (blanksAround || enclosedInQuotes)
        return u'"' + line + u'"';
    return line;
}

QString dataFileText(const Category &category)
{
    QString text;
    text.reserve(64 + category.programs.size() * 256);
    text += kTitle + u'=' + singleLine(category.title) + kLineEnd;
    text += kDesc + u'=' + singleLine(category.description) + kLineEnd;
    text += kLineEnd;
    for (const Program &program : category.programs) {
        text += u'[' + program.name + u']' + kLineEnd;
        for (const KeyField &key : programKeys())
            text += key.key + u'=' + valueText(program.*key.field) + kLineEnd;
    }
    return text;
}

bool hasControlCharacters(const QString &name)
{
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

} // namespace

const Program *Category::findProgram(const QString &name) const
{
    const QString folded = foldedName(name);
    for (const Program &program : programs) {
        if (foldedName(program.name) == folded)
            return &program;
    }
    return nullptr;
}

namespace {

// Reads fileName through parser; false when the file cannot be read.
bool parseFile(const QString &fileName, DataFileParser &parser)
{
    const auto feed = [&parser](QByteArrayView block) { return parser.feed(block); };
    const auto sized = [&parser](qint64 size) { parser.expectBytes(size); };
    if (!Platform::readRegularFileInBlocks(fileName, Platform::SizeLimits::Profile, feed, sized).ok())
        return false;
    parser.finish();
    return true;
}

} // namespace

ReadResult read(const QString &fileName)
{
    ReadResult result;
    Header header;
    DataFileParser parser(header, &result.category.programs);
    if (!parseFile(fileName, parser))
        return {{}, Messages::readError()};
    result.category.title = header.title;
    result.category.description = header.description;
    return result;
}
Header readHeader(const QString &fileName)
{
    Header header;
    DataFileParser parser(header, nullptr);
    parseFile(fileName, parser);
    return header;
}
Result write(const QString &fileName, const Category &category)
{
    if (Result check = checkProgramNames(category.programs); !check.ok())
        return check;
    if (const Platform::WriteResult written = Platform::writeWholeFile(fileName, Platform::toCp1250(dataFileText(category)));
        !written.ok())
        return {Messages::writeError(fileName, written.error)};
    return {};
}

Result checkProgramName(const QString &name)
{
    if (name.isEmpty())
        return {Messages::emptyProgramName()};
    if (hasControlCharacters(name) || !Platform::isCp1250Encodable(name))
        return {Messages::programNameWithBadCharacters(name)};
    if (name.contains(u']'))
        return {Messages::programNameWithBracket(name)};
    if (name != name.trimmed())
        return {Messages::programNameWithEdgeBlanks(name)};
    return {};
}

Result checkProgramNames(const QList<Program> &programs)
{
    QHash<QString, qsizetype> seen; // folded name -> index of its first program
    seen.reserve(programs.size());
    for (qsizetype i = 0; i < programs.size(); ++i) {
        const QString &name = programs[i].name;
        if (Result check = checkProgramName(name); !check.ok())
            return check;
        const QString folded = foldedName(name);
        if (const auto it = seen.constFind(folded); it != seen.cend())
            return {Messages::duplicateProgramNames(programs[*it].name, name)};
        seen.insert(folded, i);
    }
    return {};
}

QString formatSize(qint64 bytes, const QString &groupSeparator)
{
    const QString unit = QStringLiteral(" KB");
    const qint64 kilobytes = bytes <= 0 ? 0 : bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    if (kilobytes == 0)
        return unit;
    QString digits = QString::number(kilobytes);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, groupSeparator);
    return digits + unit;
}

QString formatSize(qint64 bytes)
{
    return formatSize(bytes, QLocale::system().groupSeparator());
}

qint64 totalFileSize(const QString &folder)
{
    using Platform::FolderHandle;
    // One folder of the path walked: its subfolders and the next to enter.
    struct Level
    {
        Platform::FolderId id;
        std::vector<QByteArray> subfolders;
        size_t next = 0;
    };
    qint64 total = 0;
    std::vector<Level> path;
    // Only the folder being read is open; the way back goes through "..",
    // so neither the depth of the tree nor the length of its paths matters.
    FolderHandle current = FolderHandle::open(QFileInfo(folder).absoluteFilePath());
    const auto read = [&] {
        Level level{current.id(), {}};
        FolderHandle::Entry entry;
        while (current.next(entry)) {
            if (entry.kind == FolderHandle::Kind::File)
                total += std::max<qint64>(current.fileSize(entry.name), 0);
            else if (entry.kind == FolderHandle::Kind::Folder)
                level.subfolders.push_back(entry.name);
        }
        path.push_back(std::move(level));
    };
    const auto onPath = [&path](const Platform::FolderId &id) {
        return std::any_of(path.begin(), path.end(), [&id](const Level &level) { return level.id == id; });
    };
    if (!current.isOpen())
        return 0;
    read();
    while (!path.empty()) {
        Level &top = path.back();
        if (top.next < top.subfolders.size()) {
            FolderHandle child = current.openChild(top.subfolders[top.next++]);
            if (child.isOpen() && !onPath(child.id())) { // a folder mounted below itself is counted once
                current = std::move(child);
                read();
            }
            continue;
        }
        path.pop_back();
        if (path.empty())
            break;
        FolderHandle parent = current.openParent();
        if (!parent.isOpen() || !(parent.id() == path.back().id))
            break; // the tree changed under the walk
        current = std::move(parent);
    }
    return total;
}

QString storedFolderPath(const QString &driveRoot, const QString &folder)
{
    QString stored = Platform::toStoredPath(driveRoot, folder);
    if (!stored.isEmpty() && !stored.endsWith(u'\\'))
        stored += u'\\';
    return stored;
}

const QList<PathValuedKey> &pathValuedKeys()
{
    static const QList<PathValuedKey> keys = {
        {Keys::Setup, PathKind::File},         {Keys::Katalog, PathKind::Folder},
        {Keys::Opis, PathKind::FileOrText},    {Keys::Ambitny, PathKind::File},
        {Keys::Zrzut, PathKind::File},
    };
    return keys;
}

QString *fieldOf(Program &program, const QString &key)
{
    const struct {
        const QString &name;
        QString &value;
    } fields[] = {
        {Keys::Setup, program.setup},     {Keys::Opis, program.opis},       {Keys::Katalog, program.katalog},
        {Keys::Kopia, program.kopia},     {Keys::Numer, program.numer},     {Keys::System, program.system},
        {Keys::Rozmiar, program.rozmiar}, {Keys::Info, program.info},       {Keys::Ambitny, program.ambitny},
        {Keys::Zrzut, program.zrzut},
    };
    for (const auto &field : fields)
        if (field.name.compare(key, Qt::CaseInsensitive) == 0)
            return &field.value;
    return nullptr;
}

QString valueOf(const Program &program, const QString &key)
{
    const QString *field = fieldOf(const_cast<Program &>(program), key);
    return field ? *field : QString();
}

int rebaseStoredPaths(Category &category, const QString &root)
{
    int rewritten = 0;
    Platform::DocumentPathResolver paths(root);
    const auto rebase = [&](QString &value) {
        if (const QString rebased = paths.rebased(value); !rebased.isEmpty()) {
            value = rebased;
            ++rewritten;
        }
    };
    rebase(category.description);
    for (Program &program : category.programs) {
        for (const PathValuedKey &entry : pathValuedKeys())
            rebase(*fieldOf(program, entry.key));
    }
    return rewritten;
}

} // namespace DataFile
