#include "dns/domain_check.h"

#include "dns/texts.h"

namespace quillet::dns {

namespace {

bool IsAllowedDomainByte(unsigned char c) {
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

DomainVerdict CheckDomainVerdict(std::string_view domain) {
    const std::string_view text = TrimSpaces(domain);
    if (text.empty()) return {false, texts::kVerdictEmpty};

    DomainVerdict verdict{true, texts::kVerdictOk};
    // The scan goes over every byte; it does not stop at the first illegal one.
    for (const char c : text) {
        if (!IsAllowedDomainByte(static_cast<unsigned char>(c))) {
            verdict = {false, texts::kVerdictIllegalChar};
        }
    }
    if (text.front() == '.') verdict = {false, texts::kVerdictLeadingDot};
    const auto firstDot = text.find('.');
    if (firstDot == std::string_view::npos || firstDot == 0) {
        verdict = {false, texts::kVerdictNoDot};
    }
    return verdict;
}

bool CheckDomain(std::string_view domain) {
    return CheckDomainVerdict(domain).ok;
}

std::string DEC_to_HEX(std::int32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    while (value > 0) {
        text.insert(text.begin(), kDigits[value % 16]);
        value /= 16;
    }
    return text;
}

bool IsIP(std::string_view text) {
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.')) return false;
    }
    return true;
}

}  // namespace quillet::dns
