// SetText and Draw on arbitrary bytes, through the real siblings loaded as a
// host loads them.
//
// Like a host showing one message after another, the target keeps one
// renderer, so that what lives across messages (the painter's glyph cache,
// the stacks' storage) is fuzzed too, and inputs run two to three times as
// fast as with a renderer each. Each input starts with "<CR>" and Clear,
// which bring the renderer back to its first state, since the style and its
// stacks outlive Clear. The renderer is released at exit, where
// LeakSanitizer checks that it leaves nothing behind.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "DrawTargets.h"
#include "HostModules.h"
#include "MessageSteps.h"
#include "Require.h"
#include "quenta/MessageRenderer.h"
#include "quenta/Ref.h"

using namespace quenta;
using namespace quenta::fuzzing;

namespace {

IMessageRenderer* Renderer() {
    static const Ref<IMessageRenderer> renderer([] {
        const CreateInterfaceFn create = LoadHostModules(QUENTA_FUZZ_MODULE_DIR, QUENTA_FUZZ_ARCHIVE);
        auto* made = static_cast<IMessageRenderer*>(create(&kMessageRendererId));
        Require(made != nullptr, "Quenta hands out a renderer");
        return made;
    }());
    return renderer.get();
}

}  // namespace

// The modules are loaded before the first input, so that the fuzzer counts
// their coverage from the start.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Renderer();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IMessageRenderer* renderer = Renderer();
    renderer->SetText("<CR>");
    renderer->Clear();
    for (const MessageStep& step : SplitMessageSteps(data, size)) {
        if (step.clearFirst) renderer->Clear();
        if (step.drawFirst) DrawOnTarget(renderer, step.drawTarget);
        renderer->SetText(step.text.get());
    }
    DrawOnTarget(renderer, 0);
    DrawOnTarget(renderer, 1);
    return 0;
}
