#include "FaceRegistry.h"

#include <algorithm>
#include <optional>

#include "FontResolver.h"
#include "ShiftJis.h"
#include "quenta/FaceNames.h"

namespace quenta::scrivo2 {

namespace {

bool ContainsIgnoringAsciiCase(std::string_view haystack, std::string_view needle) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                       [&](char a, char b) { return lower(a) == lower(b); }) != haystack.end();
}

// A Shift-JIS name as UTF-8, for fontconfig.
std::string Utf8FromShiftJis(std::string_view name) {
    std::string utf8;
    const Cp932Table& table = Cp932Table::Get();
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    const auto* end = p + name.size();
    while (p < end && *p) {
        const DecodedChar ch = table.Decode(p);
        p += ch.bytes;
        if (ch.code == 0) continue;
        char bytes[4];
        utf8.append(bytes, static_cast<size_t>(EncodeUtf8(ch.code, bytes)));
    }
    return utf8;
}

std::optional<FontLocation> Resolve(std::string_view name) {
    if (name == kGothicFace) return FindJapaneseFace(JapaneseStyle::Gothic);
    if (name == kMinchoFace) return FindJapaneseFace(JapaneseStyle::Mincho);
    // Any other name is a family name in Shift-JIS.
    const std::string family = Utf8FromShiftJis(name);
    std::optional<FontLocation> location = FindFamily(family);
    if (location) return location;
    // An uninstalled classic Japanese face ("ＭＳ Ｐゴシック", "MS PMincho")
    // still gets a Japanese face of its style.
    if (ContainsIgnoringAsciiCase(family, "ゴシック") || ContainsIgnoringAsciiCase(family, "gothic")) {
        return FindJapaneseFace(JapaneseStyle::Gothic);
    }
    if (ContainsIgnoringAsciiCase(family, "明朝") || ContainsIgnoringAsciiCase(family, "mincho")) {
        return FindJapaneseFace(JapaneseStyle::Mincho);
    }
    return std::nullopt;
}

}  // namespace

NameEntry* FaceRegistry::Lookup(std::string_view name) {
    if (NameEntry* known = Find(name)) return known;
    const std::optional<FontLocation> location = Resolve(name);
    return Add(name, location ? FaceFor(location->path, location->index) : nullptr);
}

NameEntry* FaceRegistry::Point(std::string_view name, const std::string& path) {
    FaceEntry* face = FaceFor(path, 0);
    NameEntry* entry = Find(name);
    if (!entry) return Add(name, face);
    entry->face = face;
    return entry;
}

FaceEntry* FaceRegistry::FaceFor(const std::string& path, int index) {
    for (const auto& face : faces_) {
        if (face->path == path && face->index == index) return face.get();
    }
    auto face = std::make_unique<FaceEntry>();
    face->path = path;
    face->index = index;
    faces_.push_back(std::move(face));
    return faces_.back().get();
}

NameEntry* FaceRegistry::Find(std::string_view name) {
    for (const auto& entry : names_) {
        if (entry->name == name) return entry.get();
    }
    return nullptr;
}

NameEntry* FaceRegistry::Add(std::string_view name, FaceEntry* face) {
    auto entry = std::make_unique<NameEntry>();
    entry->name = std::string(name);
    entry->face = face;
    names_.push_back(std::move(entry));
    return names_.back().get();
}

}  // namespace quenta::scrivo2
