#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dns/fault.h"
#include "dns/reply_bytes.h"
#include "dns/reply_parser.h"

namespace quillet::texts {

// What one decode leaves for the window to show. Standard C++ only, so the fuzzer checks it.
struct DecodeResult {
    std::string hexDump;            // every stored byte as two hex digits and one blank
    bool listCleared = false;       // false when the reply text could not be stored
    std::vector<std::string> rows;  // UTF-8 result lines, in reply order
    bool emptyAnswer = false;       // the answer count is 0: show the empty-answer message
    dns::Fault fault = dns::Fault::kNone;
    // The failure text (fixed prefix + cause), empty on a clean decode. The window never shows
    // it: a hostile server must not be able to raise a box per datagram.
    std::string failure;
};

// The rows, the dump and the verdicts of a parsed reply; `stored` are the reply's bytes.
[[nodiscard]] DecodeResult FormatReply(const dns::ParsedReply& reply,
                                       std::span<const std::uint8_t> stored);

// The whole decode of a reply given as reply text: store its bytes, parse, format.
[[nodiscard]] DecodeResult DecodeDNSAnswer(std::string_view replyText, dns::ReplyBytes& store);

}  // namespace quillet::texts
