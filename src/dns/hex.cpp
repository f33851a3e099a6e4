#include "dns/hex.h"

namespace quillet::dns {

namespace {

constexpr int kNotHex = -1;

constexpr int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return kNotHex;
}

}  // namespace

std::optional<std::uint8_t> HexPairValue(char high, char low) {
    const int h = DigitValue(high);
    const int l = DigitValue(low);
    if (h == kNotHex || l == kNotHex) return std::nullopt;
    return static_cast<std::uint8_t>(h * 16 + l);
}

void AppendHexPair(std::string& text, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text.push_back(kDigits[byte >> 4]);
    text.push_back(kDigits[byte & 0x0F]);
}

}  // namespace quillet::dns
