// The showcase drawn through the five real modules, its layout compared with
// the one stored from the Linux build (tests/golden/showcase-places.txt):
// every place where a module asked the target for pixels, in order, so the
// same runs land at the same places. Pixels are compared with the stored
// canvas (tests/golden/showcase-canvas.png) only where they cannot depend on
// the glyphs: the pictures, and the colour of each row of gradient text
// where the glyphs cover it fully. QUENTA_UPDATE_GOLDEN=1 on Linux rewrites
// both files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "PlaceRecorder.h"
#include "quenta/ModuleSet.h"
#include "quenta/Pictura.h"
#if !defined(_WIN32)
#include <png.h>
#endif

namespace quenta::testing {
namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 400;
constexpr int32_t kMargin = 16;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The message as a writer's tool hands it over: each line break but the
// last one a <R>.
std::string MessageOf(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    std::string message;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            message += "<R>";
        } else {
            message += c;
        }
    }
    return message;
}

std::string Describe(const std::vector<Place>& places) {
    std::ostringstream out;
    for (const Place& p : places) out << p.module << ' ' << p.plane << ' ' << p.x << ' ' << p.y << '\n';
    return out.str();
}

struct Drawn {
    BitmapPtr canvas;
    std::vector<Place> places;
};

class ShowcaseLayout : public ::testing::Test {
protected:
    void SetUp() override {
        const host::Result<void> loaded = modules_.Load(QUENTA_MODULE_FOLDER);
        ASSERT_TRUE(loaded) << loaded.Error().Describe();
        const host::Result<void> archive = modules_.SetArchivePath(0, QUENTA_PICTURES);
        ASSERT_TRUE(archive) << archive.Error().Describe();
        host::Result<Ref<Pictura>> pictura = modules_.Create<Pictura>(host::Module::kPictura, kPicturaId);
        ASSERT_TRUE(pictura);
        pictura_ = pictura.Take();
    }

    // On Windows the test shares its process with the sibling tests: Quenta
    // goes first, then the siblings, so that later tests meet modules with
    // fresh state. On Linux the modules stay, as hosts keep them (unloading
    // Scrivo2 would unload fontconfig, whose configuration LeakSanitizer
    // would then count as a leak).
    void TearDown() override {
        pictura_.reset();
#if defined(_WIN32)
        modules_.UnloadAll();
#endif
    }

    Drawn Draw() {
        Drawn drawn;
        host::Result<Ref<IMessageRenderer>> made = modules_.NewRenderer();
        EXPECT_TRUE(made);
        if (!made) return drawn;
        Ref<IMessageRenderer> renderer = made.Take();
        drawn.canvas.reset(BitmapSurface::Create(kWidth, kHeight, 24, true, false));
        drawn.canvas->Fill(0, 0, 0);
        Ref<PlaceRecorder> target(new PlaceRecorder(drawn.canvas.get()));
        renderer->SetText(MessageOf(ReadAll(QUENTA_SHOWCASE_CP932)).c_str());
        renderer->Draw(target.get(), kMargin, kMargin);
        drawn.places = target->Places();
        return drawn;
    }

    Ref<Surface> DecodeFile(const std::string& path) {
        const std::string bytes = ReadAll(path);
        return Ref<Surface>(pictura_->DecodeBytes(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                  static_cast<int32_t>(bytes.size())));
    }

    host::ModuleSet modules_;
    Ref<Pictura> pictura_;
};

#if !defined(_WIN32)
void WriteGolden(BitmapSurface& canvas, const std::vector<Place>& places) {
    std::ofstream(QUENTA_GOLDEN_PLACES, std::ios::binary) << Describe(places);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.GetWidth());
    image.height = static_cast<png_uint_32>(canvas.GetHeight());
    image.format = PNG_FORMAT_BGR;
    ASSERT_TRUE(png_image_write_to_file(&image, QUENTA_GOLDEN_CANVAS, 0, canvas.GetPixelAddress(0, 0),
                                        canvas.GetPitch(), nullptr));
}
#endif

bool SamePixel(Surface& a, Surface& b, int32_t x, int32_t y) {
    const uint8_t* p = a.GetPixelAddress(x, y);
    const uint8_t* q = b.GetPixelAddress(x, y);
    return p[0] == q[0] && p[1] == q[1] && p[2] == q[2];
}

// The brightest colour of row y from x0 to x1, and how many pixels have it.
// Over the black background, gradient text is brightest where its glyphs
// cover a pixel fully, and there it has exactly the row's gradient colour.
std::pair<uint32_t, int> BrightestColour(Surface& s, int32_t y, int32_t x0, int32_t x1) {
    std::pair<uint32_t, int> best{0, 0};
    int bestSum = 0;
    for (int32_t x = x0; x < x1; ++x) {
        const uint8_t* p = s.GetPixelAddress(x, y);
        const int sum = p[0] + p[1] + p[2];
        const uint32_t colour = p[0] | (p[1] << 8) | (p[2] << 16);
        if (sum == 0 || sum < bestSum) continue;
        if (sum > bestSum) {
            best = {colour, 0};
            bestSum = sum;
        }
        if (colour == best.first) ++best.second;
    }
    return best;
}

TEST_F(ShowcaseLayout, SameRunsAtTheSamePlacesAsTheStoredLayout) {
    ASSERT_TRUE(pictura_);
    const Drawn drawn = Draw();
    ASSERT_TRUE(drawn.canvas);
    ASSERT_FALSE(drawn.places.empty());
#if !defined(_WIN32)
    if (std::getenv("QUENTA_UPDATE_GOLDEN")) WriteGolden(*drawn.canvas, drawn.places);
#endif
    EXPECT_EQ(Describe(drawn.places), ReadAll(QUENTA_GOLDEN_PLACES));

    Ref<Surface> golden = DecodeFile(QUENTA_GOLDEN_CANVAS);
    ASSERT_NE(golden, nullptr);
    ASSERT_EQ(golden->GetWidth(), kWidth);
    ASSERT_EQ(golden->GetHeight(), kHeight);
    ASSERT_TRUE(golden->HasPixels());

    // Plotra lays the pictures in message order: <G1>, <G2>, <G3>, <G3>.
    const std::vector<int> order = {1, 2, 3, 3};
    size_t picture = 0;
    int comparedPictures = 0;
    int comparedRows = 0;
    std::map<int32_t, std::pair<int32_t, int32_t>> gradientLines;  // top: left, right
    for (const Place& place : drawn.places) {
        if (place.module == "Plotra" && picture < order.size()) {
            Ref<Surface> file = DecodeFile(std::string(QUENTA_PICTURES) + "/" + std::to_string(order[picture++]) + ".png");
            ASSERT_NE(file, nullptr);
            for (int32_t y = place.y; y < place.y + file->GetHeight() && y < kHeight; ++y) {
                for (int32_t x = place.x; x < place.x + file->GetWidth() && x < kWidth; ++x) {
                    ASSERT_TRUE(SamePixel(*drawn.canvas, *golden, x, y)) << "picture pixel " << x << "," << y;
                }
            }
            ++comparedPictures;
        } else if (place.module == "Quenta") {
            // Gradient runs, one cell each; a line's runs share its rows.
            auto& span = gradientLines.try_emplace(place.y, place.x, place.x + 32).first->second;
            span.first = std::min(span.first, place.x);
            span.second = std::max(span.second, place.x + 32);
        }
    }
    // Each row of each gradient line (the showcase's are 32 pixels high)
    // where both pictures cover some pixels fully.
    for (const auto& [top, span] : gradientLines) {
        for (int32_t y = top; y < top + 32 && y < kHeight; ++y) {
            const auto mine = BrightestColour(*drawn.canvas, y, span.first, std::min(span.second, kWidth));
            const auto stored = BrightestColour(*golden, y, span.first, std::min(span.second, kWidth));
            if (mine.second < 2 || stored.second < 2) continue;
            EXPECT_EQ(mine.first, stored.first) << "gradient row " << y;
            ++comparedRows;
        }
    }
    EXPECT_EQ(comparedPictures, 4);
    EXPECT_GT(comparedRows, 40);
}

}  // namespace
}  // namespace quenta::testing
