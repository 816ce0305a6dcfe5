/* Quenta and its sibling modules for C hosts (and any language that calls
 * C): the interfaces as tables of function pointers, the interface IDs and
 * the one export. The C++ headers beside this one declare the same
 * interfaces as classes; this header is what a host includes when it has
 * no C++ compiler, or one whose class layout is not the modules'.
 *
 * An object is a pointer to a struct whose first and only member is its
 * table; call an operation as obj->table->Operation(obj, ...). The members
 * of each table stand in slot order, and no table has a destructor: an
 * object ends through its Release.
 *
 * Calling conventions:
 *   - the export, CreateInterface, is a plain C function (cdecl);
 *   - the table operations are the member functions of the C++ compiler
 *     the modules are built with. On 32-bit Windows that is thiscall (the
 *     object in ECX, the arguments on the stack, popped by the callee),
 *     spelled here with QUENTA_THISCALL; everywhere else it is the
 *     platform's C convention with the object as the first argument.
 *     On 32-bit Windows this header needs a compiler that can put thiscall
 *     on a function pointer (GCC, Clang, clang-cl).
 *
 * Ownership, reference counts, copying, borrowing, the accepted surface
 * depths and the one-thread rule are stated once, in quenta/MessageRenderer.h
 * and quenta/Surface.h; they hold for C hosts as written there. */
#ifndef QUENTA_QUENTA_H
#define QUENTA_QUENTA_H

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && (defined(__i386__) || defined(_M_IX86))
#if defined(__GNUC__) || defined(__clang__)
#define QUENTA_THISCALL __attribute__((thiscall))
#else
#error "quenta.h: this compiler cannot put thiscall on a function pointer; use the C++ headers"
#endif
#else
#define QUENTA_THISCALL
#endif

#if defined(_WIN32)
#define QUENTA_C_CDECL __cdecl
#else
#define QUENTA_C_CDECL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A 128-bit interface ID, laid out as a GUID. */
typedef struct QuentaInterfaceId {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} QuentaInterfaceId;

/* Every module's one export, looked up by the name "CreateInterface": a new
 * object for the module's own ID, with one reference that is the caller's,
 * or null for any other ID. */
typedef void*(QUENTA_C_CDECL* QuentaCreateInterfaceFn)(const QuentaInterfaceId* iid);

/* {CD599691-EC70-4386-B9A5-3EF1C662142D}: Quenta's message renderer. */
static const QuentaInterfaceId kQuentaMessageRendererId = {
    0xCD599691, 0xEC70, 0x4386, {0xB9, 0xA5, 0x3E, 0xF1, 0xC6, 0x62, 0x14, 0x2D}};
/* {387254BB-090F-4045-AA78-2521B1EA7072}: Scrivo2's text painter. */
static const QuentaInterfaceId kQuentaScrivo2Id = {
    0x387254BB, 0x090F, 0x4045, {0xAA, 0x78, 0x25, 0x21, 0xB1, 0xEA, 0x70, 0x72}};
/* {58AD7D01-4DAE-11D4-BEB2-00C0F6B0E9BE}: Plotra. */
static const QuentaInterfaceId kQuentaPlotraId = {
    0x58AD7D01, 0x4DAE, 0x11D4, {0xBE, 0xB2, 0x00, 0xC0, 0xF6, 0xB0, 0xE9, 0xBE}};
/* {FEFB86C3-EBEC-4C55-BC61-5223CB508664}: Vaultrix. */
static const QuentaInterfaceId kQuentaVaultrixId = {
    0xFEFB86C3, 0xEBEC, 0x4C55, {0xBC, 0x61, 0x52, 0x23, 0xCB, 0x50, 0x86, 0x64}};
/* {49DFC85D-8828-4A86-958C-4A6B37DF1FE9}: Pictura. */
static const QuentaInterfaceId kQuentaPicturaId = {
    0x49DFC85D, 0x8828, 0x4A86, {0x95, 0x8C, 0x4A, 0x6B, 0x37, 0xDF, 0x1F, 0xE9}};

/* Equal when all 16 bytes are. */
static inline bool QuentaSameInterfaceId(const QuentaInterfaceId* a, const QuentaInterfaceId* b) {
    const uint8_t* x = (const uint8_t*)a;
    const uint8_t* y = (const uint8_t*)b;
    for (size_t i = 0; i < sizeof *a; ++i) {
        if (x[i] != y[i]) return false;
    }
    return true;
}

/* The engine's image interface (quenta/Surface.h). */
typedef struct QuentaSurface {
    const struct QuentaSurfaceTable* table;
} QuentaSurface;
typedef struct QuentaSurfaceTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaSurface* self);                                 /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaSurface* self);                                /* 1 */
    uint8_t*(QUENTA_THISCALL* GetPixelAddress)(QuentaSurface* self, int32_t x, int32_t y); /* 2 */
    uint8_t*(QUENTA_THISCALL* GetAlphaAddress)(QuentaSurface* self, int32_t x, int32_t y); /* 3 */
    int32_t(QUENTA_THISCALL* GetWidth)(QuentaSurface* self);                               /* 4 */
    int32_t(QUENTA_THISCALL* GetHeight)(QuentaSurface* self);                              /* 5 */
    int32_t(QUENTA_THISCALL* GetDepth)(QuentaSurface* self);                               /* 6 */
    int32_t(QUENTA_THISCALL* GetPitch)(QuentaSurface* self);                               /* 7 */
    int32_t(QUENTA_THISCALL* GetAlphaPitch)(QuentaSurface* self);                          /* 8 */
    bool(QUENTA_THISCALL* HasPixels)(QuentaSurface* self);                                 /* 9 */
    bool(QUENTA_THISCALL* HasAlpha)(QuentaSurface* self);                                  /* 10 */
} QuentaSurfaceTable;

/* Quenta's renderer (quenta/MessageRenderer.h). */
typedef struct QuentaMessageRenderer {
    const struct QuentaMessageRendererTable* table;
} QuentaMessageRenderer;
typedef struct QuentaMessageRendererTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaMessageRenderer* self);                    /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaMessageRenderer* self);                   /* 1 */
    void(QUENTA_THISCALL* SetText)(QuentaMessageRenderer* self, const char* text);    /* 2 */
    void(QUENTA_THISCALL* Clear)(QuentaMessageRenderer* self);                        /* 3 */
    void(QUENTA_THISCALL* Draw)(QuentaMessageRenderer* self, QuentaSurface* target, int32_t x,
                                int32_t y);                                           /* 4 */
    void*(QUENTA_THISCALL* GetSubInterface)(QuentaMessageRenderer* self,
                                            const QuentaInterfaceId* iid);            /* 5 */
} QuentaMessageRendererTable;

/* Scrivo2's text painter (quenta/TextPainter.h); GetSubInterface with
 * kQuentaScrivo2Id lends the renderer's. */
typedef struct QuentaTextPainter {
    const struct QuentaTextPainterTable* table;
} QuentaTextPainter;
typedef struct QuentaTextPainterTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaTextPainter* self);  /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaTextPainter* self); /* 1 */
    int32_t(QUENTA_THISCALL* PaintText)(QuentaTextPainter* self, QuentaSurface* target, int32_t x, int32_t y,
                                        const char* text); /* 2 */
    int32_t(QUENTA_THISCALL* PaintCoverage)(QuentaTextPainter* self, QuentaSurface* buffer, int32_t x, int32_t y,
                                            const char* text);                     /* 3 */
    int32_t(QUENTA_THISCALL* SetSize)(QuentaTextPainter* self, int32_t size);      /* 4 */
    int32_t(QUENTA_THISCALL* SetFace)(QuentaTextPainter* self, const char* faceName); /* 5: Shift-JIS */
    bool(QUENTA_THISCALL* SetFontFile)(QuentaTextPainter* self, const char* faceName,
                                       const char* path); /* 6 */
    int32_t(QUENTA_THISCALL* Reserved7)(QuentaTextPainter* self);                  /* 7 */
    int32_t(QUENTA_THISCALL* Reserved8)(QuentaTextPainter* self);                  /* 8 */
    int32_t(QUENTA_THISCALL* Reserved9)(QuentaTextPainter* self);                  /* 9 */
    int32_t(QUENTA_THISCALL* SetColor)(QuentaTextPainter* self, int32_t r, int32_t g, int32_t b); /* 10 */
} QuentaTextPainterTable;

/* The face names SetFontFile takes (quenta/FaceNames.h): Shift-JIS. */
#define QUENTA_GOTHIC_FACE "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E"
#define QUENTA_MINCHO_FACE "\x82\x6C\x82\x72 \x96\xBE\x92\xA9"

/* Plotra (quenta/Plotra.h). */
typedef struct QuentaPlotra {
    const struct QuentaPlotraTable* table;
} QuentaPlotra;
typedef int32_t(QUENTA_THISCALL* QuentaPlotraRectFn)(QuentaPlotra* self, QuentaSurface* target, int32_t dx,
                                                      int32_t dy, QuentaSurface* source, int32_t sx, int32_t sy,
                                                      int32_t w, int32_t h);
typedef int32_t(QUENTA_THISCALL* QuentaPlotraReservedFn)(QuentaPlotra* self);
typedef struct QuentaPlotraTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaPlotra* self);            /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaPlotra* self);           /* 1 */
    bool(QUENTA_THISCALL* Startup)(QuentaPlotra* self);              /* 2: false = unusable */
    int32_t(QUENTA_THISCALL* Setup)(QuentaPlotra* self, int32_t mode); /* 3 */
    QuentaPlotraRectFn CopyRect;                                     /* 4 */
    QuentaPlotraReservedFn Reserved5;                                /* 5 */
    QuentaPlotraReservedFn Reserved6;                                /* 6 */
    QuentaPlotraReservedFn Reserved7;                                /* 7 */
    QuentaPlotraReservedFn Reserved8;                                /* 8 */
    QuentaPlotraReservedFn Reserved9;                                /* 9 */
    QuentaPlotraRectFn BlendRect;                                    /* 10 */
    QuentaPlotraReservedFn Reserved11;                               /* 11 */
    int32_t(QUENTA_THISCALL* BlendColorRect)(QuentaPlotra* self, QuentaSurface* target, int32_t dx, int32_t dy,
                                             QuentaSurface* source, int32_t sx, int32_t sy, int32_t w, int32_t h,
                                             int32_t r, int32_t g, int32_t b); /* 12 */
} QuentaPlotraTable;

/* Vaultrix's interfaces (quenta/Vaultrix.h). */
typedef struct QuentaArchiveEntry {
    const struct QuentaArchiveEntryTable* table;
} QuentaArchiveEntry;
typedef struct QuentaArchiveEntryTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaArchiveEntry* self);                   /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaArchiveEntry* self);                  /* 1 */
    int32_t(QUENTA_THISCALL* GetSize)(QuentaArchiveEntry* self);                  /* 2 */
    const uint8_t*(QUENTA_THISCALL* GetBytes)(QuentaArchiveEntry* self);          /* 3 */
    int32_t(QUENTA_THISCALL* GetNumber)(QuentaArchiveEntry* self);                /* 4 */
    uintptr_t(QUENTA_THISCALL* Load)(QuentaArchiveEntry* self);                   /* 5 */
    uintptr_t(QUENTA_THISCALL* Share)(QuentaArchiveEntry* self, uintptr_t loaded); /* 6 */
} QuentaArchiveEntryTable;

typedef struct QuentaArchive {
    const struct QuentaArchiveTable* table;
} QuentaArchive;
typedef struct QuentaArchiveTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaArchive* self);                                /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaArchive* self);                               /* 1 */
    QuentaArchiveEntry*(QUENTA_THISCALL* OpenEntry)(QuentaArchive* self, int32_t number); /* 2 */
} QuentaArchiveTable;

typedef struct QuentaVaultrix {
    const struct QuentaVaultrixTable* table;
} QuentaVaultrix;
typedef struct QuentaVaultrixTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaVaultrix* self);                                        /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaVaultrix* self);                                       /* 1 */
    QuentaArchive*(QUENTA_THISCALL* OpenArchive)(QuentaVaultrix* self, int32_t number);            /* 2 */
    bool(QUENTA_THISCALL* SetArchivePath)(QuentaVaultrix* self, int32_t number, const char* path); /* 3 */
} QuentaVaultrixTable;

/* Pictura (quenta/Pictura.h). */
typedef struct QuentaPictura {
    const struct QuentaPicturaTable* table;
} QuentaPictura;
typedef struct QuentaPicturaTable {
    int32_t(QUENTA_THISCALL* AddRef)(QuentaPictura* self);                                         /* 0 */
    int32_t(QUENTA_THISCALL* Release)(QuentaPictura* self);                                        /* 1 */
    QuentaSurface*(QUENTA_THISCALL* DecodeEntry)(QuentaPictura* self, uintptr_t shared);           /* 2 */
    QuentaSurface*(QUENTA_THISCALL* DecodeBytes)(QuentaPictura* self, const uint8_t* bytes, int32_t size); /* 3 */
} QuentaPicturaTable;

#ifdef __cplusplus
}
#endif

/* The slot each operation has in its table, as the modules number them. */
#if defined(__cplusplus)
#define QUENTA_C_SLOT(table, operation, slot) \
    static_assert(offsetof(table, operation) == (slot) * sizeof(void*), #table "." #operation)
#else
#define QUENTA_C_SLOT(table, operation, slot) \
    _Static_assert(offsetof(table, operation) == (slot) * sizeof(void*), #table "." #operation)
#endif
QUENTA_C_SLOT(QuentaSurfaceTable, HasAlpha, 10);
QUENTA_C_SLOT(QuentaMessageRendererTable, GetSubInterface, 5);
QUENTA_C_SLOT(QuentaTextPainterTable, SetColor, 10);
QUENTA_C_SLOT(QuentaPlotraTable, BlendColorRect, 12);
QUENTA_C_SLOT(QuentaArchiveEntryTable, Share, 6);
QUENTA_C_SLOT(QuentaArchiveTable, OpenEntry, 2);
QUENTA_C_SLOT(QuentaVaultrixTable, SetArchivePath, 3);
QUENTA_C_SLOT(QuentaPicturaTable, DecodeBytes, 3);
#undef QUENTA_C_SLOT

#endif
