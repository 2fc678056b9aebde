#include "filelistmodel.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>

#include <array>

namespace {

struct ColumnFacts
{
    const char16_t *caption;
    int width;
    bool rightAligned;
};

const std::array<ColumnFacts, FileInfoCount> &columnTable()
{
    static const std::array<ColumnFacts, FileInfoCount> table{{
        {u"Nazwa", 150, false},
        {u"Rozmiar", 60, true},
        {u"Typ", 130, false},
        {u"Zmodyfikowany", 100, false},
        {u"Utworzony", 100, false},
        {u"Ostatnio otwarty", 100, false},
        {u"Atrybuty", 60, false},
        {u"Nazwa MSDOS", 130, false},
        {u"Roz. MSDOS", 60, false},
        {u"Lokalizacja", 200, false},
    }};
    return table;
}

// The attribute letters of the list: D folder, A archive (a regular file),
// R read-only, S system (no regular file or folder), H hidden (a dot name).
QString attributesOf(const QFileInfo &info)
{
    QString letters;
    if (info.isDir())
        letters += u'D';
    if (info.isFile())
        letters += u'A';
    if (!info.isWritable())
        letters += u'R';
    if (!info.isFile() && !info.isDir())
        letters += u'S';
    if (info.fileName().startsWith(u'.'))
        letters += u'H';
    return letters;
}

// A short name in the old eight-dot-three form, as DOS programs on the CD
// would see it.
void dosNameOf(const QFileInfo &info, QString &name, QString &extension)
{
    const QString fileName = info.fileName();
    const qsizetype dot = info.isDir() ? -1 : fileName.lastIndexOf(u'.');
    QString base = (dot > 0 ? fileName.left(dot) : fileName).toUpper().remove(u' ').remove(u'.');
    extension = dot > 0 ? fileName.mid(dot + 1).toUpper().left(3) : QString();
    if (base.size() > 8)
        base = base.left(6) + QStringLiteral("~1");
    name = extension.isEmpty() ? base : base + u'.' + extension;
}

} // namespace

FileEntry fileEntryOf(const QString &path)
{
    FileEntry entry;
    const QFileInfo info(path);
    entry.fullPath = QDir::cleanPath(info.absoluteFilePath());
    entry.caption = info.fileName();
    entry.location = QDir::toNativeSeparators(info.absolutePath());
    if (!entry.location.endsWith(QDir::separator()))
        entry.location += QDir::separator();
    if (!info.exists() && !info.isSymLink())
        return entry;
    static const QMimeDatabase mimeTypes;
    entry.hasFacts = true;
    entry.isDir = info.isDir();
    entry.size = entry.isDir ? 0 : info.size();
    entry.type = mimeTypes.mimeTypeForFile(info).comment();
    entry.modified = info.lastModified();
    entry.created = info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime();
    entry.lastAccess = info.lastRead();
    entry.attributes = attributesOf(info);
    dosNameOf(info, entry.dosName, entry.dosExt);
    return entry;
}

FileEntry foundEntry(const QString &name, qint64 size, bool isDir, const QString &folder)
{
    FileEntry entry;
    entry.caption = name;
    entry.location = QDir::toNativeSeparators(folder);
    if (!entry.location.endsWith(QDir::separator()))
        entry.location += QDir::separator();
    entry.fullPath = QDir::fromNativeSeparators(entry.location) + name;
    entry.hasFacts = true;
    entry.isDir = isDir;
    entry.size = isDir ? 0 : size;
    return entry;
}

TFileListModel::TFileListModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_columns = {TFileInfo::fiName, TFileInfo::fiSize, TFileInfo::fiType, TFileInfo::fiModified};
}

QString TFileListModel::captionOf(TFileInfo info)
{
    return info == TFileInfo::fiAll ? QString() : QString::fromUtf16(columnTable()[int(info)].caption);
}

int TFileListModel::defaultWidthOf(TFileInfo info)
{
    return info == TFileInfo::fiAll ? 0 : columnTable()[int(info)].width;
}

int TFileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int TFileListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TFileListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size() || index.column() >= m_columns.size())
        return {};
    const FileEntry &entry = m_entries.at(index.row());
    const TFileInfo info = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return entry.text(info);
    case Qt::DecorationRole:
        if (useIcons && info == TFileInfo::fiName && entry.hasFacts)
            return m_icons.icon(QFileInfo(entry.fullPath));
        return {};
    case Qt::TextAlignmentRole:
        if (columnTable()[int(info)].rightAligned)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ToolTipRole:
        return info == TFileInfo::fiName ? entry.fullPath : QVariant();
    default:
        return {};
    }
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return captionOf(m_columns.at(section));
    if (role == Qt::TextAlignmentRole && columnTable()[int(m_columns.at(section))].rightAligned)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

void TFileListModel::setColumns(const QList<TFileInfo> &columns)
{
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

void TFileListModel::setEntries(QList<FileEntry> entries)
{
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int TFileListModel::append(const FileEntry &entry)
{
    const int row = int(m_entries.size());
    beginInsertRows({}, row, row);
    m_entries.append(entry);
    endInsertRows();
    return row;
}

void TFileListModel::appendBatch(const QList<FileEntry> &entries)
{
    if (entries.isEmpty())
        return;
    const int first = int(m_entries.size());
    beginInsertRows({}, first, first + int(entries.size()) - 1);
    m_entries.append(entries);
    endInsertRows();
}

void TFileListModel::removeEntry(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    beginRemoveRows({}, row, row);
    m_entries.removeAt(row);
    endRemoveRows();
}

void TFileListModel::clear()
{
    setEntries({});
}

void TFileListModel::sortBy(TFileInfo column, bool ascending)
{
    // A reset rather than a layout change: the views' selections name rows,
    // which a sort moves.
    beginResetModel();
    FileListSort::sort(m_entries, column, ascending);
    endResetModel();
}
