#include "FindingReport.h"

#include <nlohmann/json.hpp>

#include "CheckCatalogue.h"

namespace quenta::script {

namespace {

using nlohmann::json;

std::string SarifLevel(Level level) { return LevelName(level); }  // SARIF uses the same three words

json Json(const std::vector<FileFindings>& files) {
    json out = json::array();
    for (const FileFindings& file : files) {
        for (const Finding& f : file.findings) {
            out.push_back({{"file", file.path},
                           {"line", f.place.line},
                           {"column", f.place.column},
                           {"message", f.message},
                           {"level", LevelName(f.level)},
                           {"check", std::string(CheckName(f.check))},
                           {"text", f.text}});
            if (f.accepted) out.back()["accepted"] = true;
        }
    }
    return out;
}

json Sarif(const std::vector<FileFindings>& files, const std::string& version) {
    json rules = json::array();
    for (const CheckInfo& check : AllChecks()) {
        rules.push_back({{"id", std::string(check.name)},
                         {"shortDescription", {{"text", std::string(check.summary)}}},
                         {"defaultConfiguration", {{"level", SarifLevel(check.level)}}}});
    }
    json results = json::array();
    for (const FileFindings& file : files) {
        for (const Finding& f : file.findings) {
            json result = {{"ruleId", std::string(CheckName(f.check))},
                           {"level", SarifLevel(f.level)},
                           {"message", {{"text", f.text}}},
                           {"locations",
                            json::array({{{"physicalLocation",
                                           {{"artifactLocation", {{"uri", file.path}}},
                                            {"region", {{"startLine", f.place.line}, {"startColumn", f.place.column}}}}}}})},
                           {"properties", {{"messageNumber", f.message}}}};
            result["ruleIndex"] = static_cast<int>(f.check);
            // Accepted where the text lives: a flag in the script.
            if (f.accepted) result["suppressions"] = json::array({{{"kind", "inSource"}}});
            results.push_back(std::move(result));
        }
    }
    return {{"version", "2.1.0"},
            {"runs", json::array({{{"tool", {{"driver", {{"name", "quenta"},
                                                         {"version", version},
                                                         {"rules", rules}}}}},
                                   {"columnKind", "unicodeCodePoints"},
                                   {"results", results}}})}};
}

}  // namespace

std::string FindingLine(const std::string& path, const Finding& f) {
    return path + ":" + std::to_string(f.place.line) + ":" + std::to_string(f.place.column) + ": " +
           LevelName(f.level) + ": " + f.text + " [" + std::string(CheckName(f.check)) + "]" + (f.accepted ? " (accepted)" : "");
}

void WriteReport(std::ostream& out, ReportFormat format, const std::vector<FileFindings>& files,
                 const std::string& version) {
    switch (format) {
        case ReportFormat::kText:
            for (const FileFindings& file : files) {
                for (const Finding& f : file.findings) out << FindingLine(file.path, f) << '\n';
            }
            break;
        case ReportFormat::kJson: out << Json(files).dump(2, ' ', false, json::error_handler_t::replace) << '\n'; break;
        case ReportFormat::kSarif: out << Sarif(files, version).dump(2, ' ', false, json::error_handler_t::replace) << '\n'; break;
    }
}

}  // namespace quenta::script
