#include "testdoubles.h"

#include <QTimer>

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

QString RecordingDialogs::openFile(QWidget *, const QString &caption, const QString &, const QString &)
{
    dialogs.append(QStringLiteral("open: ") + caption);
    return pathAnswers.isEmpty() ? QString() : pathAnswers.takeFirst();
}

QString RecordingDialogs::saveFile(QWidget *, const QString &caption, const QString &, const QString &)
{
    dialogs.append(QStringLiteral("save: ") + caption);
    return pathAnswers.isEmpty() ? QString() : pathAnswers.takeFirst();
}

QString RecordingDialogs::chooseFolder(QWidget *, const QString &caption, const QString &)
{
    dialogs.append(QStringLiteral("folder: ") + caption);
    return pathAnswers.isEmpty() ? QString() : pathAnswers.takeFirst();
}

bool RecordingDialogs::chooseColor(QWidget *, QColor &color)
{
    dialogs.append(QStringLiteral("colour"));
    if (!colorChoice.isValid())
        return false;
    color = colorChoice;
    return true;
}

bool RecordingDialogs::inputText(QWidget *, const QString &caption, const QString &, QString &value)
{
    dialogs.append(QStringLiteral("text: ") + caption);
    if (textAnswers.isEmpty())
        return false;
    const std::optional<QString> answer = textAnswers.takeFirst();
    if (!answer)
        return false;
    value = *answer;
    return true;
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
    startedArguments.append(arguments);
    return {!fail, {}};
}

int RecordingLauncher::startAndWait(const QString &program, const QStringList &arguments, const QString &workingDir)
{
    return startProgram(program, arguments, workingDir) ? 0 : -1;
}

Platform::LaunchResult RecordingLauncher::startWatched(const QString &program, const QStringList &arguments,
                                                       const QString &workingDir,
                                                       const Platform::EnvironmentAdditions &environment,
                                                       std::function<void(int exitCode)> finished)
{
    watchedEnvironments.append(environment);
    const Platform::LaunchResult result = startProgram(program, arguments, workingDir);
    if (result && finished)
        QTimer::singleShot(0, [finished = std::move(finished), code = exitCode] { finished(code); });
    return result;
}

Platform::LaunchResult RecordingLauncher::openAsText(const QString &path)
{
    openedAsText.append(path);
    return {!fail, fail ? QStringLiteral("failed") : QString()};
}

FakeVolumeSource::FakeVolumeSource()
{
    Platform::VolumeSource::setInstance(this);
}

FakeVolumeSource::~FakeVolumeSource()
{
    Platform::VolumeSource::setInstance(nullptr);
}

void FakeVolumeSource::setVolumes(const QList<Platform::Volume> &volumes)
{
    list = volumes;
    emit changed();
}

} // namespace TestSupport
