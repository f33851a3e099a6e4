#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "dns/record_type.h"

namespace quillet::dns {

enum class BuildError : std::uint8_t {
    kNone,
    kTooManyLabels,  // more than kMaxLabels labels
    kEmptyLabel,     // two dots in a row
    kLabelTooLong,   // a label of more than kMaxLabelLength characters
    kNameTooLong,    // the name's wire form exceeds kMaxNameOctets
};

// A name may have at most this many labels (9 dots, a final root dot not counted).
inline constexpr std::size_t kMaxLabels = 10;
inline constexpr std::size_t kMaxLabelLength = 63;
// A name on the wire, length bytes and the final zero included (RFC 1035 2.3.4).
inline constexpr std::size_t kMaxNameOctets = 255;

struct BuiltQuery {
    std::vector<std::uint8_t> datagram;  // empty when the build failed
    BuildError error = BuildError::kNone;
    [[nodiscard]] bool Ok() const { return error == BuildError::kNone; }
};

// Builds the query datagram for a domain text that CheckDomain accepted. One trailing dot is
// the root and adds nothing. Without a type the question type is 0.
[[nodiscard]] BuiltQuery BuildDNSQuery(std::string_view domain, std::optional<RecordType> type);

}  // namespace quillet::dns
