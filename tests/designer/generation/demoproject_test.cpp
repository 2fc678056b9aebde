#include "generationfixture.h"

#include <paths.h>
#include <profilefile.h>

#include <QProcess>
#include <QStandardPaths>

using namespace Generation;

using DemoProjectTest = GenerationFixture;

// The demo laid out as a design project generates its menu folder inside
// its CD folder, as proposed: every stored path names a file of the CD, and
// nothing of the design changes but AUTORUN.INF's entries.
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
    const QString cd = design + u'/';
    folders = proposedFolders(proposedMenuFolder({}, context.DriveRoot, {}));
    EXPECT_EQ(folders.menu, cd + QStringLiteral("MENU"));
    const Plan p = Generation::makePlan(
        listSources(*context.ProjectIni, context.ProjectIni->fileName(), context.DriveRoot, settings), folders,
        context.DriveRoot, context.ProjectIni->fileName());
    ASSERT_TRUE(p.ok()) << p.refusals.join('\n').toStdString();
    const Report report = execute(p, *context.ProjectIni, settings, {});
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    auto after = checksums(QStringLiteral("design"));
    after.removeIf([](const auto &entry) { return entry.key().startsWith(QLatin1String("MENU/")); });
    after.remove(QStringLiteral("AUTORUN.INF"));
    auto untouched = before;
    untouched.remove(QStringLiteral("AUTORUN.INF"));
    EXPECT_EQ(after, untouched);
    // The one program the demo keeps without its files, to show the
    // runtime's message, is the one the CD lacks.
    QStringList warned;
    for (const DataFileWarning &warning : p.dataFiles.warnings)
        warned << warning.program + u' ' + warning.key;
    EXPECT_EQ(warned, QStringList({QStringLiteral("Łamigłówka SETUP"), QStringLiteral("Łamigłówka KATALOG")}));
    EXPECT_EQ(p.dataFiles.programs, 1);

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
