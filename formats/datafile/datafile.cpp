#include "datafile.h"

#include <cp1250.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>

#include <QDirIterator>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <array>

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
    return name.trimmed().toCaseFolded();
}

Header parseHeader(QStringView text)
{
    Header header;
    bool haveTitle = false;
    bool haveDesc = false;
    qsizetype start = 0;
    while (start < text.size() && !(haveTitle && haveDesc)) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        QStringView line = text.sliced(start, end - start);
        start = end + 1;
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QStringView name = line.first(equals);
        const QStringView value = line.sliced(equals + 1);
        if (!haveTitle && name.compare(kTitle, Qt::CaseInsensitive) == 0) {
            header.title = value.toString();
            haveTitle = true;
        } else if (!haveDesc && name.compare(kDesc, Qt::CaseInsensitive) == 0) {
            header.description = value.toString();
            haveDesc = true;
        }
    }
    return header;
}

// Null when the file cannot be read as a whole.
QString readText(const QString &fileName)
{
    const Platform::ReadResult file = Platform::readRegularFile(fileName, Platform::SizeLimits::Profile);
    if (!file.ok())
        return {};
    QString text = Platform::fromCp1250(file.bytes);
    if (text.isNull())
        text = QStringLiteral(""); // empty, but read
    return text;
}

QList<Program> readPrograms(const Platform::ProfileFile &ini)
{
    QList<Program> programs;
    const QStringList names = ini.sectionNames();
    programs.reserve(names.size());
    for (const QString &name : names) {
        Program program;
        program.name = name;
        for (const KeyField &key : programKeys())
            program.*key.field = ini.readString(name, key.key, {});
        programs.append(std::move(program));
    }
    return programs;
}

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

ReadResult read(const QString &fileName)
{
    const QString text = readText(fileName);
    if (text.isNull())
        return {{}, Messages::readError()};
    const Platform::ProfileFile ini(fileName);
    if (!ini.errorString().isEmpty())
        return {{}, Messages::readError()};

    ReadResult result;
    const Header header = parseHeader(text);
    result.category.title = header.title;
    result.category.description = header.description;
    result.category.programs = readPrograms(ini);
    return result;
}

Header readHeader(const QString &fileName)
{
    return parseHeader(readText(fileName));
}

Result write(const QString &fileName, const Category &category)
{
    if (Result check = checkProgramNames(category.programs); !check.ok())
        return check;
    if (!Platform::writeWholeFile(fileName, Platform::toCp1250(dataFileText(category))).ok())
        return {Messages::writeError(fileName)};
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
    qint64 total = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        total += it.nextFileInfo().size();
    return total;
}

QString storedFolderPath(const QString &driveRoot, const QString &folder)
{
    QString stored = Platform::toStoredPath(driveRoot, folder);
    if (!stored.isEmpty() && !stored.endsWith(u'\\'))
        stored += u'\\';
    return stored;
}

} // namespace DataFile
