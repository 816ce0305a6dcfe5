#include "ArchivePictures.h"

#include "quenta/Ref.h"

namespace quenta::render {

bool ArchivePictures::PictureSize(int32_t number, int32_t& width, int32_t& height) {
    // A picture that cannot be had is remembered too: it is asked for again
    // wherever a message shows it, and decoded once.
    if (auto found = sizes_.find(number); found != sizes_.end()) {
        width = found->second.first;
        height = found->second.second;
        return width >= 0;
    }
    Ref<Archive> archive(vaultrix_.OpenArchive(0));
    Ref<ArchiveEntry> entry(archive ? archive->OpenEntry(number) : nullptr);
    Ref<Surface> picture(entry ? pictura_.DecodeEntry(entry->Share(entry->Load())) : nullptr);
    width = picture ? picture->GetWidth() : -1;
    height = picture ? picture->GetHeight() : -1;
    sizes_.emplace(number, std::make_pair(width, height));
    return picture != nullptr;
}

}  // namespace quenta::render
