#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "dns/fault.h"
#include "dns/reply_bytes.h"
#include "dns/wire_reader.h"

namespace quillet::dns {

// Offsets count from 0 at the first header byte; the "slot" shown to users is offset + 1.

// Most compression pointers one name may follow. Pointers must also point strictly below
// everything already read for the name, so a chain cannot loop even below this bound.
inline constexpr int kMaxPointersPerName = 32;

// Labels are kept as raw bytes while reading; NameToText is the one place that turns them
// into text.
using Labels = std::vector<std::string>;

enum class Pointers {
    kOff,     // every non-zero length byte is a label (the question name)
    kFollow,  // a byte of 192 or more is a 14-bit compression pointer, also as the first byte
};

// Reads the name at the reader's offset and leaves the reader after it at its own place:
// after the zero byte, or after the pointer that ends it. With `labels` null the name is only
// stepped over, and a byte of 192 or more ends it as a pointer that is not followed. Faults go
// to the reader: a name read past the end is kNameTruncated, one skipped past the end gives
// the reader's own overrun fault.
void ReadName(WireReader& reader, Labels* labels = nullptr, Pointers pointers = Pointers::kFollow);

struct NameRead {
    Labels labels;
    std::size_t lastOffset = 0;  // the terminating zero byte, or the pointer's second byte
    ParseFault fault;
    [[nodiscard]] bool Ok() const { return !fault; }
};

// Reads the name whose first byte is at `offset`.
[[nodiscard]] NameRead ReadNameAt(const ReplyBytes& reply, std::size_t offset, Pointers pointers);

// The name a compression pointer designates, as dot-led text (".mail.example.com";
// the root gives "."). std::nullopt when the name cannot be read.
[[nodiscard]] std::optional<std::string> GetFullName(const ReplyBytes& reply, std::size_t offset);

// Presentation text: labels joined by ".", the root as ".". Bytes outside 0x21..0x7E are
// written as \DDD, a dot or backslash inside a label as \. and \\.
[[nodiscard]] std::string NameToText(const Labels& labels);

}  // namespace quillet::dns
