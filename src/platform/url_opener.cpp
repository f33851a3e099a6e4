#include "platform/url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace quillet::platform {

void DesktopUrlOpener::Open(const QString& address) {
    // Addresses arrive without a scheme at times ("www.example.org"); fromUserInput adds one.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

}  // namespace quillet::platform
