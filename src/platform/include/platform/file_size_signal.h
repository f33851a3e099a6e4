#pragma once

#include <csignal>

namespace quillet::platform {

// A write past the file-size limit (RLIMIT_FSIZE) fails, but the kernel also raises SIGXFSZ,
// which would end the program. Ignoring it for the whole process would pass that on to every
// program started from here (ping, the terminal, the browser); held back in this thread while
// one of these lives, and taken off again with any that came, only the failure remains.
class FileSizeSignalHeld {
public:
    FileSizeSignalHeld();
    ~FileSizeSignalHeld();
    FileSizeSignalHeld(const FileSizeSignalHeld&) = delete;
    FileSizeSignalHeld& operator=(const FileSizeSignalHeld&) = delete;

private:
    sigset_t signal_{};
    sigset_t before_{};
};

}  // namespace quillet::platform
