#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

// The facts a file list shows, in column order; fiAll stands for every
// column.
enum class TFileInfo {
    fiName,
    fiSize,
    fiType,
    fiModified,
    fiCreated,
    fiLastAccess,
    fiAttributes,
    fiDosName,
    fiDosExt,
    fiPath,
    fiAll,
};
inline constexpr int FileInfoCount = 10;

// One entry of a file list with its facts as values, so sizes sort as
// numbers and dates as dates.
struct FileEntry
{
    QString caption;  // the name shown
    QString fullPath; // absolute, no trailing separator
    bool isDir = false;
    bool hasFacts = false; // false for a path that did not exist when added
    qint64 size = 0;
    QString type;
    QDateTime modified;
    QDateTime created;
    QDateTime lastAccess;
    QString attributes;
    QString dosName;
    QString dosExt;
    QString location; // folder with a trailing separator

    // The text a column shows.
    QString text(TFileInfo column) const;
};

namespace FileListSort {

bool isDateColumn(TFileInfo column);

// Three-way order of two entries by a column, ascending: folders before
// files, then the column's value (numbers and dates by value, texts upper-
// cased), then the upper-cased captions.
int compare(const FileEntry &a, const FileEntry &b, TFileInfo column);

// Sorts stably by column. Descending reverses the whole order, so folders
// go last; the date columns run the other way round (newest first when
// ascending).
void sort(QList<FileEntry> &entries, TFileInfo column, bool ascending);

// Order of two column texts of a general list: numbers before dates before
// other texts, numbers by value, dates by date, texts by the Polish
// collation. Ranking the kinds first keeps the order total, so sorting gives
// one result whatever order the rows came in.
int compareMixedTexts(const QString &a, const QString &b);
void sortRowsByText(QList<QStringList> &rows, int column, bool ascending);

// Integer lists kept in the registry ("0,2,1"): an entry that is not an
// integer reads as 0.
QString joinIntegers(const QList<int> &values);
QList<int> splitIntegers(const QString &text);
// Whether values hold each of 0 .. count - 1 exactly once.
bool isPermutation(const QList<int> &values, int count);

} // namespace FileListSort
