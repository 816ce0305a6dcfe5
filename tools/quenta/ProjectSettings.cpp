#include "ProjectSettings.h"

#include <fnmatch.h>

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

#include "CheckCatalogue.h"

namespace quenta::script {

namespace fs = std::filesystem;

namespace {

enum class ValueKind { kText, kCount, kFlag, kPath, kSize, kPoint, kColor, kColumn, kForm, kEncoding };

using StringMember = Setting<std::string> ProjectSettings::*;
using CountMember = Setting<int32_t> ProjectSettings::*;
using FlagMember = Setting<bool> ProjectSettings::*;

struct KeyInfo {
    std::string_view name;
    ValueKind kind;
    std::variant<StringMember, CountMember, FlagMember> member;
    std::string_view what;
};

const KeyInfo kKeys[] = {
    {"form", ValueKind::kForm, &ProjectSettings::form, "the script's form: text, csv, tsv or po (by default from its name)"},
    {"encoding", ValueKind::kEncoding, &ProjectSettings::encoding, "utf-8 or cp932 (a PO header or UTF-16 mark may say otherwise)"},
    {"column", ValueKind::kColumn, &ProjectSettings::column, "CSV and TSV: the messages' column, a number from 1 or a name"},
    {"source-column", ValueKind::kColumn, &ProjectSettings::sourceColumn, "CSV and TSV: the source text's column"},
    {"flags-column", ValueKind::kColumn, &ProjectSettings::flagsColumn, "CSV and TSV: the column of accepted findings"},
    {"key-column", ValueKind::kColumn, &ProjectSettings::keyColumn, "CSV and TSV: the column that names each message"},
    {"include-fuzzy", ValueKind::kFlag, &ProjectSettings::includeFuzzy, "PO: read fuzzy entries too"},
    {"reset-between-messages", ValueKind::kFlag, &ProjectSettings::resetBetweenMessages,
     "the host resets the style before each message"},
    {"window", ValueKind::kSize, &ProjectSettings::window, "the message window's text area, WxH in pixels"},
    {"width", ValueKind::kCount, &ProjectSettings::width, "the line width to wrap to without a window"},
    {"max-lines", ValueKind::kCount, &ProjectSettings::maxLines, "the most lines a message may have"},
    {"archive", ValueKind::kPath, &ProjectSettings::archive, "the pictures for <G>: a folder or a ZIP file"},
    {"size", ValueKind::kSize, &ProjectSettings::size, "the canvas size, WxH"},
    {"position", ValueKind::kPoint, &ProjectSettings::position, "where the text's top-left corner goes, X,Y"},
    {"margin", ValueKind::kCount, &ProjectSettings::margin, "space around the text on a fitted canvas"},
    {"background", ValueKind::kColor, &ProjectSettings::background, "background colour RRGGBB"},
    {"background-image", ValueKind::kPath, &ProjectSettings::backgroundImage, "a PNG or BMP picture under the text"},
    {"gothic-font", ValueKind::kPath, &ProjectSettings::gothicFont, "the font file for face 0"},
    {"mincho-font", ValueKind::kPath, &ProjectSettings::minchoFont, "the font file for face 1"},
    {"keep-newlines", ValueKind::kFlag, &ProjectSettings::keepNewlines, "hand line breaks to Quenta as they are"},
};

const KeyInfo* KeyNamed(std::string_view name) {
    for (const KeyInfo& key : kKeys) {
        if (key.name == name) return &key;
    }
    return nullptr;
}

// The nearest known key, for "did you mean": the fewest edits, at most 2.
std::string NearestKey(std::string_view name) {
    const auto distance = [](std::string_view a, std::string_view b) {
        std::vector<size_t> row(b.size() + 1);
        for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
        for (size_t i = 1; i <= a.size(); ++i) {
            size_t diagonal = row[0];
            row[0] = i;
            for (size_t j = 1; j <= b.size(); ++j) {
                const size_t up = row[j];
                row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
                diagonal = up;
            }
        }
        return row[b.size()];
    };
    std::string best;
    size_t bestDistance = 3;
    for (const KeyInfo& key : kKeys) {
        const size_t d = distance(name, key.name);
        if (d < bestDistance) {
            bestDistance = d;
            best = key.name;
        }
    }
    for (const std::string_view other : {"checks", "files", "glob"}) {
        if (distance(name, other) < bestDistance) {
            bestDistance = distance(name, other);
            best = other;
        }
    }
    return best;
}

bool Digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Positive decimal, at most `max`.
bool Count(std::string_view text, int64_t max, int64_t& out) {
    if (!Digits(text) || text.size() > 9) return false;
    out = std::stoll(std::string(text));
    return out >= 1 && out <= max;
}

// Why `text` is no value of `kind`, or empty when it is one.
std::string Problem(ValueKind kind, const std::string& text) {
    int64_t a = 0, b = 0;
    switch (kind) {
        case ValueKind::kSize: {
            const size_t x = text.find('x');
            if (x != std::string::npos && Count(text.substr(0, x), 16384, a) && Count(text.substr(x + 1), 16384, b)) return "";
            return "expected WxH in pixels, each side 1 to 16384 (480x96)";
        }
        case ValueKind::kPoint: {
            const size_t comma = text.find(',');
            const auto coordinate = [](std::string_view t) { return Digits(t) && t.size() <= 5; };
            if (comma != std::string::npos && coordinate(std::string_view(text).substr(0, comma)) &&
                coordinate(std::string_view(text).substr(comma + 1)))
                return "";
            return "expected X,Y in pixels (24,16)";
        }
        case ValueKind::kColor:
            if (text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
                return "";
            return "expected a colour RRGGBB in hexadecimal (503020)";
        case ValueKind::kForm:
            if (text == "text" || text == "csv" || text == "tsv" || text == "po") return "";
            return "expected text, csv, tsv or po";
        case ValueKind::kEncoding:
            if (text == "utf-8" || text == "cp932") return "";
            return "expected utf-8 or cp932";
        case ValueKind::kColumn:
            if (text.empty()) return "expected a column number from 1 or a name in the first row";
            if (Digits(text) && !Count(text, 1 << 20, a)) return "columns count from 1";
            return "";
        case ValueKind::kPath:
            if (text.empty()) return "expected a path";
            return "";
        case ValueKind::kCount:
        case ValueKind::kFlag:
        case ValueKind::kText: return "";
    }
    return "";
}

std::string KindWord(ValueKind kind) {
    switch (kind) {
        case ValueKind::kCount: return "a whole number";
        case ValueKind::kFlag: return "true or false";
        case ValueKind::kColumn: return "a column number or name";
        default: return "a string";
    }
}

std::string Diagnostic(const SettingOrigin& at, const std::string& text) {
    return at.Describe() + ": error: " + text;
}

SettingOrigin OriginOf(const std::string& file, const toml::source_region& region) {
    SettingOrigin origin;
    origin.kind = SettingOrigin::Kind::kFile;
    origin.file = file;
    origin.line = static_cast<int32_t>(region.begin.line);
    origin.column = static_cast<int32_t>(region.begin.column);
    return origin;
}

constexpr std::string_view kLevels[] = {"off", "note", "warning", "error"};

// Matches `pattern`'s folders against `path`'s; "**" stands for any number
// of folders, every other part is an fnmatch pattern of its own.
bool MatchParts(const std::vector<std::string>& pattern, size_t p, const std::vector<std::string>& path, size_t i) {
    if (p == pattern.size()) return i == path.size();
    if (pattern[p] == "**") {
        for (size_t k = i; k <= path.size(); ++k) {
            if (MatchParts(pattern, p + 1, path, k)) return true;
        }
        return false;
    }
    if (i == path.size()) return false;
    if (fnmatch(pattern[p].c_str(), path[i].c_str(), 0) != 0) return false;
    return MatchParts(pattern, p + 1, path, i + 1);
}

std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, '/')) {
        if (!part.empty() && part != ".") parts.push_back(part);
    }
    return parts;
}

// A glob without a '/' matches the file's name in any folder, as in
// .gitignore; one with a '/' matches the path from the settings' folder.
bool GlobMatches(const std::string& glob, const fs::path& relative) {
    const std::vector<std::string> path = Parts(relative.generic_string());
    if (glob.find('/') == std::string::npos) {
        return !path.empty() && fnmatch(glob.c_str(), path.back().c_str(), 0) == 0;
    }
    return MatchParts(Parts(glob), 0, path, 0);
}

fs::path Absolute(const std::string& path) {
    std::error_code ignored;
    const fs::path absolute = fs::absolute(path.empty() || path == "-" ? fs::path(".") : fs::path(path), ignored);
    return absolute.lexically_normal();
}

}  // namespace

std::string SettingOrigin::Describe() const {
    switch (kind) {
        case Kind::kDefault: return "default";
        case Kind::kCommandLine: return "command line";
        case Kind::kFile: return file + ":" + std::to_string(line) + ":" + std::to_string(column);
    }
    return "default";
}

std::span<const SettingKey> SettingKeys() {
    static const std::vector<SettingKey> keys = [] {
        std::vector<SettingKey> out;
        for (const KeyInfo& key : kKeys) out.push_back({key.name, key.what});
        return out;
    }();
    return keys;
}

// One quenta.toml as read: its top-level values, then its sections.
struct SettingsResolver::ProjectFile {
    fs::path folder;
    std::vector<SettingValue> values;
    struct Section {
        std::string glob;
        std::vector<SettingValue> values;
    };
    std::vector<Section> sections;
    std::string name;  // as found, for origins and `quenta config`
};

namespace {

// Reads one table's keys (the top level or a [[files]] section) into
// values, converting paths to the file's folder.
class FileReader {
public:
    FileReader(std::string name, fs::path folder) : name_(std::move(name)), folder_(std::move(folder)) {}

    void Table(const toml::table& table, bool section, std::vector<SettingValue>& out, std::string* glob) {
        for (auto&& [key, node] : table) {
            const std::string name(key.str());
            const SettingOrigin at = OriginOf(name_, key.source());
            if (name == "checks") {
                Checks(node, at, out);
            } else if (name == "files" && !section) {
                // Read by the caller, section by section.
            } else if (name == "glob" && section) {
                if (!node.is_string() || node.as_string()->get().empty())
                    throw SettingsError(Diagnostic(OriginOf(name_, node.source()), "'glob' takes a non-empty string"));
                *glob = node.as_string()->get();
            } else if (const KeyInfo* info = KeyNamed(name)) {
                out.push_back(Value(*info, node, at));
            } else {
                std::string text = "unknown key '" + name + "'";
                const std::string near = NearestKey(name);
                if (!near.empty()) text += "; did you mean '" + near + "'?";
                else if (section) text += " in a [[files]] section";
                throw SettingsError(Diagnostic(at, text));
            }
        }
    }

private:
    SettingValue Value(const KeyInfo& info, const toml::node& node, const SettingOrigin& at) {
        const SettingOrigin valueAt = OriginOf(name_, node.source());
        SettingValue value;
        value.key = std::string(info.name);
        value.origin = at;
        const auto bad = [&](const std::string& why) {
            return SettingsError(Diagnostic(valueAt, "bad value for '" + std::string(info.name) + "': " + why));
        };
        if (info.kind == ValueKind::kFlag) {
            if (!node.is_boolean()) throw bad("expected true or false");
            value.value = node.as_boolean()->get();
            return value;
        }
        if (info.kind == ValueKind::kCount) {
            if (!node.is_integer()) throw bad("expected a whole number");
            const int64_t n = node.as_integer()->get();
            if (n < 1 || n > (1 << 20)) throw bad("expected a whole number from 1 to 1048576");
            if (std::holds_alternative<StringMember>(info.member)) value.value = std::to_string(n);
            else value.value = static_cast<int32_t>(n);
            return value;
        }
        std::string text;
        if (node.is_string()) {
            text = node.as_string()->get();
        } else if (info.kind == ValueKind::kColumn && node.is_integer()) {
            text = std::to_string(node.as_integer()->get());
        } else {
            throw bad("expected " + KindWord(info.kind));
        }
        const std::string problem = Problem(info.kind, text);
        if (!problem.empty()) throw bad(problem);
        if (info.kind == ValueKind::kPath) text = (folder_ / text).lexically_normal().string();
        value.value = text;
        return value;
    }

    void Checks(const toml::node& node, const SettingOrigin& at, std::vector<SettingValue>& out) {
        const toml::table* table = node.as_table();
        if (!table) throw SettingsError(Diagnostic(at, "'checks' is a table: [checks] then name = \"off\""));
        for (auto&& [key, level] : *table) {
            const std::string name(key.str());
            const SettingOrigin keyAt = OriginOf(name_, key.source());
            if (!CheckNamed(name)) {
                throw SettingsError(Diagnostic(keyAt, "no check is named '" + name + "'; `quenta check --list-checks` lists them"));
            }
            const std::string* text = level.is_string() ? &level.as_string()->get() : nullptr;
            if (!text || std::find(std::begin(kLevels), std::end(kLevels), *text) == std::end(kLevels)) {
                throw SettingsError(Diagnostic(OriginOf(name_, level.source()),
                                               "bad level for '" + name + "': expected \"off\", \"note\", \"warning\" or \"error\""));
            }
            out.push_back({"checks." + name, *text, keyAt});
        }
    }

    std::string name_;
    fs::path folder_;
};

void Lay(ProjectSettings& settings, const SettingValue& value) {
    if (value.key.rfind("checks.", 0) == 0) {
        settings.levels[value.key.substr(7)] = {std::get<std::string>(value.value), value.origin};
        return;
    }
    const KeyInfo* info = KeyNamed(value.key);
    if (!info) return;
    std::visit(
        [&](auto member) {
            auto& setting = settings.*member;
            using T = std::decay_t<decltype(setting.value)>;
            if (const T* v = std::get_if<T>(&value.value)) setting = {*v, value.origin};
        },
        info->member);
}

}  // namespace

SettingValue CommandLineValue(const std::string& key, const std::string& text) {
    SettingValue value;
    value.key = key;
    value.origin.kind = SettingOrigin::Kind::kCommandLine;
    const KeyInfo* info = KeyNamed(key);
    if (!info) throw SettingsError("quenta: error: --" + key + " is no setting");
    if (info->kind == ValueKind::kFlag) {
        value.value = text != "false" && text != "0";
    } else if (info->kind == ValueKind::kCount && std::holds_alternative<CountMember>(info->member)) {
        int64_t n = 0;
        if (!Count(text, 1 << 20, n)) throw SettingsError("quenta: error: --" + key + ": expected a whole number from 1");
        value.value = static_cast<int32_t>(n);
    } else {
        value.value = text;
    }
    return value;
}

std::optional<fs::path> FindProjectFile(const std::string& scriptPath) {
    fs::path folder = Absolute(scriptPath);
    std::error_code error;
    if (!(scriptPath.empty() || scriptPath == "-") && !fs::is_directory(folder, error)) folder = folder.parent_path();
    for (;;) {
        const fs::path candidate = folder / kProjectFileName;
        if (fs::is_regular_file(candidate, error)) return candidate;
        if (!folder.has_parent_path() || folder.parent_path() == folder) return std::nullopt;
        folder = folder.parent_path();
    }
}

SettingsResolver::SettingsResolver(SettingsChoice choice) : choice_(std::move(choice)) {}
SettingsResolver::~SettingsResolver() = default;
SettingsResolver::SettingsResolver(SettingsResolver&&) noexcept = default;

const SettingsResolver::ProjectFile* SettingsResolver::FileFor(const std::string& scriptPath) {
    if (choice_.noConfig) return nullptr;
    fs::path path;
    std::string name;
    if (!choice_.configFile.empty()) {
        path = Absolute(choice_.configFile);
        name = choice_.configFile;
    } else {
        const std::optional<fs::path> found = FindProjectFile(scriptPath);
        if (!found) return nullptr;
        path = *found;
        // Named from the working directory when it lies below it, as the
        // writer would type it.
        std::error_code error;
        const fs::path relative = path.lexically_relative(fs::current_path(error));
        name = !relative.empty() && *relative.begin() != ".." ? relative.string() : path.string();
    }
    const std::string id = path.string();
    if (const auto it = files_.find(id); it != files_.end()) return it->second.get();

    std::ifstream in(path, std::ios::binary);
    if (!in) throw SettingsError(name + ": error: cannot read the settings file");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    toml::table table;
    try {
        table = toml::parse(bytes.str(), name);
    } catch (const toml::parse_error& error) {
        throw SettingsError(Diagnostic(OriginOf(name, error.source()), std::string(error.description())));
    }
    auto file = std::make_unique<ProjectFile>();
    file->name = name;
    // Paths are relative to the file's folder, kept as the writer would
    // reach them from here when the file was named relatively.
    const fs::path folder = fs::path(name).parent_path();
    file->folder = path.parent_path();
    FileReader reader(name, folder);
    reader.Table(table, false, file->values, nullptr);
    if (const toml::node* files = table.get("files")) {
        const toml::array* sections = files->as_array();
        if (!sections || !sections->is_array_of_tables()) {
            throw SettingsError(Diagnostic(OriginOf(name, files->source()), "'files' holds sections: [[files]] then glob = \"...\""));
        }
        for (const toml::node& node : *sections) {
            ProjectFile::Section section;
            reader.Table(*node.as_table(), true, section.values, &section.glob);
            if (section.glob.empty()) {
                throw SettingsError(Diagnostic(OriginOf(name, node.source()), "a [[files]] section needs a glob = \"...\""));
            }
            file->sections.push_back(std::move(section));
        }
    }
    return files_.emplace(id, std::move(file)).first->second.get();
}

ProjectSettings SettingsResolver::For(const std::string& scriptPath) {
    ProjectSettings settings;
    if (const ProjectFile* file = FileFor(scriptPath)) {
        settings.file = file->name;
        for (const SettingValue& value : file->values) Lay(settings, value);
        const fs::path relative = Absolute(scriptPath).lexically_relative(file->folder);
        for (const ProjectFile::Section& section : file->sections) {
            if (!GlobMatches(section.glob, relative)) continue;
            for (const SettingValue& value : section.values) Lay(settings, value);
        }
    }
    for (const SettingValue& value : choice_.commandLine) Lay(settings, value);
    return settings;
}

std::string DescribeSettings(const ProjectSettings& settings) {
    std::ostringstream out;
    out << "# settings file: " << (settings.file.empty() ? "none" : settings.file) << '\n';
    const auto line = [&](std::string_view key, const std::string& shown, const SettingOrigin& origin) {
        std::string left = std::string(key) + " = " + shown;
        if (left.size() < 40) left.resize(40, ' ');
        out << left << " # " << origin.Describe() << '\n';
    };
    const auto quoted = [](const std::string& text) {
        std::string out = "\"";
        for (const char c : text) {
            if (c == '"' || c == '\\') out += '\\';
            out += c;
        }
        return out + '"';
    };
    for (const KeyInfo& key : kKeys) {
        std::visit(
            [&](auto member) {
                const auto& setting = settings.*member;
                using T = std::decay_t<decltype(setting.value)>;
                if constexpr (std::is_same_v<T, bool>) line(key.name, setting.value ? "true" : "false", setting.origin);
                else if constexpr (std::is_same_v<T, int32_t>) line(key.name, std::to_string(setting.value), setting.origin);
                else line(key.name, quoted(setting.value), setting.origin);
            },
            key.member);
    }
    out << "[checks]\n";
    for (const CheckInfo& check : AllChecks()) {
        const auto it = settings.levels.find(std::string(check.name));
        if (it != settings.levels.end()) line(check.name, quoted(it->second.value), it->second.origin);
        else line(check.name, quoted(LevelName(check.level)), SettingOrigin{});
    }
    return out.str();
}

}  // namespace quenta::script
