// libFuzzer target for the way from typed text to the bytes on the wire.
//
// Each input is a domain as typed. It goes the window's way (trimmed, CheckDomain, then
// BuildDNSQuery for every type, and for none); a query that is built is read back with the
// name reader, and its question must hold exactly the labels of the checked name, byte for
// byte, then the type asked for. A name the checker accepts within the wire's limits must be
// built, and one past them refused. The input's first four bytes, big-endian, are also a
// number for DEC_to_HEX, whose text must read back as that number. A broken rule aborts.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
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

// Upper-case digits without a leading zero that read back as the value; nothing for 0 and
// negatives.
void CheckHex(std::int32_t value) {
    const std::string text = DEC_to_HEX(value);
    if (value <= 0) {
        Check(text.empty());
        return;
    }
    Check(!text.empty() && text.front() != '0' &&
          text.find_first_not_of("0123456789ABCDEF") == std::string::npos);
    std::int32_t back = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), back, 16);
    Check(error == std::errc{} && end == text.data() + text.size() && back == value);
}

void CheckQuery(std::string_view domain, std::optional<RecordType> type) {
    const BuiltQuery query = BuildDNSQuery(domain, type);
    const Labels expected = LabelsOf(domain);
    Check(query.Ok() == FitsTheWire(expected));
    if (!query.Ok()) {
        Check(query.datagram.empty());
        return;
    }

    const std::span<const std::uint8_t> datagram = query.datagram;
    constexpr std::array<std::uint8_t, kHeaderSize> kHeader{0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    Check(datagram.size() > kHeaderSize + 4 &&
          std::ranges::equal(datagram.first(kHeaderSize), kHeader));
    ReplyBytes store;
    store.Assign(datagram);
    const NameRead question = ReadNameAt(store, kHeaderSize, Pointers::kOff);
    Check(question.Ok() && question.labels == expected);
    const auto typeValue = static_cast<std::uint8_t>(type.value_or(RecordType{}));
    const std::array<std::uint8_t, 4> typeAndClassIn{0, typeValue, 0, 1};
    Check(question.lastOffset + 1 + typeAndClassIn.size() == datagram.size() &&
          std::ranges::equal(datagram.last(typeAndClassIn.size()), typeAndClassIn));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 4) {
        CheckHex(static_cast<std::int32_t>(std::uint32_t{data[0]} << 24 | data[1] << 16 |
                                           data[2] << 8 | data[3]));
    }

    const std::string_view domain =
        TrimSpaces(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!CheckDomain(domain)) return 0;
    // The type list's rows, and a type text that is none of them.
    constexpr std::array<std::optional<RecordType>, 5> kTypes{
        RecordType::kA, RecordType::kNS, RecordType::kCNAME, RecordType::kMX, std::nullopt};
    for (const auto type : kTypes) CheckQuery(domain, type);
    return 0;
}
