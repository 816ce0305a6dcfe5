// The drawing options every command that draws shares (quenta-render,
// `quenta render`, `quenta preview`): canvas, position, margin, background,
// archive, fonts and line breaks, read by CLI11 and checked in the tool's
// own words.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "Options.h"

namespace quenta::render {

struct DrawingOptions {
    Options options;
    std::string size, position, margin, background;

    void AddTo(CLI::App& command);
    // `options` with the values read; throws a usage ToolError for a bad
    // value or a position without a canvas of known size.
    Options Resolve() const;
};

}  // namespace quenta::render
