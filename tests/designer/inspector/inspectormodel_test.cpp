#include <inspector/inspectormodel.h>
#include <inspector/inspectortexts.h>

#include <gtest/gtest.h>

using namespace InspectorModel;

TEST(InspectorModel, CategoryEntriesNameTheCaptionOrItsAbsence)
{
    const struct {
        QString caption;
        int id;
        QByteArray expected; // UTF-8
    } cases[] = {
        {QString(), 1003, "Kategoria - (Brak tekstu)  [ID: 1003]"},
        {QStringLiteral("Gry"), 1001, "Kategoria - Gry  [ID: 1001]"},
        {QStringLiteral("Łódź  "), 9999, "Kategoria - Łódź    [ID: 9999]"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(categoryEntryText(c.caption, c.id).toUtf8(), c.expected) << c.id;
}

TEST(InspectorModel, RowDragKeepsThePanelBetweenItsPlaceAndFiftyPixelsInView)
{
    const int height = 465;
    const struct {
        int top, startY, y;
        int dragged;
    } moves[] = {
        {0, 100, 160, 0},           // downward never below the top
        {-30, 100, 120, -10},
        {-30, 100, 200, 0},
        {0, 100, 40, -60},
        {0, 400, -64, -464},        // just above the panel's height
        {0, 400, -65, 50 - height}, // at the panel's height
        {-400, 300, -500, 50 - height},
    };
    for (const auto &m : moves)
        EXPECT_EQ(draggedTop(m.top, m.startY, m.y, height), m.dragged) << m.top << " " << m.y;
    const struct {
        int top, released;
    } releases[] = {{0, 0}, {-100, -100}, {-415, -415}, {-416, -415}, {-464, -415}};
    for (const auto &r : releases)
        EXPECT_EQ(releasedTop(r.top, height), r.released) << r.top;
}

TEST(InspectorModel, FontBoxShowsAPlaceholderThatIsNeverTakenForAName)
{
    const QStringList families = {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif")};
    EXPECT_EQ(fontBoxText(QStringLiteral("DejaVu Sans"), families), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(fontBoxText(QStringLiteral("MS Sans Serif"), families).toUtf8(),
              QByteArray("Brak czcionki -> MS Sans Serif"));

    const struct {
        QString box;
        QString committed;
    } commits[] = {
        {QStringLiteral("Liberation Serif"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("Brak czcionki -> MS Sans Serif"), QStringLiteral("Own")},
        {QStringLiteral("Brak czcionki -> Inna"), QStringLiteral("Own")},
        {QStringLiteral("  "), QStringLiteral("Own")},
        {QStringLiteral("Typed Name"), QStringLiteral("Typed Name")},
    };
    for (const auto &c : commits)
        EXPECT_EQ(committedFamily(c.box, QStringLiteral("Own")), c.committed) << c.box.toStdString();
}

TEST(InspectorModel, OnlyNumbersAreTakenAsSizesAndTilings)
{
    const struct {
        QString text;
        std::optional<int> size;
    } sizes[] = {{QStringLiteral("12"), 12}, {QStringLiteral(" 8 "), 8}, {QStringLiteral("duży"), std::nullopt},
                 {QString(), std::nullopt},  {QStringLiteral("0"), std::nullopt}, {QStringLiteral("-4"), std::nullopt}};
    for (const auto &s : sizes)
        EXPECT_EQ(fontSize(s.text), s.size) << s.text.toStdString();

    const struct {
        QString stored;
        std::optional<int> index;
    } tilings[] = {{QStringLiteral("0"), 0}, {QStringLiteral("1"), 1}, {QString(), std::nullopt},
                   {QStringLiteral("tak"), std::nullopt}, {QStringLiteral("2"), std::nullopt}};
    for (const auto &t : tilings)
        EXPECT_EQ(tilingIndex(t.stored), t.index) << t.stored.toStdString();

    EXPECT_EQ(fontSizes().size(), 34);
    EXPECT_EQ(fontSizes().first(), QStringLiteral("6"));
    EXPECT_EQ(fontSizes().last(), QStringLiteral("72"));
}

TEST(InspectorModel, AWindowStoredOffScreenComesBack)
{
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024)};
    const struct {
        QRect stored;
        QRect placed;
    } cases[] = {
        {QRect(6, 60, 234, 572), QRect(6, 60, 234, 572)},           // on screen
        {QRect(1200, 900, 234, 572), QRect(1200, 900, 234, 572)},   // partly, enough to take hold
        {QRect(5000, 60, 234, 572), QRect(1046, 60, 234, 572)},     // right of the screen
        {QRect(-3000, -2000, 234, 572), QRect(0, 0, 234, 572)},     // above and left
        {QRect(100, 1100, 234, 2000), QRect(100, 0, 234, 1024)},    // below, too tall
    };
    for (const auto &c : cases)
        EXPECT_EQ(placeOnScreen(c.stored, screens), c.placed) << c.stored.x() << "," << c.stored.y();
    // Two screens side by side: the second one counts.
    EXPECT_EQ(placeOnScreen(QRect(1500, 10, 234, 572), {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1280, 1024)}),
              QRect(1500, 10, 234, 572));
}
