#include "PngWriter.h"

#include <png.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "CheckedOutput.h"
#include "ToolError.h"

namespace quenta::render {

namespace {

// Speed over size: deflate's fastest level and no row filters. A message
// picture is mostly flat background, which level 1 packs nearly as small
// as the default level at a quarter of the time, and filters cost more
// time than they save bytes here.
constexpr int kCompressionLevel = Z_BEST_SPEED;
constexpr int kRowFilters = PNG_FILTER_NONE;

struct WriteFailure {
    char message[200] = "libpng failed";
    int systemError = 0;  // the errno of a write that failed
};

void OnError(png_structp png, png_const_charp text) {
    auto* failure = static_cast<WriteFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void AppendToString(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::string*>(png_get_io_ptr(png));
    try {
        bytes->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::exception&) {
        png_error(png, "out of memory for the picture");
    }
}

void FlushNothing(png_structp) {}

// libpng's own file writer says only "Write Error": this one keeps the
// system's reason.
void WriteToFile(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<std::FILE*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, file) != length) {
        auto* failure = static_cast<WriteFailure*>(png_get_error_ptr(png));
        failure->systemError = errno ? errno : EIO;
        png_error(png, std::strerror(failure->systemError));
    }
}

// Plain C from here to the end: libpng leaves by longjmp on an error. The
// PNG goes to `file`, or when it is null to `memory`.
bool Encode(BitmapSurface& canvas, std::FILE* file, std::string* memory, WriteFailure& failure) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, OnError, OnWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    if (file) {
        png_set_write_fn(png, file, WriteToFile, FlushNothing);
    } else {
        png_set_write_fn(png, memory, AppendToString, FlushNothing);
    }
    const auto width = static_cast<png_uint_32>(canvas.GetWidth());
    const auto height = static_cast<png_uint_32>(canvas.GetHeight());
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, kCompressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, kRowFilters);
    png_write_info(png, info);
    png_set_bgr(png);  // canvases are BGR, or BGRA with the fourth byte unused
    if (canvas.GetDepth() == 32) png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (png_uint_32 y = 0; y < height; ++y) png_write_row(png, canvas.GetPixelAddress(0, static_cast<int32_t>(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

std::string EncodePng(BitmapSurface& canvas) {
    WriteFailure failure;
    std::string bytes;
    if (!Encode(canvas, nullptr, &bytes, failure)) {
        throw ToolError(std::string("cannot encode the picture: ") + failure.message);
    }
    return bytes;
}

void WritePng(BitmapSurface& canvas, const std::string& path) {
    WriteFailure failure;
    if (path == "-") {
        const std::string bytes = EncodePng(canvas);
        CheckedOutput out(STDOUT_FILENO, "the picture to standard output", false);
        out.Write(bytes.data(), bytes.size());
        out.Finish();
        return;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw ToolError("cannot write '" + path + "': " + std::strerror(errno));
    const bool encoded = Encode(canvas, file, nullptr, failure);
    const int flushError = std::fflush(file) != 0 ? errno : 0;
    const int closeError = std::fclose(file) != 0 ? errno : 0;
    if (!encoded || flushError || closeError) {
        std::remove(path.c_str());
        const int reason = !encoded ? failure.systemError : flushError ? flushError : closeError;
        throw ToolError("cannot write '" + path + "': " + (reason ? std::strerror(reason) : failure.message));
    }
}

}  // namespace quenta::render
