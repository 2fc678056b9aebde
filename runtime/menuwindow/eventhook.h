#pragma once

#include <QObject>

#include <functional>

// Hands the events of the objects it is installed on to a function, which
// returns true for an event it used up.
class EventHook : public QObject
{
public:
    using Handler = std::function<bool(QObject *watched, QEvent *event)>;

    EventHook(QObject *parent, Handler handler)
        : QObject(parent)
        , m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override { return m_handler(watched, event); }

private:
    Handler m_handler;
};
