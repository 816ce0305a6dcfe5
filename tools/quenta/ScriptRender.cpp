#include "ScriptRender.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "MessageDrawer.h"
#include "ModuleFolder.h"
#include "quenta/ModuleSet.h"
#include "OldPictures.h"
#include "OpenedArchive.h"
#include "PictureManifest.h"
#include "PicturePlanner.h"
#include "PngWriter.h"
#include "ReviewPage.h"
#include "ScriptChecker.h"
#include "ScriptError.h"
#include "StagedFile.h"
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
    std::string key = "quenta-pictures 2";
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

// Leftovers of an interrupted run: the temporaries of pictures, the page
// and the manifest, and nothing else.
bool IsOurTemporary(const std::string& fileName) {
    const std::optional<std::string> staged = StagedName(fileName);
    return staged && (staged->ends_with(".png") || staged->starts_with("index.html") || *staged == kManifestFileName);
}

void RemoveTemporaries(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (IsOurTemporary(entry.path().filename().string())) fs::remove(entry.path(), error);
    }
}

// Which messages need drawing, as a bit each in message order: a run holds
// nothing else per message, so that its memory stays flat however long the
// script is. The messages to draw are numbered from 0 among themselves.
struct DrawingPlan {
    std::vector<bool> toDraw;
    int32_t drawCount = 0;
    // Pictures to draw whose files are there but not this tool's: the
    // manifest does not name them.
    int32_t foreign = 0;
    std::string firstForeign;

    int32_t Messages() const { return static_cast<int32_t>(toDraw.size()); }
};

StyleMode StyleOf(const ScriptRenderSettings& s) {
    return s.resetBetweenMessages ? StyleMode::kResetBetweenMessages : StyleMode::kCarry;
}

DrawingPlan PlanDrawing(const ScriptFile& file, StyleMode mode, const PictureNames& names, const std::string& settings,
                        const fs::path& folder) {
    DrawingPlan plan;
    ManifestReader manifest(folder);
    ForEachPicture(file, mode, names, settings, [&](const PlannedPicture& picture) {
        const ManifestEntry* drawn = manifest.Find(picture.number);
        std::error_code error;
        const bool upToDate = drawn && drawn->name == picture.name && drawn->key == picture.key &&
                              fs::is_regular_file(folder / picture.name, error);
        plan.toDraw.push_back(!upToDate);
        plan.drawCount += upToDate ? 0 : 1;
        if (!upToDate && !(drawn && drawn->name == picture.name) && fs::exists(folder / picture.name, error)) {
            if (plan.foreign++ == 0) plan.firstForeign = picture.name;
        }
    });
    return plan;
}

// Runs in each worker: the modules loaded once, then its share drawn. Each
// worker passes over the script itself (the parent's copy, shared by the
// fork), so that every message it draws starts in the style the messages
// before it leave, as a host would show it.
void DrawShare(const ScriptRenderSettings& settings, const ScriptFile& file, const PictureNames& names,
               const DrawingPlan& plan, const WorkerShare& share, const ReportOutcome& report,
               const StopRequested& stopRequested) {
    const fs::path folder = settings.outDir;
    const std::optional<render::CanvasSize> window = WindowOf(settings.window);
    render::MessageDrawer drawer(settings.drawing);
    MessagePass pass(file, StyleOf(settings));
    int32_t item = -1;
    bool stopped = false;
    pass.Run([&](const PassedMessage& message) {
        if (stopped || !plan.toDraw[static_cast<size_t>(message.number - 1)]) return;
        if (!share.Owns(++item)) return;
        if (stopRequested()) {
            stopped = true;
            return;
        }
        const std::string name = names.For(message.number);
        const fs::path temporary = StagingPath(folder / name);
        try {
            const render::DrawnMessage drawn = drawer.Draw(message.message.text, message.styleBefore, window);
            if (window) MarkWindow(*drawn.canvas, *drawn.backdrop, drawn.origin, *window);
            render::WritePng(*drawn.canvas, temporary.string());
            std::error_code error;
            fs::rename(temporary, folder / name, error);
            if (error) throw render::ToolError("cannot write '" + (folder / name).string() + "': " + error.message());
            report({item, true, ""});
        } catch (const render::ToolError& error) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            report({item, false, error.what()});
        }
    });
}

// What the workers said of the messages they were given, by their number
// among the messages to draw. A reason many messages share is held once.
class DrawingOutcomes {
public:
    explicit DrawingOutcomes(int32_t items) : drawn_(static_cast<size_t>(items)) {}

    void Record(const WorkOutcome& outcome) {
        if (outcome.done) {
            drawn_[static_cast<size_t>(outcome.item)] = true;
            ++drawnCount_;
            return;
        }
        const auto [reason, added] = reasonIds_.emplace(outcome.reason, static_cast<int32_t>(reasons_.size()));
        if (added) reasons_.push_back(outcome.reason);
        failed_[outcome.item] = reason->second;
    }
    bool Drawn(int32_t item) const { return drawn_[static_cast<size_t>(item)]; }
    // A picture drawn, then removed again.
    void Undraw(int32_t item, const std::string& reason) {
        drawn_[static_cast<size_t>(item)] = false;
        --drawnCount_;
        Record({item, false, reason});
    }
    const std::string& Reason(int32_t item) const {
        const auto found = failed_.find(item);
        return found == failed_.end() ? unreported_ : reasons_[static_cast<size_t>(found->second)];
    }
    size_t DrawnCount() const { return drawnCount_; }
    size_t FailedCount() const { return failed_.size(); }
    size_t Reported() const { return drawnCount_ + failed_.size(); }

private:
    std::vector<bool> drawn_;
    size_t drawnCount_ = 0;
    std::map<int32_t, int32_t> failed_;  // item -> reason
    std::map<std::string, int32_t> reasonIds_;
    std::vector<std::string> reasons_;
    const std::string unreported_ = "no worker reported on it";
};

// What became of each message, asked for in message order.
class MessageStates {
public:
    MessageStates(const DrawingPlan& plan, const DrawingOutcomes& outcomes) : plan_(plan), outcomes_(outcomes) {}

    // For message `number`, asked in order from 1.
    const PictureState& Next(int32_t number) {
        state_.reason.clear();
        if (!plan_.toDraw[static_cast<size_t>(number - 1)]) {
            state_.drawn = true;
        } else {
            const int32_t item = ++item_;
            state_.drawn = outcomes_.Drawn(item);
            if (!state_.drawn) state_.reason = outcomes_.Reason(item);
        }
        return state_;
    }

private:
    const DrawingPlan& plan_;
    const DrawingOutcomes& outcomes_;
    int32_t item_ = -1;
    PictureState state_;
};

// A picture drawn is recorded with what it was drawn from; one not drawn
// whose old file is still there, with nothing, as this tool's file that is
// out of date.
void RecordPicture(ManifestWriter& manifest, const fs::path& folder, const PlannedPicture& picture,
                   const PictureState& state) {
    std::error_code error;
    if (state.drawn) {
        manifest.Add({picture.number, picture.name, picture.key});
    } else if (fs::exists(folder / picture.name, error)) {
        manifest.Add({picture.number, picture.name, ""});
    }
}

// Makes room for the manifest and the page on a full disk: the newest half
// of the pictures this run drew go again, so that what is left is
// described exactly, and a rerun draws only what is missing. How many went.
size_t MakeRoom(const DrawingPlan& plan, DrawingOutcomes& outcomes, const PictureNames& names, const fs::path& folder,
                const std::string& reason) {
    const size_t toRemove = (outcomes.DrawnCount() + 1) / 2;
    size_t removed = 0;
    int32_t item = plan.drawCount;
    for (int32_t number = plan.Messages(); number >= 1 && removed < toRemove; --number) {
        if (!plan.toDraw[static_cast<size_t>(number - 1)] || !outcomes.Drawn(--item)) continue;
        std::error_code error;
        fs::remove(folder / names.For(number), error);
        outcomes.Undraw(item, "removed to make room for the manifest and the page: " + reason);
        ++removed;
    }
    return removed;
}

}  // namespace

ScriptRenderResult RenderScript(const ScriptRenderSettings& settings, const ScriptRenderEvents& events) {
    const auto started = std::chrono::steady_clock::now();
    const fs::path folder = settings.outDir;
    const std::string drawingSettings = DrawingSettings(settings);
    const StyleMode mode = StyleOf(settings);
    std::optional<PictureNames> names;
    try {
        names.emplace(settings.names);
    } catch (const std::invalid_argument& error) {
        throw BadSetting(error.what());
    }
    ScriptFile file = OpenScript(settings.script, settings.form, settings.cp932, settings.column);
    const DrawingPlan plan = PlanDrawing(file, mode, *names, drawingSettings, folder);

    if (plan.foreign > 0 && !settings.force) {
        throw CannotWrite("'" + (folder / plan.firstForeign).string() + "'" +
                                (plan.foreign > 1 ? " and " + std::to_string(plan.foreign - 1) + " more" : "") +
                                " would be drawn over, but its manifest says this tool did not draw " +
                                (plan.foreign > 1 ? "them" : "it") + "; move it away, or give --force");
    }
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder)) throw CannotWrite("cannot make the output folder '" + settings.outDir + "'");
    RemoveTemporaries(folder);
    try {
        SettleOldPictures(folder, *names, plan.toDraw);
    } catch (const std::runtime_error& error) {
        throw CannotWrite(error.what());
    }

    WorkerPool pool;
    const int32_t jobs = settings.jobs > 0 ? settings.jobs : static_cast<int32_t>(std::max(1u, std::thread::hardware_concurrency()));
    if (plan.drawCount > 0) {
        pool.Start(jobs, plan.drawCount, [&](const WorkerShare& share, const ReportOutcome& report, const StopRequested& stop) {
            DrawShare(settings, file, *names, plan, share, report, stop);
        });
    }
    DrawingOutcomes outcomes(plan.drawCount);
    const bool complete = plan.drawCount == 0 ||
                          pool.Wait([&](const WorkOutcome& outcome) { outcomes.Record(outcome); },
                                    [&] {
                                        if (events.progress) events.progress(static_cast<int64_t>(outcomes.Reported()), plan.drawCount);
                                    });
    if (events.drawingDone) events.drawingDone();
    RemoveTemporaries(folder);

    ScriptRenderResult result;
    ScriptRenderSummary& summary = result.summary;
    summary.drawn = outcomes.DrawnCount();
    summary.upToDate = static_cast<size_t>(plan.Messages() - plan.drawCount);
    summary.page = (folder / "index.html").string();

    // The manifest records every picture that exists now, in message order.
    if (!complete) {
        ManifestWriter manifest(folder);
        MessageStates states(plan, outcomes);
        ForEachPicture(file, mode, *names, drawingSettings, [&](const PlannedPicture& picture) {
            RecordPicture(manifest, folder, picture, states.Next(picture.number));
        });
        manifest.Commit();
        summary.notDrawn = static_cast<size_t>(plan.drawCount) - outcomes.Reported();
        summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (events.interrupted) events.interrupted(summary);
        pool.Reraise();
    }

    // One pass more, with the archive's pictures: the checker, the page and
    // the manifest take each message as it goes.
    CheckSettings check;
    check.window = settings.window;
    check.resetBetweenMessages = settings.resetBetweenMessages;
    std::unique_ptr<OpenedArchive> archive;
    if (!settings.drawing.archive.empty()) archive = std::make_unique<OpenedArchive>(settings.drawing.archive);
    check.pictures = archive ? archive->Pictures() : nullptr;
    // A reason every message shares (a font that cannot be used) is told a
    // few times, not once per message.
    constexpr size_t kSameReasonShown = 3;
    std::map<std::string, size_t> timesSaid;
    std::vector<UndrawnMessage> told;
    // The manifest and the page in one pass; on a full disk, again after
    // making room, so that what is left is described exactly.
    const auto writeRecords = [&] {
        timesSaid.clear();
        told.clear();
        summary.byLevel = {};
        ManifestWriter manifest(folder);
        MessageStates states(plan, outcomes);
        MessagePass pass = PassFor(file, check);
        MessageChecker checker(check, pass);
        ReviewPage page(folder / "index.html", settings.script, settings.window);
        PicturePlanner planner(*names, drawingSettings);
        pass.Run([&](const PassedMessage& message) {
            const PlannedPicture& picture = planner.Plan(message, pass);
            const std::vector<Finding>& findings = checker.Check(message);
            const PictureState& state = states.Next(picture.number);
            RecordPicture(manifest, folder, picture, state);
            std::optional<ReviewedOriginal> original;
            if (message.original) {
                const MessageOriginal& o = message.original->original;
                original = ReviewedOriginal{pass.ShowWritten(o.text.bytes), o.id, pass.ShowWritten(o.context),
                                            pass.ShowWritten(o.comments)};
            }
            page.Add(picture, state, findings, original ? &*original : nullptr);
            for (const Finding& f : findings) ++summary.byLevel[static_cast<size_t>(f.level)];
            if (!state.drawn && ++timesSaid[state.reason] <= kSameReasonShown) {
                told.push_back({picture.number, picture.place, state.reason});
            }
        });
        manifest.Commit();
        page.Finish();
    };
    for (;;) {
        try {
            writeRecords();
            break;
        } catch (const render::WriteError& failure) {
            if (failure.NoRoom() && MakeRoom(plan, outcomes, *names, folder, std::strerror(failure.Errno())) > 0) continue;
            // The page that is there would show pictures that are gone or
            // drawn anew; the manifest left names only this tool's files.
            fs::remove(folder / "index.html", error);
            throw CannotWrite(std::string(failure.what()) + "; the review page is removed");
        } catch (const ScriptError&) {
            throw;
        } catch (const std::runtime_error& failure) {
            throw CannotWrite(failure.what());
        }
    }
    if (events.undrawn) {
        for (const UndrawnMessage& undrawn : told) events.undrawn(undrawn);
    }
    for (const auto& [reason, times] : timesSaid) {
        if (times > kSameReasonShown) result.moreUndrawn[reason] = times - kSameReasonShown;
    }
    summary.drawn = outcomes.DrawnCount();  // less what made room on a full disk
    summary.notDrawn = outcomes.FailedCount();
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result;
}

}  // namespace quenta::script
