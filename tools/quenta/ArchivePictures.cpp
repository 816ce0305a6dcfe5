#include "ArchivePictures.h"

#include "ToolError.h"

namespace quenta::script {

ArchivePictures::ArchivePictures(const std::string& path)
    : modules_(render::ModuleSet::DefaultFolder()),
      vaultrix_(static_cast<Vaultrix*>(modules_.Create(render::Module::kVaultrix, kVaultrixId))),
      pictura_(static_cast<Pictura*>(modules_.Create(render::Module::kPictura, kPicturaId))) {
    if (!vaultrix_->SetArchivePath(0, path.c_str())) {
        throw render::ToolError("cannot open picture archive '" + path + "': it is neither a readable folder nor a ZIP file");
    }
    archive_.reset(vaultrix_->OpenArchive(0));
    if (!archive_) throw render::ToolError("cannot open picture archive '" + path + "'");
}

bool ArchivePictures::PictureSize(int32_t number, int32_t& width, int32_t& height) {
    auto found = sizes_.find(number);
    if (found == sizes_.end()) {
        std::pair<int32_t, int32_t> size{-1, -1};
        if (Ref<ArchiveEntry> entry{archive_->OpenEntry(number)}) {
            if (Ref<Surface> picture{pictura_->DecodeEntry(entry->Share(entry->Load()))}) {
                size = {picture->GetWidth(), picture->GetHeight()};
            }
        }
        found = sizes_.emplace(number, size).first;
    }
    if (found->second.first < 0) return false;
    width = found->second.first;
    height = found->second.second;
    return true;
}

}  // namespace quenta::script
