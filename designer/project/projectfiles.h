#pragma once

// The files a project file names, for the windows that show which of them
// are there: the file list of a template and the required files of the
// open project. One table of the project's path-valued keys serves both;
// each list takes its rows in table order.

#include <QList>
#include <QString>

namespace Platform {
class ProfileFile;
}

namespace ProjectFiles {

enum class FileList {
    Template, // a template's "Pliki szablonu"
    Required, // the project's required files
};

// Where a row's value comes from.
enum class Source {
    Project,       // a key of the project file: a drive-relative path
    Configuration, // a program or library of Dodorurav.cfg: a full path
};

// The programs and libraries of Dodorurav.cfg that the lists name, as
// configured (full paths; empty when none is configured).
struct ConfiguredFiles {
    QString mpegDll;   // PLIKI MPEGDLL
    QString runtime;   // PLIKI MENU
    QString copier;    // PLIKI KOPIARKA
    QString autostart; // PLIKI AUTOSTART
};

// One row of the table. An empty key stands for every key of the section.
struct PathKey {
    Source source;
    QString section;
    QString key;
    bool inTemplate;
    bool inRequired;
    // Only while the background music is an MP3 file.
    bool onlyWithMp3 = false;
};

// The table, in the order the lists show it.
const QList<PathKey> &pathKeys();

struct NamedFile {
    Source source = Source::Project;
    QString section;
    QString key;
    QString stored; // the value as stored or configured
    QString path;   // where it is looked for; empty when it names nothing
    bool exists = false; // a regular file lies at path
};

// Every file project names for list, resolved from driveRoot (names found
// without regard to case, nothing outside the root). Project values that are
// empty are left out; configured files are always listed (an empty one as
// not existing), so a window can say which is missing.
QList<NamedFile> filesNamed(const Platform::ProfileFile &project, const QString &driveRoot,
                            const ConfiguredFiles &configured, FileList list);

// Whether the project's background music is an MP3 file.
bool hasMp3Music(const Platform::ProfileFile &project);

} // namespace ProjectFiles
