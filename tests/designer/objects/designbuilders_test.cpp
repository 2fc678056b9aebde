#include "designerfixture.h"

#include <builders/designbuilders.h>
#include <objects/objectstyle.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <transplist/transplist.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;

using Builders = DesignerFixture;

TEST_F(Builders, TheStripFollowsItsEdge)
{
    const struct {
        const char *settings;
        QRect expected;
    } cases[] = {
        {"TOOLS_ALIGN=3", {0, 430, 640, 50}},
        {"TOOLS_ALIGN=1", {0, 0, 640, 50}},
        {"TOOLS_ALIGN=4\n[WIDTH]\nTOOLS=60", {0, 0, 60, 480}},
        {"TOOLS_ALIGN=2\n[WIDTH]\nTOOLS=60", {580, 0, 60, 480}},
        {"TOOLS_ALIGN=0\n[LEFT]\nTOOLS=7\n[TOP]\nTOOLS=8\n[WIDTH]\nTOOLS=90\n[HEIGHT]\nTOOLS=20", {7, 8, 90, 20}},
        {"TOOLS_ALIGN=3\n[HEIGHT]\nTOOLS=30", {0, 450, 640, 30}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.settings);
        writeText(QStringLiteral("P.KLV"),
                  QStringLiteral("[OBJECTS]\nTOOLS=1\n[WINDOW]\n") + QString::fromUtf8(row.settings) + u'\n');
        load(QStringLiteral("P.KLV"));
        ASSERT_TRUE(context.Objects.tools);
        EXPECT_EQ(context.Objects.tools->geometry(), row.expected);
    }
}

TEST_F(Builders, ObjectsTakeTheirKeysAndDefaults)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral(
        "[WINDOW]\nLIST_ON_CLICK=1\nALWAYS_DOWN=1\n"
        "[OBJECTS]\nLIST=1\nSERIAL=1\nROZMIAR=1\nDESCRIPTION=1\nTITLE=1\n"
        "[NAMES]\n1001=A\n"
        "[FUNCTIONS]\n10010=1\n10001=1\n"
        "[FUNCTIONS_Caption]\n10010=Muzyka\n"
        "[FUNCTIONS_HINT]\n10010=nie\n10001=Uruchom\n1001=Gry\n"
        "[FONT_STYLE]\n1001=iu\n"
        "[LAYHOW]\n1001=t\n10001=X\n"
        "[NUMGLYPHS]\n1001=4\n"
        "[NEWBORDER]\n1001=1\n"));
    load(QStringLiteral("P.KLV"));
    DesignObjectRefs &objects = context.Objects;
    ASSERT_TRUE(objects.list);
    EXPECT_FALSE(objects.list->isVisibleTo(&surface()));
    EXPECT_EQ(objects.list->geometry(), QRect(100, 100, 150, 300));
    EXPECT_EQ(objects.list->color(), Platform::clYellow);
    EXPECT_EQ(objects.list->selectedColor(), Platform::clBlue);
    ASSERT_TRUE(objects.serial && objects.rozmiar);
    EXPECT_EQ(objects.serial->toolTip(), u"Numer seryjny");
    EXPECT_EQ(objects.rozmiar->toolTip(), u" ROZMIAR");
    EXPECT_EQ(objects.serial->pos(), QPoint(10, 30));
    EXPECT_EQ(DesignStyle::colorOf(objects.serial, 0), Platform::clWindow);
    EXPECT_EQ(objects.serial->height(), QFontMetrics(objects.serial->font()).height() + 2);
    ASSERT_TRUE(objects.description);
    EXPECT_TRUE(objects.description->transparent());
    ASSERT_TRUE(objects.title);
    EXPECT_EQ(DesignStyle::fontColorOf(objects.title), Platform::clGreen);
    EXPECT_EQ(objects.title->geometry(), QRect(375, 100, 150, 300));

    TMenuButton *music = objects.functionKey(MusicId);
    ASSERT_TRUE(music);
    EXPECT_TRUE(music->hint().isEmpty());
    EXPECT_EQ(objects.functionKey(StartId)->hint(), u"Uruchom");
    EXPECT_EQ(objects.functionKey(StartId)->layout(), ButtonEnums::blGlyphLeft);

    auto *category = qobject_cast<TMenuButton *>(surface().components().first());
    ASSERT_TRUE(category);
    EXPECT_EQ(category->hint(), u"Gry");
    EXPECT_EQ(category->groupIndex(), 1000);
    EXPECT_EQ(category->layout(), ButtonEnums::blGlyphTop);
    EXPECT_EQ(category->numGlyphs(), 4);
    EXPECT_TRUE(category->newBorder());
    EXPECT_TRUE(category->font().italic());
    EXPECT_TRUE(category->font().underline());
    EXPECT_FALSE(category->font().bold());
}

TEST_F(Builders, FontStylesAddToABoldFont)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[NAMES]\n1001=A\n[FONT_STYLE]\n1001=iu\n"));
    // A surface whose own font is bold: the key starts bold.
    context.Surface = new TfrmMenu(context);
    QFont bold = surface().font();
    bold.setBold(true);
    surface().setFont(bold);
    context.ProjectIni = std::make_unique<Platform::ProfileFile>(drivePath(QStringLiteral("P.KLV")));
    DesignBuilders builders(context);
    builders.createCategoryKeys();
    builders.ApplyObjectStyles();
    auto *key = qobject_cast<TMenuButton *>(surface().components().first());
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->font().bold());
    EXPECT_TRUE(key->font().italic());
    EXPECT_TRUE(key->font().underline());
}

TEST_F(Builders, AMissingGlyphOfAFunctionKeyIsReportedAndTheKeyStays)
{
    writeText(QStringLiteral("P.KLV"), QStringLiteral("[FUNCTIONS]\n10001=1\n10006=1\n[GLYPH]\n10001=MENU\\BRAK.BMP\n"));
    load(QStringLiteral("P.KLV"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString expected = QStringLiteral("Plik bitmapy ") + drivePath()
                             + QString::fromUtf8("MENU\\BRAK.BMP nie istnieje. Należy skopiować plik do katalogu "
                                                 "głównego dysku lub do katalogu uwzględnionego w pliku ini w "
                                                 "następujący sposób:\n[BITMAPY]\n100x=katalog\\plik.bmp");
    EXPECT_EQ(dialogs.messages[0].text, expected);
    EXPECT_TRUE(context.Objects.functionKey(StartId));
    EXPECT_TRUE(context.Objects.functionKey(CloseId));
}
