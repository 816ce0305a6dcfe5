// --config and --no-config, and the bridge between a command's options and
// the project's settings: which options the writer gave (they win over
// quenta.toml) and the file's values written back into the options that
// were not given, so that each command goes on reading its own options.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "DrawingOptions.h"
#include "ProjectSettings.h"
#include "ScriptOptions.h"

namespace quenta::tool {

struct SettingsOptions {
    std::string config;
    bool noConfig = false;

    void AddTo(CLI::App& command);
    // After parsing: the file chosen and every setting given on
    // `command`'s line (its option groups included).
    script::SettingsChoice Choice(const CLI::App& command) const;
};

// Values that came from a file go into the options; the rest stay.
void ApplySettings(const script::ProjectSettings& settings, ScriptInputOptions& options);
void ApplySettings(const script::ProjectSettings& settings, render::DrawingOptions& options);
void ApplyArchive(const script::ProjectSettings& settings, std::string& archive);

}  // namespace quenta::tool
