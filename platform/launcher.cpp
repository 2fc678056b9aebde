#include "launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace Platform {
namespace {

Launcher *g_override = nullptr;

// How long the desktop's opener may take to report success or failure.
// Without a desktop environment xdg-open tries one browser after another
// before it gives up, which takes seconds on a busy machine.
constexpr int kHandOverMs = 10000;

LaunchResult failure(const QString &error)
{
    return {false, error};
}

// A native program file, as opposed to a document to hand to the desktop.
// On a CD without Rock Ridge or a FAT stick every file carries the execute
// bit, so the bit alone does not make a program: the file must also start
// as an ELF program or a script does.
bool isProgramFile(const QFileInfo &info)
{
#ifdef Q_OS_WIN
    const QString suffix = info.suffix().toLower();
    return suffix == u"exe" || suffix == u"com" || suffix == u"bat";
#else
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(4);
    return start == "\x7f" "ELF" || start.startsWith("#!");
#endif
}

// Waits for the process to end while the windows keep painting; the user's
// input waits, so a second click cannot start another opener meanwhile.
bool waitUntilFinished(QProcess &process, int milliseconds)
{
    if (!QCoreApplication::instance())
        return process.waitForFinished(milliseconds);
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return process.state() == QProcess::NotRunning;
}

LaunchResult openWithDesktop(const QString &path)
{
#ifdef Q_OS_WIN
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return {true, {}};
    return failure(QStringLiteral("no application opens %1").arg(path));
#else
    // xdg-open ends with a non-zero status when there is no handler or the
    // file cannot be opened. Some handlers keep it running while they are
    // open: after a while it counts as started and is left to run on.
    auto *opener = new QProcess;
    opener->start(QStringLiteral("xdg-open"), {path});
    if (!opener->waitForStarted()) {
        delete opener;
        return failure(QStringLiteral("xdg-open could not be started"));
    }
    if (!waitUntilFinished(*opener, kHandOverMs)) {
        QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
        return {true, {}};
    }
    const bool opened = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    const int status = opener->exitCode();
    delete opener;
    if (!opened)
        return failure(QStringLiteral("xdg-open failed with status %1").arg(status));
    return {true, {}};
#endif
}

} // namespace

Launcher &Launcher::instance()
{
    static DesktopLauncher desktop;
    return g_override ? *g_override : desktop;
}

void Launcher::setInstance(Launcher *launcher)
{
    g_override = launcher;
}

LaunchResult DesktopLauncher::openDocument(const QString &path, const QString &workingDir)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failure(QStringLiteral("%1 does not exist").arg(path));
    if (isProgramFile(info))
        return startProgram(path, {}, workingDir.isEmpty() ? info.absolutePath() : workingDir);
    return openWithDesktop(path);
}

LaunchResult DesktopLauncher::openFolder(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return failure(QStringLiteral("%1 is no folder").arg(path));
    return openWithDesktop(path);
}

LaunchResult DesktopLauncher::startProgram(const QString &program, const QStringList &arguments,
                                           const QString &workingDir)
{
    if (QProcess::startDetached(program, arguments, workingDir))
        return {true, {}};
    return failure(QStringLiteral("%1 could not be started").arg(program));
}

int DesktopLauncher::startAndWait(const QString &program, const QStringList &arguments,
                                  const QString &workingDir)
{
    QProcess process;
    process.setWorkingDirectory(workingDir);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace Platform
