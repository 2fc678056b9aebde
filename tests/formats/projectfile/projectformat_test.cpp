#include <projectfile/projectformat.h>
#include <testsupport.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ProjectFormat;
using Platform::ProfileFile;

class ProjectValuesTest : public ::testing::Test
{
protected:
    ProfileFile &project(const QByteArray &bytes)
    {
        const QString path = TestSupport::writeFile(dir.filePath(QStringLiteral("cd/MENU.KLV")), bytes);
        file = std::make_unique<ProfileFile>(path);
        return *file;
    }
    QTemporaryDir dir;
    std::unique_ptr<ProfileFile> file;
};

TEST_F(ProjectValuesTest, EmptyFileGivesEachReadersDefaults)
{
    const ProfileFile &ini = project("");
    const ProjectValues designer(ini, Reader::Designer, dir.path());
    const ProjectValues runtime(ini, Reader::Runtime, dir.path());
    EXPECT_EQ(designer.integer(Sections::Window, QStringLiteral("WIDTH")), 640);
    EXPECT_EQ(runtime.integer(Sections::Window, QStringLiteral("HEIGHT")), 480);
    EXPECT_EQ(runtime.color(Sections::Window, QStringLiteral("COLOR")), Platform::clBlack);
    EXPECT_TRUE(runtime.boolean(Sections::Window, QStringLiteral("BACK_ALIGN")));
    EXPECT_FALSE(runtime.boolean(Sections::Window, QStringLiteral("TILE")));
    EXPECT_EQ(designer.color(Sections::Window, QStringLiteral("LIST")), Platform::clYellow);
    EXPECT_EQ(runtime.color(Sections::Window, QStringLiteral("LIST")), Platform::clWindow);
    EXPECT_EQ(designer.color(Sections::Window, QStringLiteral("DESC")), Platform::clYellow);
    EXPECT_EQ(runtime.color(Sections::Window, QStringLiteral("DESC")), Platform::clBlue);
    EXPECT_EQ(runtime.color(Sections::Window, QStringLiteral("HintKolor")), Platform::clInfoBk);
    EXPECT_EQ(designer.text(Sections::Zeltrin, QStringLiteral("CDROM_ID")), QString());
    EXPECT_EQ(runtime.text(Sections::Zeltrin, QStringLiteral("CDROM_ID")), QStringLiteral("ZELTRIN CDROM"));
    EXPECT_EQ(runtime.text(Sections::Cdrom, QStringLiteral("CD_TITLE")), QStringLiteral("ZELTRIN KALVORA 4.0"));
    EXPECT_EQ(designer.text(Sections::FunctionsHint, QStringLiteral("rozmiar")), QStringLiteral(" ROZMIAR"));
    EXPECT_EQ(runtime.text(Sections::FunctionsHint, QStringLiteral("ROZMIAR")), QString());
    EXPECT_EQ(runtime.text(Sections::FunctionsHint, QStringLiteral("SERIAL")), QStringLiteral("Numer seryjny"));
    EXPECT_EQ(designer.bounds(SerialId), QRect(10, 30, 75, 25));
    EXPECT_EQ(runtime.bounds(SerialId), QRect(10, 30, 75, 22));
    EXPECT_EQ(runtime.bounds(ToolsId), QRect(0, 0, 640, 50));
    EXPECT_EQ(runtime.bounds(1001), QRect(0, 0, 0, 0));
    EXPECT_EQ(runtime.color(Sections::InfoCd, QStringLiteral("FONT_COLOR")), Platform::clYellow);
    EXPECT_EQ(runtime.text(Sections::InfoCd, QStringLiteral("PLIK")), QStringLiteral("INFOCD.TXT"));
    EXPECT_EQ(designer.text(Sections::InfoCd, QStringLiteral("PLIK")), QString());
    EXPECT_EQ(runtime.integer(Sections::InfoCd, QStringLiteral("TOP")), 10);
    EXPECT_EQ(defaultInfoCdBounds(QSize(640, 480)), QRect(10, 10, 620, 460));
}

TEST_F(ProjectValuesTest, ValuesOfEveryForm)
{
    const ProfileFile &ini = project("[FUNCTIONS_Caption]\r\n10001=Uruchom\r\n"
                                     "[window]\r\nCOLOR=$00123456\r\nLIST=clPink\r\nBACK_ALIGN=abc\r\n"
                                     "HintOval=2\r\nLISTTRANSP=0\r\n"
                                     "[FONT_STYLE]\r\n1001=ub\r\n1002=\r\n"
                                     "[LAYHOW]\r\n1001=t\r\n1002=TOP\r\n1003=x\r\n"
                                     "[LEFT]\r\nLIST=5\r\n[WIDTH]\r\nLIST=oops\r\n"
                                     "[WINDOW]\r\nWIDTH=1\r\n"); // second section of the name: hidden
    const ProjectValues values(ini, Reader::Runtime, dir.path());
    EXPECT_EQ(values.text(QStringLiteral("functions_caption"), QStringLiteral("10001"), {}), QStringLiteral("Uruchom"));
    EXPECT_EQ(values.color(Sections::Window, QStringLiteral("COLOR")), 0x123456);
    EXPECT_EQ(values.color(Sections::Window, QStringLiteral("LIST")), Platform::clWindow); // no colour: default
    EXPECT_TRUE(values.boolean(Sections::Window, QStringLiteral("BACK_ALIGN")));          // no integer: default
    EXPECT_TRUE(values.boolean(Sections::Window, QStringLiteral("HintOval")));
    EXPECT_FALSE(values.boolean(Sections::Window, QStringLiteral("LISTTRANSP")));
    EXPECT_EQ(values.integer(Sections::Window, QStringLiteral("WIDTH")), 640);
    EXPECT_EQ(values.fontStyles(Sections::FontStyle, QStringLiteral("1001"), 0), FontBold | FontUnderline);
    EXPECT_EQ(values.fontStyles(Sections::FontStyle, QStringLiteral("1002"), FontItalic), FontItalic);
    EXPECT_EQ(values.glyphLayout(Sections::LayHow, QStringLiteral("1001"), GlyphLayout::Left), GlyphLayout::Top);
    EXPECT_EQ(values.glyphLayout(Sections::LayHow, QStringLiteral("1002"), GlyphLayout::Left), GlyphLayout::Left);
    EXPECT_EQ(values.glyphLayout(Sections::LayHow, QStringLiteral("1003"), GlyphLayout::Right), GlyphLayout::Right);
    EXPECT_EQ(values.bounds(ListId), QRect(5, 100, 150, 300));
}

TEST_F(ProjectValuesTest, PathsResolveBelowTheReadersDriveRoot)
{
    TestSupport::writeFile(dir.filePath(QStringLiteral("cd/Menu/Back.BMP")), "BM");
    const ProfileFile &ini = project("[WINDOW]\r\nBACKGROUND=MENU\\BACK.BMP\r\n"
                                     "[BONUS]\r\nMASKA=..\\..\\MENU\\back.bmp\r\n[GLYPH]\r\n1001=\r\n");
    const QString root = dir.filePath(QStringLiteral("cd/"));
    const ProjectValues values(ini, Reader::Runtime, root);
    EXPECT_EQ(values.path(Sections::Window, QStringLiteral("BACKGROUND")), root + QStringLiteral("Menu/Back.BMP"));
    EXPECT_EQ(values.path(Sections::Bonus, QStringLiteral("MASKA")), root + QStringLiteral("Menu/Back.BMP"));
    EXPECT_EQ(values.path(Sections::Glyph, QStringLiteral("1001")), QString());
    EXPECT_EQ(values.path(Sections::Window, QStringLiteral("TOOLS_BACKGROUND"), QStringLiteral("TOOLS.BMP")),
              root + QStringLiteral("TOOLS.BMP"));
}

TEST(ProjectFormat, ObjectKeysAndIds)
{
    const struct {
        int id;
        const char *key;
    } cases[] = {{1001, "1001"}, {9999, "9999"}, {10012, "10012"}, {ListId, "LIST"}, {SerialId, "SERIAL"},
                 {ToolsId, "TOOLS"}, {DescriptionId, "DESCRIPTION"}, {TitleId, "TITLE"}, {BackId, "BACK"},
                 {InfoId, "INFO"}, {RozmiarId, "ROZMIAR"}};
    for (const auto &c : cases) {
        EXPECT_EQ(objectKey(c.id), QLatin1String(c.key));
        EXPECT_EQ(objectIdFromKey(QLatin1String(c.key)), c.id);
    }
    EXPECT_EQ(objectIdFromKey(QStringLiteral("list")), ListId);
    for (const char *bad : {"1000", "10000", "10013", "abc", "", "1001x"})
        EXPECT_FALSE(objectIdFromKey(QLatin1String(bad)).has_value()) << bad;
}

TEST(ProjectFormat, NewObjectTexts)
{
    EXPECT_EQ(newObjectCaption(1003), QStringLiteral("Kategoria3"));
    EXPECT_EQ(newObjectCaption(10006), QStringLiteral("Koniec"));
    EXPECT_EQ(newObjectHint(10006), QStringLiteral("Zakończ program"));
    EXPECT_EQ(newObjectHint(10007), QStringLiteral("Znajdź program(y)"));
    EXPECT_EQ(newObjectCaption(TitleId), QStringLiteral("Wybrana Kategoria"));
    EXPECT_EQ(newObjectHint(RozmiarId), QStringLiteral("Rozmiar programu"));
}

TEST(ProjectFormat, FontStyleAndLayoutTexts)
{
    EXPECT_EQ(fontStylesToString(FontUnderline | FontBold | FontItalic), QStringLiteral("BIU"));
    EXPECT_EQ(fontStylesToString(FontUnderline | FontBold), QStringLiteral("BU"));
    EXPECT_EQ(fontStylesToString(0), QString());
    EXPECT_EQ(addFontStyles(QStringLiteral("xiy"), FontBold), FontBold | FontItalic);
    for (GlyphLayout layout : {GlyphLayout::Left, GlyphLayout::Right, GlyphLayout::Top, GlyphLayout::Bottom})
        EXPECT_EQ(glyphLayoutFromString(glyphLayoutToString(layout), GlyphLayout::Left), layout);
}
