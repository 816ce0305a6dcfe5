#include "MessagePreviewer.h"

#include <algorithm>
#include <exception>

#include "EditorIndex.h"
#include "InputText.h"
#include "AnyPicture.h"
#include "LaidOutMessage.h"
#include "MessageLayout.h"
#include "MessagePass.h"
#include "PngWriter.h"
#include "ScriptChecker.h"
#include "ScriptReader.h"

namespace quenta::preview {

namespace {

// Thrown where a preview whose caller gave up stops.
struct Stopped {};

void StopIfAsked(const std::atomic<bool>* stop) {
    if (stop && stop->load(std::memory_order_relaxed)) throw Stopped{};
}

// What of the laid-out message lies outside the window: past its right or
// left edge, below its bottom, or on a line past the last it allows.
std::vector<Box> Overflow(const script::LaidOutMessage& laid, const script::WindowSettings& window,
                          const std::atomic<bool>* stop) {
    std::vector<Box> boxes;
    for (size_t index = 0; index < laid.lines.size(); ++index) {
        StopIfAsked(stop);
        const script::LineBoxInfo& line = laid.lines[index];
        int64_t left = 0, right = 0;
        bool inked = false;
        for (const script::PlacedRun& run : laid.runs) {
            // A blank is drawn as nothing, so one past the edge spills nothing.
            if (run.line != static_cast<int32_t>(index) || run.width <= 0 || run.space) continue;
            left = inked ? std::min(left, run.x) : run.x;
            right = inked ? std::max(right, run.x + run.width) : run.x + run.width;
            inked = true;
        }
        if (!inked) continue;
        const int64_t top = line.top, bottom = line.Bottom();
        if (window.maxLines && static_cast<int64_t>(index) >= *window.maxLines) {
            boxes.push_back({left, top, right - left, line.height});
            continue;
        }
        if (window.width && right > *window.width) boxes.push_back({*window.width, top, right - *window.width, line.height});
        if (window.width && left < 0) boxes.push_back({left, top, -left, line.height});
        if (window.height && bottom > *window.height) {
            const int64_t from = std::max<int64_t>(top, *window.height);
            boxes.push_back({left, from, right - left, bottom - from});
        }
    }
    return boxes;
}

}  // namespace

MessagePreviewer::MessagePreviewer(const render::Options& options, script::WindowSettings window, int64_t maxCanvasSide)
    : options_(options), window_(window), drawer_(options, maxCanvasSide) {
    if (!options.archive.empty()) archive_ = std::make_unique<script::OpenedArchive>(options.archive);
    if (const auto canvas = drawer_.FixedCanvas()) {
        const render::Point at = options.position.value_or(render::kDefaultPosition);
        if (!window_.width) window_.width = std::max(0, canvas->width - at.x);
        if (!window_.height) window_.height = std::max(0, canvas->height - at.y);
    }
}

script::CheckSettings MessagePreviewer::Settings(bool resetBetweenMessages) {
    script::CheckSettings settings;
    settings.window = window_;
    settings.resetBetweenMessages = resetBetweenMessages;
    if (archive_) settings.pictures = archive_->Pictures();
    return settings;
}

void MessagePreviewer::Draw(const std::string& cp932, const std::string& before, const script::LaidOutMessage& laid,
                            MessagePreview& preview, const std::atomic<bool>* stop) {
    StopIfAsked(stop);
    render::DrawnMessage drawn;
    try {
        drawn = drawer_.Draw(cp932, before);
    } catch (const std::exception& error) {
        preview.error = error.what();
        return;
    }
    StopIfAsked(stop);
    preview.png = render::EncodePng(*drawn.canvas);
    preview.width = drawn.canvas->GetWidth();
    preview.height = drawn.canvas->GetHeight();
    if (window_.width || window_.height) {
        preview.frame = Box{drawn.origin.x, drawn.origin.y, window_.width.value_or(preview.width - drawn.origin.x),
                            window_.height.value_or(preview.height - drawn.origin.y)};
    }
    StopIfAsked(stop);
    for (Box box : Overflow(laid, window_, stop)) {
        box.x += drawn.origin.x;
        box.y += drawn.origin.y;
        preview.overflow.push_back(box);
    }
    for (const script::LineRect& line : script::LineRects(laid)) {
        preview.lines.push_back({line.x + drawn.origin.x, line.y + drawn.origin.y, line.width, line.height});
    }
}

MessagePreview MessagePreviewer::PreviewTyped(const std::string& utf8, const std::atomic<bool>* stop) try {
    MessagePreview preview;
    try {
        // Refuses what cannot be drawn at all, saying where.
        render::Options asTyped = options_;
        asTyped.cp932 = false;
        render::ConvertMessageText(asTyped, utf8);
    } catch (const std::exception& error) {
        preview.error = error.what();
    }
    script::ScriptFile input;
    input.path = "message";
    input.bytes = utf8;
    input.form = script::ScriptForm::kWholeMessage;
    input.keepNewlines = options_.keepNewlines;
    const script::CheckSettings settings = Settings(true);
    script::MessagePass pass = script::PassFor(input, settings);
    script::MessageChecker checker(settings, pass);
    pass.Run([&](const script::PassedMessage& message) {
        for (const script::Finding& f : checker.Check(message)) {
            const int32_t at = EditorIndex(std::string_view(utf8).substr(0, f.offset));
            preview.findings.push_back({f, at});
        }
        StopIfAsked(stop);
        if (preview.error.empty()) Draw(message.message.text, "", message.laid, preview, stop);
    });
    return preview;
} catch (const Stopped&) {
    MessagePreview stopped;
    stopped.error = "drawing took too long";
    return stopped;
}

MessagePreview MessagePreviewer::PreviewEntry(const ScriptSnapshot& script, int32_t number,
                                              const std::atomic<bool>* stop) try {
    const ScriptEntry& entry = script.messages[static_cast<size_t>(number - 1)];
    MessagePreview preview;
    preview.findings = entry.findings;
    // The message as the script's pass laid it out: a layout brought to the
    // style it starts in, then given the message.
    script::AnyPicture anyPicture;
    script::LaidOutMessage laid;
    script::LayOutInStyle(archive_ ? archive_->Pictures() : &anyPicture, entry.styleBefore, entry.cp932, laid);
    StopIfAsked(stop);
    Draw(entry.cp932, entry.styleBefore, laid, preview, stop);
    return preview;
} catch (const Stopped&) {
    MessagePreview stopped;
    stopped.error = "drawing took too long";
    return stopped;
}

ScriptSnapshot MessagePreviewer::ReadScript(const script::ScriptFile& file, bool resetBetweenMessages) {
    ScriptSnapshot snapshot;
    snapshot.path = file.path;
    snapshot.resetBetweenMessages = resetBetweenMessages;
    const script::CheckSettings settings = Settings(resetBetweenMessages);
    script::MessagePass pass = script::PassFor(file, settings);
    script::MessageChecker checker(settings, pass);
    pass.Run([&](const script::PassedMessage& message) {
        ScriptEntry entry;
        entry.number = message.number;
        entry.line = pass.PlaceOf(message.start).line;
        entry.cp932 = message.message.text;
        entry.styleBefore = message.styleBefore;
        // As the writer means it (a PO string unescaped); findings are placed
        // in the same text below.
        entry.shown = pass.ShowWritten(script::WrittenText(pass.File(), message.written));
        if (message.original) {
            const script::MessageOriginal& original = message.original->original;
            entry.original = pass.ShowWritten(original.text.bytes);
            entry.originalContext = pass.ShowWritten(original.context);
            entry.originalComments = pass.ShowWritten(original.comments);
        }
        for (const script::Finding& f : checker.Check(message)) {
            const std::string_view before = message.written.substr(0, f.offset > message.start ? f.offset - message.start : 0);
            entry.findings.push_back({f, EditorIndex(pass.ShowWritten(script::WrittenText(pass.File(), before)))});
        }
        snapshot.messages.push_back(std::move(entry));
    });
    return snapshot;
}

}  // namespace quenta::preview
