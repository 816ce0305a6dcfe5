// The sizes of the archive's pictures, as the tool's own parser asks for
// them: read through Vaultrix and Pictura, the way Quenta's picture cache
// reads them, so that the tool's layout matches the module's.
#pragma once

#include <cstdint>
#include <map>
#include <utility>

#include "markup/PictureSizes.h"
#include "quenta/Pictura.h"
#include "quenta/Vaultrix.h"

namespace quenta::render {

class ArchivePictures final : public core::PictureSizes {
public:
    // Both are lent and must outlive this object.
    ArchivePictures(Vaultrix& vaultrix, Pictura& pictura) : vaultrix_(vaultrix), pictura_(pictura) {}

    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override;

private:
    Vaultrix& vaultrix_;
    Pictura& pictura_;
    std::map<int32_t, std::pair<int32_t, int32_t>> sizes_;
};

}  // namespace quenta::render
