#include "dns/domain_check.h"

#include <gtest/gtest.h>

#include <string>

#include "support/case_name.h"
#include "texts/texts.h"

namespace quillet::dns {
namespace {

struct CheckCase {
    std::string domain;
    bool ok;
    Verdict verdict;
};

class CheckDomainTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckDomainTest, JudgesTheTrimmedText) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(CheckDomainVerdict(c.domain), c.verdict) << '"' << c.domain << '"';
    EXPECT_EQ(CheckDomain(c.domain), c.ok) << '"' << c.domain << '"';
}

using enum Verdict;

INSTANTIATE_TEST_SUITE_P(
    Accepted, CheckDomainTest,
    ::testing::Values(CheckCase{"example.com", true, kOk},
                      CheckCase{"  example.com  ", true, kOk},  // judged trimmed
                      CheckCase{"a..b", true, kOk},             // two dots in a row
                      CheckCase{"example.com.", true, kOk},     // trailing dot
                      CheckCase{"-a.b", true, kOk},             // leading hyphen
                      CheckCase{"_dmarc.example.com", true, kOk},
                      CheckCase{"my host.example", true, kOk},  // inner space
                      CheckCase{"A.Z", true, kOk}, CheckCase{"0-9_.x", true, kOk}),
    quillet::testing::NameBy(&CheckCase::domain));

INSTANTIATE_TEST_SUITE_P(
    Rejected, CheckDomainTest,
    ::testing::Values(CheckCase{"", false, kEmpty}, CheckCase{"    ", false, kEmpty},
                      CheckCase{"localhost", false, kNoDot},  // a bare word
                      CheckCase{".com", false, kNoDot},       // a leading dot
                      CheckCase{"  .com", false, kNoDot},     // trimmed first
                      CheckCase{"exa~mple.com", false, kIllegalChar},
                      CheckCase{"user@example.com", false, kIllegalChar},
                      CheckCase{"example.com/x", false, kIllegalChar},
                      CheckCase{"example.com:53", false, kIllegalChar},
                      CheckCase{"例子.com", false, kIllegalChar},        // non-ASCII (UTF-8)
                      CheckCase{"ｅxample.com", false, kIllegalChar},    // full-width letter
                      CheckCase{"caf\xC3\xA9.fr", false, kIllegalChar},  // é
                      CheckCase{"\texample.com", false, kIllegalChar},   // tab is not trimmed
                      CheckCase{"example.com\t", false, kIllegalChar},
                      CheckCase{std::string("a\0b.c", 5), false, kIllegalChar},
                      CheckCase{"a~b", false, kNoDot},   // illegal and no dot: the last rule's text
                      CheckCase{".a~b", false, kNoDot},  // every rule fails
                      CheckCase{"~.b", false, kIllegalChar}),
    quillet::testing::NameBy(&CheckCase::domain));

TEST(VerdictTextTest, TheWindowKeepsTheseWords) {
    const std::pair<Verdict, std::string_view> words[] = {
        {kOk, "域名检测通过：合法"},
        {kEmpty, "域名为空"},
        {kIllegalChar, "域名含有非法字符"},
        {kNoDot, "域名没有小数点或者小数点位置不对"},
    };
    for (const auto& [verdict, text] : words) EXPECT_EQ(texts::TextOf(verdict), text);
}

TEST(TrimSpacesTest, RemovesOnlyCharacter32) {
    EXPECT_EQ(TrimSpaces("  a b  "), "a b");
    EXPECT_EQ(TrimSpaces("   "), "");
    EXPECT_EQ(TrimSpaces(""), "");
    EXPECT_EQ(TrimSpaces("\t a \n"), "\t a \n");
    EXPECT_EQ(TrimSpaces(" \ta"), "\ta");
}

struct HexCase {
    std::int32_t value;
    std::string text;
};

class DecToHexTest : public ::testing::TestWithParam<HexCase> {};

TEST_P(DecToHexTest, GivesUpperCaseDigitsWithoutPadding) {
    EXPECT_EQ(DEC_to_HEX(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, DecToHexTest,
                         ::testing::Values(HexCase{0, ""}, HexCase{-1, ""}, HexCase{INT32_MIN, ""},
                                           HexCase{5, "5"}, HexCase{10, "A"}, HexCase{15, "F"},
                                           HexCase{16, "10"}, HexCase{255, "FF"},
                                           HexCase{4096, "1000"}, HexCase{65535, "FFFF"},
                                           HexCase{INT32_MAX, "7FFFFFFF"}),
                         quillet::testing::NameBy(&HexCase::value));

}  // namespace
}  // namespace quillet::dns
