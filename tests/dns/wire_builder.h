#pragma once

// Assembles reply bytes for the tests, field by field.

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dns/hex.h"
#include "dns/reply_bytes.h"
#include "texts/reply_format.h"

namespace quillet::dns::testing {

class WireBuilder {
public:
    WireBuilder& U8(std::uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    WireBuilder& U16(std::uint16_t v) { return U8(static_cast<std::uint8_t>(v >> 8)).U8(v & 0xFF); }
    WireBuilder& U32(std::uint32_t v) {
        return U16(static_cast<std::uint16_t>(v >> 16)).U16(v & 0xFFFF);
    }
    WireBuilder& Bytes(std::initializer_list<std::uint8_t> bs) {
        bytes_.insert(bytes_.end(), bs);
        return *this;
    }
    WireBuilder& Text(std::string_view text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    WireBuilder& Zeros(std::size_t count) {
        bytes_.insert(bytes_.end(), count, 0);
        return *this;
    }
    // The labels of a dotted name, without the ending zero byte.
    WireBuilder& Labels(std::string_view dotted) {
        while (!dotted.empty()) {
            const auto dot = dotted.find('.');
            const auto label = dotted.substr(0, dot);
            U8(static_cast<std::uint8_t>(label.size())).Text(label);
            dotted = dot == std::string_view::npos ? std::string_view{} : dotted.substr(dot + 1);
        }
        return *this;
    }
    WireBuilder& Name(std::string_view dotted) { return Labels(dotted).U8(0); }
    // A 14-bit compression pointer.
    WireBuilder& Pointer(std::uint16_t offset) {
        return U8(static_cast<std::uint8_t>(0xC0 | (offset >> 8))).U8(offset & 0xFF);
    }
    // A reply header: identifier 0, flags 81 80, one question, `answers` answers.
    WireBuilder& Header(std::uint16_t answers, std::uint16_t authority = 0,
                        std::uint16_t additional = 0) {
        return U16(0).U16(0x8180).U16(1).U16(answers).U16(authority).U16(additional);
    }
    // Question name at offset 12, then type and class IN.
    WireBuilder& Question(std::string_view dotted, std::uint16_t type = 1) {
        return Name(dotted).U16(type).U16(1);
    }
    // A record's fixed part after its owner name: type, class IN, TTL 3600, data length.
    WireBuilder& Fixed(std::uint16_t type, std::uint16_t dataLength) {
        return U16(type).U16(1).U32(3600).U16(dataLength);
    }
    // A record owned by the name at `owner` (a pointer), up to the start of its data.
    WireBuilder& Record(std::uint16_t type, std::uint16_t dataLength, std::uint16_t owner = 12) {
        return Pointer(owner).Fixed(type, dataLength);
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

    // Reply text without the 513-byte cut of ReplyText.
    std::string Hex() const {
        std::string text;
        for (const std::uint8_t b : bytes_) text.append(HexPair(b).data(), 2);
        return text;
    }

    ReplyBytes Store() const {
        ReplyBytes store;
        store.Assign(std::span<const std::uint8_t>(bytes_));
        return store;
    }

    texts::DecodeResult Decode() const {
        ReplyBytes store;
        return texts::DecodeDNSAnswer(Hex(), store);
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// The "example.com" A reply with one answer (45 bytes).
inline WireBuilder ExampleComAReply() {
    WireBuilder w;
    w.Header(1).Question("example.com").Record(1, 4).Bytes({192, 0, 2, 1});
    return w;
}

// A reply with one question for example.com: name 12..24, first record at 29.
inline WireBuilder Reply(std::uint16_t answers = 1) {
    WireBuilder w;
    w.Header(answers).Question("example.com");
    return w;
}

using Rows = std::vector<std::string>;

// A reply, the rows it must give and where the walk must stop.
struct DecodeCase {
    const char* what;
    WireBuilder wire;
    Rows rows;
    ParseFault stop = {};  // why and where reading stopped; none for a clean decode
};

inline void ExpectDecode(const DecodeCase& c) {
    const texts::DecodeResult r = c.wire.Decode();
    EXPECT_EQ(r.rows, c.rows) << c.what;
    EXPECT_EQ(r.fault, c.stop.kind) << c.what;
    EXPECT_EQ(ParseReply(c.wire.bytes()).fault.offset, c.stop.offset) << c.what;
    EXPECT_TRUE(r.listCleared) << c.what;
    EXPECT_FALSE(r.emptyAnswer) << c.what;
}

inline std::string Row(std::string_view label, std::string_view value) {
    return std::string(label) + std::string(value);
}

}  // namespace quillet::dns::testing
