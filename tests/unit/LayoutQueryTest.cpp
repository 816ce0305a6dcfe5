// The layout query against what the draw pass really covers: every case is
// drawn on a large canvas through a painter that inks each character's whole
// cell and a Plotra that fills each rectangle, and the pixels that changed
// must fill exactly the extent the query predicts. No module is loaded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "quenta/BitmapSurface.h"
#include "QuietTextPainter.h"
#include "layout/DrawnExtent.h"
#include "markup/MarkupParser.h"
#include "render/BlendTable.h"
#include "render/DrawPass.h"
#include "render/GlyphBuffer.h"

namespace quenta::core {
namespace {

int32_t CellWidth(const char* text, int32_t size) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{static_cast<int32_t>(std::strlen(text))} * size / 2, INT32_MAX));
}

bool IsBlank(const char* text) {
    while (*text == ' ') ++text;
    return *text == '\0';
}

// Fills [x, x + w) x [y, y + h), clipped, with one colour.
void FillBox(Surface* target, int64_t x, int64_t y, int64_t w, int64_t h, uint8_t r, uint8_t g, uint8_t b) {
    const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(x + w, target->GetWidth()), y1 = std::min<int64_t>(y + h, target->GetHeight());
    for (int64_t j = y0; j < y1; ++j) {
        for (int64_t i = x0; i < x1; ++i) {
            uint8_t* p = target->GetPixelAddress(static_cast<int32_t>(i), static_cast<int32_t>(j));
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    }
}

// A painter whose glyphs are solid cells; blanks have no ink.
class CellPainter final : public testing::QuietTextPainter {
public:
    int32_t PaintText(Surface* target, int32_t x, int32_t y, const char* text) override {
        if (!IsBlank(text)) FillBox(target, x, y, CellWidth(text, size_), size_, r_, g_, b_);
        return 1;
    }
    int32_t PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) override {
        const int32_t w = std::min(CellWidth(text, size_), buffer->GetWidth() - x);
        const int32_t h = std::min(size_, buffer->GetHeight() - y);
        for (int32_t j = 0; j < h; ++j) std::memset(buffer->GetAlphaAddress(x, y + j), IsBlank(text) ? 0 : 255, w);
        return 1;
    }
    int32_t SetSize(int32_t size) override {
        size_ = size;
        return 1;
    }
    int32_t SetColor(int32_t r, int32_t g, int32_t b) override {
        r_ = static_cast<uint8_t>(r);
        g_ = static_cast<uint8_t>(g);
        b_ = static_cast<uint8_t>(b);
        return 1;
    }

private:
    int32_t size_ = 24;
    uint8_t r_ = 0, g_ = 0, b_ = 0;
};

// A Plotra that fills every rectangle it is handed.
class FillingPlotra final : public Plotra {
public:
    int32_t AddRef() override { return 1; }
    int32_t Release() override { return 1; }
    bool Startup() override { return true; }
    int32_t Setup(int32_t) override { return 1; }
    int32_t CopyRect(Surface* t, int32_t dx, int32_t dy, Surface*, int32_t, int32_t, int32_t w, int32_t h) override {
        FillBox(t, dx, dy, w, h, 200, 10, 10);
        return 1;
    }
    int32_t Reserved5() override { return 0; }
    int32_t Reserved6() override { return 0; }
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t BlendRect(Surface* t, int32_t dx, int32_t dy, Surface*, int32_t, int32_t, int32_t w, int32_t h) override {
        FillBox(t, dx, dy, w, h, 10, 200, 10);
        return 1;
    }
    int32_t Reserved11() override { return 0; }
    int32_t BlendColorRect(Surface* t, int32_t dx, int32_t dy, Surface*, int32_t, int32_t, int32_t w, int32_t h,
                           int32_t r, int32_t g, int32_t b) override {
        FillBox(t, dx, dy, w, h, static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
        return 1;
    }
};

// Picture n is n x 2n pixels with a colour plane; picture 5 is a mask.
class Pictures final : public PictureSizes, public PictureSource {
public:
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override {
        if (number <= 0) return false;
        width = number;
        height = 2 * number;
        return true;
    }
    Surface* GetPicture(int32_t number) override {
        for (auto& [n, picture] : made_) {
            if (n == number) return picture.get();
        }
        made_.emplace_back(number, BitmapPtr(BitmapSurface::Create(number, 2 * number, 24, number != 5, number == 5)));
        return made_.back().second.get();
    }

private:
    std::vector<std::pair<int32_t, BitmapPtr>> made_;
};

class LayoutQuery : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(table.Build());
        ASSERT_TRUE(coverage.Create(256, 256, true));
    }

    // The box of the pixels that drawing `text` at the origin changed,
    // relative to the origin.
    Extent Drawn(const MarkupParser& parser) {
        canvas->Fill(1, 2, 3);
        DrawTools tools;
        tools.painter = &painter;
        tools.plotra = &plotra;
        tools.blendTable = table.rows;
        tools.coverage = &coverage;
        tools.pictures = &pictures;
        DrawLines(parser.Lines(), canvas.get(), kOrigin, kOrigin, tools);
        Extent box;
        for (int32_t y = 0; y < canvas->GetHeight(); ++y) {
            const uint8_t* row = canvas->GetPixelAddress(0, y);
            for (int32_t x = 0; x < canvas->GetWidth(); ++x) {
                const uint8_t* p = row + 3 * x;
                if (p[0] == 3 && p[1] == 2 && p[2] == 1) continue;
                box.Include({x - kOrigin, y - kOrigin, x - kOrigin + 1, y - kOrigin + 1});
            }
        }
        return box;
    }

    static constexpr int32_t kOrigin = 1200;
    CellPainter painter;
    FillingPlotra plotra;
    Pictures pictures;
    BlendTable table;
    GlyphBuffer coverage;
    BitmapPtr canvas{BitmapSurface::Create(3000, 3000, 24, true, false)};
};

std::string Lines(int count, const std::string& each) {
    std::string text;
    for (int i = 0; i < count; ++i) text += each + std::to_string(i) + "<R>";
    return text;
}

TEST_F(LayoutQuery, ExtentIsWhatDrawingCovers) {
    struct Case {
        const char* name;
        std::string text;
    };
    for (const Case& c : {
             Case{"plain", "Hello"},
             Case{"tall", Lines(40, "line ")},
             Case{"wide", std::string(120, 'W')},
             Case{"size 250", "<S250>A\x82\xA0"},
             Case{"bold", "<B>x"},
             Case{"edge", "<E>x"},
             Case{"shadow", "<K>x"},
             Case{"every layer", "<B><E><K>xy"},
             Case{"gradient", "<C255,0,0,0,0,255>AB<B>C"},
             Case{"pictures", "a<G3><G5>b<R><G40>"},
             Case{"centred", "<CE300>AB<R>wider line here"},
             Case{"centred left of the origin", "<CE0><S25>\x82\xA0\x82\xA0"},
             Case{"part centred", "A<CE300>B</CE>C"},
             Case{"spacing", "<SPW5><SPH7>ab<R>cd<R><R>e"},
             Case{"blanks around", "   a   <R>   "},
             Case{"mixed sizes", "<S12>a<S48>b</S>c<R><S100>\xB1"},
         }) {
        MarkupParser parser(&pictures);
        parser.Parse(c.text.c_str());
        const Extent predicted = MeasureExtent(parser.Lines());
        const Extent drawn = Drawn(parser);
        EXPECT_FALSE(drawn.IsEmpty()) << c.name;
        EXPECT_EQ(predicted.left, drawn.left) << c.name;
        EXPECT_EQ(predicted.top, drawn.top) << c.name;
        EXPECT_EQ(predicted.right, drawn.right) << c.name;
        EXPECT_EQ(predicted.bottom, drawn.bottom) << c.name;
    }
}

TEST_F(LayoutQuery, NothingToDrawIsEmpty) {
    for (const char* text : {"", "   ", "<R><R>", "<B><CR>", "<S0>abc"}) {
        MarkupParser parser(&pictures);
        parser.Parse(text);
        EXPECT_TRUE(MeasureExtent(parser.Lines()).IsEmpty()) << text;
        EXPECT_TRUE(Drawn(parser).IsEmpty()) << text;
    }
}

TEST_F(LayoutQuery, LineBoxesAsDrawn) {
    MarkupParser parser(&pictures);
    parser.Parse("<SPW2>abc<R><S48><SPH8>x</S>y<R><R>z");
    const std::vector<LineBox> boxes = MeasureLines(parser.Lines());
    ASSERT_EQ(boxes.size(), 4u);
    // Three runs of 12 with spacing 2 after all but the last.
    EXPECT_EQ(boxes[0].top, 0);
    EXPECT_EQ(boxes[0].width, 40);
    EXPECT_EQ(boxes[0].height, 24);
    EXPECT_EQ(boxes[0].gap, 0);
    // The tallest run sets the height, the largest spacing the gap below.
    EXPECT_EQ(boxes[1].top, 24);
    EXPECT_EQ(boxes[1].width, 24 + 2 + 12);
    EXPECT_EQ(boxes[1].height, 48);
    EXPECT_EQ(boxes[1].gap, 8);
    // An empty line keeps the height of its filler.
    EXPECT_EQ(boxes[2].top, 24 + 48 + 8);
    EXPECT_EQ(boxes[2].height, 24);
    EXPECT_EQ(boxes[3].top, 24 + 48 + 8 + 24 + 8);
}

TEST_F(LayoutQuery, AnEnormousGradientRunIsStillDrawn) {
    // A run of 17 million bytes at size 255 is wider than the int32 range
    // allows; its gradient is drawn over the coverage buffer's width rather
    // than not at all.
    const std::string text = "<S255><C255,255,255,0,0,0><" + std::string(17'000'000, 'A');
    MarkupParser parser(&pictures);
    parser.Parse(text.c_str());
    ASSERT_EQ(parser.Lines().lines[0].runs.size(), 2u);
    ASSERT_EQ(parser.Lines().lines[0].runs[1].width, INT32_MAX);
    const Extent drawn = Drawn(parser);
    ASSERT_FALSE(drawn.IsEmpty());
    EXPECT_EQ(drawn.right, 1 + 127 + 256);  // after the "<" run, the coverage buffer's 256 columns
}

}  // namespace
}  // namespace quenta::core
