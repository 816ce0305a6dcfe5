#include "ArchiveTable.h"

#include "quenta/Ref.h"

namespace quenta::vaultrix {

ArchiveTable& ArchiveTable::Shared() {
    static ArchiveTable table;
    return table;
}

ArchiveTable::~ArchiveTable() {
    for (auto& [number, archive] : archives_) archive->Release();
}

bool ArchiveTable::SetPath(int32_t number, const char* path) {
    Ref<EntrySource> opened(OpenEntrySource(path));
    if (!opened) return false;
    std::lock_guard lock(mutex_);
    EntrySource*& slot = archives_[number];
    // Archives already handed out keep their own reference and their files.
    if (slot) slot->Release();
    slot = opened.release();
    return true;
}

Archive* ArchiveTable::Open(int32_t number) {
    std::lock_guard lock(mutex_);
    const auto found = archives_.find(number);
    if (found == archives_.end()) return nullptr;
    found->second->AddRef();
    return found->second;
}

}  // namespace quenta::vaultrix
