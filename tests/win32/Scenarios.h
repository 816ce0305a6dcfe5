/* The scenarios of the C host. Each runs with the modules that its entry in
 * the runner's table names already loaded (siblings first, Quenta last), an
 * empty call log, no settings, and message boxes captured; the runner
 * unloads everything after it. */
#ifndef QUENTA_WIN32_SCENARIOS_H
#define QUENTA_WIN32_SCENARIOS_H

#include "Checks.h"
#include "Modules.h"

typedef void (*ScenarioFn)(Checks* t, Modules* modules);

/* Binding: the export, counting, every slot, the three messages. */
void AnswersOnlyTheRendererId(Checks* t, Modules* modules);
void RenderersAreCountedAndIndependent(Checks* t, Modules* modules);
void EverySlotPopsItsOwnArguments(Checks* t, Modules* modules);
void FirstSetTextBindsScrivo2ThenPlotra(Checks* t, Modules* modules);
void MissingScrivo2IsShownAtEverySetText(Checks* t, Modules* modules);
void Scrivo2WithoutTheExportIsNamed(Checks* t, Modules* modules);
void Scrivo2RefusingTheIdIsShown(Checks* t, Modules* modules);
void MissingPlotraDropsOnlyTheFirstText(Checks* t, Modules* modules);

/* Drawing text. */
void ATypicalMessageDrawsRunByRun(Checks* t, Modules* modules);
void ShadowEdgeAndBoldLayers(Checks* t, Modules* modules);
void GradientTextIsBlendedRowByRow(Checks* t, Modules* modules);

/* Pictures and the picture cache. */
void PicturesGoToPlotraByTheirPlanes(Checks* t, Modules* modules);
void PicturesAreDecodedOnce(Checks* t, Modules* modules);
void MissingPictureSiblingsAreShown(Checks* t, Modules* modules);
void UnloadReleasesPicturesThenTheirSiblings(Checks* t, Modules* modules);

/* Two renderers in one process. */
void TwoRenderersBindAndDrawEachTheirOwn(Checks* t, Modules* modules);

/* A host that keeps the stack 4-byte aligned only. */
void StackOffsetsAreWhatTheySay(Checks* t, Modules* modules);
void MisalignedStackDrawsTheSame(Checks* t, Modules* modules);

#endif
