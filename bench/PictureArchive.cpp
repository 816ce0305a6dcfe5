#include "PictureArchive.h"

#include <zip.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace quenta::bench {

namespace {

using Bytes = std::vector<unsigned char>;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<Bytes*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

struct Reader {
    const Bytes* bytes;
    size_t offset;
};

cairo_status_t Read(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<Reader*>(closure);
    if (reader->bytes->size() - reader->offset < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->bytes->data() + reader->offset, length);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
}

// Paints picture `number` as cairo sees it: 1 opaque stripes, 2 a soft red
// disc on transparency, 3 a white ring on transparency (a mask).
cairo_surface_t* Paint(int number) {
    const cairo_format_t format = number == 1 ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32;
    cairo_surface_t* surface = cairo_image_surface_create(format, kPictureSize, kPictureSize);
    cairo_t* cr = cairo_create(surface);
    const double middle = kPictureSize / 2.0;
    if (number == 1) {
        for (int i = 0; i < kPictureSize; i += 4) {
            cairo_set_source_rgb(cr, i / double(kPictureSize), 0.4, 1.0 - i / double(kPictureSize));
            cairo_rectangle(cr, i, 0, 4, kPictureSize);
            cairo_fill(cr);
        }
    } else if (number == 2) {
        cairo_pattern_t* disc = cairo_pattern_create_radial(middle, middle, 2, middle, middle, middle);
        cairo_pattern_add_color_stop_rgba(disc, 0, 1, 0.2, 0.1, 1);
        cairo_pattern_add_color_stop_rgba(disc, 1, 1, 0.2, 0.1, 0);
        cairo_set_source(cr, disc);
        cairo_paint(cr);
        cairo_pattern_destroy(disc);
    } else {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_set_line_width(cr, 4);
        cairo_arc(cr, middle, middle, middle - 4, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
    cairo_destroy(cr);
    return surface;
}

std::string EntryName(int number) { return std::to_string(number) + ".png"; }

}  // namespace

PictureArchive::PictureArchive() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quenta-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
    zipPath_ = folder_ + "/pictures.zip";

    std::vector<Bytes> files(kPictureCount);
    int error = 0;
    zip_t* archive = zip_open(zipPath_.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("cannot create " + zipPath_);
    for (int number = 1; number <= kPictureCount; ++number) {
        Bytes& png = files[static_cast<size_t>(number - 1)];
        cairo_surface_t* picture = Paint(number);
        const cairo_status_t status = cairo_surface_write_to_png_stream(picture, Append, &png);
        cairo_surface_destroy(picture);
        zip_source_t* source = status == CAIRO_STATUS_SUCCESS
                                   ? zip_source_buffer(archive, png.data(), png.size(), 0)
                                   : nullptr;
        if (!source || zip_file_add(archive, EntryName(number).c_str(), source, ZIP_FL_OVERWRITE) < 0) {
            if (source) zip_source_free(source);
            zip_discard(archive);
            throw std::runtime_error("cannot write picture " + std::to_string(number));
        }
    }
    // The buffers are read here, so they live until the archive is closed.
    if (zip_close(archive) != 0) {
        zip_discard(archive);
        throw std::runtime_error("cannot close " + zipPath_);
    }
}

PictureArchive::~PictureArchive() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

cairo_surface_t* PictureArchive::Load(int number) const {
    int error = 0;
    zip_t* archive = zip_open(zipPath_.c_str(), ZIP_RDONLY, &error);
    if (!archive) throw std::runtime_error("cannot open " + zipPath_);
    const std::string name = EntryName(number);
    zip_stat_t stat;
    zip_stat_init(&stat);
    Bytes png;
    zip_file_t* file = nullptr;
    if (zip_stat(archive, name.c_str(), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        (file = zip_fopen(archive, name.c_str(), 0)) != nullptr) {
        png.resize(stat.size);
        if (zip_fread(file, png.data(), png.size()) != static_cast<zip_int64_t>(png.size())) png.clear();
        zip_fclose(file);
    }
    zip_close(archive);
    Reader reader{&png, 0};
    cairo_surface_t* picture = cairo_image_surface_create_from_png_stream(Read, &reader);
    if (png.empty() || cairo_surface_status(picture) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(picture);
        throw std::runtime_error("cannot read " + name + " from " + zipPath_);
    }
    return picture;
}

}  // namespace quenta::bench
