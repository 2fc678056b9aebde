#include "menufixture.h"
#include "modal.h"

#include <dialogs/searchdialog.h>

#include <buttons/menubutton.h>

#include <lists/horlistbox.h>
#include <transplist/transplist.h>

#include <QLineEdit>
#include <QTest>

using namespace ProjectFormat;

namespace {

// The menu lists the data files of its second window as generation does,
// and spells two of them otherwise than the second window does.
const QString kMenu = QStringLiteral(
    "[NAMES]\n1001=Gry\n1002=Więcej\n"
    "[DATA]\n1001=DANE\\GRY.RV3\n1002=DANE\\WIECEJ.RV3\n0=DANE\\LAMIGLOWKI.RV3\n1=Dane/Jezyki.rv3\n"
    "[NEXT_WINDOW]\n1002=1\n[NEXT_WINDOW_INI]\n1002=DRUGIE\\DRUGIE.INI\n"
    "[FUNCTIONS]\n10007=1\n[OBJECTS]\nLIST=1\n");
const QString kSecond = QStringLiteral(
    "[NAMES]\n1001=Łamigłówki\n1002=Języki\n"
    "[DATA]\n1001=dane\\lamiglowki.rv3\n1002=DANE\\JEZYKI.RV3\n"
    "[FUNCTIONS]\n10007=1\n[OBJECTS]\nLIST=1\n");

class SearchTest : public MenuFixture
{
protected:
    void SetUp() override
    {
        MenuFixture::SetUp();
        writeProject(kMenu);
        writeCdText(QStringLiteral("DRUGIE/DRUGIE.INI"), kSecond);
        writeCdText(QStringLiteral("DANE/GRY.RV3"), QStringLiteral("TITLE=Gry\n[Szachy]\n[Warcaby]\n[Saper]\n"));
        writeCdText(QStringLiteral("DANE/WIECEJ.RV3"), QStringLiteral("TITLE=Więcej\n"));
        writeCdText(QStringLiteral("DANE/LAMIGLOWKI.RV3"), QStringLiteral("TITLE=Łamigłówki\n[Krzyżówka]\n[Labirynt]\n"));
        writeCdText(QStringLiteral("DANE/JEZYKI.RV3"), QStringLiteral("TITLE=Języki\n[Słówka]\n[Rozmówki]\n"));
    }

    QStringList found(const QString &text)
    {
        QStringList names;
        for (const SearchHit &hit : ProgramSearch::find(context->menuValues(), text))
            names.append(hit.program + u'@' + hit.tag);
        return names;
    }

    // Searches in a dialog of window and chooses the named line.
    std::optional<SearchHit> choose(TMenuWindowBase &owner, const QString &text, const QString &program)
    {
        T_Szukaj dialog(&owner, *context);
        dialog.edtSzukany->setText(text);
        dialog.klwFindClick(dialog.klwFind);
        const auto lines = dialog.lstZnalezione->findItems(program, Qt::MatchExactly);
        if (!lines.isEmpty())
            dialog.lstZnalezione->setCurrentItem(lines.first());
        dialog.klwGoToClick(dialog.klwGoTo);
        return dialog.chosen();
    }

    static QString selected(const TMenuWindowBase &window)
    {
        const TTranspList *list = window.controls().programList;
        return list ? list->items().value(list->itemIndex()) : QString();
    }
};

} // namespace

TEST_F(SearchTest, FindsPartsOfNamesInEveryDataFileWithoutRegardToCase)
{
    build();
    struct Case {
        QString text;
        QStringList hits;
    } cases[] = {
        {QStringLiteral("SZACH"), {QStringLiteral("Szachy@1001")}},
        {QStringLiteral("ÓWK"), {QStringLiteral("Krzyżówka@0"), QStringLiteral("Słówka@1"), QStringLiteral("Rozmówki@1")}},
        {QStringLiteral("a"), {QStringLiteral("Szachy@1001"), QStringLiteral("Warcaby@1001"), QStringLiteral("Saper@1001"),
                               QStringLiteral("Krzyżówka@0"), QStringLiteral("Labirynt@0"), QStringLiteral("Słówka@1")}},
        {QString(), {}},
        {QStringLiteral("Tetris"), {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(found(c.text), c.hits) << c.text.toStdString();
}

TEST_F(SearchTest, GoToOpensTheRightWindowAndCategoryAndSelectsTheProgram)
{
    struct Case {
        QString text;
        QString program;
        bool inSecondWindow;
    } cases[] = {
        {QStringLiteral("szach"), QStringLiteral("Szachy"), false},
        // Listed by the second window in small letters.
        {QStringLiteral("LAB"), QStringLiteral("Labirynt"), true},
        // Listed by the menu with "/" and in another case.
        {QStringLiteral("rozm"), QStringLiteral("Rozmówki"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        TForm1 &menu = build();
        menu.show();
        const std::optional<SearchHit> hit = choose(menu, c.text, c.program);
        ASSERT_TRUE(hit);
        ProgramSearch::goTo(menu, ProgramSearch::locate(context->menuValues(), *hit));
        TMenuWindowBase *shown = c.inSecondWindow ? static_cast<TMenuWindowBase *>(menu.subWindow()) : &menu;
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(menu.subWindow() != nullptr, c.inSecondWindow);
        EXPECT_TRUE(shown->isVisible());
        EXPECT_EQ(selected(*shown), c.program);
        EXPECT_EQ(shown->choice().CurrentProgram, c.program);
        window.reset();
    }
}

TEST_F(SearchTest, GoToWithoutASelectedLineChoosesNothing)
{
    TForm1 &menu = build();
    EXPECT_FALSE(choose(menu, QStringLiteral("a"), QString()));
    EXPECT_FALSE(choose(menu, QStringLiteral("Tetris"), QStringLiteral("Tetris")));
}

// F9 in the second window leads to a program of its own other category
// without closing it: the search ran in it.
TEST_F(SearchTest, SearchInTheSecondWindowKeepsThatWindow)
{
    TForm1 &menu = build();
    menu.show();
    menu.ODCZYTKATEGORI(menu.controls().categoryKeys.at(1));
    QPointer<TForm2> second = menu.subWindow();
    ASSERT_TRUE(second);

    whenModal<T_Szukaj>([](T_Szukaj &dialog) {
        dialog.edtSzukany->setText(QStringLiteral("słów"));
        dialog.klwFindClick(dialog.klwFind);
        dialog.lstZnalezione->setCurrentRow(0);
        dialog.klwGoToClick(dialog.klwGoTo);
    });
    EXPECT_TRUE(second->FormKeyDown(Qt::Key_F9, Qt::NoModifier));
    ASSERT_TRUE(second);
    EXPECT_EQ(menu.subWindow(), second.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(selected(*second), QStringLiteral("Słówka"));
}

TEST_F(SearchTest, EnterInTheBoxSearches)
{
    TForm1 &menu = build();
    T_Szukaj dialog(&menu, *context);
    dialog.show();
    dialog.edtSzukany->setText(QStringLiteral("SZACH"));
    QTest::keyClick(dialog.edtSzukany, Qt::Key_Return);
    ASSERT_EQ(dialog.lstZnalezione->count(), 1);
    EXPECT_EQ(dialog.lstZnalezione->item(0)->text(), QStringLiteral("Szachy"));
    EXPECT_TRUE(dialog.isVisible());
}
