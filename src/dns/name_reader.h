#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

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

struct NameRead {
    Labels labels;
    std::size_t lastOffset = 0;  // the terminating zero byte, or the pointer's second byte
    bool ok = false;
    std::string error;  // why the read failed, when !ok
};

// Reads the name whose first byte is at `offset`. With followPointers off (the question
// name) every non-zero length byte is a label; with it on, a byte of 192 or more is a
// compression pointer, also as the very first byte.
NameRead ReadNameAt(const ReplyBytes& reply, std::size_t offset, bool followPointers);

// The name a compression pointer designates, as dot-led text (".mail.example.com";
// the root gives "."). std::nullopt when the name cannot be read.
std::optional<std::string> GetFullName(const ReplyBytes& reply, std::size_t offset);

// Presentation text: labels joined by ".", the root as ".". Bytes outside 0x21..0x7E are
// written as \DDD, a dot or backslash inside a label as \. and \\.
std::string NameToText(const Labels& labels);

// Steps the cursor over a name of any form (labels ending in a zero byte, labels ending in a
// pointer, or a lone pointer) without following its pointer. A name running past the end
// sets the cursor's sticky error.
void SkipName(WireReader& reader);

}  // namespace quillet::dns
