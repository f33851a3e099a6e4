// Replies that once fooled a simpler reader: wide types and counts, far pointers, pointer
// loops, long replies, truncation, names that start with a pointer.
#include <gtest/gtest.h>

#include <string>

#include "dns/name_reader.h"
#include "dns/response_decoder.h"
#include "dns/texts.h"
#include "expected_rows.h"
#include "wire_builder.h"

namespace quillet::dns {
namespace {

using namespace testing;  // quillet::dns::testing

WireBuilder Reply(std::uint16_t answers = 1) {
    WireBuilder w;
    w.Header(answers).Question("example.com");  // name 12..24, first record at 29
    return w;
}

struct FaultCase {
    const char* what;
    WireBuilder wire;
    Rows rows;
    std::string_view cause = {};  // empty: a clean decode
};

void ExpectDecode(const FaultCase& c) {
    const DecodeResult r = c.wire.Decode();
    EXPECT_EQ(r.rows, c.rows) << c.what;
    EXPECT_EQ(r.failure, c.cause.empty() ? "" : Failure(c.cause)) << c.what;
    EXPECT_TRUE(r.listCleared) << c.what;
    EXPECT_FALSE(r.emptyAnswer) << c.what;
}

// types and counts are 16-bit values.
class WholeTypeTest : public ::testing::TestWithParam<FaultCase> {};
TEST_P(WholeTypeTest, ChoosesByTheWholeType) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Types, WholeTypeTest,
    ::testing::Values(FaultCase{"type 257 is not A", Reply().Record(257, 4).Bytes({10, 0, 0, 1}),
                                Concat({{Q("example.com")}, Unknown("0101", "257", "33")})},
                      FaultCase{"type 28 keeps its two digits", Reply().Record(28, 16).Zeros(16),
                                Concat({{Q("example.com")}, Unknown("1C", "28", "33")})},
                      FaultCase{"type 0x1005 is not CNAME", Reply().Record(0x1005, 2).Pointer(12),
                                Concat({{Q("example.com")}, Unknown("1005", "4101", "33")})},
                      FaultCase{"type 65535", Reply().Record(0xFFFF, 0),
                                Concat({{Q("example.com")}, Unknown("FFFF", "65535", "33")})},
                      FaultCase{"type 0", Reply().Record(0, 0),
                                Concat({{Q("example.com")}, Unknown("00", "0", "33")})},
                      FaultCase{"answer count 256 is an answer",
                                Reply(256).Record(1, 4).Bytes({10, 0, 0, 1}),
                                {Q("example.com"), A("10.0.0.1")}},
                      FaultCase{"answer count 0xFF00",
                                Reply(0xFF00).Record(1, 4).Bytes({10, 0, 0, 4}),
                                {Q("example.com"), A("10.0.0.4")}}));

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
    const DecodeResult r = w.Decode();
    EXPECT_EQ(r.rows, (Rows{Q("example.com"), A("10.0.0.1"), A("10.0.0.2"), CNAME("far.example"),
                            NS("far.example")}));
    EXPECT_EQ(r.failure, "");
    const ReplyBytes store = w.Store();
    EXPECT_EQ(store.bytes()[w.size() - 2], 0xC1);
    EXPECT_EQ(store.bytes()[w.size() - 1], 0x38);
    EXPECT_EQ(GetFullName(store, 312), ".far.example");
    // Reading the offset from the second byte alone (0x38 = 56) would give another name.
    EXPECT_NE(GetFullName(store, 0x38), ".far.example");
}

// pointer chains end; a bad pointer ends the decode and keeps earlier rows.
class BadPointerTest : public ::testing::TestWithParam<FaultCase> {};
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
        FaultCase{"NS pointing at itself",
                  WithA().Record(2, 2).Pointer(57),
                  {Q("example.com"), A("10.0.0.1")},
                  texts::kCauseBadPointer},
        FaultCase{"CNAME pointing forward",
                  WithA().Record(5, 2).Pointer(59).Name("x"),
                  {Q("example.com"), A("10.0.0.1")},
                  texts::kCauseBadPointer},
        FaultCase{"MX in a two-pointer loop",
                  // owner at 45: 01 'a' C0 3D (-> 61), not followed; MX data at 59: 00 0A,
                  // then the name at 61: C0 2D (-> 45) -> 'a' -> 61: back up, refused
                  WithA().Labels("a").Pointer(61).Fixed(15, 4).U16(10).Pointer(45),
                  {Q("example.com"), A("10.0.0.1")},
                  texts::kCauseBadPointer},
        FaultCase{"SOA primary pointing past the end",
                  WithA().Record(6, 2).Pointer(0x3FFF),
                  {Q("example.com"), A("10.0.0.1")},
                  texts::kCauseBadPointer},
        FaultCase{"question name is read with pointers off: C0 0C is a 192-byte label",
                  WireBuilder().Header(1).Pointer(12).U32(0x00010001),
                  {},
                  texts::kCauseNameTruncated}));

TEST(PointerChainTest, ABoundedNumberOfPointersIsFollowed) {
    // Each NS points at the NS data before it; the n-th NS row needs n pointers.
    WireBuilder w = Ladder(kMaxPointersPerName + 1);
    const DecodeResult r = w.Decode();
    ASSERT_EQ(r.rows.size(), 1u + kMaxPointersPerName);
    EXPECT_EQ(r.rows.back(), NS("example.com"));
    EXPECT_EQ(r.failure, Failure(texts::kCauseTooManyPointers));
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
    Rows rows = {Q(std::string(nameBytes - 2, 'q'))};
    for (std::size_t i = 0; i < records; ++i) {
        w.Record(1, 4).Bytes({10, 0, 0, static_cast<std::uint8_t>(i)});
        rows.push_back(A("10.0.0." + std::to_string(i)));
    }
    ASSERT_EQ(w.size(), size);
    ReplyBytes store;
    const DecodeResult r = DecodeDNSAnswer(w.Hex(), store);
    EXPECT_EQ(r.rows, rows);
    EXPECT_EQ(r.failure, "");
    EXPECT_EQ(store.size(), size);
    EXPECT_EQ(r.hexDump.size(), 3 * size);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongReplyTest, ::testing::Values(500, 501, 511, 512, 513));

// nothing past the current reply's end is read.
class TruncatedTest : public ::testing::TestWithParam<FaultCase> {};
TEST_P(TruncatedTest, FailsWithoutReadingBeyond) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, TruncatedTest,
    ::testing::Values(FaultCase{"A data cut short",
                                WithA().Record(1, 4).Bytes({10, 0}),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseRecordTruncated},
                      FaultCase{"fixed part cut short",
                                WithA().Pointer(12).U16(1).U16(1).U8(0),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseRecordTruncated},
                      FaultCase{"owner cut short",
                                WithA().U8(5).Text("ab"),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseRecordTruncated},
                      FaultCase{"NS name cut short",
                                WithA().Record(2, 6).U8(3).Text("ns"),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseNameTruncated},
                      FaultCase{"NS name without its end",
                                WithA().Record(2, 6).Labels("ns1"),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseNameTruncated},
                      FaultCase{"MX with only its preference",
                                WithA().Record(15, 2).U16(10),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseNameTruncated},
                      FaultCase{"MX pointer cut in half",
                                WithA().Record(15, 4).U16(10).U8(0xC0),
                                {Q("example.com"), A("10.0.0.1")},
                                texts::kCauseNameTruncated},
                      FaultCase{"SOA data length past the end",
                                WithA().Record(6, 40).Labels("ns").Pointer(12).Pointer(12).U32(1),
                                {Q("example.com"), A("10.0.0.1"), SOA("ns.example.com")},
                                texts::kCauseRecordTruncated}));

TEST(TruncatedTest, AnEarlierLongerReplyIsNotReadOn) {
    // The longer reply holds a full A record where the shorter one is cut.
    const WireBuilder longer = WithA().Record(1, 4).Bytes({10, 0, 0, 2});
    WireBuilder shorter = longer;
    shorter.bytes().resize(longer.size() - 3);
    ReplyBytes store;
    EXPECT_EQ(DecodeDNSAnswer(longer.Hex(), store).rows.size(), 3u);
    const DecodeResult r = DecodeDNSAnswer(shorter.Hex(), store);
    EXPECT_EQ(r.rows, (Rows{Q("example.com"), A("10.0.0.1")}));
    EXPECT_EQ(r.failure, Failure(texts::kCauseRecordTruncated));
    EXPECT_EQ(store.size(), shorter.size());
    // GetFullName too stays inside the current reply.
    EXPECT_EQ(GetFullName(store, shorter.size()), std::nullopt);
    EXPECT_EQ(GetFullName(store, shorter.size() + 1), std::nullopt);
}

// no leading dot; the root shows as ".".
class NoLeadingDotTest : public ::testing::TestWithParam<FaultCase> {};
TEST_P(NoLeadingDotTest, ShowsTheName) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Fault6, NoLeadingDotTest,
    ::testing::Values(
        FaultCase{"MX that is one pointer",
                  Reply().Record(15, 4).U16(10).Pointer(12),
                  {Q("example.com"), MX("example.com")}},
        FaultCase{"MX pointer then the next record right after it",
                  Reply(2).Record(15, 4).U16(10).Pointer(12).Record(1, 4).Bytes({10, 0, 0, 9}),
                  {Q("example.com"), MX("example.com"), A("10.0.0.9")}},
        FaultCase{"NS that is one pointer",
                  Reply().Record(2, 2).Pointer(12),
                  {Q("example.com"), NS("example.com")}},
        FaultCase{"CNAME that is one pointer",
                  Reply().Record(5, 2).Pointer(20),
                  {Q("example.com"), CNAME("com")}},
        FaultCase{"SOA primary that is one pointer",
                  Reply().Record(6, 24).Pointer(12).Pointer(12).Zeros(20),
                  {Q("example.com"), SOA("example.com")}},
        FaultCase{"MX root", Reply().Record(15, 3).U16(0).U8(0), {Q("example.com"), MX(".")}},
        FaultCase{"NS root", Reply().Record(2, 1).U8(0), {Q("example.com"), NS(".")}},
        FaultCase{"CNAME pointer to the root",
                  Reply().Record(5, 2).Pointer(24),
                  {Q("example.com"), CNAME(".")}},
        FaultCase{"labels then a pointer to the root: no trailing dot",
                  Reply().Record(15, 9).U16(5).Labels("mail").Pointer(24),
                  {Q("example.com"), MX("mail")}},
        FaultCase{"escaped label bytes",
                  Reply()
                      .Record(2, 12)
                      .U8(9)
                      .Bytes({'a', '.', 'b', ' ', '\\', 0xE4, 0x00, 0x7F, 'z'})
                      .Pointer(20),
                  {Q("example.com"), NS("a\\.b\\032\\\\\\228\\000\\127z.com")}}));

}  // namespace
}  // namespace quillet::dns
