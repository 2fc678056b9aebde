#pragma once

#include <QObject>

class QSocketNotifier;

namespace Platform {

// Wakes the thread a wakeup lives in from any other thread without going
// through Qt's event queue from there: wake() may be called by a thread
// that knows nothing of Qt, and woken() is emitted in the owner's thread by
// its event loop. Wakes that come before the owner looks are merged into
// one.
class ThreadWakeup : public QObject
{
    Q_OBJECT
public:
    explicit ThreadWakeup(QObject *parent = nullptr);
    ~ThreadWakeup() override;

    // Any thread.
    void wake();

signals:
    void woken();

private:
    void drain();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace Platform
