#include "copydialog.h"

#include "dialogstyle.h"
#include "dialogtexts.h"
#include "menuwindow/programchoice.h"
#include "startup/runtimecontext.h"

#include <buttons/menubutton.h>
#include <datafile/datafile.h>
#include <dirtree/dirtree.h>

#include <dialogs.h>
#include <launcher.h>

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

T_frmKopia::T_frmKopia(QWidget *owner, const RuntimeContext &context, const ProgramChoice &choice,
                       const QString &home, const std::optional<QString> &treeStart, Platform::TColor color,
                       Platform::TColor fontColor)
    : QDialog(owner)
    , m_context(context)
    , m_choice(choice)
{
    setObjectName(QStringLiteral("_frmKopia"));
    setWindowTitle(DialogTexts::CopyCaption);

    lblDocelowy = new QLabel(DialogTexts::TargetFolder, this);
    lblDocelowy->setObjectName(QStringLiteral("lblDocelowy"));
    lblNazwa = new QLabel(choice.CurrentProgram, this);
    lblNazwa->setObjectName(QStringLiteral("lblNazwa"));
    lblNazwa->setAlignment(Qt::AlignCenter);
    lblNazwa->setTextFormat(Qt::PlainText);
    dirtree1 = new TDirTree(this);
    dirtree1->setObjectName(QStringLiteral("dirtree1"));
    chkPodkatalog = new QCheckBox(DialogTexts::MakeSubfolder, this);
    chkPodkatalog->setObjectName(QStringLiteral("chkPodkatalog"));
    chkPodkatalog->setChecked(true);
    edtKatalog = new QLineEdit(this);
    edtKatalog->setObjectName(QStringLiteral("edtKatalog"));
    klwOK = DialogStyle::button(this, QStringLiteral("klwOK"), DialogTexts::Ok);
    klwAnuluj = DialogStyle::button(this, QStringLiteral("klwAnuluj"), DialogTexts::Cancel);
    klwOK->OnClick = [this](QObject *sender) { klwOKClick(sender); };
    klwAnuluj->OnClick = [this](QObject *sender) { klwAnulujClick(sender); };

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(klwOK);
    buttons->addWidget(klwAnuluj);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblDocelowy);
    layout->addWidget(lblNazwa);
    layout->addWidget(dirtree1, 1);
    layout->addWidget(chkPodkatalog);
    layout->addWidget(edtKatalog);
    layout->addLayout(buttons);
    resize(360, 420);
    DialogStyle::paint(this, color, fontColor, {lblDocelowy, lblNazwa, chkPodkatalog, klwOK, klwAnuluj});

    dirtree1->ReadDrives();
    dirtree1->OpenPath(treeStart.value_or(dirtree1->InitialDirectory()));
    // The proposal is set after the tree has opened its first folder.
    dirtree1->OnChange = [this](QObject *sender, QTreeWidgetItem *) { dirtree1Change(sender); };
    const bool hasKopia = choice.CategoryIni && !choice.CurrentProgram.isEmpty()
                          && choice.CategoryIni->valueExists(choice.CurrentProgram, DataFile::Keys::Kopia);
    edtKatalog->setText(proposedTarget(home, hasKopia ? std::optional(choice.programValue(DataFile::Keys::Kopia))
                                                      : std::nullopt,
                                       choice.CurrentProgram));
}

QString T_frmKopia::proposedTarget(const QString &home, const std::optional<QString> &kopia, const QString &program)
{
    if (kopia && !kopia->isEmpty())
        return joined(home, *kopia);
    return joined(joined(home, QStringLiteral("CDROM")), kopia.value_or(program));
}

std::optional<QString> T_frmKopia::chosenTarget(const QString &selected, bool subfolder, const QString &subfolderName)
{
    // "?": the tree has no folder selected, which names no target.
    if (selected.isEmpty() || selected == u"?")
        return std::nullopt;
    return subfolder ? joined(selected, subfolderName) : selected;
}

std::optional<QString> T_frmKopia::targetFolder(const QString &edited)
{
    QString target = edited.trimmed();
    if (target.size() > 1 && target.endsWith(u'/'))
        target.chop(1);
    if (target.isEmpty() || QDir::isRelativePath(target))
        return std::nullopt;
    return target;
}

QString T_frmKopia::subfolderName() const
{
    if (m_choice.CategoryIni && m_choice.CategoryIni->valueExists(m_choice.CurrentProgram, DataFile::Keys::Kopia))
        return m_choice.programValue(DataFile::Keys::Kopia);
    return m_choice.CurrentProgram;
}

void T_frmKopia::dirtree1Change(QObject *)
{
    if (const auto target = chosenTarget(dirtree1->GetSelectedDir(), chkPodkatalog->isChecked(), subfolderName()))
        edtKatalog->setText(*target);
}

void T_frmKopia::refuse(const QString &target)
{
    Platform::showMessage(this, DialogTexts::CannotCreateFolder + u'"' + target + u'"', m_context.ApplicationTitle,
                          Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
}

bool T_frmKopia::startCopier(const QString &target)
{
    const QString copier = m_context.fileBesideProgram(CopierName);
    const QStringList arguments{
        QStringLiteral("#1") + m_context.DriveRoot + m_choice.programValue(DataFile::Keys::Katalog),
        QStringLiteral("#2") + target,
    };
    if (!copier.isEmpty() && Platform::Launcher::instance().startProgram(copier, arguments).ok)
        return true;
    const QString shown = copier.isEmpty() ? m_context.ProgramDir + CopierName : copier;
    Platform::showMessage(this, DialogTexts::CannotStartCopier + u'"' + shown + u'"', m_context.ApplicationTitle,
                          Platform::MessageButtons::Ok, Platform::MessageIcon::Warning);
    return false;
}

void T_frmKopia::klwOKClick(QObject *)
{
    const std::optional<QString> target = targetFolder(edtKatalog->text());
    if (!target) {
        refuse(edtKatalog->text());
        return;
    }
    QDir().mkpath(*target);
    if (!QFileInfo(*target).isDir()) {
        refuse(*target);
        return;
    }
    if (startCopier(*target))
        accept();
}

void T_frmKopia::klwAnulujClick(QObject *)
{
    reject();
}

void T_frmKopia::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        klwOKClick(klwOK);
        return;
    }
    QDialog::keyPressEvent(event);
}
