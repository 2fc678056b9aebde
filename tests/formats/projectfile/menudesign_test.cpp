#include <projectfile/menudesign.h>
#include <testsupport.h>

#include <cp1250.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ProjectFormat;
using Platform::ProfileFile;

namespace {

// A project as another tool left it: sections in other letter cases, a
// second [WINDOW] whose values lose to the first, keys and sections the
// design does not own, comments, quoted texts and a key's second window.
const char *const kHandWritten = "; zrobione ręcznie\r\n"
                                 "[window]\r\n"
                                 "Width=500\r\n"
                                 "HEIGHT=400\r\n"
                                 "color=clNavy\r\n"
                                 "WLASNY=zostaje\r\n"
                                 "[Names]\r\n"
                                 "1002=Druga\r\n"
                                 "1001=\" Pierwsza \"\r\n"
                                 "x=nie klawisz\r\n"
                                 "[FUNCTIONS]\r\n"
                                 "10006=1\r\n"
                                 "10010=1\r\n"
                                 "[FUNCTIONS_Caption]\r\n"
                                 "10006=Koniec\r\n"
                                 "[functions_hint]\r\n"
                                 "10010=nie czytany\r\n"
                                 "1001=Pierwsza kategoria\r\n"
                                 "[NEXT_WINDOW]\r\n"
                                 "1001=1\r\n"
                                 "[NEXT_WINDOW_INI]\r\n"
                                 "1001=OKNO2.KLV\r\n"
                                 "[FONT_STYLE]\r\n"
                                 "1001=ub\r\n"
                                 "[OBJECTS]\r\n"
                                 "TITLE=1\r\n"
                                 "TOOLS=1\r\n"
                                 "[WINDOW]\r\n"
                                 "COLOR=clRed\r\n"
                                 "TOOLS_ALIGN=3\r\n"
                                 "[INFOCD]\r\n"
                                 "FONT_NAME=Arial\r\n"
                                 "[WLASNE]\r\n"
                                 "KLUCZ=zostaje\r\n"
                                 "; koniec\r\n";

QByteArray largeProject()
{
    QString names = QStringLiteral("[NAMES]\r\n");
    QString left = QStringLiteral("[LEFT]\r\n");
    QString top = QStringLiteral("[TOP]\r\n");
    for (int i = 0; i < 300; ++i) {
        names += QStringLiteral("%1=Kategoria %2\r\n").arg(1001 + i).arg(i + 1);
        left += QStringLiteral("%1=%2\r\n").arg(1001 + i).arg((i % 10) * 100);
        top += QStringLiteral("%1=%2\r\n").arg(1001 + i).arg((i / 10) * 22);
    }
    QString functions = QStringLiteral("[FUNCTIONS]\r\n");
    for (int id = FirstFunctionId; id <= LastFunctionId; ++id)
        functions += QStringLiteral("%1=1\r\n").arg(id);
    return Platform::toCp1250(QStringLiteral("[WINDOW]\r\nWIDTH=1000\r\nHEIGHT=700\r\n") + names + functions
                              + QStringLiteral("[OBJECTS]\r\nLIST=1\r\nSERIAL=1\r\nSYSTEM=1\r\nTOOLS=1\r\n"
                                               "DESCRIPTION=1\r\nTITLE=1\r\nINFO=1\r\nROZMIAR=1\r\n")
                              + left + top);
}

MenuDesign withoutSource(MenuDesign design)
{
    design.sourceText.clear();
    return design;
}

} // namespace

class MenuDesignTest : public ::testing::Test
{
protected:
    QString put(const QString &name, const QByteArray &bytes)
    {
        return TestSupport::writeFile(dir.filePath(name), bytes);
    }
    QTemporaryDir dir;
};

// Every row: the first write stores every value the design owns; after it
// the file is a fixed point, so reading and writing again changes no byte,
// whether the design goes back into its own file or onto an empty one.
TEST_F(MenuDesignTest, ReadThenWriteKeepsEveryByteOnceTheDesignIsStored)
{
    const QString demo = QStringLiteral(KALVORA_DEMO_CD "/ORVANTA.INI");
    const struct {
        const char *name;
        QByteArray bytes;
    } rows[] = {
        {"demo project", QFileInfo(demo).isFile() ? TestSupport::readFile(demo) : QByteArray()},
        {"hand-written", Platform::toCp1250(QString::fromUtf8(kHandWritten))},
        {"300 keys", largeProject()},
        {"empty", QByteArray()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = put(QStringLiteral("P.KLV"), row.bytes);
        ProfileFile file(path);
        const MenuDesign design = MenuDesign::read(file);
        design.write(file);
        ASSERT_TRUE(file.flush());
        const QByteArray stored = TestSupport::readFile(path);

        ProfileFile again(path);
        const MenuDesign reread = MenuDesign::read(again);
        EXPECT_EQ(withoutSource(reread), withoutSource(design));
        reread.write(again);
        EXPECT_EQ(again.text(), Platform::fromCp1250(stored));
        ASSERT_TRUE(again.flush());
        EXPECT_EQ(TestSupport::readFile(path), stored);

        ProfileFile empty(put(QStringLiteral("NOWY.KLV"), {}));
        reread.write(empty);
        ASSERT_TRUE(empty.flush());
        EXPECT_EQ(TestSupport::readFile(empty.fileName()), stored);

        // The typed values alone make the same design.
        ProfileFile bare(put(QStringLiteral("BARE.KLV"), {}));
        withoutSource(design).write(bare);
        EXPECT_EQ(withoutSource(MenuDesign::read(bare)), withoutSource(design));
    }
}

TEST_F(MenuDesignTest, ReadsCaseVariantSectionsFirstOfDuplicatesAndKeepsWhatItDoesNotOwn)
{
    const QString path = put(QStringLiteral("P.KLV"), Platform::toCp1250(QString::fromUtf8(kHandWritten)));
    ProfileFile file(path);
    const MenuDesign design = MenuDesign::read(file);
    EXPECT_EQ(design.windowSize, QSize(500, 400));
    EXPECT_EQ(design.windowColor, Platform::clNavy);
    ASSERT_EQ(design.keys.size(), 4u);
    EXPECT_EQ(design.keys[0].id, 1002);
    EXPECT_EQ(design.keys[1].caption, u" Pierwsza ");
    EXPECT_EQ(design.keys[1].hint, u"Pierwsza kategoria");
    EXPECT_EQ(design.keys[1].font.styles, FontBold | FontUnderline);
    EXPECT_EQ(design.keys[1].nextWindow, u"1");
    EXPECT_EQ(design.keys[1].nextWindowFile, u"OKNO2.KLV");
    EXPECT_EQ(design.keys[2].caption, u"Koniec");
    EXPECT_EQ(design.keys[3].id, int(MusicId));
    EXPECT_TRUE(design.keys[3].hint.isEmpty());
    ASSERT_TRUE(design.tools);
    // The second [WINDOW] names the bottom edge, but the first one wins.
    EXPECT_EQ(design.tools->align, 1);
    EXPECT_EQ(design.tools->bounds, QRect(0, 0, 500, 50));
    EXPECT_TRUE(design.title);
    EXPECT_FALSE(design.list);
    ASSERT_TRUE(design.infoCd);
    EXPECT_EQ(design.infoCd->font.name, u"Arial");

    design.write(file);
    const QString stored = file.text();
    for (const char *line : {"; zrobione ręcznie\r\n[window]\r\nWidth=500\r\n", "WLASNY=zostaje\r\n",
                             "1001=\" Pierwsza \"\r\n",
                             "[WINDOW]\r\nCOLOR=clRed\r\nTOOLS_ALIGN=3\r\n", "[INFOCD]\r\nFONT_NAME=Arial\r\n[",
                             "[WLASNE]\r\nKLUCZ=zostaje\r\n; koniec\r\n", "[NEXT_WINDOW]\r\n1001=1\r\n",
                             "[FUNCTIONS_Caption]\r\n10006=Koniec\r\n"})
        EXPECT_TRUE(stored.contains(QString::fromUtf8(line))) << line;
    EXPECT_FALSE(stored.contains(QStringLiteral("[FUNCTIONS_CAPTION]")));
}

// What the design changes reaches the file, and only there.
TEST_F(MenuDesignTest, ChangesOfTheDesignReachTheFile)
{
    ProfileFile file(put(QStringLiteral("P.KLV"), Platform::toCp1250(QString::fromUtf8(kHandWritten))));
    MenuDesign design = MenuDesign::read(file);
    design.keys.erase(design.keys.begin() + 1); // 1001 with its second window
    design.keys[0].bounds = QRect(7, 8, 90, 40);
    design.keys[0].font.color = Platform::clYellow;
    design.title->color = Platform::TColor(0x123456);
    design.setSetting(QStringLiteral("CD_TITLE"), QStringLiteral("Płyta"));
    design.infoCd->textFile = QStringLiteral("INFO.TXT");
    design.write(file);

    const MenuDesign stored = MenuDesign::read(file);
    EXPECT_EQ(withoutSource(stored), withoutSource(design));
    for (const QString &section : {QStringLiteral("NAMES"), QStringLiteral("NEXT_WINDOW"),
                                   QStringLiteral("NEXT_WINDOW_INI")})
        EXPECT_FALSE(file.valueExists(section, QStringLiteral("1001"))) << section.toStdString();
    EXPECT_EQ(file.readString(QStringLiteral("LEFT"), QStringLiteral("1002"), {}), u"7");
    EXPECT_EQ(file.readString(QStringLiteral("FONT_COLOR"), QStringLiteral("1002"), {}), u"clYellow");
    EXPECT_EQ(file.readString(QStringLiteral("WINDOW"), QStringLiteral("TITLE"), {}), u"$00123456");
    EXPECT_EQ(file.readString(QStringLiteral("CDROM"), QStringLiteral("CD_TITLE"), {}), u"Płyta");
    EXPECT_EQ(file.readString(QStringLiteral("INFOCD"), QStringLiteral("PLIK"), {}), u"INFO.TXT");
    EXPECT_EQ(file.readString(QStringLiteral("WLASNE"), QStringLiteral("KLUCZ"), {}), u"zostaje");
}

// Whatever a file holds, the design read from it, once stored, reads back as
// itself for either reader: keys that name no category, numbers out of
// range and values of the wrong form included.
TEST_F(MenuDesignTest, AStoredDesignReadsBackAsItselfWhateverTheFileHeld)
{
    const struct {
        const char *name;
        const char *text;
    } rows[] = {
        {"names of function keys and of no key", "[NAMES]\n10001=Start?\n20000=za daleko\n1000=za nisko\n5=x\n"
                                                 "[FUNCTIONS]\n10001=1\n"},
        {"one id written two ways", "[NAMES]\n01001=pierwszy\n1001=drugi\n"},
        {"numbers past any screen", "[WINDOW]\nWIDTH=99999999\nHEIGHT=-5\n[NAMES]\n1001=A\n"
                                    "[LEFT]\n1001=-99999999\n[FONT_SIZE]\n1001=5000\n[NUMGLYPHS]\n1001=-3\n"},
        {"values of the wrong form", "[WINDOW]\nCOLOR=czerwony\nTOOLS_ALIGN=7\nBACK_ALIGN=nie\n[OBJECTS]\nTOOLS=tak\n"
                                     "LIST=2\n[FONT_COLOR]\nLIST=$FFFFFFFF\n[LAYHOW]\n1001=lt\n[NAMES]\n1001=\"\n"},
        {"quotes and blanks", "[NAMES]\n1001=\"'\"\n1002=' w '\n[FUNCTIONS_HINT]\n1001=  \"\"  \n"
                              "[CDROM]\nCD_TITLE=\"\"\"\n[INFOCD]\nFONT_NAME= \"x\" \n"},
        {"a strip along each edge", "[WINDOW]\nTOOLS_ALIGN=2\nWIDTH=300\n[OBJECTS]\nTOOLS=1\n[WIDTH]\nTOOLS=-40\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const ProfileFile file(put(QStringLiteral("P.KLV"), Platform::toCp1250(QString::fromUtf8(row.text))));
        for (Reader reader : {Reader::Designer, Reader::Runtime}) {
            const MenuDesign design = withoutSource(MenuDesign::read(file, reader));
            ProfileFile stored(put(QStringLiteral("S.KLV"), {}));
            design.write(stored);
            EXPECT_EQ(withoutSource(MenuDesign::read(stored, reader)), design) << stored.text().toStdString();
            stored.reload();
        }
    }
    // Only a category id names a category key.
    const ProfileFile file(put(QStringLiteral("P.KLV"), Platform::toCp1250(QString::fromUtf8(rows[0].text))));
    const MenuDesign design = MenuDesign::read(file);
    ASSERT_EQ(design.keys.size(), 1u);
    EXPECT_EQ(design.keys[0].id, int(StartId));
    const MenuDesign twice = MenuDesign::read(ProfileFile(put(QStringLiteral("Q.KLV"), "[NAMES]\r\n01001=pierwszy\r\n1001=drugi\r\n")));
    ASSERT_EQ(twice.keys.size(), 1u);
    EXPECT_EQ(twice.keys[0].caption, u"pierwszy");
}
