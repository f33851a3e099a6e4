// Replies that once fooled a simpler reader: wide types and counts, far pointers, pointer
// loops, long replies, truncation, names that start with a pointer.
#include <gtest/gtest.h>

#include <string>

#include "dns/name_reader.h"
#include "support/case_name.h"
#include "wire_builder.h"

namespace quillet::dns {
namespace {

using namespace testing;  // quillet::dns::testing

// types and counts are 16-bit values.
class WholeTypeTest : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(WholeTypeTest, ChoosesByTheWholeType) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Types, WholeTypeTest,
    ::testing::Values(DecodeCase{"type 257 is not A",
                                 Reply().Record(257, 4).Bytes({10, 0, 0, 1}),
                                 {"提交的域名为:example.com", "出现未知记录类型，请与作者联系",
                                  "类型字串:0101", "类型编号:257", "位置:33"}},
                      DecodeCase{"type 28 keeps its two digits",
                                 Reply().Record(28, 16).Zeros(16),
                                 {"提交的域名为:example.com", "出现未知记录类型，请与作者联系",
                                  "类型字串:1C", "类型编号:28", "位置:33"}},
                      DecodeCase{"type 0x1005 is not CNAME",
                                 Reply().Record(0x1005, 2).Pointer(12),
                                 {"提交的域名为:example.com", "出现未知记录类型，请与作者联系",
                                  "类型字串:1005", "类型编号:4101", "位置:33"}},
                      DecodeCase{"type 65535",
                                 Reply().Record(0xFFFF, 0),
                                 {"提交的域名为:example.com", "出现未知记录类型，请与作者联系",
                                  "类型字串:FFFF", "类型编号:65535", "位置:33"}},
                      DecodeCase{"type 0",
                                 Reply().Record(0, 0),
                                 {"提交的域名为:example.com", "出现未知记录类型，请与作者联系",
                                  "类型字串:00", "类型编号:0", "位置:33"}},
                      DecodeCase{"answer count 256 is an answer",
                                 Reply(256).Record(1, 4).Bytes({10, 0, 0, 1}),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"}},
                      DecodeCase{"answer count 0xFF00",
                                 Reply(0xFF00).Record(1, 4).Bytes({10, 0, 0, 4}),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.4"}}),
    quillet::testing::NameBy(&DecodeCase::what));

TEST(WholeCountTest, OnlyAWholeZeroIsTheEmptyAnswer) {
    EXPECT_TRUE(Reply(0).Record(1, 4).Bytes({10, 0, 0, 1}).Decode().emptyAnswer);
    EXPECT_FALSE(Reply(256).Record(1, 4).Bytes({10, 0, 0, 1}).Decode().emptyAnswer);
}

// 14-bit compression offsets.
TEST(FourteenBitOffsetTest, APointerToOffset256OrMoreReadsTheRightName) {
    // A CNAME's name stands at offset 312; an NS record after it points there with C1 38.
    WireBuilder w;
    w.Header(1).Question("example.com");  // ..28
    w.Record(1, 4).Bytes({10, 0, 0, 1});  // 29..44
    // An A record whose owner is a long name fills 45..299.
    w.Labels(std::string(63, 'a'))
        .Labels(std::string(63, 'b'))
        .Labels(std::string(63, 'c'))
        .Labels(std::string(47, 'd'))
        .U8(0);                          // 45..285 (241 bytes)
    w.Fixed(1, 4).Bytes({10, 0, 0, 2});  // 286..299
    ASSERT_EQ(w.size(), 300u);
    w.Record(5, 13).Name("far.example");  // 300..311 fixed, name at 312
    w.Record(2, 2).Pointer(312);          // NS pointing at offset 312: C1 38
    const texts::DecodeResult r = w.Decode();
    EXPECT_EQ(r.rows, (Rows{"提交的域名为:example.com", "IP信息:10.0.0.1", "IP信息:10.0.0.2",
                            "非权威记录:far.example", "DNS信息:far.example"}));
    EXPECT_EQ(r.fault, Fault::kNone);
    const ReplyBytes store = w.Store();
    EXPECT_EQ(store.Bytes()[w.size() - 2], 0xC1);
    EXPECT_EQ(store.Bytes()[w.size() - 1], 0x38);
    EXPECT_EQ(GetFullName(store, 312), ".far.example");
    // Reading the offset from the second byte alone (0x38 = 56) would give another name.
    EXPECT_NE(GetFullName(store, 0x38), ".far.example");
}

// pointer chains end; a bad pointer ends the decode and keeps earlier rows.
class BadPointerTest : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(BadPointerTest, FailsKeepingEarlierRows) {
    ExpectDecode(GetParam());
}

WireBuilder WithA() {
    return Reply(2).Record(1, 4).Bytes({10, 0, 0, 1});
}  // ..44; next at 45

WireBuilder Ladder(std::uint16_t pointers) {
    // NS records whose data is one pointer, each at the NS data before it (the first at the
    // question name): the n-th NS name takes n pointers to read.
    WireBuilder w = Reply(1);  // first record at 29
    std::uint16_t previous = 12;
    for (std::uint16_t i = 0; i < pointers; ++i) {
        w.Record(2, 2);
        const auto here = static_cast<std::uint16_t>(w.size());
        w.Pointer(previous);
        previous = here;
    }
    return w;
}

INSTANTIATE_TEST_SUITE_P(
    Pointers, BadPointerTest,
    ::testing::Values(
        DecodeCase{"NS pointing at itself",
                   WithA().Record(2, 2).Pointer(57),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                   {Fault::kBadPointer, 57}},
        DecodeCase{"CNAME pointing forward",
                   WithA().Record(5, 2).Pointer(59).Name("x"),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                   {Fault::kBadPointer, 57}},
        DecodeCase{"MX in a two-pointer loop",
                   // owner at 45: 01 'a' C0 3D (-> 61), not followed; MX data at 59: 00 0A,
                   // then the name at 61: C0 2D (-> 45) -> 'a' -> 61: back up, refused
                   WithA().Labels("a").Pointer(61).Fixed(15, 4).U16(10).Pointer(45),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                   {Fault::kBadPointer, 47}},
        DecodeCase{"SOA primary pointing past the end",
                   WithA().Record(6, 2).Pointer(0x3FFF),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                   {Fault::kBadPointer, 57}},
        DecodeCase{"question name is read with pointers off: C0 0C is a 192-byte label",
                   WireBuilder().Header(1).Pointer(12).U32(0x00010001),
                   {},
                   {Fault::kNameTruncated, 13}}),
    quillet::testing::NameBy(&DecodeCase::what));

TEST(PointerChainTest, ABoundedNumberOfPointersIsFollowed) {
    // Each NS points at the NS data before it; the n-th NS row needs n pointers: the 32nd
    // is read, the 33rd is refused.
    WireBuilder w = Ladder(kMaxPointersPerName + 1);
    const texts::DecodeResult r = w.Decode();
    ASSERT_EQ(r.rows.size(), 1u + kMaxPointersPerName);
    EXPECT_EQ(r.rows.back(), "DNS信息:example.com");
    EXPECT_EQ(r.fault, Fault::kTooManyPointers);
}

// every byte handed over (up to 513) is stored, so a long valid reply decodes.
class LongReplyTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(LongReplyTest, DecodesWhole) {
    const std::size_t size = GetParam();
    // Header, question, k A records of 16 bytes; the question name fills the rest.
    const std::size_t records = (size - 16 - 16) / 16;
    const std::size_t nameBytes = size - 16 - 16 * records;  // 16..31
    WireBuilder w;
    w.Header(static_cast<std::uint16_t>(records))
        .Labels(std::string(nameBytes - 2, 'q'))
        .U8(0)
        .U16(1)
        .U16(1);
    Rows rows = {Row("提交的域名为:", std::string(nameBytes - 2, 'q'))};
    for (std::size_t i = 0; i < records; ++i) {
        w.Record(1, 4).Bytes({10, 0, 0, static_cast<std::uint8_t>(i)});
        rows.push_back(Row("IP信息:", "10.0.0." + std::to_string(i)));
    }
    ASSERT_EQ(w.size(), size);
    ReplyBytes store;
    const texts::DecodeResult r = texts::DecodeDNSAnswer(w.Hex(), store);
    EXPECT_EQ(r.rows, rows);
    EXPECT_EQ(r.fault, Fault::kNone);
    EXPECT_EQ(store.Size(), size);
    EXPECT_EQ(r.hexDump.size(), 3 * size);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongReplyTest, ::testing::Values(500, 501, 511, 512, 513),
                         ::testing::PrintToStringParamName());

// An unknown type after an A record; its low byte is at offset 48.
const Rows kUnknownAt49 = {"提交的域名为:example.com",
                           "IP信息:10.0.0.1",
                           "出现未知记录类型，请与作者联系",
                           "类型字串:1C",
                           "类型编号:28",
                           "位置:49"};

// nothing past the current reply's end is read.
class TruncatedTest : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(TruncatedTest, FailsWithoutReadingBeyond) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TruncatedTest,
    ::testing::Values(DecodeCase{"A data cut short",
                                 WithA().Record(1, 4).Bytes({10, 0}),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kRecordTruncated, 57}},
                      DecodeCase{"fixed part cut short",
                                 WithA().Pointer(12).U16(1).U16(1).U8(0),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kRecordTruncated, 51}},
                      DecodeCase{"owner cut short",
                                 WithA().U8(5).Text("ab"),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kRecordTruncated, 46}},
                      DecodeCase{"NS name cut short",
                                 WithA().Record(2, 6).U8(3).Text("ns"),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kNameTruncated, 58}},
                      DecodeCase{"NS name without its end",
                                 WithA().Record(2, 6).Labels("ns1"),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kNameTruncated, 61}},
                      DecodeCase{"MX with only its preference",
                                 WithA().Record(15, 2).U16(10),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kNameTruncated, 59}},
                      DecodeCase{"MX pointer cut in half",
                                 WithA().Record(15, 4).U16(10).U8(0xC0),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                                 {Fault::kNameTruncated, 60}},
                      DecodeCase{"SOA data length past the end",
                                 WithA().Record(6, 40).Labels("ns").Pointer(12).Pointer(12).U32(1),
                                 {"提交的域名为:example.com", "IP信息:10.0.0.1",
                                  "主域名服务器:ns.example.com"},
                                 {Fault::kRecordTruncated, 57}},
                      // An unknown type is shown from its type alone.
                      DecodeCase{"unknown type cut after its low byte", WithA().Pointer(12).U16(28),
                                 kUnknownAt49},
                      DecodeCase{"unknown type cut inside its class",
                                 WithA().Pointer(12).U16(28).U8(0), kUnknownAt49},
                      DecodeCase{"unknown type cut inside its TTL",
                                 WithA().Pointer(12).U16(28).U16(1).U16(0), kUnknownAt49},
                      DecodeCase{"unknown type cut inside its data length",
                                 WithA().Pointer(12).U16(28).U16(1).U32(3600).U8(0), kUnknownAt49}),
    quillet::testing::NameBy(&DecodeCase::what));

TEST(TruncatedTest, AnEarlierLongerReplyIsNotReadOn) {
    // The longer reply holds a full A record where the shorter one is cut.
    const WireBuilder longer = WithA().Record(1, 4).Bytes({10, 0, 0, 2});
    WireBuilder shorter = longer;
    shorter.bytes().resize(longer.size() - 3);
    ReplyBytes store;
    EXPECT_EQ(texts::DecodeDNSAnswer(longer.Hex(), store).rows.size(), 3u);
    const texts::DecodeResult r = texts::DecodeDNSAnswer(shorter.Hex(), store);
    EXPECT_EQ(r.rows, (Rows{"提交的域名为:example.com", "IP信息:10.0.0.1"}));
    EXPECT_EQ(r.fault, Fault::kRecordTruncated);
    EXPECT_EQ(store.Size(), shorter.size());
    // GetFullName too stays inside the current reply.
    EXPECT_EQ(GetFullName(store, shorter.size()), std::nullopt);
    EXPECT_EQ(GetFullName(store, shorter.size() + 1), std::nullopt);
}

// no leading dot; the root shows as ".".
class NoLeadingDotTest : public ::testing::TestWithParam<DecodeCase> {};
TEST_P(NoLeadingDotTest, ShowsTheName) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Fault6, NoLeadingDotTest,
    ::testing::Values(
        DecodeCase{"MX that is one pointer",
                   Reply().Record(15, 4).U16(10).Pointer(12),
                   {"提交的域名为:example.com", "MX记录:example.com"}},
        DecodeCase{"MX pointer then the next record right after it",
                   Reply(2).Record(15, 4).U16(10).Pointer(12).Record(1, 4).Bytes({10, 0, 0, 9}),
                   {"提交的域名为:example.com", "MX记录:example.com", "IP信息:10.0.0.9"}},
        DecodeCase{"NS that is one pointer",
                   Reply().Record(2, 2).Pointer(12),
                   {"提交的域名为:example.com", "DNS信息:example.com"}},
        DecodeCase{"CNAME that is one pointer",
                   Reply().Record(5, 2).Pointer(20),
                   {"提交的域名为:example.com", "非权威记录:com"}},
        DecodeCase{"SOA primary that is one pointer",
                   Reply().Record(6, 24).Pointer(12).Pointer(12).Zeros(20),
                   {"提交的域名为:example.com", "主域名服务器:example.com"}},
        DecodeCase{"MX root",
                   Reply().Record(15, 3).U16(0).U8(0),
                   {"提交的域名为:example.com", "MX记录:."}},
        DecodeCase{
            "NS root", Reply().Record(2, 1).U8(0), {"提交的域名为:example.com", "DNS信息:."}},
        DecodeCase{"CNAME pointer to the root",
                   Reply().Record(5, 2).Pointer(24),
                   {"提交的域名为:example.com", "非权威记录:."}},
        DecodeCase{"labels then a pointer to the root: no trailing dot",
                   Reply().Record(15, 9).U16(5).Labels("mail").Pointer(24),
                   {"提交的域名为:example.com", "MX记录:mail"}},
        DecodeCase{"escaped label bytes",
                   Reply()
                       .Record(2, 12)
                       .U8(9)
                       .Bytes({'a', '.', 'b', ' ', '\\', 0xE4, 0x00, 0x7F, 'z'})
                       .Pointer(20),
                   {"提交的域名为:example.com", "DNS信息:a\\.b\\032\\\\\\228\\000\\127z.com"}}),
    quillet::testing::NameBy(&DecodeCase::what));

}  // namespace
}  // namespace quillet::dns
