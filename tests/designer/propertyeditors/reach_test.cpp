#include <propertyeditors/reach.h>

#include <buttons/menubutton.h>
#include <menuobjects/menuobjects.h>

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

// The objects a commit reaches, by the selection, the current object and
// whether clicks select.
TEST(EditReach, TheRulesOfWhomACommitReaches)
{
    QWidget surface;
    auto *keyA = new TMenuButton(&surface);
    auto *keyB = new TMenuButton(&surface);
    auto *title = new QLabel(&surface);
    MenuObjects::setTag(title, 1505);
    auto *otherLabel = new QLabel(&surface);
    auto *field = new QLineEdit(&surface);
    using List = QList<QWidget *>;

    const struct {
        const char *name;
        List selected;
        QWidget *current;
        bool clickSelects;
        List selectionFirst;
        List keys;
        List wordWrap;
    } cases[] = {
        {"nothing selected, nothing current", {}, nullptr, true, {}, {}, {}},
        {"nothing selected: the current object", {}, field, true, {field}, {}, {}},
        {"nothing selected, a key current, clicks select", {}, keyA, true, {keyA}, {}, {}},
        {"nothing selected, a key current, clicks do not select", {}, keyA, false, {keyA}, {keyA}, {keyA}},
        {"the selection, not the current object", {keyB, field}, keyA, true, {keyB, field}, {keyB}, {keyB}},
        {"selected keys and the current key once", {keyA, keyB}, keyA, false, {keyA, keyB}, {keyA, keyB},
         {keyA, keyB}},
        {"a current key beside the selection", {keyB, field}, keyA, false, {keyB, field}, {keyB, keyA}, {keyB, keyA}},
        {"a current field is no key", {}, field, false, {field}, {}, {}},
        {"title current: selected labels too", {keyA, otherLabel, field}, title, true,
         {keyA, otherLabel, field}, {keyA}, {keyA, otherLabel}},
        {"title current, clicks do not select: the title as well", {otherLabel}, title, false, {otherLabel}, {},
         {otherLabel, title}},
        {"another label current: labels stay as they are", {keyA, title}, otherLabel, false, {keyA, title},
         {keyA}, {keyA}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EditReach::selectionFirst(c.selected, c.current), c.selectionFirst);
        EXPECT_EQ(EditReach::keys(c.selected, c.current, c.clickSelects), c.keys);
        EXPECT_EQ(EditReach::wordWrap(c.selected, c.current, c.clickSelects), c.wordWrap);
    }
}
