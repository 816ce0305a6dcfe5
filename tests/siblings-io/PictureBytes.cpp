#include "PictureBytes.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>

namespace quenta::testing {

namespace {

Bytes WritePng(png_image& image, const void* buffer) {
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, buffer, 0, nullptr)) << image.message;
    Bytes bytes(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, buffer, 0, nullptr)) << image.message;
    bytes.resize(size);
    return bytes;
}

void PutLe(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBe32(Bytes& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

Bytes MakePng(int width, int height, const std::vector<Rgba>& pixels, bool withAlpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    Bytes raw;
    for (const Rgba& p : pixels) {
        raw.insert(raw.end(), {p.r, p.g, p.b});
        if (withAlpha) raw.push_back(p.a);
    }
    return WritePng(image, raw.data());
}

Bytes MakeGreyPng(int width, int height, const std::vector<uint8_t>& levels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_GRAY;
    return WritePng(image, levels.data());
}

Bytes MakePngHeader(uint32_t width, uint32_t height) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes chunk = {'I', 'H', 'D', 'R'};
    PutBe32(chunk, width);
    PutBe32(chunk, height);
    chunk.insert(chunk.end(), {8, 6, 0, 0, 0});
    PutBe32(out, 13);
    out.insert(out.end(), chunk.begin(), chunk.end());
    PutBe32(out, static_cast<uint32_t>(crc32(0, chunk.data(), static_cast<uInt>(chunk.size()))));
    return out;
}

Bytes MakeBmp(int width, int height, const std::vector<Rgba>& pixels, int bitsPerPixel, bool topDown) {
    const int bpp = bitsPerPixel / 8;
    const int rowSize = (width * bpp + 3) / 4 * 4;
    const uint32_t dataSize = static_cast<uint32_t>(rowSize * height);
    Bytes out = {'B', 'M'};
    PutLe(out, 14 + 40 + dataSize, 4);
    PutLe(out, 0, 4);        // reserved
    PutLe(out, 14 + 40, 4);  // pixel data offset
    PutLe(out, 40, 4);       // BITMAPINFOHEADER
    PutLe(out, static_cast<uint32_t>(width), 4);
    PutLe(out, static_cast<uint32_t>(topDown ? -height : height), 4);
    PutLe(out, 1, 2);  // planes
    PutLe(out, static_cast<uint32_t>(bitsPerPixel), 2);
    PutLe(out, 0, 4);  // uncompressed
    PutLe(out, dataSize, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int row = 0; row < height; ++row) {
        const int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const Rgba& p = pixels[static_cast<size_t>(y * width + x)];
            out.insert(out.end(), {p.b, p.g, p.r});
            if (bpp == 4) out.push_back(p.a);
        }
        out.resize(out.size() + static_cast<size_t>(rowSize - width * bpp), 0);
    }
    return out;
}

Bytes Cut(const Bytes& bytes, size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(length, bytes.size())));
}

Bytes Flip(const Bytes& bytes, size_t offset) {
    Bytes out = bytes;
    out.at(offset) ^= 0xFF;
    return out;
}

size_t Find(const Bytes& bytes, const std::string& text) {
    const auto found = std::search(bytes.begin(), bytes.end(), text.begin(), text.end());
    EXPECT_NE(found, bytes.end()) << "no '" << text << "' in the test picture";
    return static_cast<size_t>(found - bytes.begin());
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << "cannot write " << path;
}

}  // namespace quenta::testing
