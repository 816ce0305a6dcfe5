// Which font file each face name means: the classic Japanese names and
// fontconfig family names resolved once, and names a host pointed at a file.
// Matching fonts happens here and nowhere else.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FaceEntry.h"

namespace quenta::scrivo2 {

// A face name as the host sends it (Shift-JIS bytes) and its face; a null
// face records a name that resolved to nothing.
struct NameEntry {
    std::string name;
    FaceEntry* face = nullptr;
};

class FaceRegistry {
public:
    // The entry for `name`, resolved on its first use; never null.
    NameEntry* Lookup(std::string_view name);
    // Points `name` at the first face of the font file at `path`.
    NameEntry* Point(std::string_view name, const std::string& path);

private:
    FaceEntry* FaceFor(const std::string& path, int index);
    NameEntry* Find(std::string_view name);
    NameEntry* Add(std::string_view name, FaceEntry* face);

    std::vector<std::unique_ptr<FaceEntry>> faces_;  // stable addresses: the cache's face IDs
    std::vector<std::unique_ptr<NameEntry>> names_;
};

}  // namespace quenta::scrivo2
