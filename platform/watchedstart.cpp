#include "launcher.h"

#include <QProcess>

namespace Platform {

LaunchResult DesktopLauncher::startWatched(const QString &program, const QStringList &arguments,
                                           const QString &workingDir, const EnvironmentAdditions &environment,
                                           std::function<void(int exitCode)> finished)
{
    // The process lives on its own until it ends; it is not parented, so a
    // window closing meanwhile does not kill the program it started.
    auto *process = new QProcess;
    process->setWorkingDirectory(workingDir);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    if (!environment.isEmpty()) {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        for (const auto &[name, value] : environment)
            variables.insert(name, value);
        process->setProcessEnvironment(variables);
    }
    process->start(program, arguments);
    if (!process->waitForStarted()) {
        const QString error = process->errorString();
        delete process;
        return {false, QStringLiteral("%1 could not be started: %2").arg(program, error)};
    }
    QObject::connect(process, &QProcess::finished, process,
                     [process, finished = std::move(finished)](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (finished)
                             finished(status == QProcess::NormalExit ? exitCode : -1);
                     });
    return {true, {}};
}

} // namespace Platform
