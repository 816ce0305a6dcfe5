#include "PictureBytes.h"

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <png.h>
#endif
#include <zlib.h>

#include <algorithm>
#include <fstream>

namespace quenta::testing {

namespace {

void PutLe(Bytes& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBe32(Bytes& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

#if defined(_WIN32)
// No libpng for Windows: the same 8-bit files written with zlib's deflate
// and checksums, one IDAT chunk, rows unfiltered.
void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutBe32(out, static_cast<uint32_t>(data.size()));
    Bytes chunk(type, type + 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    out.insert(out.end(), chunk.begin(), chunk.end());
    PutBe32(out, static_cast<uint32_t>(crc32(0, chunk.data(), static_cast<uInt>(chunk.size()))));
}

// colourType: 0 grey, 2 RGB, 6 RGBA; `samples` rows of width * channels.
Bytes WritePng(int width, int height, uint8_t colourType, int channels, const Bytes& samples) {
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBe32(header, static_cast<uint32_t>(width));
    PutBe32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, colourType, 0, 0, 0});
    PutChunk(out, "IHDR", header);
    Bytes rows;
    const size_t rowBytes = static_cast<size_t>(width) * static_cast<size_t>(channels);
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);  // filter: none
        const auto start = samples.begin() + static_cast<std::ptrdiff_t>(rowBytes * static_cast<size_t>(y));
        rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
    }
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    Bytes packed(packedSize);
    EXPECT_EQ(compress(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size())), Z_OK);
    packed.resize(packedSize);
    PutChunk(out, "IDAT", packed);
    PutChunk(out, "IEND", {});
    return out;
}
#else
Bytes WritePng(png_image& image, const void* buffer) {
    png_alloc_size_t size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, buffer, 0, nullptr)) << image.message;
    Bytes bytes(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, bytes.data(), &size, 0, buffer, 0, nullptr)) << image.message;
    bytes.resize(size);
    return bytes;
}

#endif

}  // namespace

Bytes MakePng(int width, int height, const std::vector<Rgba>& pixels, bool withAlpha) {
    Bytes raw;
    for (const Rgba& p : pixels) {
        raw.insert(raw.end(), {p.r, p.g, p.b});
        if (withAlpha) raw.push_back(p.a);
    }
#if defined(_WIN32)
    return WritePng(width, height, withAlpha ? 6 : 2, withAlpha ? 4 : 3, raw);
#else
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    return WritePng(image, raw.data());
#endif
}

Bytes MakeGreyPng(int width, int height, const std::vector<uint8_t>& levels) {
#if defined(_WIN32)
    return WritePng(width, height, 0, 1, Bytes(levels.begin(), levels.end()));
#else
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_GRAY;
    return WritePng(image, levels.data());
#endif
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
