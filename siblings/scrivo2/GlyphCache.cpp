#include "GlyphCache.h"

#include FT_MODULE_H

#include "FaceEntry.h"

namespace quenta::scrivo2 {

namespace {

// Cache limits: a few faces and sizes are live at once in a message; glyph
// bitmaps of a message at common sizes take well under a megabyte.
constexpr FT_UInt kMaxFaces = 8;
constexpr FT_UInt kMaxSizes = 8;
constexpr FT_ULong kMaxBytes = 8u << 20;

}  // namespace

bool GlyphCache::Start() {
    // As FT_Init_FreeType, but on the zeroing memory the cache needs.
    if (FT_New_Library(memory_.Get(), &library_) != 0) {
        library_ = nullptr;
        return false;
    }
    FT_Add_Default_Modules(library_);
    FT_Set_Default_Properties(library_);
    if (FTC_Manager_New(library_, kMaxFaces, kMaxSizes, kMaxBytes, &RequestFace, nullptr, &manager_) != 0) {
        manager_ = nullptr;
        return false;
    }
    return FTC_CMapCache_New(manager_, &charMaps_) == 0 && FTC_ImageCache_New(manager_, &images_) == 0;
}

GlyphCache::~GlyphCache() {
    if (manager_) FTC_Manager_Done(manager_);  // its faces, sizes and glyphs
    if (library_) FT_Done_Library(library_);
}

FT_Error GlyphCache::RequestFace(FTC_FaceID id, FT_Library library, FT_Pointer, FT_Face* face) {
    const auto* entry = static_cast<const FaceEntry*>(id);
    return FT_New_Face(library, entry->path.c_str(), entry->index, face);
}

}  // namespace quenta::scrivo2
