#include "StoredEntry.h"

#include <limits>
#include <utility>

#include "quenta/SlotGuard.h"

namespace quenta::vaultrix {

StoredEntry::StoredEntry(EntrySource* source, int32_t number, std::string location)
    : source_(source), number_(number), location_(std::move(location)) {
    source_->AddRef();
}

StoredEntry::~StoredEntry() { source_->Release(); }

int32_t StoredEntry::GetSize() { return loaded_ ? static_cast<int32_t>(bytes_.size()) : 0; }

const uint8_t* StoredEntry::GetBytes() { return loaded_ ? bytes_.data() : nullptr; }

std::uintptr_t StoredEntry::Load() {
    if (loaded_) return LoadedHandle();
    return Guarded([&]() -> std::uintptr_t {
        std::vector<uint8_t> bytes;
        // Keeps GetBytes non-null once loaded, even for an empty file.
        bytes.reserve(1);
        if (!source_->ReadEntry(location_, bytes)) return 0;
        if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
        bytes_ = std::move(bytes);
        loaded_ = true;
        return LoadedHandle();
    });
}

std::uintptr_t StoredEntry::Share(std::uintptr_t loaded) {
    if (!loaded_ || loaded != LoadedHandle()) return 0;
    return reinterpret_cast<std::uintptr_t>(static_cast<ArchiveEntry*>(this));
}

}  // namespace quenta::vaultrix
