#include "platform/file_size_signal.h"

#include <ctime>

#include <pthread.h>

namespace quillet::platform {

FileSizeSignalHeld::FileSizeSignalHeld() {
    sigemptyset(&signal_);
    sigaddset(&signal_, SIGXFSZ);
    pthread_sigmask(SIG_BLOCK, &signal_, &before_);
}

FileSizeSignalHeld::~FileSizeSignalHeld() {
    const timespec now{};
    while (sigtimedwait(&signal_, nullptr, &now) == SIGXFSZ) {
    }
    pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

}  // namespace quillet::platform
