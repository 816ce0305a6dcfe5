// PangoCairo drawing into a BitmapSurface's own colour plane: a cairo image
// surface over the same 32-bit pixels, and layouts in the same face with
// glyphs as large as Quenta's (72 dpi, so that points are pixels),
// antialiased in grey.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

#include <string>

#include "quenta/BitmapSurface.h"

namespace quenta::bench {

class PangoScene {
public:
    // Layouts get an em of `emPixels`. Throws std::runtime_error unless
    // `target` is a 32-bit colour surface.
    PangoScene(BitmapSurface& target, double emPixels);
    PangoScene(const PangoScene&) = delete;
    PangoScene& operator=(const PangoScene&) = delete;
    ~PangoScene();

    cairo_t* Cairo() const { return cairo_; }
    PangoContext* Context() const { return context_; }
    // A new layout (the caller unrefs it) in IPAGothic at the scene's em.
    PangoLayout* NewLayout() const;

private:
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cairo_ = nullptr;
    PangoContext* context_ = nullptr;
    double emPixels_;
};

// Unrefs a GObject at the end of a scope.
struct GObjectUnref {
    void operator()(void* object) const {
        if (object) g_object_unref(object);
    }
};

}  // namespace quenta::bench
