// quenta-render: draws marked-up message text through Quenta and its
// sibling modules into a PNG file.
#include <cstdio>
#include <exception>

#include "HelpText.h"
#include "Options.h"
#include "RenderJob.h"
#include "ToolError.h"

int main(int argc, char** argv) {
    using namespace quenta::render;
    try {
        const Options options = ParseOptions(argc, argv);
        if (options.help) {
            std::fputs(kHelpText, stdout);
            return 0;
        }
        if (options.version) {
            std::puts(QUENTA_VERSION);
            return 0;
        }
        RunRenderJob(options);
        return 0;
    } catch (const ToolError& error) {
        std::fprintf(stderr, "quenta-render: %s\n", error.what());
        if (error.ShowsHelp()) std::fputs("Try 'quenta-render --help'.\n", stderr);
        return error.Status();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quenta-render: %s\n", error.what());
        return kExitFailure;
    }
}
