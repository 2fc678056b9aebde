#include "dock/floatplan.h"
#include "dockedform.h"

#include "testsupport.h"

#include <buttons/toolbarbutton.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

TEST(Toolbar, DockedBarIsItsButtonsPlusBorderAndStartsAfterTheGrip)
{
    DockedForm docked;
    EXPECT_EQ(docked.buttons.first()->size(), QSize(23, 22));
    EXPECT_EQ(docked.bar->height(), 26);
    EXPECT_EQ(docked.buttons.first()->pos(), QPoint(11, 2));
    EXPECT_EQ(docked.buttons.at(2)->x(), 11 + 46);
    EXPECT_EQ(docked.bar->width(), 11 + 69 + 2);
    EXPECT_EQ(docked.dock->height(), 26);

    docked.dock->setAllowDrag(false);
    EXPECT_EQ(docked.buttons.first()->pos(), QPoint(2, 2));
    EXPECT_EQ(docked.bar->width(), 2 + 69 + 2);
}

TEST(Toolbar, DockedBarTellsItsButtonsWhichSideItIsOn)
{
    const struct {
        TDock::TDockPosition position;
        TDockedBar::TDockSide side;
    } cases[] = {{TDock::dpTop, TDockedBar::dsTop},
                 {TDock::dpBottom, TDockedBar::dsBottom},
                 {TDock::dpLeft, TDockedBar::dsLeft},
                 {TDock::dpRight, TDockedBar::dsRight}};
    for (const auto &c : cases) {
        DockedForm docked(c.position);
        EXPECT_EQ(docked.bar->dockSide(), c.side);
    }
    DockedForm docked;
    docked.bar->setDockedTo(nullptr);
    EXPECT_EQ(docked.bar->dockSide(), TDockedBar::dsNone);
    EXPECT_EQ(docked.bar->orientation(), BarLayout::Orientation::Floating);
    EXPECT_TRUE(docked.bar->isWindow());
    EXPECT_EQ(docked.dock->height(), 0);
}

TEST(Toolbar, SettingRowOrPositionArrangesTheDockAtOnce)
{
    DockedForm docked;
    TToolbar *second = docked.addBar(2);
    // A new bar's position -1 puts it in front of the row.
    EXPECT_EQ(second->dockRow(), 0);
    EXPECT_EQ(second->x(), 0);
    EXPECT_EQ(docked.bar->x(), second->width());
    EXPECT_EQ(docked.dock->height(), 26);

    second->setDockRow(1);
    EXPECT_EQ(second->pos(), QPoint(0, 26));
    EXPECT_EQ(docked.bar->pos(), QPoint(second->width(), 0)) << "the first bar stays where it was pushed";
    EXPECT_EQ(docked.dock->height(), 52);

    second->setDockPos(100);
    EXPECT_EQ(second->x(), 100);

    // Row 5 with rows 1 to 4 empty becomes row 1 again.
    second->setDockRow(5);
    EXPECT_EQ(second->dockRow(), 1);
}

TEST(Toolbar, ARowIsPulledBackOnlyOnceTheDockIsShown)
{
    // Two bars of one button (36 wide) on a dock 100 wide.
    DockedForm docked(TDock::dpTop, 1);
    TToolbar *second = docked.addBar(1);
    docked.dock->setGeometry(0, 0, 100, 26);
    second->setDockPos(100);
    docked.bar->setDockPos(0);
    second->setDockPos(80);
    EXPECT_EQ(docked.bar->x(), 0);
    EXPECT_EQ(second->x(), 80);
    docked.form->show();
    QApplication::processEvents();
    EXPECT_EQ(docked.dock->width(), 100);
    EXPECT_EQ(docked.bar->x(), 0);
    EXPECT_EQ(second->x(), 100 - 36);
}

TEST(Toolbar, HidingABarEmptiesTheDockAndReportsIt)
{
    DockedForm docked;
    QList<bool> reports;
    docked.dock->OnInsertRemoveBar = [&reports](QObject *, bool inserting, TToolbar *) { reports.append(inserting); };
    docked.bar->setVisible(false);
    EXPECT_EQ(docked.dock->height(), 0);
    docked.bar->setVisible(true);
    EXPECT_EQ(docked.dock->height(), 26);
    EXPECT_EQ(reports, (QList<bool>{false, true}));

    docked.dock->setFixAlign(true);
    docked.bar->setVisible(false);
    EXPECT_EQ(docked.dock->height(), 1);
}

TEST(Toolbar, DockSizeKeepsItsEdgeAndBoundLines)
{
    DockedForm bottom(TDock::dpBottom);
    EXPECT_EQ(bottom.dock->geometry(), QRect(0, 300 - 26, 400, 26));

    DockedForm top;
    top.dock->setBoundLines(TDock::blTop | TDock::blBottom);
    EXPECT_EQ(top.dock->height(), 26 + 2);
    EXPECT_EQ(top.bar->y(), 1);
    EXPECT_EQ(top.dock->contentsRect().height(), 26);
}

TEST(Toolbar, AShownDockMovesToAnotherPanelWithItsBars)
{
    DockedForm docked;
    auto *panel = new QWidget(docked.form.get());
    panel->setGeometry(0, 100, 400, 200);
    docked.form->show();
    docked.dock->setParent(panel);
    EXPECT_EQ(docked.dock->parentWidget(), panel);
    EXPECT_TRUE(docked.dock->isVisible());
    EXPECT_EQ(docked.bar->dockedTo(), docked.dock);
    EXPECT_THROW(docked.dock->hide(), EInvalidOperation);
}

TEST(Toolbar, VerticalDockLaysTheBarDown)
{
    auto form = std::make_unique<QWidget>();
    auto *dock = new TDock(form.get());
    dock->setPosition(TDock::dpLeft);
    dock->setGeometry(0, 0, 0, 300);
    auto *bar = new TToolbar(form.get());
    auto *first = new TToolbarButton(bar);
    auto *separator = new TToolbarSep(bar);
    separator->setSizeVert(5);
    auto *second = new TToolbarButton(bar);
    bar->setDockedTo(dock);
    EXPECT_EQ(first->pos(), QPoint(2, 11));
    EXPECT_EQ(separator->geometry(), QRect(2, 33, 23, 5));
    EXPECT_EQ(second->pos(), QPoint(2, 38));
    EXPECT_EQ(bar->width(), 27);
    EXPECT_EQ(dock->width(), 27);
}

TEST(Toolbar, NewControlsAndResizedOnesAreLaidOutAgain)
{
    DockedForm docked(TDock::dpTop, 1);
    // A hidden control hears of its resizing only when shown.
    docked.form->show();
    auto *edit = new QLineEdit(docked.bar);
    edit->show();
    edit->resize(120, 30);
    QApplication::processEvents();
    EXPECT_EQ(edit->pos(), QPoint(11 + 23, 2));
    EXPECT_EQ(docked.bar->height(), 34);
    // The button is centred in the thicker row.
    EXPECT_EQ(docked.buttons.first()->y(), 2 + 4);
    EXPECT_EQ(docked.dock->height(), 34);

    edit->resize(60, 20);
    EXPECT_EQ(docked.bar->width(), 11 + 23 + 60 + 2);
    EXPECT_EQ(docked.dock->height(), 26);

    edit->hide();
    EXPECT_EQ(docked.bar->width(), 11 + 23 + 2);
}

TEST(Toolbar, FloatingBarWrapsAtItsWidth)
{
    auto form = std::make_unique<QWidget>();
    auto *bar = new TToolbar(form.get());
    auto *a = new TToolbarButton(bar);
    new TToolbarButton(bar);
    auto *separator = new TToolbarSep(bar);
    auto *c = new TToolbarButton(bar);
    new TToolbarButton(bar);
    bar->setFloatingWrapWidth(60);
    // Inside the floating frame and caption.
    const QPoint client = bar->clientRect().topLeft();
    EXPECT_EQ(client, QPoint(FloatPlan::FrameWidth, FloatPlan::FrameWidth + FloatPlan::CaptionHeight));
    EXPECT_EQ(a->pos(), client + QPoint(4, 2));
    EXPECT_EQ(separator->width(), 0);
    EXPECT_EQ(c->pos(), client + QPoint(4, 30));
    ASSERT_EQ(bar->lines().size(), 1u);
    EXPECT_EQ(bar->clientRect().size(), QSize(60, 53));
    EXPECT_EQ(bar->size(), QSize(60, 53).grownBy(FloatPlan::frameMargins()));
}

TEST(Toolbar, AFloatingBarClosedByItsWindowOnlyHides)
{
    DockedForm docked;
    int closes = 0;
    docked.bar->OnClose = [&closes](QObject *) { ++closes; };
    docked.form->show();
    docked.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(docked.form.get()));
    docked.bar->setDockedTo(nullptr);
    ASSERT_TRUE(docked.bar->isVisible());
    EXPECT_TRUE(docked.bar->isWindow());
    EXPECT_EQ(docked.buttons.first()->pos(), docked.bar->clientRect().topLeft() + QPoint(4, 2));

    docked.bar->close();
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(docked.bar->isVisibleSet());
    EXPECT_FALSE(docked.bar->isVisible());

    // Docked again it stays out of the dock until shown.
    docked.bar->setDockedTo(docked.dock);
    EXPECT_EQ(docked.dock->height(), 0);
    docked.bar->setVisible(true);
    EXPECT_EQ(docked.dock->height(), 26);
    EXPECT_EQ(docked.buttons.first()->pos(), QPoint(11, 2));
}

TEST(Toolbar, MisuseIsRefusedWithItsMessage)
{
    const struct {
        const char *message;
        std::function<void(QWidget *form)> misuse;
    } cases[] = {
        {"TDock must be owned by a form", [](QWidget *form) { new TDock(new QWidget(form)); }},
        {"TToolbar must be owned by a form", [](QWidget *form) { new TToolbar(new QWidget(form)); }},
        {"A TDock control cannot be placed inside a TToolbar or another TDock",
         [](QWidget *form) { new TDock(form, new TToolbar(form)); }},
        {"A TDock control cannot be placed inside a TToolbar or another TDock",
         [](QWidget *form) {
             auto *dock = new TDock(form);
             (new TDock(form))->setParent(dock);
         }},
        {"Cannot hide a TDock", [](QWidget *form) { (new TDock(form))->setVisible(false); }},
        {"Cannot change Position of a TDock if it already contains controls",
         [](QWidget *form) {
             auto *dock = new TDock(form);
             (new TToolbar(form))->setDockedTo(dock);
             dock->setPosition(TDock::dpLeft);
         }},
        {"TToolbar can only be placed on a TDock or directly on the form",
         [](QWidget *form) { (new TToolbar(form))->setParent(new QWidget(form)); }},
        {"TToolbarSep can only be placed on a TToolbar",
         [](QWidget *form) { (new TToolbarSep(new TToolbar(form)))->setParent(new QWidget(form)); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        QWidget form;
        try {
            c.misuse(&form);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidOperation &error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(Toolbar, RefusedChangesLeaveThingsWhereTheyWere)
{
    DockedForm docked;
    EXPECT_THROW(docked.dock->setPosition(TDock::dpBottom), EInvalidOperation);
    EXPECT_EQ(docked.dock->position(), TDock::dpTop);
    EXPECT_THROW(docked.bar->setParent(docked.buttons.first()), EInvalidOperation);
    EXPECT_EQ(docked.bar->dockedTo(), docked.dock);
    EXPECT_EQ(docked.bar->parentWidget(), docked.dock);
    // A separator may leave its bar altogether.
    auto *separator = new TToolbarSep(docked.bar);
    separator->setParent(nullptr);
    delete separator;
}

TEST(Toolbar, GripAndEdgesArePainted)
{
    DockedForm docked;
    docked.form->show();
    QApplication::processEvents();
    const QImage image = docked.bar->grab().toImage();
    image.save(QDir(TestSupport::outputDir()).filePath(QStringLiteral("docked_toolbar.png")));
    const QPalette palette = docked.bar->palette();
    const QRgb light = palette.color(QPalette::Light).rgb();
    const QRgb dark = palette.color(QPalette::Dark).rgb();
    // The bar's raised edge.
    EXPECT_EQ(image.pixel(5, 0), light);
    EXPECT_EQ(image.pixel(5, 25), dark);
    // Two grip bars from x 4 and x 7: light left edge, dark right edge, lit
    // bottom-left pixel.
    EXPECT_EQ(image.pixel(4, 10), light);
    EXPECT_EQ(image.pixel(6, 10), dark);
    EXPECT_EQ(image.pixel(7, 10), light);
    EXPECT_EQ(image.pixel(9, 10), dark);
    EXPECT_EQ(image.pixel(4, 23), light);

    docked.dock->setAllowDrag(false);
    QApplication::processEvents();
    const QImage plain = docked.bar->grab().toImage();
    EXPECT_NE(plain.pixel(6, 10), dark);
}

} // namespace
