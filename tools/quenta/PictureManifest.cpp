#include "PictureManifest.h"

#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>

namespace quenta::script {

namespace {
constexpr int kFormat = 1;
}

PictureManifest PictureManifest::Load(const std::filesystem::path& folder) {
    PictureManifest manifest;
    std::ifstream in(folder / kFileName);
    if (!in) return manifest;
    const nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
    if (!json.is_object() || json.value("format", 0) != kFormat) return manifest;
    const auto pictures = json.find("pictures");
    if (pictures == json.end() || !pictures->is_object()) return manifest;
    for (const auto& [name, key] : pictures->items()) {
        if (key.is_string()) manifest.keys_[name] = key.get<std::string>();
    }
    return manifest;
}

bool PictureManifest::UpToDate(const std::filesystem::path& folder, const std::string& name, const std::string& key) const {
    const auto found = keys_.find(name);
    if (found == keys_.end() || found->second != key) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(folder / name, error);
}

std::vector<std::string> PictureManifest::Names() const {
    std::vector<std::string> names;
    for (const auto& entry : keys_) names.push_back(entry.first);
    return names;
}

void PictureManifest::Save(const std::filesystem::path& folder) const {
    nlohmann::json json;
    json["format"] = kFormat;
    json["pictures"] = keys_;
    const std::filesystem::path path = folder / kFileName;
    const std::filesystem::path temporary = folder / (std::string(kFileName) + "." + std::to_string(getpid()) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << json.dump(1) << '\n';
        if (!out.flush()) throw std::runtime_error("cannot write '" + temporary.string() + "'");
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw std::runtime_error("cannot write '" + path.string() + "'");
    }
}

}  // namespace quenta::script
