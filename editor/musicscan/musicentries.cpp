#include "musicentries.h"

#include <datafile/datafile.h>
#include <mainwindow/editormessages.h>

#include <paths.h>
#include <profilefile.h>

#include <QDir>
#include <QHash>
#include <QSet>

#include <vector>

namespace MusicEntries {
namespace {

using namespace DataFile;

QString folded(const QString &name)
{
    return name.toCaseFolded();
}

// The file name + extension of folder in any letter case (the name on
// disk); empty when there is none.
QString findWithExtension(Platform::FolderEntryFinder &finder, const QString &folder, const QString &base,
                          const QString &extension)
{
    return finder.find(folder, base + extension);
}

class Builder
{
public:
    Builder(const QString &driveRoot, const QString &groupSeparator)
        : m_driveRoot(driveRoot)
        , m_separator(groupSeparator)
    {
    }

    Plan build(const QList<Row> &rows)
    {
        decideSections(rows);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            if (!addRow(rows[i], m_titleKept[size_t(i)]))
                break;
        }
        return std::move(m_plan);
    }

private:
    void put(const QString &section, const QString &key, const QString &value)
    {
        m_plan.entries.append({section, key, value});
    }

    bool storedFolder(const QString &folder, QString &stored)
    {
        const QString clean = QDir::cleanPath(folder);
        const QString root = QDir::cleanPath(m_driveRoot);
        const bool inside = root == u"/" || clean == root || clean.startsWith(root + u'/');
        if (!inside) {
            m_plan.refusal = EditorMessages::outsideDriveRoot(QDir::toNativeSeparators(folder), m_driveRoot);
            return false;
        }
        stored = storedFolderPath(m_driveRoot, clean);
        return true;
    }

    // Who writes a section of the batch: the first title or folder to take
    // its name (in any letter case, as sections are found). A title and its
    // own folder share one (Album/Album.mp3); any other that comes later
    // would merge into it unseen, so it is left out and counted.
    struct Section
    {
        bool byTitle = false;
        QString folder;
        bool hasTitle = false; // a title of the folder writes SETUP and KATALOG
    };

    bool take(const QString &name, bool byTitle, const QString &folder)
    {
        const QString key = folded(name);
        const auto found = m_sections.find(key);
        if (found == m_sections.end()) {
            m_sections.insert(key, {byTitle, folder, byTitle});
            return true;
        }
        if (found->byTitle == byTitle || found->folder != folder)
            return false;
        found->hasTitle = true;
        return true;
    }

    // Decides, in the order the rows are written, which titles and folders
    // keep their sections; counts the others and the names no section can
    // have.
    void decideSections(const QList<Row> &rows)
    {
        m_titleKept.assign(size_t(rows.size()), false);
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const Row &row = rows[i];
            const QString folder = QDir::cleanPath(row.folder);
            if (!row.isFolder) {
                const QString title = titleOf(row.name);
                const bool kept = checkProgramName(title).ok() && take(title, true, folder);
                m_titleKept[size_t(i)] = kept;
                m_plan.skipped += kept ? 0 : 1;
            }
            if (m_folderKept.contains(folder))
                continue;
            const QString name = folderNameOf(row.folder);
            const bool kept = checkProgramName(name).ok() && take(name, false, folder);
            m_folderKept.insert(folder, kept);
            m_plan.skipped += kept ? 0 : 1;
        }
    }

    // The folder's picture, the JPG over the BMP; empty without one.
    QString pictureOf(const QString &folder, const QString &stored, const QString &name)
    {
        const QString jpg = findWithExtension(m_finder, folder, name, QStringLiteral(".jpg"));
        if (!jpg.isEmpty())
            return stored + jpg;
        const QString bmp = findWithExtension(m_finder, folder, name, QStringLiteral(".bmp"));
        return bmp.isEmpty() ? QString() : stored + bmp;
    }

    bool addRow(const Row &row, bool titleKept)
    {
        QString stored;
        if (!storedFolder(row.folder, stored))
            return false;
        const QString folderName = folderNameOf(row.folder);
        const bool folderUsable = checkProgramName(folderName).ok();
        const QString picture = folderUsable ? pictureOf(row.folder, stored, folderName) : QString();
        if (titleKept) {
            const QString title = titleOf(row.name);
            put(title, Keys::Setup, stored + row.name);
            put(title, Keys::Katalog, stored + title + QStringLiteral("#3"));
            const QString text = findWithExtension(m_finder, row.folder, title, QStringLiteral(".txt"));
            if (!text.isEmpty())
                put(title, Keys::Opis, stored + text);
            if (!picture.isEmpty())
                put(title, Keys::Zrzut, picture);
            put(title, Keys::Kopia, folderName);
            put(title, Keys::Rozmiar, m_separator.isNull() ? formatSize(row.size) : formatSize(row.size, m_separator));
        }
        addFolder(row.folder, stored, folderName, picture);
        return true;
    }

    // A folder's section, once per batch, when it keeps it.
    void addFolder(const QString &folder, const QString &stored, const QString &name, const QString &picture)
    {
        const QString key = QDir::cleanPath(folder);
        if (m_foldersWritten.contains(key) || !m_folderKept.value(key))
            return;
        m_foldersWritten.insert(key);
        if (!picture.isEmpty())
            put(name, Keys::Zrzut, picture);
        put(name, Keys::Kopia, name);
        if (m_sections.value(folded(name)).hasTitle)
            return;
        put(name, Keys::Setup, stored);
        put(name, Keys::Katalog, stored);
    }

    QString m_driveRoot;
    QString m_separator;
    Plan m_plan;
    QHash<QString, Section> m_sections; // by folded name
    std::vector<bool> m_titleKept;      // by row
    QHash<QString, bool> m_folderKept;  // by clean folder path
    QSet<QString> m_foldersWritten;
    Platform::FolderEntryFinder m_finder;
};

} // namespace

QString titleOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QString folderNameOf(const QString &folder)
{
    const QStringList names = QDir::cleanPath(folder).split(u'/', Qt::SkipEmptyParts);
    return names.isEmpty() ? QString() : names.last();
}

Plan entriesOf(const QList<Row> &rows, const QString &driveRoot, const QString &groupSeparator)
{
    return Builder(driveRoot, groupSeparator).build(rows);
}

Platform::WriteResult write(const QString &dataFile, const QList<Entry> &entries)
{
    Platform::ProfileFile file(dataFile);
    for (const Entry &entry : entries)
        file.writeString(entry.section, entry.key, entry.value);
    // A file that cannot be read is never written over: the reason is then
    // why it could not be read.
    if (file.flush())
        return {};
    return {Messages::writeError(QDir::toNativeSeparators(dataFile), file.errorString()), file.errorString()};
}

} // namespace MusicEntries
