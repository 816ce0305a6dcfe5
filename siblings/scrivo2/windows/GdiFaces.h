// Which GDI font each face name means. The classic Japanese names go to
// CreateFont as they are, with the Shift-JIS character set, so that Windows
// (or wine) finds the face or its own stand-in for it; a name a host pointed
// at a font file means the family that file holds, added for this process
// alone (AddFontResourceEx with FR_PRIVATE).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quenta::scrivo2 {

// A face as CreateFont takes it: the family and the pitch-and-family hint
// that steers the system's choice when it has no face of that name.
struct GdiFace {
    std::wstring family;
    BYTE pitchAndFamily = FIXED_PITCH | FF_MODERN;
};

// A face name as the host sends it (Shift-JIS bytes) and its face; `face`
// is null for a name that resolved to nothing.
struct GdiName {
    std::string name;
    GdiFace* face = nullptr;
};

class GdiFaces {
public:
    GdiFaces() = default;
    GdiFaces(const GdiFaces&) = delete;
    GdiFaces& operator=(const GdiFaces&) = delete;
    // Takes back the font files this registry added.
    ~GdiFaces();

    // The entry for `name`, resolved on its first use through `dc`; never null.
    GdiName* Lookup(HDC dc, std::string_view name);
    // Points `name` at the family of the font file at `path` (ANSI code
    // page); null when the file holds no font GDI can use.
    GdiName* Point(HDC dc, std::string_view name, const char* path);

private:
    GdiName* Find(std::string_view name);
    GdiName* Set(std::string_view name, GdiFace* face);
    GdiFace* Add(std::wstring family, BYTE pitchAndFamily);

    std::vector<std::unique_ptr<GdiFace>> faces_;  // stable addresses
    std::vector<std::unique_ptr<GdiName>> names_;
    std::vector<std::string> files_;  // added with FR_PRIVATE
};

// The font for `face` with cells `size` pixels high (ascent plus descent),
// antialiased; null when GDI cannot make one.
HFONT CreateCellFont(const GdiFace& face, int32_t size);

}  // namespace quenta::scrivo2
