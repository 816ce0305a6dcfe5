// Parse: Quenta's SetText of the message, then Clear; PangoCairo's markup
// parse of the same message with equivalent spans, then its line layout.
#include <benchmark/benchmark.h>

#include <memory>

#include "Messages.h"
#include "PangoScene.h"
#include "Workbench.h"
#include "markup/MarkupParser.h"

namespace quenta::bench {

namespace {

void QuentaParse(benchmark::State& state, Workbench& bench) {
    RendererPtr renderer = NewRenderer(bench);
    const std::string message = QuentaMessage(Colouring::kWhite);
    for (auto _ : state) {
        renderer->SetText(message.c_str());
        renderer->Clear();
    }
    state.SetItemsProcessed(state.iterations() * kMessageCharacters);
}

// The module's parser on its own, as the tools run it: without an observer,
// and with one that counts what it is told. The first must cost what SetText
// costs less the call into the module.
void CoreParse(benchmark::State& state, bool observed) {
    class Counting final : public core::ParseObserver {
    public:
        void OnRun(const core::TextRun&, int32_t, int32_t, int32_t) override { ++events; }
        void OnTag(const core::TextString&, int32_t, int32_t) override { ++events; }
        int64_t events = 0;
    } counting;
    core::MarkupParser parser;
    const std::string message = QuentaMessage(Colouring::kWhite);
    for (auto _ : state) {
        parser.Parse(message.c_str(), observed ? &counting : nullptr);
        parser.ResetLines();
    }
    benchmark::DoNotOptimize(counting.events);
    state.SetItemsProcessed(state.iterations() * kMessageCharacters);
}

void PangoParse(benchmark::State& state, Workbench& bench) {
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    std::unique_ptr<PangoLayout, GObjectUnref> layout(scene.NewLayout());
    const std::string markup = PangoMessage(true, bench.pangoEm);
    for (auto _ : state) {
        pango_layout_set_markup(layout.get(), markup.c_str(), -1);
        PangoRectangle extents;
        pango_layout_get_extents(layout.get(), nullptr, &extents);  // lays the lines out
        benchmark::DoNotOptimize(extents);
    }
    state.SetItemsProcessed(state.iterations() * kMessageCharacters);
}

}  // namespace

void RegisterParseCases(Workbench& bench) {
    benchmark::RegisterBenchmark("Parse/Quenta", QuentaParse, std::ref(bench));
    benchmark::RegisterBenchmark("Parse/PangoCairo", PangoParse, std::ref(bench));
    benchmark::RegisterBenchmark("CoreParse/NoObserver", CoreParse, false);
    benchmark::RegisterBenchmark("CoreParse/Observed", CoreParse, true);
}

}  // namespace quenta::bench
