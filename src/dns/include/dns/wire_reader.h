#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "dns/fault.h"

namespace quillet::dns {

// One bounds-checked cursor over a reply. The first fault is sticky: a read past the end
// records the reader's overrun fault, Fail records any other, and from then on every read
// gives 0 and the cursor stays put, so a caller checks once after a whole record instead of
// after every field. Later faults never replace the first.
class WireReader {
public:
    explicit WireReader(std::span<const std::uint8_t> wire, std::size_t offset = 0,
                        Fault overrun = Fault::kRecordTruncated);

    [[nodiscard]] std::uint8_t ReadU8();
    [[nodiscard]] std::uint16_t ReadU16();  // big-endian
    [[nodiscard]] std::uint32_t ReadU32();  // big-endian
    [[nodiscard]] std::span<const std::uint8_t> ReadBytes(std::size_t count);
    void Skip(std::size_t count);
    void Seek(std::size_t offset);
    // Records a fault at the current offset, unless one is already recorded.
    void Fail(Fault kind);

    // The fault a read past the end records from now on; returns the one it replaces.
    Fault SetOverrun(Fault kind);

    std::size_t Offset() const { return offset_; }
    [[nodiscard]] std::size_t Available() const { return Failed() ? 0 : wire_.size() - offset_; }
    [[nodiscard]] bool Failed() const { return bool(error_); }
    const ParseFault& Error() const { return error_; }

private:
    [[nodiscard]] bool Take(std::size_t count);

    std::span<const std::uint8_t> wire_;
    std::size_t offset_ = 0;
    Fault overrun_;
    ParseFault error_;
};

}  // namespace quillet::dns
