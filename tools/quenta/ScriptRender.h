// `quenta render --script`: every message of a script to a picture in an
// output folder, drawn by worker processes, and index.html to review them
// all beside their source text and the checker's findings.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "Options.h"
#include "SourcePlaces.h"
#include "WindowSettings.h"

namespace quenta::script {

struct ScriptRenderSettings {
    render::Options drawing;  // canvas, background, archive and fonts
    std::string script;
    std::string form;
    bool cp932 = false;
    std::string column;
    WindowSettings window;
    bool resetBetweenMessages = false;
    std::string outDir;
    std::string names = "####.png";
    int32_t jobs = 0;         // 0: one per core
    bool force = false;       // draw over pictures this tool did not draw
};

// A message that could not be drawn.
struct UndrawnMessage {
    int32_t number = 0;
    SourcePlace place;
    std::string reason;
};

// What a run did, for the command to tell.
struct ScriptRenderSummary {
    size_t drawn = 0;      // pictures drawn now
    size_t upToDate = 0;   // pictures kept from an earlier run
    size_t notDrawn = 0;   // pictures that could not be drawn, or (interrupted) were not
    std::array<size_t, 3> byLevel{};  // the checker's findings by level
    double seconds = 0;
    std::string page;      // the review page
};

// What a run tells as it goes; any may be left empty.
struct ScriptRenderEvents {
    // The pictures reported of those to draw, about ten times a second.
    std::function<void(int64_t reported, int64_t total)> progress;
    // The drawing is over (the progress line can be taken away).
    std::function<void()> drawingDone;
    // A message that could not be drawn: only the first few that share a
    // reason come here; `more` counts the rest by reason at the end.
    std::function<void(const UndrawnMessage&)> undrawn;
    // Interrupted: called with what was done, just before the process ends
    // as the signal would end it, leaving only complete pictures.
    std::function<void(const ScriptRenderSummary&)> interrupted;
};

struct ScriptRenderResult {
    ScriptRenderSummary summary;
    std::map<std::string, size_t> moreUndrawn;  // reason -> messages not told one by one
};

// Throws ScriptError: bad input for an unreadable script, a bad setting for
// a bad name pattern, cannot write for an output folder it cannot use; and
// quenta::render::ToolError when the modules cannot be loaded.
ScriptRenderResult RenderScript(const ScriptRenderSettings& settings, const ScriptRenderEvents& events = {});

}  // namespace quenta::script
