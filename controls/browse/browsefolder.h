#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLabel;
class QPushButton;
class QTreeView;
class QFileSystemModel;
class QItemSelection;

namespace BrowseEnums {

// Flags of the folder dialog. Only bfStatusText changes what is shown here
// (the status line); the others are kept for forms that set them.
enum TBrowseInfoFlags : unsigned {
    bfFileSysDirsOnly = 1,
    bfDontGoBelowDomain = 2,
    bfStatusText = 4,
    bfFileSysAncestors = 8,
    bfBrowseForComputer = 4096,
    bfBrowseForPrinter = 8192,
};
using TBrowseInfoFlagSet = unsigned;

// The folder the tree starts at; foDesktopExpanded shows the whole tree.
enum TSHFolders {
    foDesktop, foDesktopExpanded, foPrograms, foControlPanel, foPrinters, foPersonal,
    foFavorites, foStartup, foRecent, foSendto, foRecycleBin, foStartMenu,
    foDesktopDirectory, foMyComputer, foNetwork, foNetworkNeighborhood, foFonts, foTemplates,
};

} // namespace BrowseEnums

using namespace BrowseEnums;

// The status-line form of a path: longer than maxLength and with more than
// two parts, the second part becomes "..."; then, while still too long and
// more than three parts remain, the third part goes. So the first part,
// "..." and as many trailing folders as fit remain.
QString ShortenPath(const QString &path, QChar separator = u'/', int maxLength = 35);

// The folder of the tree's top for a root; empty for the whole tree.
QString rootFolderPath(TSHFolders root);

class TBrowseFolderDialog;

// A folder-selection dialog with a title above the tree, a status line, an
// initial folder and an optional extra button.
class TBrowseFolder : public QObject
{
    Q_OBJECT

public:
    explicit TBrowseFolder(QObject *owner = nullptr);
    ~TBrowseFolder() override;

    // The initial folder, and the chosen one after a confirmed Execute.
    QString Directory;
    QString Title;
    TBrowseInfoFlagSet Flags = 0;
    bool ShowPathInStatusArea = false;
    TSHFolders RootFolder = foDesktopExpanded;
    bool SyncCustomButton = false;
    // The window the dialog belongs to; when unset, the owner's window, else
    // the active window.
    QPointer<QWidget> ParentWindow;

    bool customButtonVisible() const { return m_customButtonVisible; }
    void setCustomButtonVisible(bool value) { m_customButtonVisible = value; }
    bool customButtonEnabled() const { return m_customButtonEnabled; }
    void setCustomButtonEnabled(bool value);
    QString customButtonCaption() const { return m_customButtonCaption; }
    void setCustomButtonCaption(const QString &value);
    int customButtonWidth() const { return m_customButtonWidth; }
    // Values <= 0 become 75.
    void setCustomButtonWidth(int value);

    // Runs the dialog; true when the user confirmed a folder, which becomes
    // Directory. A Directory that does not exist preselects nothing.
    bool Execute();

    // While the dialog is open: the dialog and its extra button.
    TBrowseFolderDialog *dialog() const { return m_dialog; }
    QPushButton *customButton() const;
    // The path of the current selection (the chosen folder after Execute).
    QString selection() const { return m_selection; }

    using InitializedEvent = std::function<void(TBrowseFolder *sender, QDialog *dialog)>;
    using SelectionChangedEvent =
        std::function<void(TBrowseFolder *sender, QDialog *dialog, const QString &directory)>;
    using CustomButtonClickEvent = std::function<void(TBrowseFolder *sender, QDialog *dialog)>;
    InitializedEvent OnInitialized;
    SelectionChangedEvent OnSelectionChanged;
    CustomButtonClickEvent OnCustomButtonClick;

private:
    friend class TBrowseFolderDialog;
    QWidget *ownerWindow() const;

    bool m_customButtonVisible = false;
    bool m_customButtonEnabled = true;
    QString m_customButtonCaption;
    int m_customButtonWidth = 75;
    QString m_selection;
    QPointer<TBrowseFolderDialog> m_dialog;
};

// The window of TBrowseFolder: the title, the folder tree, the status line,
// the extra button and OK / Anuluj.
class TBrowseFolderDialog : public QDialog
{
    Q_OBJECT

public:
    TBrowseFolderDialog(TBrowseFolder &browser, QWidget *parent);
    ~TBrowseFolderDialog() override;

    // The folder selected in the tree; empty when none.
    QString selectedPath() const;
    // Selects the folder at path; false when it is no folder.
    bool selectFolder(const QString &path);

    QLabel *titleLabel() const { return m_title; }
    QLabel *statusLabel() const { return m_status; }
    QTreeView *tree() const { return m_tree; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *customButton() const { return m_custom; }

    // The identifier the extra button has always had.
    static constexpr int CustomButtonId = 255;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void initialize();
    void placeOverForeground();
    void createCustomButton();
    void selectionChanged();

    TBrowseFolder &m_browser;
    QLabel *m_title;
    QLabel *m_status;
    QTreeView *m_tree;
    QFileSystemModel *m_model;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_custom = nullptr;
    bool m_initialized = false;
};
