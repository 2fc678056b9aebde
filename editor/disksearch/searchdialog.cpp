#include "searchdialog.h"
#include "searchmessages.h"

#include <browse/browsefolder.h>
#include <filelist/filelistview.h>
#include <dialogs.h>
#include <launcher.h>
#include <mainwindow/editormessages.h>

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

TSearchDialog::TSearchDialog(const QStringList &builtInMasks, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_builtInCount(int(builtInMasks.size()))
    , m_worker(new SearchWorker(this))
{
    setWindowTitle(SearchMessages::caption());
    panelEdycji = new QWidget(this);
    auto *fields = new QGridLayout(panelEdycji);
    fields->setContentsMargins(0, 0, 0, 0);
    Combo = new QComboBox(panelEdycji);
    Combo->setEditable(true);
    Combo->setInsertPolicy(QComboBox::NoInsert);
    // A mask is searched as typed: "*" must not grow into the first entry
    // that begins with it.
    Combo->setCompleter(nullptr);
    Combo->addItems(builtInMasks);
    Combo->setMinimumContentsLength(40);
    edtRozpocznij = new QLineEdit(panelEdycji);
    klwBrowse = new QPushButton(QStringLiteral("..."), panelEdycji);
    klwBrowse->setFixedWidth(28);
    fields->addWidget(new QLabel(QStringLiteral("nazwa:"), panelEdycji), 0, 0);
    fields->addWidget(Combo, 0, 1, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("rozpocznij w:"), panelEdycji), 1, 0);
    fields->addWidget(edtRozpocznij, 1, 1);
    fields->addWidget(klwBrowse, 1, 2);
    m_extraRows = new QGridLayout;

    klwZnajdz = new QPushButton(QStringLiteral("&Znajdź"), this);
    klwZnajdz->setDefault(true);
    klwZnajdz->setToolTip(SearchMessages::searchHint());
    klwAnuluj = new QPushButton(QStringLiteral("&Anuluj"), this);
    m_buttons = new QVBoxLayout;
    m_buttons->addWidget(klwZnajdz);
    m_buttons->addWidget(klwAnuluj);

    lblAktualnykatalog = new QLabel(this);
    lblAktualnykatalog->setTextFormat(Qt::PlainText);
    lblAktualnykatalog->setMinimumWidth(1);
    lblAktualnykatalog->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_hits = new TFileList(this);
    m_hits->setViewColumns({TFileInfo::fiName, TFileInfo::fiSize, TFileInfo::fiPath});
    m_hits->setViewStyle(TFileListView::vsReport);
    m_hits->DoSorting = false;
    // The folder column takes the room left, so long folders can be read.
    m_hits->reportView()->header()->setStretchLastSection(true);
    m_hits->reportView()->setTextElideMode(Qt::ElideMiddle);
    m_hits->OnContextMenu = [this](QObject *, const QPoint &at) {
        QMenu menu;
        fillHitMenu(menu);
        menu.exec(at);
    };
    PasekStanu = new QStatusBar(this);
    PasekStanu->setSizeGripEnabled(false);
    BrowseFolder = new TBrowseFolder(this);
    BrowseFolder->ShowPathInStatusArea = true;

    auto *top = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(panelEdycji);
    left->addLayout(m_extraRows);
    top->addLayout(left, 1);
    m_buttons->addStretch();
    top->addLayout(m_buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblAktualnykatalog);
    layout->addWidget(m_hits, 1);
    layout->addWidget(PasekStanu);
    resize(720, 420);

    connect(klwZnajdz, &QPushButton::clicked, this, [this] { klwZnajdzClick(); });
    connect(klwAnuluj, &QPushButton::clicked, this, [this] { klwAnulujClick(); });
    connect(klwBrowse, &QPushButton::clicked, this, [this] { klwBrowseClick(); });
    connect(m_worker, &SearchWorker::progress, this, &TSearchDialog::showProgress);
    connect(m_worker, &SearchWorker::finished, this, &TSearchDialog::ended);
    setSearching(false);
}

TSearchDialog::~TSearchDialog()
{
    // The worker goes with the window; it must not outlive what it reports to.
    m_worker->stopAndWait();
}

QStringList TSearchDialog::userMasks() const
{
    QStringList masks;
    for (int i = m_builtInCount; i < Combo->count(); ++i)
        masks << Combo->itemText(i);
    return masks;
}

void TSearchDialog::setSearching(bool searching)
{
    klwZnajdz->setEnabled(!searching);
    panelEdycji->setEnabled(!searching);
    klwAnuluj->setEnabled(searching);
    emit searchingChanged(searching);
}

void TSearchDialog::klwZnajdzClick()
{
    if (isSearching())
        return;
    DiskSearch::Request request;
    request.startFolder = QDir::fromNativeSeparators(edtRozpocznij->text().trimmed());
    request.maskText = Combo->currentText();
    request.skippedFolders = DiskSearch::pseudoFileSystemFolders();
    PasekStanu->clearMessage();
    m_hits->clear();
    m_hits->DoSorting = false;
    if (!m_worker->start(std::move(request)))
        return;
    setSearching(true);
    const QString text = Combo->currentText();
    if (!text.isEmpty() && Combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        Combo->addItem(text);
}

void TSearchDialog::klwAnulujClick()
{
    stopSearch();
}

void TSearchDialog::stopSearch()
{
    m_worker->stop();
}

void TSearchDialog::klwBrowseClick()
{
    BrowseFolder->Directory = QDir::fromNativeSeparators(edtRozpocznij->text().trimmed());
    if (!BrowseFolder->Execute())
        return;
    QString folder = QDir::toNativeSeparators(BrowseFolder->Directory);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    edtRozpocznij->setText(folder);
}

void TSearchDialog::showProgress(const SearchWorker::Progress &batch)
{
    QList<FileEntry> entries;
    entries.reserve(batch.hits.size());
    for (const DiskSearch::Hit &hit : batch.hits)
        entries << foundEntry(hit.name, hit.size, hit.isFolder, hit.folder);
    m_hits->addEntries(entries);
    lblAktualnykatalog->setText(QDir::toNativeSeparators(batch.folder));
    PasekStanu->showMessage(SearchMessages::foundCount(batch.found));
}

void TSearchDialog::ended()
{
    lblAktualnykatalog->clear();
    m_hits->DoSorting = true;
    setSearching(false);
    searchEnded();
}

void TSearchDialog::fillHitMenu(QMenu &menu)
{
    QAction *open = menu.addAction(QStringLiteral("&Otwórz"), this, [this] { openHit(); });
    open->setEnabled(m_hits->selectedRow() >= 0);
}

void TSearchDialog::openHit()
{
    const int row = m_hits->selectedRow();
    if (row < 0)
        return;
    const FileEntry &entry = m_hits->model()->entry(row);
    if (!Platform::Launcher::instance().openDocument(entry.fullPath, QDir::fromNativeSeparators(entry.location)))
        Platform::showMessage(this, EditorMessages::startError(QDir::toNativeSeparators(entry.fullPath)),
                              EditorMessages::formCaption(), Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Error);
}

void TSearchDialog::closeEvent(QCloseEvent *event)
{
    closing();
    stopSearch();
    event->accept();
}

// Esc stops a walk; without one it closes the window as usual. (While a
// walk runs, the owner's own Esc, which serves its tool windows too, comes
// first and stops it.)
void TSearchDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && isSearching()) {
        stopSearch();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSearchDialog::reject()
{
    close();
}

void TSearchDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}
