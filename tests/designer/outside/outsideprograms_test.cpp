#include "outsidefixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

namespace {

const QString kProject = QStringLiteral(
    "[ZELTRIN]\nCDROM_ID=PRÓBA\n[CDROM]\nCD_TITLE=Próba zażółć\n[NAMES]\n1001=Gry\n");

} // namespace

class TestRun : public OutsideFixture
{
protected:
    void SetUp() override
    {
        OutsideFixture::SetUp();
        ASSERT_TRUE(elsewhere.isValid());
        runtimeDir = elsewhere.path() + QStringLiteral("/KALVOR");
        runtime = standIn(runtimeDir + QStringLiteral("/orvanta"), runtimeDir + QStringLiteral("/ORVANTA.INI"));
        autostart = standIn(elsewhere.path() + QStringLiteral("/AUTO/peldix"),
                            runtimeDir + QStringLiteral("/ORVANTA.INI"));
        writeText(QStringLiteral("MENU/PROJEKT.KLV"), kProject);
        load(QStringLiteral("MENU/PROJEKT.KLV"));
        useRuntime(runtime);
    }

    void useRuntime(const QString &menu, const QString &options = QStringLiteral("MINONTEST=1"))
    {
        configure(QStringLiteral("[PLIKI]\nMENU=%1\nAUTOSTART=%2\n[OPCJE]\n%3\n").arg(menu, autostart, options));
    }

    QString copyPath() const { return runtimeDir + QStringLiteral("/ORVANTA.INI"); }

    // The project (elsewhere) is not where the runtime finds its root.
    QTemporaryDir elsewhere;
    QString runtimeDir;
    QString runtime;
    QString autostart;
};

// What the designer looked like while its program ran.
struct DuringTheRun {
    bool seen = false;
    bool minimised = false;
    bool enabled = true;
    bool secondTestStarted = false;
};

TEST_F(TestRun, CopiesTheProjectBesideTheRuntimeAndWaitsForTheProgram)
{
    const struct {
        TestProgram program;
        bool minimiseOnTest;
        bool minimisedAfter;
    } cases[] = {
        {TestProgram::Runtime, true, false},
        {TestProgram::Runtime, false, false},
        // After the autostart program the menu is the user's; the designer
        // stays out of the way.
        {TestProgram::Autostart, true, true},
        {TestProgram::Autostart, false, false},
    };
    // The stand-ins run on until the probe below has looked at the designer,
    // however fast the machine is.
    const QByteArray untilProbed =
        "i=0; while [ ! -e \"$here/probed\" ] && [ $i -lt 200 ]; do sleep 0.02; i=$((i+1)); done\n";
    standIn(runtime, copyPath(), untilProbed);
    standIn(autostart, copyPath(), untilProbed);
    for (const auto &c : cases) {
        SCOPED_TRACE(QStringLiteral("autostart %1, MINONTEST %2")
                         .arg(c.program == TestProgram::Autostart)
                         .arg(c.minimiseOnTest)
                         .toStdString());
        window.setWindowState(Qt::WindowNoState);
        QFile::remove(copyPath());
        const QString program = c.program == TestProgram::Runtime ? runtime : autostart;
        QFile::remove(QFileInfo(program).absolutePath() + QStringLiteral("/log"));
        QFile::remove(QFileInfo(program).absolutePath() + QStringLiteral("/probed"));
        useRuntime(runtime, QStringLiteral("MINONTEST=%1").arg(int(c.minimiseOnTest)));

        DuringTheRun during;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (!programs.testRunning() || during.seen)
                return;
            during.seen = true;
            during.minimised = window.isMinimized();
            during.enabled = window.isEnabled();
            // A second F9 must not overwrite the file under the running menu.
            during.secondTestStarted = programs.testRun(TestProgram::Runtime);
            TestSupport::writeFile(QFileInfo(program).absolutePath() + QStringLiteral("/probed"), {});
        });
        probe.start(20);

        EXPECT_TRUE(programs.testRun(c.program));
        EXPECT_TRUE(during.seen);
        EXPECT_EQ(during.minimised, c.minimiseOnTest);
        EXPECT_FALSE(during.enabled);
        EXPECT_FALSE(during.secondTestStarted);
        EXPECT_TRUE(window.isEnabled());
        EXPECT_EQ(window.isMinimized(), c.minimisedAfter);

        const QString root = QDir(drivePath()).absolutePath() + u'/';
        EXPECT_EQ(logBeside(program),
                  QStringLiteral("args=0\npwd=%1\nroot=%2\n").arg(QDir::currentPath(), root));
        const QByteArray project = readBytes(QStringLiteral("MENU/PROJEKT.KLV"));
        EXPECT_EQ(TestSupport::readFile(QFileInfo(program).absolutePath() + QStringLiteral("/seen")), project);
        EXPECT_EQ(TestSupport::readFile(copyPath()), project);
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(TestRun, ReplacesAnOlderCopyUnderTheNameTheRuntimeFinds)
{
    TestSupport::writeFile(runtimeDir + QStringLiteral("/orvanta.ini"), "[OLD]\r\n");
    ASSERT_TRUE(programs.testRun(TestProgram::Runtime));
    EXPECT_EQ(TestSupport::readFile(runtimeDir + QStringLiteral("/orvanta.ini")),
              readBytes(QStringLiteral("MENU/PROJEKT.KLV")));
    EXPECT_EQ(QDir(runtimeDir).entryList({QStringLiteral("*.ini"), QStringLiteral("*.INI")}, QDir::Files),
              QStringList{QStringLiteral("orvanta.ini")});
}

TEST_F(TestRun, AProjectThatIsTheRuntimesOwnCopyKeepsItsBytes)
{
    // The project opened from the runtime's folder, and the same file under
    // another name (a hard link).
    const QByteArray bytes = stored(kProject);
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "hard link" : "same name");
        QFile::remove(copyPath());
        QFile::remove(drivePath(QStringLiteral("MENU/LINK.KLV")));
        TestSupport::writeFile(copyPath(), bytes);
        QString opened = copyPath();
        if (hardLink) {
            opened = drivePath(QStringLiteral("MENU/LINK.KLV"));
            ASSERT_EQ(::link(QFile::encodeName(copyPath()).constData(), QFile::encodeName(opened).constData()), 0);
        }
        project.LoadINI(opened);
        QApplication::processEvents();
        QFile::remove(runtimeDir + QStringLiteral("/log"));
        // Opening a project of another drive warns; that is not this test's.
        dialogs.messages.clear();

        EXPECT_TRUE(programs.testRun(TestProgram::Runtime));
        EXPECT_EQ(TestSupport::readFile(copyPath()), bytes);
        EXPECT_EQ(TestSupport::readFile(runtimeDir + QStringLiteral("/seen")), bytes);
        EXPECT_TRUE(logBeside(runtime).startsWith(QStringLiteral("args=0\n")));
        EXPECT_TRUE(dialogs.messages.isEmpty());
    }
}

TEST_F(TestRun, AnUnwritableRuntimeFolderIsNamedAndNothingStarts)
{
    struct Case {
        const char *name;
        QString menu;
        QString folder;
    };
    QList<Case> cases;
    // Permissions do not stop the superuser; /proc stops everyone.
    const QString locked = elsewhere.path() + QStringLiteral("/LOCKED");
    const QString lockedRuntime = standIn(locked + QStringLiteral("/orvanta"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    if (::access(QFile::encodeName(locked).constData(), W_OK) != 0)
        cases.append({"read-only folder", lockedRuntime, QDir::toNativeSeparators(locked)});
    cases.append({"/proc", QStringLiteral("/proc/self/exe"), QStringLiteral("/proc/self")});

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.messages.clear();
        useRuntime(c.menu);
        TestSupport::RecordingLauncher launcher;

        EXPECT_FALSE(programs.testRun(TestProgram::Runtime));
        EXPECT_TRUE(launcher.started.isEmpty());
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.contains(c.folder)) << dialogs.messages[0].text.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
        EXPECT_FALSE(window.isMinimized());
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(TestRun, ANeverSavedProjectIsSavedOnlyWhenTheUserSaysYes)
{
    const struct {
        Platform::MessageAnswer answer;
        bool runs;
    } cases[] = {
        {Platform::MessageAnswer::No, false},
        {Platform::MessageAnswer::Cancel, false},
        {Platform::MessageAnswer::Yes, true},
    };
    loadEmpty(QStringLiteral("MENU/NOWY.KLV"));
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.answer));
        QFile::remove(drivePath(QStringLiteral("MENU/NOWY.KLV")));
        QFile::remove(copyPath());
        QFile::remove(runtimeDir + QStringLiteral("/log"));
        dialogs.messages.clear();
        dialogs.answers = {c.answer};

        EXPECT_EQ(programs.testRun(TestProgram::Runtime), c.runs);
        ASSERT_GE(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Plik konfiguracji nie istnieje!\nCzy chcesz go zapisać ?"));
        EXPECT_EQ(dialogs.messages[0].caption, QStringLiteral("Dodorurav 2.1"));
        EXPECT_EQ(dialogs.messages[0].buttons, Platform::MessageButtons::YesNoCancel);
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);
        EXPECT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(QFile::exists(drivePath(QStringLiteral("MENU/NOWY.KLV"))), c.runs);
        EXPECT_EQ(QFile::exists(copyPath()), c.runs);
        EXPECT_EQ(logBeside(runtime).isEmpty(), !c.runs);
        if (c.runs) {
            EXPECT_EQ(TestSupport::readFile(copyPath()), readBytes(QStringLiteral("MENU/NOWY.KLV")));
        }
    }
}

TEST_F(TestRun, AFailedCopyStopsTheRun)
{
    // Nothing can replace a folder of that name.
    ASSERT_TRUE(QDir().mkpath(copyPath()));
    EXPECT_FALSE(programs.testRun(TestProgram::Runtime));
    EXPECT_TRUE(logBeside(runtime).isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(drivePath(QStringLiteral("MENU/PROJEKT.KLV"))));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isEnabled());
}

TEST_F(TestRun, AProgramThatCannotStartGivesTheMessageAndRestoresTheDesigner)
{
    const QString notAProgram = TestSupport::writeFile(runtimeDir + QStringLiteral("/notaprogram"), "text");
    QFile::setPermissions(notAProgram, QFile::ReadOwner | QFile::WriteOwner);
    const struct {
        const char *name;
        QString menu;
        QString autostartPath;
        TestProgram program;
        bool copied;
    } cases[] = {
        {"no runtime", elsewhere.path() + QStringLiteral("/NONE/orvanta"), autostart, TestProgram::Runtime, false},
        {"no autostart", runtime, elsewhere.path() + QStringLiteral("/NONE/peldix"), TestProgram::Autostart, false},
        {"runtime fails to start", notAProgram, autostart, TestProgram::Runtime, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(copyPath());
        dialogs.messages.clear();
        window.setWindowState(Qt::WindowNoState);
        configure(QStringLiteral("[PLIKI]\nMENU=%1\nAUTOSTART=%2\n").arg(c.menu, c.autostartPath));

        EXPECT_FALSE(programs.testRun(c.program));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("Brakuje pliku ORVANTA.EXE lub PELDIX.EXE musisz wpisać ścieżkę dostępu do niego w "
                                 "zakładce: Konfiguracja generatora."));
        EXPECT_EQ(QFile::exists(copyPath()), c.copied);
        EXPECT_FALSE(window.isMinimized());
        EXPECT_TRUE(window.isEnabled());
    }
}

TEST_F(TestRun, ARuntimeBehindALongPathStarts)
{
    QString folder = elsewhere.path();
    while (folder.size() < 320)
        folder += QStringLiteral("/folder-with-a-rather-long-name-0123456789");
    const QString longRuntime = standIn(folder + QStringLiteral("/orvanta"), folder + QStringLiteral("/ORVANTA.INI"));
    ASSERT_GT(longRuntime.size(), 300);
    useRuntime(longRuntime);

    EXPECT_TRUE(programs.testRun(TestProgram::Runtime));
    EXPECT_TRUE(logBeside(longRuntime).startsWith(QStringLiteral("args=0\n")));
    EXPECT_EQ(TestSupport::readFile(folder + QStringLiteral("/seen")), readBytes(QStringLiteral("MENU/PROJEKT.KLV")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(TestRun, WithoutAProjectNothingHappens)
{
    context.ProjectIni.reset();
    EXPECT_FALSE(programs.testRun(TestProgram::Runtime));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(logBeside(runtime).isEmpty());
    EXPECT_FALSE(QFile::exists(copyPath()));
}
