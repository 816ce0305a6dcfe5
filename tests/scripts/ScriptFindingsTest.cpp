// Each check on a small script, in each of the three forms: the finding's
// name, level and place (line and column of the character it points at).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePictureSizes.h"
#include "ScriptChecker.h"
#include "ScriptForms.h"

namespace quenta::testing {
namespace {

using script::Level;
using script::ScriptForm;

struct Case {
    const char* message;
    script::Check check;
    Level level;
    int32_t column;  // of the character pointed at, from 0, within the message
    const char* says;  // a piece of the finding's text
};

const Case kCases[] = {
    {"a<C255, 0, 0>b", script::Check::kMalformedTag, Level::kError, 1, "tags take no blanks"},
    {"<S 32>big", script::Check::kMalformedTag, Level::kError, 0, "write it as <S32>"},
    {"<C#ff0000>red", script::Check::kMalformedTag, Level::kError, 0, "'<C'"},
    {"x<r>y", script::Check::kUnknownTag, Level::kError, 1, "did you mean <R>?"},
    {"ok <XY12> ok", script::Check::kUnknownTag, Level::kError, 3, "'<XY12>' is no tag"},
    {"an <Outline> here", script::Check::kUnknownTag, Level::kError, 3, "'<Outline>' is no tag: it is drawn as written; for an outline write <E>"},
    {"a<br b", script::Check::kUnknownTag, Level::kError, 1, "'<br' is no tag: it is drawn as written; for a line break write <R>"},
    {"a<BR>b", script::Check::kUnknownTag, Level::kError, 1, "for a line break write <R>"},
    {"x<Bold>y", script::Check::kMalformedTag, Level::kError, 1, "write it as <B>"},
    {"</R>", script::Check::kUnknownTag, Level::kError, 0, "<R> has no closing tag"},
    {"a < b", script::Check::kLoneAngleBracket, Level::kWarning, 2, "write '<<'"},
    {"ab</C>", script::Check::kEmptyClose, Level::kWarning, 2, "'</C>' closes nothing"},
    {"abc</B>", script::Check::kEmptyClose, Level::kWarning, 3, "'</B>' closes nothing: bold is not on"},
    {"a<E>b</E>c</E>", script::Check::kEmptyClose, Level::kWarning, 10, "'</E>' closes nothing: the edge is not on"},
    {"</K>", script::Check::kEmptyClose, Level::kWarning, 0, "'</K>' closes nothing: the shadow is not on"},
    {"a<B>b", script::Check::kUnclosedStyle, Level::kWarning, 1, "close it with </B>"},
    {"<S30>x<S20>y</S>", script::Check::kUnclosedStyle, Level::kWarning, 0, "the size set by '<S30>'"},
    {"<S300>x", script::Check::kIgnoredSize, Level::kError, 0, "size 300 is ignored"},
    {"see <G9>", script::Check::kMissingPicture, Level::kError, 4, "picture 9 is not in the archive"},
    {"a\xF0\x9F\x98\x80z", script::Check::kUnencodable, Level::kError, 1, "(U+1F600) has no code page 932 form"},
    {"caf\xC3\xA9", script::Check::kUnencodable, Level::kError, 3, "the nearest it holds is 'e'"},
    {"\xEF\xAC\x81ne", script::Check::kUnencodable, Level::kError, 0, "the nearest it holds is 'fi'"},
    {"\xE6\x97\xA5\xE6\x9C\xAC<S 3>", script::Check::kMalformedTag, Level::kError, 2, "'<S'"},
};

// The checks of a translation alone: these scripts' PO sources are ids
// ("m1"), and their quotes are not what is tested.
script::CheckSettings WithoutPairChecks() {
    script::CheckSettings settings;
    settings.silenced = {script::Check::kTagMismatch, script::Check::kPictureMismatch, script::Check::kOpenStyleMismatch,
                         script::Check::kUntranslated, script::Check::kAsciiQuote};
    return settings;
}

TEST(ScriptFindings, EachCheckInEachForm) {
    FakePictureSizes pictures({{1, {40, 30}}});
    script::CheckSettings settings = WithoutPairChecks();
    settings.pictures = &pictures;
    for (const ScriptForm form : {ScriptForm::kPlain, ScriptForm::kCsv, ScriptForm::kTsv, ScriptForm::kPo}) {
        for (const Case& c : kCases) {
            SCOPED_TRACE(std::string(FormName(form)) + ": " + c.message);
            // A clean message first: places must hold past the first message.
            const WrittenScript written = WriteScript(form, {"<G1> fine", c.message});
            const script::FileFindings found = script::CheckScript(written.file, settings);
            ASSERT_EQ(found.findings.size(), 1u) << (found.findings.empty() ? "" : found.findings[0].text);
            const script::Finding& f = found.findings[0];
            EXPECT_EQ(f.check, c.check);
            EXPECT_EQ(f.level, c.level);
            EXPECT_EQ(f.message, 2);
            EXPECT_EQ(f.place.line, written.starts[1].first);
            EXPECT_EQ(f.place.column, written.starts[1].second + c.column);
            EXPECT_NE(f.text.find(c.says), std::string::npos) << f.text;
        }
    }
}

// Bytes that are no well-formed UTF-8 are named byte by byte, never decoded
// into a code point they do not hold (an overlong NUL, a lead byte past
// U+10FFFF).
TEST(ScriptFindings, MalformedUtf8IsNamedByteByByte) {
    const struct {
        const char* message;
        std::vector<const char*> says;  // one finding each, in order
    } cases[] = {
        {"a\xC0\x80z", {"byte 0xC0 is not UTF-8", "byte 0x80 is not UTF-8"}},
        {"a\xF5\x80\x80\x80z", {"byte 0xF5", "byte 0x80", "byte 0x80", "byte 0x80"}},
        {"a\xED\xA0\x80z", {"byte 0xED", "byte 0xA0", "byte 0x80"}},  // a surrogate
        {"a\xE6\x97z", {"byte 0xE6", "byte 0x97"}},                  // cut short
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const WrittenScript written = WriteScript(ScriptForm::kPlain, {c.message});
        const script::FileFindings found = script::CheckScript(written.file, script::CheckSettings{});
        ASSERT_EQ(found.findings.size(), c.says.size());
        for (size_t i = 0; i < c.says.size(); ++i) {
            EXPECT_EQ(found.findings[i].check, script::Check::kUnencodable);
            EXPECT_NE(found.findings[i].text.find(c.says[i]), std::string::npos) << found.findings[i].text;
        }
        EXPECT_EQ(found.findings[0].place.column, 2);
    }
}

TEST(ScriptFindings, StyleCarriesFromMessageToMessageUnlessTheHostResets) {
    // The size opened in the first message is closed in the second: as a
    // host hands them over that is no empty close, but the first message
    // leaves it open.
    const WrittenScript written = WriteScript(ScriptForm::kPlain, {"<S30>big", "</S>small"});
    script::CheckSettings settings;
    const script::FileFindings carried = script::CheckScript(written.file, settings);
    ASSERT_EQ(carried.findings.size(), 1u);
    EXPECT_EQ(carried.findings[0].check, script::Check::kUnclosedStyle);
    EXPECT_EQ(carried.findings[0].message, 1);

    settings.resetBetweenMessages = true;
    const script::FileFindings reset = script::CheckScript(written.file, settings);
    ASSERT_EQ(reset.findings.size(), 2u);
    EXPECT_EQ(reset.findings[1].check, script::Check::kEmptyClose);
    EXPECT_EQ(reset.findings[1].message, 2);
}

TEST(ScriptFindings, EveryUnencodableCharacterInOnePass) {
    const WrittenScript written = WriteScript(ScriptForm::kPlain, {"\xF0\x9F\x98\x80 and \xF0\x9F\x98\x81 and \xC3\xA9"});
    const script::FileFindings found = script::CheckScript(written.file, {});
    ASSERT_EQ(found.findings.size(), 3u);
    EXPECT_EQ(found.findings[0].place.column, 1);
    EXPECT_EQ(found.findings[1].place.column, 7);
    EXPECT_EQ(found.findings[2].place.column, 13);
}

TEST(ScriptFindings, SelectionAndSilencingByName) {
    const WrittenScript written = WriteScript(ScriptForm::kPlain, {"a<B>b</C><S300>"});
    script::CheckSettings settings;
    EXPECT_EQ(script::CheckScript(written.file, settings).findings.size(), 3u);
    settings.only = {script::Check::kEmptyClose};
    const auto only = script::CheckScript(written.file, settings).findings;
    ASSERT_EQ(only.size(), 1u);
    EXPECT_EQ(only[0].check, script::Check::kEmptyClose);
    settings.only.clear();
    settings.silenced = {script::Check::kEmptyClose, script::Check::kUnclosedStyle};
    const auto rest = script::CheckScript(written.file, settings).findings;
    ASSERT_EQ(rest.size(), 1u);
    EXPECT_EQ(rest[0].check, script::Check::kIgnoredSize);
}

TEST(ScriptFindings, WarningsAsErrors) {
    const WrittenScript written = WriteScript(ScriptForm::kPlain, {"ab</C>"});
    script::CheckSettings settings;
    EXPECT_FALSE(script::HasErrors({script::CheckScript(written.file, settings)}));
    settings.warningsAsErrors = true;
    EXPECT_TRUE(script::HasErrors({script::CheckScript(written.file, settings)}));
}

TEST(ScriptFindings, PlacesInMultiLineMessagesAndCp932Files) {
    // Plain text: the second line of a message; code page 932: a column
    // counts two-byte characters once.
    script::ScriptFile file;
    file.path = "sjis.txt";
    file.encoding = script::ScriptEncoding::kCp932;
    file.bytes = "first\r\n\x93\xFA\x96\x7B<S 3>\r\n";
    const auto found = script::CheckScript(file, {}).findings;
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].place.line, 2);
    EXPECT_EQ(found[0].place.column, 3);
}

// A finding's check and place, in the order the file gives them.
struct Placed {
    script::Check check;
    int32_t line;
    int32_t column;
};

void ExpectPlaced(const std::vector<script::Finding>& found, const std::vector<Placed>& expected) {
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(found[i].check, expected[i].check);
        EXPECT_EQ(found[i].place.line, expected[i].line);
        EXPECT_EQ(found[i].place.column, expected[i].column);
    }
}

TEST(ScriptFindings, CsvQuotingAndEmbeddedBreaks) {
    script::ScriptFile file;
    file.path = "s.csv";
    file.form = ScriptForm::kCsv;
    file.column = "2";
    file.bytes = "1,\"say \"\"hi\"\"\nthen <S 3>\",x\n2,plain </S>,y\n";
    const auto found = script::CheckScript(file, WithoutPairChecks()).findings;
    ExpectPlaced(found, {{script::Check::kMalformedTag, 2, 6}, {script::Check::kEmptyClose, 3, 9}});
}

TEST(ScriptFindings, PoEscapesContinuationsPluralsAndObsoleteEntries) {
    script::ScriptFile file;
    file.path = "s.po";
    file.form = ScriptForm::kPo;
    file.bytes =
        "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
        "msgid \"a\"\nmsgstr \"\"\n\"\\\"quoted\\\" \"\n\"then <S 3>\"\n\n"
        "msgid \"one\"\nmsgid_plural \"many\"\nmsgstr[0] \"one </S>\"\nmsgstr[1] \"many <r>\"\n\n"
        "#~ msgid \"old\"\n#~ msgstr \"<S 4>\"\n";
    const auto found = script::CheckScript(file, WithoutPairChecks()).findings;
    ExpectPlaced(found, {{script::Check::kMalformedTag, 7, 7}, {script::Check::kEmptyClose, 11, 16}, {script::Check::kUnknownTag, 12, 17}});
}

}  // namespace
}  // namespace quenta::testing
