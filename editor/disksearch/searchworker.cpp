#include "searchworker.h"

#include <threadwakeup.h>

#include <QTimer>

#include <mutex>

// What the two threads share for one walk; new for each, so a stop asked
// of one walk never reaches the next.
struct SearchWorker::Run : DiskSearch::Sink
{
    SearchWorker::Walk walkFunction;
    DiskSearch::Request request;
    std::atomic<bool> stop{false};
    Platform::ThreadWakeup *wakeup = nullptr;

    std::mutex mutex; // guards what follows
    Progress pending;
    bool done = false;

    // The walking thread.
    void enterFolder(const QString &folder) override
    {
        std::lock_guard lock(mutex);
        pending.folder = folder;
    }
    void matched() override
    {
        std::lock_guard lock(mutex);
        ++pending.found;
    }
    void found(DiskSearch::Hit hit) override
    {
        std::lock_guard lock(mutex);
        pending.hits.append(std::move(hit));
    }
    void walk()
    {
        walkFunction(request, *this, stop);
        {
            std::lock_guard lock(mutex);
            done = true;
            pending.folder.clear();
        }
        wakeup->wake();
    }
};

SearchWorker::SearchWorker(QObject *parent)
    : SearchWorker(&DiskSearch::search, parent)
{
}

SearchWorker::SearchWorker(Walk walk, QObject *parent)
    : QObject(parent)
    , m_walk(std::move(walk))
    , m_wakeup(new Platform::ThreadWakeup(this))
    , m_pace(new QTimer(this))
{
    m_pace->setInterval(BatchMilliseconds);
    connect(m_pace, &QTimer::timeout, this, &SearchWorker::collect);
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
    run->walkFunction = m_walk;
    run->request = std::move(request);
    run->wakeup = m_wakeup;
    m_run = run;
    m_shown = Progress{};
    m_thread = std::thread([run] { run->walk(); });
    m_pace->start();
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
    m_pace->stop();
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
        batch.hits = std::move(m_run->pending.hits);
        m_run->pending.hits.clear();
        batch.folder = m_run->pending.folder;
        batch.found = m_run->pending.found;
        done = m_run->done;
    }
    if (done) {
        m_pace->stop();
        m_thread.join();
        m_run.reset();
    }
    const bool changed = !batch.hits.isEmpty() || batch.folder != m_shown.folder || batch.found != m_shown.found;
    m_shown.folder = batch.folder;
    m_shown.found = batch.found;
    // A handler may start the next walk, so the run is settled first.
    if (changed || done)
        emit progress(batch);
    if (done)
        emit finished();
}
