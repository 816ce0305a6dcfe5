/* The export, the renderer's counting and slots, and the binding of the
 * siblings with its three messages. */
#include "Bitmap.h"
#include "CallLog.h"
#include "Scenarios.h"
#include "ShownMessages.h"
#include "StackOffsetCall.h"

#define NOT_LOADED(name) "Surfex2: ＤＬＬ【 " name " 】の読み込みに失敗しました\n"

void AnswersOnlyTheRendererId(Checks* t, Modules* modules) {
    CreateInterfaceFn create = QuentaCreateInterface(modules);
    if (!CHECK(t, create != NULL)) return;
    const InterfaceId nearly = {0xCD599691, 0xEC70, 0x4386, {0xB9, 0xA5, 0x3E, 0xF1, 0xC6, 0x62, 0x14, 0x2E}};
    const InterfaceId zero = {0, 0, 0, {0}};
    const InterfaceId* refused[] = {&kScrivo2Id, &kPlotraId, &kVaultrixId, &kPicturaId, &nearly, &zero};
    for (int i = 0; i < 6; ++i) CHECK(t, create(refused[i]) == NULL);
    CHECK(t, create(NULL) == NULL);
    MessageRenderer* renderer = create(&kMessageRendererId);
    if (CHECK(t, renderer != NULL)) CHECK_INT(t, renderer->table->Release(renderer), 0);
}

void RenderersAreCountedAndIndependent(Checks* t, Modules* modules) {
    MessageRenderer* first = NewRenderer(modules);
    MessageRenderer* second = NewRenderer(modules);
    if (!CHECK(t, first && second)) return;
    CHECK(t, first != second);
    CHECK_INT(t, first->table->AddRef(first), 2);
    CHECK_INT(t, first->table->Release(first), 1);
    CHECK_INT(t, second->table->AddRef(second), 2);
    CHECK_INT(t, first->table->Release(first), 0);
    CHECK_INT(t, second->table->Release(second), 1);
    CHECK_INT(t, second->table->Release(second), 0);
}

/* Every slot called by number with an aligned stack: each returns what it
 * should and pops exactly its own arguments, as thiscall requires. */
void EverySlotPopsItsOwnArguments(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(100, 100, true, false);
    if (!CHECK(t, renderer && target)) return;
    int32_t imbalance = -1;
    CHECK_INT(t, CallSlot(renderer, 0, 0, 0, NULL, &imbalance), 2); /* AddRef */
    CHECK_INT(t, imbalance, 0);
    CHECK_INT(t, CallSlot(renderer, 1, 0, 0, NULL, &imbalance), 1); /* Release */
    CHECK_INT(t, imbalance, 0);
    const uint32_t scrivo2Id[] = {(uint32_t)&kScrivo2Id};
    CHECK_INT(t, CallSlot(renderer, 5, 0, 1, scrivo2Id, &imbalance), 0); /* GetSubInterface: nothing bound */
    CHECK_INT(t, imbalance, 0);
    const uint32_t text[] = {(uint32_t) "<S32>AB"};
    CallSlot(renderer, 2, 0, 1, text, &imbalance); /* SetText */
    CHECK_INT(t, imbalance, 0);
    const uint32_t painter = CallSlot(renderer, 5, 0, 1, scrivo2Id, &imbalance);
    CHECK(t, painter != 0);
    CHECK_INT(t, painter, (uint32_t)renderer->table->GetSubInterface(renderer, &kScrivo2Id));
    ClearCalls();
    const uint32_t draw[] = {(uint32_t)&target->surface, 10, 20};
    CallSlot(renderer, 4, 0, 3, draw, &imbalance); /* Draw */
    CHECK_INT(t, imbalance, 0);
    CHECK_CALLS_STARTING_WITH(t, "Scrivo2.PaintText", "Scrivo2.PaintText(11,21,A)", "Scrivo2.PaintText(27,21,B)");
    CallSlot(renderer, 3, 0, 0, NULL, &imbalance); /* Clear */
    CHECK_INT(t, imbalance, 0);
    ClearCalls();
    CallSlot(renderer, 4, 0, 3, draw, &imbalance);
    CHECK_NO_CALLS(t);
    CHECK_INT(t, CallSlot(renderer, 1, 0, 0, NULL, &imbalance), 0);
    CHECK_INT(t, imbalance, 0);
    CHECK_CALLS(t, "Scrivo2.Release");
    target->surface.table->Release(&target->surface);
}

void FirstSetTextBindsScrivo2ThenPlotra(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    if (!CHECK(t, renderer != NULL)) return;
    CHECK(t, renderer->table->GetSubInterface(renderer, &kScrivo2Id) == NULL);
    renderer->table->SetText(renderer, "A");
    CHECK_CALLS(t, "Scrivo2.CreateInterface", "Plotra.CreateInterface", "Plotra.Startup", "Plotra.Setup(1)");
    TextPainter* painter = renderer->table->GetSubInterface(renderer, &kScrivo2Id);
    if (!CHECK(t, painter != NULL)) return;
    CHECK(t, renderer->table->GetSubInterface(renderer, &kScrivo2Id) == painter);
    CHECK(t, renderer->table->GetSubInterface(renderer, &kMessageRendererId) == NULL);
    CHECK(t, renderer->table->GetSubInterface(renderer, NULL) == NULL);
    /* The painter lent is Scrivo2's own, and lending took no reference. */
    ClearCalls();
    painter->table->SetSize(painter, 40);
    CHECK_CALLS(t, "Scrivo2.SetSize(40)");
    CHECK_INT(t, renderer->table->AddRef(renderer), 2);
    CHECK_INT(t, renderer->table->Release(renderer), 1);
    ClearCalls();
    renderer->table->SetText(renderer, "B");
    renderer->table->SetText(renderer, NULL);
    CHECK_NO_CALLS(t);
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    /* Scrivo2's reference goes back; Plotra's is never released. */
    CHECK_CALLS(t, "Scrivo2.Release");
}

void MissingScrivo2IsShownAtEverySetText(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(64, 64, true, false);
    if (!CHECK(t, renderer && target)) return;
    for (int attempt = 0; attempt < 2; ++attempt) {
        renderer->table->SetText(renderer, "A");
        CHECK_TEXT(t, CapturedMessages(), NOT_LOADED("Scrivo2"));
        StartCapturingMessages();
    }
    CHECK(t, renderer->table->GetSubInterface(renderer, &kScrivo2Id) == NULL);
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    target->surface.table->Release(&target->surface);
}

void Scrivo2WithoutTheExportIsNamed(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    if (!CHECK(t, renderer != NULL)) return;
    renderer->table->SetText(renderer, "A");
    CHECK_TEXT(t, CapturedMessages(), "Surfex2: 【 Scrivo2 】\nCreateInterfaceの取得に失敗しました\n");
    StartCapturingMessages();
    CHECK_INT(t, renderer->table->Release(renderer), 0);
}

void Scrivo2RefusingTheIdIsShown(Checks* t, Modules* modules) {
    SetSetting("Scrivo2.refuse", 1);
    MessageRenderer* renderer = NewRenderer(modules);
    if (!CHECK(t, renderer != NULL)) return;
    renderer->table->SetText(renderer, "A");
    CHECK_TEXT(t, CapturedMessages(), "Surfex2: CreateInterfaceに失敗しました\n");
    StartCapturingMessages();
    CHECK_CALLS(t, "Scrivo2.CreateInterface");
    CHECK(t, renderer->table->GetSubInterface(renderer, &kScrivo2Id) == NULL);
    CHECK_INT(t, renderer->table->Release(renderer), 0);
}

void MissingPlotraDropsOnlyTheFirstText(Checks* t, Modules* modules) {
    MessageRenderer* renderer = NewRenderer(modules);
    Bitmap* target = NewBitmap(64, 64, true, false);
    if (!CHECK(t, renderer && target)) return;
    renderer->table->SetText(renderer, "AB");
    CHECK_TEXT(t, CapturedMessages(), NOT_LOADED("Plotra"));
    StartCapturingMessages();
    ClearCalls();
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_NO_CALLS(t);
    renderer->table->SetText(renderer, "CD");
    CHECK_TEXT(t, CapturedMessages(), "");
    StartCapturingMessages();
    renderer->table->Draw(renderer, &target->surface, 0, 0);
    CHECK_CALLS_STARTING_WITH(t, "Scrivo2.PaintText", "Scrivo2.PaintText(1,1,C)", "Scrivo2.PaintText(13,1,D)");
    CHECK_INT(t, renderer->table->Release(renderer), 0);
    target->surface.table->Release(&target->surface);
}
