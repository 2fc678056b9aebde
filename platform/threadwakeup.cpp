#include "threadwakeup.h"

#include <QSocketNotifier>

#include <sys/eventfd.h>
#include <unistd.h>

namespace Platform {

ThreadWakeup::ThreadWakeup(QObject *parent)
    : QObject(parent)
    , m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (m_fd < 0)
        qFatal("ThreadWakeup: no event descriptor");
    m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ThreadWakeup::drain);
}

ThreadWakeup::~ThreadWakeup()
{
    delete m_notifier;
    ::close(m_fd);
}

void ThreadWakeup::wake()
{
    const eventfd_t one = 1;
    // A full counter still wakes the owner; nothing is lost by a failure.
    (void)::write(m_fd, &one, sizeof one);
}

void ThreadWakeup::drain()
{
    eventfd_t count = 0;
    if (::read(m_fd, &count, sizeof count) == sizeof count)
        emit woken();
}

} // namespace Platform
