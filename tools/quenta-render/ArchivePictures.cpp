#include "ArchivePictures.h"

#include "quenta/Ref.h"

namespace quenta::render {

bool ArchivePictures::PictureSize(int32_t number, int32_t& width, int32_t& height) {
    if (auto found = sizes_.find(number); found != sizes_.end()) {
        width = found->second.first;
        height = found->second.second;
        return true;
    }
    Ref<Archive> archive(vaultrix_.OpenArchive(0));
    if (!archive) return false;
    Ref<ArchiveEntry> entry(archive->OpenEntry(number));
    if (!entry) return false;
    Ref<Surface> picture(pictura_.DecodeEntry(entry->Share(entry->Load())));
    if (!picture) return false;
    width = picture->GetWidth();
    height = picture->GetHeight();
    sizes_.emplace(number, std::make_pair(width, height));
    return true;
}

}  // namespace quenta::render
