// The one pass over a script's messages: the style each message starts in
// (carried, or reset between messages) brings back the parser's whole
// state when handed to a fresh one, and every message laid out alone in
// that style is laid out as the pass laid it out.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "AnyPicture.h"
#include "CheckCatalogue.h"
#include "MessageLayout.h"
#include "MessagePass.h"
#include "ScriptChecker.h"
#include "ScriptError.h"
#include "StyleInForce.h"
#include "markup/MarkupParser.h"

namespace quenta::testing {
namespace {

using script::MessagePass;
using script::PassedMessage;
using script::StyleMode;

script::ScriptFile PlainScript(const std::vector<std::string>& messages) {
    script::ScriptFile file;
    file.path = "scene.txt";
    for (const std::string& m : messages) file.bytes += m + "\n\n";
    return file;
}

bool SameState(const core::MarkupParser& a, const core::MarkupParser& b) {
    const core::StyleStacks& x = a.Stacks();
    const core::StyleStacks& y = b.Stacks();
    const auto sameColors = [](const std::vector<core::ColorPair>& p, const std::vector<core::ColorPair>& q, bool both) {
        if (p.size() != q.size()) return false;
        for (size_t i = 0; i < p.size(); ++i) {
            if (!(p[i].first == q[i].first) || (both && !(p[i].second == q[i].second))) return false;
        }
        return true;
    };
    return std::memcmp(&a.Style(), &b.Style(), sizeof(core::StyleState)) == 0 && x.size == y.size &&
           sameColors(x.color, y.color, true) && sameColors(x.edgeColor, y.edgeColor, false) &&
           sameColors(x.shadowColor, y.shadowColor, false) && x.font == y.font && x.charSpacing == y.charSpacing &&
           x.lineSpacing == y.lineSpacing && x.centerWidth == y.centerWidth && x.wValue == y.wValue;
}

TEST(StyleInForce, BringsBackTheWholeState) {
    const char* const texts[] = {
        "",
        "plain text",
        "<C255,0,0>red left open",
        "<C255,0,0><C0,255,0,0,0,255>gradient</C> still red",
        "<B><E><K>all three switches",
        "<B>on</B><E>edge",
        "<S32><S16>small</S> back to 32",
        "<S300>ignored, as the parser ignores it",
        "<EC1,2,3><EC4,5,6><KC7,8,9>",
        "<F1><SPW4><SPW6><SPH3><CE200><W7><W9></W>",
        "<C1,2,3>x<CR>reset, then <S20>after",
        "</C></S></B> closes of nothing",
        "<C9,9,9>a<R>b<R><SPH2>c",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        script::AnyPicture pictures;
        core::MarkupParser original(&pictures);
        original.Parse(text);
        const std::string tags = script::StyleInForce(original);
        core::MarkupParser rebuilt(&pictures);
        rebuilt.Parse(tags.c_str());
        EXPECT_TRUE(SameState(original, rebuilt)) << tags;
        EXPECT_EQ(tags.empty(), SameState(original, core::MarkupParser(&pictures))) << tags;
    }
}

// Scripts whose messages leave style, spacing, centring and pictures open.
const std::vector<std::vector<std::string>> kScripts = {
    {"<C255,0,0>red text left open", "the next message is red", "</C>and this one white"},
    {"<S32>big and <SPW4>spaced", "still big<R>two lines", "<SPH8>line<R>spacing"},
    {"<CE300>centred, left open", "centred too<R>and this", "</CE>back to the left"},
    {"<G1>a picture and <B>bold", "bold<G2>", "<C1,2,3><EC4,5,6><K>shadowed"},
};

TEST(MessagePass, EachMessageAloneInItsStyleIsLaidOutAsInThePass) {
    for (const StyleMode mode : {StyleMode::kCarry, StyleMode::kResetBetweenMessages}) {
        for (const auto& messages : kScripts) {
            const script::ScriptFile file = PlainScript(messages);
            MessagePass pass(file, mode);
            int32_t seen = 0;
            std::string afterLast;
            pass.Run([&](const PassedMessage& m) {
                SCOPED_TRACE(m.message.text);
                EXPECT_EQ(m.number, ++seen);
                if (mode == StyleMode::kResetBetweenMessages) EXPECT_EQ(m.styleBefore, "");
                else EXPECT_EQ(m.styleBefore, afterLast);
                afterLast = m.styleAfter;
                script::AnyPicture pictures;
                script::LaidOutMessage alone;
                script::LayOutInStyle(&pictures, m.styleBefore, m.message.text, alone);
                EXPECT_EQ(script::LineRects(alone), script::LineRects(m.laid));
                ASSERT_EQ(alone.runs.size(), m.laid.runs.size());
                for (size_t i = 0; i < alone.runs.size(); ++i) {
                    EXPECT_EQ(alone.runs[i].x, m.laid.runs[i].x);
                    EXPECT_EQ(alone.runs[i].width, m.laid.runs[i].width);
                }
            });
            EXPECT_EQ(seen, static_cast<int32_t>(messages.size()));
        }
    }
}

TEST(MessagePass, CarriedStyleReachesTheNextMessage) {
    const script::ScriptFile file = PlainScript(kScripts[0]);
    std::vector<std::string> before;
    MessagePass carried(file, StyleMode::kCarry);
    carried.Run([&](const PassedMessage& m) { before.push_back(m.styleBefore); });
    EXPECT_EQ(before, (std::vector<std::string>{"", "<C255,0,0,255,0,0>", "<C255,0,0,255,0,0>"}));
    // A fresh layout starting in message 2's style draws it red.
    script::AnyPicture pictures;
    core::MarkupParser parser(&pictures);
    parser.Parse(before[1].c_str());
    EXPECT_EQ(parser.Style().color, (core::RgbColor{255, 0, 0}));
}

TEST(MessagePass, WholeFileIsOneMessage) {
    script::ScriptFile file;
    file.path = "message.txt";
    file.form = script::ScriptForm::kWholeMessage;
    file.bytes = "first line\r\n\r\nafter a blank line\n";
    std::vector<std::string> texts;
    MessagePass pass(file, StyleMode::kResetBetweenMessages);
    pass.Run([&](const PassedMessage& m) { texts.push_back(m.message.text); });
    EXPECT_EQ(texts, (std::vector<std::string>{"first line<R><R>after a blank line"}));
    file.keepNewlines = true;
    texts.clear();
    MessagePass kept(file, StyleMode::kResetBetweenMessages);
    kept.Run([&](const PassedMessage& m) { texts.push_back(m.message.text); });
    EXPECT_EQ(texts, (std::vector<std::string>{file.bytes}));
}

TEST(MessagePass, AReaderComplaintIsBadInputAndAVisitorsOwnErrorPassesThrough) {
    script::ScriptFile po;
    po.path = "broken.po";
    po.form = script::ScriptForm::kPo;
    po.bytes = "\x01\x02 not a catalogue \"\n";
    MessagePass pass(po, StyleMode::kCarry);
    try {
        pass.Run([](const PassedMessage&) {});
        ADD_FAILURE() << "a broken PO file was read";
    } catch (const script::ScriptError& error) {
        EXPECT_EQ(error.Kind(), script::ErrorKind::kBadInput);
    }
    const script::ScriptFile plain = PlainScript({"one"});
    MessagePass fine(plain, StyleMode::kCarry);
    EXPECT_THROW(fine.Run([](const PassedMessage&) { throw std::logic_error("the visitor's own"); }), std::logic_error);
}

TEST(CheckCatalogue, NamesRoundTrip) {
    for (const script::CheckInfo& info : script::AllChecks()) {
        EXPECT_EQ(script::CheckNamed(info.name), info.check);
        EXPECT_EQ(script::CheckName(info.check), info.name);
    }
    EXPECT_EQ(script::CheckNamed("malformed-tags"), std::nullopt);
}

}  // namespace
}  // namespace quenta::testing
