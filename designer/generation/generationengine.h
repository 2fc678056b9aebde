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
    enum class Kind { Header, Message, File };
    Kind kind = Kind::File;
    QString text;        // as stored (project values) or the full path ([PLIKI] entries)
    QString path;        // the file on disk; empty for headers and messages
    bool exists = false; // the tick
    FileIdentity id;     // of the file, when it exists
    bool fromSettings = false; // named by Dodorurav.cfg: always to the menu folder
    Route route = Route::None;
    // Shown after the text: an existing file that no folder takes.
    QString note;
    QString displayText() const { return note.isEmpty() ? text : text + QStringLiteral(" ") + note; }
};

inline const QString NotCopiedNote = QStringLiteral("(nie zostanie skopiowany)");

// The folders the dialog's fields name, absolute.
struct Folders {
    QString menu, multimedia, data;
};

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
    bool ok() const { return refusals.isEmpty(); }
    QString folderOf(Route route) const;
    QString storedFolderOf(Route route) const;
};

// The CD root of a menu folder: the nearest folder at or above it that holds
// "AUTORUN.INF" (any case), else its parent.
QString cdRootOf(const QString &menuFolder);

// Targets and every check that must pass before anything is deleted.
Plan makePlan(const std::vector<SourceLine> &sources, const Folders &folders, const QString &driveRoot,
              const QString &projectPath);

// What AUTORUN.INF starts and its icon ("path,n", may be empty).
struct AutorunChoice {
    bool menu = false; // OPEN names the runtime; else the autostart program
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
