#include "undofixture.h"

#include <alignment/aligndialog.h>

#include <checkbox/bitcheckbox.h>
#include <stretch/stretchhandle.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QTimer>

using namespace Alignment;

namespace {

// Presses button of the alignment dialog once it is shown.
void pressWhenShown(QPushButton *TfrmAlign::*button)
{
    QTimer::singleShot(0, [button] {
        if (auto *dialog = dynamic_cast<TfrmAlign *>(QApplication::activeModalWidget()))
            (dialog->*button)->click();
    });
}

QRect unionOf(const QList<QWidget *> &controls)
{
    QRect all;
    for (const QWidget *control : controls)
        all = all.united(control->geometry());
    return all;
}

} // namespace

class AlignDialogTest : public UndoFixture
{
protected:
    void select(const QList<int> &ids)
    {
        selection.detachAll();
        for (int id : ids)
            selection.attach(object(id));
        context.ProjectModified = false;
    }
    QList<QWidget *> keys() const { return {object(1001), object(1002), object(1003)}; }
    QList<QRect> boundsOf(const QList<QWidget *> &controls) const
    {
        QList<QRect> bounds;
        for (const QWidget *control : controls)
            bounds.append(control->geometry());
        return bounds;
    }

    AlignCommand command{context, selection, nullptr};
};

TEST_F(AlignDialogTest, OkAlignsAsOneStepAndTheFrameFollows)
{
    loadProject();
    object(1002)->setGeometry(120, 70, 60, 40);
    object(1003)->setGeometry(300, 20, 80, 30);
    select({1003, 1001, 1002});
    TfrmAlign &dialog = command.dialog();
    dialog.PolozenieItems->button(int(Edge::Top))->click();
    dialog.RozmiaryItems->button(int(Size::Widest))->click();
    dialog.RozkladItems->button(int(Spacing::Horizontal))->click();
    pressWhenShown(&TfrmAlign::klwOk);
    command.run();

    EXPECT_EQ(boundsOf(keys()), (QList<QRect>{QRect(10, 10, 80, 40), QRect(120, 10, 80, 40), QRect(230, 10, 80, 30)}));
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(history.steps().count(), 2);
    EXPECT_EQ(history.steps().names().last(), u"Wyrównywanie obiektów");
    // Held from the left, around the moved objects.
    EXPECT_EQ(selection.Klamra()->selectedControls(), keys());
    EXPECT_EQ(selection.Klamra()->geometry(), unionOf(keys()).adjusted(-kFrameLead, -kFrameLead, kFrameTrail, kFrameTrail));

    // The dialog is kept with the last choices; Anuluj changes nothing.
    EXPECT_EQ(&command.dialog(), &dialog);
    EXPECT_EQ(dialog.choices().spacing, Spacing::Horizontal);
    context.ProjectModified = false;
    dialog.PolozenieItems->button(int(Edge::Bottom))->click();
    pressWhenShown(&TfrmAlign::klwAnuluj);
    command.run();
    EXPECT_EQ(boundsOf(keys()), (QList<QRect>{QRect(10, 10, 80, 40), QRect(120, 10, 80, 40), QRect(230, 10, 80, 30)}));
    EXPECT_FALSE(context.ProjectModified);
    EXPECT_EQ(history.steps().count(), 2);

    history.mnuCofnijClick(); // back to the project as loaded
    EXPECT_EQ(object(1003)->geometry(), QRect(10, 110, 80, 40));
}

TEST_F(AlignDialogTest, OneObjectIsStillOneStep)
{
    loadProject();
    select({1002});
    alignSelection(context, selection, {Edge::Left, Size::Unchanged, Spacing::Unchanged, false, false});
    EXPECT_EQ(object(1002)->geometry(), QRect(10, 60, 80, 40));
    EXPECT_TRUE(context.ProjectModified);
    EXPECT_EQ(history.steps().count(), 2);
}

TEST_F(AlignDialogTest, CentringUsesTheSurfacesClientArea)
{
    loadProject();
    surface().resize(640, 480);
    QApplication::processEvents();
    ASSERT_EQ(surface().size(), QSize(640, 480));
    select({1001, 1002});
    TfrmAlign &dialog = command.dialog();
    dialog.chkVertCenter->setChecked(true);
    dialog.chkHorCenter->setChecked(true);
    pressWhenShown(&TfrmAlign::klwOk);
    command.run();
    const QRect all = unionOf({object(1001), object(1002)});
    EXPECT_EQ(all.size(), QSize(80, 90));
    EXPECT_EQ(all.topLeft() + QPoint(all.width() / 2, all.height() / 2), QPoint(320, 240));
}
