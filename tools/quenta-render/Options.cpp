#include "Options.h"

#include "RenderOptionSet.h"

namespace quenta::render {

Options ParseOptions(int argc, char** argv) {
    CLI::App app(kToolDescription, "quenta-render");
    RenderOptionSet options(app, true);
    return options.Parse(argc, argv);
}

}  // namespace quenta::render
