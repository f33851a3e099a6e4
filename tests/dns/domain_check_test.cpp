#include "dns/domain_check.h"

#include <gtest/gtest.h>

#include <string>

#include "dns/texts.h"

namespace quillet::dns {
namespace {

struct CheckCase {
    std::string domain;
    bool ok;
    std::string_view verdict;
};

class CheckDomainTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckDomainTest, JudgesTheTrimmedText) {
    const CheckCase& c = GetParam();
    const DomainVerdict verdict = CheckDomainVerdict(c.domain);
    EXPECT_EQ(verdict.ok, c.ok) << '"' << c.domain << '"';
    EXPECT_EQ(verdict.text, c.verdict) << '"' << c.domain << '"';
    EXPECT_EQ(CheckDomain(c.domain), c.ok) << '"' << c.domain << '"';
}

using namespace texts;

INSTANTIATE_TEST_SUITE_P(
    Accepted, CheckDomainTest,
    ::testing::Values(CheckCase{"example.com", true, kVerdictOk},
                      CheckCase{"  example.com  ", true, kVerdictOk},  // judged trimmed
                      CheckCase{"a..b", true, kVerdictOk},             // two dots in a row
                      CheckCase{"example.com.", true, kVerdictOk},     // trailing dot
                      CheckCase{"-a.b", true, kVerdictOk},             // leading hyphen
                      CheckCase{"_dmarc.example.com", true, kVerdictOk},
                      CheckCase{"my host.example", true, kVerdictOk},  // inner space
                      CheckCase{"A.Z", true, kVerdictOk}, CheckCase{"0-9_.x", true, kVerdictOk}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, CheckDomainTest,
    ::testing::Values(CheckCase{"", false, kVerdictEmpty}, CheckCase{"    ", false, kVerdictEmpty},
                      CheckCase{"localhost", false, kVerdictNoDot},  // a bare word
                      CheckCase{".com", false, kVerdictNoDot},    // rule 4 fails, then rule 5 last
                      CheckCase{"  .com", false, kVerdictNoDot},  // trimmed first
                      CheckCase{"exa~mple.com", false, kVerdictIllegalChar},
                      CheckCase{"user@example.com", false, kVerdictIllegalChar},
                      CheckCase{"example.com/x", false, kVerdictIllegalChar},
                      CheckCase{"example.com:53", false, kVerdictIllegalChar},
                      CheckCase{"例子.com", false, kVerdictIllegalChar},        // non-ASCII (UTF-8)
                      CheckCase{"ｅxample.com", false, kVerdictIllegalChar},    // full-width letter
                      CheckCase{"caf\xC3\xA9.fr", false, kVerdictIllegalChar},  // é
                      CheckCase{"\texample.com", false, kVerdictIllegalChar},  // tab is not trimmed
                      CheckCase{"example.com\t", false, kVerdictIllegalChar},
                      CheckCase{std::string("a\0b.c", 5), false, kVerdictIllegalChar},
                      CheckCase{"a~b", false,
                                kVerdictNoDot},  // illegal and no dot: the last rule's text
                      CheckCase{".a~b", false, kVerdictNoDot},  // every rule fails
                      CheckCase{"~.b", false, kVerdictIllegalChar}));

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
                                           HexCase{INT32_MAX, "7FFFFFFF"}));

struct IpCase {
    std::string text;
    bool ip;
};

class IsIPTest : public ::testing::TestWithParam<IpCase> {};

TEST_P(IsIPTest, AcceptsOnlyDigitsAndDots) {
    EXPECT_EQ(IsIP(GetParam().text), GetParam().ip) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, IsIPTest,
                         ::testing::Values(IpCase{"", true}, IpCase{"127.0.0.53", true},
                                           IpCase{"999.1", true},  // no rule on parts or dots
                                           IpCase{"...", true}, IpCase{"1", true},
                                           IpCase{" 127.0.0.1", false}, IpCase{"127.0.0.x", false},
                                           IpCase{"::1", false}, IpCase{"1,2", false},
                                           IpCase{"１.2", false}));

}  // namespace
}  // namespace quillet::dns
