// quenta-render's options, read by CLI11: the one set that quenta-render
// and `quenta render` both parse, with quenta-render's own messages for a
// bad command line.
#pragma once

#include <CLI/CLI.hpp>

#include <string>

#include "DrawingOptions.h"
#include "Options.h"

namespace quenta::render {

class RenderOptionSet {
public:
    // Adds the options to `app`. With `ownHelp`, -h and --help are the
    // tool's own (kHelpText) rather than CLI11's, and --version is there.
    RenderOptionSet(CLI::App& app, bool ownHelp);

    // Parses argv into the options; throws a usage ToolError for anything
    // it cannot accept, worded as the tool always worded it.
    Options Parse(int argc, char** argv);
    // After CLI11 has parsed (as a subcommand): checks and converts the
    // values; throws a usage ToolError.
    Options Finish();

private:
    CLI::App& app_;
    DrawingOptions drawing_;
};

}  // namespace quenta::render
