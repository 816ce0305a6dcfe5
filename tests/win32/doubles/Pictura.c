/* Pictura as a double: decodes the entries of the Vaultrix double into
 * Bitmaps of the kind and size that the settings give (PictureKind.h).
 * Pictures record their release. */
#include <stdio.h>
#include <stdlib.h>

#include "Bitmap.h"
#include "CallLog.h"
#include "Interfaces.h"
#include "PictureKind.h"

typedef struct Picture {
    Bitmap bitmap; /* first: a Picture* is its Bitmap* and its Surface* */
    int32_t number;
} Picture;

static int32_t THISCALL PictureRelease(Surface* self) {
    RecordCall("Picture.Release(%d)", ((Picture*)self)->number);
    return BitmapTable()->Release(self);
}

static struct QuentaSurfaceTable pictureTable;

static int32_t PictureSetting(int32_t number, const char* field, int32_t fallback) {
    char key[48];
    snprintf(key, sizeof key, "picture.%d%s", number, field);
    return GetSetting(key, fallback);
}

static Surface* MakePicture(int32_t number, int32_t kind) {
    const bool pixels = kind == kColorOnly || kind == kColorAndAlpha;
    const bool alpha = kind == kColorAndAlpha || kind == kAlphaOnly;
    Bitmap* made = NewBitmap(PictureSetting(number, ".w", 16), PictureSetting(number, ".h", 8), pixels, alpha);
    if (!made) return NULL;
    /* A Picture is a Bitmap with one field more: grow it in place. */
    Picture* picture = realloc(made, sizeof *picture);
    if (!picture) {
        DestroyBitmap(made);
        return NULL;
    }
    picture->number = number;
    if (!pictureTable.AddRef) {
        pictureTable = *BitmapTable();
        pictureTable.Release = PictureRelease;
    }
    Bitmap* bitmap = &picture->bitmap;
    bitmap->surface.table = &pictureTable;
    const uint32_t color = PictureColor(number);
    for (int32_t y = 0; y < bitmap->height; ++y) {
        for (int32_t x = 0; x < bitmap->width; ++x) {
            if (bitmap->pixels) {
                uint8_t* p = bitmap->pixels + y * bitmap->pitch + x * 3;
                p[0] = (uint8_t)color;
                p[1] = (uint8_t)(color >> 8);
                p[2] = (uint8_t)(color >> 16);
            }
            if (bitmap->alpha) bitmap->alpha[y * bitmap->alphaPitch + x] = x == 0 ? 0 : 255;
        }
    }
    return &bitmap->surface;
}

static int32_t THISCALL AddRef(Pictura* self) {
    (void)self;
    RecordCall("Pictura.AddRef");
    return 1;
}

static int32_t THISCALL Release(Pictura* self) {
    (void)self;
    RecordCall("Pictura.Release");
    return 0;
}

static Surface* THISCALL DecodeEntry(Pictura* self, uintptr_t shared) {
    (void)self;
    if (!shared) {
        RecordCall("Pictura.DecodeEntry(null)");
        return NULL;
    }
    ArchiveEntry* entry = (ArchiveEntry*)shared;
    const int32_t number = entry->table->GetNumber(entry);
    RecordCall("Pictura.DecodeEntry(%d)", number);
    const int32_t kind = PictureSetting(number, "", kMissing);
    if (kind == kMissing || kind == kUndecodable) return NULL;
    return MakePicture(number, kind);
}

static Surface* THISCALL DecodeBytes(Pictura* self, const uint8_t* bytes, int32_t size) {
    (void)self;
    (void)bytes;
    RecordCall("Pictura.DecodeBytes(%d)", size);
    return NULL;
}

static const struct QuentaPicturaTable kPicturaTable = {AddRef, Release, DecodeEntry, DecodeBytes};

static Pictura pictura = {&kPicturaTable};

__declspec(dllexport) void* __cdecl CreateInterface(const InterfaceId* iid) {
    RecordCall("Pictura.CreateInterface");
    if (GetSetting("Pictura.refuse", 0) || !iid || !SameInterfaceId(iid, &kPicturaId)) return NULL;
    return &pictura;
}
