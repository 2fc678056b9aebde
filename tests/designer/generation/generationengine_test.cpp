#include "generationfixture.h"

#include <datafile/datafile.h>
#include <paths.h>

#include <profilefile.h>
#include <systemerror.h>
#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <sys/stat.h>

#include <cerrno>

using namespace Generation;

namespace {

QStringList texts(const std::vector<SourceLine> &lines)
{
    QStringList result;
    for (const SourceLine &line : lines)
        result << line.displayText() + (line.exists ? QStringLiteral(" [x]") : QString());
    return result;
}

} // namespace

using GenerationTest = GenerationFixture;

TEST_F(GenerationTest, SourceListNamesConfigurationsTheirFilesAndTheProgramsInOrder)
{
    settings.file(GeneratorFile::Copier).clear();
    const auto lines = listSources(*context.ProjectIni, context.ProjectIni->fileName(), context.DriveRoot, settings);
    const QString bin = drivePath(QStringLiteral("bin/"));
    EXPECT_EQ(texts(lines), QStringList({
        ">>> KONFIGURACJE MENU <<<",
        "work\\proj.KLV [x]",
        "work\\okno.SBL [x]",
        ">>> PLIKI DLA proj.KLV <<<",
        "work\\dane\\gry.RV3 [x]",
        "work\\dane\\prog.RV3 [x]",
        "work\\pics\\glyph.BMP [x]",
        "work\\pics\\back.BMP [x]",
        "work\\opis.txt [x]",
        "work\\music\\tlo.MP3 [x]",
        bin + "mpegdll.dll [x]",
        ">>> PLIKI DLA okno.SBL <<<",
        "work\\dane\\okno1.RV3 [x]",
        "work\\dane\\okno2.RV3 [x]",
        "work\\pics\\back.BMP [x]",
        bin + "orvanta [x]",
        "Brak programu kopiującego: KOPIA.EXE!",
        bin + "peldix [x]",
    }));
}

TEST_F(GenerationTest, MessagesReplaceMissingProgramsAndAMissingMp3Library)
{
    settings.file(GeneratorFile::Menu).clear();
    settings.file(GeneratorFile::Autostart).clear();
    settings.file(GeneratorFile::MpegDll) = drivePath(QStringLiteral("bin/none.dll"));
    settings.file(GeneratorFile::Copier) = drivePath(QStringLiteral("bin/kopia"));
    const QStringList lines =
        texts(listSources(*context.ProjectIni, context.ProjectIni->fileName(), context.DriveRoot, settings));
    EXPECT_TRUE(lines.contains("Brak biblioteki dla odtwarzania MP3: MPEGDLL.DLL!"));
    EXPECT_TRUE(lines.contains("Brak pliku wykonywalnego menu: ORVANTA.EXE!"));
    EXPECT_TRUE(lines.contains("Brak programu autostartu: PELDIX.EXE!"));
    // A configured path to a missing file stays a path, unticked.
    EXPECT_TRUE(lines.contains(drivePath(QStringLiteral("bin/kopia"))));
    ASSERT_TRUE(generate().ok());
    EXPECT_FALSE(files(QStringLiteral("cd")).contains("MENU/none.dll"));
}

TEST_F(GenerationTest, GoldenRunWritesTheExactFilesAndBytes)
{
    const Report report = generate();
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_EQ(files(QStringLiteral("cd")), QStringList({
        "AUTORUN.INF", "MENU/Dane/gry.RV3", "MENU/Dane/okno1.RV3", "MENU/Dane/okno2.RV3", "MENU/Dane/prog.RV3",
        "MENU/Multimedia/back.BMP", "MENU/Multimedia/glyph.BMP", "MENU/Multimedia/tlo.MP3", "MENU/ORVANTA.INI",
        "MENU/mpegdll.dll", "MENU/okno.SBL", "MENU/opis.txt", "MENU/orvanta", "MENU/peldix",
    }));
    EXPECT_EQ(readBytes(QStringLiteral("cd/MENU/ORVANTA.INI")), stored(QStringLiteral(
        "[WINDOW]\nBACKGROUND=MENU\\Multimedia\\back.BMP\n"
        "[NAMES]\n1001=Gry\n1002=Programy\n"
        "[DATA]\n1001=MENU\\Dane\\gry.RV3\n1002=MENU\\Dane\\prog.RV3\n0=MENU\\Dane\\okno1.RV3\n1=MENU\\Dane\\okno2.RV3\n"
        "[GLYPH]\n1001=MENU\\Multimedia\\glyph.BMP\n"
        "[SOUND]\nBACKGROUND=MENU\\Multimedia\\tlo.MP3\nMPEG_DLL=MENU\\\n"
        "[CDROM]\nCD_DESCRIPTION=MENU\\opis.txt\n"
        "[NEXT_WINDOW_INI]\n1=MENU\\okno.SBL\n"
        "[EKRAN]\nMENU=orvanta\nMENU_DIR=MENU\\\n")));
    EXPECT_EQ(readBytes(QStringLiteral("cd/MENU/okno.SBL")), stored(QStringLiteral(
        "[WINDOW]\nBACKGROUND=MENU\\Multimedia\\back.BMP\n"
        "[DATA]\n2001=MENU\\Dane\\okno1.RV3\n2002=MENU\\Dane\\okno2.RV3\n")));
    EXPECT_EQ(readBytes(QStringLiteral("cd/AUTORUN.INF")),
              stored(QStringLiteral("[autorun]\nlabel=DEMO\nOPEN=MENU\\PELDIX.EXE /OPCJE\n")));
    EXPECT_EQ(readBytes(QStringLiteral("cd/MENU/Multimedia/back.BMP")), readBytes(QStringLiteral("work/pics/back.BMP")));
    EXPECT_TRUE(QFileInfo(drivePath(QStringLiteral("cd/MENU/orvanta"))).isExecutable());
    // The design's own files are as they were.
    EXPECT_FALSE(QFile::exists(drivePath(QStringLiteral("work/ORVANTA.INI"))));

    // Again with MENU ticked: the old targets are replaced, nothing renamed aside.
    AutorunChoice menu;
    menu.menu = true;
    ASSERT_TRUE(generate(menu).ok());
    EXPECT_EQ(readBytes(QStringLiteral("cd/AUTORUN.INF")),
              stored(QStringLiteral("[autorun]\nlabel=DEMO\nOPEN=MENU\\ORVANTA.EXE /OPCJE\n")));
    EXPECT_EQ(files(QStringLiteral("cd")).size(), 14);
}

TEST_F(GenerationTest, TheCopyKeepsTheProgressTitlesOfItsThreeGroups)
{
    QStringList titles;
    const Report report = execute(plan(), *context.ProjectIni, settings, {},
                                  [&](const QString &title, int, int, const QString &) {
                                      if (!titles.contains(title))
                                          titles << title;
                                      return true;
                                  });
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(titles, QStringList({DataTitle, MultimediaTitle, MenuTitle}));
}

// The window is repainted at each new title, then a few times a second, not
// after each of thousands of files.
TEST(ProgressPacer, ShowsEachNewTitleThenAFewTimesASecond)
{
    ProgressPacer pacer;
    EXPECT_TRUE(pacer.due(DataTitle));
    EXPECT_FALSE(pacer.due(DataTitle));
    EXPECT_TRUE(pacer.due(MultimediaTitle));
    EXPECT_FALSE(pacer.due(MultimediaTitle));
    QThread::msleep(ProgressPacer::IntervalMs + 5);
    EXPECT_TRUE(pacer.due(MultimediaTitle));
    EXPECT_FALSE(pacer.due(MultimediaTitle));
}

TEST_F(GenerationTest, AFileNamedTwiceIsCopiedOnceAndListedOnce)
{
    // Two categories share one data file, the second under another letter case.
    writeText(QStringLiteral("work/proj.KLV"), QStringLiteral(
        "[DATA]\n1001=work\\dane\\gry.RV3\n1002=WORK\\DANE\\GRY.rv3\n"));
    openProject();
    const Plan p = plan();
    ASSERT_TRUE(p.ok()) << p.refusals.join('\n').toStdString();
    int dataTargets = 0;
    for (const Target &target : p.targets)
        dataTargets += target.route == Route::Data;
    EXPECT_EQ(dataTargets, 1);
    ASSERT_TRUE(generate().ok());
    EXPECT_EQ(files(QStringLiteral("cd/MENU/Dane")), QStringList({"gry.RV3"}));
    Platform::ProfileFile ini(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI")));
    EXPECT_EQ(ini.readString("DATA", "1002", {}), "MENU\\Dane\\gry.RV3");
}

TEST_F(GenerationTest, AbsentKeysStayAbsentAndTextsStayTexts)
{
    writeText(QStringLiteral("work/proj.KLV"), QStringLiteral(
        "[CDROM]\nCD_DESCRIPTION=Płyta z grami\n[WINDOW]\nCOLOR=clRed\n"));
    openProject();
    ASSERT_TRUE(generate().ok());
    EXPECT_EQ(readBytes(QStringLiteral("cd/MENU/ORVANTA.INI")),
              stored(QStringLiteral("[CDROM]\nCD_DESCRIPTION=Płyta z grami\n[WINDOW]\nCOLOR=clRed\n")));
}

TEST_F(GenerationTest, FilesNoFolderTakesAreReportedAndKeepTheirValues)
{
    writeText(QStringLiteral("work/muzyka.RMI"), QStringLiteral("rmi"));
    writeText(QStringLiteral("work/proj.KLV"), QStringLiteral("[SOUND]\nBACKGROUND=work\\muzyka.RMI\n"));
    openProject();
    const auto lines = listSources(*context.ProjectIni, context.ProjectIni->fileName(), context.DriveRoot, settings);
    EXPECT_TRUE(texts(lines).contains("work\\muzyka.RMI " + NotCopiedNote + " [x]"));
    ASSERT_TRUE(generate().ok());
    Platform::ProfileFile ini(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI")));
    EXPECT_EQ(ini.readString("SOUND", "BACKGROUND", {}), "work\\muzyka.RMI");
    EXPECT_FALSE(files(QStringLiteral("cd")).join(' ').contains("muzyka"));
}

TEST_F(GenerationTest, DefaultMaskNamesAreNeverExpanded)
{
    writeText(QStringLiteral("work/film.AVI"), QStringLiteral("avi"));
    writeText(QStringLiteral("work/proj.KLV"), QStringLiteral("[EKRAN]\nAVI=work\\*.AVI\nBMP=*.BMP\n"));
    writeText(QStringLiteral("work/okno.SBL"), QStringLiteral("[WINDOW]\nCOLOR=clRed\n"));
    openProject();
    ASSERT_TRUE(generate().ok());
    EXPECT_TRUE(files(QStringLiteral("cd/MENU/Multimedia")).isEmpty());
}

TEST_F(GenerationTest, StartScreenFilesOfTheProjectGoIntoEveryCopy)
{
    writePicture(QStringLiteral("work/start.BMP"), 2, 2, Qt::green);
    writeText(QStringLiteral("work/proj.KLV"), QStringLiteral(
        "[EKRAN]\nBMP=work\\start.BMP\n[NEXT_WINDOW_INI]\n1=work\\okno.SBL\n"));
    openProject();
    ASSERT_TRUE(generate().ok());
    Platform::ProfileFile window(drivePath(QStringLiteral("cd/MENU/okno.SBL")));
    EXPECT_EQ(window.readString("EKRAN", "BMP", {}), "MENU\\Multimedia\\start.BMP");
    EXPECT_FALSE(window.valueExists("EKRAN", "AVI"));
}

TEST_F(GenerationTest, AutorunNamesTheMenuFolderFromTheCdRoot)
{
    // No AUTORUN.INF at or above the menu folder inside the CD: the drive's is found.
    QFile::remove(drivePath(QStringLiteral("cd/AUTORUN.INF")));
    writeText(QStringLiteral("autorun.inf"), QStringLiteral("[AutoRun]\nICON=old.ico\n"));
    QFile::remove(drivePath(QStringLiteral("AUTORUN.INF")));
    folders = {drivePath(QStringLiteral("PROG")), drivePath(QStringLiteral("PROG/M")), drivePath(QStringLiteral("PROG/D"))};
    AutorunChoice menu;
    menu.menu = true;
    ASSERT_TRUE(generate(menu).ok());
    EXPECT_EQ(readBytes(QStringLiteral("autorun.inf")),
              stored(QStringLiteral("[AutoRun]\nICON=old.ico\nOPEN=PROG\\ORVANTA.EXE /OPCJE\n")));
    Platform::ProfileFile ini(drivePath(QStringLiteral("PROG/ORVANTA.INI")));
    EXPECT_EQ(ini.readString("DATA", "1001", {}), "PROG\\D\\gry.RV3");
}

TEST_F(GenerationTest, CdRootIsTheParentWithoutAnAutorunFile)
{
    QTemporaryDir other;
    EXPECT_EQ(cdRootOf(other.path() + "/MENU/"), other.path() + "/");
    EXPECT_EQ(cdRootOf(drivePath(QStringLiteral("cd/A/B"))), drivePath(QStringLiteral("cd/")));
}

TEST_F(GenerationTest, FolderFieldsGetOneFinalSlash)
{
    EXPECT_EQ(withSlash("/x/CD"), "/x/CD/");
    EXPECT_EQ(withSlash("/x/CD/"), "/x/CD/");
    EXPECT_EQ(withSlash(""), "");
}

TEST_F(GenerationTest, AFileAlreadyInItsTargetPlaceIsNeitherDeletedNorCopied)
{
    folders.data = drivePath(QStringLiteral("work/dane/"));
    folders.menu = drivePath(QStringLiteral("work/cdmenu/"));
    folders.multimedia = drivePath(QStringLiteral("work/cdmenu/Multimedia/"));
    writeText(QStringLiteral("work/AUTORUN.INF"), QStringLiteral("[autorun]\n"));
    const auto before = checksums(QStringLiteral("work/dane"));
    const Report report = generate();
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_EQ(checksums(QStringLiteral("work/dane")), before);
    Platform::ProfileFile ini(drivePath(QStringLiteral("work/cdmenu/ORVANTA.INI")));
    EXPECT_EQ(ini.readString("DATA", "1001", {}), "dane\\gry.RV3");
}

TEST_F(GenerationTest, AFailedRenameLeavesNoStubAndIsNoSuccess)
{
    // A folder in the way of ORVANTA.INI cannot be replaced.
    QDir().mkpath(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI/x")));
    const Report report = generate();
    EXPECT_TRUE(report.renameFailed);
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(QFileInfo(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI"))).isDir());
    EXPECT_TRUE(QFile::exists(drivePath(QStringLiteral("cd/MENU/proj.KLV"))));
}

TEST_F(GenerationTest, FolderFailuresAreReported)
{
    writeText(QStringLiteral("cd/plik"), QStringLiteral("not a folder"));
    folders = {drivePath(QStringLiteral("cd/plik/MENU/")), drivePath(QStringLiteral("cd/plik/MENU/M/")),
               drivePath(QStringLiteral("cd/plik/MENU/D/"))};
    const Report report = generate();
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.errors.first().contains("Nie można utworzyć folderu")) << report.errors.first().toStdString();
}

TEST_F(GenerationTest, ACopyFailureIsReportedAndTheRestStillDone)
{
    const Plan p = plan();
    ASSERT_TRUE(p.ok());
    QFile::remove(drivePath(QStringLiteral("work/dane/prog.RV3")));
    const Report report = execute(p, *context.ProjectIni, settings, {});
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors.first().startsWith("Nie skopiowano " + drivePath(QStringLiteral("work/dane/prog.RV3"))));
    EXPECT_TRUE(QFile::exists(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI"))));
}

// A full disk is named as such, not only as a file that could not be written.
TEST_F(GenerationTest, AFullDiskGivesTheSystemsReason)
{
    const Plan p = plan();
    ASSERT_TRUE(p.ok());
    TestSupport::writeFile(drivePath(QStringLiteral("work/dane/prog.RV3")), QByteArray(64 * 1024, 'x'));
    Report report;
    {
        TestSupport::FileSizeLimit fullDisk(16 * 1024);
        report = execute(p, *context.ProjectIni, settings, {});
    }
    ASSERT_FALSE(report.ok());
    const QString reason = Platform::systemErrorText(EFBIG);
    const QString copyError = report.errors.filter(QStringLiteral("Nie skopiowano")).value(0);
    EXPECT_TRUE(copyError.contains(drivePath(QStringLiteral("work/dane/prog.RV3")))) << copyError.toStdString();
    EXPECT_TRUE(copyError.endsWith(QStringLiteral(": ") + reason)) << copyError.toStdString();
}

// Every unsafe plan is refused before anything is deleted: the sources and
// an old target stay byte for byte.
class GenerationSafetyTest : public GenerationFixture, public ::testing::WithParamInterface<int>
{
public:
    using GenerationFixture::drivePath;
    using GenerationFixture::writeText;
    using GenerationFixture::context;
};

struct RefusalCase {
    const char *name;
    void (*arrange)(GenerationSafetyTest &, Folders &);
    const char *reason;
};

const RefusalCase refusalCases[] = {
    {"EmptyMenuFolder", [](GenerationSafetyTest &, Folders &f) { f.menu.clear(); }, "Nie podano folderu dla MENU"},
    {"RelativeDataFolder", [](GenerationSafetyTest &, Folders &f) { f.data = "cd/MENU/Dane"; }, "bezwzględną"},
    {"MultimediaOutsideTheCd", [](GenerationSafetyTest &t, Folders &f) { f.multimedia = t.drivePath("elsewhere/"); },
     "poza katalogiem płyty"},
    {"ProjectIsItsOwnTarget",
     [](GenerationSafetyTest &t, Folders &f) {
         f = {t.drivePath("work/"), t.drivePath("work/M/"), t.drivePath("work/D/")};
     },
     "jest źródłem"},
    {"ProjectIsItsOwnTargetUnderAnotherCase",
     [](GenerationSafetyTest &t, Folders &f) {
         f = {t.drivePath("WORK/"), t.drivePath("WORK/M/"), t.drivePath("WORK/D/")};
         QFile::link(t.drivePath("work"), t.drivePath("WORK"));
     },
     "jest źródłem"},
    {"TwoSourcesOneName",
     [](GenerationSafetyTest &t, Folders &) {
         t.writeText("work/inne/GRY.rv3", "inne");
         t.writeText("work/okno.SBL", "[DATA]\n1=work\\inne\\GRY.rv3\n");
     },
     "Dwa różne pliki o tej samej nazwie"},
    {"TargetIsAnotherSource",
     [](GenerationSafetyTest &t, Folders &) {
         QFile::remove(t.drivePath("cd/MENU/Dane/gry.RV3"));
         QFile::link(t.drivePath("work/dane/prog.RV3"), t.drivePath("cd/MENU/Dane/gry.RV3"));
     },
     "jest plikiem źródłowym"},
    {"RuntimeFileIsASource",
     [](GenerationSafetyTest &t, Folders &) {
         QFile::link(t.drivePath("work/okno.SBL"), t.drivePath("cd/MENU/orvanta.ini"));
     },
     "jest plikiem źródłowym"},
    {"MenuFolderOutsideTheCdFolder",
     [](GenerationSafetyTest &t, Folders &f) {
         QDir().mkpath(t.drivePath("gdzie/indziej"));
         t.context.DriveRoot = t.drivePath("work/");
         t.writeText("work/AUTORUN.INF", "[AUTORUN]\n");
         f = {t.drivePath("gdzie/indziej/MENU/"), t.drivePath("gdzie/indziej/MENU/M/"), t.drivePath("gdzie/indziej/MENU/D/")};
     },
     "leży poza katalogiem płyty"},
    {"TargetIsAFolder",
     [](GenerationSafetyTest &t, Folders &) { QDir().mkpath(t.drivePath("cd/MENU/Dane/prog.RV3")); },
     "nie jest zwykłym plikiem"},
};

TEST_P(GenerationSafetyTest, IsRefusedBeforeAnythingChanges)
{
    const RefusalCase &c = refusalCases[GetParam()];
    writeText(QStringLiteral("cd/MENU/Dane/gry.RV3"), QStringLiteral("old target"));
    c.arrange(*this, folders);
    const auto work = checksums(QStringLiteral("work"));
    const auto cd = checksums(QStringLiteral("cd"));
    const Plan p = plan();
    ASSERT_FALSE(p.ok());
    EXPECT_TRUE(p.refusals.join('\n').contains(QString::fromUtf8(c.reason))) << p.refusals.join('\n').toStdString();
    const Report report = execute(p, *context.ProjectIni, settings, {});
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(checksums(QStringLiteral("work")), work);
    EXPECT_EQ(checksums(QStringLiteral("cd")), cd);
    EXPECT_EQ(readBytes(QStringLiteral("cd/MENU/Dane/gry.RV3")).isEmpty(), false);
}

INSTANTIATE_TEST_SUITE_P(Mends, GenerationSafetyTest, ::testing::Range(0, int(std::size(refusalCases))),
                         [](const ::testing::TestParamInfo<int> &info) {
                             return std::string(refusalCases[info.param].name);
                         });

// AUTORUN.INF starts the autostart program only when the CD holds it.
TEST_F(GenerationTest, AutorunStartsTheAutostartProgramOnlyWhenItIsCopied)
{
    ASSERT_TRUE(generate().ok());
    EXPECT_EQ(Platform::ProfileFile(drivePath(QStringLiteral("cd/AUTORUN.INF"))).readString("AUTORUN", "OPEN", {}),
              "MENU\\PELDIX.EXE /OPCJE");

    QFile::remove(drivePath(QStringLiteral("bin/peldix")));
    const Report report = generate();
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_FALSE(report.autostartWritten);
    const Platform::ProfileFile autorun(drivePath(QStringLiteral("cd/AUTORUN.INF")));
    EXPECT_EQ(autorun.readString("AUTORUN", "OPEN", {}), "MENU\\ORVANTA.EXE /OPCJE");
    EXPECT_EQ(autorun.readString("autorun", "label", {}), "DEMO");
}

// A data file whose paths were stored from "/" before the CD folder existed
// is copied with them stored from the CD folder, so the runtime finds them;
// the source stays as it was.
TEST_F(GenerationTest, DataFilesStoredFromTheTopAreCopiedWithPathsFromTheCdFolder)
{
    writeText(QStringLiteral("cd/PROG/gra.sh"), QStringLiteral("gra"));
    const QString fromTop = Platform::toStoredPath(QStringLiteral("/"), drivePath(QStringLiteral("cd/PROG/gra.sh")));
    const QString text = QStringLiteral("TITLE=Gry\nDESC=\n\n[Gra]\nSETUP=%1\n").arg(fromTop);
    writeText(QStringLiteral("work/dane/gry.RV3"), text);
    const Plan p = plan();
    EXPECT_TRUE(p.dataFiles.warnings.empty()) << p.dataFiles.warnings.front().text().toStdString();
    ASSERT_TRUE(execute(p, *context.ProjectIni, settings, {}).ok());
    const DataFile::ReadResult copy = DataFile::read(drivePath(QStringLiteral("cd/MENU/Dane/gry.RV3")));
    ASSERT_TRUE(copy.ok());
    EXPECT_EQ(copy.category.programs.value(0).setup, "PROG\\gra.sh");
    EXPECT_EQ(readBytes(QStringLiteral("work/dane/gry.RV3")), stored(text));
}

// A picture that is a FIFO (or any other file that is no regular file) is
// listed with its reason, never opened, and the report says it was not
// copied instead of passing it over.
TEST_F(GenerationTest, ASourceThatIsNoRegularFileIsReportedAsNotCopied)
{
    const QString glyph = drivePath(QStringLiteral("work/pics/glyph.BMP"));
    ASSERT_TRUE(QFile::remove(glyph));
    ASSERT_EQ(::mkfifo(QFile::encodeName(glyph).constData(), 0600), 0);
    openProject();
    const auto lines = listSources(*context.ProjectIni, context.ProjectIni->fileName(), context.DriveRoot, settings);
    EXPECT_TRUE(texts(lines).join(u'|').contains(QStringLiteral("glyph.BMP ") + NotRegularNote));

    const Report report = execute(plan(), *context.ProjectIni, settings, {});
    EXPECT_FALSE(report.ok());
    EXPECT_TRUE(report.errors.contains(QStringLiteral("Nie skopiowano %1: to nie jest zwykły plik.").arg(glyph)))
        << report.errors.join(u'\n').toStdString();
    EXPECT_TRUE(QFile::exists(drivePath(QStringLiteral("cd/MENU/ORVANTA.INI"))));
    EXPECT_FALSE(files(QStringLiteral("cd")).join(' ').contains("glyph"));
}
