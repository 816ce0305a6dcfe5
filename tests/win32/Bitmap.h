/* A Surface in C: an optional 24-bit colour plane (blue, green, red) and an
 * optional 8-bit alpha plane, both cleared to zero, counted references. The
 * host draws on it and the Pictura double hands it out as a picture. */
#ifndef QUENTA_WIN32_BITMAP_H
#define QUENTA_WIN32_BITMAP_H

#include "Interfaces.h"

typedef struct Bitmap {
    Surface surface; /* first: a Bitmap* is its Surface* */
    int32_t refCount;
    int32_t width;
    int32_t height;
    int32_t pitch;      /* bytes from one colour row to the next */
    int32_t alphaPitch; /* bytes from one alpha row to the next */
    uint8_t* pixels;    /* null without a colour plane */
    uint8_t* alpha;     /* null without an alpha plane */
} Bitmap;

/* Null when the size is not positive or memory runs out. One reference. */
Bitmap* NewBitmap(int32_t width, int32_t height, bool hasPixels, bool hasAlpha);

/* The operations of every Bitmap, for a table that changes a few of them. */
const struct QuentaSurfaceTable* BitmapTable(void);

/* Frees what Release frees at a count of zero. */
void DestroyBitmap(Bitmap* bitmap);

/* The colour bytes of pixel (x, y) as 0xRRGGBB. */
uint32_t PixelAt(const Bitmap* bitmap, int32_t x, int32_t y);

#endif
