#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dns/fault.h"

namespace quillet::dns {

// The most bytes of one datagram that reach the decoder.
inline constexpr std::size_t kMaxReplyBytes = 513;

// Turns a datagram into reply text: two upper-case hex digits per byte, at most its first
// kMaxReplyBytes bytes.
[[nodiscard]] std::string ReplyText(std::span<const std::uint8_t> datagram);

// The store of the reply being decoded. It holds only the current reply: nothing of an
// earlier reply can be read through it.
class ReplyBytes {
public:
    // Replaces the content with the bytes of a reply text. Stops at the first pair that is not
    // two hex digits (kReplyNotHex) or at the first byte past kMaxReplyBytes (kReplyTooLong),
    // keeping the bytes before it.
    [[nodiscard]] ParseFault Assign(std::string_view replyText);
    void Assign(std::span<const std::uint8_t> bytes);

    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    [[nodiscard]] std::size_t Size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace quillet::dns
