// Picture sizes when no archive is given: every picture exists, 0 by 0
// pixels, so that a script's picture tags neither fail nor take room.
#pragma once

#include "markup/PictureSizes.h"

namespace quenta::script {

class AnyPicture final : public core::PictureSizes {
public:
    bool PictureSize(int32_t, int32_t& width, int32_t& height) override {
        width = 0;
        height = 0;
        return true;
    }
};

}  // namespace quenta::script
