// The options `quenta check` and `quenta wrap` share: which files, in what
// form and encoding, the window, the pictures and how a host treats style
// between messages.
#pragma once

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ScriptChecker.h"
#include "WindowSettings.h"

namespace quenta::tool {

struct ScriptOptions {
    std::vector<std::string> files;
    std::string form;
    bool cp932 = false;
    std::string column = "1";
    std::string sourceColumn;
    std::vector<std::string> states;
    std::string archive;
    std::string window;
    int32_t width = 0;
    int32_t maxLines = 0;
    bool reset = false;

    void AddTo(CLI::App& command, bool wrapping);
    // Throws quenta::render::ToolError (usage) for a bad window.
    script::WindowSettings Window() const;
    // The source column and the unit states, onto an opened script; throws
    // a usage ToolError for a state that is none.
    void ApplyTo(script::ScriptFile& file) const;
};

// The window of --window WxH (none when empty), --width N (0 for none) and
// --max-lines N (0 for no limit); throws a usage ToolError for a bad size.
script::WindowSettings WindowOf(const std::string& window, int32_t width, int32_t maxLines);

}  // namespace quenta::tool
