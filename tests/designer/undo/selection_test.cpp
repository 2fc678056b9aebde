#include "undofixture.h"

#include <objects/designedits.h>

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>
#include <shaper/controlshaper.h>

#include <projectfile/projectformat.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

using namespace ProjectFormat;

namespace {

void clickOn(QWidget *widget, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPoint at(3, 3);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, modifiers);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace

using Selection = UndoFixture;

TEST_F(Selection, ShiftAddsAndShiftReleaseOverASelectedObjectTakesItOut)
{
    loadProject();
    QWidget *first = object(1001);
    QWidget *second = object(1002);
    clickOn(first);
    EXPECT_EQ(selection.Klamra()->selectedControls(), QList<QWidget *>{first});
    clickOn(second);
    EXPECT_EQ(selection.Klamra()->selectedControls(), QList<QWidget *>{second}); // without Shift: instead
    context.Surface->ShiftHeld = true;
    clickOn(first);
    EXPECT_EQ(selection.Klamra()->selectedControls(), (QList<QWidget *>{second, first}));

    const struct {
        Qt::KeyboardModifiers shift;
        QWidget *over;
        QList<QWidget *> left;
    } releases[] = {
        {Qt::NoModifier, first, {second, first}},     // no Shift: nothing leaves
        {Qt::ShiftModifier, object(1003), {second, first}}, // not over a selected one
        {Qt::ShiftModifier, first, {second}},
        {Qt::ShiftModifier, second, {second}},        // the last one stays
    };
    for (const auto &c : releases) {
        const QPoint inFrame = c.over->geometry().center() - selection.Klamra()->pos();
        selection.KlamraMouseUp(selection.Klamra(), c.shift, inFrame.x(), inFrame.y());
        EXPECT_EQ(selection.Klamra()->selectedControls(), c.left);
    }

    pressOnFrame(Qt::Key_Escape);
    EXPECT_EQ(selection.selectedCount(), 0);
    EXPECT_EQ(history.steps().count(), 1); // selecting is no edit
}

TEST_F(Selection, MovingTheSelectionIsOneStep)
{
    loadProject();
    selection.attach(object(1001));
    context.ProjectModified = false;
    selection.Klamra()->setBounds(selection.Klamra()->geometry().translated(10, 5));
    selection.KlamraMoved(selection.Klamra());
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(history.steps().names().last(), u"Zmiana rozmiaru/położenia");
    history.mnuCofnijClick();
    EXPECT_EQ(object(1001)->geometry(), QRect(10, 10, 80, 40));

    // An arrow key moves or sizes by one pixel: a step of its own each.
    selection.attach(object(1001));
    const struct {
        int key;
        Qt::KeyboardModifiers shift;
        QRect expected;
    } arrows[] = {{Qt::Key_Right, Qt::NoModifier, QRect(11, 10, 80, 40)},
                  {Qt::Key_Down, Qt::ShiftModifier, QRect(11, 10, 80, 41)}};
    for (const auto &c : arrows) {
        const int steps = history.steps().count();
        QKeyEvent event(QEvent::KeyPress, c.key, c.shift);
        QApplication::sendEvent(selection.Klamra(), &event);
        EXPECT_EQ(object(1001)->geometry(), c.expected);
        EXPECT_EQ(history.steps().count(), steps + 1);
    }
}

TEST_F(Selection, ThePopUpOffersTheGlyphSizeForKeysOnlyAndAlignmentForTwoObjectsOrMore)
{
    loadProject();
    const struct {
        QList<int> ids;
        bool glyphSize;
        bool alignment;
    } cases[] = {{{1002}, true, false}, {{ListId, 1002}, false, true}, {{1001, 1002, 1003}, true, true}};
    for (const auto &c : cases) {
        selection.detachAll();
        for (int id : c.ids)
            selection.attach(object(id));
        selection.PopupMenu1Popup();
        EXPECT_EQ(selection.klawiszDoBMP->isEnabled(), c.glyphSize);
        EXPECT_EQ(selection.mnuAlign->isEnabled(), c.alignment);
    }
}

TEST_F(Selection, KeysTakeTheSizeOfOneGlyphCell)
{
    loadProject();
    auto *withGlyph = static_cast<TMenuButton *>(object(1002));
    DesignEdits::changeKey(context, withGlyph, [](ProjectFormat::DesignKey &key) { key.numGlyphs = 3; });
    selection.attach(object(1001)); // no glyph: left alone
    selection.attach(withGlyph);
    selection.klawiszDoBMP->trigger();
    EXPECT_EQ(withGlyph->size(), QSize(34, 34));
    EXPECT_EQ(object(1001)->size(), QSize(80, 40));
    EXPECT_EQ(history.steps().names().last(), u"Klawisza = Bitmapa");
    EXPECT_TRUE(context.ProjectModified);
    // Done again it changes nothing and records nothing.
    selection.klawiszDoBMP->trigger();
    EXPECT_EQ(history.steps().count(), 2);
}

TEST_F(Selection, WindowSizeFromTheBackgroundAndFromTheMask)
{
    loadProject();
    writePicture(QStringLiteral("obrazy/duze.bmp"), 500, 350, Qt::gray);
    DesignEdits::setSetting(context, QStringLiteral("Tlo"), QStringLiteral("obrazy\\duze.bmp"));
    selection.RozmiaroknaBMP1->trigger();
    EXPECT_EQ(context.Surface->size(), QSize(500, 350));
    EXPECT_EQ(history.steps().names().last(), u"Rozmiar okna = rozmiar BMP");
    const int steps = history.steps().count();

    // No mask, or a picture that is no 1-bit mask: nothing changes.
    for (const QString &mask : {QString(), QStringLiteral("obrazy\\duze.bmp")}) {
        DesignEdits::setSetting(context, QStringLiteral("Maska"), mask);
        selection.mnuOdswiezMenuClick(nullptr);
        EXPECT_EQ(context.Surface->size(), QSize(500, 350));
        EXPECT_FALSE(context.Surface->MASKA->shapeActive());
    }
    EXPECT_EQ(history.steps().count(), steps);

    history.mnuCofnijClick();
    EXPECT_EQ(context.Surface->size(), QSize(400, 300));
}
