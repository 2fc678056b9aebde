#include <startup/runtimecontext.h>
#include <testsupport.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using TestSupport::readFile;
using TestSupport::writeFile;

// A CD folder with the runtime's project copy, and a settings folder with
// the user's per-CD options.
class StartupTest : public ::testing::Test
{
protected:
    QString cd(const QString &name = {}) const { return dir.path() + QStringLiteral("/cd/") + name; }
    QString settings(const QString &name = {}) const { return dir.path() + QStringLiteral("/settings/") + name; }

    void SetUp() override
    {
        writeFile(cd(QStringLiteral("AUTORUN.INF")), "[AUTORUN]\r\nOPEN=orvanta /OPCJE\r\n");
        writeFile(settings(QStringLiteral(".keep")), "");
    }
    std::unique_ptr<RuntimeContext> context()
    {
        return std::make_unique<RuntimeContext>(cd(QStringLiteral("orvanta")), settings());
    }
    QTemporaryDir dir;
};

TEST_F(StartupTest, MissingFilesGiveTheDefaults)
{
    const auto ctx = context();
    EXPECT_EQ(ctx->DriveRoot, cd());
    EXPECT_EQ(ctx->cdId(), QStringLiteral("ZELTRIN CDROM"));
    EXPECT_FALSE(ctx->Options.NOSOUND);
    EXPECT_FALSE(ctx->Options.NoClicks);
    EXPECT_FALSE(ctx->Options.NoMusic);
    EXPECT_FALSE(ctx->Options.OpenZIP);
    EXPECT_FALSE(ctx->Options.OpenRAR);
    EXPECT_TRUE(ctx->Options.MINONRUN);
    EXPECT_EQ(ctx->startMode(0), StartMode::ShowMenu);
    EXPECT_EQ(ctx->startMode(1), StartMode::ShowMenu);
    EXPECT_FALSE(QFile::exists(settings(QStringLiteral("KALVOR.RUN"))));
}

TEST_F(StartupTest, OptionsComeFromTheSectionOfThisCd)
{
    writeFile(cd(QStringLiteral("orvanta.ini")), "[ZELTRIN]\r\nCDROM_ID=Moja P\xB3yta\r\n");
    const QByteArray options = "[ZELTRIN CDROM]\r\nNOSOUND=1\r\nMINONRUN=0\r\n"
                               "[Moja P\xB3yta]\r\nNoMusic=1\r\nOpenZIP=7\r\nMINONRUN=abc\r\nNoClicks=0\r\n";
    writeFile(settings(QStringLiteral("kalvor.run")), options);
    const auto ctx = context();
    EXPECT_EQ(ctx->cdId(), QStringLiteral("Moja Płyta"));
    EXPECT_FALSE(ctx->Options.NOSOUND); // another CD's section
    EXPECT_TRUE(ctx->Options.NoMusic);
    EXPECT_TRUE(ctx->Options.OpenZIP);  // any non-zero number
    EXPECT_TRUE(ctx->Options.MINONRUN); // no number: the default
    EXPECT_FALSE(ctx->Options.NoClicks);
    EXPECT_EQ(readFile(settings(QStringLiteral("kalvor.run"))), options); // reading changed nothing
}

TEST_F(StartupTest, StartModeByParameterAndOptions)
{
    const struct {
        const char *options;
        int parameters;
        StartMode expected;
    } cases[] = {
        {"", 1, StartMode::ShowMenu},
        {"RUNMenu=0\r\nExplorer=0\r\n", 0, StartMode::ShowMenu}, // started by the user
        {"RUNMenu=0\r\nExplorer=0\r\n", 1, StartMode::Quit},
        {"RUNMenu=0\r\nExplorer=1\r\n", 1, StartMode::OpenExplorerAndQuit},
        {"RUNMenu=0\r\nExplorer=1\r\n", 3, StartMode::OpenExplorerAndQuit},
        {"RUNMenu=1\r\nExplorer=1\r\n", 1, StartMode::ShowMenu},
        {"RUNMenu=x\r\nExplorer=1\r\n", 1, StartMode::ShowMenu},
    };
    for (const auto &c : cases) {
        writeFile(settings(QStringLiteral("KALVOR.RUN")), QByteArray("[ZELTRIN CDROM]\r\n") + c.options);
        EXPECT_EQ(context()->startMode(c.parameters), c.expected) << c.options << " with " << c.parameters;
    }
}

TEST_F(StartupTest, BadOptionFilesReadAsDefaults)
{
    for (const QByteArray &bytes : {QByteArray("\x00\x01\xFF[ZELTRIN CDROM", 15), QByteArray("[ZELTRIN CDROM]\r\nRUNMenu=0\r\nExpl")}) {
        writeFile(settings(QStringLiteral("KALVOR.RUN")), bytes);
        writeFile(cd(QStringLiteral("ORVANTA.INI")), bytes);
        const auto ctx = context();
        EXPECT_TRUE(ctx->Options.MINONRUN);
        EXPECT_NE(ctx->startMode(1), StartMode::OpenExplorerAndQuit);
        EXPECT_EQ(readFile(settings(QStringLiteral("KALVOR.RUN"))), bytes);
    }
}

// The real program, started from a CD folder with a stand-in for the
// desktop's opener that records what it was asked to open.
class ProgramStartTest : public StartupTest
{
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        QFile::copy(QStringLiteral(ORVANTA_PROGRAM), cd(QStringLiteral("orvanta")));
        const QString opener = writeFile(dir.path() + QStringLiteral("/bin/xdg-open"),
                                         "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"$OPENED_LOG\"\n");
        QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Runs the program with the given arguments; false when it had to be killed.
    bool run(const QStringList &arguments, int timeoutMs = 10000)
    {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), dir.path() + QStringLiteral("/bin:") + env.value(QStringLiteral("PATH")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("OPENED_LOG"), dir.path() + QStringLiteral("/opened.log"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(env);
        program.start(cd(QStringLiteral("orvanta")), arguments);
        if (program.waitForFinished(timeoutMs))
            return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
        program.kill();
        program.waitForFinished();
        return false;
    }
    void setOptions(const QByteArray &keys)
    {
        writeFile(dir.path() + QStringLiteral("/config/ZeltrinSoftware/KALVOR.RUN"), "[ZELTRIN CDROM]\r\n" + keys);
    }
    QByteArray opened() const { return readFile(dir.path() + QStringLiteral("/opened.log")); }
};

TEST_F(ProgramStartTest, AutostartWithExplorerOpensTheCdRootAndQuits)
{
    setOptions("RUNMenu=0\r\nExplorer=1\r\n");
    EXPECT_TRUE(run({QStringLiteral("/OPCJE")}));
    EXPECT_EQ(opened(), (cd()).toUtf8() + '\n');
}

TEST_F(ProgramStartTest, AutostartWithoutMenuOrExplorerJustQuits)
{
    setOptions("RUNMenu=0\r\nExplorer=0\r\n");
    EXPECT_TRUE(run({QStringLiteral("anything")}));
    EXPECT_TRUE(opened().isEmpty());
}

TEST_F(ProgramStartTest, WithoutParameterTheMenuShows)
{
    setOptions("RUNMenu=0\r\nExplorer=1\r\n");
    EXPECT_FALSE(run({}, 1500)); // the menu window keeps running until it is killed
    EXPECT_TRUE(opened().isEmpty());
}
