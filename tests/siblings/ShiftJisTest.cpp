// The CP932 table: Microsoft's mappings, lengths as Quenta counts bytes.
#include <gtest/gtest.h>

#include "ShiftJis.h"

namespace quenta::scrivo2 {
namespace {

DecodedChar Decode(const char* text) {
    return Cp932Table::Get().Decode(reinterpret_cast<const unsigned char*>(text));
}

TEST(Scrivo2ShiftJis, TableComesFromIconv) { EXPECT_TRUE(Cp932Table::Get().FromIconv()); }

TEST(Scrivo2ShiftJis, DecodesSingleBytes) {
    EXPECT_EQ(Decode("A").code, U'A');
    EXPECT_EQ(Decode("A").bytes, 1);
    EXPECT_EQ(Decode("\\").code, U'\\');  // CP932 keeps the backslash
    EXPECT_EQ(Decode("\xB1").code, U'\uFF71');  // half-width katakana
    EXPECT_EQ(Decode("\xDF").code, U'\uFF9F');
    EXPECT_EQ(Decode("\n").code, 0u);  // control bytes paint nothing
}

TEST(Scrivo2ShiftJis, DecodesDoubleBytesTheMicrosoftWay) {
    EXPECT_EQ(Decode("\x82\xA0").code, U'\u3042');
    EXPECT_EQ(Decode("\x82\xA0").bytes, 2);
    EXPECT_EQ(Decode("\x8A\xBF").code, U'\u6F22');
    EXPECT_EQ(Decode("\x81\x60").code, U'\uFF5E');  // wave dash as CP932 maps it
    EXPECT_EQ(Decode("\x87\x40").code, U'\u2460');  // NEC special: circled 1
    EXPECT_EQ(Decode("\xFA\x40").code, U'\u2170');  // IBM extension: small roman 1
    EXPECT_EQ(Decode("\x82\x6C").code, U'\uFF2D');  // full-width M
}

TEST(Scrivo2ShiftJis, OddBytesMapNothing) {
    EXPECT_EQ(Decode("\x85\x40").code, 0u);
    EXPECT_EQ(Decode("\x85\x40").bytes, 2);
    EXPECT_EQ(Decode("\x82\x20").bytes, 2);  // a bad trail still takes two bytes
    EXPECT_EQ(Decode("\x82").bytes, 1);      // a lone lead byte before the end
    EXPECT_EQ(Decode("\x82").code, 0u);
}

TEST(Scrivo2ShiftJis, StepsAsQuentaCountsCharacters) {
    struct Case {
        const char* text;
        int32_t bytes;
        char32_t code;
    };
    const Case cases[] = {
        {"\xA1", 1, U'\uFF61'},  // the half-width katakana, first and last
        {"\xDF", 1, U'\uFF9F'},
        {"\xA1\x41", 1, U'\uFF61'},
        {"\x80\x41", 2, 0},  // bytes that open pairs CP932 leaves unassigned
        {"\xA0\x41", 2, 0},
        {"\xFD\x41", 2, 0},
        {"\xFF\xFF", 2, 0},
        {"\xA0", 1, 0},  // an opening byte before the end stands alone
        {"\xFD", 1, 0},
        {"\x9F\xFC", 2, U'\u6ECC'},  // real lead bytes at both ends of their ranges
        {"\xE0\x40", 2, U'\u6F3E'},
    };
    for (const Case& c : cases) {
        const DecodedChar ch = Decode(c.text);
        EXPECT_EQ(ch.bytes, CharacterBytes(c.text)) << testing::PrintToString(c.text);
        EXPECT_EQ(ch.bytes, c.bytes) << testing::PrintToString(c.text);
        EXPECT_EQ(ch.code, c.code) << testing::PrintToString(c.text);
    }
}

TEST(Scrivo2ShiftJis, EncodesUtf8) {
    char out[4];
    EXPECT_EQ(EncodeUtf8(U'A', out), 1);
    EXPECT_EQ(EncodeUtf8(U'\u00E9', out), 2);
    EXPECT_EQ(EncodeUtf8(U'\u6F22', out), 3);
    EXPECT_EQ(std::string(out, 3), "\xE6\xBC\xA2");
    EXPECT_EQ(EncodeUtf8(U'\U0001F600', out), 4);
}

}  // namespace
}  // namespace quenta::scrivo2
