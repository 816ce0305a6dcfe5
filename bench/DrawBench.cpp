// Drawing the parsed message on the 640 x 160 window: plain white, with an
// edge and a drop shadow, and in a vertical gradient. Each Quenta case has a
// PangoCairo case drawing the same layers of the same message.
#include <benchmark/benchmark.h>

#include <memory>

#include "Messages.h"
#include "PangoScene.h"
#include "Workbench.h"

namespace quenta::bench {

namespace {

using LayoutPtr = std::unique_ptr<PangoLayout, GObjectUnref>;

// The gradient's bottom colour; the top is white. Quenta's tag says the same.
constexpr double kBottomRed = 96 / 255.0;
constexpr double kBottomGreen = 160 / 255.0;
constexpr double kBottomBlue = 1.0;
constexpr double kShadowGrey = 128 / 255.0;  // Quenta's default shadow colour

// Times Draw of `message`; every glyph is in the cache before timing starts.
void QuentaDraw(benchmark::State& state, Workbench& bench, const std::string& message) {
    RendererPtr renderer = NewRenderer(bench);
    renderer->SetText(message.c_str());
    BitmapPtr surface = NewWindowSurface();
    renderer->Draw(surface.get(), kOriginX, kOriginY);
    for (auto _ : state) {
        renderer->Draw(surface.get(), kOriginX, kOriginY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kMessageCharacters);
}

// Times `draw(cr, layout)` with the message laid out; one untimed call first
// fills cairo's glyph cache.
template <typename DrawFn>
void PangoDraw(benchmark::State& state, const Workbench& bench, DrawFn draw) {
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    LayoutPtr layout(scene.NewLayout());
    pango_layout_set_markup(layout.get(), PangoMessage(false, bench.pangoEm).c_str(), -1);
    cairo_t* cr = scene.Cairo();
    draw(cr, layout.get());
    cairo_surface_flush(cairo_get_target(cr));
    for (auto _ : state) {
        draw(cr, layout.get());
        cairo_surface_flush(cairo_get_target(cr));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kMessageCharacters);
}

void ShowFace(cairo_t* cr, PangoLayout* layout, double x, double y) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout);
}

void QuentaPlain(benchmark::State& state, Workbench& bench) {
    QuentaDraw(state, bench, QuentaMessage(Colouring::kWhite));
}

void PangoPlain(benchmark::State& state, Workbench& bench) {
    PangoDraw(state, bench, [](cairo_t* cr, PangoLayout* layout) { ShowFace(cr, layout, kOriginX, kOriginY); });
}

void QuentaEffects(benchmark::State& state, Workbench& bench) {
    QuentaDraw(state, bench, QuentaMessage(Colouring::kWhite, "<E><K>"));
}

// Quenta's layers: the shadow 3 pixels down and right, an outline one pixel
// around the face, the face one pixel down and right of the origin.
void PangoEffects(benchmark::State& state, Workbench& bench) {
    PangoDraw(state, bench, [](cairo_t* cr, PangoLayout* layout) {
        cairo_set_source_rgb(cr, kShadowGrey, kShadowGrey, kShadowGrey);
        cairo_move_to(cr, kOriginX + 3, kOriginY + 3);
        pango_cairo_show_layout(cr, layout);
        cairo_new_path(cr);
        cairo_move_to(cr, kOriginX + 1, kOriginY + 1);
        pango_cairo_layout_path(cr, layout);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        ShowFace(cr, layout, kOriginX + 1, kOriginY + 1);
    });
}

void QuentaGradient(benchmark::State& state, Workbench& bench) {
    QuentaDraw(state, bench, QuentaMessage(Colouring::kGradient));
}

// Each line filled with a linear gradient from its top (white) to its
// bottom, as Quenta shades each character cell.
void PangoGradient(benchmark::State& state, Workbench& bench) {
    PangoDraw(state, bench, [](cairo_t* cr, PangoLayout* layout) {
        PangoLayoutIter* iter = pango_layout_get_iter(layout);
        do {
            PangoRectangle line;
            pango_layout_iter_get_line_extents(iter, nullptr, &line);
            const double top = kOriginY + line.y / double(PANGO_SCALE);
            const double bottom = top + line.height / double(PANGO_SCALE);
            cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
            cairo_pattern_add_color_stop_rgb(gradient, 0, 1, 1, 1);
            cairo_pattern_add_color_stop_rgb(gradient, 1, kBottomRed, kBottomGreen, kBottomBlue);
            cairo_set_source(cr, gradient);
            cairo_move_to(cr, kOriginX + line.x / double(PANGO_SCALE),
                          kOriginY + pango_layout_iter_get_baseline(iter) / double(PANGO_SCALE));
            pango_cairo_show_layout_line(cr, pango_layout_iter_get_line_readonly(iter));
            cairo_pattern_destroy(gradient);
        } while (pango_layout_iter_next_line(iter));
        pango_layout_iter_free(iter);
    });
}

}  // namespace

void RegisterDrawCases(Workbench& bench) {
    benchmark::RegisterBenchmark("PlainDraw/Quenta", QuentaPlain, std::ref(bench));
    benchmark::RegisterBenchmark("PlainDraw/PangoCairo", PangoPlain, std::ref(bench));
    benchmark::RegisterBenchmark("EffectsDraw/Quenta", QuentaEffects, std::ref(bench));
    benchmark::RegisterBenchmark("EffectsDraw/PangoCairo", PangoEffects, std::ref(bench));
    benchmark::RegisterBenchmark("GradientDraw/Quenta", QuentaGradient, std::ref(bench));
    benchmark::RegisterBenchmark("GradientDraw/PangoCairo", PangoGradient, std::ref(bench));
}

}  // namespace quenta::bench
