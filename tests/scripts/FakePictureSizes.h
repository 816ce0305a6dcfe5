// Pictures for the checker without an archive: a fixed table of sizes.
#pragma once

#include <map>
#include <utility>

#include "markup/PictureSizes.h"

namespace quenta::testing {

class FakePictureSizes final : public core::PictureSizes {
public:
    explicit FakePictureSizes(std::map<int32_t, std::pair<int32_t, int32_t>> sizes) : sizes_(std::move(sizes)) {}
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override {
        const auto found = sizes_.find(number);
        if (found == sizes_.end()) return false;
        width = found->second.first;
        height = found->second.second;
        return true;
    }

private:
    std::map<int32_t, std::pair<int32_t, int32_t>> sizes_;
};

}  // namespace quenta::testing
