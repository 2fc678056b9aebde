#include <launcher.h>
#include <testsupport.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Platform::DesktopLauncher;

// The desktop's opener is a stand-in script on PATH that exits as told.
class DesktopLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        oldPath = qgetenv("PATH");
        qputenv("PATH", dir.filePath(QStringLiteral("bin")).toUtf8() + ':' + oldPath);
        document = TestSupport::writeFile(dir.filePath(QStringLiteral("doc.txt")), "text");
    }
    void TearDown() override { qputenv("PATH", oldPath); }

    void opener(const QByteArray &body)
    {
        const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("bin/xdg-open")),
                                                    "#!/bin/sh\necho \"$1\" > \"" + dir.filePath(QStringLiteral("asked")).toUtf8()
                                                        + "\"\n" + body + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir dir;
    QByteArray oldPath;
    QString document;
    DesktopLauncher launcher;
};

TEST_F(DesktopLauncherTest, OpenerStatusDecides)
{
    opener("exit 0");
    EXPECT_TRUE(launcher.openDocument(document, {}).ok);
    EXPECT_EQ(TestSupport::readFile(dir.filePath(QStringLiteral("asked"))), document.toUtf8() + '\n');

    opener("exit 3");
    const Platform::LaunchResult failed = launcher.openDocument(document, {});
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
}

TEST_F(DesktopLauncherTest, MissingFilesAndFoldersFailWithoutAsking)
{
    opener("exit 0");
    EXPECT_FALSE(launcher.openDocument(dir.filePath(QStringLiteral("none.txt")), {}).ok);
    EXPECT_FALSE(launcher.openFolder(dir.filePath(QStringLiteral("none"))).ok);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("asked"))));
    EXPECT_TRUE(launcher.openFolder(dir.path()).ok);
}

TEST_F(DesktopLauncherTest, AnOpenerThatStaysCountsAsStarted)
{
    opener("sleep 30");
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(launcher.openDocument(document, {}).ok);
    EXPECT_LT(clock.elapsed(), 20000);
}

// Without a desktop environment xdg-open tries browsers for seconds before
// it reports that nothing opens the file; that answer must still count.
TEST_F(DesktopLauncherTest, ASlowRefusalIsStillAFailure)
{
    opener("sleep 4; exit 3");
    EXPECT_FALSE(launcher.openDocument(document, {}).ok);
}

TEST_F(DesktopLauncherTest, ProgramsRunThemselves)
{
    opener("exit 3");
    const QString program = TestSupport::writeFile(dir.filePath(QStringLiteral("setup.sh")),
                                                   "#!/bin/sh\ntouch \"$(dirname \"$0\")/ran\"\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(launcher.openDocument(program, {}).ok);
    EXPECT_EQ(launcher.startAndWait(program, {}, dir.path()), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("ran"))));
    EXPECT_EQ(launcher.startAndWait(dir.filePath(QStringLiteral("none")), {}, {}), -1);
}

// Only an ELF program or a script with the execute bit runs by itself; every
// other file goes to the desktop, whatever its bits say (a CD without Rock
// Ridge marks every file executable).
TEST_F(DesktopLauncherTest, OnlyNativeProgramsRunThemselves)
{
    QFile elf(QStringLiteral("/bin/true"));
    ASSERT_TRUE(elf.open(QIODevice::ReadOnly));
    const QByteArray program = elf.readAll();
    const struct {
        const char *name;
        QByteArray bytes;
        bool executable;
        bool runsItself;
    } cases[] = {
        {"CZYTAJ.TXT", "Czytaj mnie\r\n", false, false},
        {"CZYTAJ2.TXT", "Czytaj mnie\r\n", true, false},
        {"SETUP.HTM", "<html></html>", false, false},
        {"SETUP2.HTM", "<html></html>", true, false},
        {"SETUP.EXE", "MZ\x90\x00", true, false},
        {"setup.sh", "#!/bin/sh\ntouch \"$0.ran\"\n", false, false},
        {"setup2.sh", "#!/bin/sh\ntouch \"$0.ran\"\n", true, true},
        {"program", program, true, true},
    };
    opener("exit 0");
    for (const auto &c : cases) {
        const QString path = TestSupport::writeFile(dir.filePath(QLatin1String(c.name)), c.bytes);
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (c.executable)
            permissions |= QFile::ExeOwner;
        QFile::setPermissions(path, permissions);
        QFile::remove(dir.filePath(QStringLiteral("asked")));

        EXPECT_TRUE(launcher.openDocument(path, {}).ok) << c.name;
        const bool askedDesktop = QFile::exists(dir.filePath(QStringLiteral("asked")));
        EXPECT_EQ(askedDesktop, !c.runsItself) << c.name;
    }
}
