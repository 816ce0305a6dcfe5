/* The engine's interfaces as a C host declares them, built by a compiler
 * that knows nothing of C++ classes: an object is a pointer to its table of
 * operations, and each operation is called with the member-function
 * convention of 32-bit Windows, spelled out (thiscall: the object in ECX,
 * the arguments on the stack, the callee pops them), so that nothing here
 * depends on a C++ compiler's default. Slot numbers are checked below. */
#ifndef QUENTA_WIN32_INTERFACES_H
#define QUENTA_WIN32_INTERFACES_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#if !defined(__i386__)
#error "the C host is the 32-bit Windows host"
#endif

#define THISCALL __attribute__((thiscall))

typedef struct InterfaceId {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} InterfaceId;
_Static_assert(sizeof(InterfaceId) == 16, "an interface ID is 16 bytes");

/* Every module's one export, a plain cdecl function. */
typedef void*(__cdecl* CreateInterfaceFn)(const InterfaceId* iid);

extern const InterfaceId kMessageRendererId;
extern const InterfaceId kScrivo2Id;
extern const InterfaceId kPlotraId;
extern const InterfaceId kVaultrixId;
extern const InterfaceId kPicturaId;
bool SameInterfaceId(const InterfaceId* a, const InterfaceId* b);

typedef struct Surface {
    const struct SurfaceTable* table;
} Surface;
struct SurfaceTable {
    int32_t(THISCALL* AddRef)(Surface* self);
    int32_t(THISCALL* Release)(Surface* self);
    uint8_t*(THISCALL* GetPixelAddress)(Surface* self, int32_t x, int32_t y);
    uint8_t*(THISCALL* GetAlphaAddress)(Surface* self, int32_t x, int32_t y);
    int32_t(THISCALL* GetWidth)(Surface* self);
    int32_t(THISCALL* GetHeight)(Surface* self);
    int32_t(THISCALL* GetDepth)(Surface* self);
    int32_t(THISCALL* GetPitch)(Surface* self);
    int32_t(THISCALL* GetAlphaPitch)(Surface* self);
    bool(THISCALL* HasPixels)(Surface* self);
    bool(THISCALL* HasAlpha)(Surface* self);
};

typedef struct MessageRenderer {
    const struct MessageRendererTable* table;
} MessageRenderer;
struct MessageRendererTable {
    int32_t(THISCALL* AddRef)(MessageRenderer* self);
    int32_t(THISCALL* Release)(MessageRenderer* self);
    void(THISCALL* SetText)(MessageRenderer* self, const char* text);
    void(THISCALL* Clear)(MessageRenderer* self);
    void(THISCALL* Draw)(MessageRenderer* self, Surface* target, int32_t x, int32_t y);
    void*(THISCALL* GetSubInterface)(MessageRenderer* self, const InterfaceId* iid);
};

typedef struct TextPainter {
    const struct TextPainterTable* table;
} TextPainter;
struct TextPainterTable {
    int32_t(THISCALL* AddRef)(TextPainter* self);
    int32_t(THISCALL* Release)(TextPainter* self);
    int32_t(THISCALL* PaintText)(TextPainter* self, Surface* target, int32_t x, int32_t y, const char* text);
    int32_t(THISCALL* PaintCoverage)(TextPainter* self, Surface* buffer, int32_t x, int32_t y, const char* text);
    int32_t(THISCALL* SetSize)(TextPainter* self, int32_t size);
    int32_t(THISCALL* SetFace)(TextPainter* self, const char* faceName);
    bool(THISCALL* SetFontFile)(TextPainter* self, const char* faceName, const char* path);
    int32_t(THISCALL* Reserved7)(TextPainter* self);
    int32_t(THISCALL* Reserved8)(TextPainter* self);
    int32_t(THISCALL* Reserved9)(TextPainter* self);
    int32_t(THISCALL* SetColor)(TextPainter* self, int32_t r, int32_t g, int32_t b);
};

typedef struct Plotra {
    const struct PlotraTable* table;
} Plotra;
typedef int32_t(THISCALL* PlotraRectFn)(Plotra* self, Surface* target, int32_t dx, int32_t dy, Surface* source,
                                         int32_t sx, int32_t sy, int32_t w, int32_t h);
typedef int32_t(THISCALL* PlotraReservedFn)(Plotra* self);
struct PlotraTable {
    int32_t(THISCALL* AddRef)(Plotra* self);
    int32_t(THISCALL* Release)(Plotra* self);
    bool(THISCALL* Startup)(Plotra* self);
    int32_t(THISCALL* Setup)(Plotra* self, int32_t mode);
    PlotraRectFn CopyRect;
    PlotraReservedFn Reserved5;
    PlotraReservedFn Reserved6;
    PlotraReservedFn Reserved7;
    PlotraReservedFn Reserved8;
    PlotraReservedFn Reserved9;
    PlotraRectFn BlendRect;
    PlotraReservedFn Reserved11;
    int32_t(THISCALL* BlendColorRect)(Plotra* self, Surface* target, int32_t dx, int32_t dy, Surface* source,
                                      int32_t sx, int32_t sy, int32_t w, int32_t h, int32_t r, int32_t g,
                                      int32_t b);
};

typedef struct ArchiveEntry {
    const struct ArchiveEntryTable* table;
} ArchiveEntry;
struct ArchiveEntryTable {
    int32_t(THISCALL* AddRef)(ArchiveEntry* self);
    int32_t(THISCALL* Release)(ArchiveEntry* self);
    int32_t(THISCALL* GetSize)(ArchiveEntry* self);
    const uint8_t*(THISCALL* GetBytes)(ArchiveEntry* self);
    int32_t(THISCALL* GetNumber)(ArchiveEntry* self);
    uintptr_t(THISCALL* Load)(ArchiveEntry* self);
    uintptr_t(THISCALL* Share)(ArchiveEntry* self, uintptr_t loaded);
};

typedef struct Archive {
    const struct ArchiveTable* table;
} Archive;
struct ArchiveTable {
    int32_t(THISCALL* AddRef)(Archive* self);
    int32_t(THISCALL* Release)(Archive* self);
    ArchiveEntry*(THISCALL* OpenEntry)(Archive* self, int32_t number);
};

typedef struct Vaultrix {
    const struct VaultrixTable* table;
} Vaultrix;
struct VaultrixTable {
    int32_t(THISCALL* AddRef)(Vaultrix* self);
    int32_t(THISCALL* Release)(Vaultrix* self);
    Archive*(THISCALL* OpenArchive)(Vaultrix* self, int32_t number);
    bool(THISCALL* SetArchivePath)(Vaultrix* self, int32_t number, const char* path);
};

typedef struct Pictura {
    const struct PicturaTable* table;
} Pictura;
struct PicturaTable {
    int32_t(THISCALL* AddRef)(Pictura* self);
    int32_t(THISCALL* Release)(Pictura* self);
    Surface*(THISCALL* DecodeEntry)(Pictura* self, uintptr_t shared);
    Surface*(THISCALL* DecodeBytes)(Pictura* self, const uint8_t* bytes, int32_t size);
};

/* The slot each operation has in its table, as the modules number them. */
#define QUENTA_SLOT(table, operation, slot) \
    _Static_assert(offsetof(struct table, operation) == (slot) * sizeof(void*), #table "." #operation)
QUENTA_SLOT(SurfaceTable, HasAlpha, 10);
QUENTA_SLOT(SurfaceTable, GetPitch, 7);
QUENTA_SLOT(MessageRendererTable, SetText, 2);
QUENTA_SLOT(MessageRendererTable, GetSubInterface, 5);
QUENTA_SLOT(TextPainterTable, SetFontFile, 6);
QUENTA_SLOT(TextPainterTable, SetColor, 10);
QUENTA_SLOT(PlotraTable, CopyRect, 4);
QUENTA_SLOT(PlotraTable, BlendRect, 10);
QUENTA_SLOT(PlotraTable, BlendColorRect, 12);
QUENTA_SLOT(ArchiveEntryTable, Share, 6);
QUENTA_SLOT(ArchiveTable, OpenEntry, 2);
QUENTA_SLOT(VaultrixTable, SetArchivePath, 3);
QUENTA_SLOT(PicturaTable, DecodeBytes, 3);

#endif
