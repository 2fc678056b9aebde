#include <windowtitles.h>

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace Platform;

namespace {

const QString kProgram = QStringLiteral("Dodorurav");
const QString kBox = QStringLiteral("Dodorurav 2.1");

std::unique_ptr<QWidget> shownWindow(const QString &caption)
{
    auto window = std::make_unique<QWidget>();
    window->setWindowTitle(caption);
    window->show();
    return window;
}

} // namespace

TEST(WindowTitles, TheApplicationTitleFollowsACaptionThatDoesNotNameTheProgram)
{
    const QString title = QStringLiteral("Dodorurav 2.1 -> Płyta");
    const struct {
        QString caption;
        QString applicationTitle;
        QString shown;
    } cases[] = {
        {QStringLiteral("Opcje menu"), title, QStringLiteral("Opcje menu — Dodorurav 2.1 -> Płyta")},
        {QStringLiteral("Kalvora – płyta"), title, QStringLiteral("Kalvora – płyta — Dodorurav 2.1 -> Płyta")},
        // The program's main window, message boxes and about box name it already.
        {QStringLiteral("Dodorurav KALVORA -> /cd/MENU.KLV"), title, QStringLiteral("Dodorurav KALVORA -> /cd/MENU.KLV")},
        {kBox, title, kBox},
        {QStringLiteral("Dodorurav 2.1 - Informacje"), title, QStringLiteral("Dodorurav 2.1 - Informacje")},
        {kBox, QStringLiteral("Dodorurav 2.0 -> Płyta"), kBox},
        // A window without a caption is named by the application title.
        {QString(), title, title},
        {QStringLiteral("Opcje menu"), QString(), QStringLiteral("Opcje menu")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.caption.toStdString() + " / " + c.applicationTitle.toStdString());
        EXPECT_EQ(desktopTitle(c.caption, c.applicationTitle, kProgram), c.shown);
    }
}

TEST(WindowTitles, AChangeReachesEveryOpenWindowAtOnce)
{
    const auto surface = shownWindow(QStringLiteral("Kalvora"));
    const auto box = shownWindow(kBox);
    const auto hidden = std::make_unique<QWidget>();
    hidden->setWindowTitle(QStringLiteral("Opcje menu"));

    setApplicationTitle(QStringLiteral("Dodorurav 2.1 -> Stara"), kProgram);
    EXPECT_EQ(desktopTitleOf(*surface), QStringLiteral("Kalvora — Dodorurav 2.1 -> Stara"));
    setApplicationTitle(QStringLiteral("Dodorurav 2.0 -> Nowa"), kProgram);
    EXPECT_EQ(desktopTitleOf(*surface), QStringLiteral("Kalvora — Dodorurav 2.0 -> Nowa"));
    EXPECT_EQ(desktopTitleOf(*box), kBox);
    // The widget keeps its caption; only the desktop's title carries more.
    EXPECT_EQ(surface->windowTitle(), QStringLiteral("Kalvora"));

    // A window shown later, and a caption changed later, take it too.
    hidden->show();
    EXPECT_EQ(desktopTitleOf(*hidden), QStringLiteral("Opcje menu — Dodorurav 2.0 -> Nowa"));
    surface->setWindowTitle(QStringLiteral("Płyta"));
    EXPECT_EQ(desktopTitleOf(*surface), QStringLiteral("Płyta — Dodorurav 2.0 -> Nowa"));

    setApplicationTitle({}, {});
    EXPECT_EQ(desktopTitleOf(*surface), QStringLiteral("Płyta"));
}
