#include "dns/query_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_name.h"
#include "texts/query_types.h"
#include "texts/texts.h"

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

// Labels of the given lengths, joined by dots.
std::string Wide(std::initializer_list<std::size_t> lengths) {
    std::string s;
    for (const std::size_t n : lengths) s += (s.empty() ? "" : ".") + Repeat('x', n);
    return s;
}

// One label of n x's as the wire has it.
Bytes XLabel(std::uint8_t n) {
    return Concat({{n}, Bytes(n, 'x')});
}

// The name bytes of Labels(n).
Bytes LabelBytes(std::size_t n) {
    Bytes name;
    for (std::size_t i = 0; i < n; ++i) name.insert(name.end(), {0x01, 'a'});
    name.push_back(0x00);
    return name;
}

TEST(BuildDNSQueryTest, WorkedExampleGivesThe22Bytes) {
    const BuiltQuery q = BuildDNSQuery("ab.c", RecordType::kA);
    ASSERT_TRUE(q.Ok());
    EXPECT_EQ(q.datagram,
              (Bytes{0x00, 0x00, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x02, 0x61, 0x62, 0x01, 0x63, 0x00, 0x00, 0x01, 0x00, 0x01}));
}

struct TypeCase {
    std::string text;
    std::uint8_t byte;
};

class QueryTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(QueryTypeTest, TheRowTextSetsTheQuestionType) {
    const TypeCase& c = GetParam();
    const BuiltQuery q = BuildDNSQuery("ab.c", texts::QueryTypeOf(c.text));
    ASSERT_TRUE(q.Ok());
    const Bytes tail(q.datagram.end() - 4, q.datagram.end());
    EXPECT_EQ(tail, (Bytes{0x00, c.byte, 0x00, 0x01})) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Rows, QueryTypeTest,
                         ::testing::Values(TypeCase{"A记录查询", 1}, TypeCase{"NS记录查询", 2},
                                           TypeCase{"别名纪录查询", 5},
                                           TypeCase{"MX记录查询", 0x0F}, TypeCase{"", 0},
                                           TypeCase{" A记录查询", 0},  // untrimmed
                                           TypeCase{"A记录查询 ", 0},
                                           TypeCase{"a记录查询", 0},     // case-sensitive
                                           TypeCase{"别名记录查询", 0},  // 记 is not the row's 纪
                                           TypeCase{"AAAA", 0}),
                         quillet::testing::NameBy(&TypeCase::text));

struct NameCase {
    std::string domain;
    Bytes name;  // the question name bytes, the ending zero included
};

class QueryNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(QueryNameTest, WritesEveryLabelAsIs) {
    const NameCase& c = GetParam();
    const BuiltQuery q = BuildDNSQuery(c.domain, RecordType::kMX);
    ASSERT_TRUE(q.Ok()) << c.domain;
    EXPECT_EQ(q.datagram, Concat({kHeader, c.name, {0x00, 0x0F, 0x00, 0x01}})) << c.domain;
}

const Bytes kHeldExample = {4, 'h', 'e', 'l', 'd', 7, 'e', 'x', 'a', 'm', 'p', 'l', 'e', 0};

INSTANTIATE_TEST_SUITE_P(
    Names, QueryNameTest,
    ::testing::Values(NameCase{"held.example", kHeldExample},
                      NameCase{"held.example.", kHeldExample},  // one trailing dot: the root
                      NameCase{"ab.", {0x02, 'a', 'b', 0x00}},
                      NameCase{"a b.c", {0x03, 'a', 0x20, 'b', 0x01, 'c', 0x00}},
                      NameCase{"Ex-1.c_d", {0x04, 'E', 'x', '-', '1', 0x03, 'c', '_', 'd', 0x00}},
                      NameCase{Repeat('x', 63) + ".c", Concat({XLabel(63), {0x01, 'c', 0x00}})},
                      NameCase{Labels(10), LabelBytes(10)},        // nine dots
                      NameCase{Labels(10) + ".", LabelBytes(10)},  // the root is no label
                      NameCase{Wide({63, 63, 63, 61}),  // 255 octets, the most a name may have
                               Concat({XLabel(63), XLabel(63), XLabel(63), XLabel(61), {0x00}})}),
    quillet::testing::NameBy(&NameCase::domain));

struct FailCase {
    std::string domain;
    BuildError error;
};

class BuildFailureTest : public ::testing::TestWithParam<FailCase> {};

TEST_P(BuildFailureTest, GivesNoDatagram) {
    const BuiltQuery q = BuildDNSQuery(GetParam().domain, RecordType::kA);
    EXPECT_EQ(q.error, GetParam().error) << GetParam().domain;
    EXPECT_TRUE(q.datagram.empty()) << GetParam().domain;
}

using enum BuildError;

INSTANTIATE_TEST_SUITE_P(
    Domains, BuildFailureTest,
    ::testing::Values(FailCase{Labels(11), kTooManyLabels}, FailCase{Labels(12), kTooManyLabels},
                      FailCase{Labels(11) + ".", kTooManyLabels},
                      FailCase{Repeat('x', 300) + "." + Labels(10), kTooManyLabels},  // first
                      FailCase{"a..b", kEmptyLabel}, FailCase{"a..", kEmptyLabel},
                      FailCase{"ab.c..", kEmptyLabel},  // only one trailing dot is the root
                      FailCase{Repeat('x', 64) + ".c", kLabelTooLong},
                      FailCase{"c." + Repeat('x', 255), kLabelTooLong},
                      FailCase{"a.b." + Repeat('x', 1000), kLabelTooLong},
                      FailCase{Wide({63, 63, 63, 62}), kNameTooLong},  // 256 octets
                      FailCase{Wide({63, 63, 63, 62}) + ".", kNameTooLong},
                      FailCase{Wide({63, 63, 63, 63, 63, 63, 63, 63, 63, 63}), kNameTooLong}),
    quillet::testing::NameBy(&FailCase::domain));

TEST(BuildFailureTest, TheQueryActionNamesTheCause) {
    EXPECT_EQ(texts::TextOf(kTooManyLabels), "域名的标签超过10个");
    EXPECT_EQ(texts::TextOf(kEmptyLabel), "域名中有空的标签");
    EXPECT_EQ(texts::TextOf(kLabelTooLong), "域名中有超过63个字符的标签");
    EXPECT_EQ(texts::TextOf(kNameTooLong), "域名超过255个字节");
}

TEST(BuildDNSQueryTest, SameInputsGiveSameBytesAndIdentifierZero) {
    const BuiltQuery first = BuildDNSQuery("www.example.com", RecordType::kNS);
    (void)BuildDNSQuery(Repeat('x', 256) + ".c", RecordType::kA);  // a failed build between
    const BuiltQuery second = BuildDNSQuery("www.example.com", RecordType::kNS);
    EXPECT_EQ(first.datagram, second.datagram);
    ASSERT_GE(first.datagram.size(), 2u);
    EXPECT_EQ(first.datagram[0], 0x00);
    EXPECT_EQ(first.datagram[1], 0x00);
}

}  // namespace
}  // namespace quillet::dns
