#include "musicentries.h"

#include <datafile/datafile.h>
#include <mainwindow/editormessages.h>

#include <paths.h>
#include <profilefile.h>

#include <QDir>
#include <QSet>

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
        // A section that is a title of this batch keeps its own SETUP and
        // KATALOG when its folder has the same name (Album/Album.mp3).
        for (const Row &row : rows) {
            if (!row.isFolder)
                m_titles.insert(folded(titleOf(row.name)));
        }
        for (const Row &row : rows) {
            if (!addRow(row))
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

    // The folder's picture, the JPG over the BMP; empty without one.
    QString pictureOf(const QString &folder, const QString &stored, const QString &name)
    {
        const QString jpg = findWithExtension(m_finder, folder, name, QStringLiteral(".jpg"));
        if (!jpg.isEmpty())
            return stored + jpg;
        const QString bmp = findWithExtension(m_finder, folder, name, QStringLiteral(".bmp"));
        return bmp.isEmpty() ? QString() : stored + bmp;
    }

    bool addRow(const Row &row)
    {
        QString stored;
        if (!storedFolder(row.folder, stored))
            return false;
        const QString folderName = folderNameOf(row.folder);
        const bool folderUsable = checkProgramName(folderName).ok();
        const QString picture = folderUsable ? pictureOf(row.folder, stored, folderName) : QString();
        if (!row.isFolder) {
            const QString title = titleOf(row.name);
            if (checkProgramName(title).ok()) {
                put(title, Keys::Setup, stored + row.name);
                put(title, Keys::Katalog, stored + title + QStringLiteral("#3"));
                const QString text = findWithExtension(m_finder, row.folder, title, QStringLiteral(".txt"));
                if (!text.isEmpty())
                    put(title, Keys::Opis, stored + text);
                if (!picture.isEmpty())
                    put(title, Keys::Zrzut, picture);
                put(title, Keys::Kopia, folderName);
                put(title, Keys::Rozmiar,
                    m_separator.isNull() ? formatSize(row.size) : formatSize(row.size, m_separator));
            } else {
                ++m_plan.skipped;
            }
        }
        addFolder(row.folder, stored, folderName, folderUsable, picture);
        return true;
    }

    // A folder's section, once per batch.
    void addFolder(const QString &folder, const QString &stored, const QString &name, bool usable,
                   const QString &picture)
    {
        const QString key = QDir::cleanPath(folder);
        if (m_folders.contains(key))
            return;
        m_folders.insert(key);
        if (!usable) {
            ++m_plan.skipped;
            return;
        }
        if (!picture.isEmpty())
            put(name, Keys::Zrzut, picture);
        put(name, Keys::Kopia, name);
        if (m_titles.contains(folded(name)))
            return;
        put(name, Keys::Setup, stored);
        put(name, Keys::Katalog, stored);
    }

    QString m_driveRoot;
    QString m_separator;
    Plan m_plan;
    QSet<QString> m_titles;
    QSet<QString> m_folders;
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

QString write(const QString &dataFile, const QList<Entry> &entries)
{
    Platform::ProfileFile file(dataFile);
    for (const Entry &entry : entries)
        file.writeString(entry.section, entry.key, entry.value);
    if (!file.flush())
        return Messages::writeError(QDir::toNativeSeparators(dataFile));
    return {};
}

} // namespace MusicEntries
