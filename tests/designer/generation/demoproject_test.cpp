#include "generationfixture.h"

#include <paths.h>
#include <profilefile.h>

#include <QProcess>
#include <QStandardPaths>

using namespace Generation;

using DemoProjectTest = GenerationFixture;

// The demo laid out as a design project generates a CD folder whose every
// stored path names a file of the new CD, and leaves the design untouched.
TEST_F(DemoProjectTest, GeneratesACdFolderWhosePathsAllResolve)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 is needed to lay out the demo project";
    const QString design = drivePath(QStringLiteral("design"));
    ASSERT_EQ(QProcess::execute(QStringLiteral("python3"),
                                {QStringLiteral(KALVORA_SOURCE_DIR "/tools/make-demo-project.py"),
                                 QStringLiteral(KALVORA_DEMO_CD), design}),
              0);
    const auto before = checksums(QStringLiteral("design"));
    context.DriveRoot = design + u'/';
    context.ProjectIni = std::make_unique<Platform::ProfileFile>(design + QStringLiteral("/projekt/DEMO.KLV"));
    const QString cd = drivePath(QStringLiteral("democd/"));
    folders = {cd + QStringLiteral("MENU/"), cd + QStringLiteral("MENU/Multimedia/"), cd + QStringLiteral("MENU/Dane/")};
    const Plan p = Generation::makePlan(
        listSources(*context.ProjectIni, context.ProjectIni->fileName(), context.DriveRoot, settings), folders,
        context.DriveRoot, context.ProjectIni->fileName());
    ASSERT_TRUE(p.ok()) << p.refusals.join('\n').toStdString();
    const Report report = execute(p, *context.ProjectIni, settings, {});
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_EQ(checksums(QStringLiteral("design")), before);

    const Platform::ProfileFile menu(cd + QStringLiteral("MENU/ORVANTA.INI"));
    int named = 0;
    for (const QString &section : {QStringLiteral("WINDOW"), QStringLiteral("DATA"), QStringLiteral("GLYPH"),
                                   QStringLiteral("NEXT_WINDOW_INI"), QStringLiteral("SOUND")}) {
        for (const QString &key : menu.keyNames(section)) {
            const QString value = menu.readString(section, key, {});
            if (!value.contains(u'.'))
                continue;
            ++named;
            EXPECT_TRUE(Platform::isRegularFile(Platform::resolveStoredPath(p.cdRoot, value)))
                << section.toStdString() << " " << key.toStdString() << "=" << value.toStdString();
        }
    }
    EXPECT_GT(named, 15);
}
