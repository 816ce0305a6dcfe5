#include "PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

namespace quenta::pictura {

namespace {

struct MemorySource {
    const uint8_t* bytes;
    size_t size;
    size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    if (length > source->size - source->position) png_error(png, "file ends early");
    std::memcpy(out, source->bytes + source->position, length);
    source->position += length;
}

// A damaged ancillary chunk is skipped by libpng; nobody reads the warning.
void IgnoreWarning(png_structp, png_const_charp) {}

// A module prints nothing: the failure is its answer, and the host says
// what it makes of it. libpng's own handler would print the message first.
void LeaveOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

class ReadStructs {
public:
    ReadStructs() {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, LeaveOnError, IgnoreWarning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    ReadStructs(const ReadStructs&) = delete;
    ReadStructs& operator=(const ReadStructs&) = delete;
    ~ReadStructs() { png_destroy_read_struct(&png_, info_ ? &info_ : nullptr, nullptr); }

    bool Ready() const { return png_ && info_; }
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

// libpng's errors land on the setjmp here. Everything this function changes
// lives outside its own frame, so nothing is clobbered by the jump; no C++
// object lives in the frames that the jump skips.
bool ReadPng(png_structp png, png_infop info, MemorySource& source, DecodedImage& image,
             std::vector<png_bytep>& rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_read_fn(png, &source, ReadFromMemory);
    png_set_user_limits(png, kMaxSide, kMaxSide);
    png_read_info(png, info);
    if (!FitsLimits(png_get_image_width(png, info), png_get_image_height(png, info))) return false;

    // Whatever the stored layout, 8-bit BGRA comes out; no gamma correction,
    // so the stored values are the drawn values.
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    image.width = static_cast<int32_t>(png_get_image_width(png, info));
    image.height = static_cast<int32_t>(png_get_image_height(png, info));
    const size_t rowBytes = static_cast<size_t>(image.width) * 4;
    if (png_get_rowbytes(png, info) != rowBytes) return false;
    image.bgra.resize(rowBytes * static_cast<size_t>(image.height));
    rows.resize(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y) rows[y] = image.bgra.data() + y * rowBytes;
    png_read_image(png, rows.data());
    // Reads on to IEND, so that a file cut after its pixels is refused too.
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool LooksLikePng(const uint8_t* bytes, size_t size) {
    return size >= 8 && png_sig_cmp(bytes, 0, 8) == 0;
}

std::optional<DecodedImage> DecodePng(const uint8_t* bytes, size_t size) {
    ReadStructs structs;
    if (!structs.Ready()) return std::nullopt;
    MemorySource source{bytes, size, 0};
    DecodedImage image;
    std::vector<png_bytep> rows;
    if (!ReadPng(structs.png(), structs.info(), source, image, rows)) return std::nullopt;
    return image;
}

}  // namespace quenta::pictura
