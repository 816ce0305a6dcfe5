// A draw target that notes every pixel and alpha address asked of it, with
// the module that asked: where Scrivo2 paints each run, where Plotra lays
// each picture, where Quenta blends each gradient run. The same message
// laid out by the same Quenta gives the same notes whichever Scrivo2 draws
// the glyphs, so the notes compare layouts across platforms.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quenta/BitmapSurface.h"
#include "quenta/RefCounted.h"
#include "quenta/Surface.h"

namespace quenta::testing {

struct Place {
    std::string module;  // "Scrivo2", "Plotra", "Quenta"
    std::string plane;   // "pixel" or "alpha"
    int32_t x, y;
    bool operator==(const Place&) const = default;
};

// The module file holding `address`, without folder or extension.
std::string ModuleHolding(const void* address);

class PlaceRecorder final : public RefCounted<PlaceRecorder, Surface> {
public:
    explicit PlaceRecorder(BitmapSurface* canvas) : canvas_(canvas) { canvas_->AddRef(); }

    uint8_t* GetPixelAddress(int32_t x, int32_t y) override;
    uint8_t* GetAlphaAddress(int32_t x, int32_t y) override;
    int32_t GetWidth() override { return canvas_->GetWidth(); }
    int32_t GetHeight() override { return canvas_->GetHeight(); }
    int32_t GetDepth() override { return canvas_->GetDepth(); }
    int32_t GetPitch() override { return canvas_->GetPitch(); }
    int32_t GetAlphaPitch() override { return canvas_->GetAlphaPitch(); }
    bool HasPixels() override { return canvas_->HasPixels(); }
    bool HasAlpha() override { return canvas_->HasAlpha(); }

    const std::vector<Place>& Places() const { return places_; }

private:
    friend RefCounted;
    ~PlaceRecorder() { canvas_->Release(); }

    BitmapSurface* canvas_;
    std::vector<Place> places_;
};

}  // namespace quenta::testing
