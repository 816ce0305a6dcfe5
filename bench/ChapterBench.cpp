// The long text: a whole chapter of a Japanese manual parsed in one SetText
// (then Clear), against PangoCairo setting and laying out the same text.
// Each reports the heap its parsed text holds, per character.
#include <benchmark/benchmark.h>

#include <memory>

#include "Encoding.h"
#include "HeapInUse.h"
#include "PangoScene.h"
#include "Workbench.h"

namespace quenta::bench {

namespace {

// The chapter as plain UTF-8 lines: <R> a line break, "<<" a "<".
std::string PlainChapter(const std::string& chapter) {
    const std::string utf8 = Cp932ToUtf8(chapter);
    std::string text;
    text.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (utf8.compare(i, 3, "<R>") == 0) {
            text += '\n';
            i += 3;
        } else if (utf8.compare(i, 2, "<<") == 0) {
            text += '<';
            i += 2;
        } else {
            text += utf8[i++];
        }
    }
    return text;
}

void ReportCharacters(benchmark::State& state, int64_t characters, int64_t heldBytes) {
    state.SetItemsProcessed(state.iterations() * characters);
    state.counters["chars"] = static_cast<double>(characters);
    state.counters["bytes_per_char"] = static_cast<double>(heldBytes) / static_cast<double>(characters);
}

void QuentaChapter(benchmark::State& state, Workbench& bench) {
    const int64_t characters = CountMessageCharacters(bench.chapter);
    int64_t held = 0;
    {
        // A renderer that has bound its siblings and parsed nothing yet.
        RendererPtr fresh = NewRenderer(bench);
        const int64_t before = HeapInUse();
        fresh->SetText(bench.chapter.c_str());
        held = HeapInUse() - before;
    }
    RendererPtr renderer = NewRenderer(bench);
    for (auto _ : state) {
        renderer->SetText(bench.chapter.c_str());
        renderer->Clear();
    }
    ReportCharacters(state, characters, held);
}

void PangoChapter(benchmark::State& state, Workbench& bench) {
    const int64_t characters = CountMessageCharacters(bench.chapter);
    const std::string text = PlainChapter(bench.chapter);
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    std::unique_ptr<PangoLayout, GObjectUnref> layout(scene.NewLayout());
    PangoRectangle extents;
    auto layOut = [&] {
        pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
        pango_layout_get_extents(layout.get(), nullptr, &extents);
        benchmark::DoNotOptimize(extents);
    };
    // Once to fill Pango's font and shaping caches, which the text does not hold.
    layOut();
    pango_layout_set_text(layout.get(), "", 0);
    pango_layout_get_extents(layout.get(), nullptr, &extents);
    const int64_t before = HeapInUse();
    layOut();
    const int64_t held = HeapInUse() - before;
    for (auto _ : state) layOut();
    ReportCharacters(state, characters, held);
}

}  // namespace

void RegisterChapterCases(Workbench& bench) {
    benchmark::RegisterBenchmark("Chapter/Quenta", QuentaChapter, std::ref(bench))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("Chapter/PangoCairo", PangoChapter, std::ref(bench))->Unit(benchmark::kMillisecond);
}

}  // namespace quenta::bench
