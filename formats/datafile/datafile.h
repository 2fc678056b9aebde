#pragma once

// The data file ("*.RV3", and the older "*.RV2" of the same layout): one
// category of the menu and its programs. The data editor writes it; the
// editor, the designer and the runtime read it.
//
//   TITLE=<category name>
//   DESC=<category description, or the stored path of a text file>
//   <empty line>
//   [<program name>]            one section per program, in list order
//   SETUP=...                   ten keys, always all, in the order of Keys
//   ...
//
// Windows-1250 with CRLF. Sections are read with the rules of the profile
// functions (Platform::ProfileFile); the two header lines are read as plain
// lines. Paths are stored drive-relative ("PROGS\BIURO\setup.exe").

#include "datafilemessages.h"

#include <QList>
#include <QString>

namespace DataFile {

// Key names as written; readers match them without regard to letter case.
namespace Keys {
inline const QString Setup = QStringLiteral("SETUP");
inline const QString Opis = QStringLiteral("OPIS");
inline const QString Katalog = QStringLiteral("KATALOG");
inline const QString Kopia = QStringLiteral("KOPIA");
inline const QString Numer = QStringLiteral("NUMER");
inline const QString System = QStringLiteral("SYSTEM");
inline const QString Rozmiar = QStringLiteral("ROZMIAR");
inline const QString Info = QStringLiteral("INFO");
inline const QString Ambitny = QStringLiteral("AMBITNY");
inline const QString Zrzut = QStringLiteral("ZRZUT");
} // namespace Keys

// What a path-valued key of a program must name on the drive. The data-file
// checker and generation's look at what a CD will miss read this one table.
enum class PathKind {
    File,       // an existing regular file
    Folder,     // an existing folder
    FileOrText, // an existing file, or free text (a description)
};

struct PathValuedKey
{
    QString key;
    PathKind kind;
};

// SETUP, KATALOG, OPIS, AMBITNY, ZRZUT, in that order; the category's DESC
// line is checked as DescriptionKind.
const QList<PathValuedKey> &pathValuedKeys();
inline constexpr PathKind DescriptionKind = PathKind::FileOrText;

// One program of the category; the fields carry the names of their keys.
struct Program
{
    QString name;    // section name, as the menu lists it
    QString setup;   // file opened by the install / start button (stored path)
    QString opis;    // short description, or the stored path of a TXT/RTF file
    QString katalog; // program folder, stored path ending in "\"
    QString kopia;   // folder name proposed when copying to the hard disk
    QString numer;   // serial number
    QString system;  // operating system needed
    QString rozmiar; // size as shown, see formatSize()
    QString info;    // short information, e.g. the author
    QString ambitny; // additional description document (stored path)
    QString zrzut;   // screenshot, BMP or JPG (stored path)

    bool operator==(const Program &) const = default;
};

// The stored value of a program's key, by the names of Keys ("" for an
// unknown key).
QString valueOf(const Program &program, const QString &key);
// The field of a program's key; null for an unknown key.
QString *fieldOf(Program &program, const QString &key);

struct Header
{
    QString title;
    QString description;

    bool operator==(const Header &) const = default;
};

struct Category
{
    QString title;
    QString description;
    QList<Program> programs;

    // The program of that name without regard to letter case, as the
    // profile functions find sections; null when there is none.
    const Program *findProgram(const QString &name) const;

    bool operator==(const Category &) const = default;
};

// Outcome of a write or a check: the message for the user on failure.
struct Result
{
    QString message;
    bool ok() const { return message.isEmpty(); }
};

struct ReadResult
{
    Category category; // empty on failure
    QString message;
    bool ok() const { return message.isEmpty(); }
};

// Reads the whole file. A missing or unreadable file fails with
// Messages::readError(); any content that can be read at all is accepted:
// a missing key reads as "", of sections with the same name (in any letter
// case) only the first counts.
ReadResult read(const QString &fileName);

// Only the TITLE and DESC lines: the first line whose name (text before its
// first "=") is TITLE, respectively DESC, in any letter case, gives the
// value; "" without one. A missing file gives an empty header.
Header readHeader(const QString &fileName);

// Writes the category from scratch. The file is replaced only when the new
// one is complete; on failure the old one stays as it was.
// Refused (nothing written) when a program name would not read back as the
// same program, see checkProgramNames().
// A value loses its line breaks (a value is one line); a value with blanks
// around it, or enclosed in quotes, is written in quotes so that it reads
// back unchanged.
Result write(const QString &fileName, const Category &category);

// Whether a name can be written as a section and read back as the same
// name: not empty, no "]", no blanks around it, no control characters,
// only characters that Windows-1250 has.
Result checkProgramName(const QString &name);
// The same for every program, and no two names equal without regard to
// letter case.
Result checkProgramNames(const QList<Program> &programs);

// Rewrites, relative to root, the path-valued values and the description of
// a category that were stored from "/" and name something inside root (see
// Platform::rebasedStoredPath). The number of values rewritten.
int rebaseStoredPaths(Category &category, const QString &root);

// ROZMIAR of a program of that many bytes: kilobytes rounded to whole ones,
// digits grouped in threes by groupSeparator, then " KB"; no digits at all
// when that rounds to 0 (" KB").
QString formatSize(qint64 bytes, const QString &groupSeparator);
// The same with the system's thousands separator.
QString formatSize(qint64 bytes);

// Total size of all regular files in folder and all its subfolders, however
// deep they go. Links are not followed and count nothing.
qint64 totalFileSize(const QString &folder);

// KATALOG of a program folder below driveRoot: its stored path ending in
// "\".
QString storedFolderPath(const QString &driveRoot, const QString &folder);

} // namespace DataFile

// Growing a long list of programs moves them instead of copying each.
Q_DECLARE_TYPEINFO(DataFile::Program, Q_RELOCATABLE_TYPE);
