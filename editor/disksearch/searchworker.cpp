#include "searchworker.h"

#include <threadwakeup.h>

#include <chrono>
#include <mutex>

namespace {
using Clock = std::chrono::steady_clock;
} // namespace

// What the two threads share for one walk; new for each, so a stop asked
// of one walk never reaches the next.
struct SearchWorker::Run : DiskSearch::Sink
{
    DiskSearch::Request request;
    std::atomic<bool> stop{false};
    Platform::ThreadWakeup *wakeup = nullptr;

    std::mutex mutex; // guards what follows
    Progress pending;
    bool done = false;

    Clock::time_point lastWake = Clock::now();

    // The walking thread.
    void enterFolder(const QString &folder) override
    {
        {
            std::lock_guard lock(mutex);
            pending.folder = folder;
        }
        wakeWhenDue();
    }
    void found(DiskSearch::Hit hit) override
    {
        {
            std::lock_guard lock(mutex);
            pending.hits.append(std::move(hit));
            ++pending.found;
        }
        wakeWhenDue();
    }
    void wakeWhenDue()
    {
        const Clock::time_point now = Clock::now();
        if (now - lastWake < std::chrono::milliseconds(BatchMilliseconds))
            return;
        lastWake = now;
        wakeup->wake();
    }
    void walk()
    {
        DiskSearch::search(request, *this, stop);
        {
            std::lock_guard lock(mutex);
            done = true;
            pending.folder.clear();
        }
        wakeup->wake();
    }
};

SearchWorker::SearchWorker(QObject *parent)
    : QObject(parent)
    , m_wakeup(new Platform::ThreadWakeup(this))
{
    connect(m_wakeup, &Platform::ThreadWakeup::woken, this, &SearchWorker::collect);
}

SearchWorker::~SearchWorker()
{
    stopAndWait();
}

bool SearchWorker::start(DiskSearch::Request request)
{
    if (m_run)
        return false;
    auto run = std::make_shared<Run>();
    run->request = std::move(request);
    run->wakeup = m_wakeup;
    m_run = run;
    m_thread = std::thread([run] { run->walk(); });
    return true;
}

void SearchWorker::stop()
{
    if (m_run)
        m_run->stop.store(true);
}

void SearchWorker::stopAndWait()
{
    if (!m_run)
        return;
    m_run->stop.store(true);
    if (m_thread.joinable())
        m_thread.join();
    m_run.reset();
}

void SearchWorker::collect()
{
    if (!m_run)
        return; // a wake from a walk already waited for
    Progress batch;
    bool done = false;
    {
        std::lock_guard lock(m_run->mutex);
        batch = std::move(m_run->pending);
        m_run->pending = Progress{};
        m_run->pending.found = batch.found;
        m_run->pending.folder = batch.folder;
        done = m_run->done;
    }
    if (done) {
        m_thread.join();
        m_run.reset();
    }
    // A handler may start the next walk, so the run is settled first.
    emit progress(batch);
    if (done)
        emit finished();
}
