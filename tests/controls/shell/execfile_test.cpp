#include <shell/execfile.h>
#include <testdoubles.h>
#include <testsupport.h>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QString kShell = QStringLiteral("/bin/sh");

} // namespace

TEST(ExecFile, WaitKeepsTheEventLoopRunningAndGivesTheExitCode)
{
    const struct {
        const char *script;
        int exitCode;
    } cases[] = {
        {"sleep 0.3; exit 3", 3},
        {"sleep 0.3; kill -9 $$", -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        TExecFile exec;
        exec.setCommandLine(kShell);
        exec.setParameters({QStringLiteral("-c"), QString::fromUtf8(c.script)});
        exec.setWait(true);
        int ticks = 0;
        bool busyWhileWaiting = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            ++ticks;
            busyWhileWaiting = exec.busy();
        });
        timer.start(20);
        QElapsedTimer clock;
        clock.start();
        EXPECT_TRUE(exec.execute());
        EXPECT_GE(clock.elapsed(), 250);
        EXPECT_GE(ticks, 5);
        EXPECT_TRUE(busyWhileWaiting);
        EXPECT_FALSE(exec.busy());
        EXPECT_EQ(exec.exitCode(), c.exitCode);
        EXPECT_FALSE(exec.quitDuringWait());
    }
}

TEST(ExecFile, ALongArgumentArrivesIntact)
{
    QTemporaryDir dir;
    QString argument;
    while (argument.size() < 300)
        argument += QStringLiteral("a b \"c\" ; $HOME 'd' \\ ");
    argument.truncate(300);
    TExecFile exec;
    exec.setCommandLine(kShell);
    exec.setParameters({QStringLiteral("-c"), QStringLiteral("printf %s \"$1\" > \"$2\""), QStringLiteral("sh"), argument,
                        dir.filePath(QStringLiteral("out"))});
    exec.setWait(true);
    ASSERT_TRUE(exec.execute());
    EXPECT_EQ(exec.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(TestSupport::readFile(dir.filePath(QStringLiteral("out")))), argument);
}

TEST(ExecFile, AFailedStartFiresOnFail)
{
    for (const bool wait : {false, true}) {
        SCOPED_TRACE(wait);
        TExecFile exec;
        exec.setCommandLine(QStringLiteral("/no/such/program"));
        exec.setWait(wait);
        QObject *failedSender = nullptr;
        exec.OnFail = [&](QObject *sender) { failedSender = sender; };
        EXPECT_FALSE(exec.execute());
        EXPECT_EQ(failedSender, &exec);
        EXPECT_FALSE(exec.lastError().isEmpty());
    }
}

TEST(ExecFile, AssociateHandsADocumentToTheDesktop)
{
    QTemporaryDir dir;
    const QByteArray oldPath = qgetenv("PATH");
    const QString opener = TestSupport::writeFile(dir.filePath(QStringLiteral("bin/xdg-open")),
                                                  "#!/bin/sh\necho \"$1\" > \"" + dir.filePath(QStringLiteral("asked")).toUtf8()
                                                      + "\"\n");
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ':' + oldPath);
    const QString document = TestSupport::writeFile(dir.filePath(QStringLiteral("notes.txt")), "text");

    TExecFile exec;
    exec.setCommandLine(document);
    bool failed = false;
    exec.OnFail = [&](QObject *) { failed = true; };
    const bool withoutAssociate = exec.execute();
    exec.setAssociate(true);
    const bool withAssociate = exec.execute();
    qputenv("PATH", oldPath);

    EXPECT_FALSE(withoutAssociate);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(withAssociate);
    EXPECT_EQ(TestSupport::readFile(dir.filePath(QStringLiteral("asked"))), document.toUtf8() + '\n');
}

TEST(ExecFile, TheLauncherDecidesWhatStarts)
{
    TestSupport::RecordingLauncher launcher;
    launcher.exitCode = 7;
    TExecFile exec;
    exec.setCommandLine(QStringLiteral("/opt/peldix"));
    exec.setParameters({QStringLiteral("a b"), QStringLiteral("c;d")});
    exec.setWait(true);
    EXPECT_TRUE(exec.execute());
    EXPECT_EQ(exec.exitCode(), 7);
    ASSERT_EQ(launcher.startedArguments.size(), 1);
    EXPECT_EQ(launcher.startedArguments[0], (QStringList{QStringLiteral("a b"), QStringLiteral("c;d")}));

    exec.setWait(false);
    EXPECT_TRUE(exec.execute());
    EXPECT_EQ(launcher.started.size(), 2);
}

namespace {

class ClosingWindow : public QWidget
{
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        ++closes;
        event->accept();
    }
};

} // namespace

// A quit request while waiting ends the wait, and the application closes
// its windows as on any quit, so they can save their settings.
TEST(ExecFile, AQuitDuringTheWaitClosesTheWindowsNormally)
{
    ClosingWindow window;
    window.show();
    TExecFile exec;
    exec.setCommandLine(kShell);
    exec.setParameters({QStringLiteral("-c"), QStringLiteral("sleep 3")});
    exec.setWait(true);
    bool returned = false;
    qint64 waited = 0;
    QTimer::singleShot(0, [&] {
        QElapsedTimer clock;
        clock.start();
        returned = exec.execute();
        waited = clock.elapsed();
    });
    QTimer::singleShot(300, [] { QCoreApplication::quit(); });
    QApplication::exec();

    EXPECT_TRUE(returned);
    EXPECT_LT(waited, 2500);
    EXPECT_TRUE(exec.quitDuringWait());
    EXPECT_EQ(window.closes, 1);
}
