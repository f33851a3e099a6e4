#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "dns/fault.h"
#include "dns/name_reader.h"

namespace quillet::dns {

struct Question {
    Labels name;
    std::size_t end = 0;  // after its type and class, which are passed over: the first record
};

// One record as the walk read it. Only the decoded field of its own type is filled.
struct Record {
    std::size_t owner = 0;  // the owner name's first byte; the name is stepped over, not read
    std::uint16_t type = 0;
    std::uint16_t recordClass = 0;
    std::uint32_t ttl = 0;
    std::size_t data = 0;  // the data's first byte
    std::uint16_t dataLength = 0;
    std::array<std::uint8_t, 4> address{};  // A
    Labels name;                            // NS, CNAME, MX exchange, SOA primary server
    std::size_t next = 0;                   // where the walk goes on (0 when it stops here)
};

// A record of a type the walk does not know: the walk stops at it.
struct UnknownType {
    std::uint16_t type = 0;
    std::size_t lowByte = 0;  // offset of the type's low byte
};

struct ParsedReply {
    std::uint16_t answerCount = 0;
    bool emptyAnswer = false;  // the header was read and its answer count is 0
    std::optional<Question> question;
    std::vector<Record> records;  // every record after the question, in walk order
    std::optional<UnknownType> unknown;
    ParseFault fault;  // where and why the walk stopped early
};

// Reads a reply: the answer count, the question, then every record after it (answer,
// authority and additional alike) until the end, an unknown type or the first fault.
[[nodiscard]] ParsedReply ParseReply(std::span<const std::uint8_t> reply);

}  // namespace quillet::dns
