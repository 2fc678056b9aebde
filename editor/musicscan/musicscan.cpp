#include "musicscan.h"

#include <disksearch/dataeditorhost.h>
#include <disksearch/searchmessages.h>

#include <browse/browsefolder.h>
#include <dialogs.h>
#include <filelist/filelistview.h>
#include <mainwindow/editormessages.h>
#include <paths.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHash>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The data file of that name in folder: one there already in any letter
// case (on a CD the two are one name), else the name as given.
QString dataFileIn(const QString &folder, const QString &name)
{
    const QString existing = Platform::findEntryCaseInsensitive(folder, name);
    return folder + (existing.isEmpty() ? name : existing);
}

} // namespace

T_frmMP3::T_frmMP3(DataEditorHost &host, QWidget *parent)
    : TSearchDialog(SearchMessages::builtInMusicMasks(), parent)
    , listaMP3(hitList())
    , m_host(host)
{
    setObjectName(QStringLiteral("_frmMP3"));
    Combo->setCurrentIndex(0);
    const QString programFolder = QDir::toNativeSeparators(Platform::programDir());
    edtRozpocznij->setText(programFolder);
    listaMP3->setMultiSelect(true);

    edtRV3 = new QLineEdit(QStringLiteral(" "), this);
    klwAuto = new QPushButton(QStringLiteral("Auto"), this);
    klwAuto->setCheckable(true);
    klwAuto->setToolTip(SearchMessages::autoHint());
    edtKatRV3 = new QLineEdit(QDir::toNativeSeparators(Platform::userDataDir()), this);
    klwBrowseRV3DIR = new QPushButton(QStringLiteral("..."), this);
    klwBrowseRV3DIR->setFixedWidth(28);
    QGridLayout *rows = extraRows();
    rows->addWidget(new QLabel(QStringLiteral("plik RV3:"), this), 0, 0);
    rows->addWidget(edtRV3, 0, 1);
    rows->addWidget(klwAuto, 0, 2);
    rows->addWidget(new QLabel(QStringLiteral("katalog dla plików RV3:"), this), 1, 0);
    rows->addWidget(edtKatRV3, 1, 1);
    rows->addWidget(klwBrowseRV3DIR, 1, 2);

    klOK = new QPushButton(QStringLiteral("Zapisz"), this);
    klOK->setToolTip(SearchMessages::saveHint());
    klwFullAuto = new QPushButton(QStringLiteral("&Pełny Automat"), this);
    klwFullAuto->setToolTip(SearchMessages::fullAutoHint());
    klwFullAuto->setEnabled(false);
    buttonColumn()->insertWidget(2, klOK);
    buttonColumn()->insertWidget(3, klwFullAuto);

    connect(klOK, &QPushButton::clicked, this, [this] { klOKClick(); });
    connect(klwFullAuto, &QPushButton::clicked, this, [this] { klwFullAutoClick(); });
    connect(klwBrowseRV3DIR, &QPushButton::clicked, this, [this] { klwBrowseRV3DIRClick(); });
    listaMP3->OnSelectionChange = [this](QObject *) { selectionChanged(); };
    connect(this, &TSearchDialog::searchingChanged, this, [this](bool searching) {
        if (searching)
            klwFullAuto->setEnabled(false);
    });
}

void T_frmMP3::searchEnded()
{
    klwFullAuto->setEnabled(true);
}

void T_frmMP3::selectionChanged()
{
    const QList<int> rows = listaMP3->selectedRows();
    if (!klwAuto->isChecked() || rows.isEmpty())
        return;
    const int current = listaMP3->selectedRow();
    const int row = rows.contains(current) ? current : rows.first();
    const FileEntry &entry = listaMP3->model()->entry(row);
    edtRV3->setText(MusicEntries::folderNameOf(QDir::fromNativeSeparators(entry.location)) + QStringLiteral(".rv3"));
}

void T_frmMP3::klwBrowseRV3DIRClick()
{
    BrowseFolder->Directory = QDir::fromNativeSeparators(edtKatRV3->text().trimmed());
    if (!BrowseFolder->Execute())
        return;
    QString folder = QDir::toNativeSeparators(BrowseFolder->Directory);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    edtKatRV3->setText(folder);
}

void T_frmMP3::warn(const QString &text, bool error)
{
    Platform::showMessage(this, text, EditorMessages::formCaption(), Platform::MessageButtons::Ok,
                          error ? Platform::MessageIcon::Error : Platform::MessageIcon::Warning);
}

QList<MusicEntries::Row> T_frmMP3::rowsOf(const QList<int> &rows) const
{
    QList<MusicEntries::Row> result;
    result.reserve(rows.size());
    for (const int row : rows) {
        const FileEntry &entry = listaMP3->model()->entry(row);
        result.append({entry.caption, entry.size, entry.isDir, QDir::fromNativeSeparators(entry.location)});
    }
    return result;
}

QString T_frmMP3::dataFolder()
{
    QString folder = QDir::fromNativeSeparators(edtKatRV3->text().trimmed());
    if (folder.isEmpty() || QDir::isRelativePath(folder)) {
        warn(SearchMessages::dataFolderNotAbsolute(edtKatRV3->text()));
        return {};
    }
    if (!QDir().mkpath(folder)) {
        warn(SearchMessages::folderNotCreated(QDir::toNativeSeparators(folder)), true);
        return {};
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

T_frmMP3::Written T_frmMP3::writeDataFile(const QString &dataFile, const QList<MusicEntries::Row> &rows,
                                          int &skipped)
{
    const MusicEntries::Plan plan = MusicEntries::entriesOf(rows, Platform::documentDriveRoot(dataFile));
    if (!plan.ok())
        return {Written::Failed, plan.refusal, plan.refusal, false};
    if (!m_host.mayWriteDataFile(dataFile))
        return {Written::Cancelled, {}, {}, false};
    const Platform::WriteResult written = MusicEntries::write(dataFile, plan.entries);
    if (!written.ok())
        return {Written::Failed, written.error, written.reason.isEmpty() ? written.error : written.reason, true};
    m_host.dataFileWritten(dataFile);
    skipped += plan.skipped;
    return {};
}

void T_frmMP3::klOKClick()
{
    const QString name = edtRV3->text().trimmed();
    if (name.isEmpty()) {
        Platform::showMessage(this, SearchMessages::noDataFileName(), EditorMessages::formCaption(),
                              Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
        return;
    }
    const QString folder = dataFolder();
    if (folder.isEmpty())
        return;
    int skipped = 0;
    const Written written = writeDataFile(dataFileIn(folder, name), rowsOf(listaMP3->selectedRows()), skipped);
    if (written.status == Written::Failed)
        warn(written.message, written.byTheSystem);
    else if (written.status == Written::Done && skipped > 0)
        warn(SearchMessages::namesSkipped(skipped));
}

void T_frmMP3::klwFullAutoClick()
{
    const QString folder = dataFolder();
    if (folder.isEmpty())
        return;
    // Every row, grouped by its folder in the order folders first appear;
    // two folders of one name get files of their own.
    QList<QString> folders;
    QHash<QString, QList<int>> rowsByFolder;
    for (int row = 0; row < listaMP3->count(); ++row) {
        const QString location = QDir::cleanPath(listaMP3->model()->entry(row).location);
        if (!rowsByFolder.contains(location))
            folders << location;
        rowsByFolder[location] << row;
    }
    QHash<QString, int> namesTaken;
    int skipped = 0;
    int written = 0;
    // A folder whose file cannot be written does not keep the others from
    // theirs; the end tells which and why.
    QStringList failures;
    for (const QString &location : std::as_const(folders)) {
        const QString base = MusicEntries::folderNameOf(location);
        if (base.isEmpty()) { // "/" has no name to give a file
            skipped += int(rowsByFolder.value(location).size());
            continue;
        }
        const int taken = namesTaken[base.toCaseFolded()]++;
        const QString name = taken == 0 ? base : QStringLiteral("%1 (%2)").arg(base).arg(taken + 1);
        const Written outcome = writeDataFile(dataFileIn(folder, name + QStringLiteral(".rv3")),
                                              rowsOf(rowsByFolder.value(location)), skipped);
        if (outcome.status == Written::Cancelled)
            return;
        if (outcome.status == Written::Failed)
            failures << SearchMessages::folderFailed(QDir::toNativeSeparators(location), outcome.reason);
        else
            ++written;
    }
    const QString target = QDir::toNativeSeparators(folder);
    QString message = failures.isEmpty()
                          ? SearchMessages::allDataFilesWritten(target)
                          : SearchMessages::dataFilesNotWritten(failures, written > 0 ? target : QString());
    if (skipped > 0)
        message += QStringLiteral("\r\n\r\n") + SearchMessages::namesSkipped(skipped);
    Platform::showMessage(this, message, EditorMessages::formCaption(), Platform::MessageButtons::Ok,
                          failures.isEmpty() ? Platform::MessageIcon::Information : Platform::MessageIcon::Error);
}
