#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet::dns {

// Removes leading and trailing spaces (character 32 only; tabs and other blanks stay).
[[nodiscard]] std::string_view TrimSpaces(std::string_view text);

// The verdict of a domain check: the last rule that failed, or kOk.
enum class Verdict : std::uint8_t {
    kOk,
    kEmpty,
    kIllegalChar,
    kNoDot,  // no dot, or a leading one
};

// Judges a domain text as typed (UTF-8). Every byte outside the allowed ASCII set is illegal,
// so any non-ASCII character is rejected.
[[nodiscard]] Verdict CheckDomainVerdict(std::string_view domain);
[[nodiscard]] bool CheckDomain(std::string_view domain);

// Upper-case hexadecimal without prefix, leading zeros or width; 0 and negatives give "".
[[nodiscard]] std::string DEC_to_HEX(std::int32_t value);

}  // namespace quillet::dns
