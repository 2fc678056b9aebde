#include "dirtree.h"

#include <collation.h>
#include <paths.h>

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QStyle>
#include <QUrl>

#include <algorithm>

namespace {

enum Role { PathRole = Qt::UserRole, ReadRole, UserDataRole, LinkRole };

QString withSlash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

// The trash folders of the desktop: ".Trash" and ".Trash-<uid>" at a
// volume's top and the user's ".local/share/Trash".
bool isTrashFolder(const QStringList &names, qsizetype index)
{
    const QString name = names.at(index).toLower();
    if (name == u".trash" || name.startsWith(QStringLiteral(".trash-")))
        return true;
    return name == u"trash" && index >= 2 && names.at(index - 1) == u"share" && names.at(index - 2) == u".local";
}

// Strictly below a trash folder; the trash folder itself is shown.
bool isBelowTrash(const QString &path)
{
    const QStringList names = path.split(u'/', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i + 1 < names.size(); ++i) {
        if (isTrashFolder(names, i))
            return true;
    }
    return false;
}

// Case-insensitive, Polish letters in place; names differing only in case
// keep a fixed order.
bool nameLess(const TDirTree::TDirRec &a, const TDirTree::TDirRec &b)
{
    const int order = Platform::compareText(a.Name, b.Name);
    return order != 0 ? order < 0 : a.Name < b.Name;
}

QStyle::StandardPixmap driveIconOf(Platform::VolumeKind kind)
{
    switch (kind) {
    case Platform::VolumeKind::CdRom: return QStyle::SP_DriveCDIcon;
    case Platform::VolumeKind::Removable: return QStyle::SP_DriveFDIcon;
    case Platform::VolumeKind::Remote: return QStyle::SP_DriveNetIcon;
    default: return QStyle::SP_DriveHDIcon;
    }
}

TDirTree::TDriveType driveTypeOf(Platform::VolumeKind kind)
{
    switch (kind) {
    case Platform::VolumeKind::Removable: return TDirTree::drtRemovable;
    case Platform::VolumeKind::Fixed: return TDirTree::drtFixed;
    case Platform::VolumeKind::Remote: return TDirTree::drtRemote;
    case Platform::VolumeKind::CdRom: return TDirTree::drtCDRom;
    case Platform::VolumeKind::RamDisk: return TDirTree::drtRamDisk;
    case Platform::VolumeKind::Unknown: break;
    }
    return TDirTree::drtUnknown;
}

// The folder as it is on disk, each name matched exactly first and then
// without regard to case; empty when there is no such folder.
QString existingFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return withSlash(path);
    if (!path.startsWith(u'/'))
        return {};
    QString resolved = QStringLiteral("/");
    for (const QString &name : path.split(u'/', Qt::SkipEmptyParts)) {
        const QString found = Platform::findEntryCaseInsensitive(resolved, name);
        if (found.isEmpty())
            return {};
        resolved += found + u'/';
    }
    return QFileInfo(resolved).isDir() ? resolved : QString();
}

// The hourglass while the tree reads folders.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

const QString TDirTree::InvalidPathName = QStringLiteral("Invalid Path Name");

TDirTree::TDirTree(QWidget *parent)
    : QTreeWidget(parent)
    , m_source(&Platform::VolumeSource::instance())
    , m_initialDirectory(QDir::currentPath())
{
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false); // children are added in order
    const QIcon closed = QFileIconProvider().icon(QFileIconProvider::Folder);
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (const int size : {16, 24, 32}) {
        m_folderIcon.addPixmap(closed.pixmap(size), QIcon::Normal);
        m_folderIcon.addPixmap(open.pixmap(size), QIcon::Selected);
    }
    connect(m_source, &Platform::VolumeSource::changed, this, &TDirTree::volumesChanged);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { currentNodeChanged(current); });
    connect(this, &QTreeWidget::itemExpanded, this, &TDirTree::nodeExpanded);
}

TDirTree::~TDirTree()
{
    OnDeleteItem = nullptr; // the owner may be gone already
}

void TDirTree::setVolumeSource(Platform::VolumeSource *source)
{
    disconnect(m_source, nullptr, this, nullptr);
    m_source = source ? source : &Platform::VolumeSource::instance();
    connect(m_source, &Platform::VolumeSource::changed, this, &TDirTree::volumesChanged);
}

void TDirTree::setDirTypes(TDirTypes types)
{
    if (types == m_dirTypes)
        return;
    m_dirTypes = types;
    if (m_readDone)
        Reload();
}

void TDirTree::setGoBelowRecycleBin(bool below)
{
    if (below == m_goBelowRecycleBin)
        return;
    m_goBelowRecycleBin = below;
    if (m_readDone)
        Reload();
}

void TDirTree::setDriveTypes(TDriveTypes types)
{
    if (types == m_driveTypes)
        return;
    m_driveTypes = types;
    if (m_readDone)
        RefreshDrives();
}

void TDirTree::setAcceptDropFiles(bool accept)
{
    if (!m_dropsSupported)
        return;
    m_acceptDropFiles = accept;
    setAcceptDrops(accept);
    viewport()->setAcceptDrops(accept);
}

QString TDirTree::pathOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, PathRole).toString() : QString();
}

bool TDirTree::childrenRead(const QTreeWidgetItem *node)
{
    return node && node->data(0, ReadRole).toBool();
}

// --- filters ---

bool TDirTree::acceptsDriveKind(Platform::VolumeKind kind) const
{
    return m_driveTypes.testFlag(driveTypeOf(kind));
}

bool TDirTree::acceptsFolder(const QString &path)
{
    if (!m_goBelowRecycleBin && isBelowTrash(path))
        return false;
    bool doAdd = true;
    if (OnAddDir)
        OnAddDir(this, path, doAdd);
    return doAdd;
}

bool TDirTree::passesAttributeFilter(const TDirRec &rec) const
{
    if (m_dirTypes.testFlag(dtAll))
        return true;
    if (rec.Hidden && !m_dirTypes.testFlag(dtHidden))
        return false;
    return m_dirTypes.testFlag(dtNormal) || rec.Hidden;
}

QList<Platform::Volume> TDirTree::acceptedVolumes()
{
    QList<Platform::Volume> accepted;
    for (const Platform::Volume &volume : m_source->volumes()) {
        if (acceptsDriveKind(volume.kind) && acceptsFolder(volume.rootPath))
            accepted << volume;
    }
    std::sort(accepted.begin(), accepted.end(), [](const Platform::Volume &a, const Platform::Volume &b) {
        return Platform::compareText(a.rootPath, b.rootPath) < 0;
    });
    return accepted;
}

// --- reading folders ---

QList<TDirTree::TDirRec> TDirTree::folderEntries(const QString &path)
{
    QList<TDirRec> entries;
    if (OnFindDir) {
        TDirRec rec;
        int result = 0;
        for (bool first = true;; first = false) {
            rec = TDirRec();
            OnFindDir(this, path, rec, result, first);
            if (result != 0)
                break;
            entries << rec;
        }
        return entries;
    }
    const QFileInfoList found =
        QDir(path).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : found)
        entries << TDirRec{info.fileName(), true, info.isHidden(), info.isSymLink(), {}};
    return entries;
}

bool TDirTree::hasAcceptedSubfolder(const QString &path)
{
    const QList<TDirRec> entries = folderEntries(path);
    return std::any_of(entries.begin(), entries.end(), [&](const TDirRec &rec) {
        return rec.Directory && passesAttributeFilter(rec) && acceptsFolder(path + rec.Name + u'/');
    });
}

void TDirTree::probe(QTreeWidgetItem *node)
{
    const QTreeWidgetItem *root = rootOf(node);
    const auto facts = m_roots.constFind(pathOf(root));
    const bool remote = facts != m_roots.cend() && facts->volume.kind == Platform::VolumeKind::Remote;
    if (node->data(0, LinkRole).toBool())
        node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    else if (remote || hasAcceptedSubfolder(pathOf(node)))
        node->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    else
        node->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TDirTree::readChildren(QTreeWidgetItem *node)
{
    node->setData(0, ReadRole, true);
    deleteChildren(node);
    if (node->data(0, LinkRole).toBool())
        return;
    const QString path = pathOf(node);
    QList<TDirRec> entries = folderEntries(path);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const TDirRec &rec) {
                                     return !rec.Directory || rec.Name.isEmpty() || rec.Name == u"."
                                            || rec.Name == u".." || !passesAttributeFilter(rec)
                                            || !acceptsFolder(path + rec.Name + u'/');
                                 }),
                  entries.end());
    std::sort(entries.begin(), entries.end(), nameLess);
    for (const TDirRec &rec : std::as_const(entries)) {
        auto *child = new QTreeWidgetItem(node, QStringList{rec.Name});
        child->setData(0, PathRole, path + rec.Name + u'/');
        child->setData(0, UserDataRole, rec.UserData);
        child->setData(0, LinkRole, rec.Link);
        setIcons(child, m_folderIcon);
    }
    for (int i = 0; i < node->childCount(); ++i)
        probe(node->child(i));
}

void TDirTree::nodeExpanded(QTreeWidgetItem *node)
{
    if (childrenRead(node))
        return;
    WaitCursor wait;
    readChildren(node);
}

void TDirTree::setIcons(QTreeWidgetItem *node, const QIcon &icon)
{
    node->setIcon(0, icon);
    if (OnGetIcon)
        OnGetIcon(this, node);
}

void TDirTree::notifyDeletion(QTreeWidgetItem *node)
{
    for (int i = 0; i < node->childCount(); ++i)
        notifyDeletion(node->child(i));
    if (OnDeleteItem)
        OnDeleteItem(this, node);
}

void TDirTree::deleteChildren(QTreeWidgetItem *node)
{
    const QList<QTreeWidgetItem *> children = node->takeChildren();
    for (QTreeWidgetItem *child : children) {
        notifyDeletion(child);
        delete child;
    }
}

// --- volumes ---

QTreeWidgetItem *TDirTree::addRootNode(const Platform::Volume &volume, int index)
{
    auto *root = new QTreeWidgetItem(QStringList{volume.caption()});
    root->setData(0, PathRole, volume.rootPath);
    insertTopLevelItem(index, root);
    setIcons(root, style()->standardIcon(driveIconOf(volume.kind)));
    RootFacts &facts = m_roots[volume.rootPath];
    facts.volume = volume;
    if (facts.lastFolder.isEmpty())
        facts.lastFolder = volume.rootPath;
    const bool probeNow = !m_fastLoad
                          && (volume.kind == Platform::VolumeKind::Fixed || volume.kind == Platform::VolumeKind::RamDisk);
    if (probeNow)
        probe(root);
    else
        root->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    return root;
}

void TDirTree::resetRootNode(QTreeWidgetItem *root, const Platform::Volume &volume)
{
    deleteChildren(root);
    root->setData(0, ReadRole, false);
    root->setText(0, volume.caption());
    m_roots[volume.rootPath].volume = volume;
    root->setChildIndicatorPolicy(volume.serial.isEmpty() ? QTreeWidgetItem::DontShowIndicator
                                                          : QTreeWidgetItem::ShowIndicator);
}

void TDirTree::ReadDrives()
{
    ++m_lock;
    WaitCursor wait;
    setUpdatesEnabled(false);
    for (int i = 0; i < topLevelItemCount(); ++i)
        notifyDeletion(topLevelItem(i));
    clear();
    const QList<Platform::Volume> volumes = acceptedVolumes();
    for (const Platform::Volume &volume : volumes)
        addRootNode(volume, topLevelItemCount());
    m_readDone = true;
    setUpdatesEnabled(true);
    --m_lock;
    if (currentItem())
        scrollToItem(currentItem());
}

bool TDirTree::refreshRoots()
{
    const QList<Platform::Volume> volumes = acceptedVolumes();
    bool changed = false;
    for (int i = topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem *root = topLevelItem(i);
        const bool present = std::any_of(volumes.begin(), volumes.end(),
                                         [&](const Platform::Volume &v) { return v.rootPath == pathOf(root); });
        if (!present) {
            notifyDeletion(root);
            m_roots.remove(pathOf(root));
            delete takeTopLevelItem(i);
            changed = true;
        }
    }
    for (const Platform::Volume &volume : volumes) {
        if (rootFor(volume.rootPath) && pathOf(rootFor(volume.rootPath)) == volume.rootPath)
            continue;
        int index = 0;
        while (index < topLevelItemCount() && Platform::compareText(pathOf(topLevelItem(index)), volume.rootPath) <= 0)
            ++index;
        addRootNode(volume, index);
        changed = true;
    }
    if (changed)
        viewport()->update();
    return changed;
}

void TDirTree::RefreshDrives()
{
    ++m_lock;
    const bool changed = refreshRoots();
    --m_lock;
    if (changed)
        currentNodeChanged(currentItem());
}

std::optional<Platform::Volume> TDirTree::currentVolumeAt(const QString &rootPath)
{
    for (const Platform::Volume &volume : m_source->volumes()) {
        if (volume.rootPath == rootPath)
            return volume;
    }
    return std::nullopt;
}

bool TDirTree::mediumChanged(QTreeWidgetItem *root)
{
    if (!root)
        return false;
    const std::optional<Platform::Volume> now = currentVolumeAt(pathOf(root));
    const auto facts = m_roots.constFind(pathOf(root));
    return now && facts != m_roots.cend() && now->serial != facts->volume.serial;
}

void TDirTree::handleMediumChange(QTreeWidgetItem *root)
{
    const std::optional<Platform::Volume> now = currentVolumeAt(pathOf(root));
    if (!now)
        return;
    ++m_lock;
    QTreeWidgetItem *current = currentItem();
    const bool selectionBelow = current && current != root && rootOf(current) == root;
    resetRootNode(root, *now);
    if (selectionBelow)
        setCurrentItem(root);
    --m_lock;
}

// Volumes came or went, or a medium changed: every changed volume is reset.
void TDirTree::volumesChanged()
{
    if (!m_readDone)
        return;
    ++m_lock;
    refreshRoots();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (mediumChanged(topLevelItem(i)))
            handleMediumChange(topLevelItem(i));
    }
    --m_lock;
    currentNodeChanged(currentItem());
}

// --- selection ---

QTreeWidgetItem *TDirTree::rootOf(QTreeWidgetItem *node) const
{
    while (node && node->parent())
        node = node->parent();
    return node;
}

// The root node whose volume holds path: the longest root path in front of
// it, matched exactly first and then without regard to case.
QTreeWidgetItem *TDirTree::rootFor(const QString &path) const
{
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        QTreeWidgetItem *best = nullptr;
        for (int i = 0; i < topLevelItemCount(); ++i) {
            QTreeWidgetItem *root = topLevelItem(i);
            if (path.startsWith(pathOf(root), sensitivity) && (!best || pathOf(root).size() > pathOf(best).size()))
                best = root;
        }
        if (best)
            return best;
    }
    return nullptr;
}

QTreeWidgetItem *TDirTree::childNamed(QTreeWidgetItem *node, const QString &name)
{
    if (!childrenRead(node))
        readChildren(node);
    for (const Qt::CaseSensitivity sensitivity : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (int i = 0; i < node->childCount(); ++i) {
            if (node->child(i)->text(0).compare(name, sensitivity) == 0)
                return node->child(i);
        }
    }
    return nullptr;
}

QString TDirTree::currentRootPath() const
{
    const QTreeWidgetItem *root = rootFor(withSlash(QDir::currentPath()));
    return root ? pathOf(root) : QDir::rootPath();
}

bool TDirTree::OpenPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    if (path == u"?")
        return true;
    QString target = existingFolder(path);
    if (target.isEmpty())
        target = currentRootPath();
    WaitCursor wait;
    setUpdatesEnabled(false);
    QTreeWidgetItem *node = rootFor(target);
    if (node) {
        const QStringList names = target.mid(pathOf(node).size()).split(u'/', Qt::SkipEmptyParts);
        for (const QString &name : names) {
            node = childNamed(node, name);
            if (!node)
                break;
        }
    }
    if (node) {
        for (QTreeWidgetItem *above = node->parent(); above; above = above->parent())
            above->setExpanded(true);
        setCurrentItem(node);
        scrollToItem(node);
    }
    setUpdatesEnabled(true);
    return true;
}

QString TDirTree::GetSelectedDir() const
{
    const QString path = pathOf(currentItem());
    return path.isEmpty() ? QStringLiteral("?") : path;
}

void TDirTree::Reload()
{
    const QString remembered = GetSelectedDir();
    ReadDrives();
    if (remembered != u"?") {
        OpenPath(remembered);
        if (!currentItem()) {
            if (const QTreeWidgetItem *root = rootFor(remembered))
                OpenPath(pathOf(root));
        }
    }
    if (!currentItem() && topLevelItemCount() > 0)
        OpenPath(m_roots.value(pathOf(topLevelItem(0))).lastFolder);
}

void TDirTree::currentNodeChanged(QTreeWidgetItem *current)
{
    if (m_lock > 0)
        return;
    QTreeWidgetItem *root = rootOf(current);
    if (mediumChanged(root))
        handleMediumChange(root);
    if (currentItem()) {
        auto facts = m_roots.find(pathOf(rootOf(currentItem())));
        if (facts != m_roots.end())
            facts->lastFolder = GetSelectedDir();
    }
    if (OnChange)
        OnChange(this, currentItem());
}

// --- events ---

void TDirTree::showEvent(QShowEvent *event)
{
    QTreeWidget::showEvent(event);
    if (!m_readOnStart || m_readDone)
        return;
    ReadDrives();
    OpenPath(QFileInfo(m_initialDirectory).isDir() ? m_initialDirectory : QDir::currentPath());
}

// A click on a volume whose medium changed resets it instead of clicking.
void TDirTree::mousePressEvent(QMouseEvent *event)
{
    QTreeWidgetItem *root = rootOf(itemAt(event->position().toPoint()));
    if (root && mediumChanged(root)) {
        handleMediumChange(root);
        currentNodeChanged(currentItem());
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
    if (OnClick)
        OnClick(this);
}

void TDirTree::dragEnterEvent(QDragEnterEvent *event)
{
    if (m_acceptDropFiles && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDirTree::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_acceptDropFiles && event->mimeData()->hasUrls() && itemAt(event->position().toPoint()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TDirTree::dropEvent(QDropEvent *event)
{
    const QPoint at = event->position().toPoint();
    QTreeWidgetItem *target = m_acceptDropFiles ? itemAt(at) : nullptr;
    if (!target || !event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (OnDropFiles)
        OnDropFiles(this, at.x(), at.y(), pathOf(target), files, event->modifiers());
}

TEditorDirTree::TEditorDirTree(QWidget *parent) : TDirTree(parent)
{
    m_dropsSupported = false;
    setGoBelowRecycleBin(true);
}
