// The decoder's own rules: the worked example, the dump, the store, the walk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/case_name.h"
#include "texts/reply_format.h"
#include "texts/texts.h"
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
    const texts::DecodeResult r = texts::DecodeDNSAnswer(w.Hex(), store);
    EXPECT_EQ(r.rows, (Rows{"提交的域名为:example.com", "IP信息:192.0.2.1"}));
    EXPECT_TRUE(r.listCleared);
    EXPECT_FALSE(r.emptyAnswer);
    EXPECT_EQ(r.fault, Fault::kNone);
    EXPECT_EQ(store.Size(), 45u);
    EXPECT_EQ(r.hexDump.substr(0, 12), "00 00 81 80 ");
    EXPECT_EQ(r.hexDump.size(), 45u * 3);
    EXPECT_EQ(r.hexDump.substr(r.hexDump.size() - 6), "02 01 ");  // last blank included
    // The dump of any reply text: two upper-case digits and a blank for every byte.
    EXPECT_EQ(texts::DecodeDNSAnswer("1a2B00", store).hexDump, "1A 2B 00 ");
    EXPECT_EQ(texts::DecodeDNSAnswer("", store).hexDump, "");
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

TEST(ReplyBytesTest, AssignTakesHexOfEitherCaseAndStopsAtTheFirstBadPair) {
    ReplyBytes store;
    EXPECT_FALSE(store.Assign(std::string_view("00ff7A")));
    EXPECT_EQ(std::vector<std::uint8_t>(store.Bytes().begin(), store.Bytes().end()),
              (std::vector<std::uint8_t>{0x00, 0xFF, 0x7A}));
    for (const auto& [bad, kept] : std::initializer_list<std::pair<std::string_view, std::size_t>>{
             {"0", 0}, {"00F", 1}, {"0G", 0}, {"zz", 0}, {" 00", 0}, {"00 ", 1}}) {
        const ParseFault fault = store.Assign(bad);
        EXPECT_EQ(fault.kind, Fault::kReplyNotHex) << bad;
        EXPECT_EQ(fault.offset, kept) << bad;
        EXPECT_EQ(store.Size(), kept) << bad;
    }
    EXPECT_FALSE(store.Assign(std::string_view("")));
    EXPECT_EQ(store.Size(), 0u);
}

// The failure text nothing shows but the window keeps: the fixed prefix, then the cause.
TEST(DecodeFailureTextTest, PrefixThenTheCause) {
    ReplyBytes store;
    EXPECT_EQ(texts::DecodeDNSAnswer("0", store).failure,
              "程序在分析和解压缩数据包出现未知错误，请与管理员联系.错误描述:"
              "回复文本不是成对的十六进制数字");
    EXPECT_EQ(texts::DecodeDNSAnswer(ExampleComAReply().Hex(), store).failure, "");
    const std::pair<Fault, std::string_view> causes[] = {
        {Fault::kReplyTooLong, "回复超过513字节"},
        {Fault::kHeaderTruncated, "回复头部不完整"},
        {Fault::kRecordTruncated, "记录超出了回复的末尾"},
        {Fault::kNameTruncated, "域名超出了回复的末尾"},
        {Fault::kBadPointer, "压缩指针没有指向此前的位置"},
        {Fault::kTooManyPointers, "域名中的压缩指针过多"},
    };
    for (const auto& [fault, text] : causes) EXPECT_EQ(texts::TextOf(fault), text);
}

TEST(ReplyStoreTest, HoldsOnlyTheCurrentReply) {
    WireBuilder longer = ExampleComAReply();
    longer.Record(1, 4).Bytes({10, 0, 0, 1});
    ReplyBytes store;
    (void)texts::DecodeDNSAnswer(longer.Hex(), store);
    EXPECT_EQ(store.Size(), 61u);
    const texts::DecodeResult r = texts::DecodeDNSAnswer(ExampleComAReply().Hex(), store);
    EXPECT_EQ(store.Size(), 45u);
    EXPECT_EQ(r.rows.size(), 2u);
}

struct StoreFailureCase {
    const char* what;
    std::string text;
    Fault cause;
    std::size_t stored;  // bytes stored and dumped before the failure
};

class StoreFailureTest : public ::testing::TestWithParam<StoreFailureCase> {};

TEST_P(StoreFailureTest, FailsBeforeTheListIsCleared) {
    const StoreFailureCase& c = GetParam();
    ReplyBytes store;
    const texts::DecodeResult r = texts::DecodeDNSAnswer(c.text, store);
    EXPECT_FALSE(r.listCleared) << c.what;
    EXPECT_TRUE(r.rows.empty()) << c.what;
    EXPECT_FALSE(r.emptyAnswer) << c.what;
    EXPECT_EQ(r.fault, c.cause) << c.what;
    EXPECT_EQ(store.Size(), c.stored) << c.what;
    EXPECT_EQ(r.hexDump.size(), 3 * c.stored) << c.what;
}

std::string ValidThenJunk(std::string junk) {
    return ExampleComAReply().Hex() + junk;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoreFailureTest,
    ::testing::Values(
        StoreFailureCase{"514 bytes", std::string(514 * 2, '0'), Fault::kReplyTooLong, 513},
        StoreFailureCase{"1000 bytes", std::string(2000, 'F'), Fault::kReplyTooLong, 513},
        StoreFailureCase{"odd length", ValidThenJunk("0"), Fault::kReplyNotHex, 45},
        StoreFailureCase{"not hex", ValidThenJunk("0G00"), Fault::kReplyNotHex, 45},
        StoreFailureCase{"blank", "00 00", Fault::kReplyNotHex, 1}),
    quillet::testing::NameBy(&StoreFailureCase::what));

TEST(DecodeHeaderTest, AnswerCountZeroIsTheEmptyAnswer) {
    WireBuilder w;
    w.Header(0, 1).Question("example.com").Record(2, 2).Pointer(12);
    const texts::DecodeResult r = w.Decode();
    EXPECT_TRUE(r.emptyAnswer);
    EXPECT_TRUE(r.listCleared);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.fault, Fault::kNone);
    EXPECT_EQ(r.hexDump.size(), w.size() * 3);
}

TEST(DecodeHeaderTest, AShortHeaderFailsAfterTheListIsCleared) {
    for (const std::string_view text : {"", "00", "00008180000100"}) {
        ReplyBytes store;
        const texts::DecodeResult r = texts::DecodeDNSAnswer(text, store);
        EXPECT_TRUE(r.listCleared) << text;
        EXPECT_FALSE(r.emptyAnswer) << text;
        EXPECT_TRUE(r.rows.empty()) << text;
        EXPECT_EQ(r.fault, Fault::kHeaderTruncated) << text;
    }
    // Eight bytes hold the answer count: then the question is missing.
    ReplyBytes store;
    const texts::DecodeResult r = texts::DecodeDNSAnswer("0000818000010001", store);
    EXPECT_EQ(r.fault, Fault::kNameTruncated);
}

class DecodeWalkTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeWalkTest, GivesTheRows) {
    ExpectDecode(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Types, DecodeWalkTest,
    ::testing::Values(
        DecodeCase{"A 10.0.0.1",
                   Reply().Record(1, 4).Bytes({10, 0, 0, 1}),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"}},
        DecodeCase{"A 255.255.255.0",
                   Reply().Record(1, 4).Bytes({255, 255, 255, 0}),
                   {"提交的域名为:example.com", "IP信息:255.255.255.0"}},
        DecodeCase{"NS labels then pointer",
                   Reply().Record(2, 6).Labels("ns1").Pointer(12),
                   {"提交的域名为:example.com", "DNS信息:ns1.example.com"}},
        DecodeCase{"CNAME labels then pointer",
                   Reply().Record(5, 6).Labels("www").Pointer(12),
                   {"提交的域名为:example.com", "非权威记录:www.example.com"}},
        DecodeCase{"CNAME written out",
                   Reply().Record(5, 11).Name("www.other"),
                   {"提交的域名为:example.com", "非权威记录:www.other"}},
        DecodeCase{"MX labels then pointer",
                   Reply().Record(15, 9).U16(10).Labels("mail").Pointer(12),
                   {"提交的域名为:example.com", "MX记录:mail.example.com"}},
        DecodeCase{"MX written out",
                   Reply().Record(15, 13).U16(10).Name("mx.other"),
                   {"提交的域名为:example.com", "MX记录:mx.other"}},
        DecodeCase{"SOA then A: the walk goes on after the SOA data",
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
                   {"提交的域名为:example.com", "主域名服务器:ns.example.com", "IP信息:192.0.2.7"}},
        DecodeCase{"records after the answers: authority NS and additional A",
                   Reply(1)
                       .Record(1, 4)
                       .Bytes({192, 0, 2, 1})
                       .Record(2, 6)
                       .Labels("ns1")
                       .Pointer(12)
                       .Record(1, 4, 57)
                       .Bytes({192, 0, 2, 53}),
                   {"提交的域名为:example.com", "IP信息:192.0.2.1", "DNS信息:ns1.example.com",
                    "IP信息:192.0.2.53"}},
        DecodeCase{"an unknown type stops the walk",
                   Reply(2).Record(28, 16).Zeros(16).Record(1, 4).Bytes({10, 0, 0, 1}),
                   {"提交的域名为:example.com", "出现未知记录类型，请与作者联系", "类型字串:1C",
                    "类型编号:28", "位置:33"}},  // offset 32
        DecodeCase{"unknown type after a row",
                   Reply(2).Record(1, 4).Bytes({10, 0, 0, 1}).Record(16, 2).U8(1).Text("x"),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1", "出现未知记录类型，请与作者联系",
                    "类型字串:10", "类型编号:16", "位置:49"}},
        DecodeCase{"owner written out, not a pointer",
                   Reply().Name("host.example.com").Fixed(1, 4).Bytes({10, 9, 8, 7}),
                   {"提交的域名为:example.com", "IP信息:10.9.8.7"}},
        DecodeCase{"owner as labels ending in a pointer",
                   Reply().Labels("host").Pointer(12).Fixed(1, 4).Bytes({10, 9, 8, 6}),
                   {"提交的域名为:example.com", "IP信息:10.9.8.6"}},
        DecodeCase{"A data taken as four bytes whatever its length field says",
                   Reply(2).Record(1, 9).Bytes({10, 0, 0, 2}).Record(1, 4).Bytes({10, 0, 0, 3}),
                   {"提交的域名为:example.com", "IP信息:10.0.0.2", "IP信息:10.0.0.3"}},
        DecodeCase{"one stray byte at the end is not a record (while N > p)",
                   Reply().Record(1, 4).Bytes({10, 0, 0, 1}).U8(0xC0),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"}},
        DecodeCase{"no record at all", Reply(), {"提交的域名为:example.com"}},
        DecodeCase{"question type and class missing",
                   WireBuilder().Header(1).Name("example.com"),
                   {"提交的域名为:example.com"}},
        DecodeCase{
            "question name with a dot and a blank in a label",
            WireBuilder().Header(1).U8(3).Text("a.b").U8(3).Text("c d").U8(0).U32(0x00010001),
            {"提交的域名为:a\\.b.c\\032d"}},
        DecodeCase{
            "root question", WireBuilder().Header(1).U8(0).U32(0x00010001), {"提交的域名为:."}},
        // failures
        DecodeCase{"two stray bytes are a truncated record",
                   Reply().Record(1, 4).Bytes({10, 0, 0, 1}).U16(0xC00C),
                   {"提交的域名为:example.com", "IP信息:10.0.0.1"},
                   {Fault::kRecordTruncated, 47}},
        DecodeCase{"question name runs off the end",
                   WireBuilder().Header(1).Labels("example"),
                   {},
                   {Fault::kNameTruncated, 20}}),
    quillet::testing::NameBy(&DecodeCase::what));

}  // namespace
}  // namespace quillet::dns
