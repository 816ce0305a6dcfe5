// Parse: Quenta's SetText of the message, then Clear; PangoCairo's markup
// parse of the same message with equivalent spans, then its line layout.
#include <benchmark/benchmark.h>

#include <memory>

#include "Messages.h"
#include "PangoScene.h"
#include "Workbench.h"

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
}

}  // namespace quenta::bench
