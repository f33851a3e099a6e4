#pragma once

#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/process_launcher.h"
#include "platform/save_dialog.h"
#include "platform/url_opener.h"
#include "platform/window_system.h"

namespace quillet::platform {

// What the program asks of the desktop, gathered so a test can hand in fakes. Every seam must
// be given: nothing falls back to the real desktop behind a test's back.
struct Platform {
    MessageBoxes& messages;
    UrlOpener& urls;
    ProcessLauncher& processes;
    SaveDialog& saveDialog;
    WindowSystem& windows;
    Clock& clock;
};

// The real desktop. Only the program's entry point makes one, for the whole run.
class DesktopPlatform {
public:
    DesktopPlatform() = default;
    DesktopPlatform(const DesktopPlatform&) = delete;
    DesktopPlatform& operator=(const DesktopPlatform&) = delete;

    platform::Platform& Platform() { return platform_; }

private:
    QtMessageBoxes messages_;
    DesktopUrlOpener urls_;
    QtProcessLauncher processes_;
    QtSaveDialog saveDialog_;
    QtWindowSystem windows_;
    SystemClock clock_;
    platform::Platform platform_{messages_, urls_, processes_, saveDialog_, windows_, clock_};
};

}  // namespace quillet::platform
