// The parser on its own, without any module loaded: what it tells an
// observer, with byte offsets, and that this agrees with the runs it makes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "markup/MarkupParser.h"

namespace quenta::core {
namespace {

// A run's bytes, measures and line, as the observer saw it (runs move when
// their line grows, so they are compared by value).
std::string Describe(const TextRun& run, int32_t line) {
    return std::string(run.text.data) + "|" + std::to_string(run.width) + "x" + std::to_string(run.height) + "|" +
           std::to_string(run.pictureNumber) + "|" + std::to_string(run.style.size) + "|line " + std::to_string(line);
}

// Every event as "kind name [begin,end)", runs as "run 'text' [begin,end)".
class EventLog final : public ParseObserver {
public:
    void OnRun(const TextRun& run, int32_t line, int32_t begin, int32_t end) override {
        runs.push_back(Describe(run, line));
        Add("run '" + std::string(run.text.data) + "'", begin, end);
    }
    void OnTag(const TextString& name, int32_t begin, int32_t end) override { Add("tag " + Name(name), begin, end); }
    void OnMalformedTag(const TextString& name, int32_t begin, int32_t end) override {
        Add("malformed " + Name(name), begin, end);
    }
    void OnUnknownName(const TextString& name, int32_t begin, int32_t end) override {
        Add("unknown " + Name(name), begin, end);
    }
    void OnEmptyClose(const TextString& name, int32_t begin, int32_t end) override {
        Add("empty-close " + Name(name), begin, end);
    }
    void OnIgnoredSize(int32_t size, int32_t begin, int32_t end) override {
        Add("ignored-size " + std::to_string(size), begin, end);
    }

    // The events other than runs.
    std::vector<std::string> Tags() const {
        std::vector<std::string> tags;
        for (const auto& e : events) {
            if (e.rfind("run ", 0) != 0) tags.push_back(e);
        }
        return tags;
    }

    std::vector<std::string> events;
    std::vector<std::string> runs;  // as Describe gives them

private:
    static std::string Name(const TextString& name) { return name.data ? name.data : ""; }
    void Add(const std::string& what, int32_t begin, int32_t end) {
        events.push_back(what + " [" + std::to_string(begin) + "," + std::to_string(end) + ")");
    }
};

// Answers every picture as 10 x 20, except number 9.
class TenByTwenty final : public PictureSizes {
public:
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override {
        if (number == 9) return false;
        width = 10;
        height = 20;
        return true;
    }
};

TEST(ParseObserver, ReportsEveryTagWithItsBytes) {
    struct Case {
        const char* text;
        std::vector<std::string> tags;
    };
    for (const Case& c : {
             Case{"a<B>b", {"tag B [1,4)"}},
             Case{"<S30>x</S></S>", {"tag S [0,5)", "tag /S [6,10)", "empty-close /S [10,14)"}},
             Case{"<S300>x", {"ignored-size 300 [0,6)"}},
             Case{"<C255,0>", {"malformed C [0,7)"}},           // resumes in front of ">"
             Case{"<EC1,2,3,4>", {"malformed EC [0,8)"}},       // resumes at the ","
             Case{"<XY12>", {"unknown XY [0,3)"}},
             Case{"<b>", {"unknown  [0,1)"}},                     // "<" and no name
             Case{"<r>", {"unknown  [0,1)"}},
             Case{"x<<y", {}},
             Case{"</C></EC></KC></CE>", {"empty-close /C [0,4)", "empty-close /EC [4,9)", "empty-close /KC [9,14)",
                                          "empty-close /CE [14,19)"}},
             // A switch turned off while off changes nothing, like a pop from
             // an empty stack; on, off and off again tells the second apart.
             Case{"abc</B></E></K>", {"empty-close /B [3,7)", "empty-close /E [7,11)", "empty-close /K [11,15)"}},
             Case{"<B>x</B></B>", {"tag B [0,3)", "tag /B [4,8)", "empty-close /B [8,12)"}},
             Case{"<G1><G9>", {"tag G [0,4)", "malformed G [4,8)"}},
             Case{"A<R>B<CR>", {"tag R [1,4)", "tag CR [5,9)"}},
             Case{"\xB1<R>", {"tag R [1,4)"}},                   // half-width katakana stand alone
             Case{"\x82\xA0<K>", {"tag K [2,5)"}},
             Case{"<S", {"malformed S [0,2)"}},
         }) {
        TenByTwenty pictures;
        MarkupParser parser(&pictures);
        EventLog log;
        parser.Parse(c.text, &log);
        EXPECT_EQ(log.Tags(), c.tags) << c.text;
    }
}

TEST(ParseObserver, RunsCarryTheBytesThatMadeThem) {
    TenByTwenty pictures;
    MarkupParser parser(&pictures);
    EventLog log;
    parser.Parse("a\x82\xA0<<<G1><R><X>", &log);
    EXPECT_EQ(log.events, (std::vector<std::string>{
                              "run 'a' [0,1)", "run '\x82\xA0' [1,3)", "run '<' [3,5)",  // "<<" is one "<"
                              "run '' [5,9)", "tag G [5,9)",                            // the picture
                              "tag R [9,12)",                                            // no filler: the line has runs
                              "run '<' [12,13)", "run 'X' [13,14)", "unknown X [12,14)", "run '>' [14,15)"}));
}

TEST(ParseObserver, ErrorTextAndFillerRunsCoverTheirTag) {
    MarkupParser parser;
    EventLog log;
    parser.Parse("<R><S>", &log);
    ASSERT_EQ(log.events.size(), 1u + 1u + 7u + 1u + 1u);
    EXPECT_EQ(log.events[0], "run ' ' [0,3)");  // the filler of the empty line
    EXPECT_EQ(log.events[1], "tag R [0,3)");
    for (int i = 2; i < 9; ++i) EXPECT_EQ(log.events[i].substr(log.events[i].find('[')), "[3,5)") << i;
    EXPECT_EQ(log.events[9], "malformed S [3,5)");
    EXPECT_EQ(log.events[10], "run '>' [5,6)");
}

TEST(ParseObserver, AgreesWithTheRunsMade) {
    // Every run the parser appends is reported once, in order, on its line,
    // and the reported bytes cover the text without gaps or overlaps.
    const std::string text =
        "<S30><C255,0,0,0,0,255>\xB1\xB2 \x82\xA0</C><R><R><E><K>x<XY>y<S>z<G1>\xCF\xBC\xDE</S><CR><B";
    TenByTwenty pictures;
    MarkupParser parser(&pictures);
    EventLog log;
    parser.Parse(text.c_str(), &log);

    std::vector<std::string> made;
    for (size_t i = 0; i < parser.Lines().lines.size(); ++i) {
        for (const TextRun& run : parser.Lines().lines[i].runs) made.push_back(Describe(run, static_cast<int32_t>(i)));
    }
    EXPECT_EQ(log.runs, made);
    EXPECT_EQ(made.size(), 30u);

    int32_t covered = 0;
    for (const auto& event : log.events) {
        const auto open = event.rfind('[');
        const int32_t begin = std::stoi(event.substr(open + 1));
        const int32_t end = std::stoi(event.substr(event.find(',', open) + 1));
        ASSERT_LE(begin, end) << event;
        EXPECT_LE(begin, covered) << event;  // no gap before any event
        covered = std::max(covered, end);
    }
    EXPECT_EQ(covered, static_cast<int32_t>(text.size()));
}

TEST(ParseObserver, WithoutAnObserverTheRunsAreTheSame) {
    const char* text = "<S30>a<B>b</B><R><XY>\xB1<C1,2,3>c";
    MarkupParser watched;
    MarkupParser plain;
    EventLog log;
    watched.Parse(text, &log);
    plain.Parse(text);
    ASSERT_EQ(watched.Lines().lines.size(), plain.Lines().lines.size());
    for (size_t i = 0; i < plain.Lines().lines.size(); ++i) {
        const auto& a = watched.Lines().lines[i].runs;
        const auto& b = plain.Lines().lines[i].runs;
        ASSERT_EQ(a.size(), b.size());
        for (size_t j = 0; j < a.size(); ++j) {
            EXPECT_STREQ(a[j].text.data, b[j].text.data);
            EXPECT_EQ(a[j].width, b[j].width);
            EXPECT_EQ(std::memcmp(&a[j].style, &b[j].style, sizeof(StyleState)), 0);
        }
    }
}

}  // namespace
}  // namespace quenta::core
