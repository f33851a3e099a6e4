#include "platform/platform.h"

namespace quillet::platform {

Platform& DesktopPlatform() {
    static QtMessageBoxes messages;
    static DesktopUrlOpener urls;
    static QtProcessLauncher processes;
    static QtSaveDialog saveDialog;
    static QtWindowSystem windows;
    static Platform platform{&messages, &urls, &processes, &saveDialog, &windows};
    return platform;
}

}  // namespace quillet::platform
