#include "inlineedit/inedit.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A list-like parent holding the edit, shown and active so focus is real.
class InEditTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(200, 100);
        other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(0, 50, 200, 40);
        window.setFocusPolicy(Qt::StrongFocus);
        edit = new TInEdit(&window);
        edit->setGeometry(0, 0, 200, 20);
        edit->OnGoingOff = [this](QObject *sender, int reason, const QString &value, bool &allowExit) {
            EXPECT_EQ(sender, edit);
            reasons << reason;
            values << value;
            allowExit = allow;
            if (onGoingOff)
                onGoingOff();
        };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void open(const QString &text, int caret)
    {
        edit->setText(text);
        edit->setCursorPosition(caret);
        edit->show();
        edit->setFocus();
        QApplication::processEvents();
        reasons.clear();
        values.clear();
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(edit, &event);
    }

    QWidget window;
    QWidget *other = nullptr;
    TInEdit *edit = nullptr;
    QList<int> reasons;
    QStringList values;
    bool allow = true;
    std::function<void()> onGoingOff;
};

TEST_F(InEditTest, KeyTable)
{
    const struct {
        const char *text;
        int caret;
        int key;
        Qt::KeyboardModifiers modifiers;
        int reason; // 0: the edit keeps the key
    } cases[] = {
        {"abc", 3, Qt::Key_Right, Qt::NoModifier, 2},
        {"abc", 2, Qt::Key_Right, Qt::NoModifier, 0},
        {"abc", 1, Qt::Key_Right, Qt::ControlModifier, 2},
        {"abc", 3, Qt::Key_Right, Qt::ShiftModifier, 0},
        {"abc", 0, Qt::Key_Left, Qt::NoModifier, 1},
        {"abc", 1, Qt::Key_Left, Qt::NoModifier, 0},
        {"abc", 2, Qt::Key_Left, Qt::ControlModifier, 1},
        {"abc", 0, Qt::Key_Left, Qt::ShiftModifier, 0},
        {"abc", 0, Qt::Key_Left, Qt::AltModifier, 0},
        {"", 0, Qt::Key_Up, Qt::NoModifier, 3},
        {"", 0, Qt::Key_Down, Qt::NoModifier, 4},
        {"", 0, Qt::Key_Tab, Qt::NoModifier, 5},
        {"", 0, Qt::Key_Backtab, Qt::ShiftModifier, 6},
        {"x", 1, Qt::Key_Return, Qt::NoModifier, 7},
        {"x", 1, Qt::Key_Enter, Qt::KeypadModifier, 7},
        {"x", 1, Qt::Key_Escape, Qt::NoModifier, 8},
        {"", 0, Qt::Key_PageUp, Qt::NoModifier, 9},
        {"", 0, Qt::Key_PageDown, Qt::NoModifier, 10},
        {"ab", 1, Qt::Key_Home, Qt::ControlModifier, 11},
        {"ab", 1, Qt::Key_End, Qt::ControlModifier, 12},
        {"ab", 1, Qt::Key_Home, Qt::NoModifier, 0},
        {"ab", 1, Qt::Key_A, Qt::NoModifier, 0},
    };
    for (const auto &c : cases) {
        const QString row = QStringLiteral("%1 caret %2 key %3").arg(c.text).arg(c.caret).arg(c.key, 0, 16);
        open(QString::fromUtf8(c.text), c.caret);
        press(c.key, c.modifiers);
        if (c.reason == 0) {
            EXPECT_TRUE(reasons.isEmpty()) << row.toStdString();
            EXPECT_TRUE(edit->isVisible()) << row.toStdString();
            continue;
        }
        EXPECT_EQ(reasons, QList<int>{c.reason}) << row.toStdString();
        EXPECT_EQ(values, QStringList{QString::fromUtf8(c.text)}) << row.toStdString();
        EXPECT_FALSE(edit->isVisible()) << row.toStdString();
        EXPECT_FALSE(edit->isEntered()) << row.toStdString();
        EXPECT_TRUE(window.hasFocus()) << row.toStdString();
    }
}

TEST_F(InEditTest, SelectionKeepsArrowsInTheEdit)
{
    open(QStringLiteral("abc"), 3);
    edit->setSelection(0, 3);
    press(Qt::Key_Right);
    EXPECT_TRUE(reasons.isEmpty());
    EXPECT_TRUE(edit->isVisible());
}

TEST_F(InEditTest, RefusedKeyExitStays)
{
    allow = false;
    open(QStringLiteral("abc"), 1);
    press(Qt::Key_Return);
    EXPECT_EQ(reasons, QList<int>{7});
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(edit->hasFocus());
    EXPECT_TRUE(edit->isEntered());
}

TEST_F(InEditTest, FocusLossReportsReasonZero)
{
    open(QStringLiteral("abc"), 1);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(reasons, QList<int>{0});
    EXPECT_FALSE(edit->isVisible());
    EXPECT_TRUE(other->hasFocus());
}

// The handler shows its message in another window, which moves the focus
// again: the message is shown once and the edit gets the focus back.
TEST_F(InEditTest, RefusedFocusLossAsksOnceAndKeepsTheFocus)
{
    allow = false;
    QWidget messageWindow;
    onGoingOff = [&] {
        messageWindow.show();
        messageWindow.activateWindow();
        QApplication::processEvents();
        messageWindow.hide();
        window.activateWindow();
        QApplication::processEvents();
    };
    open(QStringLiteral("abc"), 1);
    other->setFocus();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    EXPECT_EQ(reasons, QList<int>{0});
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(InEditTest, LeavingKeysComeBeforeTheWindowsShortcuts)
{
    int triggered = 0;
    QAction down(&window);
    down.setShortcut(Qt::Key_Down);
    window.addAction(&down);
    QObject::connect(&down, &QAction::triggered, [&] { ++triggered; });
    open(QStringLiteral("abc"), 1);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(reasons, QList<int>{4});
    EXPECT_EQ(triggered, 0);
}

TEST_F(InEditTest, NotReportedBeforeItWasEntered)
{
    edit->show();
    other->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(reasons.isEmpty());
}

} // namespace
