#pragma once

#include <QString>

namespace quillet::platform {

// Opens an address with the desktop's default handler, without waiting; failures are ignored.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void Open(const QString& address) = 0;
};

class DesktopUrlOpener final : public UrlOpener {
public:
    void Open(const QString& address) override;
};

}  // namespace quillet::platform
