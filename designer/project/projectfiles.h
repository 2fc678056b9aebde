#pragma once

// The files a project file names, for the windows that show which of them
// are there: the file list of a template and the required files of the
// open project. One table of the project's path-valued keys serves both,
// and the path change that rewrites those values; each list takes its rows
// in table order, the path change offers the folders in an order of its own.

#include <QList>
#include <QString>
#include <QStringList>

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
    // Where the path change lists the folders of these values (1 first);
    // 0 where it offers none.
    int folderOrder = 0;
};

// The table, in the order the lists show it. Its project rows are exactly
// the path-valued keys of the project format.
const QList<PathKey> &pathKeys();

// The keys of project that row stands for, each once, in file order (the
// first of duplicate keys is the one a reader sees).
QStringList keysOf(const Platform::ProfileFile &project, const PathKey &row);

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
