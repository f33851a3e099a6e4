#include "platform/url_opener.h"

#include <QDesktopServices>

namespace quillet::platform {

namespace {

[[nodiscard]] bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Bytes a URL cannot carry as they are: controls, blanks, non-ASCII and the few printable
// characters no URL may hold.
[[nodiscard]] bool NeedsEscape(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte >= 0x7f || QByteArrayView("\"<>\\^`{|}").contains(c);
}

}  // namespace

QUrl UrlForAddress(const QString& address) {
    // Not QUrl::fromUserInput: it trims the address and guesses at what was meant. Nor QUrl's
    // own tolerant parsing alone: one '%' that starts no escape makes it escape every '%', and
    // an escape the address holds ("%2F") would reach the browser as the text "%2F".
    QByteArray text = address.toUtf8();
    if (QUrl(address, QUrl::TolerantMode).scheme().isEmpty()) text.prepend("http://");
    QByteArray encoded;
    encoded.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool escapeStart =
            c == '%' && i + 2 < text.size() && IsHexDigit(text[i + 1]) && IsHexDigit(text[i + 2]);
        if (NeedsEscape(c) || (c == '%' && !escapeStart)) {
            encoded += '%';
            encoded += QByteArray::number(static_cast<unsigned char>(c), 16)
                           .rightJustified(2, '0')
                           .toUpper();
        } else {
            encoded += c;
        }
    }
    return QUrl::fromEncoded(encoded, QUrl::TolerantMode);
}

void DesktopUrlOpener::Open(const QString& address) {
    QDesktopServices::openUrl(UrlForAddress(address));
}

}  // namespace quillet::platform
