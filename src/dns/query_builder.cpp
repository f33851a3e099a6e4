#include "dns/query_builder.h"

#include <array>
#include <cstddef>
#include <string>

#include "dns/domain_check.h"
#include "dns/hex.h"

namespace quillet::dns {

namespace {

// The query identifier: the program keeps it for its whole run and never changes it.
constexpr std::int32_t kQueryIdentifier = 0;

[[nodiscard]] BuildError CheckLabel(std::string_view label) {
    if (label.empty()) return BuildError::kEmptyLabel;
    if (label.size() > kMaxLabelLength) return BuildError::kLabelTooLong;
    return BuildError::kNone;
}

}  // namespace

BuiltQuery BuildDNSQuery(std::string_view domain, std::optional<RecordType> type) {
    BuiltQuery query;
    if (domain.ends_with('.')) domain.remove_suffix(1);  // the root, written by the final 00

    // Split at every dot; the label count is judged before any label.
    std::vector<std::string_view> labels;
    for (std::size_t start = 0, i = 0; i <= domain.size(); ++i) {
        if (i == domain.size() || domain[i] == '.') {
            if (labels.size() == kMaxLabels) {
                query.error = BuildError::kTooManyLabels;
                return query;
            }
            labels.push_back(domain.substr(start, i - start));
            start = i + 1;
        }
    }

    std::vector<std::uint8_t>& out = query.datagram;
    std::string id = DEC_to_HEX(kQueryIdentifier);
    id.insert(0, 4 - id.size(), '0');
    out.push_back(HexPairValue(id[0], id[1]).value_or(0));
    out.push_back(HexPairValue(id[2], id[3]).value_or(0));
    // Recursion desired, one question, no other records.
    constexpr std::array<std::uint8_t, 10> kHeaderRest{0x01, 0x00, 0x00, 0x01, 0x00,
                                                       0x00, 0x00, 0x00, 0x00, 0x00};
    out.insert(out.end(), kHeaderRest.begin(), kHeaderRest.end());

    const std::size_t nameStart = out.size();
    for (const std::string_view label : labels) {
        query.error = CheckLabel(label);
        if (!query.Ok()) {
            out.clear();
            return query;
        }
        out.push_back(static_cast<std::uint8_t>(label.size()));
        out.insert(out.end(), label.begin(), label.end());
    }
    // Every server refuses a longer name, so it is never sent; the final zero counts too.
    if (out.size() - nameStart + 1 > kMaxNameOctets) {
        query.error = BuildError::kNameTooLong;
        out.clear();
        return query;
    }

    const auto typeValue = static_cast<std::uint16_t>(type ? *type : RecordType{});
    // The root's zero, the type's two bytes in network order, class IN.
    const std::array<std::uint8_t, 5> tail{0x00, static_cast<std::uint8_t>(typeValue >> 8),
                                           static_cast<std::uint8_t>(typeValue & 0xFF), 0x00, 0x01};
    out.insert(out.end(), tail.begin(), tail.end());
    return query;
}

}  // namespace quillet::dns
