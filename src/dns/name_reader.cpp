#include "dns/name_reader.h"

#include "dns/texts.h"

namespace quillet::dns {

namespace {

constexpr std::uint8_t kPointerMark = 0xC0;  // a length byte of 192 or more starts a pointer

struct Walk {
    Labels labels;
    std::size_t lastOffset = 0;
    std::string_view error;  // empty on success
};

// The one name walker. Reads labels from `start`; with followPointers a byte of 192 or more
// is a 14-bit compression pointer that must point strictly below every offset read so far
// for this name (so each jump goes down and a chain always ends), and at most
// kMaxPointersPerName are followed. lastOffset is where the name ends at its own place.
Walk WalkName(std::span<const std::uint8_t> wire, std::size_t start, bool followPointers) {
    Walk walk;
    WireReader reader(wire, start);
    std::size_t lowestRead = start;
    int pointers = 0;
    bool jumped = false;
    for (;;) {
        const std::size_t at = reader.offset();
        const std::uint8_t length = reader.ReadU8();
        if (reader.failed()) {
            walk.error = texts::kCauseNameTruncated;
            return walk;
        }
        if (length == 0) {
            if (!jumped) walk.lastOffset = at;
            return walk;
        }
        if (followPointers && length >= kPointerMark) {
            const std::uint8_t low = reader.ReadU8();
            if (reader.failed()) {
                walk.error = texts::kCauseNameTruncated;
                return walk;
            }
            if (!jumped) walk.lastOffset = at + 1;
            const std::size_t target = (static_cast<std::size_t>(length & 0x3F) << 8) | low;
            if (target >= lowestRead) {
                walk.error = texts::kCauseBadPointer;
                return walk;
            }
            if (++pointers > kMaxPointersPerName) {
                walk.error = texts::kCauseTooManyPointers;
                return walk;
            }
            lowestRead = target;
            jumped = true;
            reader.Seek(target);
            continue;
        }
        const auto label = reader.ReadBytes(length);
        if (reader.failed()) {
            walk.error = texts::kCauseNameTruncated;
            return walk;
        }
        walk.labels.emplace_back(label.begin(), label.end());
    }
}

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

}  // namespace

NameRead ReadNameAt(const ReplyBytes& reply, std::size_t offset, bool followPointers) {
    Walk walk = WalkName(reply.bytes(), offset, followPointers);
    NameRead read;
    read.ok = walk.error.empty();
    read.error = walk.error;
    if (read.ok) {
        read.labels = std::move(walk.labels);
        read.lastOffset = walk.lastOffset;
    }
    return read;
}

std::optional<std::string> GetFullName(const ReplyBytes& reply, std::size_t offset) {
    const Walk walk = WalkName(reply.bytes(), offset, true);
    if (!walk.error.empty()) return std::nullopt;
    std::string text(1, '.');
    if (!walk.labels.empty()) text.append(NameToText(walk.labels));
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

void SkipName(WireReader& reader) {
    for (;;) {
        const std::uint8_t length = reader.ReadU8();
        if (reader.failed() || length == 0) return;
        if (length >= kPointerMark) {
            reader.Skip(1);
            return;
        }
        reader.Skip(length);
    }
}

}  // namespace quillet::dns
