// Failures inside the module stay inside it: a tag name that cannot be
// stored is a malformed tag (never the name read before it), and nothing a
// sibling throws leaves a renderer's slot.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "quenta/BitmapSurface.h"
#include "QuietTextPainter.h"
#include "RendererFixture.h"
#include "markup/MarkupParser.h"

namespace {

// While set, every array of more than 16 bytes asked of the non-throwing
// new fails, as on an exhausted heap.
bool failLargeArrays = false;

}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (failLargeArrays && size > 16) return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace quenta::testing {
namespace {

TEST(UnstorableTagName, IsMalformedRatherThanTheNameBefore) {
    MarkupParser parser;
    parser.Parse("<SPW5>");  // the parser's name buffer now holds "SPW"
    failLargeArrays = true;
    parser.Parse("<SPWAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA9>x");
    failLargeArrays = false;
    EXPECT_EQ(parser.Style().charSpacing, 5);
    std::string texts;
    for (const TextRun& run : parser.Lines().lines[0].runs) texts += std::string(run.text.data) + "|";
    EXPECT_EQ(texts, "<|e|r|r|o|r|>|9|>|x|");
}

class ThrowingPainter final : public QuietTextPainter {
public:
    int32_t PaintText(Surface*, int32_t, int32_t, const char*) override { throw std::runtime_error("paint"); }
    int32_t PaintCoverage(Surface*, int32_t, int32_t, const char*) override { throw 42; }
    int32_t SetSize(int32_t size) override {
        if (size == 30) throw std::bad_alloc();
        return 1;
    }
};

using SlotSafety = RendererTest;

TEST_F(SlotSafety, NothingASiblingThrowsLeavesDraw) {
    BitmapPtr target(BitmapSurface::Create(64, 64, 24, true, false));
    ThrowingPainter throwing;
    renderer->SetText("");
    TextPainter* bound = renderer->scrivo;
    ASSERT_NE(bound, nullptr) << "the first SetText binds Scrivo2";
    for (const char* text : {"A", "<C1,2,3,4,5,6>A", "<S30>A"}) {
        renderer->Clear();
        renderer->SetText(text);
        renderer->scrivo = &throwing;
        EXPECT_NO_THROW(renderer->Draw(target.get(), 0, 0)) << text;
        renderer->scrivo = bound;
    }
}

}  // namespace
}  // namespace quenta::testing
