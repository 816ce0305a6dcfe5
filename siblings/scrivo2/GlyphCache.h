// A painter's FreeType library and the cache subsystem on it: faces opened
// on demand from their FaceEntry, character maps, and glyphs rendered once
// per face and size. The library allocates from zeroing memory, which the
// cache manager needs (see ZeroingMemory.h).
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H

#include <cstdint>

#include "ZeroingMemory.h"

namespace quenta::scrivo2 {

class GlyphCache {
public:
    GlyphCache() = default;
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;
    ~GlyphCache();

    // False when FreeType cannot start; the cache is then unusable.
    bool Start();

    FT_Library Library() const { return library_; }
    FTC_Manager Manager() const { return manager_; }
    FTC_CMapCache CharMaps() const { return charMaps_; }
    FTC_ImageCache Images() const { return images_; }

    // How many blocks FreeType has allocated: rendering a glyph allocates,
    // painting glyphs the cache holds does not.
    int64_t AllocatedBlocks() const { return memory_.AllocatedBlocks(); }

private:
    static FT_Error RequestFace(FTC_FaceID id, FT_Library library, FT_Pointer, FT_Face* face);

    ZeroingMemory memory_;  // outlives the library
    FT_Library library_ = nullptr;
    FTC_Manager manager_ = nullptr;
    FTC_CMapCache charMaps_ = nullptr;
    FTC_ImageCache images_ = nullptr;
};

}  // namespace quenta::scrivo2
