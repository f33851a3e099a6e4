#include "dns/query_builder.h"

#include <cstddef>

#include "dns/domain_check.h"
#include "dns/texts.h"

namespace quillet::dns {

namespace {

// The label table's size: a name may have at most this many labels (9 dots).
constexpr std::size_t kMaxLabels = 10;
constexpr std::size_t kMaxLabelLength = 255;
// The query identifier: the program keeps it for its whole run and never changes it.
constexpr std::int32_t kQueryIdentifier = 0;

std::uint8_t HexDigitValue(char c) {
    return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10);
}

}  // namespace

std::uint8_t QueryTypeByte(std::string_view typeText) {
    if (typeText == texts::kTypeA) return 1;
    if (typeText == texts::kTypeNS) return 2;
    if (typeText == texts::kTypeCNAME) return 5;
    if (typeText == texts::kTypeMX) return 15;
    return 0;
}

BuiltQuery BuildDNSQuery(std::string_view domain, std::string_view typeText) {
    BuiltQuery query;

    // Split at every dot; an empty label (".." or a trailing dot) stays an entry.
    std::vector<std::string_view> labels;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= domain.size(); ++i) {
        if (i == domain.size() || domain[i] == '.') {
            if (labels.size() == kMaxLabels) {
                query.error = texts::kBuildTooManyLabels;
                return query;
            }
            labels.push_back(domain.substr(start, i - start));
            start = i + 1;
        }
    }

    std::vector<std::uint8_t>& out = query.datagram;
    std::string id = DEC_to_HEX(kQueryIdentifier);
    id.insert(0, 4 - id.size(), '0');
    out.push_back(static_cast<std::uint8_t>(HexDigitValue(id[0]) * 16 + HexDigitValue(id[1])));
    out.push_back(static_cast<std::uint8_t>(HexDigitValue(id[2]) * 16 + HexDigitValue(id[3])));
    for (const std::uint8_t b : {0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}) {
        out.push_back(b);
    }

    for (const std::string_view label : labels) {
        if (label.size() > kMaxLabelLength) {
            query.datagram.clear();
            query.error = texts::kBuildLabelTooLong;
            return query;
        }
        out.push_back(static_cast<std::uint8_t>(label.size()));
        out.insert(out.end(), label.begin(), label.end());
    }

    for (const std::uint8_t b : {std::uint8_t{0x00}, std::uint8_t{0x00}, QueryTypeByte(typeText),
                                 std::uint8_t{0x00}, std::uint8_t{0x01}}) {
        out.push_back(b);
    }
    return query;
}

}  // namespace quillet::dns
