#pragma once

#include <dialogs.h>
#include <launcher.h>
#include <volumes.h>

#include <QColor>
#include <QFont>
#include <optional>
#include <QList>
#include <QString>
#include <QStringList>

namespace TestSupport {

// Remembers every message box shown and answers it: a box with only an OK
// button with Ok, the others from a queue of answers (Ok or No when it runs
// dry). Installs itself while it lives.
class RecordingDialogs : public Platform::Dialogs
{
public:
    struct Message {
        QString text;
        QString caption;
        Platform::MessageButtons buttons;
        Platform::MessageIcon icon;
    };

    RecordingDialogs();
    ~RecordingDialogs() override;

    Platform::MessageAnswer message(QWidget *parent, const QString &text, const QString &caption,
                                    Platform::MessageButtons buttons, Platform::MessageIcon icon) override;
    bool chooseFont(QWidget *parent, QFont &font, QColor &color) override;
    void about(QWidget *parent, const QString &programName, const QString &text) override;
    QString openFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &start, const QString &filter) override;
    QString chooseFolder(QWidget *parent, const QString &caption, const QString &start) override;
    bool chooseColor(QWidget *parent, QColor &color) override;
    bool inputText(QWidget *parent, const QString &caption, const QString &prompt, QString &value) override;

    QList<Platform::MessageAnswer> answers;
    QList<Message> messages;
    // What the font dialog answers; no font: cancelled.
    std::optional<QFont> fontAnswer;
    QColor colorAnswer;
    int fontDialogs = 0;
    QStringList abouts;

    // Answers of the file, folder and text dialogs, taken in order; an
    // empty queue (or an empty path) cancels.
    QStringList pathAnswers;
    QList<std::optional<QString>> textAnswers;
    // What the colour dialog answers; invalid: cancelled.
    QColor colorChoice;
    // Every file, folder, colour and text dialog shown: "kind: caption".
    QStringList dialogs;
};

// Records every start and answers with ok, unless told to fail. Installs
// itself while it lives.
class RecordingLauncher : public Platform::Launcher
{
public:
    RecordingLauncher();
    ~RecordingLauncher() override;

    Platform::LaunchResult openDocument(const QString &path, const QString &workingDir) override;
    Platform::LaunchResult openFolder(const QString &path) override;
    Platform::LaunchResult startProgram(const QString &program, const QStringList &arguments,
                                        const QString &workingDir) override;
    int startAndWait(const QString &program, const QStringList &arguments, const QString &workingDir) override;
    // Records the start like startProgram (and its environment) and reports
    // the end with exitCode from the event loop, as the real launcher does.
    using Platform::Launcher::startWatched;
    Platform::LaunchResult startWatched(const QString &program, const QStringList &arguments,
                                        const QString &workingDir, const Platform::EnvironmentAdditions &environment,
                                        std::function<void(int exitCode)> finished) override;
    Platform::LaunchResult openAsText(const QString &path) override;

    bool fail = false;
    int exitCode = 0;
    QStringList opened; // documents and folders, in order
    QStringList openedAsText;
    QStringList started;
    // Each start's arguments, one list per start, as passed.
    QList<QStringList> startedArguments;
    // The environment added to each watched start, in order.
    QList<Platform::EnvironmentAdditions> watchedEnvironments;
};

// Volumes made up by a test (folders of a temporary folder, say).
// setVolumes stores them and reports the change. Installs itself while it
// lives.
class FakeVolumeSource : public Platform::VolumeSource
{
public:
    FakeVolumeSource();
    ~FakeVolumeSource() override;

    QList<Platform::Volume> volumes() override { return list; }
    void setVolumes(const QList<Platform::Volume> &volumes);

    QList<Platform::Volume> list;
};

} // namespace TestSupport
