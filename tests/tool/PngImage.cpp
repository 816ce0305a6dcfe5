#include "PngImage.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>

namespace quenta::testing {

std::optional<RgbImage> ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    RgbImage out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return std::nullopt;
    return out;
}

std::string DescribeDifference(const RgbImage& expected, const RgbImage& actual, int tolerance) {
    if (expected.width != actual.width || expected.height != actual.height) {
        return "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + ", expected " +
               std::to_string(expected.width) + "x" + std::to_string(expected.height);
    }
    size_t differing = 0;
    std::string first;
    for (size_t i = 0; i < expected.rgb.size(); i += 3) {
        bool differs = false;
        for (size_t c = 0; c < 3; ++c) differs |= std::abs(expected.rgb[i + c] - actual.rgb[i + c]) > tolerance;
        if (!differs) continue;
        if (differing++ == 0) {
            const size_t pixel = i / 3;
            auto hex = [](const uint8_t* p) {
                char text[8];
                std::snprintf(text, sizeof text, "%02x%02x%02x", p[0], p[1], p[2]);
                return std::string(text);
            };
            first = "first at " + std::to_string(pixel % static_cast<size_t>(expected.width)) + "," +
                    std::to_string(pixel / static_cast<size_t>(expected.width)) + ": " + hex(&actual.rgb[i]) +
                    ", expected " + hex(&expected.rgb[i]);
        }
    }
    if (differing == 0) return "";
    return std::to_string(differing) + " pixels differ by more than " + std::to_string(tolerance) + "; " + first;
}

}  // namespace quenta::testing
