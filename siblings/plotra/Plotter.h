// Plotra's rectangle copy and blends between 24-bit (BGR) and 32-bit (BGRA)
// surfaces, in any mix. Rectangles are clipped against both surfaces (in 64
// bits, whatever the numbers), and an operation whose planes are missing
// does nothing. The fourth byte of a 32-bit target pixel is left as it was,
// as everywhere in the engine: alpha lives in its own plane. Overlapping
// rectangles on one surface are handled like memmove.
//
// A plotter holds no state, so the process has one: every Create (and so
// every CreateInterface) hands out the same object with one more reference.
// The module keeps a reference of its own on it, so a host that never
// releases it (Quenta keeps its Plotra for good) leaks nothing, and hosts
// that release all of theirs leave it alive for the next one.
#pragma once

#include <cstdint>

#include "quenta/Plotra.h"
#include "quenta/RefCounted.h"

namespace quenta::plotra {

class Plotter final : public RefCounted<Plotter, Plotra> {
public:
    // The process's plotter, with one more reference.
    static Plotter* Create();

    bool Startup() override { return true; }
    int32_t Setup(int32_t) override { return 0; }
    // Each operation answers the number of pixels it covered (0 when
    // clipping or a missing plane left nothing to do).
    int32_t CopyRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                     int32_t w, int32_t h) override;
    int32_t Reserved5() override { return 0; }
    int32_t Reserved6() override { return 0; }
    int32_t Reserved7() override { return 0; }
    int32_t Reserved8() override { return 0; }
    int32_t Reserved9() override { return 0; }
    int32_t BlendRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy,
                      int32_t w, int32_t h) override;
    int32_t Reserved11() override { return 0; }
    int32_t BlendColorRect(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                           int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b) override;

private:
    friend RefCounted;
    Plotter() = default;
    ~Plotter() = default;
};

}  // namespace quenta::plotra
