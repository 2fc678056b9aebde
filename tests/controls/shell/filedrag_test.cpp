#include <shell/filedrag.h>

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Sends a drag entering and a drop of urls to a widget; whether the drop
// was taken.
bool drop(QWidget &target, const QList<QUrl> &urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QDropEvent dropEvent(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    dropEvent.setAccepted(false);
    QCoreApplication::sendEvent(&target, &dropEvent);
    return enter.isAccepted() && dropEvent.isAccepted();
}

} // namespace

TEST(FileDrag, TakesLocalFilesOnly)
{
    QWidget window;
    TFileDrag drag(&window);
    EXPECT_TRUE(window.acceptDrops());
    QObject *dropSender = nullptr;
    int drops = 0;
    drag.OnDrop = [&](QObject *sender) {
        dropSender = sender;
        ++drops;
    };

    EXPECT_TRUE(drop(window, {QUrl::fromLocalFile(QStringLiteral("/cd/REPORT.OLD.TXT")),
                              QUrl(QStringLiteral("http://example.com/page.html")),
                              QUrl::fromLocalFile(QStringLiteral("/cd/README"))}));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(dropSender, &drag);
    EXPECT_EQ(drag.fileCount(), 2);
    EXPECT_EQ(drag.nameWithPath(), (QStringList{QStringLiteral("/cd/REPORT.OLD.TXT"), QStringLiteral("/cd/README")}));
    EXPECT_EQ(drag.nameOnly(), (QStringList{QStringLiteral("REPORT.OLD.TXT"), QStringLiteral("README")}));
    EXPECT_EQ(drag.extension(), (QStringList{QStringLiteral("TXT"), QString()}));

    // Links alone are not taken and leave the last drop's lists.
    EXPECT_FALSE(drop(window, {QUrl(QStringLiteral("http://example.com/a.klv"))}));
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(drag.fileCount(), 2);

    drag.setEnableDrop(false);
    EXPECT_FALSE(window.acceptDrops());
    EXPECT_FALSE(drop(window, {QUrl::fromLocalFile(QStringLiteral("/cd/a.klv"))}));
    EXPECT_EQ(drops, 1);
}

TEST(FileDrag, OwnerWindowIsGivenBack)
{
    QObject plain;
    TFileDrag noWindow(&plain);
    EXPECT_FALSE(noWindow.enableDrop());
    noWindow.setEnableDrop(true);
    EXPECT_FALSE(noWindow.enableDrop());

    QWidget window;
    {
        TFileDrag drag(&window);
        EXPECT_TRUE(window.acceptDrops());
    }
    EXPECT_FALSE(window.acceptDrops());
    int drops = 0;
    // A drag owned by its window goes with it.
    auto owned = std::make_unique<QWidget>();
    auto *drag = new TFileDrag(owned.get());
    drag->OnDrop = [&](QObject *) { ++drops; };
    owned.reset();
    EXPECT_EQ(drops, 0);
}
