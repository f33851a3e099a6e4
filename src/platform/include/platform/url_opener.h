#pragma once

#include <QString>
#include <QUrl>

namespace quillet::platform {

// Opens an address with the desktop's default handler, without waiting; failures are ignored.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void Open(const QString& address) = 0;
};

// The URL the desktop is handed for an address: every character of it kept, blanks at either
// end, '#', '%' and '?' included, and percent-encoded only where a URL cannot carry it as it is
// (blanks, a '%' that starts no escape, non-ASCII). An address without a scheme
// ("www.example.org") is a web address.
[[nodiscard]] QUrl UrlForAddress(const QString& address);

class DesktopUrlOpener final : public UrlOpener {
public:
    void Open(const QString& address) override;
};

}  // namespace quillet::platform
