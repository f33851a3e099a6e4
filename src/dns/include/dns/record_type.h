#pragma once

#include <cstdint>

namespace quillet::dns {

// The record types the program asks for and shows; one list for the builder and the parser.
enum class RecordType : std::uint16_t {
    kA = 1,
    kNS = 2,
    kCNAME = 5,
    kSOA = 6,
    kMX = 15,
};

// Whether a reply's record type (all 16 bits) is one the walk decodes; it stops at any other.
[[nodiscard]] constexpr bool IsKnownType(std::uint16_t type) {
    switch (static_cast<RecordType>(type)) {
        case RecordType::kA:
        case RecordType::kNS:
        case RecordType::kCNAME:
        case RecordType::kSOA:
        case RecordType::kMX:
            return true;
    }
    return false;
}

}  // namespace quillet::dns
