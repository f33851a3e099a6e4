#include "dns/domain_check.h"

#include "dns/hex.h"

namespace quillet::dns {

namespace {

[[nodiscard]] bool IsAllowedDomainByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_' || c == ' ';
}

}  // namespace

std::string_view TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

Verdict CheckDomainVerdict(std::string_view domain) {
    const std::string_view text = TrimSpaces(domain);
    if (text.empty()) return Verdict::kEmpty;

    Verdict verdict = Verdict::kOk;
    // The scan goes over every byte; it does not stop at the first illegal one.
    for (const char c : text) {
        if (!IsAllowedDomainByte(static_cast<unsigned char>(c))) {
            verdict = Verdict::kIllegalChar;
        }
    }
    const auto firstDot = text.find('.');
    if (firstDot == std::string_view::npos || firstDot == 0) {
        verdict = Verdict::kNoDot;
    }
    return verdict;
}

bool CheckDomain(std::string_view domain) {
    return CheckDomainVerdict(domain) == Verdict::kOk;
}

std::string DEC_to_HEX(std::int32_t value) {
    if (value <= 0) return {};
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto pair = HexPair(static_cast<std::uint8_t>(value >> shift));
        text.append(pair.data(), pair.size());
    }
    return text.substr(text.find_first_not_of('0'));
}

}  // namespace quillet::dns
