// The decoder's own rules: the worked example, the dump, the store, the walk.
#include "dns/response_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dns/texts.h"
#include "expected_rows.h"
#include "wire_builder.h"

namespace quillet::dns {
namespace {

using namespace testing;  // quillet::dns::testing: the wire builder and the row helpers

TEST(DecodeWorkedExampleTest, ExampleComAGivesTwoRows) {
    const WireBuilder w = ExampleComAReply();
    ASSERT_EQ(w.size(), 45u);
    EXPECT_EQ(w.Hex(),
              "000081800001000100000000"
              "076578616D706C6503636F6D00"
              "00010001"
              "C00C00010001"
              "00000E10"
              "0004"
              "C0000201");
    ReplyBytes store;
    const DecodeResult r = DecodeDNSAnswer(w.Hex(), store);
    EXPECT_EQ(r.rows, (Rows{Q("example.com"), A("192.0.2.1")}));
    EXPECT_TRUE(r.listCleared);
    EXPECT_FALSE(r.emptyAnswer);
    EXPECT_EQ(r.failure, "");
    EXPECT_EQ(store.size(), 45u);
    EXPECT_EQ(r.hexDump.substr(0, 12), "00 00 81 80 ");
    EXPECT_EQ(r.hexDump.size(), 45u * 3);
    EXPECT_EQ(r.hexDump.substr(r.hexDump.size() - 6), "02 01 ");  // last blank included
}

TEST(HexDumpTest, TwoUpperCaseDigitsAndABlankPerByte) {
    ReplyBytes store;
    EXPECT_EQ(DecodeDNSAnswer("1a2B00", store).hexDump, "1A 2B 00 ");
    EXPECT_EQ(DecodeDNSAnswer("", store).hexDump, "");
}

TEST(ReplyTextTest, UpperCaseHexOfAtMost513Bytes) {
    const std::vector<std::uint8_t> few = {0x00, 0x0A, 0xBC, 0xFF};
    EXPECT_EQ(ReplyText(few), "000ABCFF");
    EXPECT_EQ(ReplyText({}), "");
    std::vector<std::uint8_t> big(600, 0xAB);
    big[512] = 0x01;
    big[513] = 0x02;
    const std::string text = ReplyText(big);
    ASSERT_EQ(text.size(), 2 * kMaxReplyBytes);
    EXPECT_EQ(text.substr(text.size() - 4), "AB01");
}

TEST(ReplyBytesTest, AssignTakesEvenHexOnlyAndKeepsNothingElse) {
    ReplyBytes store;
    EXPECT_TRUE(store.Assign(std::string_view("00ff7A")));
    EXPECT_EQ(std::vector<std::uint8_t>(store.bytes().begin(), store.bytes().end()),
              (std::vector<std::uint8_t>{0x00, 0xFF, 0x7A}));
    for (const std::string_view bad : {"0", "00F", "0G", "zz", " 00", "00 "}) {
        EXPECT_TRUE(store.Assign(std::string_view("AB")));
        EXPECT_FALSE(store.Assign(bad)) << bad;
        EXPECT_EQ(store.size(), 0u) << bad;
    }
    EXPECT_TRUE(store.Assign(std::string_view("")));
    EXPECT_EQ(store.size(), 0u);
}

TEST(ReplyStoreTest, HoldsOnlyTheCurrentReply) {
    WireBuilder longer = ExampleComAReply();
    longer.Record(1, 4).Bytes({10, 0, 0, 1});
    ReplyBytes store;
    DecodeDNSAnswer(longer.Hex(), store);
    EXPECT_EQ(store.size(), 61u);
    const DecodeResult r = DecodeDNSAnswer(ExampleComAReply().Hex(), store);
    EXPECT_EQ(store.size(), 45u);
    EXPECT_EQ(r.rows.size(), 2u);
}

struct StoreFailureCase {
    const char* what;
    std::string text;
    std::string_view cause;
    std::size_t stored;  // bytes stored and dumped before the failure
};

class StoreFailureTest : public ::testing::TestWithParam<StoreFailureCase> {};

TEST_P(StoreFailureTest, FailsBeforeTheListIsCleared) {
    const StoreFailureCase& c = GetParam();
    ReplyBytes store;
    const DecodeResult r = DecodeDNSAnswer(c.text, store);
    EXPECT_FALSE(r.listCleared) << c.what;
    EXPECT_TRUE(r.rows.empty()) << c.what;
    EXPECT_FALSE(r.emptyAnswer) << c.what;
    EXPECT_EQ(r.failure, Failure(c.cause)) << c.what;
    EXPECT_EQ(store.size(), c.stored) << c.what;
    EXPECT_EQ(r.hexDump.size(), 3 * c.stored) << c.what;
}

std::string ValidThenJunk(std::string junk) {
    return ExampleComAReply().Hex() + junk;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoreFailureTest,
    ::testing::Values(
        StoreFailureCase{"514 bytes", std::string(514 * 2, '0'), texts::kCauseReplyTooLong, 513},
        StoreFailureCase{"1000 bytes", std::string(2000, 'F'), texts::kCauseReplyTooLong, 513},
        StoreFailureCase{"odd length", ValidThenJunk("0"), texts::kCauseReplyNotHex, 45},
        StoreFailureCase{"not hex", ValidThenJunk("0G00"), texts::kCauseReplyNotHex, 45},
        StoreFailureCase{"blank", "00 00", texts::kCauseReplyNotHex, 1}));

TEST(DecodeHeaderTest, AnswerCountZeroIsTheEmptyAnswer) {
    WireBuilder w;
    w.Header(0, 1).Question("example.com").Record(2, 2).Pointer(12);
    const DecodeResult r = w.Decode();
    EXPECT_TRUE(r.emptyAnswer);
    EXPECT_TRUE(r.listCleared);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.failure, "");
    EXPECT_EQ(r.hexDump.size(), w.size() * 3);
}

TEST(DecodeHeaderTest, AShortHeaderFailsAfterTheListIsCleared) {
    for (const std::string_view text : {"", "00", "00008180000100"}) {
        ReplyBytes store;
        const DecodeResult r = DecodeDNSAnswer(text, store);
        EXPECT_TRUE(r.listCleared) << text;
        EXPECT_FALSE(r.emptyAnswer) << text;
        EXPECT_TRUE(r.rows.empty()) << text;
        EXPECT_EQ(r.failure, Failure(texts::kCauseHeaderTruncated)) << text;
    }
    // Eight bytes hold the answer count: then the question is missing.
    ReplyBytes store;
    const DecodeResult r = DecodeDNSAnswer("0000818000010001", store);
    EXPECT_EQ(r.failure, Failure(texts::kCauseNameTruncated));
}

struct WalkCase {
    const char* what;
    WireBuilder wire;
    Rows rows;
    std::string_view cause = {};  // empty: a clean decode
};

class DecodeWalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(DecodeWalkTest, GivesTheRows) {
    const WalkCase& c = GetParam();
    const DecodeResult r = c.wire.Decode();
    EXPECT_EQ(r.rows, c.rows) << c.what;
    EXPECT_EQ(r.failure, c.cause.empty() ? "" : Failure(c.cause)) << c.what;
    EXPECT_TRUE(r.listCleared) << c.what;
    EXPECT_FALSE(r.emptyAnswer) << c.what;
}

WireBuilder Reply(std::uint16_t answers = 1) {
    WireBuilder w;
    w.Header(answers).Question("example.com");  // name 12..24, first record at 29
    return w;
}

INSTANTIATE_TEST_SUITE_P(
    Types, DecodeWalkTest,
    ::testing::Values(
        WalkCase{"A 10.0.0.1",
                 Reply().Record(1, 4).Bytes({10, 0, 0, 1}),
                 {Q("example.com"), A("10.0.0.1")}},
        WalkCase{"A 255.255.255.0",
                 Reply().Record(1, 4).Bytes({255, 255, 255, 0}),
                 {Q("example.com"), A("255.255.255.0")}},
        WalkCase{"NS labels then pointer",
                 Reply().Record(2, 6).Labels("ns1").Pointer(12),
                 {Q("example.com"), NS("ns1.example.com")}},
        WalkCase{"CNAME labels then pointer",
                 Reply().Record(5, 6).Labels("www").Pointer(12),
                 {Q("example.com"), CNAME("www.example.com")}},
        WalkCase{"CNAME written out",
                 Reply().Record(5, 11).Name("www.other"),
                 {Q("example.com"), CNAME("www.other")}},
        WalkCase{"MX labels then pointer",
                 Reply().Record(15, 9).U16(10).Labels("mail").Pointer(12),
                 {Q("example.com"), MX("mail.example.com")}},
        WalkCase{"MX written out",
                 Reply().Record(15, 13).U16(10).Name("mx.other"),
                 {Q("example.com"), MX("mx.other")}},
        WalkCase{"SOA then A: the walk goes on after the SOA data",
                 Reply()
                     .Record(6, 5 + 2 + 20)
                     .Labels("ns")
                     .Pointer(12)  // primary server
                     .Pointer(12)  // mailbox
                     .U32(1)
                     .U32(2)
                     .U32(3)
                     .U32(4)
                     .U32(5)
                     .Record(1, 4)
                     .Bytes({192, 0, 2, 7}),
                 {Q("example.com"), SOA("ns.example.com"), A("192.0.2.7")}},
        WalkCase{"records after the answers: authority NS and additional A",
                 Reply(1)
                     .Record(1, 4)
                     .Bytes({192, 0, 2, 1})
                     .Record(2, 6)
                     .Labels("ns1")
                     .Pointer(12)
                     .Record(1, 4, 57)
                     .Bytes({192, 0, 2, 53}),
                 {Q("example.com"), A("192.0.2.1"), NS("ns1.example.com"), A("192.0.2.53")}},
        WalkCase{"an unknown type stops the walk",
                 Reply(2).Record(28, 16).Zeros(16).Record(1, 4).Bytes({10, 0, 0, 1}),
                 Concat({{Q("example.com")}, Unknown("1C", "28", "33")})},  // offset 32
        WalkCase{"unknown type after a row",
                 Reply(2).Record(1, 4).Bytes({10, 0, 0, 1}).Record(16, 2).U8(1).Text("x"),
                 Concat({{Q("example.com"), A("10.0.0.1")}, Unknown("10", "16", "49")})},
        WalkCase{"owner written out, not a pointer",
                 Reply().Name("host.example.com").Fixed(1, 4).Bytes({10, 9, 8, 7}),
                 {Q("example.com"), A("10.9.8.7")}},
        WalkCase{"owner as labels ending in a pointer",
                 Reply().Labels("host").Pointer(12).Fixed(1, 4).Bytes({10, 9, 8, 6}),
                 {Q("example.com"), A("10.9.8.6")}},
        WalkCase{"A data taken as four bytes whatever its length field says",
                 Reply(2).Record(1, 9).Bytes({10, 0, 0, 2}).Record(1, 4).Bytes({10, 0, 0, 3}),
                 {Q("example.com"), A("10.0.0.2"), A("10.0.0.3")}},
        WalkCase{"one stray byte at the end is not a record (while N > p)",
                 Reply().Record(1, 4).Bytes({10, 0, 0, 1}).U8(0xC0),
                 {Q("example.com"), A("10.0.0.1")}},
        WalkCase{"no record at all", Reply(), {Q("example.com")}},
        WalkCase{"question type and class missing",
                 WireBuilder().Header(1).Name("example.com"),
                 {Q("example.com")}},
        WalkCase{"question name with a dot and a blank in a label",
                 WireBuilder().Header(1).U8(3).Text("a.b").U8(3).Text("c d").U8(0).U32(0x00010001),
                 {Q("a\\.b.c\\032d")}},
        WalkCase{"root question", WireBuilder().Header(1).U8(0).U32(0x00010001), {Q(".")}},
        // failures
        WalkCase{"two stray bytes are a truncated record",
                 Reply().Record(1, 4).Bytes({10, 0, 0, 1}).U16(0xC00C),
                 {Q("example.com"), A("10.0.0.1")},
                 texts::kCauseRecordTruncated},
        WalkCase{"question name runs off the end",
                 WireBuilder().Header(1).Labels("example"),
                 {},
                 texts::kCauseNameTruncated}));

}  // namespace
}  // namespace quillet::dns
