#include "checker/testrv3dialog.h"

#include "checker/checkermessages.h"
#include "project/designercontext.h"
#include "project/dialogbutton.h"

#include <projectfile/projectformat.h>

#include <dialogs.h>
#include <launcher.h>
#include <paths.h>
#include <profilefile.h>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmTestRV3::TfrmTestRV3(DesignerContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmTestRV3"));
    setWindowTitle(CheckerMessages::caption());

    cmbPliki = new QComboBox(this);
    cmbPliki->setObjectName(QStringLiteral("cmbPliki"));
    cmbPliki->setEditable(true);
    cmbPliki->setInsertPolicy(QComboBox::NoInsert);
    cmbPliki->setToolTip(CheckerMessages::filesHint());
    cmbPliki->setMinimumContentsLength(48);
    klwBrowse = dialogButton(QStringLiteral("klwBrowse"), QStringLiteral("···"), {}, this);
    klwTestuj = dialogButton(QStringLiteral("klwTestuj"), QStringLiteral("&Testuj"),
                             QStringLiteral("rozpocznij testowanie pliku"), this);
    klwEdycjaRV3 = dialogButton(QStringLiteral("klwEdycjaRV3"), QStringLiteral("&Edytuj"),
                                QStringLiteral("Edytuj wybrany plik"), this);
    klwOk = dialogButton(QStringLiteral("klwOk"), QStringLiteral("&OK"), {}, this);
    klwOk->setDefault(true);

    cmbErrors = new QComboBox(this);
    cmbErrors->setObjectName(QStringLiteral("cmbErrors"));
    cmbErrors->setToolTip(CheckerMessages::errorsHint());

    edtSetup = readOut(QStringLiteral("edtSetup"), CheckerMessages::fieldHint());
    edtKatalog = readOut(QStringLiteral("edtKatalog"), CheckerMessages::fieldHint());
    edtOpis = readOut(QStringLiteral("edtOpis"), CheckerMessages::fieldHint());
    edtAmbitny = readOut(QStringLiteral("edtAmbitny"), CheckerMessages::fieldHint());
    edtZrzut = readOut(QStringLiteral("edtZrzut"), CheckerMessages::fieldHint());
    edtOpisKat = readOut(QStringLiteral("edtOpisKat"), CheckerMessages::descriptionFieldHint());

    lblUwaga = new QLabel(CheckerMessages::note(), this);
    lblUwaga->setObjectName(QStringLiteral("lblUwaga"));
    lblUwaga->setWordWrap(true);

    auto *files = new QHBoxLayout;
    files->addWidget(cmbPliki, 1);
    files->addWidget(klwBrowse);
    files->addWidget(klwTestuj);
    files->addWidget(klwEdycjaRV3);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Plik instalacji:"), edtSetup);
    fields->addRow(QStringLiteral("Katalog programu instalacyjnego:"), edtKatalog);
    fields->addRow(QStringLiteral("Plik opisu standardowego:"), edtOpis);
    fields->addRow(QStringLiteral("Plik opisu dodatkowego:"), edtAmbitny);
    fields->addRow(QStringLiteral("Plik zrzutu ekranowego:"), edtZrzut);
    fields->addRow(QStringLiteral("Plik opisu kategorii:"), edtOpisKat);
    auto *closing = new QHBoxLayout;
    closing->addWidget(lblUwaga, 1);
    closing->addWidget(klwOk, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addWidget(new QLabel(CheckerMessages::errorsLabel(), this));
    layout->addWidget(cmbErrors);
    layout->addLayout(fields);
    layout->addLayout(closing);

    connect(klwBrowse, &QPushButton::clicked, this, [this] { DodajPliki(klwBrowse); });
    connect(klwTestuj, &QPushButton::clicked, this, [this] { klwTestujClick(klwTestuj); });
    connect(klwEdycjaRV3, &QPushButton::clicked, this, [this] { klwEdycjaRV3Click(klwEdycjaRV3); });
    connect(klwOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmbErrors, &QComboBox::activated, this, [this] { Odczyt_Error(cmbErrors); });
    FormCreate();
}

QLineEdit *TfrmTestRV3::readOut(const QString &name, const QString &hint)
{
    auto *field = new QLineEdit(this);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setToolTip(hint);
    return field;
}

void TfrmTestRV3::FormCreate()
{
    if (!m_context.ProjectIni)
        return;
    const Platform::ProfileFile &project = *m_context.ProjectIni;
    const QString &data = ProjectFormat::Sections::Data;
    for (const QString &key : project.keyNames(data)) {
        // An empty value names no file, not the drive itself.
        const QString stored = project.readString(data, key, {});
        if (stored.isEmpty())
            continue;
        const QString file = Platform::resolveStoredPath(m_context.DriveRoot, stored);
        // A path that a link leads off the drive is listed as stored, as
        // the project manager lists it; testing it says why it is not read.
        if (file.isEmpty())
            cmbPliki->addItem(stored, OffTheDrive);
        else
            cmbPliki->addItem(file);
    }
    if (cmbPliki->count() > 0)
        cmbPliki->setCurrentIndex(0);
}

bool TfrmTestRV3::refusedOffTheDrive(const QString &fileName, CheckerMessages::OffTheDriveAction action)
{
    const int index = cmbPliki->findText(fileName);
    if (index < 0 || cmbPliki->itemData(index) != OffTheDrive)
        return false;
    Platform::showMessage(this, CheckerMessages::offTheDrive(fileName, m_context.DriveRoot, action), DesignerCaption,
                          Platform::MessageButtons::Ok, Platform::MessageIcon::Error);
    return true;
}

void TfrmTestRV3::DodajPliki(QObject *)
{
    const QString fileName = Platform::Dialogs::instance().openFile(this, CheckerMessages::browseCaption(), QString(),
                                                                    CheckerMessages::browseFilter());
    if (fileName.isEmpty())
        return;
    cmbPliki->addItem(fileName);
    cmbPliki->setCurrentIndex(cmbPliki->count() - 1);
}

void TfrmTestRV3::klwTestujClick(QObject *)
{
    const QString fileName = cmbPliki->currentText();
    if (fileName.isEmpty())
        return;
    if (refusedOffTheDrive(fileName, CheckerMessages::OffTheDriveAction::Check))
        return;
    DataFileChecker::Outcome outcome = DataFileChecker::check(fileName, m_context.DriveRoot);
    if (!outcome.ok()) {
        // The earlier results stay on screen.
        Platform::showMessage(this, outcome.message, DesignerCaption, Platform::MessageButtons::Ok,
                              Platform::MessageIcon::Error);
        return;
    }
    m_report = std::move(outcome.report);
    cmbErrors->clear();
    for (const DataFileChecker::FaultyProgram &program : m_report.programs)
        cmbErrors->addItem(program.name);
    if (m_report.sound())
        cmbErrors->addItem(CheckerMessages::soundFile());
    cmbErrors->setCurrentIndex(cmbErrors->count() > 0 ? 0 : -1);
    Odczyt_Error(cmbErrors);
}

QLineEdit *TfrmTestRV3::fieldOf(const QString &key) const
{
    namespace Keys = DataFile::Keys;
    const std::pair<const QString &, QLineEdit *> fields[] = {
        {Keys::Setup, edtSetup}, {Keys::Katalog, edtKatalog}, {Keys::Opis, edtOpis},
        {Keys::Ambitny, edtAmbitny}, {Keys::Zrzut, edtZrzut},
    };
    for (const auto &[name, field] : fields) {
        if (name.compare(key, Qt::CaseInsensitive) == 0)
            return field;
    }
    return nullptr;
}

void TfrmTestRV3::Odczyt_Error(QObject *)
{
    for (QLineEdit *field : {edtSetup, edtKatalog, edtOpis, edtAmbitny, edtZrzut, edtOpisKat})
        field->clear();
    // The description belongs to the file: it shows whichever program is chosen.
    edtOpisKat->setText(m_report.faultyDescription);
    const DataFileChecker::FaultyProgram *program =
        cmbErrors->currentIndex() < 0 ? nullptr : m_report.find(cmbErrors->currentText());
    if (!program)
        return;
    for (const DataFileChecker::Fault &fault : program->faults) {
        if (QLineEdit *field = fieldOf(fault.key))
            field->setText(fault.value);
    }
}

void TfrmTestRV3::klwEdycjaRV3Click(QObject *)
{
    const QString fileName = cmbPliki->currentText();
    if (fileName.isEmpty())
        return;
    if (refusedOffTheDrive(fileName, CheckerMessages::OffTheDriveAction::Edit))
        return;
    Platform::Launcher &launcher = Platform::Launcher::instance();
    if (launcher.openDocument(fileName) || launcher.openAsText(fileName))
        return;
    Platform::showMessage(this, CheckerMessages::cannotEdit(), DesignerCaption, Platform::MessageButtons::Ok,
                          Platform::MessageIcon::Warning);
}

void runDataFileChecker(QWidget *parent, DesignerContext &context)
{
    TfrmTestRV3 dialog(context, parent);
    dialog.exec();
}
