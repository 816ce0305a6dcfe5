// printf placeholders in C format strings: read as the program's, never as
// tags, and compared with the source's by the argument each takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PrintfPlaceholders.h"
#include "ScriptChecker.h"

namespace quenta::testing {
namespace {

using script::Check;

TEST(PrintfPlaceholders, FindsEachDirectiveWithTheArgumentItTakes) {
    struct Case {
        const char* text;
        std::vector<script::Placeholder> expected;
    };
    const Case cases[] = {
        {"%d files", {{0, 2, 1, "d"}}},
        {"%s: %i of %u", {{0, 2, 1, "s"}, {4, 6, 2, "d"}, {10, 12, 3, "u"}}},
        {"%2$s %1$-10.3lf", {{0, 4, 2, "s"}, {5, 15, 1, "lf"}}},
        {"%*d|%.*s", {{0, 3, 1, "*"}, {0, 3, 2, "d"}, {4, 8, 3, "*"}, {4, 8, 4, "s"}}},
        {"%<PRIdMAX> and %<PRIiMAX> %<PRIxMAX>", {{0, 10, 1, "<PRIdMAX>"}, {15, 25, 2, "<PRIdMAX>"}, {26, 36, 3, "<PRIuMAX>"}}},
        {"100%% sure, %x %X %o", {{3, 5, 0, "%"}, {12, 14, 1, "u"}, {15, 17, 2, "u"}, {18, 20, 3, "u"}}},
        {"%g %e %zu %'d", {{0, 2, 1, "f"}, {3, 5, 2, "f"}, {6, 9, 3, "zu"}, {10, 13, 4, "d"}}},
        {"100%", {}},              // a '%' that ends the text starts nothing
        {"%<PRIdMAX", {}},         // a macro never closed is no directive
        {"\x82\xA0%d\x82\xA0", {{2, 4, 1, "d"}}},  // between two-byte characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<script::Placeholder> found;
        script::FindPlaceholders(c.text, found);
        ASSERT_EQ(found.size(), c.expected.size());
        for (size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].begin, c.expected[i].begin) << i;
            EXPECT_EQ(found[i].end, c.expected[i].end) << i;
            EXPECT_EQ(found[i].argument, c.expected[i].argument) << i;
            EXPECT_EQ(found[i].type, c.expected[i].type) << i;
        }
    }
}

// One c-format PO entry, with or without the flag.
script::ScriptFile Entry(const std::string& msgid, const std::string& msgstr, bool cFormat = true) {
    script::ScriptFile file;
    file.path = "p.po";
    file.form = script::ScriptForm::kPo;
    file.bytes = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n" +
                 std::string(cFormat ? "#, c-format\n" : "") + "msgid \"" + msgid + "\"\nmsgstr \"" + msgstr + "\"\n";
    return file;
}

struct Expected {
    Check check;
    int32_t column;  // in the msgstr line, from 1
    const char* says;
};

struct PlaceholderCase {
    const char* source;
    const char* translation;
    std::vector<Expected> findings;
};

// msgstr " puts the translation's first byte at column 9.
const PlaceholderCase kCases[] = {
    // Clean: the same arguments, reordered by number, the macros as gettext keeps them.
    {"%s has %d files", "%s \xE3\x81\xAF %d \xE5\x80\x8B", {}},
    {"copy %s to %s", "%2$s \xE3\x81\xB8 %1$s", {}},
    {"%s: %<PRIdMAX> bytes", "%s: %<PRIdMAX> \xE3\x83\x90\xE3\x82\xA4\xE3\x83\x88", {}},
    {"%i%%", "%d%%", {}},
    {"%lu of %zu", "%2$zu \xE4\xB8\xAD %1$lu", {}},
    // A placeholder dropped: reported at the start, pointing at the source's.
    {"%s has %d files", "%s \xE3\x81\xAF\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB",
     {{Check::kPlaceholderMismatch, 9, "placeholder '%d' of the source (argument 2) is missing"}}},
    // One added, and one of another type.
    {"%s", "%s %d", {{Check::kPlaceholderMismatch, 12, "placeholder '%d' is not in the source"}}},
    {"%s has %d", "%s \xE3\x81\xAF %s", {{Check::kPlaceholderMismatch, 14, "'%s' takes argument 2 where the source has '%d'"}}},
    // Reordered without numbers: each takes the other's argument.
    {"%s: %d", "%d: %s",
     {{Check::kPlaceholderMismatch, 9, "'%d' takes argument 1 where the source has '%s'"},
      {Check::kPlaceholderMismatch, 13, "'%s' takes argument 2 where the source has '%d'"}}},
    // A macro changed; a positional one past the source's arguments.
    {"%<PRIdMAX>", "%<PRIuMAX>", {{Check::kPlaceholderMismatch, 9, "where the source has '%<PRIdMAX>'"}}},
    {"%s", "%1$s %2$s", {{Check::kPlaceholderMismatch, 14, "no argument 2"}}},
};

TEST(PlaceholderChecks, CFormatPairsInPo) {
    script::CheckSettings settings;
    for (const PlaceholderCase& c : kCases) {
        SCOPED_TRACE(std::string(c.source) + " / " + c.translation);
        const script::FileFindings found = script::CheckScript(Entry(c.source, c.translation), settings);
        ASSERT_EQ(found.findings.size(), c.findings.size()) << (found.findings.empty() ? "" : found.findings[0].text);
        for (size_t i = 0; i < c.findings.size(); ++i) {
            const script::Finding& f = found.findings[i];
            SCOPED_TRACE(f.text);
            EXPECT_EQ(f.check, c.findings[i].check);
            EXPECT_EQ(f.place.line, 6);
            EXPECT_EQ(f.place.column, c.findings[i].column);
            EXPECT_NE(f.text.find(c.findings[i].says), std::string::npos);
            ASSERT_TRUE(f.related.has_value());
            EXPECT_EQ(f.related->place.line, 5);
        }
    }
}

TEST(PlaceholderChecks, PlaceholdersAreNoTags) {
    script::CheckSettings settings;
    // As coreutils writes them: in a c-format entry, nothing is found.
    const script::ScriptFile flagged = Entry("%<PRIdMAX> of %s", "%<PRIdMAX> / %s");
    EXPECT_TRUE(script::CheckScript(flagged, settings).findings.empty());
    // Without the flag it is markup: "<PRI" is no tag, and nothing is compared.
    const script::FileFindings plain = script::CheckScript(Entry("%<PRIdMAX> of %s", "%<PRIdMAX> / %d", false), settings);
    ASSERT_EQ(plain.findings.size(), 1u);
    EXPECT_EQ(plain.findings[0].check, Check::kUnknownTag);
    // --placeholders printf makes every message a format, in any form.
    script::ScriptFile csv;
    csv.path = "p.csv";
    csv.form = script::ScriptForm::kCsv;
    csv.column = "2";
    csv.sourceColumn = "1";
    csv.bytes = "%<PRIdMAX> %s,%<PRIdMAX> %d\n";
    const script::FileFindings markup = script::CheckScript(csv, settings);
    ASSERT_EQ(markup.findings.size(), 1u);
    EXPECT_EQ(markup.findings[0].check, Check::kUnknownTag);
    csv.printfPlaceholders = true;
    const script::FileFindings printf = script::CheckScript(csv, settings);
    ASSERT_EQ(printf.findings.size(), 1u);
    EXPECT_EQ(printf.findings[0].check, Check::kPlaceholderMismatch);
    EXPECT_EQ(printf.findings[0].place.column, 26);
}

TEST(PlaceholderChecks, PluralFormsFollowMsgidPlural) {
    script::CheckSettings settings;
    const auto plural = [](const std::string& msgid, const std::string& msgidPlural, const std::string& msgstr) {
        script::ScriptFile file;
        file.path = "p.po";
        file.form = script::ScriptForm::kPo;
        file.bytes = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\nPlural-Forms: nplurals=1; plural=0;\\n\"\n\n"
                     "#, c-format\nmsgid \"" + msgid + "\"\nmsgid_plural \"" + msgidPlural + "\"\nmsgstr[0] \"" + msgstr + "\"\n";
        return file;
    };
    // One form for every number, as Japanese has: it follows msgid_plural.
    EXPECT_TRUE(script::CheckScript(plural("one file", "%d files", "%d \xE5\x80\x8B"), settings).findings.empty());
    // A singular that spells its number out lets a form do so too.
    EXPECT_TRUE(script::CheckScript(plural("one file", "%d files", "\xE3\x83\x95"), settings).findings.empty());
    const script::FileFindings dropped = script::CheckScript(plural("%d file", "%d files", "\xE3\x83\x95"), settings);
    ASSERT_EQ(dropped.findings.size(), 1u);
    EXPECT_EQ(dropped.findings[0].check, Check::kPlaceholderMismatch);
    const script::FileFindings changed = script::CheckScript(plural("one file", "%d files", "%s"), settings);
    ASSERT_EQ(changed.findings.size(), 1u);
    EXPECT_NE(changed.findings[0].text.find("where the source has '%d'"), std::string::npos) << changed.findings[0].text;
}

}  // namespace
}  // namespace quenta::testing
