// The one question the parser asks about a picture: its size, for the run
// that a picture tag places. The renderer answers from the picture cache; a
// tool may answer from an archive of its own.
#pragma once

#include <cstdint>

namespace quenta::core {

class PictureSizes {
public:
    // False when picture `number` cannot be had; the tag then draws the error text.
    virtual bool PictureSize(int32_t number, int32_t& width, int32_t& height) = 0;

protected:
    ~PictureSizes() = default;
};

}  // namespace quenta::core
