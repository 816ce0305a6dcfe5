// The window at the exact pixel: a message that fits to the pixel and the
// same one pixel over, with spacing, centring, sizes, pictures and lines.
#include <gtest/gtest.h>

#include <string>

#include "FakePictureSizes.h"
#include "ScriptChecker.h"
#include "ScriptForms.h"

namespace quenta::testing {
namespace {

struct Case {
    const char* name;
    const char* message;
    int32_t width, height, maxLines;  // 0: not given
    script::Check check;                // the finding one pixel (or line) less gives
    int32_t column;                   // where it points, from 0
    const char* says;
};

// Every case fits as given; one less of the limit it names makes the finding.
const Case kCases[] = {
    {"plain", "ABCDE", 60, 0, 0, script::Check::kLineTooWide, 4, "1 pixels wider than the window (60 of 59)"},
    {"two-byte", "\xE6\x97\xA5\xE6\x9C\xAC", 48, 0, 0, script::Check::kLineTooWide, 1, "(48 of 47)"},
    {"spacing after all but the last", "<SPW2>ABC", 40, 0, 0, script::Check::kLineTooWide, 8, "(40 of 39)"},
    {"centred", "<CE100>ABC", 68, 0, 0, script::Check::kLineTooWide, 9, "(68 of 67)"},
    {"sizes", "<S30>AB</S>\xE6\x97\xA5", 54, 0, 0, script::Check::kLineTooWide, 11, "(54 of 53)"},
    {"odd size", "<S25>ABC", 36, 0, 0, script::Check::kLineTooWide, 7, "(36 of 35)"},
    {"picture", "AB<G1>", 64, 0, 0, script::Check::kLineTooWide, 2, "(64 of 63)"},
    {"second line", "AB<R>ABCD", 48, 0, 0, script::Check::kLineTooWide, 8, "line 2 is 1 pixels"},
    {"a blank may hang past the edge", "ABCD ", 48, 0, 0, script::Check::kLineTooWide, 3, "(48 of 47)"},
    {"height", "A<R>B", 0, 48, 0, script::Check::kMessageTooTall, 4, "1 pixels taller than the window (48 of 47)"},
    {"line spacing", "<SPH6>A<R>B", 0, 54, 0, script::Check::kMessageTooTall, 10, "(54 of 53)"},
    {"tall picture", "A<G1>", 0, 30, 0, script::Check::kMessageTooTall, 0, "(30 of 29)"},
    {"lines", "A<R>B<R>C", 0, 0, 3, script::Check::kTooManyLines, 8, "3 lines, 2 allowed"},
    {"a closing break adds no line", "A<R>B<R>", 0, 0, 2, script::Check::kTooManyLines, 4, "2 lines, 1 allowed"},
};

script::FileFindings Check(const Case& c, int32_t less) {
    static FakePictureSizes pictures({{1, {40, 30}}});
    script::CheckSettings settings;
    settings.pictures = &pictures;
    settings.only = {script::Check::kLineTooWide, script::Check::kMessageTooTall, script::Check::kTooManyLines};
    if (c.width) settings.window.width = c.width - less;
    if (c.height) settings.window.height = c.height - less;
    if (c.maxLines) settings.window.maxLines = c.maxLines - less;
    return script::CheckScript(WriteScript(script::ScriptForm::kPlain, {c.message}).file, settings);
}

TEST(Overflow, FitsToThePixelAndNotOneLess) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(Check(c, 0).findings.empty()) << Check(c, 0).findings[0].text;
        const script::FileFindings over = Check(c, 1);
        ASSERT_EQ(over.findings.size(), 1u);
        EXPECT_EQ(over.findings[0].check, c.check);
        EXPECT_EQ(over.findings[0].level, script::Level::kError);
        EXPECT_EQ(over.findings[0].place.column, 1 + c.column);
        EXPECT_NE(over.findings[0].text.find(c.says), std::string::npos) << over.findings[0].text;
    }
}

TEST(Overflow, CentringPastTheLeftEdge) {
    script::CheckSettings settings;
    settings.only = {script::Check::kLineTooWide};
    settings.window.width = 200;
    // 96 pixels centred within 40: the runs start 28 pixels left of the window.
    const auto found = script::CheckScript(WriteScript(script::ScriptForm::kPlain, {"<CE40>ABCDEFGH"}).file, settings);
    ASSERT_EQ(found.findings.size(), 1u);
    EXPECT_NE(found.findings[0].text.find("28 pixels past the window's left edge"), std::string::npos)
        << found.findings[0].text;
}

}  // namespace
}  // namespace quenta::testing
