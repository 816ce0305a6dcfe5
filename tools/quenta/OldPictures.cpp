#include "OldPictures.h"

#include "PictureManifest.h"

namespace quenta::script {

void SettleOldPictures(const std::filesystem::path& folder, const PictureNames& names, const std::vector<bool>& toDraw) {
    ManifestReader old(folder);
    ManifestWriter kept(folder);
    ManifestEntry entry;
    int32_t lastKept = 0;
    while (old.Next(entry)) {
        const bool planned = entry.number >= 1 && static_cast<size_t>(entry.number) <= toDraw.size() &&
                             names.For(entry.number) == entry.name;
        if (!planned) {
            std::error_code error;
            std::filesystem::remove(folder / entry.name, error);
        } else if (!toDraw[static_cast<size_t>(entry.number - 1)] && entry.number > lastKept) {
            kept.Add(entry);
            lastKept = entry.number;
        }
    }
    kept.Commit();
}

}  // namespace quenta::script
