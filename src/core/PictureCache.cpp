#include "core/PictureCache.h"

#include <new>

namespace quenta::core {

PictureCache::~PictureCache() {
    for (auto& [number, picture] : pictures) picture->Release();
    pictures.clear();
    ReleaseSiblings();
}

void PictureCache::ReleaseSiblings() {
    if (pictura) pictura->Release();
    pictura = nullptr;
    if (archive) archive->Release();
    archive = nullptr;
    if (vaultrix) vaultrix->Release();
    vaultrix = nullptr;
}

bool PictureCache::BindSiblings() {
    // What an earlier failed attempt obtained is given back before trying again.
    ReleaseSiblings();
    if (!vaultrixBinding.Bind("Vaultrix", kVaultrixId)) return false;
    vaultrix = static_cast<Vaultrix*>(vaultrixBinding.iface);
    archive = vaultrix->OpenArchive(0);
    if (!archive) return false;
    if (!picturaBinding.Bind("Pictura", kPicturaId)) return false;
    pictura = static_cast<Pictura*>(picturaBinding.iface);
    bound = true;
    return true;
}

Surface* PictureCache::GetPicture(int32_t number) {
    if (!bound && !BindSiblings()) return nullptr;
    if (auto found = pictures.find(number); found != pictures.end()) return found->second;

    ArchiveEntry* entry = archive->OpenEntry(number);
    if (!entry) return nullptr;
    Surface* picture = pictura->DecodeEntry(entry->Share(entry->Load()));
    entry->Release();
    if (!picture) return nullptr;
    try {
        pictures.emplace(number, picture);
    } catch (const std::bad_alloc&) {
        // No room to keep it: give it back; a later request tries again.
        picture->Release();
        return nullptr;
    }
    return picture;
}

}  // namespace quenta::core
