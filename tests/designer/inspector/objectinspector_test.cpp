#include "designerfixture.h"

#include <objects/designedits.h>
#include <inspector/objectinspector.h>
#include <objects/objectkinds.h>
#include <objects/objectstyle.h>

#include <buttons/menubutton.h>
#include <buttons/toolbarbutton.h>
#include <checkbox/bitcheckbox.h>
#include <lists/linkedit.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <cp1250.h>
#include <fonts.h>
#include <profilefile.h>
#include <projectfile/projectformat.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

using namespace ProjectFormat;
using InspectorModel::Row;

namespace {

// A design with a single object of every kind the rows tell apart and two
// category keys, one without a caption.
const char *const kDesign = "[FUNCTIONS]\n10001=1\n10006=1\n"
                            "[OBJECTS]\nLIST=1\nTITLE=1\nSERIAL=1\nTOOLS=1\n"
                            "[NAMES]\n1003=\n1001=Gry\n";

} // namespace

class InspectorWindow : public DesignerFixture
{
protected:
    void SetUp() override
    {
        DesignerFixture::SetUp();
        inspector = std::make_unique<TfrmObiekty>(context);
        context.setInspector(inspector.get());
        inspector->show();
    }
    void TearDown() override
    {
        DesignerFixture::TearDown();
        context.setInspector(nullptr);
        inspector.reset();
    }

    void loadDesign(const QString &text)
    {
        writeText(QStringLiteral("P.KLV"), text);
        load(QStringLiteral("P.KLV"));
    }
    QStringList comboTexts() const
    {
        QStringList texts;
        for (int index = 0; index < inspector->cmbObiekty->count(); ++index)
            texts << inspector->cmbObiekty->itemText(index);
        return texts;
    }
    // Chooses an object in the combo, as a click there does.
    void choose(const QString &text)
    {
        const int index = inspector->cmbObiekty->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        inspector->cmbObiekty->setCurrentIndex(index);
        inspector->cmbObiektyClick(inspector->cmbObiekty);
    }
    TMenuButton *key(int id) const
    {
        for (QWidget *object : surface().components()) {
            if (MenuObjects::tagOf(object) == id)
                return qobject_cast<TMenuButton *>(object);
        }
        return nullptr;
    }
    QString savedText() const { return Platform::fromCp1250(readBytes(QStringLiteral("P.KLV"))); }
    void sendMouse(QWidget *widget, QEvent::Type type, QPoint at)
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

    std::unique_ptr<TfrmObiekty> inspector;
};

TEST_F(InspectorWindow, TheComboListsTheObjectsInItsFixedOrderThenTheCategories)
{
    loadDesign(QString::fromLatin1(kDesign));
    const QStringList expected = {
        QStringLiteral("Tło okna  [ID: (BRAK) ]"),
        QStringLiteral("Pasek narzędziowy  [ID: TOOLS]"),
        QStringLiteral("Lista programów  [ID: LIST]"),
        QStringLiteral("Numer seryjny  [ID: SERIAL]"),
        QStringLiteral("Tytuł kategorii  [ID: TITLE]"),
        QStringLiteral("Start  [ID: 10001]"),
        QStringLiteral("Koniec  [ID: 10006]"),
        QStringLiteral("Kategoria - (Brak tekstu)  [ID: 1003]"),
        QStringLiteral("Kategoria - Gry  [ID: 1001]"),
    };
    EXPECT_EQ(comboTexts(), expected);
    // The background is current after a load, and its entry is chosen.
    EXPECT_EQ(inspector->cmbObiekty->currentIndex(), 0);

    choose(QStringLiteral("Kategoria - Gry  [ID: 1001]"));
    EXPECT_EQ(context.CurrentObject, key(1001));
    EXPECT_EQ(inspector->edtTekst->text(), QStringLiteral("Gry"));
    EXPECT_EQ(inspector->cmbObiekty->currentText(), QStringLiteral("Kategoria - Gry  [ID: 1001]"));
}

TEST_F(InspectorWindow, RowsAreEnabledByTheClassOfTheCurrentObject)
{
    loadDesign(QString::fromLatin1(kDesign));
    const QList<Row> bounds = {Row::Szer, Row::Wys, Row::Lewa, Row::Gora};
    const QList<Row> keyRows = QList<Row>{Row::Tekst, Row::ZawijanieTekstu, Row::Bitmapa, Row::Polozenie,
                                          Row::NumGlyphs, Row::Hint, Row::Border} + bounds;
    const struct {
        QString entry; // empty: the surface window itself
        QList<Row> enabled;
        QStringList alignments;
    } cases[] = {
        {QStringLiteral("Kategoria - Gry  [ID: 1001]"), keyRows + QList<Row>{Row::Dane, Row::NextIni}, {}},
        {QStringLiteral("Start  [ID: 10001]"), keyRows, {}},
        {QStringLiteral("Lista programów  [ID: LIST]"), bounds + QList<Row>{Row::Kolor, Row::Przezroczysty}, {}},
        {QStringLiteral("Numer seryjny  [ID: SERIAL]"), bounds + QList<Row>{Row::Hint, Row::Kolor}, {}},
        {QStringLiteral("Tytuł kategorii  [ID: TITLE]"), bounds + QList<Row>{Row::ZawijanieTekstu}, {}},
        {QStringLiteral("Pasek narzędziowy  [ID: TOOLS]"),
         bounds + QList<Row>{Row::Bitmapa, Row::TypUlozenia, Row::Wyrownanie, Row::Kolor},
         {QStringLiteral("Do lewej"), QStringLiteral("Do prawej"), QStringLiteral("Na górze"),
          QStringLiteral("Na dole"), QStringLiteral("Brak")}},
        {QStringLiteral("Tło okna  [ID: (BRAK) ]"),
         bounds + QList<Row>{Row::Bitmapa, Row::TypUlozenia, Row::Wyrownanie, Row::Kolor, Row::Maska},
         {QStringLiteral("Całe okno"), QStringLiteral("Brak")}},
        {QString(), bounds + QList<Row>{Row::Kolor}, {}},
    };
    for (const auto &c : cases) {
        if (c.entry.isEmpty())
            inspector->showProperties(&surface());
        else
            choose(c.entry);
        for (Row row : InspectorModel::allRows()) {
            EXPECT_EQ(inspector->editor(row)->isEnabled(), c.enabled.contains(row))
                << c.entry.toStdString() << " row " << InspectorModel::specOf(row).editorName;
        }
        const bool category = c.enabled.contains(Row::Dane);
        EXPECT_EQ(inspector->klwRV3->isEnabled(), category) << c.entry.toStdString();
        EXPECT_EQ(inspector->chkUseNextIni->isEnabled(), category) << c.entry.toStdString();
        EXPECT_EQ(inspector->klwEditBMPMaska->isEnabled(), c.enabled.contains(Row::Maska)) << c.entry.toStdString();
        if (c.alignments.isEmpty())
            continue;
        QStringList offered;
        for (int index = 0; index < inspector->edtWyrownanie->count(); ++index)
            offered << inspector->edtWyrownanie->itemText(index);
        EXPECT_EQ(offered, c.alignments) << c.entry.toStdString();
    }
    // The background fills the window: its alignment reads "Całe okno".
    choose(QStringLiteral("Tło okna  [ID: (BRAK) ]"));
    EXPECT_EQ(inspector->edtWyrownanie->currentText(), QStringLiteral("Całe okno"));
}

TEST_F(InspectorWindow, AKeyFillsItsRowsFromItselfTheListsAndTheProjectFile)
{
    loadDesign(QStringLiteral("[NAMES]\n1001=Gry\n[FUNCTIONS_HINT]\n1001=Podpowiedź gier\n"
                              "[NEWBORDER]\n1001=1\n[NUMGLYPHS]\n1001=3\n[LAYHOW]\n1001=TOP\n"
                              "[WORDWRAP]\n1001=1\n[DATA]\n1001=dane\\GRY.RV3\n[WIDTH]\n1001=90\n"
                              "[NEXT_WINDOW_INI]\n1001=okna\\DRUGIE.KLV\n[NEXT_WINDOW]\n1001=1\n"));
    inspector->showProperties(key(1001));
    EXPECT_EQ(inspector->edtTekst->text(), QStringLiteral("Gry"));
    EXPECT_EQ(inspector->edtHint->text(), QStringLiteral("Podpowiedź gier"));
    EXPECT_EQ(inspector->edtBorder->currentText(), QStringLiteral("Stale widoczne"));
    EXPECT_EQ(inspector->edtNumGlyphs->value(), 3);
    EXPECT_EQ(inspector->edtZawijanieTekstu->currentText(), QStringLiteral("TAK"));
    EXPECT_EQ(inspector->edtDane->text(), QStringLiteral("dane\\GRY.RV3"));
    EXPECT_EQ(inspector->edtNextINI->text(), QStringLiteral("okna\\DRUGIE.KLV"));
    EXPECT_TRUE(inspector->chkUseNextIni->checked());
    EXPECT_EQ(inspector->edtSzer->value(), 90);
}

TEST_F(InspectorWindow, ATilingSettingThatIsNoNumberSelectsNothing)
{
    loadDesign(QStringLiteral("[WINDOW]\nTILE=tak\n"));
    inspector->showProperties(surface().Image1);
    EXPECT_EQ(inspector->edtTypUlozenia->currentIndex(), -1);
    loadDesign(QStringLiteral("[WINDOW]\nTILE=1\n"));
    inspector->showProperties(surface().Image1);
    EXPECT_EQ(inspector->edtTypUlozenia->currentText(), QStringLiteral("Sąsiadująco"));
}

TEST_F(InspectorWindow, SingleObjectsOnTheSurfaceGreyTheirPaletteButtons)
{
    context.setPalette(inspector.get());
    loadEmpty();
    TMenuButton *start = inspector->paletteButton(StartId);
    TMenuButton *list = inspector->paletteButton(ListId);
    QTest::qWait(300);
    EXPECT_TRUE(start->isEnabled());

    inspector->setDown(StartId, true);
    inspector->setDown(ListId, true); // on the other page: both stay down
    surface().Image1MouseDown(surface().Image1, Qt::LeftButton, Qt::NoModifier, 40, 40);
    ASSERT_TRUE(context.Objects.object(StartId));
    ASSERT_TRUE(context.Objects.object(ListId));
    EXPECT_EQ(undo.steps.size(), 2); // the load, one step for both
    EXPECT_FALSE(inspector->isDown(StartId)); // every button went up
    EXPECT_FALSE(inspector->isDown(ListId));
    QTest::qWait(300);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_FALSE(list->isEnabled());
    // Categories come without limit.
    inspector->setDown(PaletteKinds::CategoryKey, true);
    surface().Image1MouseDown(surface().Image1, Qt::LeftButton, Qt::NoModifier, 140, 40);
    QTest::qWait(300);
    EXPECT_TRUE(inspector->paletteButton(PaletteKinds::CategoryKey)->isEnabled());

    delete context.Objects.object(StartId);
    QTest::qWait(300);
    EXPECT_TRUE(start->isEnabled());
    context.setPalette(&palette);
}

TEST_F(InspectorWindow, PaletteButtonsOfOnePageReleaseEachOtherButNotThoseOfTheOther)
{
    TMenuButton *start = inspector->paletteButton(StartId);
    TMenuButton *close = inspector->paletteButton(CloseId);
    TMenuButton *list = inspector->paletteButton(ListId);
    inspector->setDown(StartId, true);
    inspector->setDown(ListId, true);
    inspector->setDown(CloseId, true);
    EXPECT_FALSE(start->down());
    EXPECT_TRUE(close->down());
    EXPECT_TRUE(list->down());
    // A down button can be clicked up again.
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(close->down());
    inspector->PageControl1->setCurrentIndex(0);
    EXPECT_FALSE(list->down()); // a page change releases them all
}

TEST_F(InspectorWindow, APlaceholderFontSurvivesABoldClickIntoTheSavedFile)
{
    loadDesign(QStringLiteral("[NAMES]\n1001=Gry\n[FONT_NAME]\n1001=Zupełnie Nieznana Czcionka\n"
                              "[FONT_SIZE]\n1001=10\n"));
    inspector->showProperties(key(1001));
    EXPECT_EQ(inspector->cmbFont->currentText(), QStringLiteral("Brak czcionki -> Zupełnie Nieznana Czcionka"));
    EXPECT_EQ(inspector->cmbFontSize->currentText(), QStringLiteral("10"));

    QTest::mouseClick(inspector->klwBold, Qt::LeftButton);
    EXPECT_TRUE(inspector->klwBold->down());
    EXPECT_EQ(key(1001)->font().family(), QStringLiteral("Zupełnie Nieznana Czcionka"));
    EXPECT_TRUE(key(1001)->font().bold());
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(undo.steps, (QStringList{QStringLiteral("Projekt otwarty"), QStringLiteral("Zmiana właściwości czcionki")}));

    // A size that is no number leaves the size alone.
    inspector->cmbFontSize->setEditText(QStringLiteral("duży"));
    QTest::keyClick(inspector->cmbFontSize->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(key(1001)->font().pointSize(), 10);
    EXPECT_EQ(undo.steps.size(), 3) << undo.steps.join(u'|').toStdString();

    ASSERT_TRUE(project.Zapisz());
    const QString saved = savedText();
    EXPECT_TRUE(saved.contains(QStringLiteral("[FONT_NAME]\r\n1001=Zupełnie Nieznana Czcionka\r\n"))) << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("[FONT_STYLE]\r\n1001=B\r\n"))) << saved.toStdString();
    EXPECT_TRUE(saved.contains(QStringLiteral("[FONT_SIZE]\r\n1001=10\r\n"))) << saved.toStdString();
}

TEST_F(InspectorWindow, TheNextWindowTickIsInTheFileAtOnceAndSurvivesTheSave)
{
    loadDesign(QStringLiteral("[NAMES]\n1001=Gry\n"));
    inspector->showProperties(key(1001));
    ASSERT_FALSE(inspector->chkUseNextIni->checked());
    inspector->chkUseNextIni->click();
    EXPECT_TRUE(savedText().contains(QStringLiteral("[NEXT_WINDOW]\r\n1001=1\r\n"))) << savedText().toStdString();
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(undo.steps.last(), QStringLiteral("Drugie okno"));

    ASSERT_TRUE(project.Zapisz());
    EXPECT_TRUE(savedText().contains(QStringLiteral("[NEXT_WINDOW]\r\n1001=1\r\n"))) << savedText().toStdString();
    load(QStringLiteral("P.KLV"));
    inspector->showProperties(key(1001));
    EXPECT_TRUE(inspector->chkUseNextIni->checked());
}

TEST_F(InspectorWindow, EnterCommitsTextAndNumbersAsOneUndoStepEach)
{
    loadDesign(QStringLiteral("[NAMES]\n1001=Gry\n[FUNCTIONS]\n10002=1\n"));
    inspector->showProperties(key(1001));
    inspector->edtTekst->setText(QStringLiteral("Programy"));
    QTest::keyClick(inspector->edtTekst, Qt::Key_Return);
    EXPECT_EQ(key(1001)->caption(), QStringLiteral("Programy"));
    EXPECT_TRUE(comboTexts().contains(QStringLiteral("Kategoria - Programy  [ID: 1001]")));
    EXPECT_EQ(inspector->cmbObiekty->currentText(), QStringLiteral("Kategoria - Programy  [ID: 1001]"));

    const struct {
        QSpinBox *field;
        int value;
        QString step;
    } numbers[] = {
        {inspector->edtSzer, 120, QStringLiteral("Zmiana rozmiarów")},
        {inspector->edtWys, 40, QStringLiteral("Zmiana rozmiarów")},
        {inspector->edtLewa, 15, QStringLiteral("Zmiana położenia")},
        {inspector->edtGora, 25, QStringLiteral("Zmiana położenia")},
    };
    for (const auto &n : numbers) {
        n.field->setValue(n.value);
        QTest::keyClick(n.field, Qt::Key_Return);
        EXPECT_EQ(undo.steps.last(), n.step);
    }
    EXPECT_EQ(key(1001)->geometry(), QRect(15, 25, 120, 40));
    EXPECT_EQ(undo.steps.size(), 6); // the load, the caption, four numbers
    EXPECT_TRUE(context.ProjectModified);
}

TEST_F(InspectorWindow, RowDragStaysWithinItsClamps)
{
    QLabel *caption = inspector->captionPanel(Row::Tekst);
    QWidget *panel = inspector->pnlObiekty;
    const int height = panel->height();
    sendMouse(caption, QEvent::MouseButtonPress, QPoint(10, 10));
    EXPECT_TRUE(inspector->rowsDragging());
    sendMouse(caption, QEvent::MouseMove, QPoint(10, 300));
    EXPECT_EQ(panel->y(), 0); // never below its place
    sendMouse(caption, QEvent::MouseMove, QPoint(10, -100));
    EXPECT_EQ(panel->y(), -110);
    sendMouse(caption, QEvent::MouseMove, QPoint(10, -3000));
    EXPECT_EQ(panel->y(), 50 - height);
    sendMouse(caption, QEvent::MouseButtonRelease, QPoint(10, -3000));
    EXPECT_FALSE(inspector->rowsDragging());
    EXPECT_EQ(panel->y(), 50 - height);

    // The panel itself drags too, each step by what the pointer moved; the
    // arrows bring the rows back.
    sendMouse(panel, QEvent::MouseButtonPress, QPoint(5, 400));
    sendMouse(panel, QEvent::MouseMove, QPoint(5, 700));
    sendMouse(panel, QEvent::MouseButtonRelease, QPoint(5, 700));
    EXPECT_EQ(panel->y(), 50 - height + 300);
    inspector->klwZeruj->click();
    EXPECT_EQ(panel->y(), 0);
    sendMouse(panel, QEvent::MouseButtonPress, QPoint(5, 400));
    sendMouse(panel, QEvent::MouseMove, QPoint(5, 300));
    sendMouse(panel, QEvent::MouseButtonRelease, QPoint(5, 300));
    EXPECT_EQ(panel->y(), -100);
    inspector->klwDownRight->click();
    EXPECT_EQ(panel->y(), 0);
}

TEST_F(InspectorWindow, ThePlaceComesFromTheSettingsAndIsWrittenAtClose)
{
    const QString cfgPath = drivePath(QStringLiteral("Dodorurav.cfg"));
    writeText(QStringLiteral("Dodorurav.cfg"), QStringLiteral("[OBIEKTY]\nW=240\nH=500\nT=20\nL=9000\n"));
    Platform::ProfileFile cfg(cfgPath);
    inspector->setConfig(&cfg);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(inspector->size(), QSize(240, std::min(500, screen.height())));
    EXPECT_EQ(inspector->x(), screen.right() + 1 - 240); // brought back on screen
    bool closed = false;
    inspector->OnClose = [&closed] { closed = true; };
    inspector->move(30, 40);
    inspector->close();
    EXPECT_TRUE(closed);
    Platform::ProfileFile reread(cfgPath);
    EXPECT_EQ(reread.readString(QStringLiteral("OBIEKTY"), QStringLiteral("L"), {}), QStringLiteral("30"));
    EXPECT_EQ(reread.readString(QStringLiteral("OBIEKTY"), QStringLiteral("T"), {}), QStringLiteral("40"));
    EXPECT_EQ(reread.readString(QStringLiteral("OBIEKTY"), QStringLiteral("W"), {}), QStringLiteral("240"));
}

TEST_F(InspectorWindow, TheMouseOverAnEditorAsksForItsHint)
{
    QStringList asked;
    inspector->OnHint = [&asked](const QString &key) { asked << key; };
    const struct {
        Row row;
        QString key;
    } cases[] = {
        {Row::Tekst, QStringLiteral("Tekst")},          {Row::ZawijanieTekstu, QStringLiteral("WordWrap")},
        {Row::Polozenie, QStringLiteral("Położenie")},  {Row::TypUlozenia, QStringLiteral("TypUłożenia")},
        {Row::Hint, QStringLiteral("Podpowiedź")},      {Row::Przezroczysty, QStringLiteral("Przezroczystość")},
        {Row::Gora, QStringLiteral("Góra")},            {Row::NumGlyphs, QStringLiteral("NumGlyphs")},
    };
    for (const auto &c : cases) {
        asked.clear();
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(inspector->editor(c.row), &move);
        EXPECT_EQ(asked, QStringList{c.key}) << InspectorModel::specOf(c.row).editorName;
    }
    // The second window's field has no hint of its own.
    asked.clear();
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(inspector->edtNextINI, &move);
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(InspectorWindow, DialogsOfThePathAndColourRowsCommitWhatWasChosen)
{
    loadDesign(QStringLiteral("[NAMES]\n1001=Gry\n[OBJECTS]\nLIST=1\n"));
    inspector->showProperties(key(1001));
    dialogs.pathAnswers = {drivePath(QStringLiteral("dane/GRY.RV3"))};
    inspector->edtDane->OnButtonClick(inspector->edtDane);
    EXPECT_EQ(inspector->edtDane->text(), QStringLiteral("dane\\GRY.RV3"));
    EXPECT_EQ(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::Data), QStringLiteral("dane\\GRY.RV3"));
    EXPECT_EQ(undo.steps.last(), QStringLiteral("Dane"));
    // Cancelled: nothing changes and no step is recorded.
    const int steps = undo.steps.size();
    inspector->edtNextINI->OnButtonClick(inspector->edtNextINI);
    EXPECT_TRUE(DesignEdits::keyFile(context, 1001, DesignEdits::KeyFile::NextWindow).isEmpty());
    EXPECT_EQ(undo.steps.size(), steps);

    choose(QStringLiteral("Lista programów  [ID: LIST]"));
    dialogs.colorChoice = QColor(255, 0, 0);
    inspector->edtKolor->OnButtonClick(inspector->edtKolor);
    EXPECT_EQ(context.Objects.list->color(), Platform::fromQColor(QColor(255, 0, 0)));
    EXPECT_EQ(inspector->objectColor(), Platform::fromQColor(QColor(255, 0, 0)));
    EXPECT_EQ(undo.steps.last(), QStringLiteral("Zmiana koloru obiektu"));
}

// What the window shows at its designed size, in the programs' own type:
// every editor with its "..." inside the window, the BMP buttons beside
// their whole caption, every caption and page tab unclipped.
TEST_F(InspectorWindow, AtItsDefaultSizeEveryEditorCaptionAndTabIsWhole)
{
    Platform::installFontSubstitutes();
    inspector = std::make_unique<TfrmObiekty>(context);
    context.setInspector(inspector.get());
    inspector->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(inspector.get()));
    ASSERT_EQ(inspector->size(), QSize(234, 572));
    const QRect window = inspector->rect();
    const auto inWindow = [&](const QWidget *widget) {
        return QRect(widget->mapTo(inspector.get(), QPoint(0, 0)), widget->size());
    };
    for (Row row : InspectorModel::allRows()) {
        const QWidget *editor = inspector->editor(row);
        EXPECT_TRUE(window.contains(inWindow(editor))) << editor->objectName().toStdString();
        const QLabel *caption = inspector->captionPanel(row);
        int room = caption->contentsRect().width() - caption->indent() - 2;
        for (const QWidget *extra : caption->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            room = std::min(room, extra->x() - caption->contentsRect().x() - 2);
        EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), room) << caption->text().toStdString();
    }
    for (const TLinkEdit *link : {inspector->edtBitmapa, inspector->edtMaska}) {
        const QRect button = link->buttonRect().translated(inWindow(link).topLeft());
        EXPECT_TRUE(window.contains(button)) << link->objectName().toStdString();
    }
    for (const TMenuButton *bmp : {inspector->MenuButton1, inspector->klwEditBMPMaska})
        EXPECT_TRUE(window.contains(inWindow(bmp))) << bmp->objectName().toStdString();
    const QTabBar *tabs = inspector->PageControl1->tabBar();
    EXPECT_LE(tabs->sizeHint().width(), tabs->width());
    EXPECT_TRUE(window.contains(inWindow(tabs)));
}
