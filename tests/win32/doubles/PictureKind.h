/* How the Vaultrix and Pictura doubles make picture N: the setting
 * "picture.N" holds its kind, "picture.N.w" and "picture.N.h" its size
 * (16 x 8 unless set). A colour plane is filled with PictureColor(N); an
 * alpha plane is 255 everywhere but in column 0, which is 0. */
#ifndef QUENTA_WIN32_PICTURE_KIND_H
#define QUENTA_WIN32_PICTURE_KIND_H

#include <stdint.h>

enum PictureKind {
    kMissing = 0, /* the archive has no entry */
    kColorOnly = 1,
    kColorAndAlpha = 2,
    kAlphaOnly = 3,
    kNoPlanes = 4,
    kUndecodable = 5, /* an entry Pictura cannot decode */
};

/* 0xRRGGBB */
static inline uint32_t PictureColor(int32_t number) { return 0x102030u + (uint32_t)(number & 0xF) * 0x100000u; }

#endif
