#include "shelllinks/desktopentry.h"
#include "shelllinks/shelllinks.h"

#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The user's folders in a temporary home while a test runs.
class TemporaryUserFolders : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            saved.append({name, qgetenv(name)});
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    }
    void TearDown() override
    {
        for (const auto &[name, value] : saved)
            qputenv(name, value);
    }
    QString desktop() const { return home.path() + QStringLiteral("/Desktop"); }
    QString programs() const { return home.path() + QStringLiteral("/data/applications"); }

    QTemporaryDir home;
    QList<QPair<const char *, QByteArray>> saved;
};

using ShellLinks = TemporaryUserFolders;

TEST_F(ShellLinks, SpecialFoldersAreTheUsersDesktopAndApplicationMenu)
{
    EXPECT_EQ(GetShellFolderPath(QStringLiteral("Desktop")).path, desktop());
    EXPECT_EQ(GetShellFolderPath(QStringLiteral("Programs")).path, programs());
    const ShellLinkResult unknown = GetShellFolderPath(QStringLiteral("Fonts"));
    EXPECT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error, QStringLiteral("\"Fonts\" item not found in registry"));
}

TEST_F(ShellLinks, TargetsWithBlanksQuotesAndFieldCodesReadBackAsOneArgument)
{
    const QString targets[] = {
        QStringLiteral("/opt/Kalvora CD/bin/dodorurav"),
        QStringLiteral("/opt/100%/%f %u %%/prog"),
        QStringLiteral("/opt/$HOME/$(rm -rf ~)/`id`/prog"),
        QStringLiteral("/opt/\"cudzysłów\"/'pojedynczy'/prog"),
        QStringLiteral("/opt/back\\slash\\\\/prog"),
        QStringLiteral("/opt/a;b|c&d>e<f*g?h#i~j(k)/prog"),
        QStringLiteral("/opt/tab\there/line\nbreak/prog"),
        QStringLiteral(" /leading and trailing blank "),
    };
    for (const QString &target : targets) {
        const ShellLinkResult made = CreateShortcut(target, QStringLiteral("Opis programu"),
                                                    QStringLiteral("Program"), QStringLiteral("Desktop"));
        ASSERT_TRUE(made.ok()) << made.error.toStdString();
        EXPECT_EQ(made.path, desktop() + QStringLiteral("/Program.desktop"));
        const std::optional<DesktopEntry> entry = readDesktopEntry(TestSupport::readFile(made.path));
        ASSERT_TRUE(entry) << target.toStdString();
        EXPECT_EQ(entry->exec, QStringList{target});
        EXPECT_EQ(entry->name, QStringLiteral("Program"));
        EXPECT_EQ(entry->comment, QStringLiteral("Opis programu"));
        EXPECT_EQ(entry->workingDir, QFileInfo(target).absolutePath());
        EXPECT_TRUE(QFileInfo(made.path).permissions() & QFile::ExeOwner);
    }
}

TEST_F(ShellLinks, ExecLineFollowsTheDesktopEntryQuotingRules)
{
    // '"', '`', '$' and '\' escaped inside the quotes, '%' doubled, and then
    // the backslashes of the file's own string escapes.
    const ShellLinkResult made = CreateShortcut(QStringLiteral("/a b/%u$X\"`\\y"), {}, QStringLiteral("L"),
                                                QStringLiteral("Desktop"));
    ASSERT_TRUE(made.ok());
    const QByteArray text = TestSupport::readFile(made.path);
    EXPECT_EQ(text,
              "[Desktop Entry]\nType=Application\nName=L\n"
              "Exec=\"/a b/%%u\\\\$X\\\\\"\\\\`\\\\\\\\y\"\n"
              "Path=/a b\nTerminal=false\n");
}

TEST_F(ShellLinks, LinkNameDefaultsToTheTargetsNameAndSubFoldersAreCreated)
{
    const ShellLinkResult made = CreateShortcutInFolder(QStringLiteral("/opt/kalvora/SETUP.EXE"), {}, {},
                                                        QStringLiteral("Dodorurav 2.1/Narzędzia\\"),
                                                        QStringLiteral("Programs"));
    ASSERT_TRUE(made.ok()) << made.error.toStdString();
    EXPECT_EQ(made.path, programs() + QStringLiteral("/Dodorurav 2.1/Narzędzia/SETUP.desktop"));
    EXPECT_TRUE(QFileInfo::exists(made.path));
}

TEST_F(ShellLinks, PathsTooLongAreRefusedNeverCut)
{
    const QString longName(300, u'x');
    const struct {
        QString target;
        QString linkName;
    } cases[] = {
        {QStringLiteral("/opt/") + longName, QStringLiteral("Program")},
        {QStringLiteral("/opt") + QStringLiteral("/abcdefgh").repeated(600), QStringLiteral("Program")},
        {QStringLiteral("/opt/prog"), longName},
    };
    for (const auto &c : cases) {
        const ShellLinkResult made = CreateShortcut(c.target, {}, c.linkName, QStringLiteral("Desktop"));
        EXPECT_FALSE(made.ok());
        EXPECT_FALSE(made.error.isEmpty());
    }
    EXPECT_TRUE(QDir(desktop()).entryList(QDir::Files).isEmpty());
}

TEST(DesktopEntry, ReadsOnlyTheDesktopEntryGroupAndRefusesOpenQuotes)
{
    const std::optional<DesktopEntry> entry = readDesktopEntry(
        "# comment\n[Other]\nExec=wrong\n[Desktop Entry]\nName=Gra\nExec=prog \"a b\" c%%d %f\n"
        "Exec=second\n[Desktop Action x]\nName=no\n");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, QStringLiteral("Gra"));
    EXPECT_EQ(entry->exec, QStringList({QStringLiteral("prog"), QStringLiteral("a b"), QStringLiteral("c%d"), {}}));

    EXPECT_FALSE(readDesktopEntry("[Desktop Entry]\nExec=\"open\n"));
    EXPECT_FALSE(readDesktopEntry("[Desktop Entry]\nName=x\n"));
    EXPECT_FALSE(readDesktopEntry("Exec=prog\n"));
}

} // namespace
