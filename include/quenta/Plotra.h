// Plotra's interface (kPlotraId): copies and blends rectangles between
// surfaces. The rectangles it is given always lie inside both surfaces.
#pragma once

#include <cstdint>

#include "quenta/Surface.h"

namespace quenta {

class Plotra {
public:
    virtual int32_t AddRef() = 0;                                                   // 0
    virtual int32_t Release() = 0;                                                  // 1
    virtual bool Startup() = 0;                                                     // 2: false = unusable
    virtual int32_t Setup(int32_t mode) = 0;                                        // 3
    virtual int32_t CopyRect(Surface* target, int32_t dx, int32_t dy, Surface* source,
                             int32_t sx, int32_t sy, int32_t w, int32_t h) = 0;     // 4
    virtual int32_t Reserved5() = 0;                                                // 5
    virtual int32_t Reserved6() = 0;                                                // 6
    virtual int32_t Reserved7() = 0;                                                // 7
    virtual int32_t Reserved8() = 0;                                                // 8
    virtual int32_t Reserved9() = 0;                                                // 9
    // The source's colour plane, weighted by its alpha plane.
    virtual int32_t BlendRect(Surface* target, int32_t dx, int32_t dy, Surface* source,
                              int32_t sx, int32_t sy, int32_t w, int32_t h) = 0;    // 10
    virtual int32_t Reserved11() = 0;                                               // 11
    // The colour (r, g, b), weighted by the source's alpha plane.
    virtual int32_t BlendColorRect(Surface* target, int32_t dx, int32_t dy, Surface* source,
                                   int32_t sx, int32_t sy, int32_t w, int32_t h,
                                   int32_t r, int32_t g, int32_t b) = 0;            // 12

protected:
    ~Plotra() = default;
};

}  // namespace quenta
