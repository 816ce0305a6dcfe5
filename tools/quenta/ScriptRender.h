// `quenta render --script`: every message of a script to a picture in an
// output folder, drawn by worker processes, and index.html to review them
// all beside their source text and the checker's findings.
#pragma once

#include <cstdint>
#include <string>

#include "Options.h"
#include "WindowSettings.h"

namespace quenta::script {

struct ScriptRenderSettings {
    render::Options drawing;  // canvas, background, archive and fonts
    std::string script;
    std::string form;
    bool cp932 = false;
    std::string column = "1";
    WindowSettings window;
    bool resetBetweenMessages = false;
    std::string outDir;
    std::string names = "####.png";
    int32_t jobs = 0;         // 0: one per core
    bool progress = true;     // on standard error, when it is a terminal
    bool force = false;       // draw over pictures this tool did not draw
};

// Returns the exit status: 0, or 1 when the checker found an error or a
// message could not be drawn. Throws quenta::render::ToolError for a bad
// command line (status 2) or an unreadable script. Interrupted, it ends the
// process as the signal would, leaving only complete pictures.
int RenderScript(const ScriptRenderSettings& settings);

}  // namespace quenta::script
