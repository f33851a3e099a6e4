// libFuzzer target for the reply parser, its formatting and the name reader.
//
// Each input is parsed as a datagram (ParseReply, then FormatReply), decoded as the window
// does it (bytes -> ReplyText -> DecodeDNSAnswer) and also decoded as reply text as is; names
// are also read (ReadNameAt both ways, GetFullName) at the question, the first offsets, and
// every pointer and its target. Besides the sanitizers, the invariants below are checked: a
// broken one aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "dns/name_reader.h"
#include "dns/reply_bytes.h"
#include "dns/reply_parser.h"
#include "texts/reply_format.h"
#include "texts/texts.h"

namespace {

using namespace quillet::dns;
using quillet::texts::DecodeResult;
namespace texts = quillet::texts;

void Check(bool condition) {
    if (!condition) std::abort();
}

// Name text holds only printable ASCII: every other byte has been escaped.
void CheckNameText(std::string_view text) {
    Check(!text.empty());
    for (const char c : text) Check(c >= 0x21 && c <= 0x7E);
}

void CheckResult(const DecodeResult& r, std::size_t stored) {
    Check(r.hexDump.size() == 3 * std::min(stored, kMaxReplyBytes));
    if (r.emptyAnswer) Check(r.rows.empty() && r.failure.empty() && r.listCleared);
    if (!r.listCleared) Check(r.rows.empty() && !r.failure.empty());
    if (!r.failure.empty()) Check(r.failure.starts_with(texts::kDecodeFailurePrefix));
    Check(r.failure.empty() == (r.fault == Fault::kNone));
    Check(texts::TextOf(r.fault).empty() == (r.fault == Fault::kNone));  // every fault has words
    if (!r.rows.empty()) Check(r.rows.front().starts_with(texts::kRowQuestion));
}

// The parsed reply stays inside the bytes, the walk only moves forward, and the formatting
// gives one row per record and four for an unknown type.
void CheckParsed(const ParsedReply& p, std::span<const std::uint8_t> bytes) {
    Check(p.fault.offset <= bytes.size());
    if (p.fault.kind == Fault::kReplyTooLong) Check(bytes.size() > kMaxReplyBytes);
    if (p.emptyAnswer) Check(!p.question && !p.fault && p.answerCount == 0);
    if (p.unknown) Check(!p.fault && p.unknown->lowByte < bytes.size());
    std::size_t walked = p.question ? p.question->end : 0;
    for (const Record& r : p.records) {
        Check(r.owner == walked && r.data <= bytes.size());
        // An SOA whose data runs past the end keeps its row, and the walk stops there.
        if (p.fault && &r == &p.records.back()) break;
        Check(r.next > r.owner && r.next <= bytes.size());
        walked = r.next;
    }
    const DecodeResult shown = quillet::texts::FormatReply(p, bytes);
    CheckResult(shown, bytes.size());
    Check(shown.rows.size() ==
          (p.question ? 1 + p.records.size() + (p.unknown ? 4 : 0) : std::size_t{0}));
    for (std::size_t i = 0; i < p.records.size(); ++i) {
        for (const char c : shown.rows[i + 1].substr(shown.rows[i + 1].find(':') + 1)) {
            Check(c >= 0x21 && c <= 0x7E);  // names are escaped, addresses are digits and dots
        }
    }
}

void CheckNameAt(const ReplyBytes& store, std::size_t offset) {
    for (const bool follow : {false, true}) {
        const NameRead read =
            ReadNameAt(store, offset, follow ? Pointers::kFollow : Pointers::kOff);
        if (!read.Ok()) {
            Check(read.labels.empty());
            continue;
        }
        Check(read.lastOffset >= offset && read.lastOffset < store.Size());
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
    const auto bytes = store.Bytes();
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
    CheckParsed(ParseReply(datagram), datagram);
    const DecodeResult result = quillet::texts::DecodeDNSAnswer(text, store);
    CheckResult(result, store.Size());
    Check(store.Size() <= kMaxReplyBytes);
    Check(result.listCleared);  // reply text from ReplyText always stores
    ReadNames(store);

    // The same bytes as reply text: mostly not hex, which must fail cleanly too.
    ReplyBytes raw;
    const DecodeResult asText = quillet::texts::DecodeDNSAnswer(
        std::string_view(reinterpret_cast<const char*>(data), size), raw);
    CheckResult(asText, raw.Size());
    return 0;
}
