#include "Painter.h"

#include FT_GLYPH_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

#include "CoverageBlend24.h"
#include "CoverageBlend32.h"
#include "FontResolver.h"
#include "ShiftJis.h"

namespace quenta::scrivo2 {

namespace {

// The two face names Quenta sends: "ＭＳ ゴシック" and "ＭＳ 明朝" in Shift-JIS.
constexpr std::string_view kGothicName = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr std::string_view kMinchoName = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";

// Antialiased outlines, lightly hinted (vertical only), never a font's
// embedded bitmaps, rendered once per glyph, face and size by the cache.
constexpr FT_ULong kLoadFlags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT;

// Cache limits: a few faces and sizes are live at once in a message; glyph
// bitmaps of a message at common sizes take well under a megabyte.
constexpr FT_UInt kMaxFaces = 8;
constexpr FT_UInt kMaxSizes = 8;
constexpr FT_ULong kMaxBytes = 8u << 20;

uint8_t ClampComponent(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

template <int Bpp>
void BlendMono(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
               int32_t column, int32_t w, int32_t h, uint8_t r, uint8_t g, uint8_t b) {
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        uint8_t* t = dst;
        for (int32_t i = 0; i < w; ++i, t += Bpp) {
            const int32_t bit = column + i;
            if (!((src[bit >> 3] >> (7 - (bit & 7))) & 1)) continue;
            t[0] = b;
            t[1] = g;
            t[2] = r;
        }
    }
}

void MaxGray(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
             int32_t w, int32_t h) {
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        for (int32_t i = 0; i < w; ++i) dst[i] = std::max(dst[i], src[i]);
    }
}

void MaxMono(uint8_t* dst, std::ptrdiff_t dstPitch, const uint8_t* src, std::ptrdiff_t srcPitch,
             int32_t column, int32_t w, int32_t h) {
    for (int32_t j = 0; j < h; ++j, dst += dstPitch, src += srcPitch) {
        for (int32_t i = 0; i < w; ++i) {
            const int32_t bit = column + i;
            if ((src[bit >> 3] >> (7 - (bit & 7))) & 1) dst[i] = 255;
        }
    }
}

bool ContainsIgnoringAsciiCase(std::string_view haystack, std::string_view needle) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != haystack.end();
}

// The text's cell box, starting at (x, y): byte length * size / 2 wide and
// size high.
struct Extent {
    int64_t right, bottom;
};
Extent CellExtent(int64_t x, int64_t y, const char* text, int32_t size) {
    const auto length = static_cast<int64_t>(std::strlen(text));
    return {x + ((length * size) >> 1), y + size};
}

}  // namespace

Painter* Painter::Create() {
    auto* painter = new (std::nothrow) Painter();
    if (!painter) return nullptr;
    if (!painter->Start()) {
        delete painter;
        return nullptr;
    }
    return painter;
}

bool Painter::Start() {
    size_ = 24;
    // As FT_Init_FreeType, but on the zeroing memory the cache needs.
    if (FT_New_Library(memory_.Get(), &library_) != 0) {
        library_ = nullptr;
        return false;
    }
    FT_Add_Default_Modules(library_);
    FT_Set_Default_Properties(library_);
    if (FTC_Manager_New(library_, kMaxFaces, kMaxSizes, kMaxBytes, &RequestFace, nullptr, &cache_) != 0) {
        cache_ = nullptr;
        return false;
    }
    return FTC_CMapCache_New(cache_, &charMaps_) == 0 && FTC_ImageCache_New(cache_, &images_) == 0;
}

Painter::~Painter() {
    if (cache_) FTC_Manager_Done(cache_);  // its faces, sizes and glyphs
    if (library_) FT_Done_Library(library_);
}

FT_Error Painter::RequestFace(FTC_FaceID id, FT_Library library, FT_Pointer, FT_Face* face) {
    const auto* entry = static_cast<const FaceEntry*>(id);
    return FT_New_Face(library, entry->path.c_str(), entry->index, face);
}

int32_t Painter::AddRef() { return ++refCount_; }

int32_t Painter::Release() {
    int32_t count = refCount_.load();
    do {
        if (count <= 0) return 0;
    } while (!refCount_.compare_exchange_weak(count, count - 1));
    if (count - 1 > 0) return count - 1;
    delete this;
    return 0;
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

Painter::FaceEntry* Painter::FaceFor(const std::string& path, int index) {
    for (const auto& face : faces_) {
        if (face->path == path && face->index == index) return face.get();
    }
    auto face = std::make_unique<FaceEntry>();
    face->path = path;
    face->index = index;
    faces_.push_back(std::move(face));
    return faces_.back().get();
}

Painter::NameEntry* Painter::FindName(std::string_view name) {
    for (const auto& entry : names_) {
        if (entry->name == name) return entry.get();
    }
    return nullptr;
}

Painter::NameEntry* Painter::ResolveName(std::string_view name) {
    std::optional<FontLocation> location;
    if (name == kGothicName) {
        location = FindJapaneseFace(JapaneseStyle::Gothic);
    } else if (name == kMinchoName) {
        location = FindJapaneseFace(JapaneseStyle::Mincho);
    } else {
        // Any other name is a family name in Shift-JIS.
        std::string family;
        const Cp932Table& table = Cp932Table::Get();
        const auto* p = reinterpret_cast<const unsigned char*>(name.data());
        const auto* end = p + name.size();
        while (p < end && *p) {
            const DecodedChar ch = table.Decode(p);
            p += ch.bytes;
            if (ch.code == 0) continue;
            char utf8[4];
            family.append(utf8, static_cast<size_t>(EncodeUtf8(ch.code, utf8)));
        }
        location = FindFamily(family);
        if (!location) {
            // An uninstalled classic Japanese face ("ＭＳ Ｐゴシック", "MS PMincho")
            // still gets a Japanese face of its style.
            if (ContainsIgnoringAsciiCase(family, "ゴシック") || ContainsIgnoringAsciiCase(family, "gothic")) {
                location = FindJapaneseFace(JapaneseStyle::Gothic);
            } else if (ContainsIgnoringAsciiCase(family, "明朝") || ContainsIgnoringAsciiCase(family, "mincho")) {
                location = FindJapaneseFace(JapaneseStyle::Mincho);
            }
        }
    }
    auto entry = std::make_unique<NameEntry>();
    entry->name = std::string(name);
    if (location) entry->face = FaceFor(location->path, location->index);
    names_.push_back(std::move(entry));
    return names_.back().get();
}

void Painter::SelectName(NameEntry* entry) {
    currentName_ = entry;
    if (entry->face != currentFace_) {
        currentFace_ = entry->face;
        strikeDirty_ = true;
    }
}

int32_t Painter::SetFace(const char* faceName) {
    if (!faceName) return 0;
    if (currentName_ && currentName_->name == faceName) return currentFace_ ? 1 : 0;
    try {
        NameEntry* entry = FindName(faceName);
        if (!entry) entry = ResolveName(faceName);
        if (!entry->face) return 0;  // nothing by that name: keep the current face
        SelectName(entry);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool Painter::SetFontFile(const char* faceName, const char* path) {
    if (!faceName || !path) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library_, path, 0, &face) != 0) return false;
    const bool usable = FT_IS_SCALABLE(face) && face->charmap != nullptr;
    FT_Done_Face(face);
    if (!usable) return false;
    try {
        FaceEntry* entry = FaceFor(path, 0);
        NameEntry* name = FindName(faceName);
        if (!name) {
            auto created = std::make_unique<NameEntry>();
            created->name = faceName;
            names_.push_back(std::move(created));
            name = names_.back().get();
        }
        name->face = entry;
        if (currentName_ == name) SelectName(name);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

std::string Painter::CurrentFontPath() {
    EnsureStrike();
    return currentFace_ ? currentFace_->path : std::string();
}

bool Painter::LoadMetrics(FaceEntry* entry) {
    if (entry->metricsKnown) return entry->usable;
    entry->metricsKnown = true;
    entry->usable = false;
    FT_Face face = nullptr;  // the cache's: valid until its next look-up
    if (FTC_Manager_LookupFace(cache_, entry, &face) != 0 || !face) return false;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return false;
    entry->unitsPerEm = face->units_per_EM;
    // The classic layout's cell spans the Windows ascent and descent.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        entry->ascent = os2->usWinAscent;
        entry->descent = os2->usWinDescent;
    } else {
        entry->ascent = face->ascender;
        entry->descent = -face->descender;
    }
    if (entry->ascent <= 0 || entry->ascent + entry->descent <= 0) {
        entry->ascent = entry->unitsPerEm * 7 / 8;
        entry->descent = entry->unitsPerEm - entry->ascent;
    }
    entry->usable = true;
    return true;
}

bool Painter::EnsureStrike() {
    if (!currentFace_ && !defaultTried_) {
        defaultTried_ = true;
        try {
            NameEntry* entry = FindName(kGothicName);
            if (!entry) entry = ResolveName(kGothicName);
            if (entry->face) SelectName(entry);
        } catch (const std::bad_alloc&) {
            return false;
        }
    }
    if (!strikeDirty_) return strike_.valid;
    strikeDirty_ = false;
    strike_.valid = false;
    if (!currentFace_ || size_ <= 0 || size_ > kMaxGlyphSize) return false;
    if (!LoadMetrics(currentFace_)) return false;
    // The ascent plus descent fill the cell's height.
    const int64_t total = currentFace_->ascent + currentFace_->descent;
    const int64_t size = size_;
    // 26.6 sizes at 72 dpi: fractional pixel sizes.
    const int64_t charSize = std::max<int64_t>(1, size * 64 * currentFace_->unitsPerEm / total);
    strike_.scaler.face_id = currentFace_;
    strike_.scaler.width = static_cast<FT_UInt>(charSize);
    strike_.scaler.height = static_cast<FT_UInt>(charSize);
    strike_.scaler.pixel = 0;
    strike_.scaler.x_res = 72;
    strike_.scaler.y_res = 72;
    strike_.baseline = static_cast<int32_t>((2 * size * currentFace_->ascent + total) / (2 * total));
    strike_.valid = true;
    return true;
}

template <typename Lay>
void Painter::LayBitmap(const FT_Bitmap& bitmap, int32_t bitmapLeft, int32_t bitmapTop, int64_t advance,
                        int64_t cellLeft, int64_t cellRight, int64_t y, const Box& clip, Lay& lay) const {
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.pitch <= 0 || !bitmap.buffer) return;
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return;
    // Centred in its cell on its advance, on the strike's baseline.
    const int64_t left = cellLeft + ((cellRight - cellLeft - advance) >> 1) + bitmapLeft;
    const int64_t top = y + strike_.baseline - bitmapTop;
    const int64_t x0 = std::max(left, clip.left);
    const int64_t x1 = std::min(left + static_cast<int64_t>(bitmap.width), clip.right);
    const int64_t y0 = std::max(top, clip.top);
    const int64_t y1 = std::min(top + static_cast<int64_t>(bitmap.rows), clip.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    const auto column = static_cast<int32_t>(x0 - left);
    const uint8_t* rows = bitmap.buffer + static_cast<std::ptrdiff_t>(y0 - top) * bitmap.pitch;
    lay(rows, static_cast<std::ptrdiff_t>(bitmap.pitch), column, mono, x0, y0, static_cast<int32_t>(x1 - x0),
        static_cast<int32_t>(y1 - y0));
}

template <typename Lay>
void Painter::ForEachGlyph(int64_t x, int64_t y, const char* text, const Box& clip, Lay&& lay) {
    const Cp932Table& table = Cp932Table::Get();
    const int64_t size = size_;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    int64_t offset = 0;
    while (*p) {
        // A lead byte takes its trail byte along unless the text ends there.
        const int32_t bytes = IsLeadByte(p[0]) && p[1] != 0 ? 2 : 1;
        const unsigned char* character = p;
        const int64_t cellLeft = x + ((offset * size) >> 1);
        p += bytes;
        offset += bytes;
        const int64_t cellRight = x + ((offset * size) >> 1);
        // A glyph may overhang its cell a little; cells beyond that margin
        // cannot reach the clip box.
        if (cellLeft - size >= clip.right) break;
        if (cellRight + size <= clip.left) continue;
        // A two-byte character always decodes as two bytes here: it is only
        // taken as two when a non-zero trail byte follows the lead byte.
        const DecodedChar ch = table.Decode(character);
        if (ch.code == 0 || ch.bytes != bytes) continue;
        // A character the face lacks draws nothing rather than a box.
        const FT_UInt index = FTC_CMapCache_Lookup(charMaps_, strike_.scaler.face_id, -1, ch.code);
        if (index == 0) continue;
        FT_Glyph glyph = nullptr;
        FTC_Node node = nullptr;  // keeps the glyph alive until unreferenced
        if (FTC_ImageCache_LookupScaler(images_, &strike_.scaler, kLoadFlags, index, &glyph, &node) != 0) {
            continue;
        }
        if (glyph && glyph->format == FT_GLYPH_FORMAT_BITMAP) {
            const auto* rendered = reinterpret_cast<const FT_BitmapGlyphRec*>(glyph);
            // As FreeType rounds a glyph's 16.16 advance to whole pixels.
            const int64_t advance = (static_cast<int64_t>(glyph->advance.x) + 0x8000) >> 16;
            LayBitmap(rendered->bitmap, rendered->left, rendered->top, advance, cellLeft, cellRight, y, clip, lay);
        }
        FTC_Node_Unref(node, cache_);
    }
}

int32_t Painter::PaintText(Surface* target, int32_t x, int32_t y, const char* text) {
    if (!target || !text || !*text || size_ <= 0 || size_ > kMaxGlyphSize) return 0;
    if (!target->HasPixels()) return 0;
    const int32_t depth = target->GetDepth();
    if (depth != 24 && depth != 32) return 0;
    const int32_t width = target->GetWidth();
    const int32_t height = target->GetHeight();
    if (width <= 0 || height <= 0) return 0;
    const Extent extent = CellExtent(x, y, text, size_);
    const Box clip{std::max<int64_t>(x, 0), std::max<int64_t>(y, 0), std::min<int64_t>(extent.right, width),
                   std::min<int64_t>(extent.bottom, height)};
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
    ForEachGlyph(x, y, text, clip, lay);
    return laid;
}

int32_t Painter::PaintCoverage(Surface* buffer, int32_t x, int32_t y, const char* text) {
    if (!buffer || !text || !*text || size_ <= 0 || !buffer->HasAlpha()) return 0;
    const int32_t width = buffer->GetWidth();
    const int32_t height = buffer->GetHeight();
    if (width <= 0 || height <= 0) return 0;
    const Extent extent = CellExtent(x, y, text, size_);
    const Box clip{std::max<int64_t>(x, 0), std::max<int64_t>(y, 0), std::min<int64_t>(extent.right, width),
                   std::min<int64_t>(extent.bottom, height)};
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
    ForEachGlyph(x, y, text, clip, lay);
    return laid;
}

}  // namespace quenta::scrivo2
