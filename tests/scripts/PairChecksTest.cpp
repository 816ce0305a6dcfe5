// A translation against its source: a table of pairs and the findings each
// must give, in every form that holds pairs, each finding at its place in
// the translation and its related place in the source.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "FakePictureSizes.h"
#include "FindingReport.h"
#include "PairForms.h"
#include "ScriptChecker.h"
#include "ScriptForms.h"
#include "ScriptReader.h"

namespace quenta::testing {
namespace {

using script::ScriptForm;

struct Expected {
    script::Check check;
    int32_t at;      // byte offset in the translation
    int32_t source;  // byte offset in the source
};

struct PairCase {
    const char* source;
    const char* translation;
    // In the order of their places; at one place, the checks of the
    // translation alone first.
    std::vector<Expected> findings;
    const char* says;  // a piece of one finding's text
};

// "<C255,0,0>" is 10 bytes, each Japanese character 3.
const PairCase kPairs[] = {
    // Clean: tags moved by word order, <R> dropped by wrapping, no Japanese.
    {"<C255,0,0>赤</C>い花", "a <C255,0,0>red</C> flower", {}, ""},
    {"<B>強</B>く<C0,0,255>青</C>", "<C0,0,255>blue</C> and <B>strong</B>", {}, ""},
    {"一行目<R>二行目", "first line, second line", {}, ""},
    {"<G1>見て", "<G1> look", {}, ""},
    {"OK", "OK", {}, ""},
    // A dropped colour pair: both tags missing, at the start of the translation.
    {"<C255,0,0>赤</C>い", "red", {{script::Check::kTagMismatch, 0, 0}, {script::Check::kTagMismatch, 0, 13}}, "'<C255,0,0>' of the source is missing"},
    // A changed argument: where the translation's tag stands.
    {"<C255,160,80>橙</C>", "an <C255,160,81>orange</C>", {{script::Check::kTagMismatch, 3, 0}}, "where the source has '<C255,160,80>'"},
    // A dropped bold close: the tag, and the style left open.
    {"<B>強</B>い", "<B>strong", {{script::Check::kUnclosedStyle, 0, -1}, {script::Check::kTagMismatch, 0, 6}, {script::Check::kOpenStyleMismatch, 0, 6}},
     "'</B>' of the source is missing"},
    // A stray closing tag.
    {"赤い", "red</C>", {{script::Check::kEmptyClose, 3, -1}, {script::Check::kTagMismatch, 3, 0}}, "'</C>' is not in the source"},
    // A picture number changed, and one dropped of two.
    {"<G1>見て", "look <G2>", {{script::Check::kPictureMismatch, 5, 0}}, "picture 2 ('<G2>') where the source has picture 1 ('<G1>')"},
    {"<G1>と<G1>", "<G1> and", {{script::Check::kPictureMismatch, 0, 7}}, "picture 1 ('<G1>') of the source is missing"},
    // Brackets turned full-width by an input method.
    {"<C255,160,80>橙</C>", "＜C255,160,80＞orange＜/C＞",
     {{script::Check::kFullWidthTag, 0, -1}, {script::Check::kTagMismatch, 0, 0}, {script::Check::kTagMismatch, 0, 16}, {script::Check::kFullWidthTag, 23, -1}},
     "'<C255,160,80>' of the source is missing"},
    // <R> counts only when asked.
    {"一<R>二", "one<R>two<R>three", {}, ""},
    // Left untranslated.
    {"こんにちは", "こんにちは", {{script::Check::kUntranslated, 0, 0}}, "unchanged"},
};

// Each form's file, the settings, and the findings of the one pair after a
// clean one (places must hold past the first message).
struct Form {
    ScriptForm form;
    int xliff;
};
const Form kForms[] = {{ScriptForm::kPo, 0}, {ScriptForm::kCsv, 0}, {ScriptForm::kTsv, 0}, {ScriptForm::kXliff, 1},
                       {ScriptForm::kXliff, 2}};

std::string Name(const Form& f) { return std::string(FormName(f.form)) + (f.xliff ? std::to_string(f.xliff) : ""); }

TEST(PairChecks, EachPairInEachForm) {
    FakePictureSizes pictures({{1, {40, 30}}, {2, {40, 30}}});
    script::CheckSettings settings;
    settings.pictures = &pictures;
    for (const Form& form : kForms) {
        for (const PairCase& c : kPairs) {
            SCOPED_TRACE(Name(form) + ": " + c.source + " / " + c.translation);
            const WrittenPairs written = WritePairs(form.form, form.xliff, {{"<B>よし</B>", "<B>fine</B>"}, {c.source, c.translation}});
            const script::FileFindings found = script::CheckScript(written.file, settings);
            ASSERT_EQ(found.findings.size(), c.findings.size()) << (found.findings.empty() ? "" : found.findings[0].text);
            for (size_t i = 0; i < c.findings.size(); ++i) {
                const script::Finding& f = found.findings[i];
                const Expected& e = c.findings[i];
                SCOPED_TRACE(f.text);
                EXPECT_EQ(f.check, e.check);
                EXPECT_EQ(f.message, 2);
                EXPECT_EQ(f.place.line, written.translations[1].line);
                EXPECT_EQ(f.place.column, written.translations[1].columns[static_cast<size_t>(e.at)]);
                // Every finding of a translation names its source's place.
                ASSERT_TRUE(f.related.has_value());
                EXPECT_EQ(f.related->place.line, written.sources[1].line);
                EXPECT_EQ(f.related->place.column,
                          written.sources[1].columns[static_cast<size_t>(std::max(e.source, 0))]);
            }
            if (!c.findings.empty()) {
                EXPECT_TRUE(std::any_of(found.findings.begin(), found.findings.end(), [&](const script::Finding& f) {
                    return f.text.find(c.says) != std::string::npos;
                })) << c.says;
            }
        }
    }
}

TEST(PairChecks, BreaksCountWhenAsked) {
    script::CheckSettings settings;
    settings.pairs.countBreaks = true;
    const WrittenPairs written = WritePairs(ScriptForm::kPo, 0, {{"一<R>二", "one<R>two<R>three"}});
    const script::FileFindings found = script::CheckScript(written.file, settings);
    ASSERT_EQ(found.findings.size(), 1u);
    EXPECT_EQ(found.findings[0].check, script::Check::kTagMismatch);
    EXPECT_NE(found.findings[0].text.find("'<R>' is not in the source (the source has 1, the translation 2)"),
              std::string::npos);
}

// A style the translation leaves open is reported in the message that
// opens it, not again in each message it leaks into; with the style reset
// between messages nothing leaks.
TEST(PairChecks, OpenStyleOnceWhereItStarts) {
    const std::vector<Pair> pairs = {{"<C255,0,0>赤</C>い", "<C255,0,0>red"}, {"青い", "blue"}, {"白い", "white"}};
    for (const bool reset : {false, true}) {
        SCOPED_TRACE(reset ? "reset between messages" : "style carried");
        script::CheckSettings settings;
        settings.resetBetweenMessages = reset;
        settings.only = {script::Check::kOpenStyleMismatch};
        const script::FileFindings found = script::CheckScript(WritePairs(ScriptForm::kPo, 0, pairs).file, settings);
        ASSERT_EQ(found.findings.size(), 1u);
        EXPECT_EQ(found.findings[0].message, 1);
        EXPECT_NE(found.findings[0].text.find("the colour set by '<C255,0,0>' is left open"), std::string::npos);
    }
    // The source leaves it open on purpose, into the next message, and the
    // translation follows: nothing to report.
    script::CheckSettings settings;
    const script::FileFindings agreed = script::CheckScript(
        WritePairs(ScriptForm::kPo, 0, {{"<C255,0,0>赤い", "<C255,0,0>red"}, {"花</C>", "flower</C>"}}).file, settings);
    for (const script::Finding& f : agreed.findings) EXPECT_NE(f.check, script::Check::kOpenStyleMismatch) << f.text;
    // The translation closes what the source leaves open.
    const script::FileFindings closed = script::CheckScript(
        WritePairs(ScriptForm::kPo, 0, {{"<C255,0,0>赤い", "<C255,0,0>red</C>"}, {"花</C>", "flower"}}).file, settings);
    const auto mismatch = std::count_if(closed.findings.begin(), closed.findings.end(),
                                        [](const script::Finding& f) { return f.check == script::Check::kOpenStyleMismatch; });
    EXPECT_EQ(mismatch, 1);
}

// With --check-source the source is checked as its translation is: its own
// markup mistakes and its own overflow, each at its place in the source.
TEST(PairChecks, TheSourceItselfWhenAsked) {
    // "赤<XY>い": an unknown tag at byte 3; ten kanji: 240 pixels, over a
    // window of 200.
    const std::vector<Pair> pairs = {{"<B>よし</B>", "<B>fine</B>"}, {"赤<XY>い", "red"}, {"一二三四五六七八九十", "short"}};
    for (const Form& form : kForms) {
        SCOPED_TRACE(Name(form));
        const WrittenPairs written = WritePairs(form.form, form.xliff, pairs);
        script::CheckSettings settings;
        settings.window.width = 200;
        EXPECT_TRUE(script::CheckScript(written.file, settings).findings.empty());
        settings.pairs.checkSource = true;
        const script::FileFindings found = script::CheckScript(written.file, settings);
        ASSERT_EQ(found.findings.size(), 2u);
        const script::Finding& tag = found.findings[0];
        EXPECT_EQ(tag.check, script::Check::kUnknownTag);
        EXPECT_EQ(tag.message, 2);
        EXPECT_EQ(tag.place.line, written.sources[1].line);
        EXPECT_EQ(tag.place.column, written.sources[1].columns[3]);
        EXPECT_NE(tag.text.find("message 2: in the source, '<XY>' is no tag"), std::string::npos) << tag.text;
        const script::Finding& wide = found.findings[1];
        EXPECT_EQ(wide.check, script::Check::kLineTooWide);
        EXPECT_EQ(wide.message, 3);
        EXPECT_EQ(wide.place.line, written.sources[2].line);
        EXPECT_EQ(wide.place.column, written.sources[2].columns[24]);  // the ninth kanji crosses the edge
        EXPECT_NE(wide.text.find("in the source, line 1 is 40 pixels wider"), std::string::npos) << wide.text;
    }
}

TEST(PairChecks, WithoutASourceOnlyTheTranslationIsChecked) {
    // A CSV without --source-column: the same translation gives no pair finding.
    script::ScriptFile file;
    file.path = "scene.csv";
    file.form = ScriptForm::kCsv;
    file.column = "2";
    file.bytes = "1,red,\"<C255,0,0>赤</C>\"\n";
    script::CheckSettings settings;
    EXPECT_TRUE(script::CheckScript(file, settings).findings.empty());
    file.sourceColumn = "3";
    const script::FileFindings found = script::CheckScript(file, settings);
    ASSERT_EQ(found.findings.size(), 2u);
    EXPECT_EQ(found.findings[0].check, script::Check::kTagMismatch);
}

TEST(PairChecks, ReportsNameBothPlaces) {
    script::CheckSettings settings;
    WrittenPairs written = WritePairs(ScriptForm::kPo, 0, {{"<G1>見て", "look <G2>"}});
    written.file.path = "scene.po";
    const std::vector<script::FileFindings> files = {script::CheckScript(written.file, settings)};
    std::ostringstream text, json, sarif;
    script::WriteReport(text, script::ReportFormat::kText, files, "1");
    script::WriteReport(json, script::ReportFormat::kJson, files, "1");
    script::WriteReport(sarif, script::ReportFormat::kSarif, files, "1");
    EXPECT_EQ(text.str(),
              "scene.po:7:14: error: message 1: picture 2 ('<G2>') where the source has picture 1 ('<G1>') "
              "[picture-mismatch]\n"
              "scene.po:6:8: note: the source's picture 1 ('<G1>') of message 1 is here\n");
    EXPECT_NE(json.str().find("\"related\": {\n      \"column\": 8,\n      \"line\": 6,"), std::string::npos) << json.str();
    EXPECT_NE(sarif.str().find("\"relatedLocations\""), std::string::npos);
    EXPECT_NE(sarif.str().find("\"text\": \"the source's picture 1 ('<G1>')\""), std::string::npos);
}

// What the readers hand beside each translation.
TEST(PairReaders, PoEntriesGiveTheirSourceContextAndComments) {
    script::ScriptFile file;
    file.path = "s.po";
    file.form = ScriptForm::kPo;
    file.bytes =
        "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
        "#. speaker: Yui\n#. mood: cheerful\n#, c-format\nmsgctxt \"scene1\"\nmsgid \"\"\n\"%d\xE5\x80\x8B\"\nmsgstr \"%d pieces\"\n\n"
        "msgid \"one\"\nmsgid_plural \"many\"\nmsgstr[0] \"ein\"\nmsgstr[1] \"viele\"\n";
    struct Got {
        std::string text, source, context, comments;
        bool cFormat;
        uint32_t sourceAt;
    };
    std::vector<Got> got;
    script::ReadMessages(file, [&](const script::SourceText& t) {
        ASSERT_NE(t.original, nullptr);
        got.push_back({t.bytes, t.original->text.bytes, t.original->context, t.original->comments, t.original->cFormat,
                       t.original->text.origin.front()});
    });
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].source, "%d\xE5\x80\x8B");
    EXPECT_EQ(got[0].context, "scene1");
    EXPECT_EQ(got[0].comments, "speaker: Yui\nmood: cheerful");
    EXPECT_TRUE(got[0].cFormat);
    EXPECT_EQ(file.bytes.compare(got[0].sourceAt, 2, "%d"), 0) << "placed on its continuation line";
    EXPECT_EQ(got[1].source, "one");
    EXPECT_EQ(got[2].source, "many");
    EXPECT_FALSE(got[1].cFormat);
    EXPECT_EQ(file.bytes.compare(got[2].sourceAt, 4, "many"), 0);
}

TEST(PairReaders, CsvSourceColumnByNameOrNumber) {
    script::ScriptFile file;
    file.path = "s.csv";
    file.form = ScriptForm::kCsv;
    file.bytes = "ja,en\n\"<B>\xE5\xBC\xB7</B>\",<B>strong</B>\n";
    file.column = "en";
    for (const char* source : {"ja", "1"}) {
        file.sourceColumn = source;
        std::vector<std::string> sources;
        script::ReadMessages(file, [&](const script::SourceText& t) {
            ASSERT_NE(t.original, nullptr);
            sources.push_back(t.original->text.bytes);
        });
        EXPECT_EQ(sources, std::vector<std::string>{"<B>\xE5\xBC\xB7</B>"}) << source;
    }
    file.sourceColumn = "jp";
    try {
        script::ReadMessages(file, [](const script::SourceText&) {});
        ADD_FAILURE() << "a missing source column read";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("no column named 'jp'"), std::string::npos);
    }
}

}  // namespace
}  // namespace quenta::testing
