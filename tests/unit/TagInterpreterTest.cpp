#include <gtest/gtest.h>

#include <cstring>

#include "RendererFixture.h"

namespace quenta::testing {
namespace {

using TagInterpreter = RendererTest;

TEST_F(TagInterpreter, EchoesWhatIsNoTag) {
    struct Case {
        const char* text;
        std::string runs;
    };
    const std::string error = kErrorText;
    for (const Case& c : {
             Case{"AB", "A|B"},
             Case{"A\nB", "A|\n|B"},                        // control bytes are characters
             Case{"<<B>", "<|B|>"},                         // "<<" is a literal "<"
             Case{"a<", "a|<|"},                            // "<" at the end, then an empty run
             Case{"<b>", "<||b|>"},                         // a lower-case name is no name
             Case{"<X>", "<|X|>"},                          // unknown names are echoed
             Case{"<XY12>", "<|XY|1|2|>"},
             Case{"</CR>", "<|/CR|>"},                      // no closing forms of CR, R, G
             Case{"</R></G1>", "<|/R|>|<|/G|1|>"},
             Case{"<B/>", "<|B/|>"},
             Case{"<S 24>", error + "| |2|4|>"},            // blanks are never skipped
             Case{"<B", error},
             Case{"<S>", error + "|>"},
             Case{"<S99999999999>", error + "|9|9|9|9|9|9|9|9|9|9|9|>"},  // beyond int32
             Case{"<R", error},
             Case{"</S", error},
         }) {
        EXPECT_EQ(Parse(c.text), c.runs) << c.text;
    }
}

TEST_F(TagInterpreter, MeasuresRunsFromTheirBytes) {
    renderer->SetText("A\x82\xA0<S25>a<");
    const auto& runs = Lines()[0].runs;
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].width, 12);
    EXPECT_EQ(runs[0].height, 24);
    EXPECT_EQ(runs[1].width, 24);  // two bytes
    EXPECT_EQ(runs[2].width, 12);  // 25 * 1 / 2, truncated
    EXPECT_EQ(runs[2].height, 25);
    EXPECT_EQ(runs[4].width, 0);   // the empty run after a lone "<"
    EXPECT_EQ(runs[4].height, 25);
    for (const auto& run : runs) EXPECT_EQ(run.pictureNumber, -1);
}

TEST_F(TagInterpreter, AnEnormousRunKeepsAPositiveWidth) {
    // An unknown tag name of 17 million bytes at size 255 is one run whose
    // width would pass the int32 limit.
    std::string text = "<S255><" + std::string(17'000'000, 'A');
    renderer->SetText(text.c_str());
    ASSERT_EQ(Lines()[0].runs.size(), 2u);
    EXPECT_EQ(Run(0, 1).text.Length(), 17'000'000);
    EXPECT_EQ(Run(0, 1).width, INT32_MAX);
}

TEST_F(TagInterpreter, ErrorTextIsSevenRunsInTheCurrentStyle) {
    renderer->SetText("<S30><C1,2>");
    const auto& runs = Lines()[0].runs;
    ASSERT_EQ(Texts(), std::string(kErrorText) + "|>");
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(runs[i].width, 15);
        EXPECT_EQ(runs[i].style.size, 30);
    }
}

TEST_F(TagInterpreter, OpeningAndClosingTagsSaveAndRestore) {
    renderer->SetText("<S30>A</S>B</S>C<S300>D</S>E");
    EXPECT_EQ(Run(0, 0).style.size, 30);
    EXPECT_EQ(Run(0, 1).style.size, 24);
    EXPECT_EQ(Run(0, 2).style.size, 24);  // an empty stack pops nothing
    EXPECT_EQ(Run(0, 3).style.size, 24);  // 300 is ignored, not pushed
    EXPECT_EQ(Run(0, 4).style.size, 24);
    EXPECT_TRUE(renderer->Parser().Stacks().size.empty());
    EXPECT_EQ(Texts(), "A|B|C|D|E");  // no tag left a trace
}

TEST_F(TagInterpreter, EveryValueTagHasItsOwnStack) {
    struct Case {
        const char* open;
        const char* close;
        int32_t StyleState::*field;
        int32_t before;
        int32_t value;
    };
    for (const Case& c : {Case{"<S40>", "</S>", &StyleState::size, 24, 40},
                          Case{"<SPW3>", "</SPW>", &StyleState::charSpacing, 0, 3},
                          Case{"<SPH8>", "</SPH>", &StyleState::lineSpacing, 0, 8},
                          Case{"<F1>", "</F>", &StyleState::font, 0, 1},
                          Case{"<CE320>", "</CE>", &StyleState::centerWidth, -1, 320},
                          Case{"<W5>", "</W>", &StyleState::wValue, 0, 5},
                          Case{"<SPW70000>", "</SPW>", &StyleState::charSpacing, 0, 70000}}) {
        std::string text = std::string(c.open) + "A" + c.close + "B";
        renderer->Clear();
        renderer->SetText(text.c_str());
        ASSERT_EQ(Texts(), "A|B") << text;
        EXPECT_EQ(Run(0, 0).style.*c.field, c.value) << text;
        EXPECT_EQ(Run(0, 1).style.*c.field, c.before) << text;
    }
    // Only the named stack is touched: line spacing does not restore char spacing.
    Parse("<SPW2><SPH8>A</SPH>B");
    EXPECT_EQ(Run(0, 1).style.charSpacing, 2);
    EXPECT_EQ(Run(0, 1).style.lineSpacing, 0);
}

TEST_F(TagInterpreter, FlagsHaveNoNesting) {
    Parse("<B><B>A</B>B<E>C</E><K>D</K>");
    EXPECT_EQ(Run(0, 0).style.bold, 1);
    EXPECT_EQ(Run(0, 1).style.bold, 0);
    EXPECT_EQ(Run(0, 2).style.edge, 1);
    EXPECT_EQ(Run(0, 3).style.shadow, 1);
    EXPECT_EQ(Run(0, 3).style.edge, 0);
}

TEST_F(TagInterpreter, BreakLineFillsOnlyEmptyLines) {
    Parse("<R><R>");
    ASSERT_EQ(Lines().size(), 3u);
    EXPECT_EQ(Texts(0), " ");
    EXPECT_EQ(Texts(1), " ");
    EXPECT_TRUE(Lines()[2].runs.empty());
    EXPECT_EQ(renderer->Parser().Lines().currentLine, 2);
    EXPECT_EQ(Run(0, 0).width, 12);

    Parse("A<R><R><S30>B<R>");
    ASSERT_EQ(Lines().size(), 4u);
    EXPECT_EQ(Texts(0), "A");
    EXPECT_EQ(Texts(1), " ");
    EXPECT_EQ(Texts(2), "B");
    EXPECT_TRUE(Lines()[3].runs.empty());

    // A zero-width run counts: the line gets no filler.
    Parse("<9<R>");
    EXPECT_EQ(Texts(0), "<||9");
}

TEST_F(TagInterpreter, ResetEmptiesStacksAndKeepsTheLine) {
    Parse("<S30><C1,2,3><F1>A<CR>B</S></C></F>C");
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Texts(), "A|B|C");
    EXPECT_EQ(Run(0, 0).style.size, 30);
    const StyleState defaults;
    EXPECT_EQ(std::memcmp(&Run(0, 1).style, &defaults, sizeof defaults), 0);
    EXPECT_EQ(std::memcmp(&Run(0, 2).style, &defaults, sizeof defaults), 0);
    EXPECT_TRUE(renderer->Parser().Stacks().size.empty());
    EXPECT_TRUE(renderer->Parser().Stacks().color.empty());
}

TEST_F(TagInterpreter, StyleAndRunsCarryAcrossCallsAndClear) {
    renderer->SetText("A<C255,0,0>");
    renderer->SetText("B</C>");
    ASSERT_EQ(Texts(), "A|B");
    EXPECT_EQ(Run(0, 1).style.color, (RgbColor{255, 0, 0}));
    renderer->SetText("<S30>");
    renderer->Clear();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(Lines()[0].runs.empty());
    renderer->SetText("C");
    EXPECT_EQ(Run(0, 0).style.size, 30);
    renderer->SetText(nullptr);
    EXPECT_EQ(Texts(), "C");
}

TEST_F(TagInterpreter, RunsAreSnapshots) {
    Parse("<S30>A<S40>B");
    EXPECT_EQ(Run(0, 0).style.size, 30);
    EXPECT_EQ(Run(0, 1).style.size, 40);
    EXPECT_EQ(renderer->Parser().Stacks().size, (std::vector<int32_t>{24, 30}));
}

}  // namespace
}  // namespace quenta::testing
