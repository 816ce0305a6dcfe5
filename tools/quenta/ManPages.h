// Manual pages written from the programs' own CLI11 option definitions, the
// ones --help prints, so that the two cannot drift apart: quenta(1), one
// page per subcommand (quenta-check(1), ...) and quenta-render(1), which
// also covers `quenta render`.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

namespace quenta::tool {

struct ManPage {
    std::string name;  // "quenta-check"
    std::string text;  // roff
};

// `quenta` is the whole program's command line, `quentaRender` the
// quenta-render tool's; `version` goes into each page's footer.
std::vector<ManPage> ManPages(const CLI::App& quenta, const CLI::App& quentaRender, const std::string& version);

}  // namespace quenta::tool
