#include "dns/reply_bytes.h"

#include <algorithm>
#include <optional>

namespace quillet::dns {

namespace {

std::optional<std::uint8_t> HexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

}  // namespace

std::optional<std::uint8_t> HexPairValue(char high, char low) {
    const auto h = HexValue(high);
    const auto l = HexValue(low);
    if (!h || !l) return std::nullopt;
    return static_cast<std::uint8_t>(*h * 16 + *l);
}

void AppendHexPair(std::string& text, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
}

std::string ReplyText(std::span<const std::uint8_t> datagram) {
    const auto kept = datagram.first(std::min(datagram.size(), kMaxReplyBytes));
    std::string text;
    text.reserve(kept.size() * 2);
    for (const std::uint8_t byte : kept) AppendHexPair(text, byte);
    return text;
}

bool ReplyBytes::Assign(std::string_view replyText) {
    bytes_.clear();
    if (replyText.size() % 2 != 0) return false;
    bytes_.reserve(replyText.size() / 2);
    for (std::size_t i = 0; i < replyText.size(); i += 2) {
        const auto byte = HexPairValue(replyText[i], replyText[i + 1]);
        if (!byte) {
            bytes_.clear();
            return false;
        }
        bytes_.push_back(*byte);
    }
    return true;
}

void ReplyBytes::Assign(std::span<const std::uint8_t> bytes) {
    bytes_.assign(bytes.begin(), bytes.end());
}

}  // namespace quillet::dns
