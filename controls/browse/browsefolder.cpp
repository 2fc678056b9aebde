#include "browsefolder.h"

#include <dialogs.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const int DefaultCustomButtonWidth = 75;

} // namespace

QString ShortenPath(const QString &path, QChar separator, int maxLength)
{
    QStringList parts = path.split(separator);
    if (path.size() <= maxLength || parts.size() <= 2)
        return path;
    parts[1] = QStringLiteral("...");
    QString result = parts.join(separator);
    while (result.size() > maxLength && parts.size() > 3) {
        parts.removeAt(2);
        result = parts.join(separator);
    }
    return result;
}

QString rootFolderPath(TSHFolders root)
{
    auto location = [](QStandardPaths::StandardLocation where) {
        return QStandardPaths::writableLocation(where);
    };
    switch (root) {
    case foDesktop:
    case foDesktopDirectory: return location(QStandardPaths::DesktopLocation);
    case foPrograms:
    case foStartMenu: return location(QStandardPaths::ApplicationsLocation);
    case foPersonal: return location(QStandardPaths::DocumentsLocation);
    case foFonts: return location(QStandardPaths::FontsLocation);
    case foMyComputer: return QStringLiteral("/");
    default: return {}; // folders with no place in the file system
    }
}

// --- TBrowseFolder -----------------------------------------------------------

TBrowseFolder::TBrowseFolder(QObject *owner)
    : QObject(owner)
{
}

TBrowseFolder::~TBrowseFolder() = default;

void TBrowseFolder::setCustomButtonEnabled(bool value)
{
    m_customButtonEnabled = value;
    if (QPushButton *button = customButton())
        button->setEnabled(value);
}

void TBrowseFolder::setCustomButtonCaption(const QString &value)
{
    m_customButtonCaption = value;
    if (QPushButton *button = customButton())
        button->setText(value);
}

void TBrowseFolder::setCustomButtonWidth(int value)
{
    m_customButtonWidth = value <= 0 ? DefaultCustomButtonWidth : value;
    if (QPushButton *button = customButton())
        button->setFixedWidth(m_customButtonWidth);
}

QPushButton *TBrowseFolder::customButton() const
{
    return m_dialog ? m_dialog->customButton() : nullptr;
}

QWidget *TBrowseFolder::ownerWindow() const
{
    if (ParentWindow)
        return ParentWindow->window();
    if (auto *owner = qobject_cast<QWidget *>(parent()))
        return owner->window();
    return QApplication::activeWindow();
}

bool TBrowseFolder::Execute()
{
    QWidget *owner = ownerWindow();
    const QString start = QFileInfo(Directory).isDir() ? Directory : QString();
    const QString chosen =
        Platform::Dialogs::instance().browseForFolder(owner, Title, start, [this, owner]() -> QString {
            TBrowseFolderDialog window(*this, owner);
            const bool confirmed = window.exec() == QDialog::Accepted;
            return confirmed ? window.selectedPath() : QString();
        });
    if (chosen.isEmpty())
        return false;
    Directory = chosen;
    m_selection = chosen;
    return true;
}

// --- TBrowseFolderDialog -----------------------------------------------------

TBrowseFolderDialog::TBrowseFolderDialog(TBrowseFolder &browser, QWidget *parent)
    : QDialog(parent)
    , m_browser(browser)
    , m_title(new QLabel(browser.Title, this))
    , m_status(new QLabel(this))
    , m_tree(new QTreeView(this))
    , m_model(new QFileSystemModel(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Anuluj"), this))
{
    m_browser.m_dialog = this;
    setWindowTitle(QStringLiteral("Przeglądanie w poszukiwaniu folderu"));
    m_title->setWordWrap(true);
    m_status->setVisible(browser.Flags & bfStatusText);

    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    const QString root = rootFolderPath(browser.RootFolder);
    m_model->setRootPath(root.isEmpty() ? QStringLiteral("/") : root);
    m_tree->setModel(m_model);
    if (!root.isEmpty())
        m_tree->setRootIndex(m_model->index(root));
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_tree->hideColumn(column);
    m_tree->header()->hide();
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { selectionChanged(); });
    // Folders are read in the background; the selection stays in view as
    // the folders above it fill in.
    connect(m_model, &QFileSystemModel::directoryLoaded, this,
            [this] { m_tree->scrollTo(m_tree->currentIndex(), QAbstractItemView::PositionAtCenter); });

    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_title);
    layout->addWidget(m_status);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
    resize(320, 360);
}

TBrowseFolderDialog::~TBrowseFolderDialog()
{
    if (m_browser.m_dialog == this)
        m_browser.m_dialog = nullptr;
}

QString TBrowseFolderDialog::selectedPath() const
{
    const QModelIndex current = m_tree->currentIndex();
    return current.isValid() ? m_model->filePath(current) : QString();
}

bool TBrowseFolderDialog::selectFolder(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return false;
    const QModelIndex index = m_model->index(QFileInfo(path).absoluteFilePath());
    if (!index.isValid())
        return false;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        m_tree->expand(parent);
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    return true;
}

void TBrowseFolderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_initialized) {
        m_initialized = true;
        initialize();
    }
}

void TBrowseFolderDialog::initialize()
{
    placeOverForeground();
    selectFolder(m_browser.Directory);
    if (m_browser.customButtonVisible())
        createCustomButton();
    if (m_browser.OnInitialized)
        m_browser.OnInitialized(&m_browser, this);
}

// Centred across the window it was opened over, a quarter of that window's
// height below its top.
void TBrowseFolderDialog::placeOverForeground()
{
    QWidget *foreground = parentWidget() ? parentWidget()->window() : QApplication::activeWindow();
    if (!foreground || foreground == this)
        return;
    const QRect over = foreground->frameGeometry();
    move(over.left() + (over.width() - frameGeometry().width()) / 2, over.top() + over.height() / 4);
}

void TBrowseFolderDialog::createCustomButton()
{
    m_custom = new QPushButton(m_browser.customButtonCaption(), this);
    m_custom->setProperty("controlId", CustomButtonId);
    m_custom->setFixedSize(m_browser.customButtonWidth(), 23);
    m_custom->setEnabled(m_browser.customButtonEnabled());
    m_custom->setFocusPolicy(Qt::StrongFocus);
    connect(m_custom, &QPushButton::clicked, this, [this] {
        if (m_browser.OnCustomButtonClick)
            m_browser.OnCustomButtonClick(&m_browser, this);
    });
    // Left of the row of buttons, as it stood below the tree.
    if (auto *buttons = findChild<QHBoxLayout *>(QStringLiteral("buttons")))
        buttons->insertWidget(0, m_custom);
    m_custom->show();
}

void TBrowseFolderDialog::selectionChanged()
{
    const QString path = selectedPath();
    m_browser.m_selection = path;
    if (m_browser.ShowPathInStatusArea)
        m_status->setText(ShortenPath(QDir::toNativeSeparators(path), QDir::separator()));
    const bool hasPath = !path.isEmpty();
    m_ok->setEnabled(hasPath);
    if (m_custom && m_browser.SyncCustomButton)
        m_custom->setEnabled(hasPath);
    if (m_browser.OnSelectionChanged)
        m_browser.OnSelectionChanged(&m_browser, this, path);
}
