// The inline pictures: three 24 x 24 PNG files in a ZIP archive made for the
// run (an opaque one, a translucent one and a white mask, one of each kind
// Quenta draws), and the same files read back for PangoCairo.
#pragma once

#include <cairo.h>

#include <string>

namespace quenta::bench {

inline constexpr int kPictureSize = 24;
inline constexpr int kPictureCount = 3;
inline constexpr int kMaskPicture = 3;  // numbered 1 to 3; the third is the mask

class PictureArchive {
public:
    // Writes 1.png, 2.png and 3.png into a new ZIP file in a temporary
    // folder; throws std::runtime_error when it cannot.
    PictureArchive();
    PictureArchive(const PictureArchive&) = delete;
    PictureArchive& operator=(const PictureArchive&) = delete;
    // Removes the folder.
    ~PictureArchive();

    const std::string& Path() const { return zipPath_; }

    // Picture `number` decoded by cairo from the archive; the caller
    // destroys it. Throws std::runtime_error when it cannot be read.
    cairo_surface_t* Load(int number) const;

private:
    std::string folder_;
    std::string zipPath_;
};

}  // namespace quenta::bench
