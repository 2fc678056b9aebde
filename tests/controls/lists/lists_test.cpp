#include "lists/horlistbox.h"
#include "lists/linkedit.h"

#include "testsupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kLong = QStringLiteral("\\MENU\\PROGRAMY\\NARZĘDZIA\\BARDZO DŁUGA NAZWA PLIKU INSTALACJI.EXE");
const QString kShort = QStringLiteral("\\MENU\\A.EXE");

// ---- list boxes --------------------------------------------------------------

template<typename List>
void checkExtentFollowsTheWidestAddedItem(int room)
{
    QWidget window;
    auto *list = new List(&window);
    list->setGeometry(0, 0, 120, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int longWidth = list->textWidth(kLong) + room;

    EXPECT_EQ(list->addItem(kLong), 0);
    EXPECT_EQ(list->horizontalExtent(), longWidth);
    EXPECT_EQ(list->addItem(kShort), 1);
    EXPECT_EQ(list->horizontalExtent(), longWidth);
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), longWidth - list->viewport()->width());

    // Items added past addItem leave the extent alone.
    list->QListWidget::addItem(kLong + kLong);
    list->resize(130, 80);  // the view lays itself out again
    QApplication::processEvents();
    EXPECT_EQ(list->horizontalExtent(), longWidth);
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), longWidth - list->viewport()->width());

    list->horizontalScrollBar()->setValue(40);
    list->clearItems();
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(list->horizontalExtent(), 0);
    EXPECT_EQ(list->horizontalScrollBar()->value(), 0);
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);

    list->addItem(kShort);
    EXPECT_EQ(list->horizontalExtent(), list->textWidth(kShort) + room);
}

TEST(HListBox, ExtentFollowsTheWidestAddedItem)
{
    checkExtentFollowsTheWidestAddedItem<THListBox>(0);
}

TEST(HCheckListBox, ExtentLeavesRoomForTheBox)
{
    THCheckListBox probe;
    const int room = std::max(15, probe.style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6);
    checkExtentFollowsTheWidestAddedItem<THCheckListBox>(room);
}

// When the widest line is about as wide as the view, showing the horizontal
// bar narrows the view for the vertical one and the other way round: the
// list must settle, not lay itself out without end.
TEST(HListBox, ExtentNearTheViewWidthSettles)
{
    QWidget window;
    auto *list = new THListBox(&window);
    list->setGeometry(0, 0, 160, 90);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int lines = 3; lines <= 7; ++lines) {
        for (int extra = -2 * scrollBar; extra <= 2 * scrollBar; ++extra) {
            list->clearItems();
            list->resize(160, 90);
            QString line;
            while (list->textWidth(line) < 160 + extra)
                line += u'x';
            for (int i = 0; i < lines; ++i)
                list->addItem(line.left(line.size() - i));
            list->resize(160 + extra % 3, 90);
            QApplication::processEvents();
            EXPECT_EQ(list->horizontalScrollBar()->maximum(),
                      std::max(0, list->horizontalExtent() - list->viewport()->width()))
                << lines << " lines, " << extra;
        }
    }
}

TEST(HListBox, TextWidthIsTheTextPlusOneAverageCharacter)
{
    THListBox list;
    const QFontMetrics metrics(list.font());
    EXPECT_EQ(list.textWidth(QString()), metrics.averageCharWidth());
    EXPECT_EQ(list.textWidth(kShort), metrics.horizontalAdvance(kShort) + metrics.averageCharWidth());
    EXPECT_EQ(list.textWidth(QString(20000, QLatin1Char('W'))), 65535);
}

TEST(HListBox, ScrollingReportsThePosition)
{
    QWidget window;
    auto *list = new THListBox(&window);
    list->setGeometry(0, 0, 100, 60);
    int h = 0, v = 0;
    list->OnHScroll = [&](QObject *sender) { h += sender == list; };
    list->OnVScroll = [&](QObject *sender) { v += sender == list; };
    for (int i = 0; i < 30; ++i)
        list->addItem(kLong);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    list->horizontalScrollBar()->setValue(25);
    list->verticalScrollBar()->setValue(3);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(v, 1);
    EXPECT_EQ(list->hScrollPos(), 25);
    EXPECT_EQ(list->vScrollPos(), 3);
}

TEST(HCheckListBox, TicksAndColoursPerLine)
{
    THCheckListBox list;
    list.addItem(QStringLiteral(">>> KONFIGURACJE MENU <<<"));
    list.addItem(QStringLiteral("\\MENU\\ORVANTA.INI"));
    int userChecks = 0;
    list.OnClickCheck = [&](QObject *) { ++userChecks; };

    list.setChecked(1, true);
    list.setItemColor(0, Platform::clBlue);
    EXPECT_FALSE(list.checked(0));
    EXPECT_TRUE(list.checked(1));
    EXPECT_FALSE(list.checked(7));
    list.setChecked(7, true);  // ignored
    EXPECT_EQ(list.itemColor(0), QColor(Qt::blue));
    EXPECT_EQ(list.itemColor(1), list.palette().color(QPalette::Text));
    list.setItemColor(0, Platform::clDefault);
    EXPECT_EQ(list.itemColor(0), list.palette().color(QPalette::Text));
    EXPECT_EQ(userChecks, 0);

    // A tick by the user is reported.
    list.item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(userChecks, 1);
    EXPECT_TRUE(list.checked(0));
}

// ---- link edit ---------------------------------------------------------------

struct LinkForm
{
    QWidget window;
    TLinkEdit *edit = new TLinkEdit(&window);
    QLineEdit *other = new QLineEdit(&window);
    int clicks = 0;
    int keyDowns = 0;

    explicit LinkForm(TlinkStyle style = lsEllipsis)
    {
        window.resize(240, 80);
        edit->setGeometry(10, 10, 200, 21);
        other->setGeometry(10, 40, 200, 21);
        edit->setText(QStringLiteral("C:\\MENU\\tlo.bmp"));
        edit->setLinkStyle(style);
        edit->OnButtonClick = [this](QObject *sender) { clicks += sender == edit; };
        edit->OnKeyDown = [this](QObject *, int &, Qt::KeyboardModifiers) { ++keyDowns; };
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }

    QPoint onButton() const { return edit->buttonRect().center(); }
};

TEST(LinkEdit, ButtonOnlyWhileFocused)
{
    LinkForm f;
    EXPECT_FALSE(f.edit->buttonShown());
    EXPECT_EQ(f.edit->textMargins().right(), 0);
    f.edit->setFocus();
    EXPECT_TRUE(f.edit->buttonShown());
    EXPECT_EQ(f.edit->textMargins().right(), f.edit->buttonWidth());
    f.other->setFocus();
    EXPECT_FALSE(f.edit->buttonShown());
    EXPECT_EQ(f.edit->textMargins().right(), 0);
}

TEST(LinkEdit, ClickOnTheButtonFiresOnButtonClick)
{
    LinkForm f;
    f.edit->setFocus();
    QTest::mouseClick(f.edit, Qt::LeftButton, {}, f.onButton());
    EXPECT_EQ(f.clicks, 1);
    EXPECT_FALSE(f.edit->isButtonPressed());

    // Out before the release: nothing; back in before the release: a click.
    QTest::mousePress(f.edit, Qt::LeftButton, {}, f.onButton());
    EXPECT_TRUE(f.edit->isButtonPressed());
    QTest::mouseMove(f.edit, {20, 10});
    EXPECT_FALSE(f.edit->isButtonPressed());
    QTest::mouseRelease(f.edit, Qt::LeftButton, {}, {20, 10});
    EXPECT_EQ(f.clicks, 1);
    QTest::mousePress(f.edit, Qt::LeftButton, {}, f.onButton());
    QTest::mouseMove(f.edit, {20, 10});
    QTest::mouseMove(f.edit, f.onButton());
    QTest::mouseRelease(f.edit, Qt::LeftButton, {}, f.onButton());
    EXPECT_EQ(f.clicks, 2);
    EXPECT_EQ(f.edit->text(), QStringLiteral("C:\\MENU\\tlo.bmp"));
}

TEST(LinkEdit, CtrlEnterFiresAndInsertsNothing)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
    } cases[] = {
        {Qt::Key_Return, Qt::ControlModifier, 1},
        {Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier, 1},
        {Qt::Key_Return, Qt::NoModifier, 0},
        {Qt::Key_Return, Qt::ControlModifier | Qt::ShiftModifier, 0},
        {Qt::Key_Return, Qt::AltModifier | Qt::ControlModifier, 0},
    };
    for (const auto &c : cases) {
        LinkForm f;
        f.edit->setFocus();
        f.edit->setCursorPosition(3);
        int enterKeys = 0;
        f.edit->OnKeyDown = [&](QObject *, int &key, Qt::KeyboardModifiers) {
            enterKeys += key == Qt::Key_Return || key == Qt::Key_Enter;
        };
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QStringLiteral("\r"));
        QApplication::sendEvent(f.edit, &press);
        EXPECT_EQ(f.clicks, c.clicks) << int(c.key) << " " << int(c.modifiers);
        EXPECT_EQ(enterKeys, 1 - c.clicks);
        EXPECT_EQ(f.edit->text(), QStringLiteral("C:\\MENU\\tlo.bmp"));
        if (c.clicks == 1) {
            EXPECT_TRUE(press.isAccepted());  // the dialog's default button never sees it
        }
    }
}

TEST(LinkEdit, NormalStyleHasNoButton)
{
    LinkForm f(lsNormal);
    f.edit->setFocus();
    EXPECT_FALSE(f.edit->buttonShown());
    EXPECT_EQ(f.edit->textMargins().right(), 0);
    QTest::mouseMove(f.edit, f.onButton());
    EXPECT_EQ(f.edit->cursor().shape(), Qt::IBeamCursor);
    QTest::mouseClick(f.edit, Qt::LeftButton, {}, f.onButton());
    QTest::keyClick(f.edit, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(f.clicks, 0);

    // Switching the style while focused brings the button at once.
    f.edit->setLinkStyle(lsEllipsis);
    EXPECT_TRUE(f.edit->buttonShown());
    EXPECT_EQ(f.edit->textMargins().right(), f.edit->buttonWidth());
    QTest::mouseMove(f.edit, f.onButton());
    EXPECT_EQ(f.edit->cursor().shape(), Qt::ArrowCursor);
}

TEST(LinkEdit, PictureOfTheButtonAndACheckList)
{
    LinkForm f;
    f.window.resize(240, 160);
    auto *list = new THCheckListBox(&f.window);
    list->setGeometry(10, 70, 220, 80);
    list->addItem(QStringLiteral(">>> KONFIGURACJE MENU <<<"));
    list->addItem(QStringLiteral("\\MENU\\ORVANTA.INI"));
    list->addItem(QStringLiteral("\\MENU\\BRAK.BMP"));
    list->setItemColor(0, Platform::clBlue);
    list->setChecked(1, true);
    list->setItemColor(2, Platform::clRed);
    list->show();
    f.edit->setFocus();
    const QImage picture = f.window.grab().toImage();
    EXPECT_TRUE(picture.save(TestSupport::outputDir() + QStringLiteral("/link_edit.png")));
    // The middle one of the three dots.
    const int c = f.edit->buttonWidth() / 2 - 1;
    const QPoint dot = f.edit->mapTo(&f.window, f.edit->buttonRect().topLeft() + QPoint(c, c));
    EXPECT_EQ(picture.pixelColor(dot), QColor(Qt::black));
}

} // namespace
