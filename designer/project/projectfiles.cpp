#include "projectfiles.h"

#include <paths.h>
#include <profilefile.h>
#include <safefile.h>
#include <projectfile/projectformat.h>

#include <QFileInfo>
#include <QSet>

namespace ProjectFiles {
namespace {

namespace Sections = ProjectFormat::Sections;
const QString Files = QStringLiteral("PLIKI");

QString configuredValue(const ConfiguredFiles &configured, const QString &key)
{
    if (key == u"MPEGDLL")
        return configured.mpegDll;
    if (key == u"MENU")
        return configured.runtime;
    if (key == u"KOPIARKA")
        return configured.copier;
    if (key == u"AUTOSTART")
        return configured.autostart;
    return {};
}

} // namespace

const QList<PathKey> &pathKeys()
{
    // source, section, key (empty: every key), template list, required list,
    // only with MP3 music, folder order of the path change
    static const QList<PathKey> keys = {
        {Source::Project, Sections::NextWindowIni, {}, false, false, false, 1},
        {Source::Project, Sections::Data, {}, true, true, false, 2},
        {Source::Project, Sections::Glyph, {}, true, true, false, 3},
        {Source::Project, Sections::Window, QStringLiteral("BACKGROUND"), true, true, false, 4},
        {Source::Project, Sections::Bonus, QStringLiteral("MASKA"), false, true},
        {Source::Project, Sections::Window, QStringLiteral("TOOLS_BACKGROUND"), true, true, false, 5},
        {Source::Project, Sections::Cdrom, QStringLiteral("CD_DESCRIPTION"), true, true, false, 7},
        {Source::Project, Sections::Sound, QStringLiteral("BACKGROUND"), true, true, false, 6},
        {Source::Configuration, Files, QStringLiteral("MPEGDLL"), true, true, true},
        {Source::Configuration, Files, QStringLiteral("MENU"), true, false},
        {Source::Configuration, Files, QStringLiteral("KOPIARKA"), true, false},
        {Source::Configuration, Files, QStringLiteral("AUTOSTART"), true, false},
        {Source::Project, Sections::Ekran, QStringLiteral("AVI"), true, false, false, 8},
        {Source::Project, Sections::Ekran, QStringLiteral("BMP"), true, false, false, 9},
        {Source::Project, Sections::Sound, QStringLiteral("ON_UP"), false, true},
        {Source::Project, Sections::Sound, QStringLiteral("ON_DOWN"), false, true},
        {Source::Project, Sections::Sound, QStringLiteral("ON_MOVE"), false, true},
        // Named in no list; still paths that a folder change rewrites.
        {Source::Project, Sections::InfoCd, QStringLiteral("MASKA"), false, false},
        {Source::Project, Sections::InfoCd, QStringLiteral("BMP"), false, false},
        {Source::Project, Sections::InfoCd, QStringLiteral("PLIK"), false, false},
    };
    return keys;
}

QStringList keysOf(const Platform::ProfileFile &project, const PathKey &row)
{
    if (row.source != Source::Project)
        return {};
    if (!row.key.isEmpty())
        return {row.key};
    QStringList keys;
    QSet<QString> seen;
    for (const QString &key : project.keyNames(row.section)) {
        if (!seen.contains(key.toCaseFolded())) {
            seen.insert(key.toCaseFolded());
            keys.append(key);
        }
    }
    return keys;
}

bool hasMp3Music(const Platform::ProfileFile &project)
{
    const QString music = project.readString(Sections::Sound, QStringLiteral("BACKGROUND"), {});
    return QFileInfo(music).suffix().toUpper() == u"MP3";
}

QList<NamedFile> filesNamed(const Platform::ProfileFile &project, const QString &driveRoot,
                            const ConfiguredFiles &configured, FileList list)
{
    Platform::StoredPathResolver resolver(driveRoot);
    const bool mp3 = hasMp3Music(project);
    QList<NamedFile> files;
    const auto addProjectValue = [&](const QString &section, const QString &key) {
        const QString stored = project.readString(section, key, {});
        if (stored.isEmpty())
            return;
        QString path = resolver.resolve(stored);
        if (!Platform::isRegularFile(path)) // stored before the project had its CD folder?
            path = Platform::resolveDocumentPath(driveRoot, stored);
        files.append({Source::Project, section, key, stored, path, Platform::isRegularFile(path)});
    };
    for (const PathKey &row : pathKeys()) {
        if (!(list == FileList::Template ? row.inTemplate : row.inRequired) || (row.onlyWithMp3 && !mp3))
            continue;
        if (row.source == Source::Configuration) {
            const QString path = configuredValue(configured, row.key);
            files.append({Source::Configuration, row.section, row.key, path, path, Platform::isRegularFile(path)});
        } else {
            for (const QString &key : keysOf(project, row))
                addProjectValue(row.section, key);
        }
    }
    return files;
}

} // namespace ProjectFiles
