// libFuzzer target for the way from typed text to the bytes on the wire.
//
// Each input is a domain as typed. It goes the window's way (trimmed, CheckDomain, then
// BuildDNSQuery); a query that is built is read back with the name reader, and its question
// must hold exactly the labels of the checked name, byte for byte. A name the checker accepts
// within the wire's limits must be built, and one past them refused. A broken rule aborts.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "dns/domain_check.h"
#include "dns/name_reader.h"
#include "dns/query_builder.h"
#include "dns/reply_bytes.h"

namespace {

using namespace quillet::dns;

constexpr std::size_t kHeaderSize = 12;

void Check(bool condition) {
    if (!condition) std::abort();
}

// The labels as raw bytes: NameToText would escape the blanks a typed name may hold.
Labels LabelsOf(std::string_view domain) {
    if (domain.ends_with('.')) domain.remove_suffix(1);  // the root the builder leaves implicit
    Labels labels;
    for (std::size_t start = 0;;) {
        const std::size_t dot = domain.find('.', start);
        labels.emplace_back(domain.substr(start, dot - start));
        if (dot == std::string_view::npos) return labels;
        start = dot + 1;
    }
}

[[nodiscard]] bool FitsTheWire(const Labels& labels) {
    std::size_t octets = 1;  // the root's zero
    for (const auto& label : labels) {
        if (label.empty() || label.size() > kMaxLabelLength) return false;
        octets += 1 + label.size();
    }
    return labels.size() <= kMaxLabels && octets <= kMaxNameOctets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view domain =
        TrimSpaces(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!CheckDomain(domain)) return 0;

    const BuiltQuery query = BuildDNSQuery(domain, RecordType::kMX);
    const Labels expected = LabelsOf(domain);
    Check(query.Ok() == FitsTheWire(expected));
    if (!query.Ok()) {
        Check(query.datagram.empty());
        return 0;
    }

    const std::span<const std::uint8_t> datagram = query.datagram;
    constexpr std::array<std::uint8_t, kHeaderSize> kHeader{0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    Check(datagram.size() > kHeaderSize + 4 &&
          std::ranges::equal(datagram.first(kHeaderSize), kHeader));
    ReplyBytes store;
    store.Assign(datagram);
    const NameRead question = ReadNameAt(store, kHeaderSize, Pointers::kOff);
    Check(question.Ok() && question.labels == expected);
    constexpr std::array<std::uint8_t, 4> kTypeMxClassIn{0, 15, 0, 1};
    Check(question.lastOffset + 1 + kTypeMxClassIn.size() == datagram.size() &&
          std::ranges::equal(datagram.last(kTypeMxClassIn.size()), kTypeMxClassIn));
    return 0;
}
