// The process-wide cache of decoded inline pictures. Binds Vaultrix and
// Pictura on first use and keeps every picture it decodes until unload.
#pragma once

#include <cstdint>
#include <map>

#include "core/ModuleBinding.h"
#include "quenta/Pictura.h"
#include "quenta/Surface.h"
#include "quenta/Vaultrix.h"

namespace quenta::core {

class PictureCache {
public:
    PictureCache() = default;
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;
    // Releases every picture in ascending order of number, then Pictura, the
    // archive and Vaultrix.
    ~PictureCache();

    // The picture for `number`, lent until unload; null when it cannot be had.
    Surface* GetPicture(int32_t number);

    bool bound = false;
    ModuleBinding vaultrixBinding;
    Vaultrix* vaultrix = nullptr;
    Archive* archive = nullptr;
    ModuleBinding picturaBinding;
    Pictura* pictura = nullptr;
    std::map<int32_t, Surface*> pictures;

private:
    bool BindSiblings();
    void ReleaseSiblings();
};

}  // namespace quenta::core
