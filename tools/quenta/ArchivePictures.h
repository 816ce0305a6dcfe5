// Picture sizes from a picture archive (a folder or a ZIP file), read
// through the Vaultrix and Pictura modules as the module reads them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "ModuleSet.h"
#include "markup/PictureSizes.h"
#include "quenta/Pictura.h"
#include "quenta/Ref.h"
#include "quenta/Vaultrix.h"

namespace quenta::script {

class ArchivePictures final : public core::PictureSizes {
public:
    // Throws quenta::render::ToolError when a module or the archive cannot
    // be opened.
    explicit ArchivePictures(const std::string& path);
    bool PictureSize(int32_t number, int32_t& width, int32_t& height) override;

private:
    render::ModuleSet modules_;
    Ref<Vaultrix> vaultrix_;
    Ref<Pictura> pictura_;
    Ref<Archive> archive_;
    std::map<int32_t, std::pair<int32_t, int32_t>> sizes_;  // width, height; -1 when lacking
};

}  // namespace quenta::script
