// Small picture files made in memory for the tests, so that each test shows
// the pixels it feeds in next to what it expects out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quenta::testing {

struct Rgba {
    uint8_t r, g, b, a;
};

using Bytes = std::vector<uint8_t>;

// An 8-bit PNG, RGB or RGBA; pixels top row first.
Bytes MakePng(int width, int height, const std::vector<Rgba>& pixels, bool withAlpha);
// An 8-bit greyscale PNG.
Bytes MakeGreyPng(int width, int height, const std::vector<uint8_t>& levels);
// A PNG signature and IHDR chunk claiming the size, and no pixel data.
Bytes MakePngHeader(uint32_t width, uint32_t height);
// An uncompressed 24- or 32-bit BMP, stored bottom-up unless topDown.
Bytes MakeBmp(int width, int height, const std::vector<Rgba>& pixels, int bitsPerPixel,
              bool topDown = false);

Bytes Cut(const Bytes& bytes, size_t length);
// Flips every bit of the byte at `offset`.
Bytes Flip(const Bytes& bytes, size_t offset);
// The offset of the first occurrence of `text`; fails the test when absent.
size_t Find(const Bytes& bytes, const std::string& text);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace quenta::testing
