#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::dns {

// The most bytes of one datagram that reach the decoder.
inline constexpr std::size_t kMaxReplyBytes = 513;

// Turns a datagram into reply text: two upper-case hex digits per byte, at most its first
// kMaxReplyBytes bytes.
std::string ReplyText(std::span<const std::uint8_t> datagram);

// The byte that two hex digits stand for (either case); std::nullopt for a non-hex digit.
std::optional<std::uint8_t> HexPairValue(char high, char low);
// Appends the byte's two upper-case hex digits.
void AppendHexPair(std::string& text, std::uint8_t byte);

// The store of the reply being decoded. It holds only the current reply: nothing of an
// earlier reply can be read through it.
class ReplyBytes {
public:
    // Replaces the content with the bytes of a reply text. Returns false (and keeps nothing)
    // when the text is not an even number of hex digits.
    bool Assign(std::string_view replyText);
    void Assign(std::span<const std::uint8_t> bytes);

    std::span<const std::uint8_t> bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace quillet::dns
