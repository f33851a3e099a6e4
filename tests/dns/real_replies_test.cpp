// Replies of a real DNS server (knotd, zone quillet.test; see data/capture-replies.sh) to the
// program's own queries, and the rows each must give. The rows were worked out by hand from
// the reply bytes, not taken from the decoder.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <optional>

#include "dns/query_builder.h"
#include "dns/reply_bytes.h"
#include "support/case_name.h"
#include "wire_builder.h"

namespace quillet::dns {
namespace {

using namespace testing;  // quillet::dns::testing

std::string ReadHex(const std::string& name, const char* kind) {
    const std::string path =
        std::string(QUILLET_DNS_TEST_DATA_DIR) + "/replies/" + name + "." + kind + ".hex";
    std::ifstream in(path);
    std::string hex;
    in >> hex;
    EXPECT_FALSE(hex.empty()) << "cannot read " << path;
    return hex;
}

struct RealCase {
    std::string name;                // the files replies/NAME.query.hex and replies/NAME.reply.hex
    std::string domain;              // what the query asked
    std::optional<RecordType> type;  // none where the type was set by hand
    std::size_t size;                // reply bytes
    Rows rows;
    bool emptyAnswer = false;
};

class RealReplyTest : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealReplyTest, DecodesToItsRows) {
    const RealCase& c = GetParam();
    ReplyBytes store;
    const std::string hex = ReadHex(c.name, "reply");
    const texts::DecodeResult r = texts::DecodeDNSAnswer(hex, store);
    EXPECT_EQ(store.Size(), c.size);
    EXPECT_EQ(r.rows, c.rows);
    EXPECT_EQ(r.emptyAnswer, c.emptyAnswer);
    EXPECT_EQ(r.fault, Fault::kNone);
    EXPECT_TRUE(r.listCleared);
    // The reply text the arrival handler would make from the datagram is the same text.
    EXPECT_EQ(ReplyText(store.Bytes()), hex);
}

TEST_P(RealReplyTest, WasAskedWithTheProgramsQuery) {
    const RealCase& c = GetParam();
    const std::string sent = ReadHex(c.name, "query");
    std::string built = ReplyText(BuildDNSQuery(c.domain, c.type).datagram);
    if (!c.type) {
        // SOA, TXT, AAAA have no row: the built query's type 00 00 was set by hand.
        ASSERT_EQ(built.substr(built.size() - 8, 4), "0000");
        built.replace(built.size() - 8, 4, sent.substr(sent.size() - 8, 4));
    }
    EXPECT_EQ(built, sent);
}

constexpr auto kA = RecordType::kA, kNS = RecordType::kNS, kCNAME = RecordType::kCNAME,
               kMX = RecordType::kMX;

INSTANTIATE_TEST_SUITE_P(
    Knot, RealReplyTest,
    ::testing::Values(
        RealCase{"a", "quillet.test", kA, 46, {"提交的域名为:quillet.test", "IP信息:192.0.2.1"}},
        RealCase{
            "ns",
            "quillet.test",
            kNS,
            98,
            {"提交的域名为:quillet.test", "DNS信息:ns1.quillet.test", "DNS信息:ns2.quillet.test",
             "IP信息:192.0.2.53", "IP信息:192.0.2.54"}},  // the additional section's addresses
        RealCase{
            "cname",
            "www.quillet.test",
            kCNAME,
            48,
            {"提交的域名为:www.quillet.test", "非权威记录:quillet.test"}},  // CNAME data is C0 10
        RealCase{"chain-a",
                 "ftp.quillet.test",
                 kA,
                 82,
                 {"提交的域名为:ftp.quillet.test", "非权威记录:www.quillet.test",
                  "非权威记录:quillet.test", "IP信息:192.0.2.1"}},
        // The first exchange is the apex: its data is 00 0A C0 0C. The additional section
        // holds the apex's A and AAAA: the AAAA (type low byte at offset 86) stops the walk
        // before the A of mail.quillet.test.
        RealCase{"mx",
                 "quillet.test",
                 kMX,
                 127,
                 {"提交的域名为:quillet.test", "MX记录:quillet.test", "MX记录:mail.quillet.test",
                  "IP信息:192.0.2.1", "出现未知记录类型，请与作者联系", "类型字串:1C",
                  "类型编号:28", "位置:87"}},
        RealCase{"mx-nodata", "mail.quillet.test", kMX, 86, {}, true},  // SOA in authority
        RealCase{"nxdomain", "nosuch.quillet.test", kA, 88, {}, true},
        RealCase{"soa",
                 "quillet.test",
                 std::nullopt,
                 81,
                 {"提交的域名为:quillet.test", "主域名服务器:ns1.quillet.test"}},
        RealCase{"txt",
                 "quillet.test",
                 std::nullopt,
                 54,
                 {"提交的域名为:quillet.test", "出现未知记录类型，请与作者联系", "类型字串:10",
                  "类型编号:16", "位置:34"}},
        RealCase{"aaaa",
                 "quillet.test",
                 std::nullopt,
                 58,
                 {"提交的域名为:quillet.test", "出现未知记录类型，请与作者联系", "类型字串:1C",
                  "类型编号:28", "位置:34"}}),
    quillet::testing::NameBy(&RealCase::name));

TEST(RealReplyTest, TheApexExchangeIsOnePointer) {
    ReplyBytes store;
    ASSERT_FALSE(store.Assign(ReadHex("mx", "reply")));
    const auto b = store.Bytes();
    // First answer at 30: C0 0C, type 00 0F, class, TTL, length 00 04, 00 0A, C0 0C.
    EXPECT_EQ(b[41], 0x04);
    EXPECT_EQ(b[44], 0xC0);
    EXPECT_EQ(b[45], 0x0C);
}

TEST(RealReplyTest, TruncatedRealRepliesKeepTheirRowsAndFail) {
    // Cutting the NS reply inside its last record keeps the rows before it.
    const std::string hex = ReadHex("ns", "reply");
    ReplyBytes store;
    const texts::DecodeResult r = texts::DecodeDNSAnswer(hex.substr(0, hex.size() - 4), store);
    EXPECT_EQ(r.rows, (Rows{"提交的域名为:quillet.test", "DNS信息:ns1.quillet.test",
                            "DNS信息:ns2.quillet.test", "IP信息:192.0.2.53"}));
    EXPECT_EQ(r.fault, Fault::kRecordTruncated);
}

}  // namespace
}  // namespace quillet::dns
