#pragma once

#include "filelistsort.h"

#include <QAbstractTableModel>
#include <QFileIconProvider>
#include <QList>

// The entries of a file list as a table: one row per entry, one column per
// shown fact. Shared by the list and the report view of a TFileListView.
class TFileListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TFileListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The fact of each column, in column order.
    const QList<TFileInfo> &columns() const { return m_columns; }
    void setColumns(const QList<TFileInfo> &columns);
    int columnOf(TFileInfo info) const { return int(m_columns.indexOf(info)); }

    const QList<FileEntry> &entries() const { return m_entries; }
    const FileEntry &entry(int row) const { return m_entries.at(row); }
    void setEntries(QList<FileEntry> entries);
    int append(const FileEntry &entry);
    // Appends the entries in one insertion, however many they are.
    void appendBatch(const QList<FileEntry> &entries);
    void removeEntry(int row);
    void clear();
    void sortBy(TFileInfo column, bool ascending);

    bool useIcons = true;

    static QString captionOf(TFileInfo info);
    static int defaultWidthOf(TFileInfo info);

private:
    QList<TFileInfo> m_columns;
    QList<FileEntry> m_entries;
    QFileIconProvider m_icons;
};

// The facts of the file or folder at path as a list shows them; an entry
// without facts when nothing is there.
FileEntry fileEntryOf(const QString &path);
// An entry of what a search found, from the facts it brings (name, size,
// folder with a trailing separator), without asking the disk again; it has
// no type and no dates.
FileEntry foundEntry(const QString &name, qint64 size, bool isDir, const QString &folder);
