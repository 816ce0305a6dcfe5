// Half-width katakana (0xA1 to 0xDF) are characters of one byte: half as
// wide as the size, a run each, and never swallowing the byte after them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markup/MarkupParser.h"

namespace quenta::core {
namespace {

// Each line's runs as "text:width", joined by " ", lines by " / ".
std::string Layout(const char* text) {
    MarkupParser parser;
    parser.Parse(text);
    std::string out;
    for (size_t i = 0; i < parser.Lines().lines.size(); ++i) {
        if (i) out += " / ";
        const auto& runs = parser.Lines().lines[i].runs;
        for (size_t j = 0; j < runs.size(); ++j) {
            if (j) out += " ";
            out += std::string(runs[j].text.data) + ":" + std::to_string(runs[j].width);
        }
    }
    return out;
}

TEST(HalfWidthKatakana, StandAloneBeforeTagsPairsAndTheEnd) {
    struct Case {
        const char* text;
        std::string layout;
    };
    for (const Case& c : {
             // An odd run before a tag: the tag still works ("ｱ<R>b").
             Case{"\xB1<R>b", "\xB1:12 / b:12"},
             // An even run before a tag.
             Case{"\xB1\xB2<R>b", "\xB1:12 \xB2:12 / b:12"},
             // An odd run before a two-byte character ("ﾏｼﾞで").
             Case{"\xCF\xBC\xDE\x82\xC5", "\xCF:12 \xBC:12 \xDE:12 \x82\xC5:24"},
             // An even run before a two-byte character.
             Case{"\xB1\xB2\x82\xA0", "\xB1:12 \xB2:12 \x82\xA0:24"},
             // Runs at the end of the text, odd and even.
             Case{"a\xB1", "a:12 \xB1:12"},
             Case{"a\xA1\xDF", "a:12 \xA1:12 \xDF:12"},
             // The bytes that still open pairs take the byte after them.
             Case{"\x80<R>", "\x80<:24 R:12 >:12"},
             Case{"\xA0<R>", "\xA0<:24 R:12 >:12"},
             Case{"\xFD" "a\xFE" "b\xFF" "c", "\xFD" "a:24 \xFE" "b:24 \xFF" "c:24"},
         }) {
        EXPECT_EQ(Layout(c.text), c.layout) << c.text;
    }
}

TEST(HalfWidthKatakana, AnEvenRunKeepsItsTotalWidth) {
    // A stored script with an even run of them lays out as wide as it did
    // when each pair counted as one two-byte character: size per pair (at
    // an odd size each half is truncated, one pixel less per pair).
    struct Case {
        const char* text;
        int32_t width;
    };
    for (const Case& c : {Case{"\xB1\xB2", 24}, Case{"\xB1\xB2\xB3\xB4", 48}, Case{"<S48>\xCF\xBC\xDE\xDE", 96},
                          Case{"<S25>\xB1\xB2", 24}}) {
        MarkupParser parser;
        parser.Parse(c.text);
        int32_t width = 0;
        for (const TextRun& run : parser.Lines().lines[0].runs) width += run.width;
        EXPECT_EQ(width, c.width) << c.text;
    }
}

}  // namespace
}  // namespace quenta::core
