#include "Options.h"

#include "RenderOptionSet.h"

namespace quenta::render {

Options ParseOptions(int argc, char** argv) {
    CLI::App app("Draws marked-up message text with Quenta and writes it as a PNG picture.", "quenta-render");
    RenderOptionSet options(app, true);
    return options.Parse(argc, argv);
}

}  // namespace quenta::render
