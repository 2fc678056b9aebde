// The main window's commands: opening and saving projects, the save
// question, the hint window and the recent projects.
#include "generatorwindow.h"

#include "about/aboutbox.h"
#include "config/gencfgdialog.h"
#include "mainwindow/asystent.h"
#include "mainwindow/mainwindowmessages.h"
#include "project/cdfolder.h"
#include "project/designermessages.h"
#include "inspector/objectinspector.h"
#include "surface/menusurface.h"
#include "selection/stretchselection.h"
#include "templates/templatedialog.h"
#include "undo/designundo.h"
#include "undo/undowindow.h"

#include <buttons/menubutton.h>
#include <dock/toolbar.h>
#include <shell/filedrag.h>

#include <dialogs.h>
#include <launcher.h>
#include <paths.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

Platform::MessageAnswer ask(QWidget *parent, const QString &text)
{
    return Platform::showMessage(parent, text, DesignerCaption, Platform::MessageButtons::YesNoCancel,
                                 Platform::MessageIcon::Question);
}

void complain(QWidget *parent, const QString &text)
{
    Platform::showMessage(parent, text, DesignerCaption, Platform::MessageButtons::Ok,
                          Platform::MessageIcon::Error);
}

bool isProjectFileName(const QString &extension)
{
    for (const char *known : {"KLV", "SBL", "INI"}) {
        if (extension.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

bool TfrmGenerator::saveQuestion()
{
    if (!m_context.ProjectModified)
        return true;
    switch (ask(this, MainWindowMessages::saveQuestion())) {
    case Platform::MessageAnswer::Yes:
        // A save that failed must not let the changes go.
        return m_project.Zapisz();
    case Platform::MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

bool TfrmGenerator::needsProject() const
{
    return m_context.ProjectIni != nullptr;
}

void TfrmGenerator::openProject(const QString &fileName, bool startUndoOver)
{
    if (startUndoOver)
        m_context.undo().startOver();
    const QString path = QFileInfo(fileName).absoluteFilePath();
    offerCdFolder(this, m_context, path);
    m_project.LoadINI(path);
    projectOpened();
}

void TfrmGenerator::showCdFolder()
{
    lblKatalogPlyty->setText(m_context.ProjectIni ? CdFolder::describe(m_context.DriveRoot) : QString());
    lblKatalogPlyty->setToolTip(lblKatalogPlyty->text());
    // The menu bar lays its corner out anew only when it is given one.
    lblKatalogPlyty->adjustSize();
    menuBar()->setCornerWidget(lblKatalogPlyty, Qt::TopRightCorner);
}

void TfrmGenerator::projectOpened()
{
    showCdFolder();
    if (!m_context.ProjectIni)
        return;
    setWindowTitle(m_context.MainCaption);
    m_palette->showInspector();
    mnuObiekty->setChecked(true);
}


void TfrmGenerator::plugIn(QAction *command, std::function<void()> run, bool needsProject)
{
    connect(command, &QAction::triggered, this, [this, run = std::move(run), needsProject] {
        if (!needsProject || this->needsProject())
            run();
    });
    command->setEnabled(true);
}

void TfrmGenerator::FormActivate()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    if (!m_arguments.isEmpty())
        openProject(m_arguments.first());
}

void TfrmGenerator::mnuNowyClick(QObject *)
{
    if (!saveQuestion())
        return;
    QString fileName = Platform::Dialogs::instance().saveFile(this, MainWindowMessages::newProjectCaption(),
                                                              QString(), DesignerMessages::projectFilter());
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".KLV");
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        complain(this, DesignerMessages::cannotCreate(fileName));
        return;
    }
    file.close();
    openProject(fileName, false);
}

void TfrmGenerator::mnuOtworzClick(QObject *)
{
    if (!saveQuestion())
        return;
    const QString start = m_context.ProjectIni ? m_context.ProjectIni->fileName() : QString();
    const QString fileName = Platform::Dialogs::instance().openFile(this, MainWindowMessages::openProjectCaption(),
                                                                    start, MainWindowMessages::openFilter());
    if (!fileName.isEmpty())
        openProject(fileName);
}

void TfrmGenerator::mnuSzablonClick(QObject *)
{
    runTemplateChooser(this, templateChooserSetup());
}

TemplateChooserSetup TfrmGenerator::templateChooserSetup()
{
    TemplateChooserSetup setup;
    setup.userDir = m_context.DataDir;
    setup.programDir = m_context.GeneratorDir;
    setup.driveRoot = m_context.DriveRoot;
    setup.configured = {m_config.file(GeneratorFile::MpegDll), m_config.file(GeneratorFile::Menu),
                        m_config.file(GeneratorFile::Copier), m_config.file(GeneratorFile::Autostart)};
    setup.saveQuestion = [this] { return saveQuestion(); };
    // A project from a template goes on in the running undo history.
    setup.openProject = [this](const QString &fileName) { openProject(fileName, false); };
    setup.showHelp = [this] { mnuTematyClick(mnuTematy); };
    return setup;
}

void TfrmGenerator::MRUMRUItemClick(const QString &fileName)
{
    if (saveQuestion())
        openProject(fileName);
}

void TfrmGenerator::FileDrag1Drop(QObject *)
{
    if (FileDrag1->fileCount() == 0)
        return;
    const QString fileName = FileDrag1->nameWithPath().first();
    // Anything else would be read as a project and could be written over.
    if (!isProjectFileName(FileDrag1->extension().first())) {
        complain(this, MainWindowMessages::notAProject(fileName));
        return;
    }
    if (saveQuestion())
        openProject(fileName);
}

void TfrmGenerator::mnuZapiszClick(QObject *)
{
    if (needsProject())
        m_project.Zapisz();
}

void TfrmGenerator::mnuObiektyClick(QObject *)
{
    if (!needsProject()) {
        mnuObiekty->setChecked(false);
        return;
    }
    if (mnuObiekty->isChecked()) {
        m_context.inspector().showInspector();
        m_palette->show();
    } else {
        m_palette->hide();
    }
}

void TfrmGenerator::paletteClosed()
{
    mnuObiekty->setChecked(false);
}

void TfrmGenerator::mnuPasekClick(QObject *)
{
    pasekPodstawowy->setVisible(mnuPasek->isChecked());
    // A hidden window hears no visibility change of its toolbar.
    toolbarVisibilityChanged();
}

void TfrmGenerator::mnuZrodloClick(QObject *)
{
    if (!needsProject())
        return;
    const QString fileName = m_context.ProjectIni->fileName();
    // Always as text: the desktop would open a project in the designer.
    const Platform::LaunchResult result = Platform::Launcher::instance().openAsText(fileName);
    if (!result)
        complain(this, MainWindowMessages::cannotOpenSource(fileName, result.error));
}

void TfrmGenerator::mnuKonfiguracjaClick(QObject *)
{
    if (!showGeneratorConfigDialog(this, *m_cfg, m_config))
        return;
    // The new preferences and the frame's colours apply at once.
    readOptions();
    m_undo->setLimit(m_config.maxUndo);
}

void TfrmGenerator::mnuTematyClick(QObject *)
{
    const QString helpDir = Platform::resolveStoredPath(m_context.GeneratorDir, QStringLiteral("Pomoc"));
    const QString found = Platform::findEntryCaseInsensitive(helpDir, QStringLiteral("Duv2.hlp"));
    const QString helpFile = helpDir + u'/' + (found.isEmpty() ? QStringLiteral("Duv2.hlp") : found);
    const Platform::LaunchResult result = Platform::Launcher::instance().openDocument(helpFile);
    if (!result)
        complain(this, MainWindowMessages::noHelp(helpFile, result.error));
}

void TfrmGenerator::mnuPodpowiedziClick(QObject *)
{
    if (mnuPodpowiedzi->isChecked()) {
        if (!m_asystent) {
            m_asystent = new TfrmAsystent(*m_cfg, m_context.MainWindowHeight);
            m_asystent->OnClosed = [this] { asystentClosed(); };
        }
        m_asystent->show();
    } else if (m_asystent) {
        m_asystent->close();
    }
}

TfrmAsystent *TfrmGenerator::asystent() const
{
    return m_asystent;
}

void TfrmGenerator::asystentClosed()
{
    // The window deletes itself once closed.
    m_asystent = nullptr;
    mnuPodpowiedzi->setChecked(false);
}

void TfrmGenerator::mnuInformacjaClick(QObject *)
{
    runAboutBox(this);
}

void TfrmGenerator::speedUseKlamraClick(QObject *)
{
    m_context.ClickSelects = speedUseKlamra->down();
    if (!m_context.ClickSelects)
        m_selection->detachAll();
    else if (m_context.CurrentObject && m_context.Surface && m_context.CurrentObject != m_context.Surface)
        m_selection->attach(m_context.CurrentObject);
}

void TfrmGenerator::mnuHistoriaClick(QObject *)
{
    m_undoWindow->show();
    m_undoWindow->raise();
}

TfrmUndo *TfrmGenerator::undoWindow() const
{
    return m_undoWindow;
}

void TfrmGenerator::reloadFromDisk()
{
    // Unsaved changes are not thrown away unasked.
    if (!needsProject() || !saveQuestion())
        return;
    openProject(m_context.ProjectIni->fileName());
}

void TfrmGenerator::Asystuj(const QString &key, QObject *object)
{
    if (!m_asystent)
        return;
    QString hint = key;
    if (hint.isEmpty()) {
        if (auto *action = qobject_cast<QAction *>(object))
            hint = action->statusTip();
        else if (object && object->isWidgetType())
            hint = static_cast<QWidget *>(object)->toolTip();
    }
    m_asystent->showText(m_hintTexts.value(hint));
}

void TfrmGenerator::AsystaHintowa(const QString &hint)
{
    Asystuj(hint);
}
