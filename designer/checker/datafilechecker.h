#pragma once

// The check of a data file against the drive: which of its programs name
// files or folders that are not there. It reads the file once and looks at
// each stored path once; no windows.
//
// Each path-valued key of a program must name what DataFile::pathValuedKeys()
// says (a regular file, a folder, or a file or the data editor's "no
// File_ID.DIZ" text); the category's DESC line the same as
// DataFile::DescriptionKind. Empty values are always sound. Paths are found
// below the drive root without regard to letter case, and a path that a link
// leads off the root names nothing.

#include <datafile/datafile.h>

#include <QList>
#include <QString>

namespace Platform {
class StoredPathResolver;
}

namespace DataFileChecker {

struct Fault
{
    QString key;   // as in DataFile::Keys
    QString value; // as stored
};

struct FaultyProgram
{
    QString name;
    QList<Fault> faults; // in the order of DataFile::pathValuedKeys()

    // The faulty value of key ("" when that key is sound).
    QString valueOf(const QString &key) const;
};

struct Report
{
    QString fileName;
    QList<FaultyProgram> programs; // in file order
    // The category description when it names no file; it belongs to the
    // file, not to any one program.
    QString faultyDescription;

    bool sound() const { return programs.isEmpty() && faultyDescription.isEmpty(); }
    // The faulty program of that name, as the profile functions find it;
    // null when it is sound or unknown.
    const FaultyProgram *find(const QString &name) const;
};

struct Outcome
{
    Report report;
    QString message; // set when the file could not be read
    bool ok() const { return message.isEmpty(); }
};

// Whether value is what kind asks for; resolver finds it below its root.
bool isSound(DataFile::PathKind kind, const QString &value, Platform::StoredPathResolver &resolver);

// Checks the data file at fileName against the drive at driveRoot. A file
// that cannot be read (missing, no regular file, too large) gives the
// message for it and an empty report.
Outcome check(const QString &fileName, const QString &driveRoot);

} // namespace DataFileChecker
