#include "PictureManifest.h"

#include <nlohmann/json.hpp>

namespace quenta::script {

namespace {

constexpr int kFormat = 2;

// Only a file of the folder itself may be named: a manifest edited by hand
// must not make a rerun remove anything elsewhere.
bool IsPictureName(const std::string& name) {
    return name.size() > 4 && name.ends_with(".png") && name.find_first_of("/\\") == std::string::npos &&
           name.find('\0') == std::string::npos;
}

}  // namespace

ManifestReader::ManifestReader(const std::filesystem::path& folder) : in_(folder / kManifestFileName) {
    std::string line;
    if (!in_ || !std::getline(in_, line)) {
        ended_ = true;
        return;
    }
    const nlohmann::json head = nlohmann::json::parse(line, nullptr, false);
    ended_ = !head.is_object() || head.value("format", 0) != kFormat;
}

bool ManifestReader::Next(ManifestEntry& entry) {
    if (haveAhead_) {
        entry = std::move(ahead_);
        haveAhead_ = false;
        return true;
    }
    std::string line;
    while (!ended_ && std::getline(in_, line)) {
        const nlohmann::json json = nlohmann::json::parse(line, nullptr, false);
        if (!json.is_array() || json.size() != 3 || !json[0].is_number_integer() || !json[1].is_string() ||
            !json[2].is_string()) {
            continue;
        }
        entry.number = json[0].get<int32_t>();
        entry.name = json[1].get<std::string>();
        entry.key = json[2].get<std::string>();
        if (IsPictureName(entry.name)) return true;
    }
    ended_ = true;
    return false;
}

const ManifestEntry* ManifestReader::Find(int32_t number) {
    while (haveAhead_ || Next(ahead_)) {
        haveAhead_ = true;
        if (ahead_.number > number) return nullptr;
        if (ahead_.number == number) return &ahead_;
        haveAhead_ = false;  // an entry of a message before: passed
    }
    return nullptr;
}

ManifestWriter::ManifestWriter(const std::filesystem::path& folder) : file_(folder / kManifestFileName) {
    file_.Out() << nlohmann::json{{"format", kFormat}}.dump() << '\n';
}

void ManifestWriter::Add(const ManifestEntry& entry) {
    // A name that is no UTF-8 is written mended; it then matches no picture,
    // which is only ever drawn again.
    file_.Out() << nlohmann::json::array({entry.number, entry.name, entry.key})
                       .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                << '\n';
}

void ManifestWriter::Commit() { file_.Commit(); }

}  // namespace quenta::script
