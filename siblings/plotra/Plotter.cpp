#include "Plotter.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "quenta/ClipAxis.h"
#include "quenta/SlotGuard.h"

namespace quenta::plotra {

namespace {

// A rectangle after clipping: target and source corners and the size.
struct Span {
    int32_t dx, dy, sx, sy, w, h;
};

bool Clip(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy, int32_t w,
          int32_t h, Span& span) {
    span = {dx, dy, sx, sy, w, h};
    return ClipAxis(span.dx, span.sx, span.w, target->GetWidth(), source->GetWidth()) &&
           ClipAxis(span.dy, span.sy, span.h, target->GetHeight(), source->GetHeight());
}

// Bytes per colour pixel of a surface with a 24- or 32-bit colour plane; 0
// for anything else.
int32_t ColourBytes(Surface* surface) {
    if (!surface->HasPixels()) return 0;
    switch (surface->GetDepth()) {
        case 24: return 3;
        case 32: return 4;
        default: return 0;
    }
}

// x / 255, rounded to nearest, for x in 0..255*255, without division.
inline uint8_t Div255(unsigned x) {
    x += 128;
    return static_cast<uint8_t>((x + (x >> 8)) >> 8);
}

inline void Lay(uint8_t* t, const uint8_t* c, unsigned a) {
    if (a == 0) return;
    if (a == 255) {
        t[0] = c[0];
        t[1] = c[1];
        t[2] = c[2];
        return;
    }
    const unsigned keep = 255 - a;
    t[0] = Div255(c[0] * a + t[0] * keep);
    t[1] = Div255(c[1] * a + t[1] * keep);
    t[2] = Div255(c[2] * a + t[2] * keep);
}

// The planes one operation walks: row starts and the steps between rows.
// Rows run upward (negative steps) when the target lies below the source on
// the same surface, and pixels run leftward when it lies to their right on
// the same row, so that an overlapping source is read before it is written.
struct Walk {
    uint8_t* t;
    std::ptrdiff_t tPitch;
    const uint8_t* s;  // colour, or null
    std::ptrdiff_t sPitch;
    const uint8_t* a;  // alpha, or null
    std::ptrdiff_t aPitch;
    int32_t w, h;
    bool leftward;
};

template <int TB, int SB, typename Op>
void Run(const Walk& walk, Op op) {
    uint8_t* t = walk.t;
    const uint8_t* s = walk.s;
    const uint8_t* a = walk.a;
    for (int32_t j = 0; j < walk.h; ++j) {
        if (walk.leftward) {
            for (int32_t i = walk.w - 1; i >= 0; --i) op(t + i * TB, s + i * SB, a ? a[i] : 0u);
        } else {
            for (int32_t i = 0; i < walk.w; ++i) op(t + i * TB, s + i * SB, a ? a[i] : 0u);
        }
        t += walk.tPitch;
        s += walk.sPitch;
        if (a) a += walk.aPitch;
    }
}

template <typename Op>
void Dispatch(int32_t tb, int32_t sb, const Walk& walk, Op op) {
    if (tb == 3 && sb == 3) Run<3, 3>(walk, op);
    else if (tb == 3 && sb == 4) Run<3, 4>(walk, op);
    else if (tb == 4 && sb == 3) Run<4, 3>(walk, op);
    else if (tb == 4 && sb == 4) Run<4, 4>(walk, op);
    else if (tb == 3) Run<3, 0>(walk, op);  // no source colour (BlendColorRect)
    else Run<4, 0>(walk, op);
}

// Sets up the walk for a clipped span; false when a needed plane is missing.
bool Prepare(Surface* target, Surface* source, const Span& span, int32_t sb, bool needAlpha,
             Walk& walk) {
    walk.t = target->GetPixelAddress(span.dx, span.dy);
    walk.tPitch = target->GetPitch();
    walk.s = nullptr;
    walk.sPitch = 0;
    if (sb) {
        walk.s = source->GetPixelAddress(span.sx, span.sy);
        walk.sPitch = source->GetPitch();
        if (!walk.s) return false;
    }
    walk.a = nullptr;
    walk.aPitch = 0;
    if (needAlpha) {
        walk.a = source->GetAlphaAddress(span.sx, span.sy);
        walk.aPitch = source->GetAlphaPitch();
        if (!walk.a) return false;
    }
    if (!walk.t) return false;
    walk.w = span.w;
    walk.h = span.h;
    walk.leftward = false;
    if (target == source) {
        if (span.dy > span.sy) {
            // Bottom row first.
            const std::ptrdiff_t last = span.h - 1;
            walk.t += last * walk.tPitch;
            walk.tPitch = -walk.tPitch;
            if (walk.s) {
                walk.s += last * walk.sPitch;
                walk.sPitch = -walk.sPitch;
            }
            if (walk.a) {
                walk.a += last * walk.aPitch;
                walk.aPitch = -walk.aPitch;
            }
        } else if (span.dy == span.sy && span.dx > span.sx) {
            walk.leftward = true;
        }
    }
    return true;
}

uint8_t Clamp255(int32_t v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

int32_t Area(const Span& span) {
    const int64_t area = static_cast<int64_t>(span.w) * span.h;
    return static_cast<int32_t>(std::min<int64_t>(area, INT32_MAX));
}

}  // namespace

Plotter* Plotter::Create() {
    // The module's own reference is never given back, so the count never
    // reaches 0 and the one plotter lasts as long as the module.
    static Plotter plotter;
    plotter.AddRef();
    return &plotter;
}

int32_t Plotter::CopyRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                          int32_t w, int32_t h) {
    return Guarded([&]() -> int32_t {
        if (!target || !source) return 0;
        const int32_t tb = ColourBytes(target);
        const int32_t sb = ColourBytes(source);
        Span span{};
        Walk walk{};
        if (!tb || !sb || !Clip(target, dx, dy, source, sx, sy, w, h, span)) return 0;
        if (!Prepare(target, source, span, sb, false, walk)) return 0;
        if (tb == 3 && sb == 3) {
            // Whole rows; memmove, since a row may overlap itself on one surface
            // (Prepare has ordered the rows for overlaps between them).
            const auto rowBytes = static_cast<size_t>(span.w) * 3;
            uint8_t* t = walk.t;
            const uint8_t* s = walk.s;
            for (int32_t j = 0; j < span.h; ++j, t += walk.tPitch, s += walk.sPitch) std::memmove(t, s, rowBytes);
            return Area(span);
        }
        Dispatch(tb, sb, walk, [](uint8_t* t, const uint8_t* s, unsigned) {
            t[0] = s[0];
            t[1] = s[1];
            t[2] = s[2];
        });
        return Area(span);
    });
}

int32_t Plotter::BlendRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                           int32_t w, int32_t h) {
    return Guarded([&]() -> int32_t {
        if (!target || !source || !source->HasAlpha()) return 0;
        const int32_t tb = ColourBytes(target);
        const int32_t sb = ColourBytes(source);
        Span span{};
        Walk walk{};
        if (!tb || !sb || !Clip(target, dx, dy, source, sx, sy, w, h, span)) return 0;
        if (!Prepare(target, source, span, sb, true, walk)) return 0;
        Dispatch(tb, sb, walk, [](uint8_t* t, const uint8_t* s, unsigned a) { Lay(t, s, a); });
        return Area(span);
    });
}

int32_t Plotter::BlendColorRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                                int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b) {
    return Guarded([&]() -> int32_t {
        if (!target || !source || !source->HasAlpha()) return 0;
        const int32_t tb = ColourBytes(target);
        Span span{};
        Walk walk{};
        if (!tb || !Clip(target, dx, dy, source, sx, sy, w, h, span)) return 0;
        if (!Prepare(target, source, span, 0, true, walk)) return 0;
        const uint8_t colour[3] = {Clamp255(b), Clamp255(g), Clamp255(r)};
        Dispatch(tb, 0, walk, [&colour](uint8_t* t, const uint8_t*, unsigned a) { Lay(t, colour, a); });
        return Area(span);
    });
}

}  // namespace quenta::plotra
