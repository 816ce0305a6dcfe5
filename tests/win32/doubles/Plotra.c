/* Plotra as a double: one interface for the process that records every call
 * and really moves pixels, so that the host can see them: CopyRect copies the
 * source's colour plane, BlendRect copies the colour of every pixel whose
 * alpha is not 0, BlendColorRect lays (r, g, b) wherever the alpha is not 0.
 * Startup answers the setting "plotra.startup" (1 unless set). */
#include "CallLog.h"
#include "Interfaces.h"

static int32_t THISCALL AddRef(Plotra* self) {
    (void)self;
    RecordCall("Plotra.AddRef");
    return 1;
}

static int32_t THISCALL Release(Plotra* self) {
    (void)self;
    RecordCall("Plotra.Release");
    return 1;
}

static bool THISCALL Startup(Plotra* self) {
    (void)self;
    RecordCall("Plotra.Startup");
    return GetSetting("plotra.startup", 1) != 0;
}

static int32_t THISCALL Setup(Plotra* self, int32_t mode) {
    (void)self;
    RecordCall("Plotra.Setup(%d)", mode);
    return 0;
}

/* Writes (r, g, b), or the source pixel's own colour when r is negative, to
 * every target pixel of the rectangle whose source alpha is not 0 (every
 * pixel when the source has no alpha plane). */
static void Lay(Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx, int32_t sy, int32_t w,
                int32_t h, int32_t r, int32_t g, int32_t b) {
    const bool hasAlpha = source->table->HasAlpha(source);
    for (int32_t row = 0; row < h; ++row) {
        for (int32_t col = 0; col < w; ++col) {
            if (hasAlpha && *source->table->GetAlphaAddress(source, sx + col, sy + row) == 0) continue;
            uint8_t* to = target->table->GetPixelAddress(target, dx + col, dy + row);
            if (r < 0) {
                const uint8_t* from = source->table->GetPixelAddress(source, sx + col, sy + row);
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            } else {
                to[0] = (uint8_t)b;
                to[1] = (uint8_t)g;
                to[2] = (uint8_t)r;
            }
        }
    }
}

static int32_t THISCALL CopyRect(Plotra* self, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                                 int32_t sy, int32_t w, int32_t h) {
    (void)self;
    RecordCall("Plotra.CopyRect(%d,%d,%d,%d,%d,%d)", dx, dy, sx, sy, w, h);
    if (source->table->HasAlpha(source)) RecordCall("Plotra.CopyRect got a source with an alpha plane");
    Lay(target, dx, dy, source, sx, sy, w, h, -1, 0, 0);
    return 0;
}

static int32_t THISCALL BlendRect(Plotra* self, Surface* target, int32_t dx, int32_t dy, Surface* source, int32_t sx,
                                  int32_t sy, int32_t w, int32_t h) {
    (void)self;
    RecordCall("Plotra.BlendRect(%d,%d,%d,%d,%d,%d)", dx, dy, sx, sy, w, h);
    Lay(target, dx, dy, source, sx, sy, w, h, -1, 0, 0);
    return 0;
}

static int32_t THISCALL BlendColorRect(Plotra* self, Surface* target, int32_t dx, int32_t dy, Surface* source,
                                       int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b) {
    (void)self;
    RecordCall("Plotra.BlendColorRect(%d,%d,%d,%d,%d,%d,%d,%d,%d)", dx, dy, sx, sy, w, h, r, g, b);
    Lay(target, dx, dy, source, sx, sy, w, h, r, g, b);
    return 0;
}

/* Slots that Quenta must never call. */
static int32_t THISCALL Reserved(Plotra* self) {
    (void)self;
    RecordCall("Plotra.Reserved");
    return 0;
}

static const struct QuentaPlotraTable kPlotraTable = {
    AddRef, Release,  Startup,  Setup,     CopyRect, Reserved,      Reserved,
    Reserved, Reserved, Reserved, BlendRect, Reserved, BlendColorRect,
};

static Plotra plotra = {&kPlotraTable};

__declspec(dllexport) void* __cdecl CreateInterface(const InterfaceId* iid) {
    RecordCall("Plotra.CreateInterface");
    if (GetSetting("Plotra.refuse", 0) || !iid || !SameInterfaceId(iid, &kPlotraId)) return NULL;
    return &plotra;
}
