#pragma once
// Runs a function on the window thread and waits for it: what lets worker
// threads ask questions or open choosers through the program-wide interfaces.
#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace relvo7 {

template <class F>
void RunOnGuiThread(F&& f)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        f();
        return;
    }
    QMetaObject::invokeMethod(app, std::forward<F>(f), Qt::BlockingQueuedConnection);
}

} // namespace relvo7
