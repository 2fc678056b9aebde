#include "testdoubles.h"

namespace TestSupport {

RecordingDialogs::RecordingDialogs()
{
    Platform::Dialogs::setInstance(this);
}

RecordingDialogs::~RecordingDialogs()
{
    Platform::Dialogs::setInstance(nullptr);
}

Platform::MessageAnswer RecordingDialogs::message(QWidget *, const QString &text, const QString &caption,
                                                  Platform::MessageButtons buttons, Platform::MessageIcon icon)
{
    messages.append({text, caption, buttons, icon});
    if (buttons == Platform::MessageButtons::Ok)
        return Platform::MessageAnswer::Ok;
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == Platform::MessageButtons::OkCancel ? Platform::MessageAnswer::Ok : Platform::MessageAnswer::No;
}

bool RecordingDialogs::chooseFont(QWidget *, QFont &font, QColor &color)
{
    ++fontDialogs;
    if (!fontAnswer)
        return false;
    font = *fontAnswer;
    if (colorAnswer.isValid())
        color = colorAnswer;
    return true;
}

void RecordingDialogs::about(QWidget *, const QString &programName, const QString &text)
{
    abouts.append(programName + u'\n' + text);
}

RecordingLauncher::RecordingLauncher()
{
    Platform::Launcher::setInstance(this);
}

RecordingLauncher::~RecordingLauncher()
{
    Platform::Launcher::setInstance(nullptr);
}

Platform::LaunchResult RecordingLauncher::openDocument(const QString &path, const QString &)
{
    opened.append(path);
    return {!fail, fail ? QStringLiteral("failed") : QString()};
}

Platform::LaunchResult RecordingLauncher::openFolder(const QString &path)
{
    return openDocument(path, {});
}

Platform::LaunchResult RecordingLauncher::startProgram(const QString &program, const QStringList &arguments,
                                                       const QString &)
{
    started.append((QStringList{program} + arguments).join(u' '));
    return {!fail, {}};
}

int RecordingLauncher::startAndWait(const QString &program, const QStringList &arguments, const QString &workingDir)
{
    return startProgram(program, arguments, workingDir) ? 0 : -1;
}

} // namespace TestSupport
