#pragma once

#include "platform/message_box.h"
#include "platform/process_launcher.h"
#include "platform/save_dialog.h"
#include "platform/url_opener.h"
#include "platform/window_system.h"

namespace quillet::platform {

// What the program asks of the desktop, gathered so a test can hand in fakes.
struct Platform {
    MessageBoxes* messages = nullptr;
    UrlOpener* urls = nullptr;
    ProcessLauncher* processes = nullptr;
    SaveDialog* saveDialog = nullptr;
    WindowSystem* windows = nullptr;
};

// The real desktop; lives for the whole run.
Platform& DesktopPlatform();

}  // namespace quillet::platform
