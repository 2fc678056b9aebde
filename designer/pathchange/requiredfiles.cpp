#include "pathchange/requiredfiles.h"

#include "pathchange/pathmessages.h"
#include "templates/templatemessages.h"

#include <lists/horlistbox.h>

#include <profilefile.h>

#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

QList<RequiredLine> requiredLines(const Platform::ProfileFile &project, const QString &driveRoot,
                                  const QString &mpegDll)
{
    ProjectFiles::ConfiguredFiles configured;
    configured.mpegDll = mpegDll;
    QList<RequiredLine> lines;
    for (const ProjectFiles::NamedFile &file :
         ProjectFiles::filesNamed(project, driveRoot, configured, ProjectFiles::FileList::Required)) {
        const bool library = file.source == ProjectFiles::Source::Configuration;
        const QString text = library && !file.exists ? TemplateMessages::noMp3Library() : file.stored;
        lines.append({text, file.exists});
    }
    return lines;
}

TfrmWymagane::TfrmWymagane(const QList<RequiredLine> &lines, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmWymagane"));
    setWindowTitle(PathMessages::requiredCaption());
    Lista = new THCheckListBox(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    klwOk = new QPushButton(QStringLiteral("&OK"));
    klwOk->setObjectName(QStringLiteral("klwOk"));
    klwOk->setDefault(true);
    connect(klwOk, &QPushButton::clicked, this, &QDialog::accept);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(klwOk);
    buttons->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Lista);
    layout->addLayout(buttons);
    // A fixed dialog border: the user cannot resize it.
    setFixedSize(QSize(282, 287).expandedTo(minimumSizeHint()));

    for (const RequiredLine &line : lines)
        Lista->setChecked(Lista->addItem(line.text), line.exists);
    // A tick tells whether the file is there; a click cannot change that.
    Lista->OnClickCheck = [this, lines](QObject *) {
        for (int i = 0; i < lines.size(); ++i)
            Lista->setChecked(i, lines[i].exists);
    };
}

void TfrmWymagane::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void runRequiredFiles(QWidget *parent, const QString &projectFile, const QString &driveRoot, const QString &mpegDll)
{
    // A reader of its own: the list shows the project file as stored.
    const Platform::ProfileFile project(projectFile);
    TfrmWymagane dialog(requiredLines(project, driveRoot, mpegDll), parent);
    dialog.exec();
}
