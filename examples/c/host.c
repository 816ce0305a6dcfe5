/* A small, complete C host: loads Quenta and its siblings with the system's
 * own loader, hands Quenta a Surface of its own (a 24-bit bitmap on the
 * heap, written in C), draws a message and counts the pixels it changed.
 * Everything it calls comes from quenta/quenta.h.
 *
 *   c-host [-m MODULE_DIR] [-q QUENTA_FILE] [-f GOTHIC_FONT]
 *
 * MODULE_DIR holds Scrivo2, Plotra, Vaultrix and Pictura (and Quenta,
 * unless QUENTA_FILE says where it is); GOTHIC_FONT is the font file for
 * face 0, else Scrivo2 asks the system for one. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "quenta/quenta.h"

#if defined(_WIN32)
#include <windows.h>
#define MODULE_SUFFIX ".dll"
static void* OpenModule(const char* path) { return (void*)LoadLibraryA(path); }
static void CloseModule(void* module) { FreeLibrary((HMODULE)module); }
static QuentaCreateInterfaceFn EntryOf(void* module) {
    return (QuentaCreateInterfaceFn)(void*)GetProcAddress((HMODULE)module, "CreateInterface");
}
#else
#include <dlfcn.h>
#define MODULE_SUFFIX ".so"
static void* OpenModule(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
static void CloseModule(void* module) { dlclose(module); }
static QuentaCreateInterfaceFn EntryOf(void* module) {
    QuentaCreateInterfaceFn entry;
    void* found = dlsym(module, "CreateInterface");
    memcpy(&entry, &found, sizeof entry); /* ISO C has no cast from void* to a function pointer */
    return entry;
}
#endif

#ifndef QUENTA_MODULE_DIR
#define QUENTA_MODULE_DIR "."
#endif

/* The host's Surface: 24-bit BGR rows padded to four bytes, no alpha. */
typedef struct Canvas {
    QuentaSurface surface; /* first, so that a QuentaSurface* is a Canvas* */
    int32_t refCount, width, height, pitch;
    uint8_t* pixels;
} Canvas;

static int32_t QUENTA_THISCALL CanvasAddRef(QuentaSurface* self) { return ++((Canvas*)self)->refCount; }
static int32_t QUENTA_THISCALL CanvasRelease(QuentaSurface* self) {
    Canvas* canvas = (Canvas*)self;
    if (--canvas->refCount > 0) return canvas->refCount;
    free(canvas->pixels);
    free(canvas);
    return 0;
}
static uint8_t* QUENTA_THISCALL CanvasPixel(QuentaSurface* self, int32_t x, int32_t y) {
    Canvas* canvas = (Canvas*)self;
    return canvas->pixels + (size_t)y * (size_t)canvas->pitch + (size_t)x * 3;
}
static uint8_t* QUENTA_THISCALL CanvasAlpha(QuentaSurface* self, int32_t x, int32_t y) {
    (void)self, (void)x, (void)y;
    return NULL;
}
static int32_t QUENTA_THISCALL CanvasWidth(QuentaSurface* self) { return ((Canvas*)self)->width; }
static int32_t QUENTA_THISCALL CanvasHeight(QuentaSurface* self) { return ((Canvas*)self)->height; }
static int32_t QUENTA_THISCALL CanvasDepth(QuentaSurface* self) { return (void)self, 24; }
static int32_t QUENTA_THISCALL CanvasPitch(QuentaSurface* self) { return ((Canvas*)self)->pitch; }
static int32_t QUENTA_THISCALL CanvasAlphaPitch(QuentaSurface* self) { return (void)self, 0; }
static bool QUENTA_THISCALL CanvasHasPixels(QuentaSurface* self) { return (void)self, true; }
static bool QUENTA_THISCALL CanvasHasAlpha(QuentaSurface* self) { return (void)self, false; }

static const QuentaSurfaceTable kCanvasTable = {
    CanvasAddRef, CanvasRelease, CanvasPixel, CanvasAlpha,     CanvasWidth,    CanvasHeight,
    CanvasDepth,  CanvasPitch,   CanvasAlphaPitch, CanvasHasPixels, CanvasHasAlpha};

static Canvas* NewCanvas(int32_t width, int32_t height, uint8_t fill) {
    Canvas* canvas = calloc(1, sizeof *canvas);
    if (!canvas) return NULL;
    canvas->surface.table = &kCanvasTable;
    canvas->refCount = 1;
    canvas->width = width;
    canvas->height = height;
    canvas->pitch = (width * 3 + 3) / 4 * 4;
    canvas->pixels = malloc((size_t)canvas->pitch * (size_t)height);
    if (!canvas->pixels) {
        free(canvas);
        return NULL;
    }
    memset(canvas->pixels, fill, (size_t)canvas->pitch * (size_t)height);
    return canvas;
}

static int Fail(const char* what, const char* detail) {
    fprintf(stderr, "c-host: error: %s%s\n", what, detail ? detail : "");
    return 1;
}

int main(int argc, char** argv) {
    const char* moduleDir = QUENTA_MODULE_DIR;
    const char* quentaFile = NULL;
    const char* font = NULL;
    for (int i = 1; i < argc; i += 2) {
        const char** value = !strcmp(argv[i], "-m") ? &moduleDir
                           : !strcmp(argv[i], "-q") ? &quentaFile
                           : !strcmp(argv[i], "-f") ? &font
                                                    : NULL;
        if (!value || i + 1 == argc) {
            fprintf(stderr, "usage: c-host [-m MODULE_DIR] [-q QUENTA_FILE] [-f GOTHIC_FONT]\n");
            return 2;
        }
        *value = argv[i + 1];
    }

    /* The siblings first, then Quenta, which finds them by name. */
    static const char* const kNames[] = {"Scrivo2", "Plotra", "Vaultrix", "Pictura", "Quenta"};
    void* modules[5] = {NULL};
    for (int i = 0; i < 5; ++i) {
        char path[4096];
        if (i == 4 && quentaFile) {
            snprintf(path, sizeof path, "%s", quentaFile);
        } else {
            snprintf(path, sizeof path, "%s/%s%s", moduleDir, kNames[i], MODULE_SUFFIX);
        }
        modules[i] = OpenModule(path);
        if (!modules[i]) return Fail("cannot load ", path);
    }
    QuentaCreateInterfaceFn create = EntryOf(modules[4]);
    if (!create) return Fail("Quenta has no export CreateInterface", NULL);

    int status = 0;
    QuentaMessageRenderer* renderer = create(&kQuentaMessageRendererId);
    Canvas* canvas = NewCanvas(320, 64, 80);
    if (!renderer || !canvas) {
        status = Fail("no renderer or no canvas", NULL);
    } else {
        /* The first SetText binds Scrivo2 and Plotra; after it the renderer
         * lends its text painter (no reference: it is the renderer's). */
        renderer->table->SetText(renderer, "<S24><C255,255,0>");
        QuentaTextPainter* painter = renderer->table->GetSubInterface(renderer, &kQuentaScrivo2Id);
        if (!painter) {
            status = Fail("Quenta could not bind its siblings", NULL);
        } else if (font && !painter->table->SetFontFile(painter, QUENTA_GOTHIC_FACE, font)) {
            status = Fail("Scrivo2 cannot use the font file ", font);
        } else {
            /* SetText copies the text and adds it to what is there; Draw
             * borrows the canvas for the call alone. */
            renderer->table->SetText(renderer, "Hello from C");
            renderer->table->Draw(renderer, &canvas->surface, 8, 8);
            long drawn = 0;
            for (int32_t y = 0; y < canvas->height; ++y) {
                for (int32_t x = 0; x < canvas->width * 3; ++x) drawn += canvas->pixels[y * canvas->pitch + x] != 80;
            }
            if (drawn == 0) {
                status = Fail("the message drew nothing", NULL);
            } else {
                printf("c-host: drew %ld bytes\n", drawn);
            }
        }
    }
    /* The renderer goes before the modules it runs on; Quenta before its
     * siblings. */
    if (renderer) renderer->table->Release(renderer);
    if (canvas) canvas->surface.table->Release(&canvas->surface);
    for (int i = 4; i >= 0; --i) CloseModule(modules[i]);
    return status;
}
