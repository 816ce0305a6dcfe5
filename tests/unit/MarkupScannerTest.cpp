#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markup/MarkupScanner.h"

namespace quenta::core {
namespace {

std::vector<std::string> Pieces(const char* text) {
    MarkupScanner scanner;
    scanner.SetInput(text);
    TextString piece;
    std::vector<std::string> pieces;
    while (scanner.NextChar(piece)) pieces.emplace_back(piece.data, static_cast<size_t>(piece.Length()));
    return pieces;
}

TEST(MarkupScanner, ReadsATagStepByStep) {
    MarkupScanner scanner;
    const char text[] = "<S24>";
    scanner.SetInput(text);
    TextString piece;
    int32_t value = 0;
    ASSERT_TRUE(scanner.NextChar(piece));
    EXPECT_TRUE(piece.Equals("<"));
    ASSERT_TRUE(scanner.ReadTagName(piece));
    EXPECT_TRUE(piece.Equals("S"));
    ASSERT_TRUE(scanner.ReadNumber(value));
    EXPECT_EQ(value, 24);
    EXPECT_TRUE(scanner.Expect(">"));
    EXPECT_EQ(scanner.Position(), text + 5);
    EXPECT_FALSE(scanner.NextChar(piece));
    EXPECT_FALSE(scanner.NextChar(piece));  // stays at the end
}

TEST(MarkupScanner, StepsOverTwoByteCharacters) {
    using Pieces_ = std::vector<std::string>;
    struct Case {
        const char* text;
        Pieces_ pieces;
    };
    for (const Case& c : {
             Case{"a\x82\xA0" "b", {"a", "\x82\xA0", "b"}},
             // Half-width katakana stand alone, in odd and even runs, before a
             // tag, before a two-byte character and at the end of the text.
             Case{"\xB1<", {"\xB1", "<"}},
             Case{"\xB1\xB2<", {"\xB1", "\xB2", "<"}},
             Case{"\xCF\xBC\xDE\x82\xC5", {"\xCF", "\xBC", "\xDE", "\x82\xC5"}},  // "ﾏｼﾞで"
             Case{"\xA1\xDF", {"\xA1", "\xDF"}},
             Case{"\xB1", {"\xB1"}},
             // Every other byte from 0x80 up still opens a pair, whatever follows.
             Case{"\x80x\xFFy", {"\x80x", "\xFFy"}},
             Case{"\xA0<\xFD<\xE0\xB1", {"\xA0<", "\xFD<", "\xE0\xB1"}},
             // An opening byte right before the end never steps past it.
             Case{"a\x82", {"a", "\x82"}},
             Case{"", {}},
         }) {
        EXPECT_EQ(Pieces(c.text), c.pieces) << c.text;
    }
    EXPECT_TRUE(Pieces(nullptr).empty());
}

TEST(MarkupScanner, TagNamesAreSlashesAndCapitals) {
    struct Case {
        const char* text;
        bool read;
        const char* name;
        int consumed;
    };
    for (const Case& c : {Case{"SPW>", true, "SPW", 3}, Case{"/SPW>", true, "/SPW", 4},
                          Case{"B/>", true, "B/", 2}, Case{"s24>", false, "", 0},
                          Case{"S 24", true, "S", 1}, Case{"\x82\xA0", false, "", 0},
                          Case{"", false, "", 0}, Case{"AB1", true, "AB", 2}}) {
        MarkupScanner scanner;
        scanner.SetInput(c.text);
        TextString name("previous");
        EXPECT_EQ(scanner.ReadTagName(name), c.read) << c.text;
        EXPECT_STREQ(name.data, c.name) << c.text;
        EXPECT_EQ(scanner.Position(), c.text + c.consumed) << c.text;
    }
}

TEST(MarkupScanner, NumbersAreUnsignedDecimalsThatFitInt32) {
    struct Case {
        const char* text;
        bool read;
        int32_t value;
        int consumed;
    };
    for (const Case& c : {Case{"24>", true, 24, 2}, Case{"007", true, 7, 3}, Case{"0", true, 0, 1},
                          Case{"256", true, 256, 3}, Case{"2147483647", true, 2147483647, 10},
                          Case{"2147483648", false, -1, 0}, Case{"99999999999999999999", false, -1, 0},
                          Case{"-5", false, -1, 0}, Case{" 5", false, -1, 0}, Case{">", false, -1, 0},
                          Case{"", false, -1, 0}}) {
        MarkupScanner scanner;
        scanner.SetInput(c.text);
        int32_t value = -1;
        EXPECT_EQ(scanner.ReadNumber(value), c.read) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(scanner.Position(), c.text + c.consumed) << c.text;
    }
}

TEST(MarkupScanner, LongRunsNeverOverflow) {
    // Leading zeros make a 1000-digit run whose value still fits.
    std::string digits(999, '0');
    digits += "7";
    MarkupScanner scanner;
    scanner.SetInput(digits.c_str());
    int32_t value = 0;
    ASSERT_TRUE(scanner.ReadNumber(value));
    EXPECT_EQ(value, 7);

    std::string name(5000, 'A');
    scanner.SetInput(name.c_str());
    TextString read;
    ASSERT_TRUE(scanner.ReadTagName(read));
    EXPECT_EQ(read.Length(), 5000);
}

TEST(MarkupScanner, ExpectConsumesOnlyAMatch) {
    MarkupScanner scanner;
    const char text[] = "\x82\xA0>";
    scanner.SetInput(text);
    EXPECT_FALSE(scanner.Expect(">"));
    EXPECT_EQ(scanner.Position(), text);
    scanner.SetInput(",>");
    EXPECT_TRUE(scanner.Expect(","));
    EXPECT_FALSE(scanner.Expect(","));
    EXPECT_TRUE(scanner.Expect(">"));
    EXPECT_FALSE(scanner.Expect(">"));  // at the end
    scanner.SetInput(nullptr);
    EXPECT_FALSE(scanner.Expect(">"));
    int32_t value = 3;
    EXPECT_FALSE(scanner.ReadNumber(value));
    EXPECT_EQ(value, 3);
}

}  // namespace
}  // namespace quenta::core
