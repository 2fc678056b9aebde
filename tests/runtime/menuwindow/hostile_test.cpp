// A CD made by a careless or hostile author: special files where files are
// expected, links leading off the CD, numbers no screen can hold. The menu
// must come up (or say why not) and never hang, die or hand out a file that
// is not on the CD.
#include "menufixture.h"

#include <buttons/menubutton.h>
#include <shaper/controlshaper.h>
#include <transplist/transplist.h>

#include <texts/runtimetexts.h>

#include <testsupport.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>

#include <unistd.h>

using namespace ProjectFormat;

namespace {

class HostileCdTest : public MenuFixture
{
protected:
    // A file with a secret off the CD, and a folder beside it.
    QString outside(const QString &name) const { return dir.path() + QStringLiteral("/outside/") + name; }
    void SetUp() override
    {
        MenuFixture::SetUp();
        TestSupport::writeFile(outside(QStringLiteral("secret.txt")), "TAJNE");
        TestSupport::writeFile(outside(QStringLiteral("folder/x.txt")), "TAJNE");
    }
    QString shownDescription() const { return window->controls().descriptionMemo->toPlainText(); }
};

} // namespace

// Every kind of file the menu reads, named once as each kind of special file.
TEST_F(HostileCdTest, SpecialFilesInPlaceOfFilesAreSkipped)
{
    QList<QPair<QString, QString>> specials = TestSupport::makeSpecialFiles(cdPath(QStringLiteral("SPECIAL")));
    QFile::link(outside(QStringLiteral("secret.txt")), cdPath(QStringLiteral("SPECIAL/out")));
    specials.append({QStringLiteral("link off the CD"), cdPath(QStringLiteral("SPECIAL/out"))});

    for (const auto &[special, path] : specials) {
        SCOPED_TRACE(special.toStdString());
        const QString stored = QStringLiteral("SPECIAL\\") + QFileInfo(path).fileName();
        writeProject(QStringLiteral("[WINDOW]\nWIDTH=300\nHEIGHT=200\nBACKGROUND=%1\nTOOLS_BACKGROUND=%1\n"
                                    "[BONUS]\nMASKA=%1\n[CDROM]\nCD_DESCRIPTION=%1\n"
                                    "[NAMES]\n1001=Gry\n[GLYPH]\n1001=%1\n[DATA]\n1001=%1\n"
                                    "[OBJECTS]\nLIST=1\nDESCRIPTION=1\nTOOLS=1\n")
                         .arg(stored));
        alarm(30); // a hang ends the test program
        TForm1 &menu = build();
        EXPECT_EQ(menu.size(), QSize(300, 200));
        EXPECT_FALSE(menu.shaper()->shapeActive());
        EXPECT_EQ(shownDescription(), stored); // a value naming no file is shown as text
        menu.ODCZYTKATEGORI(menu.controls().categoryKeys.at(0));
        alarm(0);
        EXPECT_TRUE(menu.controls().programList->items().isEmpty());
        EXPECT_TRUE(dialogs.messages.isEmpty());
        window.reset();
    }
}

// A program whose files are links leading off the CD: nothing is run,
// opened or shown, and the buttons stay as for missing files.
TEST_F(HostileCdTest, LinksLeadingOffTheCdCountAsMissing)
{
    QDir().mkpath(cdPath(QStringLiteral("GRY")));
    QFile::link(outside(QStringLiteral("secret.txt")), cdPath(QStringLiteral("GRY/setup.exe")));
    QFile::link(outside(QStringLiteral("secret.txt")), cdPath(QStringLiteral("GRY/opis.txt")));
    QFile::link(outside(QStringLiteral("folder")), cdPath(QStringLiteral("GRY/katalog")));
    writeCdText(QStringLiteral("DANE/GRY.RV3"),
                QStringLiteral("TITLE=Gry\nDESC=GRY\\opis.txt\n\n[Gra]\nSETUP=GRY\\setup.exe\nOPIS=GRY\\opis.txt\n"
                               "AMBITNY=GRY\\opis.txt\nKATALOG=GRY\\katalog\\\nZRZUT=GRY\\katalog\\x.txt\n"));
    writeProject(QStringLiteral("[NAMES]\n1001=Gry\n[DATA]\n1001=DANE\\GRY.RV3\n"
                                "[FUNCTIONS]\n10001=1\n10003=1\n10004=1\n10011=1\n[OBJECTS]\nLIST=1\nDESCRIPTION=1\n"));
    TForm1 &menu = build();
    menu.ODCZYTKATEGORI(menu.controls().categoryKeys.at(0));
    EXPECT_FALSE(shownDescription().contains(QStringLiteral("TAJNE")));
    menu.controls().programList->setItemIndex(0);
    menu.LISTA_PRG(menu.controls().programList);
    EXPECT_FALSE(shownDescription().contains(QStringLiteral("TAJNE")));
    EXPECT_FALSE(menu.controls().functionButton(DescriptionEditId)->isEnabled());
    EXPECT_FALSE(menu.controls().functionButton(ExploreId)->isEnabled());
    EXPECT_FALSE(menu.controls().functionButton(ScreenshotId)->isEnabled());

    menu.START_PRG(nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(RuntimeTexts::FileMissing));
    menu.OPIS_PRG(nullptr);
    menu.EXPLORE_PRG(nullptr);
    EXPECT_TRUE(launcher.opened.isEmpty());
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_EQ(dialogs.messages.size(), 3);
}

// Numbers a 32-bit field holds but no screen does: clamped before any
// arithmetic (UBSan stopped on the overflow) and before any allocation.
TEST_F(HostileCdTest, HugeNumbersAreClampedToAScreen)
{
    writeProject(QStringLiteral("[WINDOW]\nWIDTH=100000\nHEIGHT=2147483647\n[NAMES]\n1001=Gry\n"
                                "[LEFT]\n1001=2147483647\n[TOP]\n1001=-2147483648\n[WIDTH]\n1001=2147483647\n"
                                "[HEIGHT]\n1001=$FFFFFFFF\n[FONT_SIZE]\n1001=2147483647\n"));
    TForm1 &menu = build();
    EXPECT_EQ(menu.size(), QSize(8192, 8192));
    TMenuButton *key = menu.controls().categoryKeys.at(0);
    EXPECT_EQ(key->geometry(), QRect(16384, -16384, 8192, 0));
    EXPECT_EQ(key->font().pointSize(), 1000);
}
