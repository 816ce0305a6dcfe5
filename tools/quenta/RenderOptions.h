// The drawing options `quenta render` and `quenta preview` share: canvas,
// position, background, archive and fonts.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>

#include "Options.h"

namespace quenta::tool {

struct RenderOptions {
    render::Options options;
    std::string size, position, background;
    int32_t margin = 16;

    void AddTo(CLI::App& command);
    // The options with their values read; throws quenta::render::ToolError
    // (usage) for a bad value or a position without a canvas size.
    render::Options Resolve();
};

}  // namespace quenta::tool
