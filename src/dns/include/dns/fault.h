#pragma once

#include <cstddef>
#include <cstdint>

namespace quillet::dns {

// Why reading a reply stopped early. The codec gives only these codes; the window's text
// catalogue turns each into words.
enum class Fault : std::uint8_t {
    kNone,
    kReplyTooLong,     // more than kMaxReplyBytes bytes
    kReplyNotHex,      // the reply text is not pairs of hex digits
    kHeaderTruncated,  // the reply ends before the answer count
    kRecordTruncated,  // a record's fixed part or data runs past the end
    kNameTruncated,    // a name runs past the end
    kBadPointer,       // a compression pointer does not point below what was read
    kTooManyPointers,  // more than kMaxPointersPerName pointers in one name
};

// A fault and the offset (from the first header byte) where reading stopped.
struct ParseFault {
    Fault kind = Fault::kNone;
    std::size_t offset = 0;

    explicit operator bool() const { return kind != Fault::kNone; }
};

}  // namespace quillet::dns
