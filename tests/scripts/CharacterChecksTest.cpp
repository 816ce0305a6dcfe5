// The checks of a translation's characters that need no source: each case
// a message and the findings it gives (none for the text that draws right).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptChecker.h"

namespace quenta::testing {
namespace {

struct Case {
    const char* message;
    std::vector<std::pair<script::Check, int32_t>> findings;  // check, column from 1
    const char* says;
};

const Case kCases[] = {
    {"\xEF\xBC\x9C" "R\xEF\xBC\x9E" "next", {{script::Check::kFullWidthTag, 1}}, "write '<R>'"},  // ＜R＞
    {"a\xEF\xBC\x9C" "C255,0,0\xEF\xBC\x9E" "b\xEF\xBC\x9C/C\xEF\xBC\x9E",
     {{script::Check::kFullWidthTag, 2}, {script::Check::kFullWidthTag, 13}}, "write '<C255,0,0>'"},
    // Full-width letters and digits inside, and an ASCII ">" to close.
    {"\xEF\xBC\x9C\xEF\xBC\xB3\xEF\xBC\x93\xEF\xBC\x92>big", {{script::Check::kFullWidthTag, 1}}, "write '<S32>'"},  // ＜Ｓ３２>
    {"1 \xEF\xBC\x9C 2 and \xEF\xBC\x9C\xE3\x81\x82\xEF\xBC\x9E", {}, ""},  // a comparison, and ＜あ＞: no tags
    {"a\tb", {{script::Check::kControlCharacter, 2}}, "a tab (U+0009)"},
    {"bell\a", {{script::Check::kControlCharacter, 5}}, "a bell character (U+0007)"},
    {"say \"hi\"", {{script::Check::kAsciiQuote, 5}, {script::Check::kAsciiQuote, 8}}, "write \xE2\x80\x9C (opening)"},
    {"<C255,0,0>\"Run!\"</C>", {{script::Check::kAsciiQuote, 11}, {script::Check::kAsciiQuote, 16}}, "opening"},
    {"'Tis 'quoted' here", {{script::Check::kAsciiQuote, 1}, {script::Check::kAsciiQuote, 6}}, "opens a quotation"},
    {"it's Yui's, rock 'n' roll's end'", {{script::Check::kAsciiQuote, 18}}, "opens a quotation"},
    {"\xE2\x80\x9C" "fine\xE2\x80\x9D and \xE2\x80\x98" "fine\xE2\x80\x99, don't", {}, ""},
};

TEST(CharacterChecks, EachCase) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.message);
        script::ScriptFile file;
        file.path = "s.txt";
        file.bytes = std::string(c.message) + "\n";
        const script::FileFindings found = script::CheckScript(file, {});
        ASSERT_EQ(found.findings.size(), c.findings.size()) << (found.findings.empty() ? "" : found.findings[0].text);
        for (size_t i = 0; i < c.findings.size(); ++i) {
            EXPECT_EQ(found.findings[i].check, c.findings[i].first) << found.findings[i].text;
            EXPECT_EQ(found.findings[i].place.column, c.findings[i].second) << found.findings[i].text;
        }
        if (!c.findings.empty()) {
            EXPECT_NE(found.findings[0].text.find(c.says), std::string::npos) << found.findings[0].text;
        }
    }
}

}  // namespace
}  // namespace quenta::testing
