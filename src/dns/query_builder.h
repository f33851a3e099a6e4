#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::dns {

// The question type byte for a row text of the type list; 0 for any other text.
std::uint8_t QueryTypeByte(std::string_view typeText);

struct BuiltQuery {
    std::vector<std::uint8_t> datagram;  // empty when the build failed
    std::string error;                   // the cause, empty on success
    bool ok() const { return error.empty(); }
};

// Builds the query datagram for a domain text that CheckDomain accepted.
// Fails for more than 10 labels or a label longer than 255 bytes.
BuiltQuery BuildDNSQuery(std::string_view domain, std::string_view typeText);

}  // namespace quillet::dns
