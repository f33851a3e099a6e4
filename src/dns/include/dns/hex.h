#pragma once

#include <array>
#include <cstdint>
#include <optional>

// The one pair of hex helpers: every hex digit the program reads or writes goes through them.
// Inline, because the dump and the reply text call them once per byte.
namespace quillet::dns {

// The byte that two hex digits stand for (either case); std::nullopt for a non-hex digit.
[[nodiscard]] constexpr std::optional<std::uint8_t> HexPairValue(char high, char low) {
    constexpr auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    const int h = digit(high);
    const int l = digit(low);
    if (h < 0 || l < 0) return std::nullopt;
    return static_cast<std::uint8_t>(h * 16 + l);
}

// The byte's two upper-case hex digits.
[[nodiscard]] constexpr std::array<char, 2> HexPair(std::uint8_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

}  // namespace quillet::dns
