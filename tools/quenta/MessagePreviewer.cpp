#include "MessagePreviewer.h"

#include <algorithm>
#include <exception>

#include "EditorIndex.h"
#include "InputText.h"
#include "LaidOutMessage.h"
#include "MessageEncoder.h"
#include "MessageLayout.h"
#include "PngWriter.h"
#include "ScriptChecker.h"
#include "ScriptReader.h"
#include "AnyPicture.h"
#include "SourcePlaces.h"

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

void MessagePreviewer::Draw(const std::string& cp932, const std::string& before, MessagePreview& preview,
                            const std::atomic<bool>* stop) {
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
    script::AnyPicture anyPicture;
    script::MessageLayout layout(archive_ ? archive_->Pictures() : &anyPicture, false);
    script::LaidOutMessage laid;
    if (!before.empty()) layout.Lay(before, laid);
    layout.Lay(cp932, laid);
    StopIfAsked(stop);
    for (Box box : Overflow(laid, window_, stop)) {
        box.x += drawn.origin.x;
        box.y += drawn.origin.y;
        preview.overflow.push_back(box);
    }
}

MessagePreview MessagePreviewer::PreviewTyped(const std::string& utf8, const std::atomic<bool>* stop) try {
    MessagePreview preview;
    script::ScriptFile input;
    input.path = "message";
    input.bytes = utf8;
    for (script::Finding& f : script::CheckRenderInput(input, options_.keepNewlines, Settings(true)).findings) {
        const int32_t at = EditorIndex(std::string_view(utf8).substr(0, f.offset));
        preview.findings.push_back({std::move(f), at});
    }
    StopIfAsked(stop);
    std::string cp932;
    try {
        render::Options asTyped = options_;
        asTyped.cp932 = false;
        cp932 = render::ConvertMessageText(asTyped, utf8);
    } catch (const std::exception& error) {
        preview.error = error.what();
        return preview;
    }
    Draw(cp932, "", preview, stop);
    return preview;
} catch (const Stopped&) {
    MessagePreview stopped;
    stopped.error = "drawing took too long";
    return stopped;
}

MessagePreview MessagePreviewer::PreviewEntry(const ScriptSnapshot& script, int32_t number,
                                              const std::atomic<bool>* stop) try {
    const auto index = static_cast<size_t>(number - 1);
    MessagePreview preview;
    preview.findings = script.messages[index].findings;
    std::string before;
    if (!script.resetBetweenMessages) {
        for (size_t i = 0; i < index; ++i) {
            StopIfAsked(stop);
            before += script.messages[i].cp932;
        }
    }
    StopIfAsked(stop);
    Draw(script.messages[index].cp932, before, preview, stop);
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
    script::SourcePlaces places(file.bytes, file.encoding);
    script::MessageEncoder encoder(file.encoding);
    std::vector<uint32_t> starts;
    script::ScriptMessage message;
    script::ReadMessages(file, [&](const script::SourceText& source) {
        ++message.number;
        encoder.Encode(source, message);
        const uint32_t start = source.origin.empty() ? source.end : source.origin.front();
        ScriptEntry entry;
        entry.number = message.number;
        entry.line = places.At(start).line;
        entry.cp932 = message.text;
        const std::string_view slice = std::string_view(file.bytes).substr(start, source.end - start);
        entry.shown = file.encoding == script::ScriptEncoding::kCp932 ? encoder.Show(slice) : std::string(slice);
        snapshot.messages.push_back(std::move(entry));
        starts.push_back(start);
    });
    for (script::Finding& f : script::CheckScript(file, Settings(resetBetweenMessages)).findings) {
        if (f.message < 1 || f.message > static_cast<int32_t>(snapshot.messages.size())) continue;
        const auto index = static_cast<size_t>(f.message - 1);
        const uint32_t start = starts[index];
        std::string_view before = std::string_view(file.bytes).substr(start, f.offset > start ? f.offset - start : 0);
        const std::string shownBefore = file.encoding == script::ScriptEncoding::kCp932 ? encoder.Show(before) : std::string(before);
        const int32_t at = EditorIndex(shownBefore);
        snapshot.messages[index].findings.push_back({std::move(f), at});
    }
    return snapshot;
}

}  // namespace quenta::preview
