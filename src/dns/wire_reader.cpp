#include "dns/wire_reader.h"

namespace quillet::dns {

WireReader::WireReader(std::span<const std::uint8_t> wire, std::size_t offset, Fault overrun)
    : wire_(wire), overrun_(overrun) {
    Seek(offset);
}

// The one place that keeps the first fault: the reads below report every overrun they find.
void WireReader::Fail(Fault kind) {
    if (!error_) error_ = {kind, offset_};
}

Fault WireReader::SetOverrun(Fault kind) {
    const Fault previous = overrun_;
    overrun_ = kind;
    return previous;
}

bool WireReader::Take(std::size_t count) {
    if (count > wire_.size() - offset_) Fail(overrun_);
    return !error_;
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

std::uint32_t WireReader::ReadU32() {
    const std::uint32_t high = ReadU16();
    return (high << 16) | ReadU16();
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
    // Seeking to the end itself is allowed (nothing more can be read); beyond it is a fault.
    if (offset > wire_.size()) Fail(overrun_);
    if (!error_) offset_ = offset;
}

}  // namespace quillet::dns
