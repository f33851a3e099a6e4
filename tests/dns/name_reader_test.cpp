#include "dns/name_reader.h"

#include <gtest/gtest.h>

#include "support/case_name.h"
#include "wire_builder.h"

namespace quillet::dns {
namespace {

using testing::WireBuilder;
constexpr Pointers kFollow = Pointers::kFollow, kOff = Pointers::kOff;

// A worked example: "ftp.example.com" at offset 12, then 4 mail C0 10 at 33.
WireBuilder FtpMail() {
    WireBuilder w;
    w.Header(1).Name("ftp.example.com");  // offsets 12..28; "example" starts at 16
    w.U16(15).U16(1);                     // 29..32
    w.Labels("mail").Pointer(16);         // 33..39
    return w;
}

struct ReadCase {
    const char* what;
    WireBuilder wire;
    std::size_t offset;
    Pointers pointers;
    std::string text;  // "" when the read fails
    std::size_t lastOffset;
    Fault error = Fault::kNone;
};

class ReadNameAtCaseTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNameAtCaseTest, Reads) {
    const ReadCase& c = GetParam();
    const ReplyBytes store = c.wire.Store();
    const NameRead read = ReadNameAt(store, c.offset, c.pointers);
    EXPECT_EQ(read.fault.kind, c.error) << c.what;
    if (read.Ok()) {
        EXPECT_EQ(NameToText(read.labels), c.text) << c.what;
        EXPECT_EQ(read.lastOffset, c.lastOffset) << c.what;
    }
}

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

WireBuilder Base() {
    WireBuilder w;
    w.Header(1).Name("example.com");  // 12..24
    return w;
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ReadNameAtCaseTest,
    ::testing::Values(
        ReadCase{"worked example: the question", FtpMail(), 12, kOff, "ftp.example.com", 28},
        ReadCase{"worked example: the mail name", FtpMail(), 33, kFollow, "mail.example.com", 39},
        ReadCase{"labels then pointer", WireBuilder(Base()).Labels("a.b").Pointer(12), 25, kFollow,
                 "a.b.example.com", 30},
        ReadCase{"lone pointer", WireBuilder(Base()).Pointer(12), 25, kFollow, "example.com", 26},
        ReadCase{"pointer into a name", WireBuilder(Base()).Pointer(20), 25, kFollow, "com", 26},
        ReadCase{"root", WireBuilder(Base()).U8(0), 25, kFollow, ".", 25},
        ReadCase{"labels then pointer to root", WireBuilder(Base()).Labels("mail").Pointer(24), 25,
                 kFollow, "mail", 31},
        ReadCase{"label of 100", WireBuilder(Base()).U8(100).Zeros(100).U8(0), 25, kFollow,
                 Repeat("\\000", 100), 126},
        ReadCase{"191 is a label length",
                 WireBuilder(Base()).U8(191).Text(std::string(191, 'a')).U8(0), 25, kFollow,
                 std::string(191, 'a'), 217},
        ReadCase{"pointers off: C0 is a label length",
                 WireBuilder(Base()).U8(0xC0).Text(std::string(192, 'q')).U8(0), 25, kOff,
                 std::string(192, 'q'), 218},
        ReadCase{"two pointers down",
                 WireBuilder(Base()).Labels("x").Pointer(12).Labels("y").Pointer(25), 29, kFollow,
                 "y.x.example.com", 32},
        ReadCase{"name ends at the last byte", WireBuilder(Base()).Labels("last").U8(0), 25,
                 kFollow, "last", 30},
        // 14-bit offsets: a reader of the low byte alone would jump into the header
        ReadCase{"pointer C1 2C is offset 300",
                 WireBuilder(Base()).Zeros(275).Name("far.example").Pointer(300), 313, kFollow,
                 "far.example", 314},
        ReadCase{"pointer C1 05 is offset 261",
                 WireBuilder(Base()).Zeros(236).Name("x.y").Pointer(261), 266, kFollow, "x.y", 267},
        // failures
        ReadCase{"truncated label", WireBuilder(Base()).U8(5).Text("abc"), 25, kFollow, "", 0,
                 Fault::kNameTruncated},
        ReadCase{"no end byte", WireBuilder(Base()).Labels("abc"), 25, kFollow, "", 0,
                 Fault::kNameTruncated},
        ReadCase{"half a pointer", WireBuilder(Base()).Labels("a").U8(0xC0), 25, kFollow, "", 0,
                 Fault::kNameTruncated},
        ReadCase{"start past the end", Base(), 26, kFollow, "", 0, Fault::kNameTruncated},
        ReadCase{"start at the end", Base(), 25, kFollow, "", 0, Fault::kNameTruncated},
        ReadCase{"pointers off: no pointer escape", WireBuilder(Base()).Pointer(12), 25, kOff, "",
                 0, Fault::kNameTruncated},
        ReadCase{"self pointer", WireBuilder(Base()).Pointer(25), 25, kFollow, "", 0,
                 Fault::kBadPointer},
        ReadCase{"forward pointer", WireBuilder(Base()).Pointer(27).Name("x"), 25, kFollow, "", 0,
                 Fault::kBadPointer},
        ReadCase{"pointer to its own label", WireBuilder(Base()).Labels("a").Pointer(25), 25,
                 kFollow, "", 0, Fault::kBadPointer},
        ReadCase{"pointer past the end", WireBuilder(Base()).Pointer(0x3FFF), 25, kFollow, "", 0,
                 Fault::kBadPointer},
        // 29 -> 25 -> 29: the second jump goes back up
        ReadCase{"two-pointer loop", WireBuilder(Base()).Labels("a").Pointer(29).Pointer(25), 29,
                 kFollow, "", 0, Fault::kBadPointer},
        // 36 -> 25; labels "abcd" "xyz" at 25..33, then a pointer at 34 back to 30: below the
        // pointer itself but not below 25, the lowest offset read, so it is refused.
        ReadCase{"pointer back into what was read",
                 WireBuilder(Base()).Labels("abcd.xyz").Pointer(30).Pointer(25), 36, kFollow, "", 0,
                 Fault::kBadPointer}),
    quillet::testing::NameBy(&ReadCase::what));

struct FullNameCase {
    const char* what;
    WireBuilder wire;
    std::size_t offset;
    std::optional<std::string> text;
};

class GetFullNameTest : public ::testing::TestWithParam<FullNameCase> {};

TEST_P(GetFullNameTest, GivesTheDotLedName) {
    const FullNameCase& c = GetParam();
    EXPECT_EQ(GetFullName(c.wire.Store(), c.offset), c.text) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Names, GetFullNameTest,
    ::testing::Values(
        FullNameCase{"worked example", FtpMail(), 16, ".example.com"},
        FullNameCase{"question", Base(), 12, ".example.com"},
        FullNameCase{"inner label", Base(), 20, ".com"},
        FullNameCase{"zeros give the root", WireBuilder(Base()).Zeros(4), 25, "."},
        FullNameCase{"root byte", Base(), 24, "."},
        FullNameCase{"labels and pointer", WireBuilder(Base()).Labels("mail").Pointer(12), 25,
                     ".mail.example.com"},
        FullNameCase{"starts with a pointer", WireBuilder(Base()).Pointer(12), 25, ".example.com"},
        FullNameCase{"exactly to the last byte", WireBuilder(Base()).Name("end"), 25, ".end"},
        FullNameCase{"pointer C1 05 is offset 261",
                     WireBuilder(Base()).Zeros(236).Name("x.y").Pointer(261), 266, ".x.y"},
        // failures: nothing past the current reply is read
        FullNameCase{"past the end", Base(), 25, std::nullopt},
        FullNameCase{"label past the end", WireBuilder(Base()).U8(9).Text("short"), 25,
                     std::nullopt},
        FullNameCase{"loop", WireBuilder(Base()).Pointer(25), 25, std::nullopt},
        FullNameCase{"forward", WireBuilder(Base()).Pointer(27).Name("x"), 25, std::nullopt}),
    quillet::testing::NameBy(&FullNameCase::what));

struct TextCase {
    Labels labels;
    std::string text;
};

class NameToTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NameToTextTest, EscapesInOnePlace) {
    EXPECT_EQ(NameToText(GetParam().labels), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Escapes, NameToTextTest,
    ::testing::Values(TextCase{{}, "."}, TextCase{{"example", "com"}, "example.com"},
                      TextCase{{"a.b", "c"}, "a\\.b.c"}, TextCase{{"back\\slash"}, "back\\\\slash"},
                      TextCase{{"sp ace"}, "sp\\032ace"}, TextCase{{std::string(1, '\0')}, "\\000"},
                      TextCase{{"\x7F"}, "\\127"}, TextCase{{"\xFF\x80"}, "\\255\\128"},
                      TextCase{{"\xE4\xBE\x8B"}, "\\228\\190\\139"},  // UTF-8 bytes are escaped
                      TextCase{{"!~"}, "!~"}, TextCase{{"tab\t"}, "tab\\009"},
                      TextCase{{"_srv", "-x-"}, "_srv.-x-"}),
    quillet::testing::NameBy(&TextCase::text));

struct SkipCase {
    const char* what;
    WireBuilder wire;
    std::size_t end;  // offset after the name; 0: the skip fails
};

class SkipNameTest : public ::testing::TestWithParam<SkipCase> {};

TEST_P(SkipNameTest, StepsOverAnyForm) {
    const SkipCase& c = GetParam();
    WireReader r(c.wire.bytes(), 0);
    ReadName(r);
    if (c.end == 0) {
        EXPECT_EQ(r.Error().kind, Fault::kRecordTruncated) << c.what;  // the reader's own
    } else {
        EXPECT_FALSE(r.Failed()) << c.what;
        EXPECT_EQ(r.Offset(), c.end) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SkipNameTest,
    ::testing::Values(SkipCase{"labels", WireBuilder().Name("www.example.com").U8(9), 17},
                      SkipCase{"root", WireBuilder().U8(0).U8(9), 1},
                      SkipCase{"lone pointer", WireBuilder().Pointer(300).U8(9), 2},
                      SkipCase{"labels and pointer", WireBuilder().Labels("a").Pointer(12), 4},
                      SkipCase{"pointer not followed", WireBuilder().Pointer(0x3FFF), 2},
                      SkipCase{"truncated label", WireBuilder().U8(4).Text("ab"), 0},
                      SkipCase{"half pointer", WireBuilder().U8(0xC0), 0},
                      SkipCase{"no end", WireBuilder().Labels("a"), 0},
                      SkipCase{"empty", WireBuilder(), 0}),
    quillet::testing::NameBy(&SkipCase::what));

}  // namespace
}  // namespace quillet::dns
