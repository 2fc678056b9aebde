#include "filelistsort.h"

#include <collation.h>

#include <QLocale>

#include <algorithm>

QString FileEntry::text(TFileInfo column) const
{
    const QLocale locale;
    auto dateText = [&locale](const QDateTime &when) {
        if (!when.isValid())
            return QString();
        return locale.toString(when.date(), QLocale::ShortFormat) + u' '
               + locale.toString(when.time(), QLocale::ShortFormat);
    };
    switch (column) {
    case TFileInfo::fiName:
        return caption;
    case TFileInfo::fiSize:
        return hasFacts && !isDir ? QString::number(size) : QString();
    case TFileInfo::fiType:
        return type;
    case TFileInfo::fiModified:
        return dateText(modified);
    case TFileInfo::fiCreated:
        return dateText(created);
    case TFileInfo::fiLastAccess:
        return dateText(lastAccess);
    case TFileInfo::fiAttributes:
        return attributes;
    case TFileInfo::fiDosName:
        return dosName;
    case TFileInfo::fiDosExt:
        return dosExt;
    case TFileInfo::fiPath:
        return location;
    case TFileInfo::fiAll:
        break;
    }
    return {};
}

namespace FileListSort {

namespace {

template <typename T>
int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

// A folder (or an entry without a size) ranks before a file with one.
int kindRank(const FileEntry &entry)
{
    return entry.isDir || !entry.hasFacts ? 0 : 1;
}

int compareDates(const QDateTime &a, const QDateTime &b)
{
    // An unknown date sorts before every known one.
    if (a.isValid() != b.isValid())
        return a.isValid() ? 1 : -1;
    return a.isValid() ? threeWay(a, b) : 0;
}

int compareValues(const FileEntry &a, const FileEntry &b, TFileInfo column)
{
    switch (column) {
    case TFileInfo::fiSize:
        return threeWay(a.size, b.size);
    case TFileInfo::fiModified:
        return compareDates(a.modified, b.modified);
    case TFileInfo::fiCreated:
        return compareDates(a.created, b.created);
    case TFileInfo::fiLastAccess:
        return compareDates(a.lastAccess, b.lastAccess);
    default:
        return threeWay(a.text(column).toUpper(), b.text(column).toUpper());
    }
}

} // namespace

bool isDateColumn(TFileInfo column)
{
    return column == TFileInfo::fiModified || column == TFileInfo::fiCreated || column == TFileInfo::fiLastAccess;
}

int compare(const FileEntry &a, const FileEntry &b, TFileInfo column)
{
    if (const int byKind = threeWay(kindRank(a), kindRank(b)))
        return byKind;
    if (column != TFileInfo::fiName) {
        if (const int byValue = compareValues(a, b, column))
            return byValue;
    }
    return threeWay(a.caption.toUpper(), b.caption.toUpper());
}

void sort(QList<FileEntry> &entries, TFileInfo column, bool ascending)
{
    const bool reversed = ascending == isDateColumn(column);
    std::stable_sort(entries.begin(), entries.end(), [column, reversed](const FileEntry &a, const FileEntry &b) {
        const int order = compare(a, b, column);
        return reversed ? order > 0 : order < 0;
    });
}

namespace {

enum class TextKind { Number, Date, Text };

struct ParsedText
{
    TextKind kind = TextKind::Text;
    double number = 0;
    QDateTime date;
};

QDateTime parseDate(const QString &text)
{
    const QLocale locale;
    for (const QLocale::FormatType format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        QDateTime when = locale.toDateTime(text, format);
        if (when.isValid())
            return when;
        const QDate day = locale.toDate(text, format);
        if (day.isValid())
            return day.startOfDay();
    }
    QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    return iso;
}

ParsedText parse(const QString &text)
{
    ParsedText parsed;
    bool isNumber = false;
    const QString trimmed = text.trimmed();
    parsed.number = trimmed.toDouble(&isNumber);
    if (isNumber) {
        parsed.kind = TextKind::Number;
        return parsed;
    }
    parsed.date = parseDate(trimmed);
    if (parsed.date.isValid())
        parsed.kind = TextKind::Date;
    return parsed;
}

} // namespace

int compareMixedTexts(const QString &a, const QString &b)
{
    const ParsedText left = parse(a);
    const ParsedText right = parse(b);
    if (left.kind != right.kind)
        return threeWay(int(left.kind), int(right.kind));
    switch (left.kind) {
    case TextKind::Number:
        return threeWay(left.number, right.number);
    case TextKind::Date:
        return threeWay(left.date, right.date);
    case TextKind::Text:
        break;
    }
    return Platform::compareText(a, b);
}

void sortRowsByText(QList<QStringList> &rows, int column, bool ascending)
{
    auto cell = [column](const QStringList &row) { return column < row.size() ? row.at(column) : QString(); };
    std::stable_sort(rows.begin(), rows.end(), [&](const QStringList &a, const QStringList &b) {
        const int order = compareMixedTexts(cell(a), cell(b));
        return ascending ? order < 0 : order > 0;
    });
}

QString joinIntegers(const QList<int> &values)
{
    QStringList texts;
    for (const int value : values)
        texts << QString::number(value);
    return texts.join(u',');
}

QList<int> splitIntegers(const QString &text)
{
    QList<int> values;
    if (text.isEmpty())
        return values;
    for (const QString &piece : text.split(u',')) {
        bool ok = false;
        const int value = piece.trimmed().toInt(&ok);
        values << (ok ? value : 0);
    }
    return values;
}

bool isPermutation(const QList<int> &values, int count)
{
    if (values.size() != count)
        return false;
    QList<bool> seen(count, false);
    for (const int value : values) {
        if (value < 0 || value >= count || seen[value])
            return false;
        seen[value] = true;
    }
    return true;
}

} // namespace FileListSort
