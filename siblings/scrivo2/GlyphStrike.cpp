#include "GlyphStrike.h"

#include FT_SIZES_H

#include <cstring>
#include <new>

#include "ShiftJis.h"

namespace quenta::scrivo2 {

std::unique_ptr<GlyphStrike> GlyphStrike::Open(FT_Face face, FT_F26Dot6 charSize, FT_Int32 loadFlags) {
    FT_Size size = nullptr;
    if (FT_New_Size(face, &size) != 0) return nullptr;
    if (FT_Activate_Size(size) != 0 || FT_Set_Char_Size(face, charSize, charSize, 72, 72) != 0) {
        FT_Done_Size(size);
        return nullptr;
    }
    std::unique_ptr<GlyphStrike> strike(new (std::nothrow) GlyphStrike(face, size, charSize, loadFlags));
    if (!strike) FT_Done_Size(size);
    return strike;
}

GlyphStrike::~GlyphStrike() { FT_Done_Size(size_); }

void GlyphStrike::Flush() {
    for (auto& page : pages_) page.reset();
    coverageBytes_ = 0;
}

const Glyph* GlyphStrike::Render(const unsigned char* p, int32_t bytes, int page, unsigned char cell) {
    auto& slot = pages_[static_cast<size_t>(page)];
    if (!slot) {
        slot.reset(new (std::nothrow) Page());
        if (!slot) return nullptr;  // no memory: nothing drawn, asked again next time
    }
    slot->known[cell] = true;
    Glyph& glyph = slot->glyphs[cell];
    // A two-byte character always decodes as two bytes here: the caller
    // only passes 2 when a non-zero trail byte follows the lead byte.
    const DecodedChar ch = Cp932Table::Get().Decode(p);
    if (ch.code == 0 || ch.bytes != bytes) return nullptr;
    const FT_UInt index = FT_Get_Char_Index(face_, ch.code);
    if (index == 0) return nullptr;  // the face lacks it: nothing rather than a box
    if (FT_Activate_Size(size_) != 0 || FT_Load_Glyph(face_, index, loadFlags_) != 0) return nullptr;
    const FT_GlyphSlot rendered = face_->glyph;
    if (rendered->format != FT_GLYPH_FORMAT_BITMAP) return nullptr;
    const FT_Bitmap& bitmap = rendered->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.pitch <= 0 || !bitmap.buffer) return nullptr;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return nullptr;
    const size_t size = static_cast<size_t>(bitmap.pitch) * bitmap.rows;
    glyph.coverage.reset(new (std::nothrow) uint8_t[size]);
    if (!glyph.coverage) {
        slot->known[cell] = false;
        return nullptr;
    }
    std::memcpy(glyph.coverage.get(), bitmap.buffer, size);
    glyph.pitch = bitmap.pitch;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.height = static_cast<int32_t>(bitmap.rows);
    glyph.mono = mono;
    glyph.left = rendered->bitmap_left;
    glyph.top = rendered->bitmap_top;
    // As FreeType's glyph objects round it: 26.6 widened to 16.16, then to pixels.
    glyph.advance = (static_cast<int64_t>(rendered->advance.x) * 1024 + 0x8000) >> 16;
    coverageBytes_ += size;
    ++renderedCount_;
    return &glyph;
}

}  // namespace quenta::scrivo2
