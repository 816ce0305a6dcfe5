#include "GdiPainter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "CellBox.h"
#include "CoverageBlend24.h"
#include "CoverageBlend32.h"
#include "GlyphPixels.h"
#include "quenta/FaceNames.h"
#include "quenta/Ref.h"
#include "quenta/SlotGuard.h"

namespace quenta::scrivo2 {

namespace {

uint8_t ClampComponent(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

// The UTF-16 character of one code page 932 character of `bytes` bytes; 0
// for bytes that are no character there.
wchar_t Decode(const char* p, int32_t bytes) {
    wchar_t wide[2] = {};
    if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, p, bytes, wide, 2) != 1) return 0;
    return wide[0];
}

}  // namespace

GdiPainter* GdiPainter::Create() {
    Ref<GdiPainter> painter(new GdiPainter());
    if (!painter->glyphs_.Start()) return nullptr;
    return painter.release();
}

int32_t GdiPainter::SetSize(int32_t size) {
    if (size != size_) {
        size_ = size;
        strikeDirty_ = true;
    }
    return 0;
}

int32_t GdiPainter::SetColor(int32_t r, int32_t g, int32_t b) {
    red_ = ClampComponent(r);
    green_ = ClampComponent(g);
    blue_ = ClampComponent(b);
    return 0;
}

int32_t GdiPainter::SetFace(const char* faceName) {
    if (!faceName) return 0;
    if (current_ && current_->name == faceName) return current_->face ? 1 : 0;
    return Guarded([&] {
        GdiName* entry = faces_.Lookup(glyphs_.Dc(), faceName);
        if (!entry->face) return 0;  // nothing by that name: keep the current face
        current_ = entry;
        strikeDirty_ = true;
        return 1;
    });
}

bool GdiPainter::SetFontFile(const char* faceName, const char* path) {
    if (!faceName || !path || !*path) return false;
    return Guarded([&] {
        GdiName* entry = faces_.Point(glyphs_.Dc(), faceName, path);
        if (!entry) return false;
        if (current_ == entry) strikeDirty_ = true;
        return true;
    });
}

bool GdiPainter::EnsureStrike() {
    if (!current_ && !defaultTried_) {
        defaultTried_ = true;
        GdiName* entry = Guarded([&] { return faces_.Lookup(glyphs_.Dc(), kGothicFace); });
        if (entry && entry->face) current_ = entry;
    }
    if (!strikeDirty_) return strikeValid_;
    strikeDirty_ = false;
    strikeValid_ = current_ && current_->face && glyphs_.Select(*current_->face, size_);
    return strikeValid_;
}

template <typename Lay>
int32_t GdiPainter::ForEachGlyph(int64_t x, int64_t y, const char* text, const Box& clip, Lay&& lay) {
    const int32_t baseline = glyphs_.Baseline();
    int32_t laid = 0;
    ForEachCell(x, size_, text, clip, [&](const char* character, int32_t bytes, int64_t cellLeft, int64_t cellRight) {
        const wchar_t wide = Decode(character, bytes);
        if (wide == 0) return;
        const GdiGlyph& glyph = glyphs_.Glyph(wide);
        if (!glyph.present || glyph.coverage.empty()) return;
        GlyphSpan span;
        if (!PlaceGlyph(glyph.width, glyph.height, glyph.left, glyph.top, glyph.advance, cellLeft, cellRight, y,
                        baseline, clip, span)) {
            return;
        }
        lay(glyph.coverage.data() + static_cast<std::ptrdiff_t>(span.row) * glyph.pitch + span.column,
            static_cast<std::ptrdiff_t>(glyph.pitch), span.dx, span.dy, span.w, span.h);
        ++laid;
    });
    return laid;
}

int32_t GdiPainter::PaintText(Surface* target, int32_t x, int32_t y, const char* text) {
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
        const std::ptrdiff_t bpp = depth / 8;
        return ForEachGlyph(x, y, text, clip,
                            [&](const uint8_t* rows, std::ptrdiff_t rowPitch, int64_t dx, int64_t dy, int32_t w,
                                int32_t h) {
                                uint8_t* dst = origin + static_cast<std::ptrdiff_t>(dy - clip.top) * pitch +
                                               static_cast<std::ptrdiff_t>(dx - clip.left) * bpp;
                                if (depth == 24) {
                                    BlendCoverage24(dst, pitch, rows, rowPitch, w, h, red_, green_, blue_);
                                } else {
                                    BlendCoverage32(dst, pitch, rows, rowPitch, w, h, red_, green_, blue_);
                                }
                            });
    });
}

int32_t GdiPainter::PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) {
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
        return ForEachGlyph(x, y, text, clip,
                            [&](const uint8_t* rows, std::ptrdiff_t rowPitch, int64_t dx, int64_t dy, int32_t w,
                                int32_t h) {
                                uint8_t* dst = origin + static_cast<std::ptrdiff_t>(dy - clip.top) * pitch +
                                               static_cast<std::ptrdiff_t>(dx - clip.left);
                                MaxGray(dst, pitch, rows, rowPitch, w, h);
                            });
    });
}

}  // namespace quenta::scrivo2
