#include "designerfixture.h"

#include <project/cdfolder.h>

#include <paths.h>

#include <QDir>
#include <QFile>

TEST(CdFolderProposal, IsTheNearestFolderHoldingEverythingButNeverTheTopOrHome)
{
    const QString home = QStringLiteral("/home/ala");
    const struct {
        const char *project;
        QStringList named;
        const char *expected;
    } cases[] = {
        {"/home/ala/plyta/menu.KLV", {}, "/home/ala/plyta/"},
        {"/home/ala/plyta/projekt/menu.KLV", {"/home/ala/plyta/grafika/tło.bmp", "/home/ala/plyta/Dane/gry.RV3"},
         "/home/ala/plyta/"},
        {"/home/ala/plyta/projekt/menu.KLV", {"/home/ala/plyta/projekt/a.bmp"}, "/home/ala/plyta/projekt/"},
        // "/home/ala/plytak" is no part of "/home/ala/plyta".
        {"/home/ala/plyta/menu.KLV", {"/home/ala/plytak/a.bmp"}, "/home/ala/plyta/"},
        // Spread over home: the folder just below it on the way to the project.
        {"/home/ala/a/b/menu.KLV", {"/home/ala/Obrazy/x.bmp"}, "/home/ala/a/"},
        {"/home/ala/menu.KLV", {}, "/home/ala/"},
        {"/srv/cd/p/menu.KLV", {"/usr/share/x.bmp"}, "/srv/cd/p/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CdFolder::proposal(QString::fromUtf8(c.project), c.named, home), QString::fromUtf8(c.expected))
            << c.project;
}

// A project in no CD folder is told so once; Yes makes the proposed folder
// the CD folder, No lets the author choose one that holds the project.
class CdFolderOffer : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        QFile::remove(drivePath(QStringLiteral("AUTORUN.INF")));
        writePicture(QStringLiteral("drzewo/grafika/tło.bmp"), 4, 4, Qt::red);
        const QString background = Platform::toStoredPath(QStringLiteral("/"), drivePath(QStringLiteral("drzewo/grafika/tło.bmp")));
        project = writeText(QStringLiteral("drzewo/projekt/menu.KLV"), QStringLiteral("[WINDOW]\nBACKGROUND=") + background);
        context.DriveRoot = QStringLiteral("/");
    }
    QString project;
};

TEST_F(CdFolderOffer, YesWritesAutorunIntoTheProposedFolderOnce)
{
    dialogs.answers = {Platform::MessageAnswer::Yes};
    ASSERT_TRUE(offerCdFolder(nullptr, context, project));
    EXPECT_EQ(context.DriveRoot, drivePath(QStringLiteral("drzewo/")));
    EXPECT_EQ(readBytes(QStringLiteral("drzewo/AUTORUN.INF")), QByteArray("[AUTORUN]\r\nOPEN=MENU\\ORVANTA.EXE /OPCJE\r\n"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QDir::toNativeSeparators(drivePath(QStringLiteral("drzewo/")))));
    EXPECT_TRUE(offerCdFolder(nullptr, context, project));
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(CdFolderOffer, CancelAsksNoMoreAndNoChoosesAFolderThatMustHoldTheProject)
{
    dialogs.answers = {Platform::MessageAnswer::Cancel};
    EXPECT_FALSE(offerCdFolder(nullptr, context, project));
    EXPECT_FALSE(offerCdFolder(nullptr, context, project));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("drzewo/AUTORUN.INF"))));

    context.CdFolderOffered.clear();
    QDir().mkpath(drivePath(QStringLiteral("inny")));
    dialogs.answers = {Platform::MessageAnswer::No};
    dialogs.pathAnswers = {drivePath(QStringLiteral("inny"))};
    EXPECT_FALSE(offerCdFolder(nullptr, context, project));
    EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("inny/AUTORUN.INF"))));
    EXPECT_EQ(context.DriveRoot, u"/");

    context.CdFolderOffered.clear();
    dialogs.answers = {Platform::MessageAnswer::No};
    dialogs.pathAnswers = {drivePath(QStringLiteral("drzewo/projekt"))};
    EXPECT_TRUE(offerCdFolder(nullptr, context, project));
    EXPECT_EQ(context.DriveRoot, drivePath(QStringLiteral("drzewo/projekt/")));
}
