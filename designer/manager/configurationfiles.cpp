#include "manager/configurationfiles.h"

#include <projectfile/projectformat.h>

#include <paths.h>
#include <profilefile.h>

namespace ConfigurationFiles {
namespace {

using namespace ProjectFormat;

// Lists the files of one configuration; empty values name no file (not
// the drive itself) and are left out.
class Lister
{
public:
    Lister(const Platform::ProfileFile &config, const QString &driveRoot)
        : m_config(config)
        , m_resolver(driveRoot)
    {
    }

    void addValue(const QString &section, const QString &key)
    {
        const QString stored = m_config.readString(section, key, {});
        if (stored.isEmpty())
            return;
        const Platform::ResolvedEntry entry = m_resolver.resolveEntry(stored);
        // A path that a link leads off the drive names nothing: it is shown
        // as stored.
        const QString path = entry.path.isEmpty() ? stored : entry.path;
        m_lines.append({stored, path, entry.type == Platform::EntryType::File});
    }

    void addSection(const QString &section)
    {
        for (const QString &key : m_config.keyNames(section))
            addValue(section, key);
    }

    QList<Line> lines() const { return m_lines; }

private:
    const Platform::ProfileFile &m_config;
    Platform::StoredPathResolver m_resolver; // the folders do not change while a list is made
    QList<Line> m_lines;
};

} // namespace

QList<Line> subWindowFiles(const Platform::ProfileFile &config, const QString &driveRoot)
{
    Lister lister(config, driveRoot);
    lister.addSection(Sections::NextWindowIni);
    return lister.lines();
}

QList<Line> dataFiles(const Platform::ProfileFile &config, const QString &driveRoot)
{
    Lister lister(config, driveRoot);
    lister.addSection(Sections::Data);
    return lister.lines();
}

QList<Line> bitmaps(const Platform::ProfileFile &config, const QString &driveRoot)
{
    Lister lister(config, driveRoot);
    lister.addSection(Sections::Glyph);
    lister.addValue(Sections::Window, QStringLiteral("BACKGROUND"));
    lister.addValue(Sections::Bonus, QStringLiteral("MASKA"));
    lister.addValue(Sections::Window, QStringLiteral("TOOLS_BACKGROUND"));
    return lister.lines();
}

} // namespace ConfigurationFiles
