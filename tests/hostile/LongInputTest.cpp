// Very long input through a renderer and the real siblings: a million
// characters, a tag name of a megabyte, a million nested opening tags, ten
// thousand SetText calls without Clear. Each must complete, hold memory in
// proportion to the runs (or saved values) it keeps, draw, and give all of
// it back when the renderer ends.
//
// The default suite runs them at a fiftieth of those sizes or so;
// QUENTA_LONG_TESTS=1 runs them at full size. Either way each prints its
// figures (run count, seconds, bytes held per run, peak memory) for the
// record; none is asserted on time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "quenta/BitmapSurface.h"
#include "HeapUse.h"
#include "HostModules.h"
#include "core/MessageRenderer.h"

namespace quenta::testing {

using namespace ::quenta::core;
namespace {

bool FullSize() {
    const char* wanted = std::getenv("QUENTA_LONG_TESTS");
    return wanted && std::strcmp(wanted, "1") == 0;
}

size_t Sized(size_t full, size_t small) { return FullSize() ? full : small; }

// A run costs its record and its few bytes of text; the vector that holds
// the runs may have twice the room it uses.
constexpr size_t kBytesPerRun = 2 * sizeof(TextRun) + 64;
// What the heap may hold after a renderer's end beyond what it held before:
// allocator noise (glibc's count moves by a few kilobytes).
constexpr size_t kLeftOverSlack = 16 * 1024;

struct Figures {
    size_t runs = 0;
    size_t lines = 0;
    size_t textBytes = 0;  // the bytes of text all runs hold
    size_t bytesHeld = 0;  // heap growth from parsing
    size_t bytesLeft = 0;  // heap growth that outlived the renderer
    double parseSeconds = 0;
    double drawSeconds = 0;
};

size_t Growth(size_t before, size_t after) { return after > before ? after - before : 0; }

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class LongInput : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fuzzing::LoadSiblingModules(QUENTA_MODULE_FOLDER, QUENTA_PICTURE_ARCHIVE);
        // What the siblings set up once per process (fonts found, code page
        // table, FreeType's first faces) is set up here, before any count.
        Measure({"<F1>\x82\xA0</F><C1,2,3,4,5,6><E><K><B>\x82\xA0"}, [](MessageRenderer&) {});
    }

    // Parses `texts` with one SetText each, then draws; `inspect` sees the
    // renderer before it ends.
    template <typename Inspect>
    static Figures Measure(const std::vector<std::string>& texts, Inspect&& inspect) {
        Figures figures;
        const size_t before = HeapInUse();
        auto* renderer = new MessageRenderer();
        renderer->SetText("");  // binds the siblings and sizes the glyph buffer
        const size_t bound = HeapInUse();

        auto start = std::chrono::steady_clock::now();
        for (const std::string& text : texts) renderer->SetText(text.c_str());
        figures.parseSeconds = SecondsSince(start);
        figures.bytesHeld = Growth(bound, HeapInUse());
        for (const TextLine& line : renderer->Parser().Lines().lines) {
            ++figures.lines;
            for (const TextRun& run : line.runs) {
                ++figures.runs;
                figures.textBytes += static_cast<size_t>(run.text.Length());
            }
        }

        {
            BitmapPtr target(BitmapSurface::Create(320, 240, 32, true, false));
            start = std::chrono::steady_clock::now();
            renderer->Draw(target.get(), 0, 0);
            figures.drawSeconds = SecondsSince(start);
        }

        inspect(*renderer);
        EXPECT_EQ(renderer->Release(), 0);
        figures.bytesLeft = Growth(before, HeapInUse());
        return figures;
    }

    static void Print(const char* what, const Figures& f) {
        std::printf("%s: %zu runs on %zu lines, %zu text bytes; parse %.3f s, draw %.3f s; "
                    "%zu bytes held (%.1f per run); %zu bytes left after the end; peak RSS %.1f MiB\n",
                    what, f.runs, f.lines, f.textBytes, f.parseSeconds, f.drawSeconds, f.bytesHeld,
                    f.runs ? static_cast<double>(f.bytesHeld) / static_cast<double>(f.runs) : 0.0,
                    f.bytesLeft, static_cast<double>(PeakResidentBytes()) / (1 << 20));
    }

    // Memory in proportion to the runs and their text, and none of it left.
    static void ExpectProportionate(const Figures& f, size_t savedBytes = 0) {
        EXPECT_LE(f.bytesHeld, f.runs * kBytesPerRun + 2 * f.textBytes + 2 * savedBytes + 64 * 1024);
        EXPECT_LE(f.bytesLeft, kLeftOverSlack);
    }
};

// "あいうえおかきくけこ" and five ASCII letters: two-byte and one-byte characters.
std::string Characters(size_t count) {
    static const std::string kPattern =
        "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD\x82\xAF\x82\xB1" "ABCDE";
    constexpr size_t kPatternCharacters = 15;
    std::string text;
    for (size_t n = 0; n < count; ++n) {
        const size_t i = n % kPatternCharacters;
        if (i < 10) {
            text.append(kPattern, 2 * i, 2);
        } else {
            text += kPattern[10 + i];
        }
    }
    return text;
}

TEST_F(LongInput, MillionCharacters) {
    const size_t count = Sized(1'000'000, 20'000);
    const Figures f = Measure({Characters(count)}, [](MessageRenderer&) {});
    Print("a message of many characters", f);
    EXPECT_EQ(f.runs, count);
    EXPECT_EQ(f.lines, 1u);
    ExpectProportionate(f);
}

TEST_F(LongInput, MegabyteLongTagTokens) {
    const size_t length = Sized(1 << 20, 1 << 16);
    struct Case {
        const char* what;
        std::string text;
        size_t runs;
        size_t longestRun;
    };
    for (const Case& c : {
             // An unknown name is echoed: "<", the name as one run, ">".
             Case{"a tag name of a megabyte", "<" + std::string(length, 'A') + ">", 3, length},
             // A number past int32 is an error; its digits are text.
             Case{"a size of a million digits", "<S" + std::string(length, '9') + ">", 7 + length + 1, 1},
         }) {
        size_t longest = 0;
        const Figures f = Measure({c.text}, [&](MessageRenderer& renderer) {
            for (const TextRun& run : renderer.Parser().Lines().lines[0].runs) {
                longest = std::max(longest, static_cast<size_t>(run.text.Length()));
            }
        });
        Print(c.what, f);
        EXPECT_EQ(f.runs, c.runs) << c.what;
        EXPECT_EQ(longest, c.longestRun) << c.what;
        // The renderer keeps its scratch copy of the name as well.
        ExpectProportionate(f, length);
    }
}

TEST_F(LongInput, MillionNestedOpeningTags) {
    const size_t depth = Sized(1'000'000, 20'000);
    struct Case {
        const char* open;
        const char* close;
        size_t savedBytes;  // one saved value on the tag's stack
        int32_t StyleState::*field;
        int32_t inside;
        int32_t outside;
    };
    for (const Case& c : {Case{"<S30>", "</S>", sizeof(int32_t), &StyleState::size, 30, 24},
                          Case{"<CE100>", "</CE>", sizeof(int32_t), &StyleState::centerWidth, 100, -1},
                          Case{"<C1,2,3>", "</C>", sizeof(ColorPair), nullptr, 0, 0}}) {
        std::string opening;
        std::string closing;
        for (size_t i = 0; i < depth; ++i) {
            opening += c.open;
            closing += c.close;
        }
        // Opened in one SetText and closed in the next, with no Clear between.
        const Figures f = Measure({opening + "A", closing + "B"}, [&](MessageRenderer& renderer) {
            const auto& runs = renderer.Parser().Lines().lines[0].runs;
            ASSERT_EQ(runs.size(), 2u);
            if (c.field) {
                EXPECT_EQ(runs[0].style.*c.field, c.inside) << c.open;
                EXPECT_EQ(runs[1].style.*c.field, c.outside) << c.open;
            } else {
                EXPECT_EQ(runs[0].style.color, (RgbColor{1, 2, 3}));
                EXPECT_EQ(runs[1].style.color, (RgbColor{255, 255, 255}));
            }
        });
        Print(c.open, f);
        ExpectProportionate(f, depth * c.savedBytes);
    }
}

TEST_F(LongInput, TenThousandSetTextCallsWithoutClear) {
    const size_t calls = Sized(10'000, 1'000);
    // "<C255,0,0>こんにちは</C><R>": five runs and a line break per call.
    const std::vector<std::string> messages(calls, "<C255,0,0>\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD</C><R>");
    const Figures f = Measure(messages, [](MessageRenderer& renderer) {
        EXPECT_TRUE(renderer.Parser().Stacks().color.empty());
        EXPECT_EQ(renderer.Parser().Lines().lines[0].runs[0].style.color, (RgbColor{255, 0, 0}));
    });
    Print("SetText calls without Clear", f);
    EXPECT_EQ(f.runs, 5 * calls);
    EXPECT_EQ(f.lines, calls + 1);  // the last break opens an empty line
    ExpectProportionate(f);
}

}  // namespace
}  // namespace quenta::testing
