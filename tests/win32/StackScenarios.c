/* A host whose compiler keeps the stack only 4-byte aligned, as 32-bit
 * Windows compilers do, calls SetText and Draw with ESP 4, 8 or 12 bytes off
 * 16: gradient text and pictures must come out the same as from an aligned
 * call, and nothing may fault. */
#include <stdio.h>
#include <string.h>

#include "Bitmap.h"
#include "CallLog.h"
#include "Scenarios.h"
#include "StackOffsetCall.h"
#include "doubles/PictureKind.h"

/* Like StackAtCall, with three arguments to pop. */
__attribute__((naked)) static uint32_t __attribute__((thiscall)) StackAtCallOfThree(
    void* self __attribute__((unused)), uint32_t a __attribute__((unused)), uint32_t b __attribute__((unused)),
    uint32_t c __attribute__((unused))) {
    __asm__(
        "lea 4(%esp), %eax\n\t"
        "and $15, %eax\n\t"
        "ret $12\n\t");
}

/* Takes three arguments but pops none, as a cdecl function would: what a
 * convention mismatch looks like to the trampoline. */
__attribute__((naked)) static uint32_t LeavesItsArguments(void) {
    __asm__(
        "xor %eax, %eax\n\t"
        "ret\n\t");
}

void StackOffsetsAreWhatTheySay(Checks* t, Modules* modules) {
    (void)modules;
    static const uint32_t kArgs[] = {1, 2, 3};
    for (int32_t offset = 0; offset < 16; offset += 4) {
        StackOffsetCall none = {(const void*)StackAtCall, NULL, NULL, 0, offset, -1};
        CHECK_INT(t, CallWithStackOffset(&none), (16 - offset) % 16);
        CHECK_INT(t, none.imbalance, 0);
        StackOffsetCall three = {(const void*)StackAtCallOfThree, NULL, kArgs, 3, offset, -1};
        CHECK_INT(t, CallWithStackOffset(&three), (16 - offset) % 16);
        CHECK_INT(t, three.imbalance, 0);
    }
    StackOffsetCall mismatch = {(const void*)LeavesItsArguments, NULL, kArgs, 3, 0, 0};
    CallWithStackOffset(&mismatch);
    CHECK_INT(t, mismatch.imbalance, -12);
}

enum { kWidth = 120, kHeight = 60, kMaxDrawCalls = 64 };

typedef struct Drawn {
    Bitmap* target;
    int32_t callCount;
    char calls[kMaxDrawCalls][200];
} Drawn;

/* A new renderer takes the text and draws it, both called with the stack
 * `offset` bytes off 16; what Draw called and drew is kept in `drawn`. */
static void DrawWithOffset(Checks* t, Modules* modules, int32_t offset, Drawn* drawn) {
    MessageRenderer* renderer = NewRenderer(modules);
    drawn->target = NewBitmap(kWidth, kHeight, true, false);
    if (!CHECK(t, renderer && drawn->target)) return;
    int32_t imbalance = -1;
    const uint32_t text[] = {(uint32_t) "<S20><C255,255,255,0,0,255><B>AB</B></C><G1><G2><C0,200,0><G3><R><E>C"};
    CallSlot(renderer, 2, offset, 1, text, &imbalance); /* SetText */
    CHECK_INT(t, imbalance, 0);
    ClearCalls();
    const uint32_t draw[] = {(uint32_t)&drawn->target->surface, 3, 5};
    CallSlot(renderer, 4, offset, 3, draw, &imbalance); /* Draw */
    CHECK_INT(t, imbalance, 0);
    drawn->callCount = CallCount() < kMaxDrawCalls ? CallCount() : kMaxDrawCalls;
    for (int32_t i = 0; i < drawn->callCount; ++i) snprintf(drawn->calls[i], sizeof drawn->calls[i], "%s", CallAt(i));
    CHECK_INT(t, renderer->table->Release(renderer), 0);
}

void MisalignedStackDrawsTheSame(Checks* t, Modules* modules) {
    SetSetting("picture.1", kColorOnly);
    SetSetting("picture.2", kColorAndAlpha);
    SetSetting("picture.3", kAlphaOnly);
    /* The aligned call last: the first pictures are fetched and decoded
     * under a misaligned stack. */
    static const int32_t kOffsets[] = {4, 8, 12, 0};
    static Drawn drawn[4];
    for (int i = 0; i < 4; ++i) {
        memset(&drawn[i], 0, sizeof drawn[i]);
        DrawWithOffset(t, modules, kOffsets[i], &drawn[i]);
        if (!drawn[i].target) return;
    }
    const Drawn* aligned = &drawn[3];
    /* The reference drew what the text asks for: the gradient's top row
     * (white) at the face of A, B's row 18 (255 + 18 * -255 / 20 = 26 in red
     * and green) and picture 1 beside it. */
    CHECK_INT(t, PixelAt(aligned->target, 4, 6), 0xFFFFFF);
    CHECK_INT(t, PixelAt(aligned->target, 22, 24), 0x1A1AFF);
    CHECK_INT(t, PixelAt(aligned->target, 23, 24), PictureColor(1));
    CHECK(t, aligned->callCount > 10);
    CHECK_CALLS_STARTING_WITH(t, "Plotra.", "Plotra.CopyRect(23,17,0,0,16,8)", "Plotra.BlendRect(39,17,0,0,16,8)",
                              "Plotra.BlendColorRect(55,17,0,0,16,8,0,200,0)");
    for (int i = 0; i < 3; ++i) {
        const Drawn* other = &drawn[i];
        char what[64];
        snprintf(what, sizeof what, "pixels drawn with the stack %d bytes off", kOffsets[i]);
        const size_t bytes = (size_t)(aligned->target->pitch * kHeight);
        CheckTrue(t, memcmp(other->target->pixels, aligned->target->pixels, bytes) == 0, what, __FILE__, __LINE__);
        CHECK_INT(t, other->callCount, aligned->callCount);
        for (int32_t c = 0; c < aligned->callCount && c < other->callCount; ++c) {
            CHECK_TEXT(t, other->calls[c], aligned->calls[c]);
        }
    }
    for (int i = 0; i < 4; ++i) drawn[i].target->surface.table->Release(&drawn[i].target->surface);
}
