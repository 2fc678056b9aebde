#pragma once

#include <QString>
#include <QStringList>

#include <QList>

#include <functional>
#include <utility>

namespace Platform {

// Variables a started program gets on top of the launcher's own
// environment: name, value.
using EnvironmentAdditions = QList<std::pair<QString, QString>>;

// What a start request came to: ok, or the reason it failed.
struct LaunchResult {
    bool ok = false;
    QString error;
    explicit operator bool() const { return ok; }
};

// Every program start and every document opened by the desktop goes through
// one launcher. It takes argument lists, never a joined command line, and a
// failure is reported as such, so callers can fall back.
class Launcher
{
public:
    virtual ~Launcher() = default;

    // The desktop's default action on a file: run it when it is a program,
    // else open it with the application the desktop associates with it.
    virtual LaunchResult openDocument(const QString &path, const QString &workingDir = {}) = 0;

    // Shows a folder in the desktop's file manager.
    virtual LaunchResult openFolder(const QString &path) = 0;

    // Starts a program without waiting for it.
    virtual LaunchResult startProgram(const QString &program, const QStringList &arguments,
                                      const QString &workingDir = {}) = 0;

    // Starts a program and waits for it to end; its exit code, or -1 when
    // it could not be started.
    virtual int startAndWait(const QString &program, const QStringList &arguments,
                             const QString &workingDir = {}) = 0;

    // Starts a program without blocking and reports its end through
    // finished, called from the event loop with the exit code (-1 when the
    // program crashed). A program that could not be started is reported by
    // the result alone; finished is then never called. environment is
    // added to what the program inherits.
    virtual LaunchResult startWatched(const QString &program, const QStringList &arguments,
                                      const QString &workingDir, const EnvironmentAdditions &environment,
                                      std::function<void(int exitCode)> finished) = 0;
    LaunchResult startWatched(const QString &program, const QStringList &arguments, const QString &workingDir,
                              std::function<void(int exitCode)> finished)
    {
        return startWatched(program, arguments, workingDir, {}, std::move(finished));
    }

    // Opens a file in the desktop's plain-text editor, whatever application
    // the desktop associates with the file's own type.
    virtual LaunchResult openAsText(const QString &path) = 0;

    static Launcher &instance();
    // Installs another instance (not owned); nullptr restores the default.
    static void setInstance(Launcher *launcher);
};

// The launcher of the real desktop.
class DesktopLauncher final : public Launcher
{
public:
    LaunchResult openDocument(const QString &path, const QString &workingDir) override;
    LaunchResult openFolder(const QString &path) override;
    LaunchResult startProgram(const QString &program, const QStringList &arguments,
                              const QString &workingDir) override;
    int startAndWait(const QString &program, const QStringList &arguments,
                     const QString &workingDir) override;
    using Launcher::startWatched;
    LaunchResult startWatched(const QString &program, const QStringList &arguments, const QString &workingDir,
                              const EnvironmentAdditions &environment,
                              std::function<void(int exitCode)> finished) override;
    LaunchResult openAsText(const QString &path) override;
};

} // namespace Platform
