// Draws and checks messages for the preview page. It drives the modules, so
// only the module thread calls it.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "MessageDrawer.h"
#include "MessagePreview.h"
#include "OpenedArchive.h"
#include "Options.h"
#include "LaidOutMessage.h"
#include "ScriptChecker.h"
#include "ScriptFile.h"
#include "ScriptSnapshot.h"
#include "WindowSettings.h"

namespace quenta::preview {

class MessagePreviewer {
public:
    // `window` is what the checker measures against; without a width or
    // height of its own it takes the canvas's room right and below the
    // text's position, when the canvas has a fixed size. A fitted canvas
    // larger than `maxCanvasSide` is refused. Throws
    // quenta::render::ToolError when the modules, archive, background or
    // fonts cannot be had.
    MessagePreviewer(const render::Options& options, script::WindowSettings window, int64_t maxCanvasSide);

    const script::WindowSettings& Window() const { return window_; }

    // Text as typed in the page: UTF-8, its line breaks being break tags,
    // as `quenta render` reads a file.
    // `stop`, when given, is looked at between the steps and along the
    // longer ones: once true, the preview ends early with an error.
    MessagePreview PreviewTyped(const std::string& utf8, const std::atomic<bool>* stop = nullptr);

    // The script's message `number` (from 1), drawn in the style the
    // messages before it leave, unless the host resets between messages.
    MessagePreview PreviewEntry(const ScriptSnapshot& script, int32_t number, const std::atomic<bool>* stop = nullptr);

    // One pass over the script: each message with the style it starts in
    // and its findings, so that any message is then drawn without reading
    // those before it. Throws script::ScriptError when the file is not of
    // its form.
    ScriptSnapshot ReadScript(const script::ScriptFile& file, bool resetBetweenMessages);

private:
    // `laid` is the message as the pass laid it out, for its overflow.
    void Draw(const std::string& cp932, const std::string& before, const script::LaidOutMessage& laid,
              MessagePreview& preview, const std::atomic<bool>* stop);
    script::CheckSettings Settings(bool resetBetweenMessages);

    render::Options options_;
    script::WindowSettings window_;
    render::MessageDrawer drawer_;
    std::unique_ptr<script::OpenedArchive> archive_;
};

}  // namespace quenta::preview
