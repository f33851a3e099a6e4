#include "dns/reply_bytes.h"

#include <algorithm>

#include "dns/hex.h"

namespace quillet::dns {

std::string ReplyText(std::span<const std::uint8_t> datagram) {
    const auto kept = datagram.first(std::min(datagram.size(), kMaxReplyBytes));
    std::string text(kept.size() * 2, '0');
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const auto pair = HexPair(kept[i]);
        text[2 * i] = pair[0];
        text[2 * i + 1] = pair[1];
    }
    return text;
}

ParseFault ReplyBytes::Assign(std::string_view replyText) {
    bytes_.clear();
    bytes_.reserve(std::min(replyText.size() / 2, kMaxReplyBytes));
    for (std::size_t i = 0; i < replyText.size(); i += 2) {
        if (bytes_.size() == kMaxReplyBytes) return {Fault::kReplyTooLong, bytes_.size()};
        const auto byte =
            i + 1 < replyText.size() ? HexPairValue(replyText[i], replyText[i + 1]) : std::nullopt;
        if (!byte) return {Fault::kReplyNotHex, bytes_.size()};
        bytes_.push_back(*byte);
    }
    return {};
}

void ReplyBytes::Assign(std::span<const std::uint8_t> bytes) {
    bytes_.assign(bytes.begin(), bytes.end());
}

}  // namespace quillet::dns
