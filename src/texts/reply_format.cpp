#include "texts/reply_format.h"

#include <algorithm>

#include "dns/hex.h"
#include "dns/record_type.h"
#include "texts/texts.h"

namespace quillet::texts {

namespace {

using dns::RecordType;

[[nodiscard]] std::string Row(std::string_view label, std::string_view value) {
    std::string row;
    row.reserve(label.size() + value.size());
    row.append(label).append(value);
    return row;
}

[[nodiscard]] std::string Ipv4Text(const std::array<std::uint8_t, 4>& address) {
    std::string text;
    for (const std::uint8_t byte : address) {
        if (!text.empty()) text.push_back('.');
        text.append(std::to_string(byte));
    }
    return text;
}

// The type's hex digits as they stand in the reply text, a leading 00 byte left out.
[[nodiscard]] std::string TypeString(std::uint16_t type) {
    const auto high = dns::HexPair(static_cast<std::uint8_t>(type >> 8));
    const auto low = dns::HexPair(static_cast<std::uint8_t>(type & 0xFF));
    std::string text;
    if (type > 0xFF) text.append(high.data(), high.size());
    text.append(low.data(), low.size());
    return text;
}

[[nodiscard]] std::string_view RowLabel(std::uint16_t type) {
    switch (static_cast<RecordType>(type)) {
        case RecordType::kA:
            return kRowA;
        case RecordType::kNS:
            return kRowNS;
        case RecordType::kCNAME:
            return kRowCNAME;
        case RecordType::kSOA:
            return kRowSOA;
        case RecordType::kMX:
            return kRowMX;
    }
    return {};
}

[[nodiscard]] std::string HexDump(std::span<const std::uint8_t> bytes) {
    std::string dump(bytes.size() * 3, ' ');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto pair = dns::HexPair(bytes[i]);
        dump[3 * i] = pair[0];
        dump[3 * i + 1] = pair[1];
    }
    return dump;
}

[[nodiscard]] bool IsStoreFault(dns::Fault fault) {
    return fault == dns::Fault::kReplyTooLong || fault == dns::Fault::kReplyNotHex;
}

}  // namespace

DecodeResult FormatReply(const dns::ParsedReply& reply, std::span<const std::uint8_t> stored) {
    DecodeResult result;
    result.hexDump = HexDump(stored.first(std::min(stored.size(), dns::kMaxReplyBytes)));
    result.listCleared = !IsStoreFault(reply.fault.kind);
    result.emptyAnswer = reply.emptyAnswer;
    result.fault = reply.fault.kind;
    if (reply.fault) result.failure = Row(kDecodeFailurePrefix, TextOf(reply.fault.kind));
    if (!reply.question) return result;

    result.rows.reserve(1 + reply.records.size() + (reply.unknown ? 4 : 0));
    result.rows.push_back(Row(kRowQuestion, dns::NameToText(reply.question->name)));
    for (const dns::Record& record : reply.records) {
        const bool address = static_cast<RecordType>(record.type) == RecordType::kA;
        result.rows.push_back(Row(RowLabel(record.type), address ? Ipv4Text(record.address)
                                                                 : dns::NameToText(record.name)));
    }
    if (const auto& unknown = reply.unknown) {
        result.rows.emplace_back(kRowUnknownType);
        result.rows.push_back(Row(kRowTypeString, TypeString(unknown->type)));
        result.rows.push_back(Row(kRowTypeNumber, std::to_string(unknown->type)));
        result.rows.push_back(Row(kRowPosition, std::to_string(unknown->lowByte + 1)));
    }
    return result;
}

DecodeResult DecodeDNSAnswer(std::string_view replyText, dns::ReplyBytes& store) {
    dns::ParsedReply reply;
    reply.fault = store.Assign(replyText);
    if (!reply.fault) reply = dns::ParseReply(store.Bytes());
    return FormatReply(reply, store.Bytes());
}

}  // namespace quillet::texts
