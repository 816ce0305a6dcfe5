#include "FontResolver.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>

namespace quenta::scrivo2 {

namespace {

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

// Families tried in order, before fontconfig's own choice for the generic
// family and the Japanese language. The MS names come first so that a
// system with those fonts (or aliases for them) uses them.
constexpr std::array kGothicFamilies{
    "ＭＳ ゴシック", "MS Gothic", "IPAGothic", "IPAexGothic", "Noto Sans Mono CJK JP",
    "Noto Sans CJK JP", "Source Han Sans JP", "TakaoGothic", "VL Gothic", "monospace", "sans-serif"};
constexpr std::array kMinchoFamilies{
    "ＭＳ 明朝", "MS Mincho", "IPAMincho", "IPAexMincho", "Noto Serif CJK JP",
    "Source Han Serif JP", "TakaoMincho", "serif"};

constexpr std::array kGenericFamilies{"sans-serif", "serif", "monospace", "sans", "mono",
                                      "system-ui", "cursive", "fantasy"};

const FcChar8* U8(const char* s) { return reinterpret_cast<const FcChar8*>(s); }

// Family names compare as fontconfig compares them: blanks and ASCII case
// do not count.
bool SameFamily(const char* a, const char* b) {
    auto next = [](const char*& p) {
        while (*p == ' ') ++p;
        const char c = *p;
        if (c) ++p;
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (;;) {
        const char ca = next(a);
        const char cb = next(b);
        if (ca != cb) return false;
        if (!ca) return true;
    }
}

bool IsOutline(FcPattern* font) {
    FcBool outline = FcFalse;
    return FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch && outline;
}

bool CoversJapanese(FcPattern* font) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch || !charset) return false;
    return FcCharSetHasChar(charset, 0x3042) && FcCharSetHasChar(charset, 0x6F22);
}

std::optional<FontLocation> LocationOf(FcPattern* font) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || !file) return std::nullopt;
    FontLocation location;
    location.path = reinterpret_cast<const char*>(file);
    int index = 0;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) location.index = index;
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch && family) {
        location.family = reinterpret_cast<const char*>(family);
    }
    return location;
}

// The sorted candidates for a pattern, after the configuration's
// substitutions; null when fontconfig is unusable.
FontSetPtr Sorted(FcPattern* pattern) {
    if (!FcConfigSubstitute(nullptr, pattern, FcMatchPattern)) return nullptr;
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    return FontSetPtr(FcFontSort(nullptr, pattern, FcFalse, nullptr, &result));
}

}  // namespace

std::optional<FontLocation> FindJapaneseFace(JapaneseStyle style) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) return std::nullopt;
    if (style == JapaneseStyle::Gothic) {
        for (const char* family : kGothicFamilies) FcPatternAddString(pattern.get(), FC_FAMILY, U8(family));
    } else {
        for (const char* family : kMinchoFamilies) FcPatternAddString(pattern.get(), FC_FAMILY, U8(family));
    }
    FcPatternAddString(pattern.get(), FC_LANG, U8("ja"));
    FontSetPtr fonts = Sorted(pattern.get());
    if (!fonts) return std::nullopt;
    // Fonts come in order of preference: families first, then language.
    FcPattern* firstOutline = nullptr;
    for (int i = 0; i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        if (!IsOutline(font)) continue;
        if (!firstOutline) firstOutline = font;
        if (CoversJapanese(font)) return LocationOf(font);
    }
    if (firstOutline) return LocationOf(firstOutline);
    return std::nullopt;
}

std::optional<FontLocation> FindFamily(const std::string& family) {
    if (family.empty()) return std::nullopt;
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, U8(family.c_str()));
    FontSetPtr fonts = Sorted(pattern.get());
    if (!fonts) return std::nullopt;
    bool generic = false;
    for (const char* name : kGenericFamilies) {
        if (SameFamily(name, family.c_str())) generic = true;
    }
    for (int i = 0; i < fonts->nfont; ++i) {
        FcPattern* font = fonts->fonts[i];
        if (!IsOutline(font)) continue;
        if (generic) return LocationOf(font);
        // fontconfig always offers something; only the family itself counts.
        FcChar8* name = nullptr;
        for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &name) == FcResultMatch; ++k) {
            if (name && SameFamily(reinterpret_cast<const char*>(name), family.c_str())) return LocationOf(font);
        }
        return std::nullopt;  // the best outline candidate is another family
    }
    return std::nullopt;
}

}  // namespace quenta::scrivo2
