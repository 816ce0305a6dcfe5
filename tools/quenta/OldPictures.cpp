#include "OldPictures.h"

#include "PictureManifest.h"

namespace quenta::script {

void SettleOldPictures(const std::filesystem::path& folder, const PictureNames& names, const std::vector<bool>& toDraw) {
    ManifestReader old(folder);
    ManifestWriter kept(folder);
    ManifestEntry entry;
    int32_t lastKept = 0;
    int32_t nextClaim = 1;
    // The pictures about to be drawn are claimed, with no key: a run killed
    // while drawing leaves them named as this tool's, to be drawn again.
    const auto claimUpTo = [&](int32_t end) {
        for (; nextClaim < end; ++nextClaim) {
            if (toDraw[static_cast<size_t>(nextClaim - 1)]) kept.Add({nextClaim, names.For(nextClaim), ""});
        }
    };
    while (old.Next(entry)) {
        const bool planned = entry.number >= 1 && static_cast<size_t>(entry.number) <= toDraw.size() &&
                             names.For(entry.number) == entry.name;
        if (!planned) {
            std::error_code error;
            std::filesystem::remove(folder / entry.name, error);
        } else if (!toDraw[static_cast<size_t>(entry.number - 1)] && entry.number > lastKept) {
            claimUpTo(entry.number);
            kept.Add(entry);
            lastKept = entry.number;
            nextClaim = entry.number + 1;
        }
    }
    claimUpTo(static_cast<int32_t>(toDraw.size()) + 1);
    kept.Commit();
}

}  // namespace quenta::script
