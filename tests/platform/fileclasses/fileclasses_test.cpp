#include <fileclasses.h>
#include <launcher.h>
#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace Platform;

namespace {

const QString kDesigner = QStringLiteral("/opt/Kalvora Tools/dodorurav");
const QString kDataEditor = QStringLiteral("/opt/Kalvora Tools/zazava");

QByteArray golden(const char *name)
{
    return TestSupport::readFile(QStringLiteral(KALVORA_GOLDEN_DIR "/") + QLatin1String(name));
}

} // namespace

// The user's folders are temporary, and PATH holds only stand-in desktop
// tools that note their calls in a log.
class DesktopFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char *name : {"PATH", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            saved.append({name, qgetenv(name)});
        realPath = QString::fromUtf8(qgetenv("PATH")).split(u':');
        QDir().mkpath(path("bin"));
        QDir().mkpath(path("data"));
        qputenv("PATH", path("bin").toUtf8());
        qputenv("XDG_DATA_HOME", path("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
    }
    void TearDown() override
    {
        for (const auto &[name, value] : saved)
            qputenv(name, value);
    }

    QString path(const QString &relative) const { return dir.filePath(relative); }
    QString path(const char *relative) const { return dir.filePath(QString::fromUtf8(relative)); }

    // A stand-in tool: logs its name and arguments, then runs body.
    void tool(const char *name, const QByteArray &body = {})
    {
        const QString file = TestSupport::writeFile(path("bin/") + QLatin1String(name),
                                                    "#!/bin/sh\necho \"" + QByteArray(name) + " $*\" >> \""
                                                        + path("log").toUtf8() + "\"\n" + body + "\n");
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString log() const { return QString::fromUtf8(TestSupport::readFile(path("log"))); }
    // A program of the machine itself, found on the PATH the test started with.
    QString realTool(const QString &name) const { return QStandardPaths::findExecutable(name, realPath); }

    QTemporaryDir dir;
    QList<std::pair<const char *, QByteArray>> saved;
    QStringList realPath;
};

TEST_F(DesktopFilesTest, WritesThePackageAndEntriesAsTheGoldenCopies)
{
    tool("update-mime-database");
    tool("xdg-mime");
    const RegistrationReport report = registerFileClasses(kalvoraFileClasses(kDesigner, kDataEditor));
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(TestSupport::readFile(path("data/mime/packages/zeltrin-kalvora.xml")), golden("zeltrin-kalvora.xml"));
    EXPECT_EQ(TestSupport::readFile(path("data/applications/zeltrin-dodorurav.desktop")),
              golden("zeltrin-dodorurav.desktop"));
    EXPECT_EQ(TestSupport::readFile(path("data/applications/zeltrin-zazava.desktop")), golden("zeltrin-zazava.desktop"));
    EXPECT_EQ(report.written.size(), 3);
    EXPECT_EQ(log(), QStringLiteral("update-mime-database %1\n"
                                    "xdg-mime default zeltrin-dodorurav.desktop application/x-kalvora-project "
                                    "application/x-kalvora-template\n"
                                    "xdg-mime default zeltrin-zazava.desktop application/x-kalvora-data\n")
                         .arg(path("data/mime")));
}

TEST_F(DesktopFilesTest, OnlyChangedFilesAreWrittenAndAnnounced)
{
    tool("update-mime-database");
    tool("xdg-mime");
    registerFileClasses(kalvoraFileClasses(kDesigner, kDataEditor));
    const QString entry = path("data/applications/zeltrin-dodorurav.desktop");
    const QDateTime written = QFileInfo(entry).lastModified();
    QFile::remove(path("log"));

    const RegistrationReport again = registerFileClasses(kalvoraFileClasses(kDesigner, kDataEditor));
    EXPECT_TRUE(again.ok());
    EXPECT_TRUE(again.written.isEmpty());
    EXPECT_TRUE(again.ran.isEmpty());
    EXPECT_EQ(log(), QString());
    EXPECT_EQ(QFileInfo(entry).lastModified(), written);

    const RegistrationReport moved = registerFileClasses(kalvoraFileClasses(kDesigner, QStringLiteral("/usr/bin/zazava")));
    EXPECT_EQ(moved.written, QStringList{path("data/applications/zeltrin-zazava.desktop")});
    EXPECT_EQ(log(), QStringLiteral("xdg-mime default zeltrin-zazava.desktop application/x-kalvora-data\n"));
}

TEST_F(DesktopFilesTest, MissingToolsAreSkippedQuietly)
{
    const RegistrationReport report = registerFileClasses(kalvoraFileClasses(kDesigner, kDataEditor));
    EXPECT_TRUE(report.ok());
    EXPECT_EQ(report.written.size(), 3);
    EXPECT_TRUE(report.ran.isEmpty());
}

TEST_F(DesktopFilesTest, AnUnwritableFolderIsReported)
{
    TestSupport::writeFile(path("plain-file"), "x");
    qputenv("XDG_DATA_HOME", path("plain-file").toUtf8());
    const RegistrationReport report = registerFileClasses(kalvoraFileClasses(kDesigner, kDataEditor));
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(report.written.isEmpty());
}

TEST_F(DesktopFilesTest, TheRealMimeDatabaseTakesThePackage)
{
    const QString updater = realTool(QStringLiteral("update-mime-database"));
    if (updater.isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    QFile::link(updater, path("bin/update-mime-database"));
    const RegistrationReport report = registerFileClasses(kalvoraFileClasses(kDesigner, kDataEditor));
    ASSERT_EQ(report.ran.size(), 1);
    const QString globs = QString::fromUtf8(TestSupport::readFile(path("data/mime/globs2")));
    for (const char *line : {"application/x-kalvora-project:*.klv", "application/x-kalvora-template:*.sbl",
                             "application/x-kalvora-data:*.rv3"})
        EXPECT_TRUE(globs.contains(QLatin1String(line))) << line;
}

TEST(DesktopExec, ArgumentsAreQuotedAndEscaped)
{
    const struct {
        const char *argument;
        const char *exec;
    } cases[] = {
        {"/usr/bin/dodorurav", R"("/usr/bin/dodorurav")"},
        {"/opt/My Tools/dodorurav", R"("/opt/My Tools/dodorurav")"},
        {R"(/opt/say "hi"/x)", R"("/opt/say \\"hi\\"/x")"},
        {"/opt/$HOME/`x`", R"("/opt/\\$HOME/\\`x\\`")"},
        {R"(/opt/back\slash)", R"("/opt/back\\\\slash")"},
        {"/opt/100%/x", R"("/opt/100%%/x")"},
        {"/opt/a;b&c|d", R"("/opt/a;b&c|d")"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(desktopExecArgument(QString::fromUtf8(c.argument)), QString::fromUtf8(c.exec)) << c.argument;
}

// GLib reads the entry back: the program with awkward characters in its
// path is started and gets the file. (GLib looks for the program before
// it reads "%%" as "%", so a "%" in the path is left out here.)
TEST_F(DesktopFilesTest, TheDesktopStartsTheProgramOfAnEntry)
{
    const QString gio = realTool(QStringLiteral("gio"));
    if (gio.isEmpty())
        GTEST_SKIP() << "gio is not installed";
    const QString program = TestSupport::writeFile(path("odd \"dir\" $x `y` back\\slash/prog"),
                                                   "#!/bin/sh\nprintf %s \"$1\" > \"$(dirname \"$0\")/got\"\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString entry = TestSupport::writeFile(
        path("test.desktop"),
        desktopEntryText({QStringLiteral("test.desktop"), QStringLiteral("Test"), program, {QStringLiteral("text/plain")}}));
    const QString document = TestSupport::writeFile(path("my project.KLV"), "[x]\r\n");
    QProcess launch;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), realPath.join(u':'));
    launch.setProcessEnvironment(environment);
    launch.start(gio, {QStringLiteral("launch"), entry, document});
    ASSERT_TRUE(launch.waitForFinished(10000));
    const QString got = QFileInfo(program).dir().filePath(QStringLiteral("got"));
    for (int i = 0; i < 100 && !QFile::exists(got); ++i)
        QThread::msleep(50);
    EXPECT_EQ(QString::fromUtf8(TestSupport::readFile(got)), document);
}

TEST_F(DesktopFilesTest, PlainTextGoesToTheTextEditorAndNeverBackToUs)
{
    TestSupport::writeFile(path("data/applications/kalvora-test-editor.desktop"),
                           "[Desktop Entry]\nType=Application\nName=Editor\nExec=editor %f\n");
    const struct {
        const char *name;
        const char *file;
        const char *defaultApp; // nullptr: no xdg-mime
        int gioExit;            // -1: no gio
        bool ok;
        const char *log;        // {entry}, {file}
    } cases[] = {
        {"the text editor opens it", "notes.txt", "kalvora-test-editor.desktop", 0, true,
         "xdg-mime query default text/plain\ngio launch {entry} {file}\n"},
        {"a project goes to the text editor too", "MENU.KLV", "kalvora-test-editor.desktop", 0, true,
         "xdg-mime query default text/plain\ngio launch {entry} {file}\n"},
        {"without a text editor the desktop opens it", "notes.txt", "", 0, true,
         "xdg-mime query default text/plain\nxdg-open {file}\n"},
        {"without a text editor a project is refused", "MENU.KLV", "", 0, false, "xdg-mime query default text/plain\n"},
        {"and so is a data file", "gry.rv3", "", 0, false, "xdg-mime query default text/plain\n"},
        {"an editor without an entry counts as none", "notes.txt", "missing-editor.desktop", 0, true,
         "xdg-mime query default text/plain\nxdg-open {file}\n"},
        {"a failing editor is reported", "notes.txt", "kalvora-test-editor.desktop", 1, false,
         "xdg-mime query default text/plain\ngio launch {entry} {file}\n"},
        {"without xdg-mime the desktop opens it", "notes.txt", nullptr, 0, true, "xdg-open {file}\n"},
        {"without gio a template is refused", "A.SBL", "kalvora-test-editor.desktop", -1, false,
         "xdg-mime query default text/plain\n"},
    };
    DesktopLauncher launcher;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QDir(path("bin")).removeRecursively();
        QFile::remove(path("log"));
        if (c.defaultApp)
            tool("xdg-mime", "echo \"" + QByteArray(c.defaultApp) + "\"");
        if (c.gioExit >= 0)
            tool("gio", "exit " + QByteArray::number(c.gioExit));
        tool("xdg-open", "exit 0");
        const QString file = TestSupport::writeFile(path("docs/") + QLatin1String(c.file), "text");
        EXPECT_EQ(launcher.openAsText(file).ok, c.ok);
        EXPECT_EQ(log(), QString::fromUtf8(c.log)
                             .replace(QStringLiteral("{entry}"), path("data/applications/kalvora-test-editor.desktop"))
                             .replace(QStringLiteral("{file}"), file));
    }
    QFile::remove(path("log"));
    EXPECT_FALSE(launcher.openAsText(path("docs/none.txt")).ok);
    EXPECT_EQ(log(), QString());
}
