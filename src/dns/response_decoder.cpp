#include "dns/response_decoder.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "dns/name_reader.h"
#include "dns/texts.h"
#include "dns/wire_reader.h"

namespace quillet::dns {

namespace {

constexpr std::size_t kAnswerCountOffset = 6;
constexpr std::size_t kQuestionOffset = 12;
constexpr std::size_t kQuestionTypeAndClass = 4;

enum RecordType : std::uint16_t {
    kTypeA = 1,
    kTypeNS = 2,
    kTypeCNAME = 5,
    kTypeSOA = 6,
    kTypeMX = 15,
};

std::string Row(std::string_view label, std::string_view value) {
    std::string row(label);
    row.append(value);
    return row;
}

void Fail(DecodeResult& result, std::string_view cause) {
    result.failure = Row(texts::kDecodeFailurePrefix, cause);
}

// Step 2: store the reply text's bytes and write the dump. Fails, before the list is
// touched, at the first byte past kMaxReplyBytes or at a pair that is not two hex digits;
// the store and the dump then hold the bytes before it.
bool StoreReply(std::string_view replyText, ReplyBytes& store, DecodeResult& result) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::min(replyText.size() / 2, kMaxReplyBytes));
    result.hexDump.reserve(bytes.capacity() * 3);
    bool ok = true;
    for (std::size_t i = 0; i < replyText.size(); i += 2) {
        if (bytes.size() == kMaxReplyBytes) {
            Fail(result, texts::kCauseReplyTooLong);
            ok = false;
            break;
        }
        const auto byte =
            i + 1 < replyText.size() ? HexPairValue(replyText[i], replyText[i + 1]) : std::nullopt;
        if (!byte) {
            Fail(result, texts::kCauseReplyNotHex);
            ok = false;
            break;
        }
        bytes.push_back(*byte);
        AppendHexPair(result.hexDump, *byte);
        result.hexDump.push_back(' ');
    }
    store.Assign(bytes);
    return ok;
}

std::string Ipv4Text(std::span<const std::uint8_t> address) {
    std::string text;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i > 0) text.push_back('.');
        text.append(std::to_string(address[i]));
    }
    return text;
}

// The type's hex digits as they stand in the reply text, a leading 00 byte left out.
std::string TypeString(std::uint16_t type) {
    std::string text;
    if (type > 0xFF) AppendHexPair(text, static_cast<std::uint8_t>(type >> 8));
    AppendHexPair(text, static_cast<std::uint8_t>(type & 0xFF));
    return text;
}

// Walks every record after the question as one sequence (answer, authority and additional
// alike), appending a row per recognised record. Returns false when the decode failed.
bool WalkRecords(const ReplyBytes& store, std::size_t first, DecodeResult& result) {
    const std::size_t n = store.size();
    std::size_t p = first;
    // A record starts only where at least two bytes remain: a lone trailing byte is padding,
    // not a truncated record.
    while (n > p + 1) {
        WireReader record(store.bytes(), p);
        SkipName(record);  // the owner name, of any form; it is not shown
        const std::uint16_t type = record.ReadU16();
        const std::size_t typeLowOffset = record.offset() - 1;
        record.Skip(2 + 4);  // class and time to live
        const std::uint16_t dataLength = record.ReadU16();
        if (record.failed()) {
            Fail(result, texts::kCauseRecordTruncated);
            return false;
        }
        const std::size_t data = record.offset();

        std::string_view label;
        std::size_t nameOffset = data;
        switch (type) {
            case kTypeA: {
                const auto address = record.ReadBytes(4);
                if (record.failed()) {
                    Fail(result, texts::kCauseRecordTruncated);
                    return false;
                }
                result.rows.push_back(Row(texts::kRowA, Ipv4Text(address)));
                p = data + 4;  // the data is taken to be four bytes long
                continue;
            }
            case kTypeNS:
                label = texts::kRowNS;
                break;
            case kTypeCNAME:
                label = texts::kRowCNAME;
                break;
            case kTypeSOA:
                label = texts::kRowSOA;
                break;
            case kTypeMX:
                label = texts::kRowMX;
                nameOffset = data + 2;  // the preference is passed over
                break;
            default:
                result.rows.emplace_back(texts::kRowUnknownType);
                result.rows.push_back(Row(texts::kRowTypeString, TypeString(type)));
                result.rows.push_back(Row(texts::kRowTypeNumber, std::to_string(type)));
                result.rows.push_back(Row(texts::kRowPosition, std::to_string(typeLowOffset + 1)));
                return true;  // no later record is decoded
        }

        const NameRead name = ReadNameAt(store, nameOffset, true);
        if (!name.ok) {
            Fail(result, name.error);
            return false;
        }
        result.rows.push_back(Row(label, NameToText(name.labels)));
        if (type == kTypeSOA) {
            // The rest of the SOA data is not read: go on after the whole data.
            record.Skip(dataLength);
            if (record.failed()) {
                Fail(result, texts::kCauseRecordTruncated);
                return false;
            }
            p = record.offset();
        } else {
            p = name.lastOffset + 1;
        }
    }
    return true;
}

}  // namespace

DecodeResult DecodeDNSAnswer(std::string_view replyText, ReplyBytes& store) {
    DecodeResult result;
    if (!StoreReply(replyText, store, result)) return result;
    result.listCleared = true;

    WireReader header(store.bytes(), kAnswerCountOffset);
    const std::uint16_t answerCount = header.ReadU16();
    if (header.failed()) {
        Fail(result, texts::kCauseHeaderTruncated);
        return result;
    }
    if (answerCount == 0) {
        result.emptyAnswer = true;
        return result;
    }

    const NameRead question = ReadNameAt(store, kQuestionOffset, false);
    if (!question.ok) {
        Fail(result, question.error);
        return result;
    }
    result.rows.push_back(Row(texts::kRowQuestion, NameToText(question.labels)));

    WalkRecords(store, question.lastOffset + 1 + kQuestionTypeAndClass, result);
    return result;
}

}  // namespace quillet::dns
