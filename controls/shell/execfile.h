#pragma once

#include <launcher.h>

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

enum TPriorityClass { pcNormal, pcIdle, pcHigh, pcRealTime };
enum TWaitStyle { wRegular, wSuspend };
enum TWindowStyle { wsNorm, wsMinimize, wsMaximize, wsHide, wsMinNoActivate, wsShowNoActivate };

// Starts a program through the platform's launcher and optionally waits
// for its end. The wait runs a nested event loop, so the caller's windows
// keep painting; a quit request of the application ends the wait and the
// application then closes as it normally does.
class TExecFile : public QObject
{
public:
    using NotifyEvent = std::function<void(QObject *sender)>;

    explicit TExecFile(QObject *owner = nullptr);

    // On a failed start, hand CommandLine to the desktop as a document.
    bool associate() const { return m_associate; }
    void setAssociate(bool value) { m_associate = value; }
    // The program; its arguments are Parameters, each passed as it stands.
    QString commandLine() const { return m_commandLine; }
    void setCommandLine(const QString &value) { m_commandLine = value; }
    QStringList parameters() const { return m_parameters; }
    void setParameters(const QStringList &value) { m_parameters = value; }
    // Kept for forms that set it: programs start at the normal priority.
    TPriorityClass priority() const { return m_priority; }
    void setPriority(TPriorityClass value) { m_priority = value; }
    // Variables added to the environment of a program waited for.
    Platform::EnvironmentAdditions environment() const { return m_environment; }
    void setEnvironment(const Platform::EnvironmentAdditions &value) { m_environment = value; }
    bool wait() const { return m_wait; }
    void setWait(bool value) { m_wait = value; }
    // wSuspend waits without taking the user's input; windows still paint.
    TWaitStyle waitStyle() const { return m_waitStyle; }
    void setWaitStyle(TWaitStyle value) { m_waitStyle = value; }
    // Kept for forms that set it: the desktop places the program's windows.
    TWindowStyle windowStyle() const { return m_windowStyle; }
    void setWindowStyle(TWindowStyle value) { m_windowStyle = value; }

    NotifyEvent OnFail;

    // True when the program started (and, with Wait, ended or the wait was
    // ended by a quit request). A failed start fires OnFail.
    bool execute();

    // Why the last start failed.
    QString lastError() const { return m_lastError; }
    // The exit code of the program waited for; -1 when it crashed or the
    // wait did not see its end.
    int exitCode() const { return m_exitCode; }
    bool busy() const { return m_busy; }
    // The last wait was ended by the application quitting.
    bool quitDuringWait() const { return m_quitDuringWait; }

private:
    bool startAndWait();
    bool fail(const QString &error);

    bool m_associate = false;
    QString m_commandLine;
    QStringList m_parameters;
    Platform::EnvironmentAdditions m_environment;
    TPriorityClass m_priority = pcNormal;
    bool m_wait = false;
    TWaitStyle m_waitStyle = wRegular;
    TWindowStyle m_windowStyle = wsNorm;
    QString m_lastError;
    int m_exitCode = -1;
    bool m_busy = false;
    bool m_quitDuringWait = false;
};
