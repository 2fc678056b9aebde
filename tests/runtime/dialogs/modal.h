#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs act on the next modal dialog once it is shown (a dialog run by
// exec() cannot be reached otherwise). act must close it.
template<typename Dialog> void whenModal(std::function<void(Dialog &)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
    });
    poll->start();
}
