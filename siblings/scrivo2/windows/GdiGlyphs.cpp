#include "GdiGlyphs.h"

#include <algorithm>

namespace quenta::scrivo2 {

namespace {

// How many face and size pairs stay rendered: a message uses a handful.
constexpr size_t kKeptStrikes = 8;

// GGO_GRAY8_BITMAP's levels run from 0 to 64.
uint8_t ScaleLevel(uint8_t level) { return static_cast<uint8_t>((std::min<unsigned>(level, 64) * 255 + 32) / 64); }

}  // namespace

GdiGlyphs::~GdiGlyphs() {
    if (!dc_) return;
    SelectObject(dc_, originalFont_);
    for (Strike& strike : strikes_) DeleteObject(strike.font);
    DeleteDC(dc_);
}

bool GdiGlyphs::Start() {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return false;
    originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
    return true;
}

void GdiGlyphs::Drop(Strike& strike) {
    if (GetCurrentObject(dc_, OBJ_FONT) == strike.font) SelectObject(dc_, originalFont_);
    DeleteObject(strike.font);
}

bool GdiGlyphs::Select(const GdiFace& face, int32_t size) {
    current_ = nullptr;
    if (size <= 0 || size > kMaxGlyphSize) return false;
    auto found = std::find_if(strikes_.begin(), strikes_.end(),
                              [&](const Strike& s) { return s.face == &face && s.size == size; });
    if (found == strikes_.end()) {
        if (strikes_.size() == kKeptStrikes) {
            Drop(strikes_.front());
            strikes_.erase(strikes_.begin());
        }
        HFONT font = CreateCellFont(face, size);
        if (!font) return false;
        SelectObject(dc_, font);
        TEXTMETRICW metrics{};
        if (!GetTextMetricsW(dc_, &metrics)) {
            SelectObject(dc_, originalFont_);
            DeleteObject(font);
            return false;
        }
        strikes_.push_back(Strike{&face, size, font, static_cast<int32_t>(metrics.tmAscent), {}});
        found = strikes_.end() - 1;
    }
    current_ = &*found;
    SelectObject(dc_, current_->font);
    baseline_ = current_->baseline;
    return true;
}

const GdiGlyph& GdiGlyphs::Glyph(wchar_t character) {
    static const GdiGlyph kAbsent;
    if (!current_) return kAbsent;
    auto [slot, added] = current_->glyphs.try_emplace(character);
    GdiGlyph& glyph = slot->second;
    if (!added) return glyph;

    // A character the face lacks draws nothing rather than its default glyph.
    WORD index = 0;
    if (GetGlyphIndicesW(dc_, &character, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
        index == 0xFFFF) {
        return glyph;
    }
    const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    GLYPHMETRICS metrics{};
    const DWORD bytes = GetGlyphOutlineW(dc_, character, GGO_GRAY8_BITMAP, &metrics, 0, nullptr, &identity);
    if (bytes == GDI_ERROR) return glyph;
    glyph.present = true;
    glyph.advance = metrics.gmCellIncX;
    if (bytes == 0) return glyph;  // a space: an advance and no pixels
    std::vector<uint8_t> levels(bytes);
    if (GetGlyphOutlineW(dc_, character, GGO_GRAY8_BITMAP, &metrics, bytes, levels.data(), &identity) ==
        GDI_ERROR) {
        return glyph;
    }
    // Rows of gmBlackBoxX levels, each padded to four bytes.
    const auto width = static_cast<int32_t>(metrics.gmBlackBoxX);
    const auto height = static_cast<int32_t>(metrics.gmBlackBoxY);
    const int32_t pitch = (width + 3) & ~3;
    if (width <= 0 || height <= 0 || static_cast<size_t>(pitch) * height > levels.size()) return glyph;
    glyph.width = width;
    glyph.height = height;
    glyph.pitch = pitch;
    glyph.left = metrics.gmptGlyphOrigin.x;
    glyph.top = metrics.gmptGlyphOrigin.y;
    glyph.coverage.resize(static_cast<size_t>(pitch) * height);
    std::transform(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(glyph.coverage.size()),
                   glyph.coverage.begin(), ScaleLevel);
    return glyph;
}

}  // namespace quenta::scrivo2
