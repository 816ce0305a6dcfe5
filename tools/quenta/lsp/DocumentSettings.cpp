#include "DocumentSettings.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include "CheckCatalogue.h"

namespace quenta::lsp {

namespace {

using nlohmann::json;

void Problem(std::string& problems, const std::string& text) {
    if (!problems.empty()) problems += "; ";
    problems += text;
}

std::optional<int32_t> Positive(const json& value, const char* name, std::string& problems) {
    if (value.is_number_integer() && value.get<int64_t>() > 0 && value.get<int64_t>() <= 1 << 20) {
        return static_cast<int32_t>(value.get<int64_t>());
    }
    Problem(problems, std::string(name) + " must be a positive number of pixels");
    return std::nullopt;
}

std::set<script::Check> Checks(const json& value, const char* name, std::string& problems) {
    std::set<script::Check> checks;
    if (!value.is_array()) {
        Problem(problems, std::string(name) + " must be a list of check names");
        return checks;
    }
    for (const json& item : value) {
        const std::optional<script::Check> check = item.is_string() ? script::CheckNamed(item.get<std::string>()) : std::nullopt;
        if (check) checks.insert(*check);
        else Problem(problems, std::string(name) + ": no check is named " + item.dump());
    }
    return checks;
}

}  // namespace

DocumentSettings SettingsFrom(const json& options, DocumentSettings base, std::string& problems) {
    if (!options.is_object()) return base;
    for (const auto& [key, value] : options.items()) {
        if (key == "window") {
            int width = 0, height = 0;
            char end = 0;
            if (value.is_string() &&
                std::sscanf(value.get<std::string>().c_str(), "%dx%d%c", &width, &height, &end) == 2 && width > 0 &&
                height > 0) {
                base.check.window.width = width;
                base.check.window.height = height;
            } else if (value.is_null()) {
                base.check.window.width.reset();
                base.check.window.height.reset();
            } else {
                Problem(problems, "window must be WIDTHxHEIGHT, e.g. \"480x96\"");
            }
        } else if (key == "width") {
            if (auto width = Positive(value, "width", problems)) base.check.window.width = width;
        } else if (key == "maxLines") {
            if (auto lines = Positive(value, "maxLines", problems)) base.check.window.maxLines = lines;
        } else if (key == "resetBetweenMessages" && value.is_boolean()) {
            base.check.resetBetweenMessages = value.get<bool>();
        } else if (key == "warningsAsErrors" && value.is_boolean()) {
            base.check.warningsAsErrors = value.get<bool>();
        } else if (key == "only") {
            base.check.only = Checks(value, "only", problems);
        } else if (key == "silence") {
            base.check.silenced = Checks(value, "silence", problems);
        } else if (key == "form" && value.is_string()) {
            const std::string form = value.get<std::string>();
            if (form.empty() || form == "text" || form == "csv" || form == "tsv" || form == "po") base.form = form;
            else Problem(problems, "form must be text, csv, tsv or po");
        } else if (key == "column" && (value.is_string() || value.is_number_integer())) {
            base.column = value.is_string() ? value.get<std::string>() : std::to_string(value.get<int64_t>());
        } else if (key == "includeFuzzy" && value.is_boolean()) {
            base.includeFuzzy = value.get<bool>();
        } else if (key == "archive" && value.is_string()) {
            base.archive = value.get<std::string>();
        } else if (key == "formatting" && value.is_boolean()) {
            base.formatting = value.get<bool>();
        } else if (key == "inlayHints" && value.is_string()) {
            const std::string mode = value.get<std::string>();
            if (mode == "all") base.inlayHints = InlayHintMode::kAll;
            else if (mode == "near") base.inlayHints = InlayHintMode::kNear;
            else if (mode == "none") base.inlayHints = InlayHintMode::kNone;
            else Problem(problems, "inlayHints must be all, near or none");
        } else if (key == "nearPercent") {
            if (auto percent = Positive(value, "nearPercent", problems)) base.nearPercent = *percent;
        } else {
            Problem(problems, "unknown or mistyped setting '" + key + "'");
        }
    }
    return base;
}

}  // namespace quenta::lsp
