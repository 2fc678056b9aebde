#include "undofixture.h"

#include <surface/designobjects.h>
#include <objects/designedits.h>
#include <objects/objectkinds.h>
#include <objects/objectstyle.h>
#include <designreading.h>
#include <document/surfacedesign.h>
#include <undo/designsnapshot.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <cp1250.h>
#include <profilefile.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <functional>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace {

QList<int> idsOf(const TfrmMenu &surface)
{
    QList<int> ids;
    for (QWidget *object : surface.components())
        ids.append(tagOf(object));
    return ids;
}

} // namespace

using DesignUndo = UndoFixture;

TEST_F(DesignUndo, ALoadIsTheFirstStepAndUndoingItDoesNothing)
{
    loadProject();
    ASSERT_EQ(history.steps().names(), QStringList{QStringLiteral("Projekt otwarty")});
    EXPECT_FALSE(history.canUndo());
    EXPECT_FALSE(history.canRedo());
    const QByteArray before = saved();
    history.mnuCofnijClick();
    history.mnuPonowClick();
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(history.steps().count(), 1);
}

TEST_F(DesignUndo, TextsWithCommasAndHashesComeBackUnchanged)
{
    loadProject();
    writePicture(QStringLiteral("obrazy/inne #2,b.bmp"), 320, 200, Qt::blue);
    const QByteArray original = saved();

    auto *key = static_cast<TMenuButton *>(object(1001));
    DesignEdits::changeKey(context, key, [](DesignKey &entry) {
        entry.caption = QStringLiteral("A,B#C");
        entry.hint = QStringLiteral("x,y");
        entry.font.name = QStringLiteral("Font, #1");
    });
    DesignEdits::setSetting(context, QStringLiteral("Tlo"), QStringLiteral("obrazy\\inne #2,b.bmp"));
    history.SaveUndo(QStringLiteral("Edycja tekstu klawisza"));
    const QByteArray changed = saved();
    const Platform::ProfileFile file(drivePath(QStringLiteral("projekt/MENU.KLV")));
    EXPECT_EQ(file.readString(QStringLiteral("NAMES"), QStringLiteral("1001"), {}), u"A,B#C");
    EXPECT_EQ(file.readString(QStringLiteral("FUNCTIONS_HINT"), QStringLiteral("1001"), {}), u"x,y");
    EXPECT_EQ(file.readString(QStringLiteral("WINDOW"), QStringLiteral("BACKGROUND"), {}), u"obrazy\\inne #2,b.bmp");

    history.mnuCofnijClick();
    EXPECT_EQ(saved(), original);
    // The changed picture is loaded again.
    EXPECT_EQ(context.Surface->Image1->canvas().pixelColor(5, 5), QColor(Qt::darkGreen));
    history.mnuPonowClick();
    EXPECT_EQ(saved(), changed);
    key = static_cast<TMenuButton *>(object(1001));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->caption(), u"A,B#C");
    EXPECT_EQ(key->hint(), u"x,y");
    EXPECT_EQ(key->font().family(), u"Font, #1");
    EXPECT_EQ(context.Surface->Image1->canvas().pixelColor(5, 5), QColor(Qt::blue));
}

TEST_F(DesignUndo, DeletingTheBackgroundAndTwoKeysIsOneStep)
{
    loadProject();
    QWidget *category = object(1001);
    QWidget *start = object(StartId);
    selection.attach(context.Surface->Image1);
    selection.attach(category);
    selection.attach(start);
    context.CurrentObject = start;
    context.ProjectModified = false;
    pressOnFrame(Qt::Key_Delete);

    EXPECT_FALSE(idsOf(*context.Surface).contains(1001));
    EXPECT_FALSE(idsOf(*context.Surface).contains(StartId));
    EXPECT_FALSE(context.Objects.functionKey(StartId));
    EXPECT_EQ(context.CurrentObject, context.Surface->Image1);
    EXPECT_EQ(selection.selectedCount(), 0);
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(history.steps().names(),
              (QStringList{QStringLiteral("Projekt otwarty"), QStringLiteral("Usunięcie obiektu/klawisza")}));
    // The background stays without its picture, also in the saved project.
    EXPECT_FALSE(context.Surface->Image1->hasCanvas());
    saved();
    const Platform::ProfileFile file(drivePath(QStringLiteral("projekt/MENU.KLV")));
    EXPECT_EQ(file.readString(QStringLiteral("WINDOW"), QStringLiteral("BACKGROUND"), QStringLiteral("?")), u"");
    EXPECT_EQ(file.readString(QStringLiteral("FUNCTIONS"), QStringLiteral("10001"), {}), u"0");
    // Start can be placed again.
    DesignObjectCreators creators(context);
    EXPECT_TRUE(creators.DodajKlawisz_Start());
    load(QStringLiteral("projekt/MENU.KLV"));
    EXPECT_FALSE(context.Surface->Image1->hasCanvas());
}

TEST_F(DesignUndo, DeleteFreesEverySelectedObject)
{
    loadProject();
    const QList<int> gone = {1001, 1002, 1003, StartId, MusicId, ListId, TitleId};
    for (int id : gone)
        selection.attach(object(id));
    pressOnFrame(Qt::Key_Delete);
    EXPECT_TRUE(context.Surface->components().isEmpty());
    EXPECT_FALSE(context.Objects.list);
    EXPECT_FALSE(context.Objects.title);
    // Undo brings every one back through its creator, in its old order.
    history.mnuCofnijClick();
    EXPECT_EQ(idsOf(*context.Surface), (QList<int>{1001, 1002, 1003, StartId, MusicId, ListId, TitleId}));
    EXPECT_EQ(context.Objects.list, object(ListId));
    EXPECT_EQ(context.Objects.title, object(TitleId));
    EXPECT_EQ(object(ListId)->geometry(), QRect(100, 100, 150, 120));
}

TEST_F(DesignUndo, DeleteSaveUndoSaveGivesTheBytesFromBeforeTheDelete)
{
    loadProject();
    const QByteArray before = saved();
    selection.attach(object(1002));
    pressOnFrame(Qt::Key_Delete);
    const QByteArray afterDelete = saved();
    EXPECT_NE(afterDelete, before);
    EXPECT_FALSE(Platform::fromCp1250(afterDelete).contains(QStringLiteral("okna\\drugie.klv")));

    history.mnuCofnijClick();
    EXPECT_EQ(Platform::fromCp1250(saved()).toStdString(), Platform::fromCp1250(before).toStdString());
    EXPECT_EQ(saved(), before);
    // The key came back with its id, its glyph and its place among the keys.
    auto *key = qobject_cast<TMenuButton *>(object(1002));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->glyph().size(), QSize(96, 32));
    EXPECT_EQ(idsOf(*context.Surface).mid(0, 3), (QList<int>{1001, 1002, 1003}));

    history.mnuPonowClick();
    EXPECT_EQ(saved(), afterDelete);
}

TEST_F(DesignUndo, UndoingAnAddWhileTheNewObjectIsCurrentLeavesNothingDangling)
{
    loadProject();
    palette.pressed = {PaletteKinds::CategoryKey, int(SearchId), int(ToolsId)};
    context.ClickPoint = QPoint(300, 200);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(300, 200), QPointF(300, 200), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(context.Surface->Image1, &press);
    ASSERT_EQ(history.steps().names().last(), u"Dodanie obiektu/klawisza");
    QWidget *added = object(1004);
    ASSERT_TRUE(added);
    selection.attach(added);
    ASSERT_TRUE(context.CurrentObject);

    history.mnuCofnijClick();
    EXPECT_FALSE(object(1004));
    EXPECT_FALSE(context.Objects.functionKey(SearchId));
    EXPECT_FALSE(context.Objects.tools);
    EXPECT_EQ(context.CurrentObject, context.Surface->Image1);
    EXPECT_EQ(selection.selectedCount(), 0);

    // Every object of the designer is still usable.
    for (QWidget *object : context.Surface->components()) {
        selection.attach(object);
        DesignEdits::setBounds(context, object, object->geometry().translated(1, 0));
    }
    for (int id = FirstFunctionId; id <= LastFunctionId; ++id)
        EXPECT_EQ(context.Objects.object(id) != nullptr, id == StartId || id == MusicId) << id;
    history.SaveUndo(QStringLiteral("Zmiana rozmiaru/położenia"));
    saved();

    // The add stays in the history between the load and the new step;
    // choosing it makes the objects again, the key with its own id.
    ASSERT_EQ(history.steps().names(), (QStringList{QStringLiteral("Projekt otwarty"),
                                                    QStringLiteral("Dodanie obiektu/klawisza"),
                                                    QStringLiteral("Zmiana rozmiaru/położenia")}));
    history.restore(1);
    EXPECT_TRUE(object(1004));
    EXPECT_TRUE(context.Objects.functionKey(SearchId));
    EXPECT_TRUE(context.Objects.tools);
}

TEST_F(DesignUndo, AKeyOfACategoryIsNotTakenForTheMusicKey)
{
    loadProject();
    selection.attach(object(1001));
    pressOnFrame(Qt::Key_Delete);
    // A new key gets the id the deleted one had.
    DesignObjectCreators creators(context);
    TMenuButton *key = creators.DodajKlawisz();
    ASSERT_TRUE(key);
    history.SaveUndo(QStringLiteral("Dodanie obiektu/klawisza"));
    history.restore(1);
    EXPECT_FALSE(idsOf(*context.Surface).contains(1001));
    EXPECT_TRUE(object(MusicId));
}

TEST_F(DesignUndo, ListColoursHintsAndSettingsComeBack)
{
    loadProject();
    auto *list = static_cast<TTranspList *>(object(ListId));
    DesignEdits::setColor(context, list, Platform::clRed);
    list->setToolTip(QStringLiteral("lista, #1"));
    auto *title = static_cast<QLabel *>(object(TitleId));
    title->setToolTip({});
    DesignEdits::setSetting(context, QStringLiteral("CD_CAPTION"), QStringLiteral("Płyta, #2"));
    history.SaveUndo(QStringLiteral("Zmiana koloru obiektu"));
    DesignEdits::setColor(context, list, Platform::clBlue);
    list->setToolTip({});
    title->setToolTip(QStringLiteral("tytuł"));
    DesignEdits::setSetting(context, QStringLiteral("CD_CAPTION"), {});
    history.SaveUndo(QStringLiteral("Edycja podpowiedzi"));

    history.mnuCofnijClick();
    EXPECT_EQ(list->color(), Platform::clRed);
    EXPECT_EQ(list->toolTip(), u"lista, #1");
    EXPECT_EQ(title->toolTip(), u"");
    EXPECT_EQ(context.Design.setting(QStringLiteral("CD_CAPTION")), u"Płyta, #2");
    EXPECT_TRUE(history.canUndo());
    EXPECT_TRUE(history.canRedo());
}

// A step keeps the whole design: whatever one edit changed, undoing it gives
// back the design as it was, and redoing it the design after the edit.
TEST_F(DesignUndo, EveryValueOfTheDesignComesBackWithItsStep)
{
    const auto key = [this](int id) { return static_cast<TMenuButton *>(object(id)); };
    const struct {
        const char *edit;
        std::function<void()> change;
    } rows[] = {
        {"a key moved and sized", [&] { DesignEdits::setBounds(context, key(1001), QRect(33, 44, 55, 66)); }},
        {"a key's font", [&] {
             DesignEdits::setFont(context, key(1002), {QStringLiteral("Courier New"), 14, FontItalic, Platform::clRed});
         }},
        {"a key's texts and look", [&] {
             DesignEdits::changeKey(context, key(1003), [](DesignKey &entry) {
                 entry.caption = QStringLiteral("Inna");
                 entry.hint = QStringLiteral("podpowiedź");
                 entry.wordWrap = true;
                 entry.layout = GlyphLayout::Bottom;
                 entry.numGlyphs = 3;
                 entry.noBorder = true;
             });
         }},
        {"a key's files", [&] {
             DesignEdits::setKeyFile(context, 1001, DesignEdits::KeyFile::Data, QStringLiteral("dane\\inne.rv3"));
             DesignEdits::setKeyFile(context, 1001, DesignEdits::KeyFile::NextWindow, QStringLiteral("okna\\trzecie.klv"));
         }},
        {"a second-window tick", [&] { DesignEdits::setNextWindow(context, 1002, false); }},
        {"a key deleted", [&] { delete key(1003); }},
        {"a function key added", [&] { DesignObjectCreators(context).DodajKlawisz_Koniec(); }},
        {"the list's colours", [&] {
             DesignEdits::change(context, object(ListId), [](DesignEdits::Entry &entry) {
                 *entry.color = Platform::clAqua;
                 *entry.selectedColor = Platform::clMaroon;
                 *entry.transparent = true;
             });
         }},
        {"the title", [&] {
             QWidget *title = object(TitleId);
             DesignEdits::change(context, title, [](DesignEdits::Entry &entry) {
                 *entry.color = Platform::clTeal;
                 *entry.wordWrap = true;
                 entry.bounds->moveTopLeft(QPoint(5, 6));
             });
         }},
        {"the window", [&] {
             DesignEdits::setColor(context, &surface(), Platform::clPurple);
             surface().setBackgroundAligned(false);
             DesignEdits::setBounds(context, surface().Image1, QRect(1, 2, 300, 200));
         }},
        {"a setting", [&] { DesignEdits::setSetting(context, QStringLiteral("CD_TITLE"), QStringLiteral("Nowy")); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.edit);
        loadProject();
        const MenuDesign before = DesignReading::designOfSurface(context);
        row.change();
        const MenuDesign after = DesignReading::designOfSurface(context);
        ASSERT_NE(after, before);
        history.SaveUndo(QStringLiteral("Zmiana"));
        history.mnuCofnijClick();
        EXPECT_EQ(DesignReading::designOfSurface(context), before);
        history.mnuPonowClick();
        EXPECT_EQ(DesignReading::designOfSurface(context), after);
    }
}
