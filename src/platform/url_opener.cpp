#include "platform/url_opener.h"

#include <QDesktopServices>

#include "dns/hex.h"

namespace quillet::platform {

namespace {

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
            c == '%' && i + 2 < text.size() && dns::HexPairValue(text[i + 1], text[i + 2]);
        if (NeedsEscape(c) || (c == '%' && !escapeStart)) {
            const auto pair = dns::HexPair(static_cast<std::uint8_t>(c));
            encoded += '%';
            encoded.append(pair.data(), 2);
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
