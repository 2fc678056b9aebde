#pragma once

#include "disksearch.h"

#include <QObject>

#include <memory>
#include <thread>

namespace Platform {
class ThreadWakeup;
}

// Runs one disk search at a time on a thread of its own and hands what it
// finds to the thread the worker lives in (the window's), in batches: at
// most about twenty a second while the walk goes on, and all that is left
// when it ends. Only the window's thread calls the worker and gets its
// signals; the walking thread touches nothing but its own run.
class SearchWorker : public QObject
{
    Q_OBJECT
public:
    struct Progress
    {
        QList<DiskSearch::Hit> hits; // found since the last batch
        QString folder;              // the folder being read; empty at the end
        qint64 found = 0;            // hits so far
    };

    explicit SearchWorker(QObject *parent = nullptr);
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

    // Pause between batches while the walk goes on.
    static constexpr int BatchMilliseconds = 50;

signals:
    void progress(const SearchWorker::Progress &batch);
    // The walk has ended (done or stopped) and its thread is gone; the last
    // progress came before.
    void finished();

private:
    struct Run;
    void collect();

    std::shared_ptr<Run> m_run;
    std::thread m_thread;
    Platform::ThreadWakeup *m_wakeup;
};
