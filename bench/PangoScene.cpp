#include "PangoScene.h"

#include <stdexcept>

#include "Messages.h"

namespace quenta::bench {

PangoScene::PangoScene(BitmapSurface& target, double emPixels) : emPixels_(emPixels) {
    if (!target.HasPixels() || target.GetDepth() != 32 ||
        target.GetPitch() != cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, target.GetWidth())) {
        throw std::runtime_error("PangoCairo draws on 32-bit surfaces with cairo's stride");
    }
    // Cairo's RGB24 is a 32-bit word per pixel, blue in the lowest byte: on a
    // little-endian machine the same B, G, R, unused bytes as the surface.
    surface_ = cairo_image_surface_create_for_data(target.GetPixelAddress(0, 0), CAIRO_FORMAT_RGB24,
                                                   target.GetWidth(), target.GetHeight(), target.GetPitch());
    cairo_ = cairo_create(surface_);
    context_ = pango_cairo_create_context(cairo_);
    pango_cairo_context_set_resolution(context_, 72.0);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(context_, options);
    cairo_font_options_destroy(options);
    if (cairo_status(cairo_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cairo did not start");
}

PangoScene::~PangoScene() {
    g_object_unref(context_);
    cairo_destroy(cairo_);
    cairo_surface_destroy(surface_);
}

PangoLayout* PangoScene::NewLayout() const {
    PangoLayout* layout = pango_layout_new(context_);
    PangoFontDescription* font = pango_font_description_new();
    pango_font_description_set_family(font, kFontFamily);
    pango_font_description_set_absolute_size(font, emPixels_ * PANGO_SCALE);
    pango_layout_set_font_description(layout, font);
    pango_font_description_free(font);
    return layout;
}

}  // namespace quenta::bench
