#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace quillet::testing {

// Runs the event loop until `done()` holds or `ms` pass; returns done().
template <typename Predicate>
bool WaitUntil(Predicate done, int ms = 5000) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) {
            return done();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return true;
}

// Lets queued events run for a while, for checks that something does NOT happen.
inline void Settle(int ms = 200) {
    WaitUntil([] { return false; }, ms);
}

}  // namespace quillet::testing
