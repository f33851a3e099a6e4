#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quillet::dns {

// The byte that two hex digits stand for (either case); std::nullopt for a non-hex digit.
[[nodiscard]] std::optional<std::uint8_t> HexPairValue(char high, char low);

// Appends the byte's two upper-case hex digits.
void AppendHexPair(std::string& text, std::uint8_t byte);

}  // namespace quillet::dns
