#pragma once

#include <datafile/datafile.h>

#include <QString>

// The data file open in the editor and its programs: one list of program
// records, the current program, the modified flag and the drive root that
// stored paths are made against. Knows no windows, so every editing rule
// can be checked without one.
class EditorDocument
{
public:
    using Field = QString DataFile::Program::*;

    // The folder that the stored paths of a data file at path start from:
    // the nearest folder above it holding "AUTORUN.INF" (any letter case),
    // else "/". Ends in "/".
    static QString driveRootOf(const QString &path);

    QString fileName() const { return m_fileName; }
    bool hasFile() const { return !m_fileName.isEmpty(); }
    QString driveRoot() const { return m_driveRoot; }
    const DataFile::Category &category() const { return m_category; }
    const QList<DataFile::Program> &programs() const { return m_category.programs; }
    int count() const { return int(m_category.programs.size()); }
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    int current() const { return m_current; }
    // -1 (or any index out of range) selects nothing.
    void setCurrent(int index);
    const DataFile::Program *currentProgram() const;

    // Reads the file and makes it current. A file that cannot be read
    // leaves everything as it was (so a later save cannot overwrite it with
    // an empty list) and gives the read error.
    DataFile::Result open(const QString &fileName);
    // Creates the file empty (replacing one that is there) and opens it.
    DataFile::Result createEmpty(const QString &fileName);
    // Writes the current file; refused without one.
    DataFile::Result save();
    // Writes to fileName and makes it the current file.
    DataFile::Result saveAs(const QString &fileName);

    void setTitle(const QString &title);
    void setDescription(const QString &description);

    // The stored form of an absolute path below the drive root; empty with
    // message set for a path outside it.
    QString storedPath(const QString &absolutePath, QString *message = nullptr) const;

    enum class AddOutcome { Added, Updated, Duplicate, Refused, Nothing };
    struct AddResult
    {
        AddOutcome outcome = AddOutcome::Nothing;
        QString message; // for Duplicate and Refused
        int index = -1;  // the program added, updated or found
    };
    // Adds the program of folder (absolute, any trailing separator) with
    // setupName (a file of that folder) as SETUP, or in corrections mode
    // refreshes KATALOG, OPIS, ROZMIAR and SETUP of the current program.
    AddResult addProgram(const QString &folder, const QString &setupName, bool corrections);

    // Renames program index; refused (with the message) for a name the
    // data file cannot hold or that another program has in any letter case.
    DataFile::Result renameProgram(int index, const QString &name);
    // Sets one field of program index; true when it changed.
    bool setField(int index, Field field, const QString &value);
    // Removes the current program and selects the one before it (the first
    // when the first was removed; nothing when none is left).
    void deleteCurrent();

    // The program folder without its "DISK1" level, for KATALOG texts that
    // hold "\DISK1\" in any letter case: the text up to the "\" before it,
    // in its own case, and the last folder name of that.
    struct Disk1Fix
    {
        bool applies = false;
        QString katalog;
        QString kopia;
    };
    static Disk1Fix disk1Fix(const QString &katalog);

    // "name - value" lines, one per program, CRLF, of the field.
    QString programIndex(Field field) const;

private:
    QString m_fileName;
    QString m_driveRoot = QStringLiteral("/");
    DataFile::Category m_category;
    int m_current = -1;
    bool m_modified = false;
};
