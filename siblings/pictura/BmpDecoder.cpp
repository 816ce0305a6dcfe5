#include "BmpDecoder.h"

#include <stb_image.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace quenta::pictura {

namespace {

// stb_image reads missing bytes as zeros. Feeding it through callbacks lets
// the decoder notice when stb asked for bytes past the end: the file was cut.
struct BoundedReader {
    const uint8_t* bytes;
    size_t size;
    size_t position = 0;
    bool overran = false;

    static int Read(void* user, char* out, int wanted) {
        auto* r = static_cast<BoundedReader*>(user);
        const size_t left = r->size - r->position;
        if (left == 0) {
            r->overran = wanted > 0;
            return 0;
        }
        const size_t n = std::min(left, static_cast<size_t>(std::max(wanted, 0)));
        std::memcpy(out, r->bytes + r->position, n);
        r->position += n;
        return static_cast<int>(n);
    }
    static void Skip(void* user, int count) {
        auto* r = static_cast<BoundedReader*>(user);
        const size_t left = r->size - r->position;
        if (count > 0 && static_cast<size_t>(count) > left) r->overran = true;
        r->position += std::min(left, static_cast<size_t>(std::max(count, 0)));
    }
    static int AtEnd(void* user) {
        auto* r = static_cast<BoundedReader*>(user);
        return r->position >= r->size;
    }
};

constexpr stbi_io_callbacks kCallbacks{BoundedReader::Read, BoundedReader::Skip, BoundedReader::AtEnd};

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

}  // namespace

bool LooksLikeBmp(const uint8_t* bytes, size_t size) {
    return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::optional<DecodedImage> DecodeBmp(const uint8_t* bytes, size_t size) {
    // Only BMP reaches stb: its other formats are not this module's to read.
    if (!LooksLikeBmp(bytes, size)) return std::nullopt;
    int width = 0;
    int height = 0;
    int channels = 0;
    BoundedReader probe{bytes, size};
    if (!stbi_info_from_callbacks(&kCallbacks, &probe, &width, &height, &channels)) return std::nullopt;
    // A negative height marks rows stored top-down; stb reports it as stored.
    const int64_t rows = std::llabs(int64_t{height});
    if (width <= 0 || rows <= 0 || rows > int64_t{kMaxSide} ||
        !FitsLimits(static_cast<uint32_t>(width), static_cast<uint32_t>(rows))) {
        return std::nullopt;
    }
    BoundedReader reader{bytes, size};
    std::unique_ptr<stbi_uc, StbFree> rgba(
        stbi_load_from_callbacks(&kCallbacks, &reader, &width, &height, &channels, 4));
    if (!rgba || reader.overran) return std::nullopt;

    DecodedImage decoded;
    decoded.width = width;
    decoded.height = height;
    decoded.bgra.assign(rgba.get(), rgba.get() + static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < decoded.bgra.size(); i += 4) std::swap(decoded.bgra[i], decoded.bgra[i + 2]);
    return decoded;
}

}  // namespace quenta::pictura
