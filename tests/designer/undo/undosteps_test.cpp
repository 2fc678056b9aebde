#include <undo/undosteps.h>

#include <gtest/gtest.h>

namespace {

QStringList stepNames(int from, int to)
{
    QStringList names;
    for (int i = from; i <= to; ++i)
        names.append(QStringLiteral("krok %1").arg(i));
    return names;
}

// The load entry and then steps 1..count.
void fill(UndoSteps &steps, int count)
{
    steps.startOver();
    steps.append(QStringLiteral("Projekt otwarty"), {});
    for (int i = 1; i <= count; ++i)
        steps.append(QStringLiteral("krok %1").arg(i), {});
}

} // namespace

TEST(UndoSteps, TheLimitKeepsTheLoadEntryAndTheNewestSteps)
{
    const struct {
        int limit;
        int kept; // the limit as it is used
    } cases[] = {{0, 2}, {1, 2}, {10, 10}, {500, 200}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.limit);
        UndoSteps steps(c.limit);
        EXPECT_EQ(steps.limit(), c.kept);
        fill(steps, 250);
        ASSERT_EQ(steps.count(), c.kept);
        EXPECT_EQ(steps.position(), c.kept);
        EXPECT_EQ(steps.names(), QStringList{QStringLiteral("Projekt otwarty")} + stepNames(252 - c.kept, 250));
        EXPECT_EQ(steps.selected(), c.kept - 1);
    }
}

TEST(UndoSteps, TenStepsAfterTheLoadFillTenEntriesAndTheNextDropsTheFirstStep)
{
    UndoSteps steps(10);
    fill(steps, 9);
    EXPECT_EQ(steps.count(), 10);
    steps.append(QStringLiteral("krok 10"), {});
    EXPECT_EQ(steps.names(), QStringList{QStringLiteral("Projekt otwarty")} + stepNames(2, 10));
}

TEST(UndoSteps, LoweringTheLimitBelowThePositionTrimsAtOnce)
{
    const struct {
        int limit;
        QStringList expected;
    } cases[] = {
        {3, QStringList{QStringLiteral("Projekt otwarty")} + stepNames(6, 7)},
        {8, QStringList{QStringLiteral("Projekt otwarty")} + stepNames(1, 7)},  // not below: nothing goes
        {20, QStringList{QStringLiteral("Projekt otwarty")} + stepNames(1, 7)}, // raised: nothing goes
        {1, QStringList{QStringLiteral("Projekt otwarty")} + stepNames(7, 7)},  // taken as 2
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.limit);
        UndoSteps steps(10);
        fill(steps, 7);
        ASSERT_EQ(steps.count(), 8);
        steps.setLimit(c.limit);
        EXPECT_EQ(steps.names(), c.expected);
        EXPECT_EQ(steps.position(), steps.count());
        // The next step respects the new limit.
        steps.append(QStringLiteral("nowy"), {});
        EXPECT_LE(steps.count(), std::max(steps.limit(), 2));
        EXPECT_EQ(steps.names().first(), u"Projekt otwarty");
        EXPECT_EQ(steps.names().last(), u"nowy");
    }
}

TEST(UndoSteps, UndoAndRedoTargets)
{
    UndoSteps steps(10);
    fill(steps, 0);
    // Right after a load there is nothing to undo or redo.
    EXPECT_FALSE(steps.undoTarget());
    EXPECT_FALSE(steps.redoTarget());

    fill(steps, 3);
    EXPECT_EQ(steps.undoTarget(), 2);
    EXPECT_FALSE(steps.redoTarget()); // the last entry is chosen
    steps.select(-1);
    EXPECT_EQ(steps.undoTarget(), 2); // none chosen: the one before the last
    EXPECT_FALSE(steps.redoTarget());
    steps.select(0);
    EXPECT_FALSE(steps.undoTarget());
    EXPECT_FALSE(steps.canUndo());
    EXPECT_EQ(steps.redoTarget(), 1);

    // After an undo, a new step goes to the end: the undone ones stay.
    steps.select(1);
    steps.append(QStringLiteral("po cofnięciu"), {});
    EXPECT_EQ(steps.names(),
              (QStringList{QStringLiteral("Projekt otwarty")} + stepNames(1, 3) + QStringList{QStringLiteral("po cofnięciu")}));
    EXPECT_EQ(steps.selected(), 4);
}

TEST(UndoSteps, StartingOverKeepsTheHistoryUntilTheNextStep)
{
    UndoSteps steps(10);
    fill(steps, 4);
    steps.startOver();
    EXPECT_EQ(steps.position(), -1);
    EXPECT_EQ(steps.count(), 5);
    steps.append(QStringLiteral("Wyczyszczenie historii zmian"), {});
    EXPECT_EQ(steps.names(), QStringList{QStringLiteral("Wyczyszczenie historii zmian")});
    EXPECT_EQ(steps.position(), 1);
}
