/* Pictures: fetched through Vaultrix and Pictura once, cached for the
 * module's life, handed to Plotra by their planes, given back at unload. */
#include "Bitmap.h"
#include "CallLog.h"
#include "Scenarios.h"
#include "ShownMessages.h"
#include "doubles/PictureKind.h"

void PicturesGoToPlotraByTheirPlanes(Checks* t, Modules* modules) {
    SetSetting("picture.1", kColorOnly);
    SetSetting("picture.2", kColorAndAlpha);
    SetSetting("picture.3", kAlphaOnly);
    SetSetting("picture.4", kNoPlanes);
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(100, 50, true, false);
    if (!CHECK(t, renderer && target)) return;
    renderer->table->SetText(renderer, "<C200,100,50><G1><G2><G3><G4>");
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 10, 20);
    CHECK_CALLS_STARTING_WITH(t, "Plotra.", "Plotra.CopyRect(10,20,0,0,16,8)", "Plotra.BlendRect(26,20,0,0,16,8)",
                              "Plotra.BlendColorRect(42,20,0,0,16,8,200,100,50)");
    /* What the Plotra double drew from each picture's planes (column 0 of an
     * alpha plane is transparent). */
    CHECK_INT(t, PixelAt(target, 10, 20), PictureColor(1));
    CHECK_INT(t, PixelAt(target, 25, 27), PictureColor(1));
    CHECK_INT(t, PixelAt(target, 26, 20), 0);
    CHECK_INT(t, PixelAt(target, 27, 20), PictureColor(2));
    CHECK_INT(t, PixelAt(target, 42, 20), 0);
    CHECK_INT(t, PixelAt(target, 43, 27), 0xC86432);
    CHECK_INT(t, PixelAt(target, 59, 20), 0);

    /* Cut at the target's right and bottom edges; wholly outside: nothing. */
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 90, 46);
    CHECK_CALLS_STARTING_WITH(t, "Plotra.", "Plotra.CopyRect(90,46,0,0,10,4)");
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, -20, -5);
    CHECK_CALLS_STARTING_WITH(t, "Plotra.", "Plotra.BlendRect(0,0,4,5,12,3)",
                              "Plotra.BlendColorRect(12,0,0,5,16,3,200,100,50)");
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    target->surface.table->Release(&target->surface);
}

void PicturesAreDecodedOnce(Checks* t, Modules* modules) {
    SetSetting("picture.5", kColorOnly);
    SetSetting("picture.6", kUndecodable);
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(100, 50, true, false);
    if (!CHECK(t, renderer && target)) return;
    renderer->table->SetText(renderer, "<G5>");
    CHECK_CALLS(t, "Scrivo2.CreateInterface", "Plotra.CreateInterface", "Plotra.Startup", "Plotra.Setup(1)",
                "Vaultrix.CreateInterface", "Vaultrix.OpenArchive(0)", "Pictura.CreateInterface",
                "Archive.OpenEntry(5)", "Entry.Load(5)", "Entry.Share(5)", "Pictura.DecodeEntry(5)",
                "Entry.Release(5)");
    ClearCalls();
    renderer->table->SetText(renderer, "<G5>");
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_CALLS(t, "Plotra.CopyRect(0,0,0,0,16,8)", "Plotra.CopyRect(16,0,0,0,16,8)");

    /* A picture that cannot be decoded is asked for again every time, and
     * its place in the text shows the error. */
    renderer->table->Clear(renderer);
    for (int attempt = 0; attempt < 2; ++attempt) {
        ClearCalls();
        renderer->table->SetText(renderer, "<G6>");
        CHECK_CALLS(t, "Archive.OpenEntry(6)", "Entry.Load(6)", "Entry.Share(6)", "Pictura.DecodeEntry(6)",
                    "Entry.Release(6)");
    }
    renderer->table->Clear(renderer);
    renderer->table->SetText(renderer, "<G6>");
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_CALLS_STARTING_WITH(t, "Scrivo2.PaintText", "Scrivo2.PaintText(1,1,<)", "Scrivo2.PaintText(13,1,e)",
                              "Scrivo2.PaintText(25,1,r)", "Scrivo2.PaintText(37,1,r)", "Scrivo2.PaintText(49,1,o)",
                              "Scrivo2.PaintText(61,1,r)", "Scrivo2.PaintText(73,1,>)");
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    target->surface.table->Release(&target->surface);
}

void MissingPictureSiblingsAreShown(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    if (!CHECK(t, renderer != NULL)) return;
    for (int attempt = 0; attempt < 2; ++attempt) {
        renderer->table->SetText(renderer, "<G1>");
        CHECK_TEXT(t, CapturedMessages(), "Surfex2: ＤＬＬ【 Vaultrix 】の読み込みに失敗しました\n");
        StartCapturingMessages();
    }
    CHECK_INT(t, renderer->table->Release(renderer), 0);
}

void UnloadReleasesPicturesThenTheirSiblings(Checks* t, Modules* modules) {
    SetSetting("picture.2", kColorAndAlpha);
    SetSetting("picture.1", kAlphaOnly);
    MessageRenderer* renderer = NewRenderer(modules);
    if (!CHECK(t, renderer != NULL)) return;
    renderer->table->SetText(renderer, "<G2><G1>");
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    ClearCalls();
    UnloadQuenta(modules);
    CHECK_CALLS(t, "Picture.Release(1)", "Picture.Release(2)", "Pictura.Release", "Archive.Release",
                "Vaultrix.Release");
}

/* Each renderer binds for itself and holds its own painter; the pictures
 * and Plotra are the process's. */
void TwoRenderersBindAndDrawEachTheirOwn(Checks* t, Modules* modules) {
    SetSetting("picture.1", kColorOnly);
    MessageRenderer* red = NewRenderer(modules);
    MessageRenderer* blue = NewRenderer(modules);
    Bitmap* redTarget = NewBitmap(64, 32, true, false);
    Bitmap* blueTarget = NewBitmap(64, 32, true, false);
    if (!CHECK(t, red && blue && redTarget && blueTarget)) return;
    red->table->SetText(red, "<C255,0,0>A<G1>");
    blue->table->SetText(blue, "<C0,0,255>B<G1>");
    CHECK_CALLS_STARTING_WITH(t, "Scrivo2.", "Scrivo2.CreateInterface", "Scrivo2.CreateInterface");
    CHECK_CALLS_STARTING_WITH(t, "Pictura.", "Pictura.CreateInterface", "Pictura.DecodeEntry(1)");
    CHECK(t, red->table->GetSubInterface(red, &kScrivo2Id) != blue->table->GetSubInterface(blue, &kScrivo2Id));
    red->table->Draw(red, &redTarget->surface, 0, 0);
    blue->table->Draw(blue, &blueTarget->surface, 0, 0);
    CHECK_INT(t, PixelAt(redTarget, 1, 1), 0xFF0000);
    CHECK_INT(t, PixelAt(blueTarget, 1, 1), 0x0000FF);
    CHECK_INT(t, PixelAt(redTarget, 12, 16), PictureColor(1));
    CHECK_INT(t, PixelAt(blueTarget, 12, 16), PictureColor(1));

    ClearCalls();
    CHECK_INT(t, red->table->Release(red), 0);
    CHECK_CALLS(t, "Scrivo2.Release");
    /* The other renderer goes on drawing its text and its picture. */
    ClearCalls();
    blue->table->Draw(blue, &blueTarget->surface, 0, 0);
    CHECK_CALLS_STARTING_WITH(t, "Scrivo2.PaintText", "Scrivo2.PaintText(1,1,B)");
    CHECK_CALLS_STARTING_WITH(t, "Plotra.", "Plotra.CopyRect(12,16,0,0,16,8)");
    CHECK_INT(t, blue->table->Release(blue), 0);
    redTarget->surface.table->Release(&redTarget->surface);
    blueTarget->surface.table->Release(&blueTarget->surface);
}
