#pragma once

#include <safefile.h>

#include <QList>
#include <QString>

// The data file entries of found music files, without windows: one
// section per music file (its title) and one per folder, in the order the
// rows give, with the keys in the order the menu's readers expect:
//   title:  SETUP, KATALOG, OPIS, ZRZUT, KOPIA, ROZMIAR
//   folder: ZRZUT, KOPIA, SETUP, KATALOG
// Entries only add or replace keys: a data file written into keeps its
// TITLE and DESC lines and its other programs.
namespace MusicEntries {

struct Row
{
    QString name;   // the file (or folder) name as found
    qint64 size = 0;
    bool isFolder = false; // a folder whose name matched: only its folder's section
    QString folder; // absolute, with a trailing "/"
};

struct Entry
{
    QString section;
    QString key;
    QString value;
    bool operator==(const Entry &) const = default;
};

struct Plan
{
    QList<Entry> entries;
    // Titles and folder names left out: a data file cannot hold them as
    // sections, or an earlier title or folder of the rows has the name in
    // some letter case (dup.mp3 and DUP.MP3, song.mp3 and song.vqf), so
    // both would merge into one program. The first keeps it.
    int skipped = 0;
    // Set when nothing may be written: a music folder outside the drive root.
    QString refusal;
    bool ok() const { return refusal.isEmpty(); }
};

// The title of a music file: its name cut at its last dot.
QString titleOf(const QString &fileName);
// The last folder name of an absolute folder path ("" for "/").
QString folderNameOf(const QString &folder);

// The entries of rows for a data file whose stored paths start at
// driveRoot. groupSeparator groups the digits of ROZMIAR (the system's when
// null).
Plan entriesOf(const QList<Row> &rows, const QString &driveRoot, const QString &groupSeparator = QString());

// Writes the entries into the data file (created when missing) through the
// profile functions, in one write. On failure: the message for the user,
// and the system's reason (naming the file) on its own.
Platform::WriteResult write(const QString &dataFile, const QList<Entry> &entries);

} // namespace MusicEntries
