// The worker between a walk and the window's thread, with walks of the
// test's own that hold it in one folder as a large or slow one would.
#include <disksearch/searchworker.h>

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct Seen
{
    QString folder;
    qint64 found = 0;
    qint64 hits = 0;
    QList<qint64> times; // of each batch, from the start
    bool finished = false;
};

void watch(SearchWorker &worker, Seen &seen, const QElapsedTimer &clock)
{
    QObject::connect(&worker, &SearchWorker::progress, &worker, [&seen, &clock](const SearchWorker::Progress &batch) {
        seen.folder = batch.folder;
        seen.found = batch.found;
        seen.hits += batch.hits.size();
        seen.times << clock.elapsed();
    });
    QObject::connect(&worker, &SearchWorker::finished, &worker, [&seen] { seen.finished = true; });
}

// The walk enters two folders at once, then stays in the second, matching
// a name every few milliseconds, until the test lets it go (or a stop):
// no further folder and no hit comes meanwhile.
TEST(SearchWorkerTest, FolderAndCountAreFreshWhileOneFolderHoldsTheWalk)
{
    std::atomic<bool> letGo{false};
    SearchWorker worker(
        [&letGo](const DiskSearch::Request &, DiskSearch::Sink &sink, const std::atomic<bool> &stop) {
            sink.enterFolder(QStringLiteral("/cd/A/"));
            sink.enterFolder(QStringLiteral("/cd/B/"));
            sink.matched();
            int matched = 1;
            while (!letGo && !stop) {
                std::this_thread::sleep_for(2ms);
                sink.matched();
                ++matched;
            }
            for (int i = 0; i < matched; ++i)
                sink.found({QStringLiteral("setup%1.exe").arg(i), 1, false, QStringLiteral("/cd/B/")});
        },
        nullptr);
    Seen seen;
    QElapsedTimer clock;
    watch(worker, seen, clock);
    clock.start();
    ASSERT_TRUE(worker.start({}));

    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.folder == QStringLiteral("/cd/B/") && seen.found >= 1; }, 5000))
        << seen.folder.toStdString() << " " << seen.found;
    const qint64 first = seen.found;
    seen.times.clear();
    QTest::qWait(800);
    EXPECT_GT(seen.found, first);
    EXPECT_EQ(seen.hits, 0); // a folder's hits come together, once it is read
    ASSERT_GE(seen.times.size(), 2);
    qint64 longestGap = 0;
    for (qsizetype i = 1; i < seen.times.size(); ++i)
        longestGap = std::max(longestGap, seen.times[i] - seen.times[i - 1]);
    EXPECT_LE(longestGap, 100) << seen.times.size() << " batches";

    letGo = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.finished; }, 5000));
    EXPECT_EQ(seen.hits, seen.found);
    EXPECT_TRUE(seen.folder.isEmpty());
}

} // namespace
