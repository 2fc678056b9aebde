#pragma once

#include <volumes.h>

#include <QHash>
#include <QIcon>
#include <QTreeWidget>
#include <QVariant>

#include <functional>
#include <optional>

// A tree of the machine's volumes and their folders. Volumes (mount points)
// are the root nodes; folders are read when a node is first expanded. Folders
// can be filtered by kind, by a handler and by the trash rule, volumes by
// kind; a changed medium is noticed; files dropped on a folder are reported.
//
// Node paths are absolute, keep their letter case and end in "/". Folder
// links are shown but never walked into.
class TDirTree : public QTreeWidget
{
    Q_OBJECT
public:
    enum TDirType { dtReadOnly = 1, dtHidden = 2, dtSystem = 4, dtArchive = 8, dtNormal = 16, dtAll = 32 };
    Q_DECLARE_FLAGS(TDirTypes, TDirType)
    enum TDriveType {
        drtUnknown = 1,
        drtRemovable = 2,
        drtFixed = 4,
        drtRemote = 8,
        drtCDRom = 16,
        drtRamDisk = 32,
        drtAllTypes = 63,
    };
    Q_DECLARE_FLAGS(TDriveTypes, TDriveType)

    // One folder found by an OnFindDir enumeration.
    struct TDirRec {
        QString Name;
        bool Directory = true;
        bool Hidden = false;
        // A link to a folder: listed, never walked into.
        bool Link = false;
        QVariant UserData;
    };

    using AddDirEvent = std::function<void(QObject *sender, const QString &path, bool &doAdd)>;
    using NodeEvent = std::function<void(QObject *sender, QTreeWidgetItem *node)>;
    // Called with first true, then false, until result is not 0; each call
    // with result 0 fills rec with one entry of path.
    using FindDirEvent = std::function<void(QObject *sender, const QString &path, TDirRec &rec, int &result, bool first)>;
    using DropFilesEvent = std::function<void(QObject *sender, int x, int y, const QString &dropDir,
                                              const QStringList &files, Qt::KeyboardModifiers shift)>;
    using NotifyEvent = std::function<void(QObject *sender)>;

    explicit TDirTree(QWidget *parent = nullptr);
    ~TDirTree() override;

    // Volumes come from this source (the system's by default; not owned).
    void setVolumeSource(Platform::VolumeSource *source);

    bool ReadOnStart() const { return m_readOnStart; }
    void setReadOnStart(bool read) { m_readOnStart = read; }
    TDirTypes DirTypes() const { return m_dirTypes; }
    void setDirTypes(TDirTypes types);
    bool GoBelowRecycleBin() const { return m_goBelowRecycleBin; }
    void setGoBelowRecycleBin(bool below);
    bool FastLoad() const { return m_fastLoad; }
    void setFastLoad(bool fast) { m_fastLoad = fast; }
    QString InitialDirectory() const { return m_initialDirectory; }
    void setInitialDirectory(const QString &path) { m_initialDirectory = path; }
    TDriveTypes DriveTypes() const { return m_driveTypes; }
    void setDriveTypes(TDriveTypes types);
    // Kept for forms that set it; Linux has no share attribute to show.
    bool ShowShareOverlay() const { return m_showShareOverlay; }
    void setShowShareOverlay(bool show) { m_showShareOverlay = show; }
    bool AcceptDropFiles() const { return m_acceptDropFiles; }
    void setAcceptDropFiles(bool accept);

    AddDirEvent OnAddDir;
    NodeEvent OnDeleteItem;
    NodeEvent OnGetIcon;
    FindDirEvent OnFindDir;
    DropFilesEvent OnDropFiles;
    NodeEvent OnChange;
    NotifyEvent OnClick;

    // Selects the folder of path, reading and expanding the levels on the
    // way. "?" does nothing; a path that does not exist opens the root of
    // the current folder's volume; a level that is not in the tree stops the
    // walk and keeps the selection. False (and nothing done) for an empty
    // path.
    bool OpenPath(const QString &path);
    // The selected folder's path, "?" when nothing is selected.
    QString GetSelectedDir() const;
    // Rebuilds the tree and selects what was selected, as near as it can.
    void Reload();
    // Rebuilds the root nodes from the volumes.
    void ReadDrives();
    // Adds and removes root nodes for volumes that came and went.
    void RefreshDrives();

    // Node facts.
    static QString pathOf(const QTreeWidgetItem *node);
    static bool childrenRead(const QTreeWidgetItem *node);

    static const QString InvalidPathName;

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

    // The editor's tree shows no drops.
    bool m_dropsSupported = true;

private:
    struct RootFacts {
        Platform::Volume volume;
        QString lastFolder;
    };

    QList<Platform::Volume> acceptedVolumes();
    bool acceptsDriveKind(Platform::VolumeKind kind) const;
    bool acceptsFolder(const QString &path);
    bool passesAttributeFilter(const TDirRec &rec) const;
    QList<TDirRec> folderEntries(const QString &path);
    bool hasAcceptedSubfolder(const QString &path);
    void readChildren(QTreeWidgetItem *node);
    void probe(QTreeWidgetItem *node);
    QTreeWidgetItem *addRootNode(const Platform::Volume &volume, int index);
    void resetRootNode(QTreeWidgetItem *root, const Platform::Volume &volume);
    void deleteChildren(QTreeWidgetItem *node);
    void setIcons(QTreeWidgetItem *node, const QIcon &icon);
    QTreeWidgetItem *rootOf(QTreeWidgetItem *node) const;
    QTreeWidgetItem *rootFor(const QString &path) const;
    QTreeWidgetItem *childNamed(QTreeWidgetItem *node, const QString &name);
    QString currentRootPath() const;
    std::optional<Platform::Volume> currentVolumeAt(const QString &rootPath);
    bool mediumChanged(QTreeWidgetItem *root);
    void handleMediumChange(QTreeWidgetItem *node);
    void currentNodeChanged(QTreeWidgetItem *current);
    void volumesChanged();
    bool refreshRoots();
    void notifyDeletion(QTreeWidgetItem *node);
    void nodeExpanded(QTreeWidgetItem *node);

    Platform::VolumeSource *m_source;
    bool m_readOnStart = true;
    bool m_readDone = false;
    TDirTypes m_dirTypes = TDirTypes(dtNormal) | dtAll;
    bool m_goBelowRecycleBin = false;
    bool m_fastLoad = false;
    QString m_initialDirectory;
    TDriveTypes m_driveTypes = drtAllTypes;
    bool m_showShareOverlay = false;
    bool m_acceptDropFiles = false;
    int m_lock = 0;
    QHash<QString, RootFacts> m_roots; // by root path
    QIcon m_folderIcon;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDirTree::TDirTypes)
Q_DECLARE_OPERATORS_FOR_FLAGS(TDirTree::TDriveTypes)

// The data editor's tree: no dropped files, and the trash is walked into.
class TEditorDirTree : public TDirTree
{
    Q_OBJECT
public:
    explicit TEditorDirTree(QWidget *parent = nullptr);
};
