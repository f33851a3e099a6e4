#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dns/reply_bytes.h"

namespace quillet::dns {

// What one decode leaves for the window to show.
struct DecodeResult {
    std::string hexDump;            // every byte as two hex digits and one blank
    bool listCleared = false;       // false when the decode failed before touching the list
    std::vector<std::string> rows;  // UTF-8 result lines, in reply order
    bool emptyAnswer = false;       // the answer count is 0: show the empty-answer message
    std::string failure;            // failure text (fixed prefix + cause); empty on a clean decode
};

// Decodes a reply given as reply text (two hex digits per byte). `store` receives the bytes.
DecodeResult DecodeDNSAnswer(std::string_view replyText, ReplyBytes& store);

}  // namespace quillet::dns
