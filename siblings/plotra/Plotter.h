// Plotra's rectangle copy and blends between 24-bit (BGR) and 32-bit (BGRA)
// surfaces, in any mix. Rectangles are clipped against both surfaces (in 64
// bits, whatever the numbers), and an operation whose planes are missing
// does nothing. The fourth byte of a 32-bit target pixel is left as it was,
// as everywhere in the engine: alpha lives in its own plane. Overlapping
// rectangles on one surface are handled like memmove.
//
// A plotter holds no state, so the process has one: every Create (and so
// every CreateInterface) hands out the same object with one more reference.
// Its count is kept, but it is never deleted, so a host that never releases
// it (Quenta keeps its Plotra for good) leaks nothing.
#pragma once

#include <atomic>
#include <cstdint>

#include "quenta/Plotra.h"

namespace quenta::plotra {

class Plotter final : public Plotra {
public:
    // The process's plotter, with one more reference.
    static Plotter* Create();

    int32_t AddRef() override;
    int32_t Release() override;
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
    constexpr Plotter() = default;
    ~Plotter() = default;

    std::atomic<int32_t> refCount_{0};
};

}  // namespace quenta::plotra
