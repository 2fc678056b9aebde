#pragma once

#include <QAction>
#include <QPointer>
#include <QStringList>

#include <functional>

class QMenu;
class QWidget;

// A menu item made by a recent-files list; position is the entry's place in
// the list from 1, 0 for the separator and the submenu.
class TMRUMenuItem : public QAction
{
    Q_OBJECT

public:
    TMRUMenuItem(const QString &text, quint8 position, QObject *parent);
    ~TMRUMenuItem() override;

    quint8 position() const { return m_position; }
    // The submenu this item opens, owned by the item.
    void setSubmenu(QMenu *submenu);

private:
    quint8 m_position;
    QPointer<QMenu> m_submenu;
};

// The recently opened files of a program, newest first: shown as numbered
// items of a menu (in place or in a submenu), reported when clicked, and
// kept in the registry under AutoSaveName\AutoSaveKey as values F0, F1, ...
// (F0 the newest) and nothing else.
class TMRUFileList : public QObject
{
    Q_OBJECT

public:
    static QString missingFileMessage() { return QStringLiteral("Wybrany plik już nie istnieje, lub zmienił katalog !!!"); }
    static QString missingFileCaption() { return QStringLiteral("BRAK PLIKU !!!"); }

    // ownerForm shows the warning about a missing file.
    explicit TMRUFileList(QWidget *ownerForm);
    // Saves the list when AutoSave is on.
    ~TMRUFileList() override;

    quint8 maximum() const { return m_maximum; }
    void setMaximum(quint8 maximum);
    bool removeOnClick() const { return m_removeOnClick; }
    void setRemoveOnClick(bool remove) { m_removeOnClick = remove; }
    bool useSubmenu() const { return m_useSubmenu; }
    void setUseSubmenu(bool use);
    bool separator() const { return m_separator; }
    void setSeparator(bool separator);
    QString submenuName() const { return m_submenuName; }
    void setSubmenuName(const QString &name);
    // The item the entries go to: into its own submenu when that already
    // has items, else in front of it in the menu that holds it.
    QAction *fileMenu() const { return m_fileMenu; }
    void setFileMenu(QAction *fileMenu);
    bool autoSave() const { return m_autoSave; }
    void setAutoSave(bool autoSave) { m_autoSave = autoSave; }
    QString autoSaveName() const { return m_autoSaveName; }
    void setAutoSaveName(const QString &name) { m_autoSaveName = name; }
    QString autoSaveKey() const { return m_autoSaveKey; }
    void setAutoSaveKey(const QString &key) { m_autoSaveKey = key; }
    QString hint() const { return m_hint; }
    void setHint(const QString &hint) { m_hint = hint; }

    const QStringList &files() const { return m_files; }

    std::function<void(QObject *sender, const QString &fileName)> OnMRUItemClick;

    // A listed name moves to the top; a new one goes on top and the oldest
    // beyond the maximum drop out. Names are compared exactly: on this
    // system two names differing in letter case are two files.
    void AddFile(const QString &fileName);
    virtual void RebuildMenu();
    bool LoadFromRegistry();
    bool SaveToRegistry();
    // Once the form has set the properties: loads the list when AutoSave
    // is on.
    void loaded();

    // The items made for the list, in menu order (entries, separator and
    // submenu included).
    QList<TMRUMenuItem *> menuItems() const;
    // What a click on entry position (from 1) does.
    void entryClicked(int position);

private:
    QMenu *container() const;
    void removeItems();
    QString registryKey() const;

    quint8 m_maximum = 5;
    bool m_removeOnClick = true;
    bool m_useSubmenu = false;
    bool m_separator = true;
    QString m_submenuName = QStringLiteral("Reopen");
    QPointer<QAction> m_fileMenu;
    QStringList m_files;
    bool m_autoSave = true;
    QString m_autoSaveName = QStringLiteral("\\Software\\Zeltrin Software\\Program\\Wersja");
    QString m_autoSaveKey = QStringLiteral("Historia");
    QString m_hint;
    QWidget *m_ownerForm = nullptr;
    QList<QPointer<TMRUMenuItem>> m_items;
};
