// The design surface and "Obiekty menu" show the same bounds: a change of
// one is seen in the other at once, and the selection frame follows.
#include "mainwindowfixture.h"

#include "inspector/objectinspector.h"
#include "selection/stretchselection.h"
#include "surface/menusurface.h"

#include <buttons/menubutton.h>
#include <lists/linkedit.h>
#include <menuobjects/imagewidget.h>
#include <menuobjects/menuobjects.h>
#include <stretch/stretchhandle.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSpinBox>
#include <QTest>

namespace {

// A 1-bit mask, all window.
void writeMask(const QString &file, int width, int height)
{
    QImage mask(width, height, QImage::Format_Mono);
    mask.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mask.fill(0);
    ASSERT_TRUE(mask.save(file, "BMP"));
}

// The four bounds the inspector shows: width, height, left, top.
QList<int> shownBounds(const TfrmObiekty &inspector)
{
    return {inspector.edtSzer->value(), inspector.edtWys->value(), inspector.edtLewa->value(),
            inspector.edtGora->value()};
}

void commit(QSpinBox *editor, int value)
{
    editor->setValue(value);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

} // namespace

TEST_F(MainWindowFixture, AMaskThatResizesTheSurfaceShowsInTheInspectorAtOnce)
{
    QDir().mkpath(path(QStringLiteral("obrazy")));
    writeMask(path(QStringLiteral("obrazy/maska.bmp")), 400, 300);
    makeWindow();
    dialogs.pathAnswers = {path(QStringLiteral("NOWY.KLV"))};
    window->mnuNowy->trigger();
    QApplication::processEvents();
    TfrmObiekty &inspector = window->palette();
    TfrmMenu *surface = window->context().Surface;
    ASSERT_TRUE(surface);
    // A new window: the background fills it and is the object shown.
    ASSERT_EQ(window->context().CurrentObject.data(), static_cast<QWidget *>(surface->Image1));
    EXPECT_EQ(shownBounds(inspector), QList<int>({640, 480, 0, 0}));

    inspector.edtMaska->setText(QStringLiteral("obrazy\\maska.bmp"));
    QTest::keyClick(inspector.edtMaska, Qt::Key_Return);
    QApplication::processEvents();

    EXPECT_EQ(surface->size(), QSize(400, 300));
    EXPECT_EQ(shownBounds(inspector), QList<int>({400, 300, 0, 0}));

    // The window's own size typed in the inspector reaches the background too.
    commit(inspector.edtWys, 250);
    EXPECT_EQ(surface->size(), QSize(400, 250));
    EXPECT_EQ(shownBounds(inspector), QList<int>({400, 250, 0, 0}));
}

TEST_F(MainWindowFixture, TheSelectionFrameFollowsBoundsTypedInTheInspector)
{
    writeText(QStringLiteral("MENU.KLV"), QStringLiteral("[NAMES]\n1001=Gry\n1002=Nauka\n[LEFT]\n1001=10\n1002=200\n"
                                                         "[TOP]\n1001=20\n1002=20\n[WIDTH]\n1001=75\n1002=75\n"
                                                         "[HEIGHT]\n1001=35\n1002=35\n"));
    windowWith(QStringLiteral("MENU.KLV"));
    TfrmMenu *surface = window->context().Surface;
    ASSERT_TRUE(surface);
    surface->show();
    QList<QWidget *> keys = surface->components();
    ASSERT_EQ(keys.size(), 2);
    TfrmObiekty &inspector = window->palette();
    TStretchHandle *frame = window->selection().Klamra();

    const struct {
        const char *name;
        QList<QWidget *> selected;
        QSpinBox *editor;
        int value;
    } cases[] = {
        {"a wider key", {keys[0]}, inspector.edtSzer, 140},
        {"a taller key", {keys[0]}, inspector.edtWys, 60},
        {"a key further left", {keys[0]}, inspector.edtLewa, 30},
        {"two keys lower", {keys[0], keys[1]}, inspector.edtGora, 90},
        {"two narrower keys", {keys[0], keys[1]}, inspector.edtSzer, 50},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        surface->Zaznacz(c.selected[0]);
        for (QWidget *key : c.selected.mid(1))
            window->selection().attach(key);
        ASSERT_EQ(window->selection().selectedCount(), c.selected.size());

        commit(c.editor, c.value);

        QRect selection;
        for (QWidget *key : c.selected)
            selection = selection.united(key->geometry());
        // The frame lies 2 pixels outside on the left and top, 3 on the
        // right and bottom, and takes the mouse over every selected key.
        EXPECT_EQ(frame->geometry(), selection.adjusted(-2, -2, 3, 3));
        for (QWidget *key : c.selected)
            EXPECT_TRUE(frame->mask().translated(frame->pos()).contains(key->geometry().bottomRight()));
    }
    EXPECT_EQ(keys[0]->geometry(), QRect(30, 90, 50, 60));
    EXPECT_EQ(keys[1]->geometry(), QRect(200, 90, 50, 35));
}
