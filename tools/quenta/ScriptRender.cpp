#include "ScriptRender.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>

#include "MessageDrawer.h"
#include "ModuleFolder.h"
#include "quenta/ModuleSet.h"
#include "OpenedArchive.h"
#include "PictureManifest.h"
#include "PicturePlan.h"
#include "PngWriter.h"
#include "ProgressLine.h"
#include "ReviewPage.h"
#include "ScriptChecker.h"
#include "ToolError.h"
#include "WindowOverlay.h"
#include "WorkerPool.h"

namespace quenta::script {

namespace fs = std::filesystem;

namespace {

// What a file named in the settings adds to every picture's key: its
// name, size and time, so that an edited font or archive redraws all.
std::string FileStamp(const std::string& path) {
    if (path.empty()) return "-";
    std::error_code error;
    const auto size = fs::file_size(path, error);
    const auto time = fs::last_write_time(path, error);
    return path + "|" + std::to_string(error ? 0 : size) + "|" +
           std::to_string(error ? 0 : time.time_since_epoch().count());
}

std::string DrawingSettings(const ScriptRenderSettings& s) {
    const render::Options& o = s.drawing;
    std::string key = "quenta-pictures 1";
    key += "|size " + (o.size ? std::to_string(o.size->width) + "x" + std::to_string(o.size->height) : "fit");
    key += "|at " + (o.position ? std::to_string(o.position->x) + "," + std::to_string(o.position->y) : "-");
    key += "|margin " + std::to_string(o.margin);
    key += "|bg " + std::to_string(o.background.r) + "," + std::to_string(o.background.g) + "," + std::to_string(o.background.b);
    key += "|bgimage " + FileStamp(o.backgroundImage) + "|archive " + FileStamp(o.archive);
    if (!o.archive.empty() && fs::is_directory(o.archive)) {
        for (const auto& entry : fs::directory_iterator(o.archive)) key += "|" + FileStamp(entry.path().string());
    }
    key += "|gothic " + FileStamp(o.gothicFont) + "|mincho " + FileStamp(o.minchoFont);
    key += "|window " + std::to_string(s.window.width.value_or(0)) + "x" + std::to_string(s.window.height.value_or(0));
    // A rebuilt module may draw differently.
    const fs::path modules = render::ModuleFolderBesideTool();
    for (int32_t m = 0; m < host::kModuleCount; ++m) {
        key += "|" + FileStamp((modules / host::ModuleFileName(static_cast<host::Module>(m))).string());
    }
    return key;
}

std::optional<render::CanvasSize> WindowOf(const WindowSettings& window) {
    if (!window.width || !window.height) return std::nullopt;
    return render::CanvasSize{*window.width, *window.height};
}

bool IsOurTemporary(const std::string& name) {
    return name.size() > 5 && name[0] == '.' && name.ends_with(".tmp") &&
           (name.find(".png.") != std::string::npos || name.starts_with(".index.html."));
}

void RemoveTemporaries(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (IsOurTemporary(entry.path().filename().string())) fs::remove(entry.path(), error);
    }
}

std::string TemporaryName(const std::string& name) { return "." + name + "." + std::to_string(getpid()) + ".tmp"; }

// Runs in each worker: the modules loaded once, then its share drawn.
void DrawShare(const ScriptRenderSettings& settings, const std::vector<PlannedPicture>& plan,
               const std::vector<int32_t>& share, const ReportOutcome& report, const StopRequested& stopRequested) {
    const fs::path folder = settings.outDir;
    const std::optional<render::CanvasSize> window = WindowOf(settings.window);
    render::MessageDrawer drawer(settings.drawing);
    for (int32_t item : share) {
        if (stopRequested()) return;
        const PlannedPicture& picture = plan[static_cast<size_t>(item)];
        const fs::path temporary = folder / TemporaryName(picture.name);
        try {
            const render::DrawnMessage drawn = drawer.Draw(picture.text, "", window);
            if (window) MarkWindow(*drawn.canvas, *drawn.backdrop, drawn.origin, *window);
            render::WritePng(*drawn.canvas, temporary.string());
            std::error_code error;
            fs::rename(temporary, folder / picture.name, error);
            if (error) throw render::ToolError("cannot write '" + (folder / picture.name).string() + "': " + error.message());
            report({item, true, ""});
        } catch (const render::ToolError& error) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            report({item, false, error.what()});
        }
    }
}

// The page streamed to a temporary file and renamed over the old one.
void WriteFileAtomically(const fs::path& path, const std::function<void(std::ostream&)>& write) {
    const fs::path temporary = path.parent_path() / ("." + path.filename().string() + "." + std::to_string(getpid()) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        write(out);
        if (!out.flush()) throw render::ToolError("cannot write '" + temporary.string() + "'");
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        throw render::ToolError("cannot write '" + path.string() + "'");
    }
}

std::string Count(size_t n, const char* one, const char* many) { return std::to_string(n) + " " + (n == 1 ? one : many); }

}  // namespace

int RenderScript(const ScriptRenderSettings& settings) {
    const auto started = std::chrono::steady_clock::now();
    ScriptFile file;
    std::vector<PlannedPicture> plan;
    try {
        file = OpenScript(settings.script, settings.form, settings.cp932, settings.column);
        plan = PlanPictures(file, PictureNames(settings.names), DrawingSettings(settings));
    } catch (const std::runtime_error& error) {
        throw render::UsageError(error.what());
    } catch (const std::invalid_argument& error) {
        throw render::UsageError(error.what());
    }

    const fs::path folder = settings.outDir;
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) throw render::ToolError("cannot make the output folder '" + settings.outDir + "'");
    RemoveTemporaries(folder);
    PictureManifest manifest = PictureManifest::Load(folder);

    // Pictures of messages the script no longer has (it got shorter, or
    // the names changed) go, but only those this tool drew.
    std::set<std::string> planned;
    for (const PlannedPicture& picture : plan) planned.insert(picture.name);
    for (const std::string& name : manifest.Names()) {
        if (planned.count(name)) continue;
        fs::remove(folder / name, error);
        manifest.Forget(name);
    }

    std::vector<PictureState> states(plan.size());
    std::vector<int32_t> todo;
    for (size_t i = 0; i < plan.size(); ++i) {
        if (manifest.UpToDate(folder, plan[i].name, plan[i].key)) {
            states[i].drawn = true;
        } else {
            manifest.Forget(plan[i].name);
            todo.push_back(static_cast<int32_t>(i));
        }
    }
    const size_t upToDate = plan.size() - todo.size();

    WorkerPool pool;
    const int32_t jobs = settings.jobs > 0 ? settings.jobs : static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
    if (!todo.empty()) {
        pool.Start(jobs, todo, [&](const std::vector<int32_t>& share, const ReportOutcome& report, const StopRequested& stop) {
            DrawShare(settings, plan, share, report, stop);
        });
    }

    // The checker runs here while the workers draw.
    CheckSettings check;
    check.window = settings.window;
    check.resetBetweenMessages = settings.resetBetweenMessages;
    std::unique_ptr<OpenedArchive> archive;
    if (!settings.drawing.archive.empty()) archive = std::make_unique<OpenedArchive>(settings.drawing.archive);
    check.pictures = archive ? archive->Pictures() : nullptr;
    const FileFindings findings = CheckScript(file, check);

    ProgressLine progress(std::cerr, settings.progress && isatty(STDERR_FILENO), static_cast<int64_t>(todo.size()));
    size_t drawnNow = 0, finished = 0;
    std::vector<size_t> failed;
    const bool complete = todo.empty() || pool.Wait(
        [&](const WorkOutcome& outcome) {
            const size_t i = static_cast<size_t>(outcome.item);
            ++finished;
            states[i].drawn = outcome.done;
            states[i].reason = outcome.reason;
            if (outcome.done) {
                ++drawnNow;
                manifest.Record(plan[i].name, plan[i].key);
            } else {
                failed.push_back(i);
            }
        },
        [&] { progress.Update(static_cast<int64_t>(finished)); });
    progress.Finish();
    RemoveTemporaries(folder);
    manifest.Save(folder);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (!complete) {
        std::fprintf(stderr, "quenta: interrupted: %s drawn, %zu not; only complete pictures are left in '%s'\n",
                     Count(drawnNow, "picture", "pictures").c_str(), todo.size() - finished, settings.outDir.c_str());
        pool.Reraise();
    }

    ReviewContent content;
    content.scriptPath = settings.script;
    content.window = settings.window;
    content.pictures = &plan;
    content.states = &states;
    content.findings = &findings.findings;
    WriteFileAtomically(folder / "index.html", [&](std::ostream& out) { WriteReviewPage(out, content); });

    std::sort(failed.begin(), failed.end());
    // A reason every message shares (a font that cannot be used) is said a
    // few times, not once per message.
    constexpr size_t kSameReasonShown = 3;
    std::map<std::string, size_t> timesSaid;
    for (size_t i : failed) {
        if (++timesSaid[states[i].reason] > kSameReasonShown) continue;
        std::fprintf(stderr, "%s:%d:%d: error: message %d could not be drawn: %s\n", settings.script.c_str(),
                     plan[i].place.line, plan[i].place.column, plan[i].number, states[i].reason.c_str());
    }
    for (const auto& [reason, times] : timesSaid) {
        if (times > kSameReasonShown) {
            std::fprintf(stderr, "quenta: %zu more messages could not be drawn: %s\n", times - kSameReasonShown, reason.c_str());
        }
    }
    size_t byLevel[3] = {};
    for (const Finding& f : findings.findings) ++byLevel[static_cast<int>(f.level)];
    std::fprintf(stderr, "quenta: %s: %s drawn, %zu up to date, %zu not drawn; %s, %s, %s; %.2f s\n",
                 settings.script.c_str(), Count(drawnNow, "picture", "pictures").c_str(), upToDate, failed.size(),
                 Count(byLevel[2], "error", "errors").c_str(), Count(byLevel[1], "warning", "warnings").c_str(),
                 Count(byLevel[0], "note", "notes").c_str(), seconds);
    std::fprintf(stderr, "quenta: review them in %s\n", (folder / "index.html").c_str());
    return !failed.empty() || HasErrors({findings}) ? 1 : 0;
}

}  // namespace quenta::script
