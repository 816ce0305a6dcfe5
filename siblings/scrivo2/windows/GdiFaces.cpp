#include "GdiFaces.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <set>
#include <utility>

#include "quenta/FaceNames.h"

namespace quenta::scrivo2 {

namespace {

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

struct FamilyList {
    std::set<std::wstring> families;
    bool complete = true;
};

// Nothing may be thrown through GDI's frames: running out of memory ends
// the listing instead.
int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    auto* found = reinterpret_cast<FamilyList*>(list);
    try {
        found->families.insert(font->lfFaceName);
        return 1;
    } catch (...) {
        found->complete = false;
        return 0;
    }
}

// The families GDI offers this process, in every character set.
std::set<std::wstring> Families(HDC dc) {
    FamilyList list;
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &query, AddFamily, reinterpret_cast<LPARAM>(&list), 0);
    if (!list.complete) throw std::bad_alloc();
    return std::move(list.families);
}

// The bytes of the file at `path` (ANSI code page), up to `limit`, and its
// whole size; false when it cannot be read.
bool ReadHead(const char* path, size_t limit, std::vector<uint8_t>& head, uint64_t& size) {
    const HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER length{};
    bool read = GetFileSizeEx(file, &length) && length.QuadPart > 0;
    if (read) {
        size = static_cast<uint64_t>(length.QuadPart);
        head.resize(static_cast<size_t>(std::min<uint64_t>(size, limit)));
        DWORD got = 0;
        read = ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &got, nullptr) && got == head.size();
    }
    CloseHandle(file);
    return read;
}

// The family among `families` whose font data, as GDI hands it out, is the
// file's own: how a file whose family the process already had is named
// without reading the font's tables here. Empty when none is.
std::wstring FamilyWithData(HDC dc, const std::set<std::wstring>& families, const char* path) {
    constexpr size_t kCompared = 64 * 1024;
    constexpr DWORD kCollection = 0x66637474;  // 'ttcf': a collection's whole file
    std::vector<uint8_t> head;
    uint64_t size = 0;
    if (!ReadHead(path, kCompared, head, size)) return {};
    std::vector<uint8_t> data(head.size());
    for (const std::wstring& family : families) {
        if (family.empty() || family[0] == L'@' || family.size() >= LF_FACESIZE) continue;
        HFONT font = CreateCellFont(GdiFace{family, DEFAULT_PITCH}, 16);
        if (!font) continue;
        HGDIOBJ old = SelectObject(dc, font);
        bool same = false;
        for (const DWORD table : {DWORD{0}, kCollection}) {
            if (GetFontData(dc, table, 0, nullptr, 0) == size &&
                GetFontData(dc, table, 0, data.data(), static_cast<DWORD>(data.size())) == data.size() &&
                data == head) {
                same = true;
                break;
            }
        }
        SelectObject(dc, old);
        DeleteObject(font);
        if (same) return family;
    }
    return {};
}

// Whether GDI has a face of exactly this family.
bool Installed(HDC dc, const GdiFace& face) {
    HFONT font = CreateCellFont(face, 24);
    if (!font) return false;
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, chosen);
    SelectObject(dc, old);
    DeleteObject(font);
    return face.family == chosen;
}

// Where a system lacks the classic faces, the Japanese faces of their style
// that Windows versions and free font packages ship, in order of preference.
const std::vector<std::wstring>& StandIns(bool mincho) {
    static const std::vector<std::wstring> gothic = {
        L"MS Gothic", L"Yu Gothic", L"Meiryo", L"IPAGothic", L"IPAexGothic", L"Noto Sans CJK JP",
        L"Source Han Sans JP", L"TakaoGothic", L"VL Gothic"};
    static const std::vector<std::wstring> serif = {
        L"MS Mincho", L"Yu Mincho", L"IPAMincho", L"IPAexMincho", L"Noto Serif CJK JP", L"Source Han Serif JP",
        L"TakaoMincho"};
    return mincho ? serif : gothic;
}

// Whether GDI answers `face` with a font of that name or, failing that, one
// that holds Japanese: a system without the classic faces stands in for them
// with whatever Japanese face it has.
bool Resolves(HDC dc, const GdiFace& face) {
    HFONT font = CreateCellFont(face, 24);
    if (!font) return false;
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t chosen[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, chosen);
    const bool resolves = face.family == chosen || GetTextCharset(dc) == SHIFTJIS_CHARSET;
    SelectObject(dc, old);
    DeleteObject(font);
    return resolves;
}

}  // namespace

HFONT CreateCellFont(const GdiFace& face, int32_t size) {
    LOGFONTW font{};
    font.lfHeight = size;  // positive: the cell's height, ascent plus descent
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = ANTIALIASED_QUALITY;
    font.lfPitchAndFamily = face.pitchAndFamily;
    const size_t length = std::min<size_t>(face.family.size(), LF_FACESIZE - 1);
    std::copy_n(face.family.c_str(), length, font.lfFaceName);
    return CreateFontIndirectW(&font);
}

GdiFaces::~GdiFaces() {
    for (const std::string& file : files_) RemoveFontResourceExA(file.c_str(), FR_PRIVATE, nullptr);
}

GdiName* GdiFaces::Find(std::string_view name) {
    for (auto& entry : names_) {
        if (entry->name == name) return entry.get();
    }
    return nullptr;
}

GdiName* GdiFaces::Set(std::string_view name, GdiFace* face) {
    GdiName* entry = Find(name);
    if (!entry) {
        names_.push_back(std::make_unique<GdiName>());
        entry = names_.back().get();
        entry->name = name;
    }
    entry->face = face;
    return entry;
}

GdiFace* GdiFaces::Add(std::wstring family, BYTE pitchAndFamily) {
    faces_.push_back(std::make_unique<GdiFace>(GdiFace{std::move(family), pitchAndFamily}));
    return faces_.back().get();
}

GdiName* GdiFaces::Lookup(HDC dc, std::string_view name) {
    if (GdiName* known = Find(name)) return known;
    // Mincho is a serif face, Gothic (and anything else) a sans-serif one.
    const bool mincho = name == kMinchoFace;
    const BYTE hint = mincho ? (FIXED_PITCH | FF_ROMAN) : (FIXED_PITCH | FF_MODERN);
    std::wstring family = Widen(name, 932);
    if (family.empty() || family.size() >= LF_FACESIZE) return Set(name, nullptr);
    GdiFace asked{family, hint};
    if (!Installed(dc, asked) && (mincho || name == kGothicFace)) {
        // A system without the classic face: the first stand-in it has, so
        // that Mincho stays a serif face rather than whatever the
        // character set's default is.
        for (const std::wstring& standIn : StandIns(mincho)) {
            if (Installed(dc, GdiFace{standIn, hint})) return Set(name, Add(standIn, hint));
        }
    }
    GdiFace* face = Add(std::move(family), hint);
    return Set(name, Resolves(dc, *face) ? face : nullptr);
}

GdiName* GdiFaces::Point(HDC dc, std::string_view name, const char* path) {
    const std::set<std::wstring> before = Families(dc);
    if (AddFontResourceExA(path, FR_PRIVATE, nullptr) == 0) return nullptr;
    files_.emplace_back(path);
    // The family the file brought.
    std::wstring family;
    for (const std::wstring& now : Families(dc)) {
        if (!before.count(now) && now[0] != L'@') {
            family = now;
            break;
        }
    }
    // A family the process already had (the file is installed, or a copy
    // of one that is) is told by its font data.
    if (family.empty()) family = FamilyWithData(dc, before, path);
    if (family.empty() || family.size() >= LF_FACESIZE) return nullptr;
    const BYTE hint = name == kMinchoFace ? (FIXED_PITCH | FF_ROMAN) : (FIXED_PITCH | FF_MODERN);
    return Set(name, Add(std::move(family), hint));
}

}  // namespace quenta::scrivo2
