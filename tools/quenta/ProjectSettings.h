// The settings a project keeps in quenta.toml, layered under the command
// line: for each script, the defaults, then the nearest quenta.toml going
// up from the script's folder (or the one --config names, or none with
// --no-config), then its [[files]] sections whose glob matches the script,
// in order, then the command line. Every command reads its settings
// through this one type, and each value knows where it came from.
//
//     window = "480x96"
//     max-lines = 2
//     archive = "pictures"          # relative to this file
//     [checks]
//     unclosed-style = "off"        # off, note, warning or error
//     [[files]]
//     glob = "chapter2/*.po"        # relative to this file; ** spans folders
//     window = "592x138"
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "ScriptError.h"

namespace quenta::script {

inline constexpr const char* kProjectFileName = "quenta.toml";

// Where a setting's value came from.
struct SettingOrigin {
    enum class Kind { kDefault, kFile, kCommandLine };
    Kind kind = Kind::kDefault;
    std::string file;  // kFile: the quenta.toml, as found
    int32_t line = 0;  // kFile: from 1
    int32_t column = 0;

    // "default", "command line", or "examples/quenta.toml:3:1".
    std::string Describe() const;
};

template <typename T>
struct Setting {
    T value{};
    SettingOrigin origin;

    bool Given() const { return origin.kind != SettingOrigin::Kind::kDefault; }
};

// An unknown key, a bad value or a file that is no TOML: the message is a
// whole diagnostic, "file:line:column: error: text". A bad setting (exit
// status 2).
class SettingsError : public ScriptError {
public:
    explicit SettingsError(const std::string& diagnostic) : ScriptError(ErrorKind::kBadSetting, diagnostic) {}
};

// Every setting, each named as its long option. Paths from a file are
// relative to that file's folder; ProjectSettings holds them as paths one
// can open from the working directory.
struct ProjectSettings {
    // Reading the script.
    Setting<std::string> form;          // "", text, csv, tsv or po
    Setting<std::string> encoding{"utf-8", {}};  // utf-8 or cp932
    Setting<std::string> column;        // CSV and TSV: number from 1 or name
    Setting<std::string> sourceColumn;  // the column of the source text, beside a translation
    Setting<std::string> flagsColumn;   // the column of accepted findings
    Setting<std::string> keyColumn;     // the column of each message's identity
    Setting<bool> includeFuzzy;
    Setting<bool> resetBetweenMessages;
    // The window the messages are measured against.
    Setting<std::string> window;  // "WxH" or empty
    Setting<int32_t> width;       // wrapping without a window; 0 for none
    Setting<int32_t> maxLines;    // 0 for no limit
    Setting<std::string> archive;
    // Drawing.
    Setting<std::string> size;
    Setting<std::string> position;
    Setting<std::string> margin;
    Setting<std::string> background;
    Setting<std::string> backgroundImage;
    Setting<std::string> gothicFont;
    Setting<std::string> minchoFont;
    Setting<bool> keepNewlines;
    // Each check's level by its name, where one was set: off, note,
    // warning or error.
    std::map<std::string, Setting<std::string>> levels;
    // The quenta.toml in force; empty when none.
    std::string file;

    bool Cp932() const { return encoding.value == "cp932"; }
};

// One value as a layer gives it, before it is laid over the others.
struct SettingValue {
    std::string key;  // a long option's name, or "checks.NAME"
    std::variant<std::string, int32_t, bool> value;
    SettingOrigin origin;
};

// What the command line says: which file (or none), and the values given.
struct SettingsChoice {
    std::string configFile;  // --config FILE
    bool noConfig = false;   // --no-config
    std::vector<SettingValue> commandLine;
};

// The keys there are, with the kind of value each takes, for --help-like
// listings and for `quenta config`.
struct SettingKey {
    std::string_view name;
    std::string_view what;
};
std::span<const SettingKey> SettingKeys();

// Checks and converts a command line's value for `key` as a file's would
// be; throws a usage-worded SettingsError naming the option.
SettingValue CommandLineValue(const std::string& key, const std::string& text);

// The nearest quenta.toml going up from the script's folder (the working
// directory for "-" or ""), if any.
std::optional<std::filesystem::path> FindProjectFile(const std::string& scriptPath);

// Finds, reads and lays the settings for each script. Each quenta.toml is
// read once however many scripts it covers.
class SettingsResolver {
public:
    explicit SettingsResolver(SettingsChoice choice);
    ~SettingsResolver();
    SettingsResolver(SettingsResolver&&) noexcept;

    // The settings in force for the script at `scriptPath` ("-" or "" for
    // none: the working directory's file applies). Throws SettingsError.
    ProjectSettings For(const std::string& scriptPath);

private:
    struct ProjectFile;
    const ProjectFile* FileFor(const std::string& scriptPath);

    SettingsChoice choice_;
    std::map<std::string, std::unique_ptr<ProjectFile>> files_;
};

// "key = value  # origin" lines for every setting, defaults included.
std::string DescribeSettings(const ProjectSettings& settings);

}  // namespace quenta::script
