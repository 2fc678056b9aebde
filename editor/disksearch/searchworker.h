#pragma once

#include "disksearch.h"

#include <QObject>

#include <functional>
#include <memory>
#include <thread>

class QTimer;

namespace Platform {
class ThreadWakeup;
}

// Runs one disk search at a time on a thread of its own and hands what it
// finds to the thread the worker lives in (the window's), in batches. The
// window's thread looks every BatchMilliseconds while the walk goes on, so
// the folder being read and the count stay fresh even while one large or
// slow folder holds the walk; the end is handed over at once. Only the
// window's thread calls the worker and gets its signals; the walking thread
// touches nothing but its own run.
class SearchWorker : public QObject
{
    Q_OBJECT
public:
    struct Progress
    {
        QList<DiskSearch::Hit> hits; // found since the last batch
        QString folder;              // the folder being read; empty at the end
        qint64 found = 0;            // names matched so far (their hits may still be on the way)
    };

    // The walk a worker runs; DiskSearch::search unless a test gives its own.
    using Walk = std::function<void(const DiskSearch::Request &, DiskSearch::Sink &, const std::atomic<bool> &)>;

    explicit SearchWorker(QObject *parent = nullptr);
    SearchWorker(Walk walk, QObject *parent);
    // Stops the walk and waits for its thread.
    ~SearchWorker() override;

    // From start() until finished() is emitted.
    bool isRunning() const { return m_run != nullptr; }
    // Refused (false) while a walk runs: one search at a time.
    bool start(DiskSearch::Request request);
    // Asks the walk to stop; finished() follows once it has.
    void stop();
    // Stops the walk and waits until its thread has ended; finished() is not
    // emitted for it.
    void stopAndWait();

    // Pause between looks at the walk while it goes on.
    static constexpr int BatchMilliseconds = 50;

signals:
    // Emitted when something changed since the last batch.
    void progress(const SearchWorker::Progress &batch);
    // The walk has ended (done or stopped) and its thread is gone; the last
    // progress came before.
    void finished();

private:
    struct Run;
    void collect();

    Walk m_walk;
    std::shared_ptr<Run> m_run;
    std::thread m_thread;
    Platform::ThreadWakeup *m_wakeup;
    QTimer *m_pace;
    Progress m_shown; // what the last batch left on screen (no hits)
};
