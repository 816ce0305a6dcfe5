#include "SettingsOptions.h"

namespace quenta::tool {

namespace {

using script::ProjectSettings;
using script::Setting;
using script::SettingOrigin;

bool FromFile(const SettingOrigin& origin) { return origin.kind == SettingOrigin::Kind::kFile; }

template <typename T>
void Take(const Setting<T>& setting, T& option) {
    if (FromFile(setting.origin)) option = setting.value;
}

bool IsSettingKey(const std::string& name) {
    for (const script::SettingKey& key : script::SettingKeys()) {
        if (key.name == name) return true;
    }
    return false;
}

void Collect(const CLI::App& command, std::vector<script::SettingValue>& out) {
    for (const CLI::Option* option : command.get_options()) {
        if (option->count() == 0 || option->get_lnames().empty()) continue;
        const std::string name = option->get_lnames().front();
        if (name == "cp932") {
            out.push_back(script::CommandLineValue("encoding", "cp932"));
        } else if (IsSettingKey(name)) {
            // A flag given is on; an option's last value wins, as CLI11 keeps it.
            const bool flag = option->get_expected_max() == 0;
            out.push_back(script::CommandLineValue(name, flag ? "true" : option->results().back()));
        }
    }
    for (const CLI::App* group : command.get_subcommands([](const CLI::App* app) {
             return dynamic_cast<const CLI::Option_group*>(app) != nullptr;
         })) {
        Collect(*group, out);
    }
}

}  // namespace

void SettingsOptions::AddTo(CLI::App& c) {
    auto* config = c.add_option("--config", this->config, "the settings file to use instead of the nearest quenta.toml");
    auto* none = c.add_flag("--no-config", noConfig, "use no settings file, only the command line");
    config->excludes(none);
}

script::SettingsChoice SettingsOptions::Choice(const CLI::App& command) const {
    script::SettingsChoice choice;
    choice.configFile = config;
    choice.noConfig = noConfig;
    Collect(command, choice.commandLine);
    return choice;
}

void ApplySettings(const ProjectSettings& s, ScriptInputOptions& o) {
    Take(s.form, o.form);
    if (FromFile(s.encoding.origin)) o.cp932 = s.Cp932();
    Take(s.column, o.column);
    Take(s.sourceColumn, o.sourceColumn);
    Take(s.window, o.window);
    Take(s.width, o.width);
    Take(s.maxLines, o.maxLines);
    Take(s.resetBetweenMessages, o.reset);
    Take(s.includeFuzzy, o.includeFuzzy);
    Take(s.flagsColumn, o.flagsColumn);
    Take(s.keyColumn, o.keyColumn);
}

void ApplySettings(const ProjectSettings& s, render::DrawingOptions& o) {
    Take(s.size, o.size);
    Take(s.position, o.position);
    Take(s.margin, o.margin);
    Take(s.background, o.background);
    Take(s.backgroundImage, o.options.backgroundImage);
    Take(s.archive, o.options.archive);
    Take(s.gothicFont, o.options.gothicFont);
    Take(s.minchoFont, o.options.minchoFont);
    Take(s.keepNewlines, o.options.keepNewlines);
}

void ApplyArchive(const ProjectSettings& s, std::string& archive) { Take(s.archive, archive); }

}  // namespace quenta::tool
