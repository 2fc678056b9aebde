#include "designerfixture.h"

#include <objects/designedits.h>
#include <surface/designobjects.h>
#include <project/designermessages.h>
#include <project/projectsettings.h>
#include <designreading.h>
#include <document/surfacedesign.h>

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>
#include <cp1250.h>
#include <paths.h>
#include <profilefile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <testsupport.h>

namespace {

// What a save of a window made by the creators holds, section by section in
// the order the save writes them.
const char *const kCreatedGolden = R"([NAMES]
1001=Kategoria1
[DATA]
1001=
[WORDWRAP]
1001=0
10001=0
TITLE=0
[LAYHOW]
1001=L
10001=L
[NUMGLYPHS]
1001=1
10001=1
[NOBORDER]
1001=0
10001=0
[NEWBORDER]
1001=0
10001=0
[FUNCTIONS_HINT]
1001=
10001=Start
[FONT_NAME]
1001=MS Sans Serif
10001=MS Sans Serif
LIST=MS Sans Serif
DESCRIPTION=MS Sans Serif
TITLE=MS Sans Serif
[FONT_COLOR]
1001=clYellow
10001=clYellow
LIST=clWhite
DESCRIPTION=clWhite
TITLE=clRed
[FONT_SIZE]
1001=8
10001=8
LIST=8
DESCRIPTION=8
TITLE=16
[FONT_STYLE]
1001=
10001=
LIST=
DESCRIPTION=
TITLE=BI
[LEFT]
1001=10
10001=100
LIST=200
TOOLS=0
BACK=0
DESCRIPTION=300
TITLE=300
[TOP]
1001=20
10001=20
LIST=100
TOOLS=0
BACK=0
DESCRIPTION=100
TITLE=10
[WIDTH]
1001=75
10001=75
LIST=150
TOOLS=640
BACK=640
DESCRIPTION=150
TITLE=65
[HEIGHT]
1001=35
10001=35
LIST=150
TOOLS=50
BACK=480
DESCRIPTION=150
TITLE=50
[GLYPH]
1001=
10001=
[FUNCTIONS_CAPTION]
1001=Kategoria1
10001=Start
[FUNCTIONS]
10001=1
10002=0
10003=0
10004=0
10005=0
10006=0
10007=0
10008=0
10009=0
10010=0
10011=0
10012=0
[WINDOW]
LIST=clYellow
LISTSelected=clBlue
LISTTRANSP=0
TOOLS_ALIGN=1
TOOLS_COLOR=clBlack
BACK_ALIGN=1
COLOR=clBlack
DESC=clYellow
DESCTRANSP=1
DESCRIPTION=clYellow
TITLE=clWindow
NOBORDER=0
NOBORDERICONS=0
BACKGROUND=
TOOLS_BACKGROUND=
TILE=0
TOOLS_TILE=0
KOPIA_FONT_COLOR=clYellow
SERIAL_IF_IS=0
SYSTEM_IF_IS=0
PRGInfo_IF_IS=0
SIZE_IF_IS=0
ONE_PROG_KAT=0
LIST_ON_CLICK=0
DESC_ON_MOVE=0
CURSOR_HAND=0
ALWAYS_DOWN=0
AUTOLOAD=0
HintKolor=clInfoBk
HintTextKolor=clInfoText
HintOval=0
WIDTH=640
HEIGHT=480
[OBJECTS]
LIST=1
SERIAL=0
SYSTEM=0
INFO=0
ROZMIAR=0
TOOLS=1
DESCRIPTION=1
TITLE=1
[SOUND]
MPEG_DLL=
BACKGROUND=
ON_UP=
ON_DOWN=
ON_MOVE=
[CDROM]
CD_DESCRIPTION=
CD_TITLE=
CD_CAPTION=
[ZELTRIN]
CDROM_ID=
[BONUS]
MASKA=
[Ekran]
AVI=*.AVI
BMP=*.BMP
[AVI]
H=200
W=320
[BMP]
H=200
W=320
)";

// A project as another tool or an older designer left it: symbolic
// colours in several spellings, keys the designer does not own, a second
// window of a key and stale entries of a deleted key 1003.
const char *const kHandProject = R"(; zrobione ręcznie
[CDROM]
CD_TITLE=Płyta "Żółw"
CD_CAPTION=
[WINDOW]
WIDTH=500
HEIGHT=400
COLOR=clWindow
LIST=clBtnFace
LISTSelected=$00123456
HintKolor=clINFOBK
TITLE=clWINDOW
[NAMES]
1002=Druga
1001=Pierwsza
[DATA]
1001=DANE\A.RV3
1003=DANE\STARY.RV3
[GLYPH]
1003=MENU\STARY.BMP
[NEXT_WINDOW]
1001=1
1003=1
[NEXT_WINDOW_INI]
1001=OKNO2.KLV
1003=STARE.KLV
[FUNCTIONS]
10006=1
[FUNCTIONS_CAPTION]
10006=Koniec
[FUNCTIONS_HINT]
1001=Pierwsza kategoria
1003=stara
[FONT_NAME]
1001=Arial
[FONT_COLOR]
1001=clWhite
10006=clBtnText
TITLE=clNavy
[FONT_SIZE]
1001=10
10006=9
TITLE=14
[FONT_STYLE]
1001=b
TITLE=IB
[LEFT]
1001=5
1002=5
10006=400
TITLE=100
[TOP]
1001=10
1002=60
10006=350
TITLE=5
[WIDTH]
1001=90
1002=90
10006=80
TITLE=300
[HEIGHT]
1001=40
1002=40
10006=30
TITLE=40
[OBJECTS]
TITLE=1
[INFOCD]
FONT_NAME=Arial
[WLASNE]
KLUCZ=zostaje
)";

// The save of kHandProject: every owned key rewritten, everything else left
// where it was (settings are text and keep their spelling); [NAMES], [DATA]
// and [GLYPH] are emptied and refilled in their places.
const char *const kHandSaved = R"(; zrobione ręcznie
[CDROM]
CD_TITLE=Płyta "Żółw"
CD_CAPTION=
CD_DESCRIPTION=
[WINDOW]
WIDTH=500
HEIGHT=400
COLOR=clWindow
LIST=clBtnFace
LISTSelected=$00123456
HintKolor=clINFOBK
TITLE=clWindow
BACK_ALIGN=1
NOBORDER=0
NOBORDERICONS=0
BACKGROUND=
TOOLS_BACKGROUND=
TILE=0
TOOLS_TILE=0
KOPIA_FONT_COLOR=clYellow
SERIAL_IF_IS=0
SYSTEM_IF_IS=0
PRGInfo_IF_IS=0
SIZE_IF_IS=0
ONE_PROG_KAT=0
LIST_ON_CLICK=0
DESC_ON_MOVE=0
CURSOR_HAND=0
ALWAYS_DOWN=0
AUTOLOAD=0
HintTextKolor=clInfoText
HintOval=0
[NAMES]
1002=Druga
1001=Pierwsza
[DATA]
1002=
1001=DANE\A.RV3
[GLYPH]
1002=
1001=
10006=
[NEXT_WINDOW]
1001=1
[NEXT_WINDOW_INI]
1001=OKNO2.KLV
[FUNCTIONS]
10006=1
10001=0
10002=0
10003=0
10004=0
10005=0
10007=0
10008=0
10009=0
10010=0
10011=0
10012=0
[FUNCTIONS_CAPTION]
10006=Koniec
1002=Druga
1001=Pierwsza
[FUNCTIONS_HINT]
1001=Pierwsza kategoria
1003=stara
1002=
10006=
[FONT_NAME]
1001=Arial
1002=MS Sans Serif
10006=MS Sans Serif
TITLE=MS Sans Serif
[FONT_COLOR]
1001=clWhite
10006=clBtnText
TITLE=clNavy
1002=clBtnText
[FONT_SIZE]
1001=10
10006=9
TITLE=14
1002=8
[FONT_STYLE]
1001=B
TITLE=BI
1002=
10006=
[LEFT]
1001=5
1002=5
10006=400
TITLE=100
BACK=0
[TOP]
1001=10
1002=60
10006=350
TITLE=5
BACK=0
[WIDTH]
1001=90
1002=90
10006=80
TITLE=300
BACK=500
[HEIGHT]
1001=40
1002=40
10006=30
TITLE=40
BACK=400
[OBJECTS]
TITLE=1
LIST=0
SERIAL=0
SYSTEM=0
INFO=0
ROZMIAR=0
TOOLS=0
DESCRIPTION=0
[INFOCD]
FONT_NAME=Arial
[WLASNE]
KLUCZ=zostaje
[WORDWRAP]
1002=0
1001=0
10006=0
TITLE=0
[LAYHOW]
1002=L
1001=L
10006=L
[NUMGLYPHS]
1002=1
1001=1
10006=1
[NOBORDER]
1002=0
1001=0
10006=0
[NEWBORDER]
1002=0
1001=0
10006=0
[SOUND]
MPEG_DLL=
BACKGROUND=
ON_UP=
ON_DOWN=
ON_MOVE=
[ZELTRIN]
CDROM_ID=
[BONUS]
MASKA=
[Ekran]
AVI=*.AVI
BMP=*.BMP
[AVI]
H=200
W=320
[BMP]
H=200
W=320
)";

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

class ProjectWriter : public DesignerFixture
{
protected:
    void buildWithCreators()
    {
        DesignObjectCreators creators(context);
        context.ClickPoint = QPoint(10, 20);
        creators.DodajKlawisz();
        context.ClickPoint = QPoint(100, 20);
        creators.DodajKlawisz_Start();
        context.ClickPoint = QPoint(200, 100);
        creators.DodajListeProgramow();
        context.ClickPoint = QPoint(300, 100);
        creators.DodajOpisProgramow();
        context.ClickPoint = QPoint(300, 10);
        creators.DodajEtykiete_Tytul();
        creators.Dodaj_PASEK();
    }

    QString savedText(const QString &name) const { return Platform::fromCp1250(readBytes(name)); }
};

TEST_F(ProjectWriter, WindowBuiltByCreatorsSavesTheGoldenBytesTwice)
{
    loadEmpty();
    buildWithCreators();
    ASSERT_TRUE(project.Zapisz());
    const QByteArray first = readBytes(QStringLiteral("NOWY.KLV"));
    EXPECT_EQ(Platform::fromCp1250(first), stored(text(kCreatedGolden)));
    EXPECT_EQ(first, stored(text(kCreatedGolden)));
    EXPECT_FALSE(context.ProjectModified);

    ASSERT_TRUE(project.Zapisz());
    EXPECT_EQ(readBytes(QStringLiteral("NOWY.KLV")), first);
}

TEST_F(ProjectWriter, LoadThenSaveGivesTheGoldenBytesAndASecondSaveTheSame)
{
    writeText(QStringLiteral("RECZNY.KLV"), text(kHandProject));
    load(QStringLiteral("RECZNY.KLV"));
    ASSERT_TRUE(project.Zapisz());
    const QByteArray first = readBytes(QStringLiteral("RECZNY.KLV"));
    EXPECT_EQ(Platform::fromCp1250(first).toStdString(), Platform::fromCp1250(stored(text(kHandSaved))).toStdString());
    EXPECT_EQ(first, stored(text(kHandSaved)));

    ASSERT_TRUE(project.Zapisz());
    EXPECT_EQ(readBytes(QStringLiteral("RECZNY.KLV")), first);
    load(QStringLiteral("RECZNY.KLV"));
    ASSERT_TRUE(project.Zapisz());
    EXPECT_EQ(readBytes(QStringLiteral("RECZNY.KLV")), first);
}

TEST_F(ProjectWriter, AnEditByAnotherProgramSurvivesASave)
{
    writeText(QStringLiteral("RECZNY.KLV"), text(kHandProject));
    load(QStringLiteral("RECZNY.KLV"));
    {
        Platform::ProfileFile other(drivePath(QStringLiteral("RECZNY.KLV")));
        other.writeString(QStringLiteral("WLASNE"), QStringLiteral("KLUCZ"), QStringLiteral("zmieniony"));
        other.writeString(QStringLiteral("INFOCD"), QStringLiteral("PLIK"), QStringLiteral("INFO.TXT"));
        ASSERT_TRUE(other.flush());
    }
    ASSERT_TRUE(project.Zapisz());
    const Platform::ProfileFile saved(drivePath(QStringLiteral("RECZNY.KLV")));
    EXPECT_EQ(saved.readString(QStringLiteral("WLASNE"), QStringLiteral("KLUCZ"), {}), u"zmieniony");
    EXPECT_EQ(saved.readString(QStringLiteral("INFOCD"), QStringLiteral("PLIK"), {}), u"INFO.TXT");
    EXPECT_EQ(saved.readString(QStringLiteral("NAMES"), QStringLiteral("1001"), {}), u"Pierwsza");
}

// What the project file holds beside the design ([INFOCD], sections of
// other programs) was read with it: a save writes it all again, whatever
// became of the old file meanwhile.
TEST_F(ProjectWriter, ASaveKeepsWhatWasReadWhenTheOldFileIsGone)
{
    const struct {
        const char *name;
        std::function<void()> removeAndSave;
        QString savedAs;
    } cases[] = {
        {"Save after the file was deleted",
         [this] {
             ASSERT_TRUE(QFile::remove(drivePath(QStringLiteral("sub/RECZNY.KLV"))));
             ASSERT_TRUE(project.Zapisz());
         },
         QStringLiteral("sub/RECZNY.KLV")},
        {"Save As after the folder was removed",
         [this] {
             ASSERT_TRUE(QDir(drivePath(QStringLiteral("sub"))).removeRecursively());
             dialogs.pathAnswers = {drivePath(QStringLiteral("KOPIA.KLV"))};
             project.mnuZapiszjakoClick(nullptr);
         },
         QStringLiteral("KOPIA.KLV")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        writeText(QStringLiteral("sub/RECZNY.KLV"), text(kHandProject));
        load(QStringLiteral("sub/RECZNY.KLV"));
        c.removeAndSave();
        EXPECT_EQ(savedText(c.savedAs).toStdString(), Platform::fromCp1250(stored(text(kHandSaved))).toStdString());
    }
}

TEST_F(ProjectWriter, SaveAndSaveAsKeepSecondWindowsOfKeysAndDropStaleEntries)
{
    writeText(QStringLiteral("RECZNY.KLV"), text(kHandProject));
    load(QStringLiteral("RECZNY.KLV"));
    ASSERT_TRUE(project.Zapisz());
    const auto check = [this](const QString &name) {
        SCOPED_TRACE(name.toStdString());
        const Platform::ProfileFile saved(drivePath(name));
        EXPECT_EQ(saved.readString(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1001"), {}), u"1");
        EXPECT_EQ(saved.readString(QStringLiteral("NEXT_WINDOW_INI"), QStringLiteral("1001"), {}), u"OKNO2.KLV");
        EXPECT_EQ(saved.readString(QStringLiteral("INFOCD"), QStringLiteral("FONT_NAME"), {}), u"Arial");
        for (const char *section : {"NEXT_WINDOW", "NEXT_WINDOW_INI", "GLYPH", "DATA", "NAMES"})
            EXPECT_FALSE(saved.valueExists(QLatin1String(section), QStringLiteral("1003"))) << section;
    };
    check(QStringLiteral("RECZNY.KLV"));

    dialogs.pathAnswers = {drivePath(QStringLiteral("KOPIA.KLV"))};
    project.mnuZapiszjakoClick(nullptr);
    check(QStringLiteral("KOPIA.KLV"));
    EXPECT_EQ(context.ProjectIni->fileName(), drivePath(QStringLiteral("KOPIA.KLV")));

    // A new key that gets the deleted key's id inherits nothing of it.
    DesignObjectCreators creators(context);
    TMenuButton *key = creators.DodajKlawisz();
    ASSERT_TRUE(key);
    EXPECT_EQ(MenuObjects::tagOf(key), 1003);
    EXPECT_TRUE(DesignEdits::keyFile(context, 1003, DesignEdits::KeyFile::Glyph).isEmpty());
    EXPECT_TRUE(DesignEdits::keyFile(context, 1003, DesignEdits::KeyFile::Data).isEmpty());
    EXPECT_TRUE(DesignEdits::keyFile(context, 1003, DesignEdits::KeyFile::NextWindow).isEmpty());
}

TEST_F(ProjectWriter, UntilASaveANewKeyTakesTheFilesLeftForItsId)
{
    writeText(QStringLiteral("RECZNY.KLV"), text(kHandProject));
    load(QStringLiteral("RECZNY.KLV"));
    DesignObjectCreators creators(context);
    const auto filesOf = [this](int id) {
        using DesignEdits::KeyFile;
        return QStringList{DesignEdits::keyFile(context, id, KeyFile::Glyph),
                           DesignEdits::keyFile(context, id, KeyFile::Data),
                           DesignEdits::keyFile(context, id, KeyFile::NextWindow)};
    };
    // The file names a glyph and a data file for an id that has no key.
    TMenuButton *key = creators.DodajKlawisz();
    ASSERT_TRUE(key);
    ASSERT_EQ(MenuObjects::tagOf(key), 1003);
    EXPECT_EQ(filesOf(1003), (QStringList{QStringLiteral("MENU\\STARY.BMP"), QStringLiteral("DANE\\STARY.RV3"), {}}));

    // A deleted key leaves its files to the next key of its id.
    DesignEdits::setKeyFile(context, 1003, DesignEdits::KeyFile::NextWindow, QStringLiteral("OKNO3.KLV"));
    delete key;
    key = creators.DodajKlawisz();
    ASSERT_TRUE(key);
    ASSERT_EQ(MenuObjects::tagOf(key), 1003);
    EXPECT_EQ(filesOf(1003), (QStringList{QStringLiteral("MENU\\STARY.BMP"), QStringLiteral("DANE\\STARY.RV3"),
                                          QStringLiteral("OKNO3.KLV")}));
}

TEST_F(ProjectWriter, AFailedWriteIsReportedAndKeepsTheModifiedFlag)
{
    QDir().mkpath(drivePath(QStringLiteral("zniknie")));
    writeText(QStringLiteral("zniknie/P.KLV"), text(kHandProject));
    load(QStringLiteral("zniknie/P.KLV"));
    context.ProjectModified = true;
    ASSERT_TRUE(QDir(drivePath(QStringLiteral("zniknie"))).removeRecursively());
    EXPECT_FALSE(project.Zapisz());
    EXPECT_TRUE(context.ProjectModified);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(u"Nie można zapisać pliku:"));
}

TEST_F(ProjectWriter, TheTemporaryMarkerFileKeepsTheModifiedFlag)
{
    loadEmpty();
    TestSupport::writeFile(context.DataDir + QStringLiteral("Temp/0.tmp"), {});
    context.ProjectModified = true;
    ASSERT_TRUE(project.Zapisz());
    EXPECT_TRUE(context.ProjectModified);
}

TEST_F(ProjectWriter, TemplateStartsFromTheProjectAndLeavesTheProjectAlone)
{
    writeText(QStringLiteral("RECZNY.KLV"), text(kHandProject));
    load(QStringLiteral("RECZNY.KLV"));
    context.ProjectModified = true;
    const QByteArray projectBefore = readBytes(QStringLiteral("RECZNY.KLV"));

    dialogs.textAnswers = {QStringLiteral("Mój szablon")};
    project.mnuZapiszJakoSzablonClick(nullptr);

    const QString templateFile = project.templatesDir() + QStringLiteral("Mój szablon/Mój szablon.SBL");
    ASSERT_TRUE(QFileInfo(templateFile).isFile());
    const Platform::ProfileFile saved(templateFile);
    EXPECT_EQ(saved.readString(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1001"), {}), u"1");
    EXPECT_EQ(saved.readString(QStringLiteral("INFOCD"), QStringLiteral("FONT_NAME"), {}), u"Arial");
    EXPECT_EQ(saved.readString(QStringLiteral("NAMES"), QStringLiteral("1002"), {}), u"Druga");
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(readBytes(QStringLiteral("RECZNY.KLV")), projectBefore);
    EXPECT_EQ(context.ProjectIni->fileName(), drivePath(QStringLiteral("RECZNY.KLV")));
}

TEST_F(ProjectWriter, TemplateNamesThatLeaveTheFolderAreRefused)
{
    loadEmpty();
    for (const QString &name : {QStringLiteral(".."), QStringLiteral("a/b"), QStringLiteral("a\\b"),
                                QStringLiteral("..\\wyżej"), QStringLiteral("  ")}) {
        SCOPED_TRACE(name.toStdString());
        dialogs.messages.clear();
        dialogs.textAnswers = {name};
        project.mnuZapiszJakoSzablonClick(nullptr);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_TRUE(dialogs.messages[0].text.startsWith(u"Niewłaściwa nazwa szablonu"));
    }
    EXPECT_TRUE(QDir(project.templatesDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(ProjectWriter, AnExistingTemplateIsReplacedOnlyWhenTheUserSaysYes)
{
    loadEmpty();
    const QString templateFile = project.templatesDir() + QStringLiteral("Stary/Stary.SBL");
    TestSupport::writeFile(templateFile, "[STARY]\r\nX=1\r\n");

    dialogs.textAnswers = {QStringLiteral("stary")};
    dialogs.answers = {Platform::MessageAnswer::No};
    project.mnuZapiszJakoSzablonClick(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].buttons, Platform::MessageButtons::YesNo);
    EXPECT_EQ(TestSupport::readFile(templateFile), "[STARY]\r\nX=1\r\n");

    dialogs.textAnswers = {QStringLiteral("stary")};
    dialogs.answers = {Platform::MessageAnswer::Yes};
    project.mnuZapiszJakoSzablonClick(nullptr);
    const Platform::ProfileFile saved(templateFile);
    EXPECT_TRUE(saved.sectionExists(QStringLiteral("FUNCTIONS")));
    EXPECT_FALSE(QFileInfo::exists(project.templatesDir() + QStringLiteral("stary")));
}

// The chooser lists only real folders; a save under the name of anything
// else in the templates folder writes nothing, and never through a link.
TEST_F(ProjectWriter, ATemplateIsWrittenOnlyIntoARealFolderOfTheTemplatesFolder)
{
    loadEmpty();
    QTemporaryDir elsewhere;
    const QString templates = project.templatesDir();
    QDir().mkpath(templates);
    QFile::link(elsewhere.path(), templates + QStringLiteral("Obcy"));
    QFile::link(elsewhere.path() + QStringLiteral("/brak"), templates + QStringLiteral("Zerwany"));
    TestSupport::writeFile(templates + QStringLiteral("Plik"), "x");
    const struct {
        const char *typed;
        const char *entry; // as it stands in the folder
    } cases[] = {
        {"Obcy", "Obcy"},
        {"OBCY", "Obcy"},
        {"Zerwany", "Zerwany"},
        {"plik", "Plik"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.messages.clear();
        dialogs.textAnswers = {QString::fromUtf8(c.typed)};
        project.mnuZapiszJakoSzablonClick(nullptr);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text, DesignerMessages::templateNotAFolder(QString::fromUtf8(c.entry), templates));
        EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Error);
        EXPECT_TRUE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
    EXPECT_EQ(TestSupport::readFile(templates + QStringLiteral("Plik")), "x");
    EXPECT_EQ(QDir(templates).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList({QStringLiteral("Obcy"), QStringLiteral("Plik"), QStringLiteral("Zerwany")}));

    // A real folder whose template file is a link out of it.
    QDir().mkpath(templates + QStringLiteral("Wlasny"));
    const QString outside = TestSupport::writeFile(elsewhere.filePath(QStringLiteral("cel.SBL")), "poza");
    const QString link = templates + QStringLiteral("Wlasny/wlasny.sbl");
    QFile::link(outside, link);
    dialogs.messages.clear();
    dialogs.answers = {Platform::MessageAnswer::Yes};
    dialogs.textAnswers = {QStringLiteral("Wlasny")};
    project.mnuZapiszJakoSzablonClick(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 2); // the overwrite question, then the refusal
    EXPECT_EQ(dialogs.messages[1].text, DesignerMessages::templateFileIsALink(link));
    EXPECT_EQ(TestSupport::readFile(outside), "poza");
    EXPECT_EQ(QDir(templates + QStringLiteral("Wlasny")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
              QStringList{QStringLiteral("wlasny.sbl")});
}

TEST_F(ProjectWriter, InfoCdExportNeedsTheDescriptionAndAProjectFile)
{
    loadEmpty();
    project.Exportujinfocdromu1Click(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(u"Eksportuj jako INFOCD działa tylko wtedy"));
    EXPECT_TRUE(dialogs.dialogs.isEmpty());

    DesignObjectCreators(context).DodajOpisProgramow();
    TestSupport::writeFile(drivePath(QStringLiteral("OPIS.TXT")), "tekst\r\n");
    dialogs.messages.clear();
    dialogs.pathAnswers = {drivePath(QStringLiteral("OPIS.TXT"))};
    project.Exportujinfocdromu1Click(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(u"Eksportować można tylko do pliku projektu"));
    EXPECT_EQ(readBytes(QStringLiteral("OPIS.TXT")), "tekst\r\n");
}

TEST_F(ProjectWriter, InfoCdExportWritesTheDescriptionIntoTheChosenProject)
{
    writeText(QStringLiteral("INNY.INI"), QStringLiteral("[CDROM]\nCD_TITLE=Inny\n"));
    loadEmpty();
    DesignEdits::setSetting(context, QStringLiteral("Maska"), QStringLiteral("MENU\\M.BMP"));
    DesignEdits::setSetting(context, QStringLiteral("CD_DESCRIPTION"), QStringLiteral("OPISY\\CD.TXT"));
    context.ClickPoint = QPoint(30, 40);
    DesignObjectCreators(context).DodajOpisProgramow();

    dialogs.pathAnswers = {drivePath(QStringLiteral("INNY.INI"))};
    project.Exportujinfocdromu1Click(nullptr);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(Platform::fromCp1250(readBytes(QStringLiteral("INNY.INI"))),
              QStringLiteral("[CDROM]\r\nCD_TITLE=Inny\r\n[INFOCD]\r\nFONT_NAME=MS Sans Serif\r\nFONT_COLOR=clWhite\r\n"
                             "FONT_STYLE=\r\nLEFT=30\r\nTOP=40\r\nWIDTH=150\r\nHEIGHT=150\r\nFONT_SIZE=8\r\n"
                             "MASKA=MENU\\M.BMP\r\nBMP=\r\nPLIK=OPISY\\CD.TXT\r\n"));

    // Into the open project: the next save keeps it.
    dialogs.pathAnswers = {drivePath(QStringLiteral("NOWY.KLV"))};
    project.Exportujinfocdromu1Click(nullptr);
    ASSERT_TRUE(project.Zapisz());
    const Platform::ProfileFile saved(drivePath(QStringLiteral("NOWY.KLV")));
    EXPECT_EQ(saved.readString(QStringLiteral("INFOCD"), QStringLiteral("PLIK"), {}), u"OPISY\\CD.TXT");
}

TEST_F(ProjectWriter, AnEmptyCaptionIsShownAsTheDesignersButSavedEmpty)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[CDROM]\nCD_TITLE=Moja płyta\n"));
    load(QStringLiteral("P.KLV"));
    EXPECT_EQ(surface().windowTitle(), u"Dodorurav 2.1 -> Moja płyta");
    ASSERT_TRUE(project.Zapisz());
    const Platform::ProfileFile saved(drivePath(QStringLiteral("P.KLV")));
    EXPECT_TRUE(saved.valueExists(QStringLiteral("CDROM"), QStringLiteral("CD_CAPTION")));
    EXPECT_EQ(saved.readString(QStringLiteral("CDROM"), QStringLiteral("CD_CAPTION"), QStringLiteral("x")), u"");
}

TEST_F(ProjectWriter, TheMp3LibraryFolderIsStoredBelowTheDesignersRoot)
{
    const QString root = drivePath();
    const struct {
        QString library;
        QString expected;
    } cases[] = {
        {root + QStringLiteral("KALVOR/MPEGDLL.DLL"), QStringLiteral("KALVOR\\")},
        {root + QStringLiteral("A/B/MPEGDLL.DLL"), QStringLiteral("A\\B\\")},
        {root + QStringLiteral("MPEGDLL.DLL"), QString()},
        {QStringLiteral("/poza/dyskiem/MPEGDLL.DLL"), QString()},
        {root + QStringLiteral("../obok/MPEGDLL.DLL"), QString()},
        {QString(), QString()},
    };
    for (const auto &row : cases)
        EXPECT_EQ(ProjectSettingsTable::pathToDll(root, row.library), row.expected) << row.library.toStdString();

    context.MpegDllPath = root + QStringLiteral("KALVOR/MPEGDLL.DLL");
    loadEmpty();
    ASSERT_TRUE(project.Zapisz());
    const Platform::ProfileFile saved(drivePath(QStringLiteral("NOWY.KLV")));
    EXPECT_EQ(saved.readString(QStringLiteral("SOUND"), QStringLiteral("MPEG_DLL"), {}), u"KALVOR\\");
}

TEST_F(ProjectWriter, DeletedKeysLeaveOnlyTheirOtherLinesAndNoKeysLeaveNoNames)
{
    writeText(QStringLiteral("RECZNY.KLV"), text(kHandProject));
    load(QStringLiteral("RECZNY.KLV"));
    DesignEdits::setSetting(context, QStringLiteral("CD_TITLE"), {});
    for (QWidget *object : surface().components()) {
        if (MenuObjects::tagOf(object) == 1001)
            delete object;
    }
    ASSERT_TRUE(project.Zapisz());
    {
        const Platform::ProfileFile saved(drivePath(QStringLiteral("RECZNY.KLV")));
        EXPECT_FALSE(saved.valueExists(QStringLiteral("NAMES"), QStringLiteral("1001")));
        EXPECT_FALSE(saved.valueExists(QStringLiteral("DATA"), QStringLiteral("1001")));
        EXPECT_FALSE(saved.valueExists(QStringLiteral("GLYPH"), QStringLiteral("1001")));
        EXPECT_FALSE(saved.valueExists(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1001")));
        EXPECT_EQ(saved.readString(QStringLiteral("LEFT"), QStringLiteral("1001"), {}), u"5");
        EXPECT_EQ(saved.readString(QStringLiteral("CDROM"), QStringLiteral("CD_TITLE"), QStringLiteral("x")), u"");
    }

    for (QWidget *object : surface().components())
        delete object;
    ASSERT_TRUE(project.Zapisz());
    const Platform::ProfileFile saved(drivePath(QStringLiteral("RECZNY.KLV")));
    EXPECT_FALSE(saved.sectionExists(QStringLiteral("NAMES")));
    EXPECT_FALSE(saved.sectionExists(QStringLiteral("DATA")));
    EXPECT_FALSE(saved.sectionExists(QStringLiteral("GLYPH")));
    EXPECT_EQ(saved.keyNames(QStringLiteral("FUNCTIONS")).size(), 12);
    for (const QString &key : saved.keyNames(QStringLiteral("FUNCTIONS")))
        EXPECT_EQ(saved.readString(QStringLiteral("FUNCTIONS"), key, {}), u"0") << key.toStdString();
    EXPECT_EQ(saved.readString(QStringLiteral("OBJECTS"), QStringLiteral("TITLE"), {}), u"0");
}

TEST_F(ProjectWriter, TextsWithBlanksAroundOrEnclosingQuotesReadBackAsTheyWere)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[OBJECTS]\nROZMIAR=1\n"
                                                      "[NAMES]\n1001=\"'w cudzysłowie'\"\n"
                                                      "[FUNCTIONS_HINT]\n1001=\" z odstępem \"\n"));
    load(QStringLiteral("P.KLV"));
    ASSERT_TRUE(context.Objects.rozmiar);
    EXPECT_EQ(context.Objects.rozmiar->toolTip(), u" ROZMIAR");
    ASSERT_TRUE(project.Zapisz());
    const QString saved = Platform::fromCp1250(readBytes(QStringLiteral("P.KLV")));
    EXPECT_TRUE(saved.contains(QStringLiteral("\r\nROZMIAR=\" ROZMIAR\"\r\n")));

    load(QStringLiteral("P.KLV"));
    auto *key = qobject_cast<TMenuButton *>(surface().components().first());
    ASSERT_TRUE(key);
    EXPECT_EQ(key->caption(), u"'w cudzysłowie'");
    EXPECT_EQ(key->hint(), u" z odstępem ");
    EXPECT_EQ(context.Objects.rozmiar->toolTip(), u" ROZMIAR");
}

// A project stored from "/" before its CD folder had "AUTORUN.INF" opens with
// its pictures and saves as the same project stored from the CD folder would:
// only the rebased values change, a value outside the CD folder stays.
TEST_F(ProjectWriter, PathsStoredBeforeTheCdFolderExistedAreRebasedAtTheSave)
{
    writeText(QStringLiteral("plyta/AUTORUN.INF"), QStringLiteral("[AUTORUN]\n"));
    writePicture(QStringLiteral("plyta/grafika/tło.bmp"), 40, 30, Qt::red);
    writeText(QStringLiteral("plyta/Dane/gry.RV3"), QStringLiteral("TITLE=Gry\n"));
    writeText(QStringLiteral("poza/inne.RV3"), QStringLiteral("TITLE=Inne\n"));
    const QString fromTop = Platform::toStoredPath(QStringLiteral("/"), drivePath(QStringLiteral("plyta"))) + u'\\';
    const QString outside = Platform::toStoredPath(QStringLiteral("/"), drivePath(QStringLiteral("poza/inne.RV3")));
    const auto projectText = [&](const QString &prefix) {
        return QStringLiteral("[WINDOW]\nBACKGROUND=%1grafika\\tło.bmp\nWIDTH=200\nHEIGHT=100\n"
                              "[NAMES]\n1001=Gry\n1002=Inne\n[DATA]\n1001=%1Dane\\gry.RV3\n1002=%2\n")
            .arg(prefix, outside);
    };
    writeText(QStringLiteral("plyta/projekt/STARY.KLV"), projectText(fromTop));
    writeText(QStringLiteral("plyta/projekt/NOWY.KLV"), projectText(QString()));

    load(QStringLiteral("plyta/projekt/NOWY.KLV"));
    ASSERT_TRUE(project.Zapisz());
    const QByteArray relative = readBytes(QStringLiteral("plyta/projekt/NOWY.KLV"));

    load(QStringLiteral("plyta/projekt/STARY.KLV"));
    EXPECT_EQ(context.DriveRoot, drivePath(QStringLiteral("plyta/")));
    // The picture and the data file are found: nothing is reported missing.
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.first().text.toStdString();
    ASSERT_TRUE(project.Zapisz());
    const QByteArray saved = readBytes(QStringLiteral("plyta/projekt/STARY.KLV"));
    EXPECT_EQ(Platform::fromCp1250(saved).toStdString(), Platform::fromCp1250(relative).toStdString());
    const Platform::ProfileFile file(drivePath(QStringLiteral("plyta/projekt/STARY.KLV")));
    EXPECT_EQ(file.readString(QStringLiteral("WINDOW"), QStringLiteral("BACKGROUND"), {}), u"grafika\\tło.bmp");
    EXPECT_EQ(file.readString(QStringLiteral("DATA"), QStringLiteral("1001"), {}), u"Dane\\gry.RV3");
    EXPECT_EQ(file.readString(QStringLiteral("DATA"), QStringLiteral("1002"), {}), outside);
}

// The surface shows what the file it was built from says: once a project
// has been saved, the open design equals the design read from the file,
// object by object, and the design taken from the widgets equals both.
TEST_F(ProjectWriter, TheDesignOfTheSurfaceEqualsTheDesignOfItsFile)
{
    QString manyKeys = QStringLiteral("[WINDOW]\nWIDTH=1000\nHEIGHT=700\n[NAMES]\n");
    for (int i = 0; i < 300; ++i)
        manyKeys += QStringLiteral("%1=Kategoria %2\n").arg(1001 + i).arg(i + 1);
    manyKeys += QStringLiteral("[FUNCTIONS]\n10001=1\n10010=1\n[OBJECTS]\nLIST=1\nSERIAL=1\nTOOLS=1\nTITLE=1\n");
    const QString demo = QStringLiteral(KALVORA_DEMO_CD "/ORVANTA.INI");
    const struct {
        const char *name;
        QString text;
    } rows[] = {
        {"created", {}},
        {"hand-written", text(kHandProject)},
        {"demo", QFileInfo(demo).isFile() ? Platform::fromCp1250(TestSupport::readFile(demo)) : QString()},
        {"300 keys", manyKeys},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString name = QStringLiteral("P%1.KLV").arg(&row - rows);
        if (row.text.isNull()) {
            loadEmpty(name);
            buildWithCreators();
        } else {
            writeText(name, row.text);
            load(name);
        }
        ASSERT_TRUE(project.Zapisz());
        load(name);
        const ProjectFormat::MenuDesign shown = savedDesignOf(context);
        const ProjectFormat::MenuDesign stored = ProjectFormat::MenuDesign::read(Platform::ProfileFile(drivePath(name)));
        EXPECT_EQ(shown.keys.size(), stored.keys.size());
        EXPECT_EQ(shown, stored);
        EXPECT_EQ(DesignReading::designOfSurface(context), designOf(context));
    }
}
