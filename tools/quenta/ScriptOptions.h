// The options that say how to read a script, declared once for every
// command that reads one: its form and encoding, the column of its
// messages, the window, and how a host treats style between messages.
// `quenta check` and `quenta wrap` add the files and the pictures.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "WindowSettings.h"

namespace quenta::tool {

struct ScriptInputOptions {
    std::string form;
    bool cp932 = false;
    std::string column;
    std::string window;
    int32_t width = 0;
    int32_t maxLines = 0;
    bool reset = false;
    bool includeFuzzy = false;
    std::string flagsColumn, keyColumn;  // CSV and TSV, for `quenta check`

    struct Uses {
        bool cp932 = true;   // false where the command has its own --cp932
        bool width = false;  // --width, for wrapping without a window
        bool columns = false;  // --flags-column and --key-column
    };
    // `command` may be an option group.
    void AddTo(CLI::App& command, Uses uses);
    // Throws quenta::render::ToolError (usage) for a bad window.
    script::WindowSettings Window() const;
};

struct ScriptOptions : ScriptInputOptions {
    std::vector<std::string> files;
    std::string archive;

    void AddTo(CLI::App& command, bool wrapping);
};
// Why a script may have given no message, for the writer to see.
std::string NoMessageText(const ScriptInputOptions& options);

// The window of --window WxH (none when empty), --width N (0 for none) and
// --max-lines N (0 for no limit); throws a usage ToolError for a bad size.
script::WindowSettings WindowOf(const std::string& window, int32_t width, int32_t maxLines);

}  // namespace quenta::tool
