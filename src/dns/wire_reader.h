#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillet::dns {

// One bounds-checked cursor over a reply. The first read past the end sets a sticky error;
// from then on every read gives 0 and the cursor stays put, so a caller checks failed() once
// after a whole record instead of after every field.
class WireReader {
public:
    explicit WireReader(std::span<const std::uint8_t> wire, std::size_t offset = 0);

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();  // big-endian
    std::span<const std::uint8_t> ReadBytes(std::size_t count);
    void Skip(std::size_t count);
    void Seek(std::size_t offset);

    std::size_t offset() const { return offset_; }
    std::size_t available() const { return failed_ ? 0 : wire_.size() - offset_; }
    bool failed() const { return failed_; }

private:
    bool Take(std::size_t count);

    std::span<const std::uint8_t> wire_;
    std::size_t offset_ = 0;
    bool failed_ = false;
};

}  // namespace quillet::dns
