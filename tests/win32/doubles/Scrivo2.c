/* Scrivo2 as a double: a TextPainter that records every call and paints
 * each character cell (byte length x size / 2 by size pixels, clipped) as a
 * solid block: in the selected colour on the target for PaintText, with the
 * coverage of the setting "scrivo.coverage" (255 unless set) into the
 * buffer's alpha plane for PaintCoverage. "Scrivo2.refuse" set to 1 makes
 * CreateInterface answer null. */
#include <stdlib.h>
#include <string.h>

#include "CallLog.h"
#include "Interfaces.h"

typedef struct Painter {
    TextPainter painter;
    int32_t refCount;
    int32_t size;
    uint8_t blue, green, red;
} Painter;

static int32_t THISCALL AddRef(TextPainter* self) {
    RecordCall("Scrivo2.AddRef");
    return ++((Painter*)self)->refCount;
}

static int32_t THISCALL Release(TextPainter* self) {
    RecordCall("Scrivo2.Release");
    Painter* painter = (Painter*)self;
    if (--painter->refCount > 0) return painter->refCount;
    free(painter);
    return 0;
}

/* The part of the cell at (x, y) that lies on `surface`. */
typedef struct Cell {
    int32_t left, top, right, bottom;
} Cell;

static Cell CellOn(Surface* surface, const Painter* painter, int32_t x, int32_t y, const char* text) {
    const int32_t width = (int32_t)strlen(text) * painter->size / 2;
    const int32_t surfaceWidth = surface->table->GetWidth(surface);
    const int32_t surfaceHeight = surface->table->GetHeight(surface);
    Cell cell = {x < 0 ? 0 : x, y < 0 ? 0 : y, x + width, y + painter->size};
    if (cell.right > surfaceWidth) cell.right = surfaceWidth;
    if (cell.bottom > surfaceHeight) cell.bottom = surfaceHeight;
    return cell;
}

static int32_t THISCALL PaintText(TextPainter* self, Surface* target, int32_t x, int32_t y, const char* text) {
    char printable[128];
    Printable(text, printable, sizeof printable);
    RecordCall("Scrivo2.PaintText(%d,%d,%s)", x, y, printable);
    const Painter* painter = (const Painter*)self;
    if (!target->table->HasPixels(target)) return 0;
    const Cell cell = CellOn(target, painter, x, y, text);
    for (int32_t row = cell.top; row < cell.bottom; ++row) {
        for (int32_t col = cell.left; col < cell.right; ++col) {
            uint8_t* pixel = target->table->GetPixelAddress(target, col, row);
            pixel[0] = painter->blue;
            pixel[1] = painter->green;
            pixel[2] = painter->red;
        }
    }
    return 0;
}

static int32_t THISCALL PaintCoverage(TextPainter* self, Surface* buffer, int32_t x, int32_t y, const char* text) {
    char printable[128];
    Printable(text, printable, sizeof printable);
    RecordCall("Scrivo2.PaintCoverage(%d,%d,%s)", x, y, printable);
    const uint8_t coverage = (uint8_t)GetSetting("scrivo.coverage", 255);
    const Cell cell = CellOn(buffer, (const Painter*)self, x, y, text);
    for (int32_t row = cell.top; row < cell.bottom; ++row) {
        for (int32_t col = cell.left; col < cell.right; ++col) {
            *buffer->table->GetAlphaAddress(buffer, col, row) = coverage;
        }
    }
    return 0;
}

static int32_t THISCALL SetSize(TextPainter* self, int32_t size) {
    RecordCall("Scrivo2.SetSize(%d)", size);
    ((Painter*)self)->size = size;
    return 0;
}

static int32_t THISCALL SetFace(TextPainter* self, const char* faceName) {
    (void)self;
    char printable[128];
    Printable(faceName, printable, sizeof printable);
    RecordCall("Scrivo2.SetFace(%s)", printable);
    return 0;
}

static bool THISCALL SetFontFile(TextPainter* self, const char* faceName, const char* path) {
    (void)self;
    char face[128];
    char file[128];
    Printable(faceName, face, sizeof face);
    Printable(path, file, sizeof file);
    RecordCall("Scrivo2.SetFontFile(%s,%s)", face, file);
    return false;
}

/* Slots that Quenta must never call. */
static int32_t THISCALL Reserved7(TextPainter* self) {
    (void)self;
    RecordCall("Scrivo2.Reserved7");
    return 0;
}
static int32_t THISCALL Reserved8(TextPainter* self) {
    (void)self;
    RecordCall("Scrivo2.Reserved8");
    return 0;
}
static int32_t THISCALL Reserved9(TextPainter* self) {
    (void)self;
    RecordCall("Scrivo2.Reserved9");
    return 0;
}

static int32_t THISCALL SetColor(TextPainter* self, int32_t r, int32_t g, int32_t b) {
    RecordCall("Scrivo2.SetColor(%d,%d,%d)", r, g, b);
    Painter* painter = (Painter*)self;
    painter->red = (uint8_t)r;
    painter->green = (uint8_t)g;
    painter->blue = (uint8_t)b;
    return 0;
}

static const struct QuentaTextPainterTable kPainterTable = {
    AddRef, Release, PaintText, PaintCoverage, SetSize, SetFace, SetFontFile, Reserved7, Reserved8, Reserved9, SetColor,
};

__declspec(dllexport) void* __cdecl CreateInterface(const InterfaceId* iid) {
    RecordCall("Scrivo2.CreateInterface");
    if (GetSetting("Scrivo2.refuse", 0) || !iid || !SameInterfaceId(iid, &kScrivo2Id)) return NULL;
    Painter* painter = calloc(1, sizeof *painter);
    if (!painter) return NULL;
    painter->painter.table = &kPainterTable;
    painter->refCount = 1;
    painter->size = 24;
    return painter;
}
