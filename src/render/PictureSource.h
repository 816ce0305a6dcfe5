// Where the draw pass gets the picture of a picture run: the renderer hands
// it the process-wide picture cache. The picture is lent.
#pragma once

#include <cstdint>

#include "quenta/Surface.h"

namespace quenta::core {

class PictureSource {
public:
    // Null when the picture cannot be had; the run then keeps its place.
    virtual Surface* GetPicture(int32_t number) = 0;

protected:
    ~PictureSource() = default;
};

}  // namespace quenta::core
