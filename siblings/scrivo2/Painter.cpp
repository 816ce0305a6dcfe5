#include "Painter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "CoverageBlend24.h"
#include "CoverageBlend32.h"
#include "GlyphPixels.h"
#include "GlyphWalk.h"
#include "quenta/FaceNames.h"
#include "quenta/Ref.h"
#include "quenta/SlotGuard.h"

namespace quenta::scrivo2 {

namespace {

uint8_t ClampComponent(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

Painter* Painter::Create() {
    Ref<Painter> painter(new Painter());
    if (!painter->glyphs_.Start()) return nullptr;
    return painter.release();
}

int32_t Painter::SetSize(int32_t size) {
    if (size != size_) {
        size_ = size;
        strikeDirty_ = true;
    }
    return 0;
}

int32_t Painter::SetColor(int32_t r, int32_t g, int32_t b) {
    red_ = ClampComponent(r);
    green_ = ClampComponent(g);
    blue_ = ClampComponent(b);
    return 0;
}

void Painter::Select(NameEntry* entry) {
    currentName_ = entry;
    if (entry->face != currentFace_) {
        currentFace_ = entry->face;
        strikeDirty_ = true;
    }
}

int32_t Painter::SetFace(const char* faceName) {
    if (!faceName) return 0;
    if (currentName_ && currentName_->name == faceName) return currentFace_ ? 1 : 0;
    return Guarded([&] {
        NameEntry* entry = faces_.Lookup(faceName);
        if (!entry->face) return 0;  // nothing by that name: keep the current face
        Select(entry);
        return 1;
    });
}

bool Painter::SetFontFile(const char* faceName, const char* path) {
    if (!faceName || !path) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(glyphs_.Library(), path, 0, &face) != 0) return false;
    const bool usable = FT_IS_SCALABLE(face) && face->charmap != nullptr;
    FT_Done_Face(face);
    if (!usable) return false;
    return Guarded([&] {
        NameEntry* entry = faces_.Point(faceName, path);
        if (currentName_ == entry) Select(entry);
        return true;
    });
}

std::string Painter::CurrentFontPath() {
    EnsureStrike();
    return currentFace_ ? currentFace_->path : std::string();
}

bool Painter::EnsureStrike() {
    if (!currentFace_ && !defaultTried_) {
        defaultTried_ = true;
        NameEntry* entry = Guarded([&] { return faces_.Lookup(kGothicFace); });
        if (!entry) return false;
        if (entry->face) Select(entry);
    }
    if (!strikeDirty_) return strike_.valid;
    strikeDirty_ = false;
    strike_ = {};
    if (currentFace_ && size_ <= kMaxGlyphSize) strike_ = MakeStrike(glyphs_.Manager(), *currentFace_, size_);
    return strike_.valid;
}

int32_t Painter::PaintText(Surface* target, int32_t x, int32_t y, const char* text) {
    return Guarded([&]() -> int32_t {
        if (!target || !text || !*text || size_ <= 0 || size_ > kMaxGlyphSize) return 0;
        if (!target->HasPixels()) return 0;
        const int32_t depth = target->GetDepth();
        if (depth != 24 && depth != 32) return 0;
        const int32_t width = target->GetWidth();
        const int32_t height = target->GetHeight();
        if (width <= 0 || height <= 0) return 0;
        const Box clip = CellsWithin(x, y, text, size_, width, height);
        if (clip.left >= clip.right || clip.top >= clip.bottom) return 0;
        if (!EnsureStrike()) return 0;
        uint8_t* origin = target->GetPixelAddress(static_cast<int32_t>(clip.left), static_cast<int32_t>(clip.top));
        if (!origin) return 0;
        const std::ptrdiff_t pitch = target->GetPitch();
        const uint8_t r = red_, g = green_, b = blue_;
        int32_t laid = 0;
        auto lay = [&](const uint8_t* rows, std::ptrdiff_t rowPitch, int32_t column, bool mono, int64_t dx,
                       int64_t dy, int32_t w, int32_t h) {
            const std::ptrdiff_t bpp = depth / 8;
            uint8_t* dst = origin + static_cast<std::ptrdiff_t>(dy - clip.top) * pitch +
                           static_cast<std::ptrdiff_t>(dx - clip.left) * bpp;
            if (mono) {
                if (depth == 24) {
                    BlendMono<3>(dst, pitch, rows, rowPitch, column, w, h, r, g, b);
                } else {
                    BlendMono<4>(dst, pitch, rows, rowPitch, column, w, h, r, g, b);
                }
            } else if (depth == 24) {
                BlendCoverage24(dst, pitch, rows + column, rowPitch, w, h, r, g, b);
            } else {
                BlendCoverage32(dst, pitch, rows + column, rowPitch, w, h, r, g, b);
            }
            ++laid;
        };
        ForEachGlyph(glyphs_, strike_, size_, x, y, text, clip, lay);
        return laid;
    });
}

int32_t Painter::PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) {
    return Guarded([&]() -> int32_t {
        if (!buffer || !text || !*text || size_ <= 0 || !buffer->HasAlpha()) return 0;
        const int32_t width = buffer->GetWidth();
        const int32_t height = buffer->GetHeight();
        if (width <= 0 || height <= 0) return 0;
        const Box clip = CellsWithin(x, y, text, size_, width, height);
        if (clip.left >= clip.right || clip.top >= clip.bottom) return 0;
        uint8_t* origin = buffer->GetAlphaAddress(static_cast<int32_t>(clip.left), static_cast<int32_t>(clip.top));
        if (!origin) return 0;
        const std::ptrdiff_t pitch = buffer->GetAlphaPitch();
        // The whole cell first, so that every byte of it is written.
        const auto clearWidth = static_cast<size_t>(clip.right - clip.left);
        uint8_t* row = origin;
        for (int64_t j = clip.top; j < clip.bottom; ++j, row += pitch) std::memset(row, 0, clearWidth);
        if (size_ > kMaxGlyphSize || !EnsureStrike()) return 0;
        int32_t laid = 0;
        auto lay = [&](const uint8_t* rows, std::ptrdiff_t rowPitch, int32_t column, bool mono, int64_t dx,
                       int64_t dy, int32_t w, int32_t h) {
            uint8_t* dst = origin + static_cast<std::ptrdiff_t>(dy - clip.top) * pitch +
                           static_cast<std::ptrdiff_t>(dx - clip.left);
            if (mono) {
                MaxMono(dst, pitch, rows, rowPitch, column, w, h);
            } else {
                MaxGray(dst, pitch, rows + column, rowPitch, w, h);
            }
            ++laid;
        };
        ForEachGlyph(glyphs_, strike_, size_, x, y, text, clip, lay);
        return laid;
    });
}

}  // namespace quenta::scrivo2
