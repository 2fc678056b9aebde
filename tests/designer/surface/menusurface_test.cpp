#include "designerfixture.h"

#include <objects/objectkinds.h>
#include <selection/stretchselection.h>

#include <buttons/menubutton.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <transplist/transplist.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>

using namespace ProjectFormat;
using MenuObjects::tagOf;

namespace {

void sendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void press(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void release(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void click(QWidget *widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    press(widget, at, button);
    release(widget, at, button);
}

} // namespace

using Surface = DesignerFixture;

TEST_F(Surface, AClickPlacesTheObjectUnderThePointerWhateverWasPressed)
{
    const struct {
        const char *name;
        const char *project;
        bool onStrip;
        QPoint at;       // in the pressed control
        QPoint expected; // on the surface
    } cases[] = {
        {"background filling the window", "", false, {200, 150}, {200, 150}},
        {"background below a top strip", "[OBJECTS]\nTOOLS=1\n", false, {200, 150}, {200, 150}},
        {"the top strip", "[OBJECTS]\nTOOLS=1\n", true, {300, 20}, {300, 20}},
        {"a bottom strip", "[OBJECTS]\nTOOLS=1\n[WINDOW]\nTOOLS_ALIGN=3\n", true, {30, 20}, {30, 450}},
        {"a background placed off the corner",
         "[WINDOW]\nBACK_ALIGN=0\n[LEFT]\nBACK=100\n[TOP]\nBACK=50\n[WIDTH]\nBACK=300\n[HEIGHT]\nBACK=200\n",
         false, {10, 20}, {110, 70}},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.name);
        writeText(QStringLiteral("P.KLV"), QString::fromUtf8(row.project));
        load(QStringLiteral("P.KLV"));
        palette.pressed = {int(ListId)};
        QWidget *pressed = row.onStrip ? static_cast<QWidget *>(context.Objects.tools) : surface().Image1;
        ASSERT_TRUE(pressed);
        click(pressed, row.at);
        ASSERT_TRUE(context.Objects.list);
        EXPECT_EQ(context.Objects.list->pos(), row.expected);
        EXPECT_EQ(context.ClickPoint, row.expected);
    }
}

TEST_F(Surface, TwoPressedKindsGiveTwoObjectsAndOneUndoStep)
{
    loadEmpty();
    palette.pressed = {PaletteKinds::CategoryKey, int(StartId)};
    click(surface().Image1, QPoint(40, 60));
    const QList<QWidget *> objects = surface().components();
    ASSERT_EQ(objects.size(), 2);
    EXPECT_EQ(tagOf(objects[0]), 1001);
    EXPECT_EQ(tagOf(objects[1]), int(StartId));
    EXPECT_EQ(objects[0]->pos(), QPoint(40, 60));
    EXPECT_EQ(objects[1]->pos(), QPoint(40, 60));
    EXPECT_EQ(undo.steps, (QStringList{QStringLiteral("Projekt otwarty"), QStringLiteral("Dodanie obiektu/klawisza")}));
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_TRUE(palette.pressed.isEmpty());
    EXPECT_EQ(palette.releases, 1);

    // Start again: nothing new, so no step either.
    palette.pressed = {int(StartId)};
    click(surface().Image1, QPoint(100, 100));
    EXPECT_EQ(surface().components().size(), 2);
    EXPECT_EQ(undo.steps.size(), 2);
}

TEST_F(Surface, AClickWithoutAKindOrWithTheRightButtonCreatesNothing)
{
    loadEmpty();
    click(surface().Image1, QPoint(40, 60));
    palette.pressed = {int(ListId)};
    press(surface().Image1, QPoint(40, 60), Qt::RightButton);
    EXPECT_TRUE(surface().DragActive);
    EXPECT_EQ(surface().DragOrigin, QPoint(40, 60));
    release(surface().Image1, QPoint(40, 60), Qt::RightButton);
    EXPECT_FALSE(surface().DragActive);
    EXPECT_TRUE(surface().components().isEmpty());
    EXPECT_EQ(undo.steps.size(), 1);
    EXPECT_FALSE(context.ProjectModified);
}

TEST_F(Surface, DraggingTheBackgroundMovesTheWindowUnlessTheBackgroundIsSelected)
{
    loadEmpty();
    const QPoint start = surface().pos();
    press(surface().Image1, QPoint(10, 10));
    sendMouse(surface().Image1, QEvent::MouseMove, QPoint(30, 25), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(surface().pos(), start + QPoint(20, 15));
    release(surface().Image1, QPoint(30, 25));

    context.selection().attach(surface().Image1);
    const QPoint held = surface().pos();
    press(surface().Image1, QPoint(10, 10));
    sendMouse(surface().Image1, QEvent::MouseMove, QPoint(50, 50), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(surface().pos(), held);
}

TEST_F(Surface, ObjectClicksSelectAndTheBackgroundDoubleClickFreesIt)
{
    loadEmpty();
    palette.pressed = {PaletteKinds::CategoryKey};
    click(surface().Image1, QPoint(40, 60));
    QWidget *key = surface().components().first();
    click(key, QPoint(5, 5));
    EXPECT_EQ(context.selection().selected(0), key);
    EXPECT_EQ(context.CurrentObject, key);

    click(surface().Image1, QPoint(300, 300));
    EXPECT_EQ(context.selection().selectedCount(), 0);
    EXPECT_EQ(context.CurrentObject, surface().Image1);

    sendMouse(surface().Image1, QEvent::MouseButtonDblClick, QPoint(300, 300), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(context.selection().selected(0), surface().Image1);
    EXPECT_FALSE(surface().backgroundAligned());

    // With clicks not selecting, a click only makes the object current.
    context.ClickSelects = false;
    click(surface().Image1, QPoint(300, 300));
    click(key, QPoint(5, 5));
    EXPECT_EQ(context.CurrentObject, key);
    EXPECT_EQ(context.selection().selectedCount(), 0);
}

TEST_F(Surface, ShiftIsHeldUntilAnyKeyIsReleasedAndEscStopsTheDrag)
{
    loadEmpty();
    QKeyEvent shiftDown(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(&surface(), &shiftDown);
    EXPECT_TRUE(surface().ShiftHeld);
    QKeyEvent otherUp(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier);
    QApplication::sendEvent(&surface(), &otherUp);
    EXPECT_FALSE(surface().ShiftHeld);

    press(surface().Image1, QPoint(5, 5));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&surface(), &escape);
    EXPECT_FALSE(surface().DragActive);
}

TEST_F(Surface, EveryCloseRequestIsRefused)
{
    loadEmpty();
    EXPECT_FALSE(surface().close());
    EXPECT_TRUE(surface().isVisible());
}

TEST_F(Surface, TheSelectionFrameTakesClickedObjectsAndItsMovesAreEdits)
{
    QWidget owner;
    TStretchSelection klamra(context, &owner);
    context.setSelection(&klamra);
    loadEmpty();
    palette.pressed = {PaletteKinds::CategoryKey};
    click(surface().Image1, QPoint(40, 60));
    QWidget *key = surface().components().first();
    context.ProjectModified = false;

    click(key, QPoint(5, 5));
    TStretchHandle *frame = klamra.Klamra();
    ASSERT_EQ(klamra.selectedCount(), 1);
    EXPECT_EQ(klamra.selected(0), key);
    EXPECT_EQ(frame->parentWidget(), &surface());

    const QPoint inside = key->geometry().center() - frame->pos();
    press(frame, inside);
    sendMouse(frame, QEvent::MouseMove, inside + QPoint(10, 5), Qt::NoButton, Qt::LeftButton);
    release(frame, inside + QPoint(10, 5));
    EXPECT_EQ(key->pos(), QPoint(50, 65));
    EXPECT_TRUE(context.ProjectModified);

    // A new load lets go of the old surface's objects first.
    loadEmpty(QStringLiteral("DRUGI.KLV"));
    EXPECT_EQ(klamra.selectedCount(), 0);
    EXPECT_TRUE(klamra.Klamra());
}
