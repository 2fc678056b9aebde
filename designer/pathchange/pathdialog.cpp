#include "pathchange/pathdialog.h"

#include "pathchange/pathmessages.h"
#include "pathchange/pathrewrite.h"
#include "project/designercontext.h"
#include "propertyeditors/pickedpaths.h"

#include <browse/browsefolder.h>
#include <buttons/menubutton.h>

#include <dialogs.h>
#include <paths.h>
#include <profilefile.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TfrmSciezki::TfrmSciezki(PathChangeSetup setup, QWidget *parent)
    : QDialog(parent)
    , m_setup(std::move(setup))
{
    buildForm();
    FormCreate();
    // A fixed dialog border: the user cannot resize it; the contents may
    // need more than the size it opens at.
    setFixedSize(QSize(321, 141).expandedTo(minimumSizeHint()));
}

void TfrmSciezki::buildForm()
{
    setObjectName(QStringLiteral("frmSciezki"));
    setWindowTitle(PathMessages::pathCaption());
    lblNazwaINI = new QLabel;
    lblNazwaINI->setObjectName(QStringLiteral("lblNazwaINI"));
    lblNazwaINI->setAlignment(Qt::AlignCenter);
    cmbSciezki = new QComboBox;
    cmbSciezki->setObjectName(QStringLiteral("cmbSciezki"));
    cmbSciezki->setEditable(true);
    cmbSciezki->setInsertPolicy(QComboBox::NoInsert);
    edtKatalog = new QLineEdit;
    edtKatalog->setObjectName(QStringLiteral("edtKatalog"));
    klwBrowse = new TMenuButton;
    klwBrowse->setObjectName(QStringLiteral("klwBrowse"));
    klwBrowse->setCaption(QStringLiteral("..."));
    klwBrowse->setFixedSize(24, 22);
    klwBrowse->OnClick = [this](QObject *sender) { BrowseIt(sender); };
    klwZmianiaj = new QPushButton(QStringLiteral("&Zmieniaj"));
    klwZmianiaj->setObjectName(QStringLiteral("klwZmianiaj"));
    klwZmianiaj->setDefault(true);
    klwZamknij = new QPushButton(QStringLiteral("&Zamknij"));
    klwZamknij->setObjectName(QStringLiteral("klwZamknij"));
    connect(klwZmianiaj, &QPushButton::clicked, this, [this] { klwZmianiajClick(klwZmianiaj); });
    connect(klwZamknij, &QPushButton::clicked, this, &QDialog::reject);
    BrowseFld = new TBrowseFolder(this);
    BrowseFld->Title = PathMessages::browseTitle();
    BrowseFld->Flags = bfStatusText;
    BrowseFld->ShowPathInStatusArea = true;

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblNazwaINI, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Ścieżka w pliku do zamiany:")), 1, 0, 1, 2);
    grid->addWidget(cmbSciezki, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Nowa ścieżka:")), 3, 0, 1, 2);
    grid->addWidget(edtKatalog, 4, 0);
    grid->addWidget(klwBrowse, 4, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(klwZmianiaj);
    buttons->addWidget(klwZamknij);
    grid->addLayout(buttons, 5, 0, 1, 2);
}

void TfrmSciezki::FormCreate()
{
    const Platform::ProfileFile project(m_setup.projectFile);
    cmbSciezki->clear();
    cmbSciezki->addItems(PathRewrite::foldersIn(project));
    cmbSciezki->setCurrentIndex(cmbSciezki->count() > 0 ? 0 : -1);
    lblNazwaINI->setText(QFileInfo(m_setup.projectFile).fileName());
}

void TfrmSciezki::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmSciezki::tell(const QString &text)
{
    Platform::showMessage(this, text, DesignerCaption, Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
}

void TfrmSciezki::BrowseIt(QObject *)
{
    const QString root = m_setup.driveRoot;
    const QString typed = Platform::resolveStoredPath(root, PathRewrite::storedFolder(edtKatalog->text()));
    BrowseFld->Directory = typed.isEmpty() ? root : typed;
    BrowseFld->ParentWindow = this;
    if (!BrowseFld->Execute())
        return;
    const QString chosen = QDir::cleanPath(BrowseFld->Directory);
    // The root itself is the empty folder.
    if (chosen.compare(QDir::cleanPath(root), Qt::CaseInsensitive) == 0) {
        edtKatalog->clear();
        return;
    }
    const PickedPaths::Stored stored = PickedPaths::fromChosenFile(root, chosen);
    if (!stored.ok()) {
        tell(stored.error);
        return;
    }
    edtKatalog->setText(PathRewrite::storedFolder(stored.path));
}

void TfrmSciezki::klwZmianiajClick(QObject *)
{
    const QString oldFolder = PathRewrite::storedFolder(cmbSciezki->currentText());
    const QString newFolder = PathRewrite::storedFolder(edtKatalog->text());
    if (const QString refused = PathRewrite::refusal(m_setup.driveRoot, oldFolder, newFolder); !refused.isEmpty()) {
        tell(refused);
        return;
    }
    if (newFolder.isEmpty()
        && Platform::showMessage(this, PathMessages::noNewFolder(), PathMessages::noNewFolderCaption(),
                                 Platform::MessageButtons::YesNoCancel, Platform::MessageIcon::Warning)
               != Platform::MessageAnswer::Yes)
        return;
    // The file on disk is changed: the design's own changes go there first
    // or are let go.
    if (m_setup.saveQuestion && !m_setup.saveQuestion())
        return;
    const PathRewrite::Outcome outcome =
        PathRewrite::changeFolder(m_setup.projectFile, m_setup.driveRoot, oldFolder, newFolder);
    if (!outcome.ok()) {
        tell(outcome.error);
        return;
    }
    if (m_setup.reopen)
        m_setup.reopen(m_setup.projectFile);
    // The old-folder box moves on to another folder: the new folder is not
    // meant for it, so a further Enter meets the empty-folder question.
    edtKatalog->clear();
    FormCreate();
}

void runPathChange(QWidget *parent, PathChangeSetup setup)
{
    TfrmSciezki dialog(std::move(setup), parent);
    dialog.exec();
}
