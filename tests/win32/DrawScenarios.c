/* What Draw calls on Scrivo2 and what reaches the host's surface. */
#include "Bitmap.h"
#include "CallLog.h"
#include "Scenarios.h"

#define GOTHIC "\\x82l\\x82r \\x83S\\x83V\\x83b\\x83N"
#define MINCHO "\\x82l\\x82r \\x96\\xBE\\x92\\xA9"

void ATypicalMessageDrawsRunByRun(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(100, 100, true, false);
    if (!CHECK(t, renderer && target)) return;
    renderer->table->SetText(renderer, "<S32><C255,0,0>AB</C><R>");
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 10, 20);
    CHECK_CALLS(t, "Scrivo2.SetSize(32)", "Scrivo2.SetFace(" GOTHIC ")", "Scrivo2.SetColor(255,0,0)",
                "Scrivo2.PaintText(11,21,A)", "Scrivo2.SetSize(32)", "Scrivo2.SetFace(" GOTHIC ")",
                "Scrivo2.SetColor(255,0,0)", "Scrivo2.PaintText(27,21,B)");
    /* The painter's cells, 16 x 32 each, landed on the host's surface. */
    CHECK_INT(t, PixelAt(target, 11, 21), 0xFF0000);
    CHECK_INT(t, PixelAt(target, 42, 52), 0xFF0000);
    CHECK_INT(t, PixelAt(target, 10, 21), 0);
    CHECK_INT(t, PixelAt(target, 43, 21), 0);

    renderer->table->Clear(renderer);
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 10, 20);
    CHECK_NO_CALLS(t);
    /* The style outlives Clear: size 32, and the colour that </C> restored. */
    renderer->table->SetText(renderer, "C");
    renderer->table->Draw(renderer, &target->surface, 10, 20);
    CHECK_CALLS(t, "Scrivo2.SetSize(32)", "Scrivo2.SetFace(" GOTHIC ")", "Scrivo2.SetColor(255,255,255)",
                "Scrivo2.PaintText(11,21,C)");
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    target->surface.table->Release(&target->surface);
}

void ShadowEdgeAndBoldLayers(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(64, 64, true, false);
    if (!CHECK(t, renderer && target)) return;
    renderer->table->SetText(renderer, "<K><E><B>A");
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_CALLS(t, "Scrivo2.SetSize(24)", "Scrivo2.SetFace(" GOTHIC ")", "Scrivo2.SetColor(128,128,128)",
                "Scrivo2.PaintText(3,3,A)", "Scrivo2.PaintText(4,3,A)", "Scrivo2.SetColor(0,0,0)",
                "Scrivo2.PaintText(0,1,A)", "Scrivo2.PaintText(2,1,A)", "Scrivo2.PaintText(1,0,A)",
                "Scrivo2.PaintText(1,2,A)", "Scrivo2.PaintText(3,1,A)", "Scrivo2.SetColor(255,255,255)",
                "Scrivo2.PaintText(1,1,A)", "Scrivo2.PaintText(2,1,A)");

    /* Face 1 is Mincho; a run of any other face number selects none, and
     * the face selected last stays in force. */
    renderer->table->Clear(renderer);
    renderer->table->SetText(renderer, "</B></E></K><F1>M<F2>N");
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_CALLS(t, "Scrivo2.SetSize(24)", "Scrivo2.SetFace(" MINCHO ")", "Scrivo2.SetColor(255,255,255)",
                "Scrivo2.PaintText(1,1,M)", "Scrivo2.SetSize(24)", "Scrivo2.SetColor(255,255,255)",
                "Scrivo2.PaintText(13,1,N)");
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    target->surface.table->Release(&target->surface);
}

/* White to black over 24 rows, painted as coverage into Quenta's glyph
 * buffer by the Scrivo2 double (through the buffer's own Surface slots) and
 * blended onto the host's 24-bit surface: row k is 255 + k * -255 / 24. */
void GradientTextIsBlendedRowByRow(Checks* t, Modules* modules) {
    static const struct {
        int32_t coverage;
        int32_t top;     /* row 0's grey, where one copy lies */
        int32_t overlap; /* row 0's grey, where the bold copy lies over the first */
        int32_t bottom;  /* row 23's grey */
    } kCases[] = {
        {255, 255, 255, 11},
        /* 128 of 255 over black: [127][0] + [255][128]; then over that
         * 128: [127][128] + [255][128]. */
        {128, 128, 191, 5},
    };
    for (int i = 0; i < 2; ++i) {
        SetSetting("scrivo.coverage", kCases[i].coverage);
        MessageRenderer* renderer = NewRenderer(modules);
        Bitmap* target = NewBitmap(64, 64, true, false);
        if (!CHECK(t, renderer && target)) return;
        renderer->table->SetText(renderer, "<C255,255,255,0,0,0><B>A");
        ClearCalls();
        renderer->table->Draw(renderer, &target->surface, 5, 7);
        /* One coverage paint for both copies of the bold face, no colour. */
        CHECK_CALLS(t, "Scrivo2.SetSize(24)", "Scrivo2.SetFace(" GOTHIC ")", "Scrivo2.PaintCoverage(0,0,A)");
        const uint32_t grey = 0x010101;
        CHECK_INT(t, PixelAt(target, 6, 8), grey * (uint32_t)kCases[i].top);
        CHECK_INT(t, PixelAt(target, 17, 8), grey * (uint32_t)kCases[i].overlap);
        CHECK_INT(t, PixelAt(target, 6, 31), grey * (uint32_t)kCases[i].bottom);
        CHECK_INT(t, PixelAt(target, 18, 31), grey * (uint32_t)kCases[i].bottom); /* the bold copy, one right */
        CHECK_INT(t, PixelAt(target, 5, 8), 0);
        CHECK_INT(t, PixelAt(target, 19, 8), 0);
        CHECK_INT(t, PixelAt(target, 6, 7), 0);
        CHECK_INT(t, PixelAt(target, 6, 32), 0);
        CHECK_INT(t, renderer->table->Release(renderer), 0);
        target->surface.table->Release(&target->surface);
    }
}
