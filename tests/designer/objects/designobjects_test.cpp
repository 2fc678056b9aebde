#include "designerfixture.h"

#include <surface/designobjects.h>
#include <objects/objectstyle.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

using namespace ProjectFormat;
using MenuObjects::tagOf;

TEST(NextCategoryId, FollowsTheLargestAndStepsOverSingleObjects)
{
    QList<int> all;
    for (int id = 1001; id <= 9999; ++id) {
        if (!isSingleObjectId(id))
            all.append(id);
    }
    QList<int> allButOne = all;
    allButOne.removeOne(4321);
    const struct {
        const char *name;
        QList<int> used;
        std::optional<int> expected;
    } cases[] = {
        {"empty surface", {}, 1001},
        {"gaps below the largest stay", {1001, 1002, 1005}, 1006},
        {"function keys do not count", {10001, 10012}, 1001},
        {"just below the single objects", {1499}, 1509},
        {"a category that has a single object's id", {1503}, 1509},
        {"largest is 9999: lowest free", {1001, 1002, 1004, 9999}, 1003},
        {"only 9999", {9999}, 1001},
        {"one free id left", allButOne, 4321},
        {"full", all, std::nullopt},
    };
    for (const auto &row : cases)
        EXPECT_EQ(DesignObjectCreators::nextCategoryId(row.used), row.expected) << row.name;
}

class Creators : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        loadEmpty();
    }
    DesignObjectCreators creators{context};
};

TEST_F(Creators, CategoryKeysGetTheNextIdAndItsCaption)
{
    context.ClickPoint = QPoint(12, 34);
    TMenuButton *first = creators.DodajKlawisz();
    ASSERT_TRUE(first);
    EXPECT_EQ(tagOf(first), 1001);
    EXPECT_EQ(first->caption(), u"Kategoria1");
    EXPECT_EQ(first->geometry(), QRect(12, 34, 75, 35));
    EXPECT_FALSE(first->opaque());
    EXPECT_EQ(DesignStyle::fontColorOf(first), Platform::clYellow);
    EXPECT_TRUE(first->hint().isEmpty());
    EXPECT_EQ(context.CurrentObject, first);

    creators.DodajKlawisz();
    creators.DodajKlawisz();
    delete creators.DodajKlawisz(); // the largest id is given again
    TMenuButton *again = creators.DodajKlawisz();
    EXPECT_EQ(tagOf(again), 1004);
    EXPECT_EQ(again->caption(), u"Kategoria4");
}

TEST_F(Creators, FunctionKeysAndSingleObjectsAreMadeOnce)
{
    TMenuButton *start = creators.DodajKlawisz_Start();
    ASSERT_TRUE(start);
    EXPECT_EQ(start->caption(), u"Start");
    EXPECT_EQ(start->hint(), u"Start");
    EXPECT_TRUE(start->showHint());
    EXPECT_EQ(creators.DodajKlawisz_Start(), nullptr);
    EXPECT_EQ(context.Objects.functionKey(StartId), start);

    for (int kind : {int(ListId), int(SerialId), int(ToolsId), int(DescriptionId), int(TitleId), int(MusicId)}) {
        SCOPED_TRACE(kind);
        EXPECT_TRUE(creators.create(kind));
        EXPECT_EQ(creators.create(kind), nullptr);
    }
    EXPECT_EQ(surface().components().size(), 7);

    const struct {
        int id;
        const char *caption;
        const char *hint;
    } keys[] = {{CloseId, "Koniec", "Zakończ program"}, {SearchId, "Szukaj", "Znajdź program(y)"},
                {MusicId, "Muzyka", "ON"}, {OptionsId, "Opcje", "Opcje menu"}};
    for (const auto &row : keys) {
        creators.create(row.id);
        auto *key = qobject_cast<TMenuButton *>(context.Objects.object(row.id));
        ASSERT_TRUE(key) << row.id;
        EXPECT_EQ(key->caption(), QString::fromUtf8(row.caption));
        EXPECT_EQ(key->hint(), QString::fromUtf8(row.hint));
    }
}

TEST_F(Creators, TheStripLiesAlongTheTopWhereverTheClick)
{
    context.ClickPoint = QPoint(200, 300);
    TImage *tools = creators.Dodaj_PASEK();
    ASSERT_TRUE(tools);
    EXPECT_EQ(tools->geometry(), QRect(0, 0, 640, 50));
    EXPECT_TRUE(surface().ToolStripPlaced);
}

TEST_F(Creators, ListsAndTitleTakeTheirSamples)
{
    context.ClickPoint = QPoint(5, 6);
    TTranspList *list = creators.DodajListeProgramow();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->geometry(), QRect(5, 6, 150, 150));
    EXPECT_EQ(list->items().first(), u"Próbka tekstu:");
    EXPECT_EQ(list->fontColor(), Platform::clWhite);
    TTranspList *description = creators.DodajOpisProgramow();
    EXPECT_EQ(description->items(), DesignObjectCreators::descriptionSampleLines());
    QLabel *title = creators.DodajEtykiete_Tytul();
    EXPECT_EQ(title->text(), u"Wybrana Kategoria");
    EXPECT_EQ(title->height(), 50);
    EXPECT_EQ(title->font().pointSize(), 16);
    EXPECT_TRUE(title->font().bold() && title->font().italic());
    EXPECT_EQ(DesignStyle::fontColorOf(title), Platform::clRed);
}

TEST_F(Creators, BackLiesBelowTheStripBelowTheObjectsBelowTheTitle)
{
    QLabel *title = creators.DodajEtykiete_Tytul();
    TMenuButton *key = creators.DodajKlawisz();
    TImage *tools = creators.Dodaj_PASEK();
    TTranspList *list = creators.DodajListeProgramow();
    const QObjectList order = surface().children(); // back to front
    const auto at = [&order](QObject *object) { return order.indexOf(object); };
    EXPECT_LT(at(surface().Image1), at(tools));
    EXPECT_LT(at(tools), at(key));
    EXPECT_LT(at(tools), at(list));
    EXPECT_LT(at(key), at(title));
    EXPECT_LT(at(list), at(title));
}

TEST_F(Creators, EditsAreAsHighAsTheirOwnFontNeeds)
{
    QLineEdit *edit = creators.DodajNumerySeryjne();
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->text(), u"Tekst próbny: WŹg");
    EXPECT_EQ(edit->width(), 150);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_FALSE(edit->hasFrame());
    EXPECT_EQ(edit->toolTip(), u"Numer seryjny");
    EXPECT_EQ(edit->height(), QFontMetrics(edit->font()).height() + 2);

    QFont large = edit->font();
    large.setPointSize(28);
    edit->setFont(large);
    DesignObjectCreators::NapiszProbke(edit);
    EXPECT_EQ(edit->height(), QFontMetrics(large).height() + 2);
    EXPECT_GT(edit->height(), QFontMetrics(surface().font()).height() + 2);
}

TEST_F(Creators, ARememberedGlyphThatIsGoneIsReportedForFunctionKeysOnly)
{
    context.KeyFilesLeft[1001].glyphFile = QStringLiteral("MENU\\BRAK.BMP");
    context.KeyFilesLeft[10006].glyphFile = QStringLiteral("MENU\\BRAK.BMP");
    EXPECT_TRUE(creators.DodajKlawisz());
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(creators.DodajKlawisz_Koniec());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Brak dostępu do bitmapy klawisza!\n") + drivePath() + QStringLiteral("MENU\\BRAK.BMP"));
    EXPECT_EQ(dialogs.messages[0].caption, u"Dodorurav 2.1");
    EXPECT_EQ(dialogs.messages[0].icon, Platform::MessageIcon::Warning);

    writePicture(QStringLiteral("MENU/JEST.BMP"), 16, 16, Qt::green);
    context.KeyFilesLeft[10001].glyphFile = QStringLiteral("menu\\jest.bmp");
    TMenuButton *start = creators.DodajKlawisz_Start();
    EXPECT_FALSE(start->glyph().isNull());
}
