#include "dns/name_reader.h"

namespace quillet::dns {

namespace {

constexpr std::uint8_t kPointerMark = 0xC0;  // a length byte of 192 or more starts a pointer

void AppendEscapedByte(std::string& text, unsigned char c) {
    if (c < 0x21 || c > 0x7E) {
        text.push_back('\\');
        text.push_back(static_cast<char>('0' + c / 100));
        text.push_back(static_cast<char>('0' + c / 10 % 10));
        text.push_back(static_cast<char>('0' + c % 10));
    } else if (c == '.' || c == '\\') {
        text.push_back('\\');
        text.push_back(static_cast<char>(c));
    } else {
        text.push_back(static_cast<char>(c));
    }
}

// Follows the pointer whose two bytes were just read. Every jump must go strictly below all
// that was read for this name, so a chain always ends; its length is bounded as well.
void Jump(WireReader& reader, std::uint8_t high, std::uint8_t low, std::size_t& lowestRead,
          int& jumps) {
    const std::size_t target = (static_cast<std::size_t>(high & 0x3F) << 8) | low;
    const std::size_t pointer = reader.Offset() - 2;
    Fault fault = Fault::kNone;
    if (target >= lowestRead) {
        fault = Fault::kBadPointer;
    } else if (++jumps > kMaxPointersPerName) {
        fault = Fault::kTooManyPointers;
    }
    if (fault != Fault::kNone) {
        reader.Seek(pointer);
        reader.Fail(fault);
        return;
    }
    lowestRead = target;
    reader.Seek(target);
}

}  // namespace

void ReadName(WireReader& reader, Labels* labels, Pointers pointers) {
    const bool reading = labels != nullptr;
    const Fault outerOverrun = reading ? reader.SetOverrun(Fault::kNameTruncated) : Fault::kNone;
    const bool pointerBytes = !reading || pointers == Pointers::kFollow;
    std::size_t lowestRead = reader.Offset();
    std::size_t resume = 0;  // where the name ends at its own place, once a pointer was followed
    int jumps = 0;
    for (;;) {
        const std::uint8_t length = reader.ReadU8();
        if (reader.Failed() || length == 0) break;
        if (pointerBytes && length >= kPointerMark) {
            const std::uint8_t low = reader.ReadU8();
            if (reader.Failed() || !reading) break;
            if (jumps == 0) resume = reader.Offset();
            Jump(reader, length, low, lowestRead, jumps);
            continue;
        }
        const auto label = reader.ReadBytes(length);
        if (reader.Failed()) break;
        if (reading) labels->emplace_back(label.begin(), label.end());
    }
    if (reading) reader.SetOverrun(outerOverrun);
    if (jumps > 0) reader.Seek(resume);
}

NameRead ReadNameAt(const ReplyBytes& reply, std::size_t offset, Pointers pointers) {
    NameRead read;
    WireReader reader(reply.Bytes(), offset, Fault::kNameTruncated);
    ReadName(reader, &read.labels, pointers);
    read.fault = reader.Error();
    if (read.Ok()) {
        read.lastOffset = reader.Offset() - 1;
    } else {
        read.labels.clear();
    }
    return read;
}

std::optional<std::string> GetFullName(const ReplyBytes& reply, std::size_t offset) {
    const NameRead read = ReadNameAt(reply, offset, Pointers::kFollow);
    if (!read.Ok()) return std::nullopt;
    std::string text(1, '.');
    if (!read.labels.empty()) text.append(NameToText(read.labels));
    return text;
}

std::string NameToText(const Labels& labels) {
    if (labels.empty()) return ".";
    std::string text;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (i > 0) text.push_back('.');
        for (const char c : labels[i]) AppendEscapedByte(text, static_cast<unsigned char>(c));
    }
    return text;
}

}  // namespace quillet::dns
