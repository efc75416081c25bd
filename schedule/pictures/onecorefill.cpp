#include "onecorefill.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

namespace zorvex {

void RunFillOnOneThread(const std::function<void()>& fill) {
    QThreadPool* pool = QThreadPool::globalInstance();
    if (pool == nullptr || pool->contains(QThread::currentThread())) {
        fill();
        return;
    }
    QSemaphore done;
    pool->start([&] {
        fill();
        done.release();
    });
    done.acquire();
}

} // namespace zorvex
