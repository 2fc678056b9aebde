#include "designerfixture.h"

#include <surface/designobjects.h>
#include <objects/designedits.h>
#include <objects/objectstyle.h>
#include <propertyeditors/propertyeditors.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <profilefile.h>

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>

#include <functional>

using namespace ProjectFormat;

class Editors : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        loadEmpty();
        context.ClickPoint = QPoint(10, 10);
        keyA = creators.DodajKlawisz();
        context.ClickPoint = QPoint(100, 10);
        keyB = creators.DodajKlawisz();
        list = creators.DodajListeProgramow();
        serial = creators.DodajNumerySeryjne();
        tools = creators.Dodaj_PASEK();
        title = creators.DodajEtykiete_Tytul();
        undo.steps.clear();
        context.ProjectModified = false;
    }

    void select(const QList<QWidget *> &widgets)
    {
        context.selection().detachAll();
        for (QWidget *widget : widgets)
            context.selection().attach(widget);
    }

    DesignObjectCreators creators{context};
    PropertyEditors editors{context};
    TMenuButton *keyA = nullptr;
    TMenuButton *keyB = nullptr;
    TTranspList *list = nullptr;
    QLineEdit *serial = nullptr;
    TImage *tools = nullptr;
    QLabel *title = nullptr;
};

TEST_F(Editors, EveryCommitMarksTheProjectModifiedAndRecordsOneStep)
{
    dialogs.colorChoice = QColor(10, 20, 30);
    const struct {
        const char *step;
        QWidget *current;
        std::function<void()> commit;
    } cases[] = {
        {"Edycja tekstu klawisza", keyA, [&] { editors.edtTekstKeyDown(QStringLiteral("Gry")); }},
        {"Zmiana zawijania tekstu", keyA, [&] { editors.edtZawijanieTekstuClick(true); }},
        {"Zmiana położenia bitmapy", keyA, [&] { editors.edtPolozenieClick(2); }},
        {"Zmiana podziału bitmapy", keyA, [&] { editors.edtNumGlyphsKeyDown(3, true); }},
        {"Edycja podpowiedzi", keyA, [&] { editors.edtHintKeyDown(QStringLiteral("Gry i zabawy")); }},
        {"Zmiana obramowania klawisza", keyA, [&] { editors.edtBorderClick(1); }},
        {"Zmiana rozmiarów", keyA, [&] { editors.edtSzerKeyDown(90); }},
        {"Zmiana rozmiarów", keyA, [&] { editors.edtWysKeyDown(40); }},
        {"Zmiana położenia", keyA, [&] { editors.edtLewaKeyDown(5); }},
        {"Zmiana położenia", keyA, [&] { editors.edtGoraKeyDown(-5); }},
        {"Zmiana właściwości czcionki", keyA, [&] { editors.cmbFontClick({QStringLiteral("Arial"), 12}); }},
        {"Zmiana koloru czcionki", keyA, [&] { editors.klwFontKolorClick(Qt::black); }},
        {"Zmiana drugiego okna", keyA, [&] { editors.chkUseNextIniClick(true); }},
        {"Zmiana wyrównania obiektu", tools, [&] { editors.edtWyrownanieClick(QStringLiteral("Na dole")); }},
        {"Zmiana ułożenia bitmapy", tools, [&] { editors.edtTypUlozeniaClick(1, {}); }},
        {"Zmiana koloru obiektu", list, [&] { editors.edtKolorButtonClick(Qt::black); }},
        {"Zmiana przezroczystości listy", list, [&] { editors.edtPrzezroczystyClick(true); }},
        {"Zmiana koloru wybranej pozycji", list, [&] { editors.klwSelColorClick(); }},
        {"Zmiana bitmapy", surface().Image1, [&] { editors.edtBitmapaKeyDown({}); }},
        {"Zmiana maski okna", surface().Image1, [&] { editors.edtMaskaKeyDown(QStringLiteral("MASKA.BMP")); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.step);
        select({keyA});
        context.CurrentObject = c.current;
        context.ProjectModified = false;
        undo.steps.clear();
        c.commit();
        EXPECT_TRUE(context.ProjectModified);
        EXPECT_EQ(undo.steps, QStringList{QString::fromUtf8(c.step)});
    }
}

TEST_F(Editors, SizeAndPositionReachTheSelectionOrTheCurrentObject)
{
    const QRect listBefore = list->geometry();
    select({keyA, keyB});
    context.CurrentObject = list;
    editors.edtSzerKeyDown(120);
    EXPECT_EQ(keyA->width(), 120);
    EXPECT_EQ(keyB->width(), 120);
    EXPECT_EQ(list->geometry(), listBefore);
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Zmiana rozmiarów")});

    select({});
    editors.edtGoraKeyDown(77);
    EXPECT_EQ(list->y(), 77);
    EXPECT_EQ(keyA->y(), 10);

    // The window itself takes the width as its client width.
    context.CurrentObject = &surface();
    editors.edtSzerKeyDown(333);
    editors.edtWysKeyDown(222);
    EXPECT_EQ(surface().size(), QSize(333, 222));
    // So does the background while it fills the window.
    context.CurrentObject = surface().Image1;
    editors.edtWysKeyDown(250);
    EXPECT_EQ(surface().height(), 250);
    // Values beyond the editors' ranges are held to them.
    context.CurrentObject = keyA;
    editors.edtSzerKeyDown(0);
    editors.edtLewaKeyDown(-5000);
    EXPECT_EQ(keyA->width(), 1);
    EXPECT_EQ(keyA->x(), -100);
}

TEST_F(Editors, KeyEditorsReachSelectedKeysAndTheCurrentOneOnlyWhenClicksDoNotSelect)
{
    context.CurrentObject = keyA;
    select({});
    editors.edtTekstKeyDown(QStringLiteral("Nowy"));
    EXPECT_NE(keyA->caption(), u"Nowy");
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Edycja tekstu klawisza")});

    context.ClickSelects = false;
    select({keyB, list});
    editors.edtTekstKeyDown(QStringLiteral("Nowy"));
    EXPECT_EQ(keyA->caption(), u"Nowy");
    EXPECT_EQ(keyB->caption(), u"Nowy");

    // Any key other than Enter reaches the current key alone.
    editors.edtNumGlyphsKeyDown(4, false);
    EXPECT_EQ(keyA->numGlyphs(), 4);
    EXPECT_EQ(keyB->numGlyphs(), 1);
    editors.edtNumGlyphsKeyDown(9, true);
    EXPECT_EQ(keyB->numGlyphs(), 5);
    context.ClickSelects = true;
    undo.steps.clear();
    select({});
    editors.edtNumGlyphsKeyDown(2, false);
    EXPECT_EQ(keyA->numGlyphs(), 5);
    EXPECT_TRUE(undo.steps.isEmpty());
}

TEST_F(Editors, BorderChoicesSetTheTwoFlags)
{
    select({keyA});
    const struct {
        int item;
        bool newBorderBefore;
        bool noBorder;
        bool newBorder;
    } cases[] = {
        {0, true, false, false},
        {1, false, false, true},
        {2, true, true, true},   // "Brak" keeps the other flag
        {2, false, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.item);
        DesignEdits::changeKey(context, keyA, [&c](ProjectFormat::DesignKey &key) {
            key.newBorder = c.newBorderBefore;
            key.noBorder = !c.noBorder;
        });
        editors.edtBorderClick(c.item);
        EXPECT_EQ(keyA->noBorder(), c.noBorder);
        EXPECT_EQ(keyA->newBorder(), c.newBorder);
    }
}

TEST_F(Editors, AFontFitsAFieldToOneLineAndShowsTheSample)
{
    select({serial, keyA});
    editors.cmbFontClick({QStringLiteral("DejaVu Serif"), 20, true, false, true});
    for (QWidget *widget : {static_cast<QWidget *>(serial), static_cast<QWidget *>(keyA)}) {
        EXPECT_EQ(widget->font().pointSize(), 20);
        EXPECT_TRUE(widget->font().bold());
        EXPECT_FALSE(widget->font().italic());
        EXPECT_TRUE(widget->font().underline());
    }
    EXPECT_EQ(serial->height(), QFontMetrics(serial->font()).height() + 2);
    EXPECT_EQ(serial->text(), u"Tekst próbny: Źg");
    EXPECT_EQ(undo.steps, QStringList{QStringLiteral("Zmiana właściwości czcionki")});
}

TEST_F(Editors, ColoursGoWhereTheObjectKeepsThem)
{
    dialogs.colorChoice = QColor(0x12, 0x34, 0x56);
    const Platform::TColor chosen = Platform::fromQColor(dialogs.colorChoice);
    context.CurrentObject = list;
    EXPECT_EQ(editors.edtKolorButtonClick(Qt::black), dialogs.colorChoice);
    EXPECT_EQ(list->color(), chosen);
    context.CurrentObject = surface().Image1;
    editors.edtKolorButtonClick(Qt::black);
    EXPECT_EQ(DesignStyle::colorOf(&surface(), Platform::clNone), chosen);
    // The strip without a picture is filled with its colour.
    context.CurrentObject = tools;
    editors.edtKolorButtonClick(Qt::black);
    EXPECT_EQ(tools->canvas().pixelColor(5, 5), dialogs.colorChoice);

    // The description's selected colour follows its font colour.
    TTranspList *description = creators.DodajOpisProgramow();
    select({description});
    editors.klwFontKolorClick(Qt::black);
    EXPECT_EQ(description->fontColor(), chosen);
    EXPECT_EQ(description->selectedColor(), chosen);

    EXPECT_EQ(editors.klwSelColorClick(), dialogs.colorChoice);
    EXPECT_EQ(list->selectedColor(), chosen);
    // A cancelled dialog changes nothing and records nothing.
    dialogs.colorChoice = QColor();
    undo.steps.clear();
    EXPECT_EQ(editors.edtKolorButtonClick(Qt::black), std::nullopt);
    EXPECT_TRUE(undo.steps.isEmpty());
}

TEST_F(Editors, TheSelectedItemColourWithoutAProgramListOpensNothing)
{
    delete list;
    dialogs.colorChoice = Qt::red;
    EXPECT_EQ(editors.klwSelColorClick(), std::nullopt);
    EXPECT_TRUE(dialogs.dialogs.isEmpty());
    EXPECT_TRUE(undo.steps.isEmpty());
    EXPECT_FALSE(context.ProjectModified);
}

TEST_F(Editors, AlignmentWordWrapAndTransparency)
{
    context.CurrentObject = tools;
    editors.edtWyrownanieClick(QStringLiteral("Na dole"));
    EXPECT_EQ(TfrmMenu::toolsAlign(tools), TfrmMenu::AlignBottom);
    context.CurrentObject = surface().Image1;
    editors.edtWyrownanieClick(QStringLiteral("Brak"));
    EXPECT_FALSE(surface().backgroundAligned());
    editors.edtWyrownanieClick(QStringLiteral("Całe okno"));
    EXPECT_TRUE(surface().backgroundAligned());

    context.CurrentObject = title;
    select({title, keyA});
    editors.edtZawijanieTekstuClick(true);
    EXPECT_TRUE(title->wordWrap());
    EXPECT_TRUE(keyA->wordWrap());

    context.CurrentObject = list;
    editors.edtPrzezroczystyClick(false);
    EXPECT_FALSE(list->transparent());
    editors.edtPrzezroczystyClick(true);
    EXPECT_TRUE(list->transparent());
}

TEST_F(Editors, TheNextWindowBoxIsWrittenIntoTheProjectAtOnce)
{
    context.CurrentObject = keyB;
    editors.chkUseNextIniClick(true);
    EXPECT_EQ(context.ProjectIni->readString(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1002"), {}), u"1");
    editors.chkUseNextIniClick(false);
    EXPECT_EQ(context.ProjectIni->readString(QStringLiteral("NEXT_WINDOW"), QStringLiteral("1002"), {}), u"0");
    // A function key has no second window.
    undo.steps.clear();
    context.CurrentObject = creators.DodajKlawisz_Start();
    editors.chkUseNextIniClick(true);
    EXPECT_TRUE(context.ProjectIni->readString(QStringLiteral("NEXT_WINDOW"), QStringLiteral("10001"), {}).isEmpty());
    EXPECT_TRUE(undo.steps.isEmpty());
}
