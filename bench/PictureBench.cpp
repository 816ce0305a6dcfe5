// Inline pictures: the message with a picture at the end of each line, drawn
// again and again. Quenta decodes the three pictures once through Vaultrix
// and Pictura and keeps them; PangoCairo gets the same PNG files decoded
// once and placed as shape attributes painted by a shape renderer.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Messages.h"
#include "PangoScene.h"
#include "Workbench.h"

namespace quenta::bench {

namespace {

struct PlacedPicture {
    cairo_surface_t* image;
    bool mask;  // laid on in the text colour, as Quenta lays a mask
};

void PaintPicture(cairo_t* cr, PangoAttrShape* shape, gboolean doPath, gpointer) {
    const auto* picture = static_cast<const PlacedPicture*>(shape->data);
    double x = 0, y = 0;
    cairo_get_current_point(cr, &x, &y);
    y += shape->logical_rect.y / double(PANGO_SCALE);
    if (doPath) {
        cairo_rectangle(cr, x, y, kPictureSize, kPictureSize);
        return;
    }
    cairo_save(cr);
    if (picture->mask) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_mask_surface(cr, picture->image, x, y);
    } else {
        cairo_set_source_surface(cr, picture->image, x, y);
        cairo_rectangle(cr, x, y, kPictureSize, kPictureSize);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void QuentaPictures(benchmark::State& state, Workbench& bench) {
    RendererPtr renderer = NewRenderer(bench);
    renderer->SetText(QuentaPictureMessage().c_str());  // decodes the pictures
    BitmapPtr surface = NewWindowSurface();
    renderer->Draw(surface.get(), kOriginX, kOriginY);
    for (auto _ : state) {
        renderer->Draw(surface.get(), kOriginX, kOriginY);
        benchmark::ClobberMemory();
    }
}

void PangoPictures(benchmark::State& state, Workbench& bench) {
    std::vector<PlacedPicture> pictures;
    for (int number = 1; number <= kPictureCount; ++number) {
        pictures.push_back({bench.pictures.Load(number), number == kMaskPicture});
    }
    BitmapPtr surface = NewWindowSurface();
    PangoScene scene(*surface, bench.pangoEm);
    pango_cairo_context_set_shape_renderer(scene.Context(), PaintPicture, nullptr, nullptr);
    std::unique_ptr<PangoLayout, GObjectUnref> layout(scene.NewLayout());
    int offsets[kPictureCount] = {};
    const std::string text = PangoPictureText(offsets);
    pango_layout_set_text(layout.get(), text.c_str(), -1);
    PangoAttrList* attributes = pango_attr_list_new();
    for (int i = 0; i < kPictureCount; ++i) {
        const PangoRectangle box{0, -kPictureSize * PANGO_SCALE, kPictureSize * PANGO_SCALE,
                                 kPictureSize * PANGO_SCALE};
        PangoAttribute* shape = pango_attr_shape_new_with_data(&box, &box, &pictures[static_cast<size_t>(i)],
                                                               nullptr, nullptr);
        shape->start_index = static_cast<guint>(offsets[i]);
        shape->end_index = shape->start_index + 3;  // U+FFFC is three bytes
        pango_attr_list_insert(attributes, shape);
    }
    pango_layout_set_attributes(layout.get(), attributes);
    pango_attr_list_unref(attributes);

    cairo_t* cr = scene.Cairo();
    auto draw = [&] {
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, kOriginX, kOriginY);
        pango_cairo_show_layout(cr, layout.get());
        cairo_surface_flush(cairo_get_target(cr));
    };
    draw();
    for (auto _ : state) {
        draw();
        benchmark::ClobberMemory();
    }
    layout.reset();
    for (PlacedPicture& picture : pictures) cairo_surface_destroy(picture.image);
}

}  // namespace

void RegisterPictureCases(Workbench& bench) {
    benchmark::RegisterBenchmark("InlinePictures/Quenta", QuentaPictures, std::ref(bench));
    benchmark::RegisterBenchmark("InlinePictures/PangoCairo", PangoPictures, std::ref(bench));
}

}  // namespace quenta::bench
