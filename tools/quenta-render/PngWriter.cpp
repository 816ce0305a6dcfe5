#include "PngWriter.h"

#include <png.h>

#include <cstdio>

#include "ToolError.h"

namespace quenta::render {

namespace {

png_image DescribeCanvas(BitmapSurface& canvas) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.GetWidth());
    image.height = static_cast<png_uint_32>(canvas.GetHeight());
    image.format = PNG_FORMAT_BGR;  // the tool's canvases are 24-bit
    return image;
}

}  // namespace

std::string EncodePng(BitmapSurface& canvas) {
    png_image image = DescribeCanvas(canvas);
    // The first call measures, the second writes.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, canvas.GetPixelAddress(0, 0), canvas.GetPitch(), nullptr)) {
        throw ToolError(std::string("cannot encode the picture: ") + image.message);
    }
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, canvas.GetPixelAddress(0, 0), canvas.GetPitch(), nullptr)) {
        throw ToolError(std::string("cannot encode the picture: ") + image.message);
    }
    bytes.resize(size);
    return bytes;
}

void WritePng(BitmapSurface& canvas, const std::string& path) {
    png_image image = DescribeCanvas(canvas);
    // The row stride counts components, which for 8-bit formats are bytes.
    if (path == "-") {
        const bool written = png_image_write_to_stdio(&image, stdout, 0, canvas.GetPixelAddress(0, 0),
                                                      canvas.GetPitch(), nullptr) != 0 &&
                             std::fflush(stdout) == 0;
        if (!written) throw ToolError(std::string("cannot write the picture to standard output: ") + image.message);
        return;
    }
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, canvas.GetPixelAddress(0, 0),
                                                 canvas.GetPitch(), nullptr) != 0;
    if (!written) throw ToolError("cannot write '" + path + "': " + image.message);
}

}  // namespace quenta::render
