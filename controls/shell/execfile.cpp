#include "shell/execfile.h"

#include <launcher.h>

#include <QEventLoop>
#include <QPointer>

#include <memory>

namespace {

// What the launcher reports back about the program waited for; shared, so
// an end reported after the wait was given up touches nothing gone.
struct WaitState {
    bool ended = false;
    int exitCode = -1;
    QPointer<QEventLoop> loop;
};

} // namespace

TExecFile::TExecFile(QObject *owner)
    : QObject(owner)
{
}

bool TExecFile::execute()
{
    m_lastError.clear();
    m_exitCode = -1;
    m_quitDuringWait = false;
    if (m_commandLine.isEmpty())
        return fail(QStringLiteral("no program named"));
    if (m_wait)
        return startAndWait();
    const Platform::LaunchResult started =
        Platform::Launcher::instance().startProgram(m_commandLine, m_parameters, {});
    if (started)
        return true;
    if (m_associate && Platform::Launcher::instance().openDocument(m_commandLine, {}))
        return true;
    return fail(started.error);
}

bool TExecFile::startAndWait()
{
    auto state = std::make_shared<WaitState>();
    const Platform::LaunchResult started = Platform::Launcher::instance().startWatched(
        m_commandLine, m_parameters, {}, m_environment, [state](int exitCode) {
            state->ended = true;
            state->exitCode = exitCode;
            if (state->loop)
                state->loop->quit();
        });
    if (!started) {
        // The desktop's opener gives no end to wait for.
        if (m_associate && Platform::Launcher::instance().openDocument(m_commandLine, {}))
            return true;
        return fail(started.error);
    }
    m_busy = true;
    QEventLoop loop;
    state->loop = &loop;
    // The loop also ends when the application quits: the wait is given up
    // then, so the quit goes on and windows close normally.
    if (!state->ended)
        loop.exec(m_waitStyle == wSuspend ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
    m_busy = false;
    m_quitDuringWait = !state->ended;
    m_exitCode = state->exitCode;
    return true;
}

bool TExecFile::fail(const QString &error)
{
    m_lastError = error;
    if (OnFail)
        OnFail(this);
    return false;
}
