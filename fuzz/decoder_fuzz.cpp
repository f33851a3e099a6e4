// libFuzzer target for the reply decoder and the name reader.
//
// Each input is taken as a datagram (bytes -> ReplyText -> DecodeDNSAnswer) and also as reply
// text as is; names are also read (ReadNameAt both ways, GetFullName) at the question, the
// first offsets, and every pointer and its target. Besides
// the sanitizers, the invariants below are checked: a broken one aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "dns/name_reader.h"
#include "dns/reply_bytes.h"
#include "dns/response_decoder.h"
#include "dns/texts.h"

namespace {

using namespace quillet::dns;

void Check(bool condition) {
    if (!condition) std::abort();
}

// Name text holds only printable ASCII: every other byte has been escaped.
void CheckNameText(std::string_view text) {
    Check(!text.empty());
    for (const char c : text) Check(c >= 0x21 && c <= 0x7E);
}

void CheckResult(const DecodeResult& r, const ReplyBytes& store) {
    Check(r.hexDump.size() == 3 * store.size());
    Check(store.size() <= kMaxReplyBytes);
    if (r.emptyAnswer) Check(r.rows.empty() && r.failure.empty() && r.listCleared);
    if (!r.listCleared) Check(r.rows.empty() && !r.failure.empty());
    if (!r.failure.empty()) Check(r.failure.starts_with(texts::kDecodeFailurePrefix));
    if (!r.rows.empty()) Check(r.rows.front().starts_with(texts::kRowQuestion));
}

void CheckNameAt(const ReplyBytes& store, std::size_t offset) {
    for (const bool follow : {false, true}) {
        const NameRead read = ReadNameAt(store, offset, follow);
        if (!read.ok) {
            Check(!read.error.empty());
            continue;
        }
        Check(read.lastOffset >= offset && read.lastOffset < store.size());
        const std::string text = NameToText(read.labels);
        CheckNameText(text);
        Check(text.front() != '.' || text == ".");  // no leading dot
        Check(text.back() != '.' || text == "." || text.ends_with("\\."));
    }
    if (const auto full = GetFullName(store, offset)) {
        Check(full->front() == '.');
        CheckNameText(*full);
    }
}

// Reads names where they are likely to stand: the question, the first bytes, and every
// pointer and its target. Bounded so that one input stays cheap.
void ReadNames(const ReplyBytes& store) {
    const auto bytes = store.bytes();
    constexpr std::size_t kMaxReads = 48;
    std::size_t reads = 0;
    for (std::size_t offset = 0; offset < 16 && offset <= bytes.size(); ++offset, ++reads) {
        CheckNameAt(store, offset);
    }
    for (std::size_t i = 16; i + 1 < bytes.size() && reads < kMaxReads; ++i) {
        if (bytes[i] < 0xC0) continue;
        CheckNameAt(store, i);
        CheckNameAt(store, (static_cast<std::size_t>(bytes[i] & 0x3F) << 8) | bytes[i + 1]);
        reads += 2;
    }
    CheckNameAt(store, bytes.size() + 1);  // past the end: must fail, not read
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> datagram(data, size);

    ReplyBytes store;
    const std::string text = ReplyText(datagram);
    Check(text.size() == 2 * std::min(size, kMaxReplyBytes));
    const DecodeResult result = DecodeDNSAnswer(text, store);
    CheckResult(result, store);
    Check(result.listCleared);  // reply text from ReplyText always stores
    ReadNames(store);

    // The same bytes as reply text: mostly not hex, which must fail cleanly too.
    ReplyBytes raw;
    const DecodeResult asText =
        DecodeDNSAnswer(std::string_view(reinterpret_cast<const char*>(data), size), raw);
    CheckResult(asText, raw);
    return 0;
}
