// The picture cache as the parser and the draw pass see it: the size of a
// picture for its run, the picture itself for drawing.
#pragma once

#include "core/ProcessState.h"
#include "markup/PictureSizes.h"
#include "render/PictureSource.h"

namespace quenta::core {

class CachedPictures final : public PictureSizes, public PictureSource {
public:
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override {
        Surface* picture = pictureCache.GetPicture(number);
        if (!picture) return false;
        width = picture->GetWidth();
        height = picture->GetHeight();
        return true;
    }
    Surface* GetPicture(int32_t number) override { return pictureCache.GetPicture(number); }
};

}  // namespace quenta::core
