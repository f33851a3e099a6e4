#pragma once

// Names for parameterised cases that say which case it is, so that `ctest -R` can pick one.
#include <gtest/gtest.h>

#include <cctype>
#include <concepts>
#include <cstdio>
#include <string>
#include <string_view>

namespace quillet::testing {

// "type 257 is not A" -> "type_257_is_not_A". ASCII letters and digits stay; a run of anything
// else inside the text becomes one '_', but at either end every character gives its own '_'
// (blanks and dots at the ends are what some cases are about). A character beyond ASCII is its
// code point ("例" -> "U4F8B"), and more than nine of one letter or digit are that letter and
// the count ("x300").
inline std::string CaseName(std::string_view text) {
    auto isWord = [](unsigned char c) { return c >= 0x80 || std::isalnum(c); };
    std::string name;
    for (std::size_t i = 0, run = 0; i < text.size(); i += run) {
        const auto c = static_cast<unsigned char>(text[i]);
        run = 1;
        if (c >= 0x80) {
            const int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
            char32_t code = more > 0 ? c & (0x3F >> more) : c;
            for (; run <= static_cast<std::size_t>(more) && i + run < text.size(); ++run) {
                code = code << 6 | (static_cast<unsigned char>(text[i + run]) & 0x3F);
            }
            char hex[12];
            std::snprintf(hex, sizeof hex, "U%04X", static_cast<unsigned>(code));
            name += hex;
        } else if (isWord(c)) {
            while (i + run < text.size() && text[i + run] == text[i]) ++run;
            name += run > 9 ? text[i] + std::to_string(run) : std::string(run, text[i]);
        } else {
            while (i + run < text.size() && !isWord(text[i + run])) ++run;
            name.append(i == 0 || i + run == text.size() ? run : 1, '_');
        }
    }
    return name.empty() ? "empty" : name;
}

inline std::string CaseName(std::integral auto value) {
    const std::string digits = std::to_string(value);
    return digits[0] == '-' ? "minus" + digits.substr(1) : digits;
}

// A name generator for INSTANTIATE_TEST_SUITE_P: each case by one of its members, mostly
// NameBy(&Case::what).
template <class Param, class Member>
auto NameBy(Member Param::*member) {
    return [member](const ::testing::TestParamInfo<Param>& info) {
        return CaseName(info.param.*member);
    };
}

}  // namespace quillet::testing
