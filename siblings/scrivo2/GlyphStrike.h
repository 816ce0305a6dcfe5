// One face at one size with the glyphs rendered in it, found again by their
// Shift-JIS bytes: a character is decoded, looked up in the face's character
// map and rendered once, and from then on read straight out of a table.
//
// Scrivo2 keeps its own cache rather than FreeType's cache subsystem: the
// latter (2.12) starts its byte count from whatever the heap held, so in a
// host whose heap has been used it can flush on every look-up and render
// every glyph anew.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace quenta::scrivo2 {

// A rendered glyph: its coverage bitmap and where it sits from the pen.
struct Glyph {
    std::unique_ptr<uint8_t[]> coverage;  // `height` rows of `pitch` bytes
    int32_t pitch = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool mono = false;     // 1 bit per pixel, most significant first
    int32_t left = 0;      // bitmap's first column, right of the pen
    int32_t top = 0;       // its first row, above the baseline
    int64_t advance = 0;   // whole pixels, rounded
};

class GlyphStrike {
public:
    // A strike of `face` at `charSize` (26.6 points at 72 dpi) rendering with
    // `loadFlags`; null when FreeType cannot make the size.
    static std::unique_ptr<GlyphStrike> Open(FT_Face face, FT_F26Dot6 charSize, FT_Int32 loadFlags);
    GlyphStrike(const GlyphStrike&) = delete;
    GlyphStrike& operator=(const GlyphStrike&) = delete;
    ~GlyphStrike();

    FT_Face Face() const { return face_; }
    FT_F26Dot6 CharSize() const { return charSize_; }

    // The glyph of the character whose `bytes` (1 or 2) bytes start at `p`;
    // null when nothing is drawn for it (no such character in code page 932
    // or in the face, or nothing FreeType could render as coverage).
    const Glyph* Find(const unsigned char* p, int32_t bytes) {
        const int page = bytes == 2 ? 1 + LeadIndex(p[0]) : 0;
        const unsigned char cell = bytes == 2 ? p[1] : p[0];
        if (const Page* found = pages_[static_cast<size_t>(page)].get(); found && found->known[cell]) {
            const Glyph& glyph = found->glyphs[cell];
            return glyph.coverage ? &glyph : nullptr;
        }
        return Render(p, bytes, page, cell);
    }

    size_t CoverageBytes() const { return coverageBytes_; }
    int64_t RenderedCount() const { return renderedCount_; }
    // Forgets every glyph (they are rendered again when next asked for).
    void Flush();

private:
    struct Page {
        std::array<Glyph, 256> glyphs;
        std::array<bool, 256> known{};
    };

    GlyphStrike(FT_Face face, FT_Size size, FT_F26Dot6 charSize, FT_Int32 loadFlags)
        : face_(face), size_(size), charSize_(charSize), loadFlags_(loadFlags) {}
    static int LeadIndex(unsigned char c) { return c <= 0x9F ? c - 0x81 : c - 0xE0 + 31; }
    const Glyph* Render(const unsigned char* p, int32_t bytes, int page, unsigned char cell);

    FT_Face face_;
    FT_Size size_;  // owned
    FT_F26Dot6 charSize_;
    FT_Int32 loadFlags_;
    std::array<std::unique_ptr<Page>, 61> pages_;  // single bytes, then one per lead byte
    size_t coverageBytes_ = 0;
    int64_t renderedCount_ = 0;
};

}  // namespace quenta::scrivo2
