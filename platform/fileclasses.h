#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace Platform {

// A kind of document the desktop knows by its file name extension.
struct FileClass {
    QString mimeType;  // e.g. "application/x-kalvora-project"
    QString comment;   // what file managers show for the type
    QString extension; // without the dot; matched without regard to case
};

// A program that opens documents of some file classes, given the file as
// its first argument.
struct DesktopApplication {
    QString desktopId; // file name of its entry, e.g. "zeltrin-dodorurav.desktop"
    QString name;
    QString program; // full path of the program
    QStringList mimeTypes;
};

// Everything one program registers: one shared-mime-info package and the
// desktop entries of the programs that open its classes.
struct FileClassRegistration {
    QString packageName; // the package is mime/packages/<packageName>.xml
    QList<FileClass> classes;
    QList<DesktopApplication> applications;
};

// What a registration did.
struct RegistrationReport {
    QStringList written; // files whose content changed, full paths
    QStringList ran;     // desktop tools run, each as "program arguments..."
    QString error;       // set when a file could not be written
    bool ok() const { return error.isEmpty(); }
};

// Writes the package and the entries under the user's data folder
// ($XDG_DATA_HOME), each only when its content changed, then lets the
// desktop know: update-mime-database after a package change, xdg-mime
// default after an entry change. A tool that is not installed is skipped.
RegistrationReport registerFileClasses(const FileClassRegistration &registration);

// The designer's project (.KLV) and template (.SBL) and the data editor's
// data file (.RV3), opened by the programs given.
FileClassRegistration kalvoraFileClasses(const QString &designerProgram, const QString &dataEditorProgram);

// True for a file of one of the classes above, which the desktop would
// open in our own programs rather than in a text editor.
bool isKalvoraDocument(const QString &path);

// The texts written, for comparing.
QByteArray mimePackageText(const FileClassRegistration &registration);
QByteArray desktopEntryText(const DesktopApplication &application);

// One argument of a desktop entry's Exec key, quoted and escaped so the
// desktop reads it back as the very same text.
QString desktopExecArgument(const QString &argument);

} // namespace Platform
