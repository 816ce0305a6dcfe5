#include "Baseline.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <tuple>

#include "CheckCatalogue.h"
#include "ScriptError.h"
#include "ScriptFile.h"

namespace quenta::script {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr int kVersion = 1;

// The script's path as the baseline names it: from the baseline's folder,
// so that the file means the same from wherever quenta runs.
std::string RelativeName(const std::string& script, const std::string& baseline) {
    if (script == "-") return script;
    std::error_code error;
    const fs::path folder = fs::absolute(baseline, error).parent_path();
    return fs::absolute(script, error).lexically_normal().lexically_relative(folder.lexically_normal()).generic_string();
}

using Identity = std::tuple<std::string, std::string, std::string, std::string>;

Identity IdentityOf(const std::string& file, const Finding& f) {
    return {file, f.key, std::string(CheckName(f.check)), f.fingerprint};
}

}  // namespace

Baseline Baseline::Of(const std::vector<FileFindings>& files, const std::string& path) {
    std::map<Identity, int32_t> counts;
    for (const FileFindings& file : files) {
        const std::string name = RelativeName(file.path, path);
        for (const Finding& f : file.findings) {
            if (!f.accepted) ++counts[IdentityOf(name, f)];
        }
    }
    Baseline baseline;
    for (const auto& [identity, count] : counts) {
        const auto& [file, key, check, fingerprint] = identity;
        baseline.entries.push_back({file, key, check, fingerprint, count});
    }
    return baseline;  // a map's order is the sorted order
}

Baseline Baseline::Read(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    Baseline baseline;
    try {
        const json document = json::parse(bytes);
        if (document.at("version").get<int>() != kVersion) throw BadInput("'" + path + "' is a baseline of another version");
        for (const json& entry : document.at("findings")) {
            baseline.entries.push_back({entry.at("file").get<std::string>(), entry.at("key").get<std::string>(),
                                        entry.at("check").get<std::string>(), entry.at("fingerprint").get<std::string>(),
                                        entry.value("count", 1)});
        }
    } catch (const json::exception& error) {
        throw BadInput("'" + path + "' is no baseline of quenta check: " + error.what());
    }
    std::sort(baseline.entries.begin(), baseline.entries.end());
    return baseline;
}

std::string Baseline::Json() const {
    json findings = json::array();
    for (const BaselineEntry& e : entries) {
        json entry = {{"file", e.file}, {"key", e.key}, {"check", e.check}, {"fingerprint", e.fingerprint}};
        if (e.count != 1) entry["count"] = e.count;
        findings.push_back(std::move(entry));
    }
    // One entry a line block, keys in a fixed order, so that a diff shows
    // the findings that came and went.
    return json{{"version", kVersion}, {"findings", findings}}.dump(2, ' ', false, json::error_handler_t::replace) + '\n';
}

std::vector<BaselineEntry> CompareWithBaseline(std::vector<FileFindings>& files, const Baseline& baseline,
                                               const std::string& path) {
    // Only the scripts checked now can tell what was fixed in them.
    std::set<std::string> checked;
    for (const FileFindings& file : files) checked.insert(RelativeName(file.path, path));
    std::map<Identity, int32_t> left;
    for (const BaselineEntry& e : baseline.entries) {
        if (checked.count(e.file)) left[{e.file, e.key, e.check, e.fingerprint}] += e.count;
    }
    for (FileFindings& file : files) {
        const std::string name = RelativeName(file.path, path);
        for (Finding& f : file.findings) {
            // An accepted finding is compared too, that SARIF gives each a
            // state; it never fails the run.
            const auto it = left.find(IdentityOf(name, f));
            if (it != left.end() && it->second > 0) {
                --it->second;
                f.baseline = BaselineState::kUnchanged;
            } else {
                f.baseline = BaselineState::kNew;
            }
        }
    }
    std::vector<BaselineEntry> fixed;
    for (const auto& [identity, count] : left) {
        if (count <= 0) continue;
        const auto& [file, key, check, fingerprint] = identity;
        fixed.push_back({file, key, check, fingerprint, count});
    }
    return fixed;
}

}  // namespace quenta::script
