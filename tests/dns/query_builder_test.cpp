#include "dns/query_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dns/texts.h"

namespace quillet::dns {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kHeader = {0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

// n labels "a", joined by dots.
std::string Labels(std::size_t n) {
    std::string s = "a";
    for (std::size_t i = 1; i < n; ++i) s += ".a";
    return s;
}

TEST(BuildDNSQueryTest, WorkedExampleGivesThe22Bytes) {
    const BuiltQuery q = BuildDNSQuery("ab.c", texts::kTypeA);
    ASSERT_TRUE(q.ok()) << q.error;
    EXPECT_EQ(q.datagram,
              (Bytes{0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x02, 0x61, 0x62, 0x01, 0x63, 0x00, 0x00, 0x01, 0x00, 0x01}));
}

struct TypeCase {
    std::string text;
    std::uint8_t byte;
};

class QueryTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(QueryTypeTest, SetsTheQuestionType) {
    const TypeCase& c = GetParam();
    EXPECT_EQ(QueryTypeByte(c.text), c.byte);
    const BuiltQuery q = BuildDNSQuery("ab.c", c.text);
    ASSERT_TRUE(q.ok());
    const Bytes tail(q.datagram.end() - 4, q.datagram.end());
    EXPECT_EQ(tail, (Bytes{0x00, c.byte, 0x00, 0x01}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QueryTypeTest,
    ::testing::Values(
        TypeCase{std::string(texts::kTypeA), 1}, TypeCase{std::string(texts::kTypeNS), 2},
        TypeCase{std::string(texts::kTypeCNAME), 5}, TypeCase{std::string(texts::kTypeMX), 0x0F},
        TypeCase{"", 0}, TypeCase{" " + std::string(texts::kTypeA), 0},           // not trimmed
        TypeCase{std::string(texts::kTypeA) + " ", 0}, TypeCase{"a记录查询", 0},  // case-sensitive
        TypeCase{"别名记录查询", 0},  // 记 is not the row's 纪
        TypeCase{"AAAA", 0}));

struct NameCase {
    std::string domain;
    Bytes name;  // the question name bytes, the ending zero included
};

class QueryNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(QueryNameTest, WritesEveryLabelAsIs) {
    const NameCase& c = GetParam();
    const BuiltQuery q = BuildDNSQuery(c.domain, texts::kTypeMX);
    ASSERT_TRUE(q.ok()) << q.error;
    EXPECT_EQ(q.datagram, Concat({kHeader, c.name, {0x00, 0x0F, 0x00, 0x01}}));
    EXPECT_EQ(q.datagram.size(), 17 + c.name.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Names, QueryNameTest,
    ::testing::Values(NameCase{"a..b", {0x01, 'a', 0x00, 0x01, 'b', 0x00}},  // empty label: 00
                      NameCase{"ab.", {0x02, 'a', 'b', 0x00, 0x00}},         // ends 00 00
                      NameCase{"a b.c", {0x03, 'a', 0x20, 'b', 0x01, 'c', 0x00}},
                      NameCase{"Ex-1.c_d", {0x04, 'E', 'x', '-', '1', 0x03, 'c', '_', 'd', 0x00}},
                      NameCase{Repeat('x', 64) + ".c",  // beyond the 63 of RFC 1035
                               Concat({{64}, Bytes(64, 'x'), {0x01, 'c', 0x00}})}));

TEST(BuildDNSQueryTest, NineDotsBuildTenDotsFail) {
    const BuiltQuery nine = BuildDNSQuery(Labels(10), texts::kTypeA);
    ASSERT_TRUE(nine.ok()) << nine.error;
    EXPECT_EQ(nine.datagram.size(), 17u + 10 * 2);

    for (const std::string& domain : {Labels(11), Labels(12), Labels(10) + "."}) {
        const BuiltQuery q = BuildDNSQuery(domain, texts::kTypeA);
        EXPECT_FALSE(q.ok()) << domain;
        EXPECT_EQ(q.error, texts::kBuildTooManyLabels) << domain;
        EXPECT_TRUE(q.datagram.empty()) << domain;
    }
}

TEST(BuildDNSQueryTest, Label255BuildsLabel256Fails) {
    const BuiltQuery ok = BuildDNSQuery(Repeat('x', 255) + ".c", texts::kTypeA);
    ASSERT_TRUE(ok.ok()) << ok.error;
    EXPECT_EQ(ok.datagram[12], 0xFF);
    EXPECT_EQ(ok.datagram.size(), 17u + 256 + 2);

    for (const std::string& domain :
         {Repeat('x', 256) + ".c", "c." + Repeat('x', 256), "a.b." + Repeat('x', 1000)}) {
        const BuiltQuery q = BuildDNSQuery(domain, texts::kTypeA);
        EXPECT_EQ(q.error, texts::kBuildLabelTooLong);
        EXPECT_TRUE(q.datagram.empty());
    }
}

TEST(BuildDNSQueryTest, TooManyLabelsIsFoundBeforeALongLabel) {
    const BuiltQuery q = BuildDNSQuery(Repeat('x', 300) + "." + Labels(10), texts::kTypeA);
    EXPECT_EQ(q.error, texts::kBuildTooManyLabels);
}

TEST(BuildDNSQueryTest, SameInputsGiveSameBytesAndIdentifierZero) {
    const BuiltQuery first = BuildDNSQuery("www.example.com", texts::kTypeNS);
    (void)BuildDNSQuery(Repeat('x', 256) + ".c", texts::kTypeA);  // a failed build between
    const BuiltQuery second = BuildDNSQuery("www.example.com", texts::kTypeNS);
    EXPECT_EQ(first.datagram, second.datagram);
    ASSERT_GE(first.datagram.size(), 2u);
    EXPECT_EQ(first.datagram[0], 0x00);
    EXPECT_EQ(first.datagram[1], 0x00);
}

}  // namespace
}  // namespace quillet::dns
