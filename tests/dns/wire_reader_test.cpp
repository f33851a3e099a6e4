#include "dns/wire_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/case_name.h"

namespace quillet::dns {
namespace {

const std::vector<std::uint8_t> kWire = {0x12, 0x34, 0x56, 0x78, 0x9A};

TEST(WireReaderTest, ReadsBigEndianFieldsInOrder) {
    WireReader r(kWire);
    EXPECT_EQ(r.ReadU16(), 0x1234);
    EXPECT_EQ(r.ReadU8(), 0x56);
    EXPECT_EQ(r.Available(), 2u);
    const auto rest = r.ReadBytes(2);
    ASSERT_EQ(rest.size(), 2u);
    EXPECT_EQ(rest[0], 0x78);
    EXPECT_EQ(rest[1], 0x9A);
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(r.Offset(), 5u);
    EXPECT_EQ(r.Available(), 0u);
}

TEST(WireReaderTest, StartsAtTheGivenOffset) {
    WireReader r(kWire, 3);
    EXPECT_EQ(r.ReadU16(), 0x789A);
    EXPECT_FALSE(r.Failed());
}

TEST(WireReaderTest, AReadPastTheEndIsStickyAndStaysPut) {
    WireReader r(kWire, 4);
    EXPECT_EQ(r.ReadU16(), 0);  // one byte left: a 2-byte read fails whole
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.Offset(), 4u);
    EXPECT_EQ(r.Available(), 0u);
    EXPECT_EQ(r.ReadU8(), 0);  // the byte that is there is no longer given
    EXPECT_TRUE(r.ReadBytes(1).empty());
    r.Seek(0);
    EXPECT_EQ(r.ReadU8(), 0);
    r.Fail(Fault::kBadPointer);  // the first fault stays
    EXPECT_EQ(r.Error().kind, Fault::kRecordTruncated);
    EXPECT_EQ(r.Error().offset, 4u);
}

TEST(WireReaderTest, AnOverrunGivesTheFaultSetForIt) {
    WireReader r(kWire, 4, Fault::kHeaderTruncated);
    EXPECT_EQ(r.SetOverrun(Fault::kNameTruncated), Fault::kHeaderTruncated);
    EXPECT_EQ(r.ReadU32(), 0u);
    EXPECT_EQ(r.Error().kind, Fault::kNameTruncated);
}

struct OverrunCase {
    const char* what;
    void (*step)(WireReader&);
};

class WireReaderOverrunTest : public ::testing::TestWithParam<OverrunCase> {};

TEST_P(WireReaderOverrunTest, Fails) {
    WireReader r(kWire, 2);
    GetParam().step(r);
    EXPECT_TRUE(r.Failed()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, WireReaderOverrunTest,
    ::testing::Values(OverrunCase{"bytes", [](WireReader& r) { (void)r.ReadBytes(4); }},
                      OverrunCase{"huge count", [](WireReader& r) { (void)r.ReadBytes(SIZE_MAX); }},
                      OverrunCase{"skip", [](WireReader& r) { r.Skip(4); }},
                      OverrunCase{"huge skip", [](WireReader& r) { r.Skip(SIZE_MAX); }},
                      OverrunCase{"seek", [](WireReader& r) { r.Seek(6); }},
                      OverrunCase{"u8 at end", [](WireReader& r) { r.Skip(3), (void)r.ReadU8(); }}),
    quillet::testing::NameBy(&OverrunCase::what));

// At the end of a wire, the empty one too, nothing has failed until something is read.
TEST(WireReaderTest, TheEndCanBeReachedButNotReadPast) {
    WireReader seeked(kWire), empty({});
    seeked.Seek(5);
    for (WireReader* r : {&seeked, &empty}) {
        r->Skip(0);
        EXPECT_FALSE(r->Failed());
        EXPECT_EQ(r->Available(), 0u);
        (void)r->ReadU8();
        EXPECT_TRUE(r->Failed());
    }
    EXPECT_TRUE(WireReader({}, 1).Failed());
}

}  // namespace
}  // namespace quillet::dns
