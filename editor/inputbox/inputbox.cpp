#include "inputbox.h"

#include <dialogs.h>
#include <paths.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmInput::TfrmInput(QWidget *parent, const QString &caption, const QString &prompt, const QString &value,
                     const QString &filter, const QString &driveRoot)
    : QDialog(parent)
    , lblPrompt(new QLabel(prompt, this))
    , edtDefault(new QLineEdit(value, this))
    , klwOK(new QPushButton(QStringLiteral("&OK"), this))
    , klwAnuluj(new QPushButton(QStringLiteral("&Anuluj"), this))
    , klwBrowse(new QPushButton(QString::fromUtf8("···"), this))
    , m_filter(filter)
    , m_driveRoot(driveRoot.isEmpty() ? Platform::driveRootOf(Platform::programDir()) : driveRoot)
{
    setWindowTitle(caption);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(383, 119);
    lblPrompt->setWordWrap(true);
    lblPrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblPrompt->setGeometry(8, 8, 370, 40);
    edtDefault->setGeometry(8, 52, 370, 23);
    klwBrowse->setGeometry(356, 52, 22, 23);
    klwBrowse->hide();
    klwOK->setGeometry(216, 86, 75, 25);
    klwOK->setDefault(true);
    klwAnuluj->setGeometry(300, 86, 75, 25);
    connect(klwOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(klwAnuluj, &QPushButton::clicked, this, &QDialog::reject);
    connect(klwBrowse, &QPushButton::clicked, this, [this] { klwBrowseClick(klwBrowse); });
}

void TfrmInput::klwBrowseClick(QObject *)
{
    const QString chosen = Platform::Dialogs::instance().openFile(this, windowTitle(), QString(), m_filter);
    if (!chosen.isEmpty())
        edtDefault->setText(Platform::toStoredPath(m_driveRoot, chosen));
}

bool InputBox(QWidget *parent, const QString &caption, const QString &prompt, bool browse, QString &value,
              const QString &filter, const QString &driveRoot)
{
    if (!browse)
        return Platform::Dialogs::instance().inputText(parent, caption, prompt, value);
    TfrmInput form(parent, caption, prompt, value, filter, driveRoot);
    form.edtDefault->resize(344, form.edtDefault->height());
    form.klwBrowse->show();
    if (form.exec() != QDialog::Accepted)
        return false;
    value = form.edtDefault->text();
    return true;
}
