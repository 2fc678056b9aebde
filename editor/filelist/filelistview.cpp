#include "filelistview.h"

#include <masks/masks.h>
#include <registry.h>

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QListView>
#include <QMimeData>
#include <QStackedLayout>
#include <QTreeView>

#include <algorithm>

TFileListView::TFileListView(QWidget *parent)
    : QWidget(parent)
    , m_model(new TFileListModel(this))
    , m_listView(new QListView(this))
    , m_reportView(new QTreeView(this))
    , m_stack(new QStackedLayout(this))
{
    m_listView->setModel(m_model);
    m_listView->setViewMode(QListView::ListMode);
    m_listView->setFlow(QListView::TopToBottom);
    m_listView->setWrapping(true);
    m_listView->setResizeMode(QListView::Adjust);
    m_listView->setUniformItemSizes(true);
    m_reportView->setModel(m_model);
    m_reportView->setSelectionModel(m_listView->selectionModel());
    m_reportView->setRootIsDecorated(false);
    m_reportView->setItemsExpandable(false);
    m_reportView->setUniformRowHeights(true);
    m_reportView->setAllColumnsShowFocus(true);
    m_reportView->header()->setSectionsMovable(true);
    m_reportView->header()->setSectionsClickable(true);
    m_reportView->header()->setStretchLastSection(false);
    connect(m_reportView->header(), &QHeaderView::sectionClicked, this, &TFileListView::headerClicked);
    m_stack->setContentsMargins(0, 0, 0, 0);
    m_stack->addWidget(m_listView);
    m_stack->addWidget(m_reportView);
    connectView(m_listView);
    connectView(m_reportView);
    connect(m_listView->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (OnSelectionChange)
            OnSelectionChange(this);
    });
    applyColumns(m_model->columns(), m_model->columns());
}

TFileListView::~TFileListView()
{
    if (SaveSettings.AutoSave)
        saveColumnSettings();
}

void TFileListView::connectView(QWidget *view)
{
    auto *itemView = static_cast<QAbstractItemView *>(view);
    itemView->setSelectionMode(QAbstractItemView::SingleSelection);
    itemView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    itemView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(itemView, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (OnDblClick)
            OnDblClick(this, index.row());
    });
    connect(itemView, &QWidget::customContextMenuRequested, this, [this, itemView](const QPoint &pos) {
        if (OnContextMenu)
            OnContextMenu(this, itemView->viewport()->mapToGlobal(pos));
    });
}

void TFileListView::setViewStyle(TViewStyle style)
{
    m_viewStyle = style;
    m_stack->setCurrentIndex(style == vsReport ? 1 : 0);
}

void TFileListView::setUseIcons(bool use)
{
    m_model->useIcons = use;
    m_listView->viewport()->update();
    m_reportView->viewport()->update();
}

void TFileListView::setAcceptFiles(bool accept)
{
    m_acceptFiles = accept;
    setAcceptDrops(accept);
}

// Builds the model's columns: every chosen one, and name and size always
// (size hidden when it is not chosen).
void TFileListView::applyColumns(const QList<TFileInfo> &columns, const QList<TFileInfo> &chosen)
{
    m_model->setColumns(columns);
    QHeaderView *header = m_reportView->header();
    for (int i = 0; i < columns.size(); ++i) {
        header->resizeSection(i, TFileListModel::defaultWidthOf(columns[i]));
        header->setSectionHidden(i, !chosen.contains(columns[i]));
    }
    if (m_model->columnOf(m_sortColumn) < 0 || header->isSectionHidden(m_model->columnOf(m_sortColumn)))
        m_sortColumn = TFileInfo::fiName;
}

void TFileListView::fitNameColumn()
{
    const int section = m_model->columnOf(TFileInfo::fiName);
    if (section < 0)
        return;
    QHeaderView *header = m_reportView->header();
    const int before = header->sectionSize(section);
    m_reportView->resizeColumnToContents(section);
    if (header->sectionSize(section) < before)
        header->resizeSection(section, before);
}

void TFileListView::setSortColumn(TFileInfo column)
{
    const int section = m_model->columnOf(column);
    if (column == TFileInfo::fiAll || section < 0 || m_reportView->header()->isSectionHidden(section))
        return;
    m_sortColumn = column;
}

void TFileListView::columnClick(TFileInfo column)
{
    if (!DoSorting)
        return;
    if (column == m_sortColumn) {
        m_ascending = !m_ascending;
    } else {
        const TFileInfo before = m_sortColumn;
        setSortColumn(column);
        if (m_sortColumn == before)
            return;
        m_ascending = true;
    }
    sortItems();
}

void TFileListView::headerClicked(int section)
{
    if (section >= 0 && section < m_model->columns().size())
        columnClick(m_model->columns().at(section));
}

void TFileListView::sortItems()
{
    const QString selected = selectedPath();
    m_model->sortBy(m_sortColumn, m_ascending);
    m_reportView->header()->setSortIndicatorShown(true);
    m_reportView->header()->setSortIndicator(m_model->columnOf(m_sortColumn),
                                             m_ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    if (selected.isEmpty())
        return;
    for (int row = 0; row < count(); ++row) {
        if (m_model->entry(row).fullPath == selected) {
            selectRow(row);
            break;
        }
    }
}

int TFileListView::addFile(const QString &path)
{
    return m_model->append(fileEntryOf(path));
}

void TFileListView::addEntries(const QList<FileEntry> &entries)
{
    m_model->appendBatch(entries);
}

void TFileListView::removeRow(int row)
{
    m_model->removeEntry(row);
}

void TFileListView::clear()
{
    m_model->clear();
}

void TFileListView::setMultiSelect(bool multiSelect)
{
    m_multiSelect = multiSelect;
    const auto mode = multiSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    m_listView->setSelectionMode(mode);
    m_reportView->setSelectionMode(mode);
}

QList<int> TFileListView::selectedRows() const
{
    // The list view selects a row's first cell only, the report its every
    // cell: a row counts once either way.
    QList<int> rows;
    for (const QModelIndex &index : m_listView->selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int TFileListView::selectedRow() const
{
    const QModelIndex current = m_listView->selectionModel()->currentIndex();
    if (!current.isValid() || !m_listView->selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

void TFileListView::selectRow(int row)
{
    QItemSelectionModel *selection = m_listView->selectionModel();
    if (row < 0 || row >= count()) {
        selection->clear();
        return;
    }
    selection->setCurrentIndex(m_model->index(row, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

QString TFileListView::selectedPath() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : m_model->entry(row).fullPath;
}

QString TFileListView::columnsKey() const
{
    QString key = SaveSettings.RegistryKey;
    if (!key.endsWith(u'\\'))
        key += u'\\';
    return key + QStringLiteral("Columns");
}

void TFileListView::loadColumnSettings()
{
    Platform::Registry registry;
    if (SaveSettings.RegistryKey.isEmpty() || !registry.openKey(columnsKey(), false))
        return;
    QHeaderView *header = m_reportView->header();
    const int columns = header->count();
    if (SaveSettings.SaveColumnOrder) {
        // An order that is not a permutation of the columns (an edited or an
        // older key) would lose columns: it is ignored.
        const QList<int> order = FileListSort::splitIntegers(registry.readString(QStringLiteral("Order")));
        if (FileListSort::isPermutation(order, columns)) {
            for (int visual = 0; visual < columns; ++visual)
                header->moveSection(header->visualIndex(order[visual]), visual);
        }
    }
    if (SaveSettings.SaveColumnSizes && registry.valueExists(QStringLiteral("Sizes"))) {
        const QList<int> sizes = FileListSort::splitIntegers(registry.readString(QStringLiteral("Sizes")));
        for (int i = 0; i < std::min<int>(columns, int(sizes.size())); ++i) {
            if (sizes[i] > 0)
                header->resizeSection(i, sizes[i]);
        }
    }
}

void TFileListView::saveColumnSettings() const
{
    Platform::Registry registry;
    if (SaveSettings.RegistryKey.isEmpty() || !registry.openKey(columnsKey(), true))
        return;
    const QHeaderView *header = m_reportView->header();
    QList<int> order;
    QList<int> sizes;
    for (int visual = 0; visual < header->count(); ++visual)
        order << header->logicalIndex(visual);
    for (int logical = 0; logical < header->count(); ++logical)
        sizes << header->sectionSize(logical);
    if (SaveSettings.SaveColumnOrder)
        registry.writeString(QStringLiteral("Order"), FileListSort::joinIntegers(order));
    if (SaveSettings.SaveColumnSizes)
        registry.writeString(QStringLiteral("Sizes"), FileListSort::joinIntegers(sizes));
}

void TFileListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_acceptFiles && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFileListView::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    const QPoint at = event->position().toPoint();
    if (OnFileDrop)
        OnFileDrop(this, files, at.x(), at.y());
}

// ---------------------------------------------------------------- TFileList

TFileList::TFileList(QWidget *parent)
    : TFileListView(parent)
    , m_masks(Masks::SplitMasks(QStringLiteral("*"), true))
    , m_viewColumns{TFileInfo::fiName, TFileInfo::fiSize, TFileInfo::fiType, TFileInfo::fiModified}
{
}

void TFileList::setDirectory(const QString &folders)
{
    QStringList list;
    for (QString folder : folders.split(u';', Qt::SkipEmptyParts)) {
        folder = QDir::fromNativeSeparators(folder.trimmed());
        if (folder.isEmpty())
            continue;
        if (!folder.endsWith(u'/'))
            folder += u'/';
        if (!list.contains(folder))
            list << folder;
    }
    list.sort();
    m_directories = list;
    refresh();
}

void TFileList::setMask(const QString &masks)
{
    m_masks = Masks::SplitMasks(masks, true);
    refresh();
}

void TFileList::setFileTypes(TFileTypes types)
{
    m_fileTypes = types;
    refresh();
}

void TFileList::setDisplayDirectory(bool display)
{
    m_displayDirectory = display;
    refresh();
}

void TFileList::setViewColumns(const QList<TFileInfo> &columns)
{
    m_viewColumns = columns;
    const bool all = columns.contains(TFileInfo::fiAll);
    QList<TFileInfo> shown{TFileInfo::fiName, TFileInfo::fiSize};
    QList<TFileInfo> chosen;
    for (int i = 0; i < FileInfoCount; ++i) {
        const auto info = TFileInfo(i);
        if (!all && !columns.contains(info))
            continue;
        chosen << info;
        if (!shown.contains(info))
            shown << info;
    }
    std::sort(shown.begin(), shown.end());
    applyColumns(shown, chosen);
    sortItems();
}

bool TFileList::passesTypes(const QString &attributes, TFileTypes types)
{
    if (types & PtAll)
        return true;
    const std::pair<QChar, TFileType> needs[] = {
        {u'A', PtArchive}, {u'R', PtReadonly}, {u'H', PtHidden}, {u'S', PtSystem}, {u'T', PtTemporary},
    };
    for (const auto &[letter, type] : needs) {
        if (attributes.contains(letter) && !(types & type))
            return false;
    }
    return true;
}

void TFileList::fillFolder(const QString &folder, QList<FileEntry> &entries) const
{
    const QDir dir(folder);
    const QFileInfoList infos =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo &info : infos) {
        const bool isDir = info.isDir();
        if (isDir ? !m_displayDirectory
                  : !Masks::MatchMaskList(info.fileName(), m_masks, true, Masks::Case::Lower))
            continue;
        FileEntry entry = fileEntryOf(info.absoluteFilePath());
        if (passesTypes(entry.attributes, m_fileTypes))
            entries << entry;
    }
}

void TFileList::refresh()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QList<FileEntry> entries;
    for (const QString &folder : m_directories)
        fillFolder(folder, entries);
    FileListSort::sort(entries, SortColumn(), sortAscending());
    model()->setEntries(std::move(entries));
    fitNameColumn();
    QApplication::restoreOverrideCursor();
    if (OnFileAdd) {
        for (int row = 0; row < count(); ++row)
            OnFileAdd(this, row, model()->entry(row).fullPath);
    }
}
