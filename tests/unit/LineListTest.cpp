#include <gtest/gtest.h>

#include "layout/LineList.h"

namespace quenta::core {
namespace {

TextRun MakeRun(const char* text) {
    TextRun run;
    run.text.Assign(text);
    run.width = 12;
    run.height = 24;
    return run;
}

TEST(LineList, StartsAndResetsToOneEmptyLine) {
    LineList list;
    ASSERT_EQ(list.lines.size(), 1u);
    EXPECT_EQ(list.currentLine, 0);
    LineList::AppendRun(list.LineAt(0), MakeRun("A"));
    list.AppendLine();
    LineList::AppendRun(list.LineAt(list.currentLine), MakeRun("B"));
    EXPECT_EQ(list.lines.size(), 2u);
    EXPECT_EQ(list.currentLine, 1);
    list.ResetLines();
    ASSERT_EQ(list.lines.size(), 1u);
    EXPECT_TRUE(list.lines[0].runs.empty());
    EXPECT_EQ(list.currentLine, 0);
}

TEST(LineList, CopiesAreDeep) {
    TextLine line;
    for (const char* text : {"A", "\x82\xA0", ""}) LineList::AppendRun(line, MakeRun(text));
    {
        TextLine copy = line;
        ASSERT_EQ(copy.runs.size(), 3u);
        EXPECT_NE(copy.runs[1].text.data, line.runs[1].text.data);
        copy.runs[0].text.data[0] = 'Z';
    }
    EXPECT_STREQ(line.runs[0].text.data, "A");
    EXPECT_STREQ(line.runs[1].text.data, "\x82\xA0");
}

TEST(LineList, GrowingKeepsEveryRunIntact) {
    TextLine line;
    for (int i = 0; i < 1000; ++i) LineList::AppendRun(line, MakeRun(i % 2 ? "a" : "\x82\xA0"));
    for (int i = 0; i < 1000; ++i) EXPECT_STREQ(line.runs[i].text.data, i % 2 ? "a" : "\x82\xA0");
}

TEST(StyleState, DefaultsAndReset) {
    StyleState style;
    EXPECT_EQ(style.size, 24);
    EXPECT_EQ(style.color, (RgbColor{255, 255, 255}));
    EXPECT_EQ(style.shadowColor, (RgbColor{128, 128, 128}));
    EXPECT_EQ(style.edgeColor, (RgbColor{0, 0, 0}));
    EXPECT_EQ(style.gradientColor, (RgbColor{255, 255, 255}));
    EXPECT_EQ(style.centerWidth, -1);
    style.bold = 1;
    style.size = 9;
    style.Reset();
    EXPECT_EQ(style.bold, 0);
    EXPECT_EQ(style.size, 24);
}

}  // namespace
}  // namespace quenta::core
