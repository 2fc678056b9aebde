#include "checkbox/bitcheckbox.h"

#include "testsupport.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kOlive(128, 128, 0);

// A state bitmap of 14-pixel-high cells on an olive background (the
// bottom-left pixel), each cell a square of its colour from (2,2) to (11,11).
QImage strip(int width, const QList<QColor> &cells)
{
    QImage image(width, 14, QImage::Format_RGB32);
    image.fill(kOlive);
    QPainter painter(&image);
    const int cell = 19;
    for (int i = 0; i < cells.size(); ++i)
        painter.fillRect(i * cell + 2, 2, 10, 10, cells[i]);
    return image;
}

struct Form
{
    QWidget window;
    TBitCheckBox *box = new TBitCheckBox(&window);
    int clicks = 0;

    Form()
    {
        window.resize(200, 60);
        window.setAutoFillBackground(true);
        window.setPalette(QPalette(QColor(Qt::white)));
        box->move(10, 10);
        box->setCaption(QStringLiteral("&Muzyka w tle"));
        box->OnClick = [this](QObject *) { ++clicks; };
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QImage picture() { return box->grab().toImage(); }
};

TEST(BitCheckBox, StartsUncheckedWithDefaultPicturesOfOneCell)
{
    TBitCheckBox box;
    EXPECT_EQ(box.state(), cbUnchecked);
    EXPECT_EQ(box.size(), QSize(97, 17));
    EXPECT_EQ(box.alignment(), taRightJustify);
    EXPECT_TRUE(box.tabStop());
    EXPECT_EQ(box.checkedGlyph().size(), QSize(19, 14));
    EXPECT_EQ(box.checkedNumGlyphs(), 1);
    EXPECT_EQ(box.grayedNumGlyphs(), 1);
    EXPECT_EQ(box.uncheckedNumGlyphs(), 1);
    EXPECT_NE(box.checkedGlyph(), box.uncheckedGlyph());
}

TEST(BitCheckBox, ClickCyclesTheStatesAndFiresOnClick)
{
    const struct {
        bool allowGrayed;
        TCheckBoxState from;
        TCheckBoxState to;
    } cases[] = {
        {false, cbUnchecked, cbChecked},
        {true, cbUnchecked, cbGrayed},
        {false, cbChecked, cbUnchecked},
        {true, cbChecked, cbUnchecked},
        {false, cbGrayed, cbChecked},
        {true, cbGrayed, cbChecked},
    };
    for (const auto &c : cases) {
        Form f;
        f.box->setAllowGrayed(c.allowGrayed);
        f.box->setState(c.from);  // from code: no OnClick
        EXPECT_EQ(f.clicks, 0);
        QTest::mouseClick(f.box, Qt::LeftButton, {}, {5, 8});
        EXPECT_EQ(f.box->state(), c.to) << c.allowGrayed << " " << int(c.from);
        EXPECT_EQ(f.clicks, 1);
    }
}

TEST(BitCheckBox, ReleaseOutsideOrRightButtonDoesNotClick)
{
    Form f;
    QTest::mousePress(f.box, Qt::LeftButton, {}, {5, 8});
    QTest::mouseRelease(f.box, Qt::LeftButton, {}, {150, 8});
    QTest::mouseClick(f.box, Qt::RightButton, {}, {5, 8});
    EXPECT_EQ(f.box->state(), cbUnchecked);
    EXPECT_EQ(f.clicks, 0);
}

TEST(BitCheckBox, SpaceAndAcceleratorClickOnce)
{
    Form f;
    QApplication::setActiveWindow(&f.window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    f.box->setFocus();
    QTest::keyClick(f.box, Qt::Key_Space);
    EXPECT_EQ(f.box->state(), cbChecked);
    EXPECT_EQ(f.clicks, 1);
    QTest::keyClick(f.box, Qt::Key_A);  // other keys do nothing
    EXPECT_EQ(f.clicks, 1);

    QTest::keyClick(&f.window, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(f.box->state(), cbUnchecked);
    EXPECT_EQ(f.clicks, 2);

    f.box->setEnabled(false);
    QTest::keyClick(&f.window, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(f.clicks, 2);
}

TEST(BitCheckBox, CellCountFollowsTheBitmapAndTheSettersClampIt)
{
    const struct {
        int width;
        int cells;
        int cellWidth;
    } cases[] = {
        {19, 1, 19},
        {38, 2, 19},
        {57, 2, 28},  // three cells are clamped to two
        {10, 1, 10},
    };
    for (const auto &c : cases) {
        TBitCheckBox box;
        box.setCheckedGlyph(strip(c.width, {Qt::red}));
        box.setChecked(true);
        EXPECT_EQ(box.checkedNumGlyphs(), c.cells) << c.width;
        EXPECT_EQ(box.boxRect().width(), c.cellWidth) << c.width;
    }
    EXPECT_EQ(checkGlyphCells(QImage()), 1);

    TBitCheckBox box;
    box.setGrayedGlyph(strip(38, {Qt::red, Qt::blue}));
    box.setGrayedNumGlyphs(0);
    EXPECT_EQ(box.grayedNumGlyphs(), 1);
    box.setGrayedNumGlyphs(5);
    EXPECT_EQ(box.grayedNumGlyphs(), 2);
    box.setGrayedGlyph(QImage());  // back to the default picture
    EXPECT_EQ(box.grayedGlyph().size(), QSize(19, 14));
    EXPECT_EQ(box.grayedNumGlyphs(), 1);
}

TEST(BitCheckBox, DisabledBoxShowsTheSecondCellWhenThereIsOne)
{
    Form f;
    f.box->setCheckedGlyph(strip(38, {Qt::red, Qt::blue}));
    f.box->setUncheckedGlyph(strip(19, {Qt::green}));
    f.box->setChecked(true);
    const QPoint inCell = f.box->boxRect().topLeft() + QPoint(5, 5);
    const QPoint background = f.box->boxRect().topLeft() + QPoint(0, 13);
    EXPECT_EQ(f.picture().pixelColor(inCell), QColor(Qt::red));
    // The transparent colour is left out: the white of the form shows.
    EXPECT_EQ(f.picture().pixelColor(background), QColor(Qt::white));

    f.box->setEnabled(false);
    EXPECT_EQ(f.picture().pixelColor(inCell), QColor(Qt::blue));
    f.box->setChecked(false);  // one cell: the same look when disabled
    EXPECT_EQ(f.picture().pixelColor(inCell), QColor(Qt::green));
}

TEST(BitCheckBox, LeftJustifyPutsTheBoxAtTheRightEdge)
{
    Form f;
    f.box->setCheckedGlyph(strip(19, {Qt::red}));
    f.box->setChecked(true);
    EXPECT_EQ(f.box->boxRect(), QRect(0, 1, 19, 14));
    EXPECT_EQ(f.box->captionRect().left(), 23);
    f.box->setAlignment(taLeftJustify);
    EXPECT_EQ(f.box->boxRect(), QRect(97 - 19, 1, 19, 14));
    EXPECT_EQ(f.box->captionRect().left(), 1);
    EXPECT_EQ(f.picture().pixelColor(97 - 19 + 5, 6), QColor(Qt::red));
}

TEST(BitCheckBox, PictureOfEveryState)
{
    QWidget panel;
    panel.setAutoFillBackground(true);
    panel.setPalette(QPalette(QColor(Qt::white)));
    panel.resize(3 * 184 + 8, 4 * 22 + 8);
    const TCheckBoxState states[] = {cbUnchecked, cbChecked, cbGrayed};
    const QImage twoCells = strip(38, {QColor(0, 128, 0), QColor(160, 160, 160)});
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 4; ++row) {
            auto *box = new TBitCheckBox(&panel);
            box->setGeometry(4 + column * 184, 4 + row * 22, 180, 17);
            box->setAllowGrayed(true);
            box->setState(states[column]);
            const bool custom = row >= 2;
            if (custom) {
                box->setCheckedGlyph(twoCells);
                box->setUncheckedGlyph(twoCells);
                box->setGrayedGlyph(twoCells);
            }
            box->setEnabled(row % 2 == 0);
            box->setAlignment(column == 2 && row == 0 ? taLeftJustify : taRightJustify);
            box->setCaption(QStringLiteral("%1 %2").arg(
                QStringList{"Pusty", "Zaznaczony", "Szary"}[column],
                row % 2 == 0 ? QStringLiteral("&włączony") : QStringLiteral("wyłączony")));
        }
    }
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QImage picture = panel.grab().toImage();
    EXPECT_TRUE(picture.save(TestSupport::outputDir() + QStringLiteral("/bit_check_boxes.png")));
}

} // namespace
