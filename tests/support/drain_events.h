#pragma once

#include <QCoreApplication>

namespace quillet::testing {

// Runs all that is queued to happen at once (posted events, zero timers, window-system
// events) and what that queues in turn, ten generations deep. A check that something did not
// happen follows this rather than a fixed wait, which a slow machine can outrun.
inline void DrainEvents() {
    for (int generation = 0; generation < 10; ++generation) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

}  // namespace quillet::testing
