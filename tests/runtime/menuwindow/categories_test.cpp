#include "menufixture.h"

#include <buttons/menubutton.h>
#include <transplist/transplist.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

using namespace ProjectFormat;

namespace {

const QString kProject = QStringLiteral(
    "[CDROM]\nCD_TITLE=Płyta\n"
    "[NAMES]\n1001=Gry\n1002=Puste\n1003=Bez pliku\n"
    "[DATA]\n1001=DANE\\GRY.RV3\n1002=\n1003=DANE\\BRAK.RV3\n"
    "[FUNCTIONS]\n10001=1\n10002=1\n10003=1\n10004=1\n10011=1\n"
    "[OBJECTS]\nLIST=1\nSERIAL=1\nSYSTEM=1\nINFO=1\nROZMIAR=1\nDESCRIPTION=1\nTITLE=1\n");

const QString kGames = QStringLiteral(
    "TITLE=Gry planszowe\nDESC=OPISY\\GRY.TXT\n\n"
    "[Warcaby]\nSETUP=GRY\\WARCABY.EXE\nOPIS=Gra dla dwojga\nKATALOG=GRY\\\nKOPIA=\nNUMER=\nSYSTEM=Linux\n"
    "ROZMIAR=1 KB\nINFO=\nAMBITNY=\\GRY\\ZASADY.TXT\nZRZUT=GRY\\BRAK.BMP\n"
    "[Szachy]\nSETUP=\nOPIS=OPISY\\SZACHY.TXT\nKATALOG=NIE\\ISTNIEJE\\\nKOPIA=\nNUMER=123\nSYSTEM=\n"
    "ROZMIAR=\nINFO=Autor\nAMBITNY=GRY\\BRAK.TXT\nZRZUT=GRY\\SZACHY.BMP\n"
    "[Ąbecadło]\nSETUP=X\n");

class CategoryTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        writeCdText(QStringLiteral("DANE/GRY.RV3"), kGames);
        writeCdText(QStringLiteral("OPISY/GRY.TXT"), QStringLiteral("Opis kategorii\ndruga linia\n"));
        writeCdText(QStringLiteral("OPISY/SZACHY.TXT"), QStringLiteral("Szachy: opis z pliku\n"));
        writeCdText(QStringLiteral("GRY/ZASADY.TXT"), QStringLiteral("zasady"));
        writeCdBytes(QStringLiteral("GRY/SZACHY.BMP"), "BM");
    }
    TMenuButton *key(TForm1 &menu, int id) { return menu.findChild<TMenuButton *>(QStringLiteral("klw%1").arg(id)); }
    void choose(TForm1 &menu, const QString &program)
    {
        menu.controls().programList->setItemIndex(int(menu.controls().programList->items().indexOf(program)));
        menu.LISTA_PRG(menu.controls().programList);
    }
    QList<int> enabledButtons(TForm1 &menu)
    {
        QList<int> ids;
        for (int id : {StartId, CopyId, DescriptionEditId, ExploreId, ScreenshotId}) {
            if (menu.controls().functionButton(id)->isEnabled())
                ids.append(id);
        }
        return ids;
    }
};

} // namespace

TEST_F(CategoryTest, CategoryClickFillsTheListInAlphabeticalOrder)
{
    writeProject(kProject);
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1001));
    EXPECT_EQ(menu.controls().programList->items(), QStringList({"Ąbecadło", "Szachy", "Warcaby"}));
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Gry planszowe"));
    EXPECT_EQ(menu.controls().descriptionList->items(), QStringList({"Opis kategorii", "druga linia"}));
    EXPECT_TRUE(enabledButtons(menu).isEmpty());
    EXPECT_TRUE(menu.choice().CurrentProgram.isEmpty());
}

TEST_F(CategoryTest, CategoryWithoutDataFile)
{
    writeProject(kProject);
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1001));
    for (int id : {1002, 1003}) {
        menu.ODCZYTKATEGORI(key(menu, id));
        EXPECT_TRUE(menu.controls().programList->items().isEmpty()) << id;
        EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Płyta")) << id; // the application title
        EXPECT_TRUE(enabledButtons(menu).isEmpty()) << id;
    }
}

TEST_F(CategoryTest, ProgramClickEnablesWhatTheProgramHas)
{
    writeProject(kProject);
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1001));

    choose(menu, QStringLiteral("Warcaby"));
    EXPECT_EQ(menu.choice().CurrentProgram, QStringLiteral("Warcaby"));
    // AMBITNY with a leading backslash names an existing file; ZRZUT names
    // none; KATALOG is a folder.
    EXPECT_EQ(enabledButtons(menu), QList<int>({StartId, CopyId, DescriptionEditId, ExploreId}));
    EXPECT_EQ(menu.controls().systemField->text(), QStringLiteral("Linux"));
    EXPECT_EQ(menu.controls().sizeField->text(), QStringLiteral("1 KB"));
    EXPECT_EQ(menu.controls().descriptionList->items(), QStringList({"Gra dla dwojga"})); // OPIS as text

    choose(menu, QStringLiteral("Szachy")); // KATALOG names no folder, but it is there to copy
    EXPECT_EQ(enabledButtons(menu), QList<int>({CopyId, ScreenshotId}));
    EXPECT_EQ(menu.controls().serialField->text(), QStringLiteral("123"));
    EXPECT_EQ(menu.controls().infoField->text(), QStringLiteral("Autor"));
    EXPECT_EQ(menu.controls().descriptionList->items(), QStringList({"Szachy: opis z pliku"}));

    // A program with only SETUP: the rest is disabled; the drive root alone
    // is neither a file nor a folder of the program.
    choose(menu, QStringLiteral("Ąbecadło"));
    EXPECT_EQ(enabledButtons(menu), QList<int>({StartId}));
}

TEST_F(CategoryTest, FieldVisibilityFollowsTheFlags)
{
    // Each flag hides its own field while the chosen program leaves it
    // empty; without the flag the field stays visible and empty.
    const struct {
        const char *flag;
        QLineEdit *MenuControls::*field;
        const char *programWithValue;
    } cases[] = {
        {"SERIAL_IF_IS", &MenuControls::serialField, "Szachy"},
        {"SYSTEM_IF_IS", &MenuControls::systemField, "Warcaby"},
        {"PRGInfo_IF_IS", &MenuControls::infoField, "Szachy"},
        {"SIZE_IF_IS", &MenuControls::sizeField, "Warcaby"},
    };
    for (const auto &c : cases) {
        writeProject(kProject + QStringLiteral("[WINDOW]\n%1=1\n").arg(QLatin1String(c.flag)));
        TForm1 &menu = build();
        menu.ODCZYTKATEGORI(key(menu, 1001));
        choose(menu, QStringLiteral("Ąbecadło")); // every field empty
        for (const auto &other : cases)
            EXPECT_EQ((menu.controls().*other.field)->isHidden(), other.field == c.field) << c.flag << " / " << other.flag;
        choose(menu, QLatin1String(c.programWithValue));
        EXPECT_FALSE((menu.controls().*c.field)->isHidden()) << c.flag;
    }
}

TEST_F(CategoryTest, OneProgramModeChoosesTheFirstProgram)
{
    writeProject(kProject + QStringLiteral("[WINDOW]\nONE_PROG_KAT=1\n"));
    TForm1 &menu = build();
    EXPECT_FALSE(menu.controls().programList->isHidden());
    menu.ODCZYTKATEGORI(key(menu, 1001));
    EXPECT_TRUE(menu.controls().programList->isHidden());
    EXPECT_EQ(menu.choice().CurrentProgram, QStringLiteral("Warcaby")); // the first section of the file
    // Here AMBITNY and ZRZUT only need a value.
    EXPECT_EQ(enabledButtons(menu), QList<int>({StartId, CopyId, DescriptionEditId, ExploreId, ScreenshotId}));
    EXPECT_TRUE(menu.controls().serialField->isHidden()); // empty values hide their fields
    EXPECT_FALSE(menu.controls().systemField->isHidden());
}

TEST_F(CategoryTest, OneProgramModeWithoutProgramsLeavesButtonsDisabled)
{
    writeCdText(QStringLiteral("DANE/PUSTY.RV3"), QStringLiteral("TITLE=Pusty\nDESC=\n"));
    writeProject(kProject + QStringLiteral("[WINDOW]\nONE_PROG_KAT=1\n[DATA]\n1002=DANE\\PUSTY.RV3\n"));
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1001)); // the first [DATA] section wins; 1002 stays empty
    menu.ODCZYTKATEGORI(key(menu, 1002));
    EXPECT_TRUE(enabledButtons(menu).isEmpty());
    EXPECT_TRUE(menu.choice().CurrentProgram.isEmpty());
}

TEST_F(CategoryTest, HoverShowsTitleOnceAndNotWhileAKeyIsDown)
{
    writeProject(kProject + QStringLiteral("[WINDOW]\nDESC_ON_MOVE=1\nALWAYS_DOWN=1\n"
                                           "[WIDTH]\n1001=80\n[HEIGHT]\n1001=30\n"));
    TForm1 &menu = build();
    menu.OdczytOpisuKategori(key(menu, 1001));
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Gry planszowe"));
    menu.controls().titleLabel->setText(QStringLiteral("zmienione"));
    menu.OdczytOpisuKategori(key(menu, 1001)); // the same key again: nothing
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("zmienione"));
    menu.OdczytOpisuKategori(key(menu, 1002));
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Płyta"));

    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QTest::mouseClick(key(menu, 1001), Qt::LeftButton); // stays down in its group
    ASSERT_TRUE(key(menu, 1001)->down());
    menu.controls().titleLabel->setText(QStringLiteral("po kliknięciu"));
    menu.OdczytOpisuKategori(key(menu, 1002));
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("po kliknięciu"));
}

TEST_F(CategoryTest, HoverWithListOnClickHidesTheList)
{
    writeProject(kProject + QStringLiteral("[WINDOW]\nLIST_ON_CLICK=1\n"));
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1001));
    EXPECT_FALSE(menu.controls().programList->isHidden());
    menu.OdczytOpisuKategori(key(menu, 1002));
    EXPECT_TRUE(menu.controls().programList->isHidden());
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Płyta"));
}

TEST_F(CategoryTest, HoverWithoutTheFlagsOnlyRemembersTheKey)
{
    writeProject(kProject);
    TForm1 &menu = build();
    menu.OdczytOpisuKategori(key(menu, 1001));
    EXPECT_EQ(menu.controls().titleLabel->text(), QStringLiteral("Płyta"));
}

TEST_F(CategoryTest, SecondLevelCategoryLeavesTheWindowAsItWas)
{
    writeProject(kProject + QStringLiteral("[NEXT_WINDOW]\n1002=1\n[NEXT_WINDOW_INI]\n1002=DRUGIE.KLV\n"));
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(key(menu, 1001));
    choose(menu, QStringLiteral("Szachy"));
    menu.ODCZYTKATEGORI(key(menu, 1002));
    EXPECT_EQ(menu.controls().programList->items().size(), 3);
    EXPECT_EQ(menu.choice().CurrentProgram, QStringLiteral("Szachy"));
    ASSERT_TRUE(menu.subWindow());
    EXPECT_EQ(menu.subWindow()->openingKey(), QStringLiteral("1002"));
}

TEST_F(CategoryTest, AutoloadChoosesTheFirstCategory)
{
    writeProject(kProject + QStringLiteral("[WINDOW]\nAUTOLOAD=1\n"));
    EXPECT_EQ(build().controls().programList->items().size(), 3);
    writeProject(QStringLiteral("[WINDOW]\nAUTOLOAD=1\n[NAMES]\n1002=B\n[DATA]\n1002=DANE\\GRY.RV3\n[OBJECTS]\nLIST=1\n"));
    EXPECT_TRUE(build().controls().programList->items().isEmpty());
}
