#pragma once

// Generation of a CD folder from a saved project, without widgets:
// listSources -> makePlan (targets, checks) -> execute -> report.
// Nothing is deleted unless every check of the plan passed.

#include "config/generatorconfig.h"

#include <fileidentity.h>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace Platform {
class ProfileFile;
}

namespace Generation {

// The folder a file goes to on the CD.
enum class Route { None, Data, Multimedia, Menu };

using FileIdentity = Platform::FileIdentity;

// One line of the source list.
struct SourceLine {
    // Warning: a file a copied data file names that the CD will not hold.
    enum class Kind { Header, Message, File, Warning };
    Kind kind = Kind::File;
    QString text;        // as stored (project values) or the full path ([PLIKI] entries)
    QString path;        // the file on disk; empty for headers and messages
    bool exists = false; // the tick
    bool notRegular = false; // there, but no regular file (a FIFO, a device): never copied
    FileIdentity id;     // of the file, when it exists
    bool fromSettings = false; // named by Dodorurav.cfg: always to the menu folder
    Route route = Route::None;
    // Shown after the text: an existing file that no folder takes.
    QString note;
    QString displayText() const { return note.isEmpty() ? text : text + QStringLiteral(" ") + note; }
};

inline const QString NotCopiedNote = QStringLiteral("(nie zostanie skopiowany)");
inline const QString NotRegularNote = QStringLiteral("(to nie jest zwykły plik, nie zostanie skopiowany)");

// The folders the dialog's fields name, absolute.
struct Folders {
    QString menu, multimedia, data;
};

// The menu folder generation proposes: menuFolder as Dodorurav.cfg names it,
// else "MENU" in the project's CD folder, else (no CD folder) in the home
// folder's "KalvoraCD".
QString proposedMenuFolder(const QString &menuFolder, const QString &driveRoot, const QString &home);
// The three fields for a proposed menu folder: it, then it + "/Multimedia/"
// and + "/Dane/" (before the fields get their final "/").
Folders proposedFolders(const QString &menuFolder);

// A file or folder that a program of a data file names and that the CD will
// not hold: missing, or lying outside the CD folder.
struct DataFileWarning {
    QString dataFile; // the data file's name
    QString program;  // its section
    QString key;      // SETUP, KATALOG, ... or DESC for the category
    QString value;    // as stored
    bool outside = false; // found, but outside the CD folder; else missing
    QString text() const;
};

// What the data files among sources name, looked at from the CD folder
// cdRoot as the runtime will. programs counts the programs with a warning.
struct DataFileCheck {
    std::vector<DataFileWarning> warnings;
    int programs = 0;
};
DataFileCheck checkDataFiles(const std::vector<SourceLine> &sources, const QString &cdRoot);
// The warnings as lines of the source list, under a header of their own.
std::vector<SourceLine> warningLines(const DataFileCheck &check);

// A field with a final "/" (an empty one stays empty and is refused later).
QString withSlash(const QString &folder);

// The route of a file name by its extension (compared upper-cased, exactly).
Route routeByExtension(const QString &fileName);

// The source list of a project: the configuration files, then the files of
// each, then the files Dodorurav.cfg names. project is the open project,
// projectPath its file; stored values resolve from driveRoot.
std::vector<SourceLine> listSources(const Platform::ProfileFile &project, const QString &projectPath,
                                    const QString &driveRoot, const GeneratorConfig &settings);

// A target of the plan.
struct Target {
    QString path;         // folder + file name
    QString source;       // the file copied there
    FileIdentity sourceId;
    Route route = Route::None;
    bool exists = false;  // before generation
    bool inPlace = false; // the source itself: neither deleted nor copied
    bool configuration = false; // a project or sub-window copy to rewrite
};

struct Plan {
    QString driveRoot;
    QString projectPath;
    QString cdRoot;        // where AUTORUN.INF goes
    Folders folders;       // with final "/"
    // The folders as stored paths from the CD root ("MENU\", "MENU\Dane\").
    QString storedMenu, storedMultimedia, storedData;
    std::vector<SourceLine> sources;
    std::vector<Target> targets; // in source order, each file once
    QStringList refusals;        // why nothing may be done; empty when it may
    DataFileCheck dataFiles;     // what the copied data files name off the CD
    bool ok() const { return refusals.isEmpty(); }
    QString folderOf(Route route) const;
    QString storedFolderOf(Route route) const;
};

// The CD root of a menu folder: the nearest folder at or above it that holds
// "AUTORUN.INF" (any case), else its parent.
QString cdRootOf(const QString &menuFolder);

// Targets and every check that must pass before anything is deleted. When
// driveRoot is a CD folder, the menu folder must lie inside it.
Plan makePlan(const std::vector<SourceLine> &sources, const Folders &folders, const QString &driveRoot,
              const QString &projectPath);

// What AUTORUN.INF starts and its icon ("path,n", may be empty).
struct AutorunChoice {
    // OPEN names the runtime; else the autostart program, when it is copied
    // onto the CD (else the runtime after all).
    bool menu = false;
    QString icon;
};

// Progress of the copy: the group's title, files done of total; false stops.
using ProgressFn = std::function<bool(const QString &title, int done, int total, const QString &name)>;

// Tells when progress is worth showing: at a new title, and then a few times
// a second. A window repainted after each of thousands of files would spend
// longer painting than the copy takes.
class ProgressPacer
{
public:
    static constexpr int IntervalMs = 40;
    bool due(const QString &title);

private:
    QElapsedTimer m_shown;
    QString m_title;
};

struct Report {
    QStringList errors;
    QStringList copied;     // targets written
    bool renameFailed = false;
    bool autostartWritten = false; // OPEN names the autostart program
    bool ok() const { return errors.isEmpty() && !renameFailed; }
};

inline const QString DataTitle = QStringLiteral("Pliki danych ...");
inline const QString MultimediaTitle = QStringLiteral("Pliki multimedialne ...");
inline const QString MenuTitle = QStringLiteral("Aplikacje i konfiguracja ...");

// Carries out a plan that passed its checks; project is the open project
// (read for the start-screen files of every copy).
Report execute(const Plan &plan, const Platform::ProfileFile &project, const GeneratorConfig &settings,
               const AutorunChoice &autorun, const ProgressFn &progress = {});

} // namespace Generation
