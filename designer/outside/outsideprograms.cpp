#include "outside/outsideprograms.h"

#include "outside/outsidemessages.h"
#include "project/designercontext.h"
#include "document/designerproject.h"
#include "surface/menusurface.h"

#include <dialogs.h>
#include <fileidentity.h>
#include <launcher.h>
#include <paths.h>
#include <profilefile.h>
#include <shell/execfile.h>
#include <shell/fileoperation.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>


namespace {

const QString MenuFileName = QStringLiteral("ORVANTA.INI");

using Platform::sameFile;

// Whether a new file can be made in folder: permissions alone do not tell
// (read-only mounts, access lists), so a file is made and dropped.
bool folderTakesFiles(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".kalvora-XXXXXX")));
    return probe.open();
}

// The windows a test run disables, so a second test cannot overwrite the
// project under the running menu; they keep painting.
QList<QPointer<QWidget>> disableDesignerWindows()
{
    QList<QPointer<QWidget>> disabled;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isEnabled()) {
            window->setEnabled(false);
            disabled.append(window);
        }
    }
    return disabled;
}

void enableWindows(const QList<QPointer<QWidget>> &windows)
{
    for (const QPointer<QWidget> &window : windows) {
        if (window)
            window->setEnabled(true);
    }
}

void restoreWindow(QWidget *window, Qt::WindowStates before)
{
    if (!window)
        return;
    window->setWindowState(before & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

OutsidePrograms::OutsidePrograms(DesignerContext &context, DesignerProject &project)
    : m_context(context)
    , m_project(project)
{
}

GeneratorConfig OutsidePrograms::defaults() const
{
    if (m_context.GeneratorDir.isEmpty())
        return defaultGeneratorConfig();
    return defaultGeneratorConfig(m_context.GeneratorDir);
}

GeneratorConfig OutsidePrograms::config() const
{
    const Platform::ProfileFile cfg(m_configPath.isEmpty() ? generatorConfigPath() : m_configPath);
    return readGeneratorConfig(cfg, defaults());
}

QString OutsidePrograms::locateProgram(GeneratorFile file) const
{
    const QString configured = config().file(file);
    if (configured.isEmpty())
        return {};
    if (!configured.contains(u'/'))
        return QStandardPaths::findExecutable(configured);
    const QFileInfo info(configured);
    if (info.isFile())
        return info.absoluteFilePath();
    // The default beside the designer may as well be installed on PATH.
    if (configured == defaults().file(file))
        return QStandardPaths::findExecutable(info.fileName());
    return {};
}

bool OutsidePrograms::testRun(TestProgram which)
{
    if (m_testRunning || !m_context.ProjectIni)
        return false;
    if (!projectSavedForTest())
        return false;
    const QString program =
        locateProgram(which == TestProgram::Runtime ? GeneratorFile::Menu : GeneratorFile::Autostart);
    const QString runtimeDir = runtimeFolder();
    if (program.isEmpty() || runtimeDir.isEmpty()) {
        warn(OutsideMessages::missingTestProgram());
        return false;
    }
    if (!copyProjectBeside(runtimeDir))
        return false;

    QPointer<QWidget> mainWindow = m_mainWindow;
    const Qt::WindowStates before = mainWindow ? mainWindow->windowState() : Qt::WindowNoState;
    if (mainWindow && config().minimizeOnTest)
        mainWindow->setWindowState(before | Qt::WindowMinimized);
    const bool ran = runAndWait(program);
    // After the autostart program the menu it showed is the user's; the
    // designer stays where it was put.
    if (!ran || which == TestProgram::Runtime)
        restoreWindow(mainWindow, before);
    if (!ran)
        warn(OutsideMessages::missingTestProgram());
    return ran;
}

bool OutsidePrograms::projectSavedForTest()
{
    if (QFileInfo::exists(m_context.ProjectIni->fileName()))
        return true;
    const Platform::MessageAnswer answer =
        Platform::showMessage(messageParent(), OutsideMessages::saveBeforeTest(), DesignerCaption,
                              Platform::MessageButtons::YesNoCancel, Platform::MessageIcon::Warning);
    if (answer != Platform::MessageAnswer::Yes)
        return false;
    return m_project.Zapisz() && m_context.ProjectIni && QFileInfo::exists(m_context.ProjectIni->fileName());
}

QString OutsidePrograms::runtimeFolder() const
{
    const QString runtime = locateProgram(GeneratorFile::Menu);
    const QFileInfo folder(runtime.isEmpty() ? QFileInfo(config().file(GeneratorFile::Menu)).absolutePath()
                                             : QFileInfo(runtime).absolutePath());
    return folder.isDir() ? folder.absoluteFilePath() : QString();
}

bool OutsidePrograms::copyProjectBeside(const QString &runtimeDir)
{
    const QString project = QFileInfo(m_context.ProjectIni->fileName()).absoluteFilePath();
    // The runtime finds its file without regard to case: an existing copy
    // is replaced under its own name rather than joined by a second one.
    const QString existing = Platform::findEntryCaseInsensitive(runtimeDir, MenuFileName);
    const QString target = QDir(runtimeDir).filePath(existing.isEmpty() ? MenuFileName : existing);
    // The project may be that very file: it is then already in place.
    if (sameFile(project, target))
        return true;
    if (!folderTakesFiles(runtimeDir)) {
        warn(OutsideMessages::runtimeFolderNotWritable(QDir::toNativeSeparators(runtimeDir)));
        return false;
    }
    TFileOperation files(messageParent());
    files.setOperation(foCopy);
    files.setFlags(fofNoConfirmation | fofSilent | fofMultiDestFiles);
    files.setFilesFrom({project});
    files.setFilesTo({target});
    // A failure is shown by the operation itself; the runtime must not
    // then show a stale copy as if it were the project.
    return files.execute();
}

bool OutsidePrograms::runAndWait(const QString &program)
{
    TExecFile exec;
    exec.setCommandLine(program);
    exec.setWait(true);
    if (!m_context.DriveRoot.isEmpty())
        exec.setEnvironment({{QString::fromLatin1(Platform::DriveRootVariable), m_context.DriveRoot}});
    const QList<QPointer<QWidget>> disabled = disableDesignerWindows();
    m_testRunning = true;
    const bool ran = exec.execute();
    m_testRunning = false;
    enableWindows(disabled);
    return ran;
}

bool OutsidePrograms::startDataEditor()
{
    return startEditor(GeneratorFile::ZazavaRv3, OutsideMessages::missingDataEditor());
}

bool OutsidePrograms::startBitmapEditor()
{
    return startEditor(GeneratorFile::BitmapEditor, OutsideMessages::missingBitmapEditor());
}

bool OutsidePrograms::startEditor(GeneratorFile file, const QString &missingMessage)
{
    const QString program = locateProgram(file);
    if (!program.isEmpty()
        && Platform::Launcher::instance().startProgram(program, {}, QFileInfo(program).absolutePath()))
        return true;
    warn(missingMessage);
    return false;
}

bool OutsidePrograms::editBitmap(const QString &storedPath)
{
    return editFile(GeneratorFile::BitmapEditor, storedPath, OutsideMessages::bitmapEditorFailed());
}

bool OutsidePrograms::bitmapEditorFound()
{
    if (!locateProgram(GeneratorFile::BitmapEditor).isEmpty())
        return true;
    warn(OutsideMessages::missingBitmapEditor());
    return false;
}

bool OutsidePrograms::editDataFile(const QString &storedPath)
{
    return editFile(GeneratorFile::ZazavaRv3, storedPath, OutsideMessages::dataEditorFailed());
}

bool OutsidePrograms::editFile(GeneratorFile editor, const QString &storedPath, const QString &failedMessage)
{
    const QString program = locateProgram(editor);
    const QString file = Platform::resolveDocumentPath(m_context.DriveRoot, storedPath);
    // The full path is one argument, so no name is ever read as an option.
    if (!program.isEmpty() && !file.isEmpty()
        && Platform::Launcher::instance().startProgram(program, {file}, QFileInfo(program).absolutePath()))
        return true;
    warn(failedMessage);
    return false;
}

bool OutsidePrograms::editProjectSource()
{
    if (!m_context.ProjectIni)
        return false;
    return bool(Platform::Launcher::instance().openAsText(m_context.ProjectIni->fileName()));
}

QWidget *OutsidePrograms::messageParent() const
{
    if (m_mainWindow)
        return m_mainWindow;
    return m_context.Surface;
}

void OutsidePrograms::warn(const QString &text) const
{
    Platform::showMessage(messageParent(), text, DesignerCaption, Platform::MessageButtons::Ok,
                          Platform::MessageIcon::Warning);
}
