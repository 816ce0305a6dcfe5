/* The C host: runs every scenario one after another in this one process,
 * loading the doubles and Quenta.dll before each and unloading them after,
 * so that each starts from fresh process-wide state. With arguments, runs
 * only the scenarios whose names contain one of them. Exit status 0 when
 * every check passed. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "CallLog.h"
#include "Scenarios.h"
#include "ShownMessages.h"

typedef struct Scenario {
    const char* name;
    unsigned modules; /* enum Sibling: the siblings loaded before Quenta */
    ScenarioFn run;
} Scenario;

#define SCENARIO(modules, fn) {#fn, (modules), fn}

static const Scenario kScenarios[] = {
    SCENARIO(0, AnswersOnlyTheRendererId),
    SCENARIO(0, RenderersAreCountedAndIndependent),
    SCENARIO(kAllSiblings, EverySlotPopsItsOwnArguments),
    SCENARIO(kAllSiblings, FirstSetTextBindsScrivo2ThenPlotra),
    SCENARIO(0, MissingScrivo2IsShownAtEverySetText),
    SCENARIO(kScrivo2WithoutExport | kPlotra, Scrivo2WithoutTheExportIsNamed),
    SCENARIO(kAllSiblings, Scrivo2RefusingTheIdIsShown),
    SCENARIO(kScrivo2, MissingPlotraDropsOnlyTheFirstText),
    SCENARIO(kAllSiblings, ATypicalMessageDrawsRunByRun),
    SCENARIO(kAllSiblings, ShadowEdgeAndBoldLayers),
    SCENARIO(kAllSiblings, GradientTextIsBlendedRowByRow),
    SCENARIO(kAllSiblings, PicturesGoToPlotraByTheirPlanes),
    SCENARIO(kAllSiblings, PicturesAreDecodedOnce),
    SCENARIO(kScrivo2 | kPlotra, MissingPictureSiblingsAreShown),
    SCENARIO(kAllSiblings, UnloadReleasesPicturesThenTheirSiblings),
    SCENARIO(kAllSiblings, TwoRenderersBindAndDrawEachTheirOwn),
    SCENARIO(0, StackOffsetsAreWhatTheySay),
    SCENARIO(kAllSiblings, MisalignedStackDrawsTheSame),
};

static bool Selected(const char* name, int argc, char** argv) {
    if (argc < 2) return true;
    for (int i = 1; i < argc; ++i) {
        if (strstr(name, argv[i])) return true;
    }
    return false;
}

static bool Run(const Scenario* scenario) {
    Checks t = {scenario->name, 0};
    printf("[ RUN      ] %s\n", scenario->name);
    fflush(stdout);
    const DWORD start = GetTickCount();
    ClearCalls();
    ClearSettings();
    Modules modules = {0};
    if (CHECK(&t, NoModuleLeft()) && CHECK(&t, StartCapturingMessages()) &&
        CHECK(&t, LoadModules(&modules, scenario->modules))) {
        scenario->run(&t, &modules);
    }
    /* A message that the scenario did not ask for is a failure too. */
    CHECK_TEXT(&t, CapturedMessages(), "");
    UnloadModules(&modules);
    CHECK(&t, NoModuleLeft());
    printf("[ %s ] %s (%lu ms)\n", t.failures ? " FAILED " : "      OK", scenario->name, GetTickCount() - start);
    fflush(stdout);
    return t.failures == 0;
}

int main(int argc, char** argv) {
    int run = 0;
    int failed = 0;
    for (size_t i = 0; i < sizeof kScenarios / sizeof kScenarios[0]; ++i) {
        if (!Selected(kScenarios[i].name, argc, argv)) continue;
        ++run;
        if (!Run(&kScenarios[i])) ++failed;
    }
    printf("%d scenarios, %d failed\n", run, failed);
    return run > 0 && failed == 0 ? 0 : 1;
}
