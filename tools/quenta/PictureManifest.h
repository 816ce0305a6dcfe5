// The output folder's record of what each picture was drawn from, so that
// a rerun draws only the messages whose text or settings changed. Kept as
// a small JSON file beside the pictures.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace quenta::script {

class PictureManifest {
public:
    static constexpr const char* kFileName = ".quenta-pictures.json";

    // An unreadable or foreign manifest counts as empty: everything is drawn.
    static PictureManifest Load(const std::filesystem::path& folder);

    // True when `name` exists in `folder` and was drawn from `key`.
    bool UpToDate(const std::filesystem::path& folder, const std::string& name, const std::string& key) const;
    void Record(const std::string& name, const std::string& key) { keys_[name] = key; }
    void Forget(const std::string& name) { keys_.erase(name); }
    // Every picture recorded, by name.
    std::vector<std::string> Names() const;

    // Written under a temporary name and renamed; throws std::runtime_error.
    void Save(const std::filesystem::path& folder) const;

private:
    std::map<std::string, std::string> keys_;
};

}  // namespace quenta::script
