// PNG files as the tests compare them: 8-bit RGB, read and written with
// libpng's simplified interface.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quenta::testing {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

std::optional<RgbImage> ReadPng(const std::string& path);

// Empty when the images match: same size, and no channel of any pixel
// further apart than `tolerance`. Otherwise what differs, and where first.
std::string DescribeDifference(const RgbImage& expected, const RgbImage& actual, int tolerance);

}  // namespace quenta::testing
