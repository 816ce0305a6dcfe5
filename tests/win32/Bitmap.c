#include "Bitmap.h"

#include <stdlib.h>

static int32_t THISCALL AddRef(Surface* self) { return ++((Bitmap*)self)->refCount; }

static int32_t THISCALL Release(Surface* self) {
    Bitmap* bitmap = (Bitmap*)self;
    if (--bitmap->refCount > 0) return bitmap->refCount;
    DestroyBitmap(bitmap);
    return 0;
}

static uint8_t* THISCALL GetPixelAddress(Surface* self, int32_t x, int32_t y) {
    Bitmap* bitmap = (Bitmap*)self;
    return bitmap->pixels ? bitmap->pixels + y * bitmap->pitch + x * 3 : NULL;
}

static uint8_t* THISCALL GetAlphaAddress(Surface* self, int32_t x, int32_t y) {
    Bitmap* bitmap = (Bitmap*)self;
    return bitmap->alpha ? bitmap->alpha + y * bitmap->alphaPitch + x : NULL;
}

static int32_t THISCALL GetWidth(Surface* self) { return ((Bitmap*)self)->width; }
static int32_t THISCALL GetHeight(Surface* self) { return ((Bitmap*)self)->height; }
static int32_t THISCALL GetDepth(Surface* self) { return ((Bitmap*)self)->pixels ? 24 : 0; }
static int32_t THISCALL GetPitch(Surface* self) { return ((Bitmap*)self)->pitch; }
static int32_t THISCALL GetAlphaPitch(Surface* self) { return ((Bitmap*)self)->alphaPitch; }
static bool THISCALL HasPixels(Surface* self) { return ((Bitmap*)self)->pixels != NULL; }
static bool THISCALL HasAlpha(Surface* self) { return ((Bitmap*)self)->alpha != NULL; }

static const struct QuentaSurfaceTable kBitmapTable = {
    AddRef,    Release,   GetPixelAddress, GetAlphaAddress, GetWidth, GetHeight,
    GetDepth,  GetPitch,  GetAlphaPitch,   HasPixels,       HasAlpha,
};

const struct QuentaSurfaceTable* BitmapTable(void) { return &kBitmapTable; }

Bitmap* NewBitmap(int32_t width, int32_t height, bool hasPixels, bool hasAlpha) {
    if (width <= 0 || height <= 0) return NULL;
    Bitmap* bitmap = calloc(1, sizeof *bitmap);
    if (!bitmap) return NULL;
    bitmap->surface.table = &kBitmapTable;
    bitmap->refCount = 1;
    bitmap->width = width;
    bitmap->height = height;
    /* Rows padded to four bytes, as the engine's bitmaps are. */
    bitmap->pitch = hasPixels ? (width * 3 + 3) & ~3 : 0;
    bitmap->alphaPitch = hasAlpha ? (width + 3) & ~3 : 0;
    bitmap->pixels = hasPixels ? calloc((size_t)(bitmap->pitch * height), 1) : NULL;
    bitmap->alpha = hasAlpha ? calloc((size_t)(bitmap->alphaPitch * height), 1) : NULL;
    if ((hasPixels && !bitmap->pixels) || (hasAlpha && !bitmap->alpha)) {
        DestroyBitmap(bitmap);
        return NULL;
    }
    return bitmap;
}

void DestroyBitmap(Bitmap* bitmap) {
    free(bitmap->pixels);
    free(bitmap->alpha);
    free(bitmap);
}

uint32_t PixelAt(const Bitmap* bitmap, int32_t x, int32_t y) {
    const uint8_t* p = bitmap->pixels + y * bitmap->pitch + x * 3;
    return (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
}
