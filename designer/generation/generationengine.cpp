#include "generationengine.h"

#include "project/cdfolder.h"

#include <datafile/datafile.h>
#include <fileidentity.h>
#include <fileopengine.h>
#include <paths.h>
#include <profilefile.h>
#include <safefile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace Generation {

namespace {

const QString Autorun = QStringLiteral("AUTORUN.INF");
const QString RuntimeIni = QStringLiteral("ORVANTA.INI");

std::optional<FileIdentity> fileId(const QString &path)
{
    return Platform::fileIdentity(path);
}

// One look at a file named as a source: whether it is a regular file (after
// links), and which.
void lookAtSource(SourceLine &line)
{
    const Platform::PathLook look = Platform::lookAt(line.path);
    line.exists = look.isRegular();
    line.notRegular = look.resolved && !line.exists;
    if (line.exists)
        line.id = look.id;
    else if (line.notRegular)
        line.note = NotRegularNote;
}

using Platform::existsOrLink;

// The last name of a stored or full path ("\" or "/" separated).
QString nameOf(const QString &value)
{
    const qsizetype cut = std::max(value.lastIndexOf(u'\\'), value.lastIndexOf(u'/'));
    return value.mid(cut + 1);
}

QString extensionOf(const QString &value)
{
    const QString name = nameOf(value);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

bool isConfigurationName(const QString &name)
{
    const QString ext = extensionOf(name);
    return ext == QLatin1String(".KLV") || ext == QLatin1String(".SBL") || ext == QLatin1String(".INI");
}

SourceLine header(const QString &text)
{
    SourceLine line;
    line.kind = SourceLine::Kind::Header;
    line.text = text;
    return line;
}

SourceLine message(const QString &text)
{
    SourceLine line;
    line.kind = SourceLine::Kind::Message;
    line.text = text;
    return line;
}

// A stored value of a project; an empty value gives no line.
void addStored(std::vector<SourceLine> &lines, const QString &value, Platform::StoredPathResolver &resolver)
{
    if (value.isEmpty())
        return;
    SourceLine line;
    line.text = value;
    line.path = resolver.resolve(value);
    lookAtSource(line);
    if (!line.exists) { // stored before the project had its CD folder?
        if (const QString found = Platform::resolveDocumentPath(resolver.root(), value); found != line.path) {
            line.path = found;
            lookAtSource(line);
        }
    }
    line.route = routeByExtension(line.exists ? QFileInfo(line.path).fileName() : value);
    if (line.exists && line.route == Route::None)
        line.note = NotCopiedNote;
    lines.push_back(line);
}

// A file named by Dodorurav.cfg: a full path, copied into the menu folder
// whatever its extension. An empty entry gives the message, when there is one.
void addSetting(std::vector<SourceLine> &lines, const QString &value, const QString &emptyMessage)
{
    if (value.isEmpty()) {
        if (!emptyMessage.isEmpty())
            lines.push_back(message(emptyMessage));
        return;
    }
    SourceLine line;
    line.text = value;
    line.path = QFileInfo(value).absoluteFilePath();
    lookAtSource(line);
    line.fromSettings = true;
    line.route = Route::Menu;
    lines.push_back(line);
}

void addSingles(std::vector<SourceLine> &lines, const Platform::ProfileFile &ini, Platform::StoredPathResolver &resolver)
{
    static const char *const keys[][2] = {
        {"WINDOW", "BACKGROUND"}, {"BONUS", "MASKA"}, {"WINDOW", "TOOLS_BACKGROUND"}, {"CDROM", "CD_DESCRIPTION"},
        {"SOUND", "ON_UP"},       {"SOUND", "ON_DOWN"}, {"SOUND", "ON_MOVE"},         {"SOUND", "BACKGROUND"},
    };
    for (const auto &key : keys)
        addStored(lines, ini.readString(QString::fromLatin1(key[0]), QString::fromLatin1(key[1]), {}), resolver);
}

void addSection(std::vector<SourceLine> &lines, const Platform::ProfileFile &ini, const QString &section,
                Platform::StoredPathResolver &resolver)
{
    for (const QString &key : ini.keyNames(section))
        addStored(lines, ini.readString(section, key, {}), resolver);
}

void addFilesOf(std::vector<SourceLine> &lines, const Platform::ProfileFile &ini, const QString &name,
                Platform::StoredPathResolver &resolver, const GeneratorConfig &settings)
{
    lines.push_back(header(QStringLiteral(">>> PLIKI DLA %1 <<<").arg(name)));
    addSection(lines, ini, QStringLiteral("DATA"), resolver);
    addSection(lines, ini, QStringLiteral("GLYPH"), resolver);
    addSingles(lines, ini, resolver);
    const QString music =
        ini.readString(QStringLiteral("SOUND"), QStringLiteral("BACKGROUND"), QStringLiteral("Nie wykorzystano muzyki w tle"));
    if (extensionOf(music) != QLatin1String(".MP3"))
        return;
    const QString library = settings.file(GeneratorFile::MpegDll);
    if (Platform::isRegularFile(library))
        addSetting(lines, library, {});
    else
        lines.push_back(message(QStringLiteral("Brak biblioteki dla odtwarzania MP3: MPEGDLL.DLL!")));
}

QString relativeFolder(const QString &root, const QString &folder)
{
    QString stored = QDir(root).relativeFilePath(folder);
    if (stored == QLatin1String("."))
        return {};
    stored.replace(u'/', u'\\');
    return stored + u'\\';
}

bool isInside(const QString &root, const QString &folder)
{
    return folder.startsWith(root);
}

QString cleanFolder(const QString &folder)
{
    QString clean = QDir::cleanPath(folder);
    if (!clean.endsWith(u'/'))
        clean += u'/';
    return clean;
}

// Checks one folder field; the cleaned folder, or empty after a refusal.
QString checkFolder(const QString &field, const QString &what, QStringList &refusals)
{
    if (field.trimmed().isEmpty()) {
        refusals << QStringLiteral("Nie podano folderu %1.").arg(what);
        return {};
    }
    if (QDir::isRelativePath(field)) {
        refusals << QStringLiteral("Folder %1 musi być ścieżką bezwzględną: %2").arg(what, field);
        return {};
    }
    return cleanFolder(field);
}

int routeOrder(Route route)
{
    return route == Route::Data ? 0 : route == Route::Multimedia ? 1 : 2;
}

} // namespace

QString withSlash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder;
    return folder + u'/';
}

Route routeByExtension(const QString &fileName)
{
    const QString ext = extensionOf(fileName);
    static const QStringList data = {QStringLiteral(".RV3"), QStringLiteral(".RV2")};
    static const QStringList multimedia = {QStringLiteral(".BMP"), QStringLiteral(".WAV"), QStringLiteral(".MID"),
                                           QStringLiteral(".AVI"), QStringLiteral(".MP3")};
    static const QStringList menu = {QStringLiteral(".EXE"), QStringLiteral(".KLV"), QStringLiteral(".DLL"),
                                     QStringLiteral(".BIN"), QStringLiteral(".SBL"), QStringLiteral(".INI"),
                                     QStringLiteral(".TXT"), QStringLiteral(".DIZ")};
    if (ext.isEmpty())
        return Route::None;
    if (data.contains(ext))
        return Route::Data;
    if (multimedia.contains(ext))
        return Route::Multimedia;
    if (menu.contains(ext))
        return Route::Menu;
    return Route::None;
}

std::vector<SourceLine> listSources(const Platform::ProfileFile &project, const QString &projectPath,
                                    const QString &driveRoot, const GeneratorConfig &settings)
{
    // The configuration files: the project, then every sub-window file.
    QStringList configurations{Platform::toStoredPath(driveRoot, projectPath)};
    for (const QString &key : project.keyNames(QStringLiteral("NEXT_WINDOW_INI")))
        configurations << project.readString(QStringLiteral("NEXT_WINDOW_INI"), key, {});

    std::vector<SourceLine> lines;
    Platform::StoredPathResolver resolver(driveRoot); // nothing is written while the list is made
    lines.push_back(header(QStringLiteral(">>> KONFIGURACJE MENU <<<")));
    for (const QString &value : configurations)
        addStored(lines, value, resolver);
    for (qsizetype i = 0; i < configurations.size(); ++i) {
        if (configurations[i].isEmpty())
            continue;
        if (i == 0) {
            addFilesOf(lines, project, nameOf(configurations[i]), resolver, settings);
            continue;
        }
        const Platform::ProfileFile window(resolver.resolve(configurations[i]));
        addFilesOf(lines, window, nameOf(configurations[i]), resolver, settings);
    }

    const auto projectValue = [&](const char *section, const char *key) {
        addStored(lines, project.readString(QString::fromLatin1(section), QString::fromLatin1(key), {}), resolver);
    };
    addSetting(lines, settings.file(GeneratorFile::Unzip), {});
    addSetting(lines, settings.file(GeneratorFile::ZipSfx), {});
    addSetting(lines, settings.file(GeneratorFile::Unrar), {});
    addSetting(lines, settings.file(GeneratorFile::Menu), QStringLiteral("Brak pliku wykonywalnego menu: ORVANTA.EXE!"));
    addSetting(lines, settings.file(GeneratorFile::Copier), QStringLiteral("Brak programu kopiującego: KOPIA.EXE!"));
    projectValue("INFOCD", "MASKA");
    projectValue("INFOCD", "BMP");
    projectValue("INFOCD", "PLIK");
    addSetting(lines, settings.file(GeneratorFile::Autostart), QStringLiteral("Brak programu autostartu: PELDIX.EXE!"));
    projectValue("EKRAN", "AVI");
    projectValue("EKRAN", "BMP");
    return lines;
}

QString cdRootOf(const QString &menuFolder)
{
    // Walked by name: the menu folder need not exist yet.
    const QString start = QDir::cleanPath(QDir(menuFolder).absolutePath());
    for (QString folder = start;; folder = QFileInfo(folder).path()) {
        if (!Platform::findEntryCaseInsensitive(folder, Autorun).isEmpty())
            return cleanFolder(folder);
        if (folder == QFileInfo(folder).path())
            break;
    }
    return cleanFolder(QFileInfo(start).path());
}

QString proposedMenuFolder(const QString &menuFolder, const QString &driveRoot, const QString &home)
{
    if (!menuFolder.trimmed().isEmpty())
        return menuFolder;
    if (CdFolder::isCdFolder(driveRoot))
        return withSlash(driveRoot) + QStringLiteral("MENU");
    return QDir(home).filePath(QStringLiteral("KalvoraCD/MENU"));
}

Folders proposedFolders(const QString &menuFolder)
{
    // Taken as it stands: a folder ending in "/" gives "//Dane/".
    return {menuFolder, menuFolder + QStringLiteral("/Multimedia/"), menuFolder + QStringLiteral("/Dane/")};
}

QString DataFileWarning::text() const
{
    const QString what = outside ? QStringLiteral("leży poza katalogiem płyty") : QStringLiteral("brak pliku");
    if (program.isEmpty())
        return QStringLiteral("Uwaga! %1, opis kategorii: %2=%3 - %4").arg(dataFile, key, value, what);
    return QStringLiteral("Uwaga! %1, program \"%2\": %3=%4 - %5").arg(dataFile, program, key, value, what);
}

namespace {

bool names(const QString &path, DataFile::PathKind kind)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return kind == DataFile::PathKind::Folder ? info.isDir() : info.isFile();
}

// Looks at the values of one data file from the CD folder, as the runtime
// will read them, and from the data file's own drive, where the author wrote
// them.
class DataFileLook
{
public:
    DataFileLook(const QString &cdRoot, const QString &dataFile)
        : m_fromCd(cdRoot), m_fromOwnRoot(Platform::documentDriveRoot(dataFile)),
          m_name(QFileInfo(dataFile).fileName())
    {
    }

    // A warning for value, when the CD will not hold what it names.
    std::optional<DataFileWarning> look(const QString &program, const QString &key, const QString &value,
                                        DataFile::PathKind kind)
    {
        if (value.trimmed().isEmpty())
            return std::nullopt;
        // A description may be plain text; one with a folder in it is a path.
        if (kind == DataFile::PathKind::FileOrText && !value.contains(u'\\') && !value.contains(u'/'))
            return std::nullopt;
        // As the runtime reads it, or stored from "/" before the CD folder had
        // its AUTORUN.INF (the one look-up answers both).
        if (names(m_fromCd.resolve(value), kind))
            return std::nullopt;
        const bool found = names(m_fromOwnRoot.resolve(value), kind);
        if (!found && kind == DataFile::PathKind::FileOrText && !value.contains(u'.'))
            return std::nullopt; // a text that happens to hold a separator
        return DataFileWarning{m_name, program, key, value, found};
    }

private:
    Platform::DocumentPathResolver m_fromCd;
    Platform::DocumentPathResolver m_fromOwnRoot;
    QString m_name;
};

} // namespace

DataFileCheck checkDataFiles(const std::vector<SourceLine> &sources, const QString &cdRoot)
{
    DataFileCheck check;
    std::set<FileIdentity> seen;
    for (const SourceLine &line : sources) {
        if (line.kind != SourceLine::Kind::File || !line.exists || line.route != Route::Data
            || !seen.insert(line.id).second)
            continue;
        const DataFile::ReadResult read = DataFile::read(line.path);
        if (!read.ok())
            continue;
        DataFileLook look(cdRoot, line.path);
        if (auto warning = look.look({}, QStringLiteral("DESC"), read.category.description, DataFile::DescriptionKind))
            check.warnings.push_back(*warning);
        for (const DataFile::Program &program : read.category.programs) {
            bool warned = false;
            for (const DataFile::PathValuedKey &entry : DataFile::pathValuedKeys()) {
                if (auto warning = look.look(program.name, entry.key, DataFile::valueOf(program, entry.key), entry.kind)) {
                    check.warnings.push_back(*warning);
                    warned = true;
                }
            }
            check.programs += warned ? 1 : 0;
        }
    }
    return check;
}

std::vector<SourceLine> warningLines(const DataFileCheck &check)
{
    std::vector<SourceLine> lines;
    if (check.warnings.empty())
        return lines;
    lines.push_back(header(QStringLiteral(">>> PLIKI, KTÓRYCH NIE BĘDZIE NA PŁYCIE <<<")));
    for (const DataFileWarning &warning : check.warnings) {
        SourceLine line;
        line.kind = SourceLine::Kind::Warning;
        line.text = warning.text();
        lines.push_back(line);
    }
    return lines;
}

QString Plan::folderOf(Route route) const
{
    switch (route) {
    case Route::Data: return folders.data;
    case Route::Multimedia: return folders.multimedia;
    case Route::Menu: return folders.menu;
    case Route::None: break;
    }
    return {};
}

QString Plan::storedFolderOf(Route route) const
{
    switch (route) {
    case Route::Data: return storedData;
    case Route::Multimedia: return storedMultimedia;
    case Route::Menu: return storedMenu;
    case Route::None: break;
    }
    return {};
}

namespace {

void checkFolders(Plan &plan, const Folders &fields)
{
    plan.folders.menu = checkFolder(fields.menu, QStringLiteral("dla MENU"), plan.refusals);
    plan.folders.multimedia = checkFolder(fields.multimedia, QStringLiteral("dla plików multimedialnych"), plan.refusals);
    plan.folders.data = checkFolder(fields.data, QStringLiteral("dla plików danych"), plan.refusals);
    if (!plan.ok())
        return;
    plan.cdRoot = cdRootOf(plan.folders.menu);
    for (const QString &folder : {plan.folders.multimedia, plan.folders.data}) {
        if (!isInside(plan.cdRoot, folder))
            plan.refusals << QStringLiteral("Folder %1 leży poza katalogiem płyty %2.").arg(folder, plan.cdRoot);
    }
    plan.storedMenu = relativeFolder(plan.cdRoot, plan.folders.menu);
    if (CdFolder::isCdFolder(plan.driveRoot) && !Platform::liesInside(plan.driveRoot, plan.folders.menu))
        plan.refusals << QStringLiteral("Folder dla MENU %1 leży poza katalogiem płyty %2.")
                             .arg(plan.folders.menu, withSlash(plan.driveRoot));
    plan.storedMultimedia = relativeFolder(plan.cdRoot, plan.folders.multimedia);
    plan.storedData = relativeFolder(plan.cdRoot, plan.folders.data);
}

// Each existing file once (by identity), to the folder of its route.
void collectTargets(Plan &plan)
{
    std::map<FileIdentity, bool> seen;
    std::map<QString, size_t> byName; // folded target path -> target
    for (const SourceLine &line : plan.sources) {
        if (line.kind != SourceLine::Kind::File || !line.exists || line.route == Route::None)
            continue;
        if (!seen.emplace(line.id, true).second)
            continue;
        Target target;
        target.source = line.path;
        target.sourceId = line.id;
        target.route = line.route;
        target.path = plan.folderOf(line.route) + QFileInfo(line.path).fileName();
        target.configuration = !line.fromSettings && isConfigurationName(line.path);
        const QString folded = target.path.toCaseFolded();
        if (const auto clash = byName.find(folded); clash != byName.end()) {
            plan.refusals << QStringLiteral("Dwa różne pliki o tej samej nazwie trafiłyby do %1: %2 i %3")
                                 .arg(target.path, plan.targets[clash->second].source, target.source);
            continue;
        }
        byName.emplace(folded, plan.targets.size());
        plan.targets.push_back(target);
    }
    std::stable_sort(plan.targets.begin(), plan.targets.end(),
                     [](const Target &a, const Target &b) { return routeOrder(a.route) < routeOrder(b.route); });
}

// A target that exists is deleted first: never when it is a source.
void checkTargets(Plan &plan)
{
    std::map<FileIdentity, QString> sources;
    for (const Target &target : plan.targets)
        sources.emplace(target.sourceId, target.source);
    Platform::FolderEntryFinder finder; // nothing is written while the plan is made
    for (Target &target : plan.targets) {
        // The name on disk may differ in case from the one the copy gets;
        // a name the folder does not list is free.
        const QString folder = QFileInfo(target.path).absolutePath();
        const QString onDisk = finder.find(folder, QFileInfo(target.path).fileName());
        if (onDisk.isEmpty())
            continue;
        target.path = QDir(folder).filePath(onDisk);
        target.exists = existsOrLink(target.path);
        if (!target.exists)
            continue;
        const auto id = fileId(target.path);
        if (id && *id == target.sourceId) {
            target.inPlace = true;
            if (target.configuration)
                plan.refusals << QStringLiteral("Plik %1 jest źródłem i zostałby zmieniony przez generowanie.").arg(target.path);
            continue;
        }
        if (id && sources.count(*id))
            plan.refusals << QStringLiteral("Plik docelowy %1 jest plikiem źródłowym %2.").arg(target.path, sources[*id]);
        else if (!QFileInfo(target.path).isFile() && !QFileInfo(target.path).isSymLink())
            plan.refusals << QStringLiteral("Plik docelowy %1 nie jest zwykłym plikiem.").arg(target.path);
    }
    // The runtime's file is replaced by the project's copy.
    const QString onDisk = Platform::findEntryCaseInsensitive(plan.folders.menu, RuntimeIni);
    if (onDisk.isEmpty())
        return;
    const QString runtimeIni = plan.folders.menu + onDisk;
    const auto id = fileId(runtimeIni);
    if (id && sources.count(*id))
        plan.refusals << QStringLiteral("Plik %1 jest plikiem źródłowym %2.").arg(runtimeIni, sources[*id]);
}

} // namespace

Plan makePlan(const std::vector<SourceLine> &sources, const Folders &folders, const QString &driveRoot,
              const QString &projectPath)
{
    Plan plan;
    plan.driveRoot = driveRoot;
    plan.projectPath = projectPath;
    plan.sources = sources;
    checkFolders(plan, folders);
    if (!plan.ok())
        return plan;
    collectTargets(plan);
    checkTargets(plan);
    plan.dataFiles = checkDataFiles(plan.sources, plan.cdRoot);
    return plan;
}

namespace {

class Executor
{
public:
    Executor(const Plan &plan, const Platform::ProfileFile &project, const GeneratorConfig &settings,
             const ProgressFn &progress)
        : m_plan(plan), m_project(project), m_settings(settings), m_progress(progress)
    {
        for (size_t i = 0; i < plan.targets.size(); ++i)
            m_byId.emplace(plan.targets[i].sourceId, i);
        for (const SourceLine &line : plan.sources) {
            if (line.kind == SourceLine::Kind::File && !line.fromSettings)
                m_storedSources.emplace(line.text, &line);
        }
    }

    bool deleteTargets();
    bool createFolders();
    void copyGroups();
    void rebaseDataFileCopies();
    void rewriteCopies();
    void writeAutorun(const AutorunChoice &autorun);
    void renameProject();
    void writeCollectedData();

    Report report;

private:
    void copyGroup(Route route, const QString &title);
    void rewrite(const Target &target);
    SourceLine sourceOf(const QString &value) const;
    std::optional<QString> placeOf(const QString &value, bool onlyFiles) const;
    void rewriteKey(Platform::ProfileFile &ini, const QString &section, const QString &key, bool onlyFiles) const;
    const Target *projectTarget() const;
    bool autostartCopied() const;

    const Plan &m_plan;
    const Platform::ProfileFile &m_project;
    const GeneratorConfig &m_settings;
    const ProgressFn &m_progress;
    std::map<FileIdentity, size_t> m_byId;
    std::map<QString, const SourceLine *> m_storedSources; // as the list found each stored value
    std::map<QString, bool> m_copied; // targets written
    std::vector<std::pair<QString, QString>> m_collected; // [DATA] of ORVANTA.INI
    int m_windowEntries = 0;
    QString m_runtimeIni;
};

bool Executor::deleteTargets()
{
    for (const Target &target : m_plan.targets) {
        // A target the plan found free needs no deleting; a file that took
        // its name since is replaced by the copy, as a deleted one would be.
        if (target.inPlace || !target.exists || !existsOrLink(target.path))
            continue;
        QFile::remove(target.path);
        // A target left in place would take a renamed copy the menu never reads.
        if (existsOrLink(target.path))
            report.errors << QStringLiteral("Nie można usunąć pliku %1.").arg(target.path);
    }
    return report.errors.isEmpty();
}

bool Executor::createFolders()
{
    for (const QString &folder : {m_plan.folders.data, m_plan.folders.multimedia, m_plan.folders.menu}) {
        if (!QDir().mkpath(folder))
            report.errors << QStringLiteral("Nie można utworzyć folderu %1.").arg(folder);
    }
    return report.errors.isEmpty();
}

void Executor::copyGroup(Route route, const QString &title)
{
    FileOpRequest request;
    request.operation = foCopy;
    request.flags = fofMultiDestFiles | fofNoConfirmation | fofNoConfirmMkDir | fofFilesOnly | fofSimpleProgress;
    for (const Target &target : m_plan.targets) {
        if (target.route == route && !target.inPlace) {
            request.from << target.source;
            request.to << target.path;
        }
    }
    if (request.from.isEmpty())
        return;
    FileOpCallbacks callbacks;
    callbacks.progress = [&](int done, int total, const QString &name) {
        return !m_progress || m_progress(title, done, total, name);
    };
    const FileOpOutcome outcome = runFileOperation(request, callbacks);
    for (const FileOpItem &item : outcome.items) {
        if (item.error.isEmpty() && !item.skipped) {
            m_copied[item.target] = true;
            report.copied << item.target;
        } else {
            report.errors << QStringLiteral("Nie skopiowano %1: %2").arg(item.source, item.error);
        }
    }
    if (outcome.aborted)
        report.errors << QStringLiteral("Kopiowanie przerwano.");
}

void Executor::copyGroups()
{
    copyGroup(Route::Data, DataTitle);
    copyGroup(Route::Multimedia, MultimediaTitle);
    copyGroup(Route::Menu, MenuTitle);
}

// A stored value as the list of sources found it; one the list does not
// name is looked up now.
SourceLine Executor::sourceOf(const QString &value) const
{
    if (const auto known = m_storedSources.find(value); known != m_storedSources.end())
        return *known->second;
    SourceLine line;
    line.text = value;
    line.path = Platform::resolveDocumentPath(m_plan.driveRoot, value);
    lookAtSource(line);
    return line;
}

// Where a stored value points on the CD: the folder its file went to. A value
// whose file is not copied keeps its place (nullopt); so does a value that
// names no file when onlyFiles (it may be a text).
std::optional<QString> Executor::placeOf(const QString &value, bool onlyFiles) const
{
    if (value.isEmpty())
        return std::nullopt;
    if (const SourceLine line = sourceOf(value); line.exists) {
        const auto found = m_byId.find(line.id);
        if (found == m_byId.end())
            return std::nullopt;
        const Target &target = m_plan.targets[found->second];
        return m_plan.storedFolderOf(target.route) + QFileInfo(target.path).fileName();
    }
    if (onlyFiles)
        return std::nullopt;
    const Route route = routeByExtension(value);
    if (route == Route::None)
        return std::nullopt;
    return m_plan.storedFolderOf(route) + nameOf(value);
}

void Executor::rewriteKey(Platform::ProfileFile &ini, const QString &section, const QString &key, bool onlyFiles) const
{
    if (!ini.valueExists(section, key))
        return;
    if (const auto place = placeOf(ini.readString(section, key, {}), onlyFiles))
        ini.writeString(section, key, *place);
}

void Executor::rewrite(const Target &target)
{
    Platform::ProfileFile ini(target.path);
    const bool isProject = fileId(target.source) == fileId(m_plan.projectPath);
    const QString sound = QStringLiteral("SOUND");
    const bool mp3 = extensionOf(ini.readString(sound, QStringLiteral("BACKGROUND"), {})) == QLatin1String(".MP3");

    for (const QString &key : ini.keyNames(QStringLiteral("NEXT_WINDOW_INI")))
        rewriteKey(ini, QStringLiteral("NEXT_WINDOW_INI"), key, false);
    const QStringList dataKeys = ini.keyNames(QStringLiteral("DATA"));
    for (const QString &key : dataKeys) {
        rewriteKey(ini, QStringLiteral("DATA"), key, false);
        const QString value = ini.readString(QStringLiteral("DATA"), key, {});
        // Sub-window entries are numbered on through every sub-window.
        m_collected.emplace_back(isProject ? key : QString::number(m_windowEntries++), value);
    }
    if (isProject && !dataKeys.isEmpty()) {
        QString runtime = QFileInfo(m_settings.file(GeneratorFile::Menu)).fileName();
        if (runtime.isEmpty())
            runtime = QStringLiteral("ORVANTA.EXE");
        ini.writeString(QStringLiteral("EKRAN"), QStringLiteral("MENU"), runtime);
        ini.writeString(QStringLiteral("EKRAN"), QStringLiteral("MENU_DIR"), m_plan.storedMenu);
    }
    for (const QString &key : ini.keyNames(QStringLiteral("GLYPH")))
        rewriteKey(ini, QStringLiteral("GLYPH"), key, false);
    static const char *const pictures[][2] = {
        {"WINDOW", "BACKGROUND"}, {"BONUS", "MASKA"}, {"WINDOW", "TOOLS_BACKGROUND"}, {"SOUND", "ON_UP"},
        {"SOUND", "ON_DOWN"},     {"SOUND", "ON_MOVE"}, {"SOUND", "BACKGROUND"},     {"INFOCD", "MASKA"},
        {"INFOCD", "BMP"},
    };
    for (const auto &key : pictures)
        rewriteKey(ini, QString::fromLatin1(key[0]), QString::fromLatin1(key[1]), false);
    if (mp3 || ini.valueExists(sound, QStringLiteral("MPEG_DLL")))
        ini.writeString(sound, QStringLiteral("MPEG_DLL"), m_plan.storedMenu);
    rewriteKey(ini, QStringLiteral("CDROM"), QStringLiteral("CD_DESCRIPTION"), true);
    rewriteKey(ini, QStringLiteral("INFOCD"), QStringLiteral("PLIK"), true);
    // Every copy shows the project's start screen.
    for (const QString &key : {QStringLiteral("AVI"), QStringLiteral("BMP")}) {
        if (!m_project.valueExists(QStringLiteral("EKRAN"), key))
            continue;
        const QString value = m_project.readString(QStringLiteral("EKRAN"), key, {});
        ini.writeString(QStringLiteral("EKRAN"), key, placeOf(value, false).value_or(value));
    }
    if (!ini.flush())
        report.errors << QStringLiteral("Nie można zapisać pliku %1: %2").arg(target.path, ini.errorString());
}

// A data file that stored its paths from "/" before its CD folder existed
// is given them from the CD folder, so that the runtime finds them.
void Executor::rebaseDataFileCopies()
{
    for (const Target &target : m_plan.targets) {
        if (target.route != Route::Data || !m_copied.count(target.path))
            continue;
        DataFile::ReadResult read = DataFile::read(target.path);
        if (!read.ok() || DataFile::rebaseStoredPaths(read.category, m_plan.cdRoot) == 0)
            continue;
        if (const DataFile::Result written = DataFile::write(target.path, read.category); !written.ok())
            report.errors << QStringLiteral("Nie można zapisać pliku %1: %2").arg(target.path, written.message);
    }
}

void Executor::rewriteCopies()
{
    for (const Target &target : m_plan.targets) {
        if (target.configuration && m_copied.count(target.path))
            rewrite(target);
    }
}

void Executor::writeAutorun(const AutorunChoice &autorun)
{
    const QString onDisk = Platform::findEntryCaseInsensitive(m_plan.cdRoot, Autorun);
    Platform::ProfileFile ini(m_plan.cdRoot + (onDisk.isEmpty() ? Autorun : onDisk));
    // AUTORUN.INF starts only what the CD holds.
    report.autostartWritten = !autorun.menu && autostartCopied();
    const QString program = report.autostartWritten ? QStringLiteral("PELDIX.EXE") : QStringLiteral("ORVANTA.EXE");
    ini.writeString(QStringLiteral("AUTORUN"), QStringLiteral("OPEN"), m_plan.storedMenu + program + QStringLiteral(" /OPCJE"));
    if (!autorun.icon.isEmpty())
        ini.writeString(QStringLiteral("AUTORUN"), QStringLiteral("ICON"), autorun.icon);
    if (!ini.flush())
        report.errors << QStringLiteral("Nie można zapisać pliku %1: %2").arg(ini.fileName(), ini.errorString());
}

bool Executor::autostartCopied() const
{
    const QString autostart = m_settings.file(GeneratorFile::Autostart);
    if (autostart.isEmpty())
        return false;
    const auto id = fileId(QFileInfo(autostart).absoluteFilePath());
    if (!id)
        return false;
    const auto found = m_byId.find(*id);
    return found != m_byId.end() && (m_plan.targets[found->second].inPlace || m_copied.count(m_plan.targets[found->second].path));
}

const Target *Executor::projectTarget() const
{
    const auto id = fileId(m_plan.projectPath);
    if (!id)
        return nullptr;
    const auto found = m_byId.find(*id);
    return found == m_byId.end() ? nullptr : &m_plan.targets[found->second];
}

void Executor::renameProject()
{
    const Target *project = projectTarget();
    if (!project || project->route != Route::Menu || !m_copied.count(project->path))
        return;
    const QString onDisk = Platform::findEntryCaseInsensitive(m_plan.folders.menu, RuntimeIni);
    m_runtimeIni = m_plan.folders.menu + (onDisk.isEmpty() ? RuntimeIni : onDisk);
    if (m_runtimeIni == project->path)
        return;
    QFile::remove(m_runtimeIni);
    if (existsOrLink(m_runtimeIni) || !QFile::rename(project->path, m_runtimeIni)) {
        report.renameFailed = true;
        m_runtimeIni.clear();
    }
}

void Executor::writeCollectedData()
{
    // Without the renamed project there is nothing to add to: no stub file.
    if (m_runtimeIni.isEmpty() || m_collected.empty())
        return;
    Platform::ProfileFile ini(m_runtimeIni);
    for (const auto &[key, value] : m_collected)
        ini.writeString(QStringLiteral("DATA"), key, value);
    if (!ini.flush())
        report.errors << QStringLiteral("Nie można zapisać pliku %1: %2").arg(m_runtimeIni, ini.errorString());
}

} // namespace

bool ProgressPacer::due(const QString &title)
{
    if (title == m_title && m_shown.isValid() && m_shown.elapsed() < IntervalMs)
        return false;
    m_title = title;
    m_shown.start();
    return true;
}

Report execute(const Plan &plan, const Platform::ProfileFile &project, const GeneratorConfig &settings,
               const AutorunChoice &autorun, const ProgressFn &progress)
{
    if (!plan.ok()) {
        Report refused;
        refused.errors = plan.refusals;
        return refused;
    }
    Executor executor(plan, project, settings, progress);
    if (!executor.deleteTargets() || !executor.createFolders())
        return executor.report;
    executor.copyGroups();
    executor.rebaseDataFileCopies();
    // What is there but cannot be copied is reported, not passed over.
    for (const SourceLine &line : plan.sources) {
        if (line.notRegular)
            executor.report.errors << QStringLiteral("Nie skopiowano %1: to nie jest zwykły plik.").arg(line.path);
    }
    executor.rewriteCopies();
    executor.writeAutorun(autorun);
    executor.renameProject();
    executor.writeCollectedData();
    return executor.report;
}

} // namespace Generation
