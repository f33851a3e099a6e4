#include "dns/wire_reader.h"

namespace quillet::dns {

WireReader::WireReader(std::span<const std::uint8_t> wire, std::size_t offset) : wire_(wire) {
    Seek(offset);
}

bool WireReader::Take(std::size_t count) {
    if (failed_ || count > wire_.size() - offset_) {
        failed_ = true;
        return false;
    }
    return true;
}

std::uint8_t WireReader::ReadU8() {
    if (!Take(1)) return 0;
    return wire_[offset_++];
}

std::uint16_t WireReader::ReadU16() {
    if (!Take(2)) return 0;
    const auto value = static_cast<std::uint16_t>((wire_[offset_] << 8) | wire_[offset_ + 1]);
    offset_ += 2;
    return value;
}

std::span<const std::uint8_t> WireReader::ReadBytes(std::size_t count) {
    if (!Take(count)) return {};
    const auto bytes = wire_.subspan(offset_, count);
    offset_ += count;
    return bytes;
}

void WireReader::Skip(std::size_t count) {
    if (Take(count)) offset_ += count;
}

void WireReader::Seek(std::size_t offset) {
    // Seeking to the end itself is allowed (nothing more can be read); beyond it is an error.
    if (failed_ || offset > wire_.size()) {
        failed_ = true;
        return;
    }
    offset_ = offset;
}

}  // namespace quillet::dns
