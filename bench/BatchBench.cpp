// A whole script to pictures: `quenta render --script` over thousands of
// messages from the long text, with one worker and with one per core,
// against PangoCairo doing the same work in one process (lay out, draw,
// write each picture with the same PNG writer). Apart from the whole runs,
// one message's drawing and one picture's PNG step are timed alone, since
// the PNG step dominates both sides.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <thread>

#include "BatchCorpus.h"
#include "MeasuredRun.h"
#include "MessageDrawer.h"
#include "PangoScene.h"
#include "PngWriter.h"
#include "Workbench.h"

namespace quenta::bench {

namespace {

namespace fs = std::filesystem;
using LayoutPtr = std::unique_ptr<PangoLayout, GObjectUnref>;

// The window's dark blue, as NewWindowSurface fills it.
constexpr render::Rgb kBackground{24, 32, 72};

// The window's background as cairo paints it best: one solid paint.
void PaintWindow(cairo_t* cr) {
    cairo_set_source_rgb(cr, kBackground.r / 255.0, kBackground.g / 255.0, kBackground.b / 255.0);
    cairo_paint(cr);
}

// One message as the PangoCairo side draws it, in white at the window's
// text position, flushed into the surface's pixels.
void ShowMessage(cairo_t* cr, PangoLayout* layout, const std::string& text) {
    pango_layout_set_text(layout, text.c_str(), -1);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, 8, 8);
    pango_cairo_show_layout(cr, layout);
    cairo_surface_flush(cairo_get_target(cr));
}

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / ("quenta-bench-" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

// quenta render --script on `messages` messages with `jobs` workers (0: one
// per core), each time into an empty folder.
void QuentaScript(benchmark::State& state, Workbench& bench, ScriptCorpus& corpus) {
    const int64_t jobs = state.range(0) > 0 ? state.range(0) : std::thread::hardware_concurrency();
    const auto count = static_cast<size_t>(state.range(1));
    const std::string script = corpus.Script(count).string();
    CommandRun run;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = FreshFolder("script-out");
        state.ResumeTiming();
        run = RunMeasured({QUENTA_TOOL, "render", "--script", script, "--cp932", "--out-dir", out.string(),
                          "-j", std::to_string(jobs), "--size", "640x160", "--position", "8,8", "--background", "182048",
                          "--gothic-font", bench.fontFile});
        if (run.status != 0) state.SkipWithError("quenta render --script failed");
        state.PauseTiming();
        fs::remove_all(out);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
    state.counters["workers"] = static_cast<double>(jobs);
    state.counters["peak_MiB"] = static_cast<double>(run.peakKiB) / 1024.0;
    // The script is read whole, as every command reads it: the part of the
    // peak that grows with the messages.
    state.counters["script_MiB"] = static_cast<double>(fs::file_size(script)) / (1024.0 * 1024.0);
    // On a busy machine the wall clock says more about the others' load;
    // the processor time each message takes does not.
    state.counters["cpu_us_per_msg"] = run.cpuSeconds * 1e6 / static_cast<double>(count);
}

// The same in one process with PangoCairo: for each message, the window
// filled, the text set and laid out, drawn, and written as a PNG file.
void PangoScript(benchmark::State& state, Workbench& bench, ScriptCorpus& corpus) {
    const auto count = std::min(static_cast<size_t>(state.range(1)), corpus.messages.size());
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    LayoutPtr layout(scene.NewLayout());
    cairo_t* cr = scene.Cairo();
    double cpuSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path out = FreshFolder("pango-out");
        state.ResumeTiming();
        rusage before{};
        getrusage(RUSAGE_SELF, &before);
        for (size_t i = 0; i < count; ++i) {
            PaintWindow(cr);
            ShowMessage(cr, layout.get(), corpus.messages[i].pango);
            render::WritePng(*surface, (out / (std::to_string(i + 1) + ".png")).string());
        }
        rusage after{};
        getrusage(RUSAGE_SELF, &after);
        cpuSeconds = CpuSeconds(after) - CpuSeconds(before);
        state.PauseTiming();
        fs::remove_all(out);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(count));
    state.counters["cpu_us_per_msg"] = cpuSeconds * 1e6 / static_cast<double>(count);
}

render::Options DrawingOptions(const Workbench& bench) {
    render::Options options;
    options.size = render::CanvasSize{640, 160};
    options.position = render::Point{8, 8};
    options.background = kBackground;
    options.gothicFont = bench.fontFile;
    return options;
}

// One message drawn as a worker draws it: the background copied in, the
// text set and drawn. The messages go round the corpus.
void QuentaMessageDraw(benchmark::State& state, Workbench& bench, ScriptCorpus& corpus) {
    render::MessageDrawer drawer(DrawingOptions(bench));
    size_t i = 0;
    for (auto _ : state) {
        render::DrawnMessage drawn = drawer.Draw(corpus.messages[i].quenta);
        benchmark::DoNotOptimize(drawn.canvas);
        i = (i + 1) % corpus.messages.size();
    }
    state.SetItemsProcessed(state.iterations());
}

void PangoMessageDraw(benchmark::State& state, Workbench& bench, ScriptCorpus& corpus) {
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    LayoutPtr layout(scene.NewLayout());
    cairo_t* cr = scene.Cairo();
    size_t i = 0;
    for (auto _ : state) {
        PaintWindow(cr);
        ShowMessage(cr, layout.get(), corpus.messages[i].pango);
        i = (i + 1) % corpus.messages.size();
    }
    state.SetItemsProcessed(state.iterations());
}

// The PNG step alone: one drawn 640 x 160 picture written again and again,
// under a temporary name and renamed, as the workers write.
void PngStep(benchmark::State& state, BitmapSurface& picture) {
    const fs::path folder = FreshFolder("png-step");
    const std::string temporary = (folder / ".0001.png.tmp").string();
    const std::string name = (folder / "0001.png").string();
    for (auto _ : state) {
        render::WritePng(picture, temporary);
        fs::rename(temporary, name);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes"] = static_cast<double>(fs::file_size(name));
    fs::remove_all(folder);
}

void QuentaPng(benchmark::State& state, Workbench& bench, ScriptCorpus& corpus) {
    render::MessageDrawer drawer(DrawingOptions(bench));
    render::DrawnMessage drawn = drawer.Draw(corpus.messages[0].quenta);
    PngStep(state, *drawn.canvas);
}

void PangoPng(benchmark::State& state, Workbench& bench, ScriptCorpus& corpus) {
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    LayoutPtr layout(scene.NewLayout());
    ShowMessage(scene.Cairo(), layout.get(), corpus.messages[0].pango);
    PngStep(state, *surface);
}

}  // namespace

void RegisterScriptCases(Workbench& bench, ScriptCorpus& corpus) {
    // Whole runs: once each, on the clock on the wall. 200 messages keep
    // the brief run in the tests short.
    for (int64_t messages : {200, 1000, 10000}) {
        for (int64_t jobs : {1, 0}) {
            benchmark::RegisterBenchmark("Script/Quenta", QuentaScript, std::ref(bench), std::ref(corpus))
                ->ArgNames({"j", "messages"})->Args({jobs, messages})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark("Script/PangoCairo", PangoScript, std::ref(bench), std::ref(corpus))
            ->ArgNames({"j", "messages"})->Args({1, messages})->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("ScriptStep/Quenta/draw", QuentaMessageDraw, std::ref(bench), std::ref(corpus));
    benchmark::RegisterBenchmark("ScriptStep/PangoCairo/draw", PangoMessageDraw, std::ref(bench), std::ref(corpus));
    benchmark::RegisterBenchmark("ScriptStep/Quenta/png", QuentaPng, std::ref(bench), std::ref(corpus));
    benchmark::RegisterBenchmark("ScriptStep/PangoCairo/png", PangoPng, std::ref(bench), std::ref(corpus));
}

}  // namespace quenta::bench
