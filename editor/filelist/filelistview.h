#pragma once

#include "filelistmodel.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QListView;
class QStackedLayout;
class QTreeView;

// Where a list keeps its column order and widths: values "Order" and
// "Sizes" of the sub-key "Columns" of RegistryKey (a key of the current
// user).
struct TELVSaveSettings
{
    bool AutoSave = false;
    bool SaveColumnOrder = true;
    bool SaveColumnSizes = true;
    QString RegistryKey;
};

// A list of files shown either as a plain list or as a report with one
// column per fact. One model serves both views; sorting is by any shown
// column, one direction per list.
class TFileListView : public QWidget
{
    Q_OBJECT
public:
    enum TViewStyle { vsList, vsReport };

    explicit TFileListView(QWidget *parent = nullptr);
    ~TFileListView() override;

    TFileListModel *model() const { return m_model; }
    QListView *listView() const { return m_listView; }
    QTreeView *reportView() const { return m_reportView; }

    TViewStyle ViewStyle() const { return m_viewStyle; }
    void setViewStyle(TViewStyle style);
    bool UseIcons() const { return m_model->useIcons; }
    void setUseIcons(bool use);
    bool DoSorting = true;
    TELVSaveSettings SaveSettings;
    bool AcceptFiles() const { return m_acceptFiles; }
    void setAcceptFiles(bool accept);

    TFileInfo SortColumn() const { return m_sortColumn; }
    // Only a shown column can become the sort column.
    void setSortColumn(TFileInfo column);
    bool sortAscending() const { return m_ascending; }
    // What a click on a column header does: the sort column again reverses
    // the direction, another one becomes the sort column, ascending.
    void columnClick(TFileInfo column);
    void sortItems();

    // Adds the file or folder at path with its facts; the new row.
    virtual int addFile(const QString &path);

    // Appends entries in one go (a batch of search hits).
    void addEntries(const QList<FileEntry> &entries);
    void removeRow(int row);
    void clear();

    // Several rows selectable at once (with Ctrl and Shift); one by default.
    bool MultiSelect() const { return m_multiSelect; }
    void setMultiSelect(bool multiSelect);
    // The selected rows in list order.
    QList<int> selectedRows() const;

    int count() const { return m_model->rowCount(); }
    int selectedRow() const;
    void selectRow(int row);
    // The selected entry's full path; empty without a selection.
    QString selectedPath() const;

    // Column order and widths from and to the registry (see SaveSettings).
    void loadColumnSettings();
    void saveColumnSettings() const;

    using NotifyEvent = std::function<void(QObject *sender)>;
    using RowEvent = std::function<void(QObject *sender, int row)>;
    using FileDropEvent = std::function<void(QObject *sender, const QStringList &files, int x, int y)>;
    using ContextMenuEvent = std::function<void(QObject *sender, const QPoint &globalPos)>;
    NotifyEvent OnSelectionChange;
    RowEvent OnDblClick;
    FileDropEvent OnFileDrop;
    ContextMenuEvent OnContextMenu;

protected:
    void applyColumns(const QList<TFileInfo> &columns, const QList<TFileInfo> &chosen);
    // Widens the name column until the longest name of the list shows whole.
    void fitNameColumn();
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void connectView(QWidget *view);
    void headerClicked(int section);
    QString columnsKey() const;

    TFileListModel *m_model;
    QListView *m_listView;
    QTreeView *m_reportView;
    QStackedLayout *m_stack;
    TViewStyle m_viewStyle = vsList;
    TFileInfo m_sortColumn = TFileInfo::fiName;
    bool m_ascending = true;
    bool m_acceptFiles = false;
    bool m_multiSelect = false;
};

// A file list filled with the entries of one or more folders that match a
// mask and a set of attribute types.
class TFileList : public TFileListView
{
    Q_OBJECT
public:
    enum TFileType {
        PtArchive = 1,
        PtReadonly = 2,
        PtSystem = 4,
        PtHidden = 8,
        PtTemporary = 16,
        PtAll = 32,
    };
    Q_DECLARE_FLAGS(TFileTypes, TFileType)

    explicit TFileList(QWidget *parent = nullptr);

    // Folders separated by ";"; read back each with a trailing separator,
    // sorted, without duplicates.
    QString Directory() const { return m_directories.join(u';'); }
    QStringList directories() const { return m_directories; }
    void setDirectory(const QString &folders);
    // Masks separated by ";" or ","; "*" at creation, so names without a
    // dot are listed too.
    QString Mask() const { return m_masks.join(u';'); }
    void setMask(const QString &masks);
    TFileTypes FileTypes() const { return m_fileTypes; }
    void setFileTypes(TFileTypes types);
    // The chosen columns; fiAll chooses every one.
    QList<TFileInfo> ViewColumns() const { return m_viewColumns; }
    void setViewColumns(const QList<TFileInfo> &columns);
    bool DisplayDirectory() const { return m_displayDirectory; }
    void setDisplayDirectory(bool display);

    // Called after each entry added by a fill.
    using FileAddEvent = std::function<void(QObject *sender, int row, const QString &path)>;
    FileAddEvent OnFileAdd;

    // Lists the folders again.
    void refresh();

    // Whether an entry with these attribute letters passes the types.
    static bool passesTypes(const QString &attributes, TFileTypes types);

private:
    void fillFolder(const QString &folder, QList<FileEntry> &entries) const;

    QStringList m_directories;
    QStringList m_masks;
    TFileTypes m_fileTypes = TFileTypes(PtArchive) | PtReadonly;
    QList<TFileInfo> m_viewColumns;
    bool m_displayDirectory = true;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFileList::TFileTypes)
