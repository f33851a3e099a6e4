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

}  // namespace quillet::dns
