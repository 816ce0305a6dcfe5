#include "PictureDamage.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

namespace quenta::script {

namespace {

// The decoding module's limit on a side.
constexpr uint32_t kMaxSide = 16384;

struct PngProbe {
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    char message[200] = "";
};

void OnPngError(png_structp png, png_const_charp text) {
    auto* probe = static_cast<PngProbe*>(png_get_error_ptr(png));
    std::snprintf(probe->message, sizeof probe->message, "%s", text);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadProbe(png_structp png, png_bytep out, size_t length) {
    auto* probe = static_cast<PngProbe*>(png_get_io_ptr(png));
    if (length > probe->size - probe->position) png_error(png, "the file ends early");
    std::memcpy(out, probe->bytes + probe->position, length);
    probe->position += length;
}

// Plain C from the setjmp on: no C++ object lives in the frames a jump
// skips. The rows are read one at a time into `row`, owned by the caller.
bool ReadPng(png_structp png, png_infop info, PngProbe& probe, std::vector<png_byte>& row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &probe, ReadProbe);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    row.resize(png_get_rowbytes(png, info));
    const png_uint_32 height = png_get_image_height(png, info);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, row.data(), nullptr);
    }
    png_read_end(png, nullptr);
    return true;
}

std::string PngDamage(const uint8_t* bytes, size_t size) {
    PngProbe probe{bytes, size};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &probe, OnPngError, OnPngWarning);
    if (!png) return "";
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row;
    const bool read = info && ReadPng(png, info, probe, row);
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    if (read) return "";
    return std::string("a damaged PNG: ") + (probe.message[0] ? probe.message : "libpng cannot read it");
}

uint32_t Little(const uint8_t* p, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

std::string BmpDamage(const uint8_t* bytes, size_t size) {
    if (size < 14 + 16) return "a damaged BMP: the file ends within its header";
    const uint32_t header = Little(bytes + 14, 4);
    if (header < 40) return "";  // the old OS/2 header: nothing more is told of it here
    if (size < 14 + 40) return "a damaged BMP: the file ends within its header";
    const auto width = static_cast<int32_t>(Little(bytes + 18, 4));
    const auto height = static_cast<int32_t>(Little(bytes + 22, 4));
    const uint32_t bits = Little(bytes + 28, 2);
    const uint32_t compression = Little(bytes + 30, 4);
    if (compression == 1 || compression == 2) {
        return "a BMP compressed with RLE" + std::to_string(compression == 1 ? 8 : 4) + ", which is not read";
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return "a damaged BMP: " + std::to_string(bits) + " bits per pixel";
    }
    if (height == std::numeric_limits<int32_t>::min()) return "a damaged BMP: its height is -2147483648";
    const int64_t rows = height < 0 ? -int64_t{height} : height;
    if (width <= 0 || rows == 0) return "a damaged BMP: it is " + std::to_string(width) + "x" + std::to_string(height);
    if (static_cast<uint64_t>(width) > kMaxSide || static_cast<uint64_t>(rows) > kMaxSide) {
        return "a BMP of " + std::to_string(width) + "x" + std::to_string(rows) + ", more than " +
               std::to_string(kMaxSide) + " pixels a side";
    }
    if (compression != 0 && compression != 3 && compression != 6) {
        return "a BMP of compression " + std::to_string(compression) + ", which is not read";
    }
    return "";
}

}  // namespace

std::string PictureDamage(const uint8_t* bytes, size_t size) {
    if (size >= 8 && png_sig_cmp(bytes, 0, 8) == 0) return PngDamage(bytes, size);
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return BmpDamage(bytes, size);
    return "neither a PNG nor a BMP picture";
}

}  // namespace quenta::script
