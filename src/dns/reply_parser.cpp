#include "dns/reply_parser.h"

#include <algorithm>

#include "dns/record_type.h"
#include "dns/reply_bytes.h"
#include "dns/wire_reader.h"

namespace quillet::dns {

namespace {

constexpr std::size_t kAnswerCountOffset = 6;
constexpr std::size_t kQuestionOffset = 12;
constexpr std::size_t kQuestionTypeAndClass = 4;

// The data handlers: each reads its type's data and leaves the reader after what it read.

void ReadAddress(WireReader& reader, Record& record) {
    const auto address = reader.ReadBytes(record.address.size());
    if (!reader.Failed()) std::copy(address.begin(), address.end(), record.address.begin());
}

void ReadMx(WireReader& reader, Record& record) {
    // The preference is passed over; a reply that ends inside it ends inside the name.
    const Fault outer = reader.SetOverrun(Fault::kNameTruncated);
    reader.Skip(2);
    reader.SetOverrun(outer);
    ReadName(reader, &record.name);
}

void ReadNameData(WireReader& reader, Record& record) {
    ReadName(reader, &record.name);
}

using DataReader = void (*)(WireReader&, Record&);

// The handler of a type the walk decodes; nullptr for any other (all 16 bits count).
[[nodiscard]] DataReader DataReaderFor(std::uint16_t type) {
    switch (static_cast<RecordType>(type)) {
        case RecordType::kA:
            return ReadAddress;
        case RecordType::kNS:
        case RecordType::kCNAME:
        case RecordType::kSOA:  // the primary server; the rest of the data is not read
            return ReadNameData;
        case RecordType::kMX:
            return ReadMx;
    }
    return nullptr;
}

void WalkRecords(std::span<const std::uint8_t> bytes, std::size_t first, ParsedReply& reply) {
    std::size_t p = first;
    // A record starts only where at least two bytes remain: a lone trailing byte is padding,
    // not a truncated record.
    while (bytes.size() > p + 1) {
        WireReader reader(bytes, p);
        Record record;
        record.owner = p;
        ReadName(reader);
        record.type = reader.ReadU16();
        const DataReader readData = DataReaderFor(record.type);
        // The type alone decides: an unknown one ends the walk, however little follows it.
        if (!reader.Failed() && !readData) {
            reply.unknown = UnknownType{record.type, reader.Offset() - 1};
            return;
        }
        record.recordClass = reader.ReadU16();
        record.ttl = reader.ReadU32();
        record.dataLength = reader.ReadU16();
        record.data = reader.Offset();
        if (!reader.Failed()) readData(reader, record);
        if (reader.Failed()) {
            reply.fault = reader.Error();
            return;
        }
        Record& kept = reply.records.emplace_back(std::move(record));
        if (static_cast<RecordType>(kept.type) == RecordType::kSOA) {
            // Go on after the whole SOA data; its row stands even when that runs past the end.
            reader.Seek(kept.data);
            reader.Skip(kept.dataLength);
            if (reader.Failed()) {
                reply.fault = reader.Error();
                return;
            }
        }
        kept.next = p = reader.Offset();
    }
}

}  // namespace

ParsedReply ParseReply(std::span<const std::uint8_t> bytes) {
    ParsedReply reply;
    if (bytes.size() > kMaxReplyBytes) {
        reply.fault = {Fault::kReplyTooLong, kMaxReplyBytes};
        return reply;
    }
    WireReader reader(bytes, kAnswerCountOffset, Fault::kHeaderTruncated);
    reply.answerCount = reader.ReadU16();
    if (reader.Failed()) {
        reply.fault = reader.Error();
        return reply;
    }
    if (reply.answerCount == 0) {
        reply.emptyAnswer = true;
        return reply;
    }

    reader.SetOverrun(Fault::kNameTruncated);
    reader.Seek(kQuestionOffset);
    Question question;
    ReadName(reader, &question.name, Pointers::kOff);
    if (reader.Failed()) {
        reply.fault = reader.Error();
        return reply;
    }
    question.end = reader.Offset() + kQuestionTypeAndClass;
    reply.question = std::move(question);
    reply.records.reserve(bytes.size() / 16);
    WalkRecords(bytes, reply.question->end, reply);
    return reply;
}

}  // namespace quillet::dns
