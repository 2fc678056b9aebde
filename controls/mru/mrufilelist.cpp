#include "mru/mrufilelist.h"

#include <dialogs.h>
#include <registry.h>

#include <QFileInfo>
#include <QMenu>

TMRUMenuItem::TMRUMenuItem(const QString &text, quint8 position, QObject *parent)
    : QAction(text, parent)
    , m_position(position)
{
}

TMRUMenuItem::~TMRUMenuItem()
{
    delete m_submenu.data();
}

void TMRUMenuItem::setSubmenu(QMenu *submenu)
{
    m_submenu = submenu;
    setMenu(submenu);
}

TMRUFileList::TMRUFileList(QWidget *ownerForm)
    : QObject(ownerForm)
    , m_ownerForm(ownerForm)
{
}

TMRUFileList::~TMRUFileList()
{
    if (m_autoSave)
        SaveToRegistry();
    removeItems();
}

void TMRUFileList::setMaximum(quint8 maximum)
{
    m_maximum = maximum;
    while (m_files.size() > m_maximum)
        m_files.removeLast();
    RebuildMenu();
}

void TMRUFileList::setUseSubmenu(bool use)
{
    if (m_useSubmenu == use)
        return;
    m_useSubmenu = use;
    RebuildMenu();
}

void TMRUFileList::setSeparator(bool separator)
{
    if (m_separator == separator)
        return;
    m_separator = separator;
    RebuildMenu();
}

void TMRUFileList::setSubmenuName(const QString &name)
{
    if (m_submenuName == name)
        return;
    m_submenuName = name;
    if (m_useSubmenu)
        RebuildMenu();
}

void TMRUFileList::setFileMenu(QAction *fileMenu)
{
    removeItems();
    m_fileMenu = fileMenu;
    RebuildMenu();
}

void TMRUFileList::AddFile(const QString &fileName)
{
    const qsizetype known = m_files.indexOf(fileName);
    if (known >= 0) {
        m_files.move(known, 0);
    } else {
        m_files.prepend(fileName);
        while (m_files.size() > m_maximum)
            m_files.removeLast();
    }
    RebuildMenu();
}

QMenu *TMRUFileList::container() const
{
    if (!m_fileMenu)
        return nullptr;
    if (QMenu *own = m_fileMenu->menu(); own && !own->actions().isEmpty()) {
        bool onlyOurs = true;
        for (QAction *action : own->actions())
            onlyOurs = onlyOurs && qobject_cast<TMRUMenuItem *>(action);
        if (!onlyOurs)
            return own;
    }
    for (QObject *holder : m_fileMenu->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(holder))
            return menu;
    }
    return nullptr;
}

void TMRUFileList::removeItems()
{
    QMenu *menu = container();
    if (menu) {
        const QList<QAction *> actions = menu->actions();
        for (qsizetype i = actions.size(); i-- > 0;) {
            if (qobject_cast<TMRUMenuItem *>(actions.at(i)))
                menu->removeAction(actions.at(i));
        }
    }
    // Later: a click on an entry rebuilds the menu that holds it.
    for (const QPointer<TMRUMenuItem> &item : std::as_const(m_items)) {
        if (item)
            item->deleteLater();
    }
    m_items.clear();
}

void TMRUFileList::RebuildMenu()
{
    if (!m_fileMenu)
        return;
    removeItems();
    QMenu *menu = container();
    if (!menu || m_files.isEmpty())
        return;
    // Appended to the item's own submenu, else in front of the item.
    QAction *before = menu == m_fileMenu->menu() ? nullptr : m_fileMenu.data();
    auto insert = [&](QMenu *into, QAction *beforeAction, TMRUMenuItem *item) {
        into->insertAction(beforeAction, item);
        m_items.append(item);
    };
    if (m_separator) {
        auto *line = new TMRUMenuItem(QString(), 0, this);
        line->setSeparator(true);
        insert(menu, before, line);
    }
    QMenu *entries = menu;
    QAction *entriesBefore = before;
    if (m_useSubmenu) {
        auto *submenuItem = new TMRUMenuItem(m_submenuName, 0, this);
        submenuItem->setStatusTip(m_hint);
        submenuItem->setToolTip(m_hint);
        auto *submenu = new QMenu(m_submenuName);
        submenuItem->setSubmenu(submenu);
        insert(menu, before, submenuItem);
        entries = submenu;
        entriesBefore = nullptr;
    }
    for (qsizetype i = 0; i < m_files.size(); ++i) {
        // The digit is the accelerator; an "&" in the name is shown as it is.
        QString name = m_files.at(i);
        name.replace(u'&', QStringLiteral("&&"));
        auto *entry = new TMRUMenuItem(QStringLiteral("&%1 %2").arg(i + 1).arg(name), quint8(i + 1), this);
        const int position = int(i + 1);
        connect(entry, &QAction::triggered, this, [this, position] { entryClicked(position); });
        insert(entries, entriesBefore, entry);
    }
}

QList<TMRUMenuItem *> TMRUFileList::menuItems() const
{
    QList<TMRUMenuItem *> items;
    for (const QPointer<TMRUMenuItem> &item : m_items) {
        if (item)
            items.append(item);
    }
    return items;
}

void TMRUFileList::entryClicked(int position)
{
    if (position < 1 || position > m_files.size())
        return;
    const QString fileName = m_files.at(position - 1);
    if (QFileInfo(fileName).isFile()) {
        m_files.removeAt(position - 1);
        if (!m_removeOnClick)
            m_files.prepend(fileName);
        if (OnMRUItemClick)
            OnMRUItemClick(this, fileName);
    } else {
        m_files.removeAt(position - 1);
        Platform::showMessage(m_ownerForm, missingFileMessage(), missingFileCaption(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Warning);
    }
    RebuildMenu();
}

QString TMRUFileList::registryKey() const
{
    return m_autoSaveName + u'\\' + m_autoSaveKey;
}

bool TMRUFileList::LoadFromRegistry()
{
    if (m_autoSaveName.isEmpty() || m_autoSaveKey.isEmpty())
        return false;
    m_files.clear();
    Platform::Registry registry;
    if (registry.openKey(registryKey(), false)) {
        // F0, F1, ... in order of their numbers; a gap ends the list, and
        // empty or repeated names are left out.
        for (int i = 0; i < m_maximum; ++i) {
            const QString name = QStringLiteral("F%1").arg(i);
            if (!registry.valueExists(name))
                break;
            const QString fileName = registry.readString(name);
            if (!fileName.isEmpty() && !m_files.contains(fileName))
                m_files.append(fileName);
        }
    }
    RebuildMenu();
    return true;
}

bool TMRUFileList::SaveToRegistry()
{
    if (m_autoSaveName.isEmpty() || m_autoSaveKey.isEmpty())
        return false;
    Platform::Registry registry;
    // Erased first, so a shorter list leaves no older values behind.
    registry.deleteKey(registryKey());
    if (!registry.openKey(registryKey(), true))
        return false;
    for (qsizetype i = 0; i < m_files.size(); ++i)
        registry.writeString(QStringLiteral("F%1").arg(i), m_files.at(i));
    registry.closeKey();
    return true;
}

void TMRUFileList::loaded()
{
    if (m_autoSave)
        LoadFromRegistry();
}
